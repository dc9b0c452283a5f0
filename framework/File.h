// CFile: a thin object around a Win32 file handle, and CStdioFile, a
// buffered text file read and written by lines.
//
// Nothing here throws: a failed call returns FALSE (or 0, or kError) and
// keeps the Win32 error code for GetError. A file this object opened is
// closed with it.
#pragma once

#include <windows.h>
#include "Object.h"
#include "Strings.h"

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // no sharing, like shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080, // handles are never inherited anyway
        modeCreate = 0x1000,    // create, or truncate an existing file
        modeNoTruncate = 0x2000, // with modeCreate: keep an existing file
        typeText = 0x4000,      // CStdioFile: "\r\n" line ends (the default)
        typeBinary = 0x8000,    // CStdioFile: bytes as they are
    };
    enum SeekPosition
    {
        begin = FILE_BEGIN,
        current = FILE_CURRENT,
        end = FILE_END,
    };
    static constexpr ULONGLONG kError = ~0ULL;

    CFile() {}
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags);
    virtual void Close();
    // Bytes read; 0 at the end of the file or on an error (see GetError).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // TRUE when every byte was written.
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    // The new position, or kError.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetPosition() const;
    // kError when the length cannot be read.
    virtual ULONGLONG GetLength() const;
    virtual BOOL SetLength(ULONGLONG dwNewLen);
    virtual BOOL Flush();

    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // The Win32 error of the last call that failed (0: none yet).
    DWORD GetError() const { return m_dwError; }
    const CString& GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    UINT GetOpenFlags() const { return m_nOpenFlags; }

protected:
    BOOL Failed();

    DWORD m_dwError = 0;
    CString m_strFileName;
    UINT m_nOpenFlags = 0;
};

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags) override;
    void Close() override;

    // The next line in the ANSI code page without its line end (in text
    // mode "\r\n" or "\n", in binary mode "\n"); FALSE at the end of the
    // file, with an empty line. Lines have no length limit.
    virtual BOOL ReadString(CString& rString);
    // Up to nMax - 1 characters of the next line, with its "\n" when it
    // fits; NULL at the end of the file.
    virtual LPWSTR ReadString(LPWSTR lpsz, UINT nMax);
    // The text in the ANSI code page; in text mode each "\n" becomes "\r\n".
    virtual BOOL WriteString(LPCWSTR lpsz);

    // Reads and seeks go through the read buffer.
    UINT Read(void* lpBuf, UINT nCount) override;
    BOOL Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    BOOL SetLength(ULONGLONG dwNewLen) override;

    BOOL IsTextMode() const { return !(m_nOpenFlags & typeBinary); }

protected:
    // One byte through the read buffer, or -1 at the end.
    int ReadByte();

private:
    // Drops read-ahead bytes, moving the file back to the logical position.
    BOOL DropReadAhead();

    BYTE m_buf[4096];
    UINT m_bufPos = 0;
    UINT m_bufLen = 0;
};
