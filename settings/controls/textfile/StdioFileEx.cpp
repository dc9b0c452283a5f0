// CStdioFileEx: lines of UTF-16LE, UTF-8 and ANSI files.
#include "StdioFileEx.h"

namespace {

const BYTE kBomUtf16[] = { 0xFF, 0xFE };
const BYTE kBomUtf8[] = { 0xEF, 0xBB, 0xBF };

// The line ends at its first NUL; a "\r" before the (dropped) "\n" goes too.
void FinishLine(CString& rString, const WCHAR* pText, size_t nLength)
{
    if (nLength && pText[nLength - 1] == L'\r')
        --nLength;
    size_t n = 0;
    while (n < nLength && pText[n])
        ++n;
    rString = CString(pText, (int)n);
}

} // namespace

CStdioFileEx::CStdioFileEx()
{
}

BOOL CStdioFileEx::Open(LPCWSTR lpszFileName, UINT nOpenFlags)
{
    m_bUnicode = (nOpenFlags & modeUnicode) != 0;
    nOpenFlags = (nOpenFlags & ~(UINT)typeText) | typeBinary;
    m_nFlags = nOpenFlags;
    if (!CStdioFile::Open(lpszFileName, nOpenFlags))
        return FALSE;
    bool readOnly = (nOpenFlags & (modeCreate | modeWrite | modeReadWrite)) == 0;
    if (readOnly) {
        BYTE head[2] = {};
        UINT got = Read(head, 2);
        m_bUnicode = got == 2 && head[0] == kBomUtf16[0] && head[1] == kBomUtf16[1];
        // Each file read decides its own code page: an ANSI file read after a
        // UTF-8 one is ANSI again.
        m_nCodePage = kAnsiCodePage;
        if (!m_bUnicode && got == 2 && head[0] == kBomUtf8[0] && head[1] == kBomUtf8[1])
            m_nCodePage = CP_UTF8;
        CStdioFile::Seek(0, begin);
    }
    m_bAtStart = TRUE;
    return TRUE;
}

ULONGLONG CStdioFileEx::Seek(LONGLONG lOff, UINT nFrom)
{
    m_bAtStart = TRUE;
    return CStdioFile::Seek(lOff, nFrom);
}

BOOL CStdioFileEx::ReadString(CString& rString)
{
    if (m_bAtStart && GetPosition() == 0) {
        BYTE skip[3];
        if (m_bUnicode)
            Read(skip, 2);
        else if (m_nCodePage == CP_UTF8)
            Read(skip, 3);
    }
    m_bAtStart = FALSE;
    return m_bUnicode ? ReadWideLine(rString) : ReadByteLine(rString);
}

BOOL CStdioFileEx::ReadWideLine(CString& rString)
{
    CTemplateSmartPtrArray<WCHAR> line(m_wideBuffer, kBufferChars);
    size_t n = 0;
    bool any = false;
    for (;;) {
        int lo = ReadByte();
        if (lo < 0)
            break;
        int hi = ReadByte();
        if (hi < 0)
            break; // the odd last byte of a UTF-16 file is not a character
        any = true;
        WCHAR ch = (WCHAR)(lo | (hi << 8));
        if (ch == L'\n')
            break;
        if (n == line.Size() && !line.Grow(n + 128, n))
            break;
        line[n++] = ch;
    }
    if (!any) {
        rString.Empty();
        return FALSE;
    }
    FinishLine(rString, line.Get(), n);
    return TRUE;
}

BOOL CStdioFileEx::ReadByteLine(CString& rString)
{
    CTemplateSmartPtrArray<char> bytes(m_byteBuffer, kBufferChars);
    size_t n = 0;
    bool any = false;
    for (int c; (c = ReadByte()) >= 0;) {
        any = true;
        if (c == '\n')
            break;
        if (n == bytes.Size() && !bytes.Grow(n + 128, n))
            break;
        bytes[n++] = (char)c;
    }
    if (!any) {
        rString.Empty();
        return FALSE;
    }
    UINT cp = ConversionCodePage();
    DWORD flags = cp == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    CTemplateSmartPtrArray<WCHAR> wide(m_wideBuffer, kBufferChars);
    int chars = 0;
    if (n) {
        chars = ::MultiByteToWideChar(cp, flags, bytes.Get(), (int)n, nullptr, 0);
        if (chars > 0 && wide.Grow((size_t)chars, 0))
            chars = ::MultiByteToWideChar(cp, flags, bytes.Get(), (int)n, wide.Get(), chars);
        else
            chars = 0;
    }
    FinishLine(rString, wide.Get(), chars > 0 ? (size_t)chars : 0);
    return TRUE;
}

BOOL CStdioFileEx::WriteString(LPCWSTR lpsz)
{
    if (!lpsz)
        return FALSE;
    if (m_bWriteBom && GetPosition() == 0) {
        if (m_nFlags & modeUnicode) {
            if (!Write(kBomUtf16, sizeof(kBomUtf16)))
                return FALSE;
        } else if (m_nCodePage == CP_UTF8) {
            if (!Write(kBomUtf8, sizeof(kBomUtf8)))
                return FALSE;
        }
    }
    int length = lstrlenW(lpsz);
    if (!length)
        return TRUE;
    if (m_bUnicode)
        return Write(lpsz, (UINT)length * sizeof(WCHAR));

    UINT cp = ConversionCodePage();
    DWORD flags = cp == CP_UTF8 ? 0 : WC_COMPOSITECHECK | WC_DEFAULTCHAR;
    const char defaultChar[2] = { m_chDefault, 0 };
    LPCSTR pDefault = cp == CP_UTF8 ? nullptr : defaultChar;
    int bytes = ::WideCharToMultiByte(cp, flags, lpsz, length, nullptr, 0, pDefault, nullptr);
    if (bytes <= 0)
        return FALSE;
    CTemplateSmartPtrArray<char> out(m_byteBuffer, kBufferChars);
    if (!out.Grow((size_t)bytes, 0))
        return FALSE;
    bytes = ::WideCharToMultiByte(cp, flags, lpsz, length, out.Get(), bytes, pDefault, nullptr);
    return bytes > 0 && Write(out.Get(), (UINT)bytes);
}
