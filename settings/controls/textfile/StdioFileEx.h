// CStdioFileEx: a text file read and written by lines that knows the
// byte-order marks: UTF-16LE (FF FE), UTF-8 (EF BB BF) and 8-bit text in the
// ANSI code page. Lines come out wide, without their line ends.
//
// Opening for reading only looks at the first two bytes: FF FE makes the
// file UTF-16LE, EF BB makes it UTF-8 (three bytes are skipped), anything
// else is ANSI. Opening with modeUnicode writes UTF-16LE with its mark. The
// file is always opened in binary mode: the caller writes "\r\n" itself.
#pragma once

#include "File.h"
#include "TemplateSmartPtrArray.h"

class CStdioFileEx : public CStdioFile
{
public:
    // Open flag: UTF-16LE text (kept clear of the framework's own flags).
    enum { modeUnicode = 0x200000 };
    // No code page given: the system's ANSI code page.
    static const int kAnsiCodePage = -1;

    CStdioFileEx();

    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags) override;
    // The next line without "\n", a "\r" before it, and anything from its
    // first NUL on; FALSE with an empty line at the end of the file.
    BOOL ReadString(CString& rString) override;
    using CStdioFile::ReadString;
    // Writes the text (with the byte-order mark first at position 0).
    BOOL WriteString(LPCWSTR lpsz) override;
    // The next read checks for the byte-order mark again.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;

    BOOL IsFileUnicodeText() const { return m_bUnicode; }
    // 65001 for a file read as UTF-8, else kAnsiCodePage.
    int GetCodePage() const { return m_nCodePage; }

private:
    enum { kBufferChars = 4096 };

    BOOL ReadWideLine(CString& rString);
    BOOL ReadByteLine(CString& rString);
    UINT ConversionCodePage() const { return m_nCodePage == kAnsiCodePage ? CP_ACP : (UINT)m_nCodePage; }

    BOOL m_bUnicode = FALSE;
    int m_nCodePage = kAnsiCodePage;
    char m_chDefault = '#';
    BOOL m_bWriteBom = TRUE;
    BOOL m_bAtStart = TRUE;
    UINT m_nFlags = 0;
    WCHAR m_wideBuffer[kBufferChars];
    char m_byteBuffer[kBufferChars];
};
