// CFile and CStdioFile.
#include "File.h"
#include <string>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CFile::~CFile()
{
    if (IsOpen())
        ::CloseHandle(m_hFile);
}

BOOL CFile::Failed()
{
    m_dwError = ::GetLastError();
    if (!m_dwError)
        m_dwError = ERROR_GEN_FAILURE;
    return FALSE;
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags)
{
    if (IsOpen()) {
        m_dwError = ERROR_ALREADY_EXISTS;
        return FALSE;
    }
    if (!lpszFileName || !*lpszFileName) {
        m_dwError = ERROR_INVALID_NAME;
        return FALSE;
    }
    DWORD access;
    switch (nOpenFlags & 3) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        m_dwError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE h = ::CreateFileW(lpszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Failed();
    m_hFile = h;
    m_strFileName = lpszFileName;
    m_nOpenFlags = nOpenFlags;
    m_dwError = 0;
    return TRUE;
}

void CFile::Close()
{
    if (IsOpen())
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    DWORD got = 0;
    if (!nCount)
        return 0;
    if (!IsOpen() || !lpBuf) {
        m_dwError = ERROR_INVALID_HANDLE;
        return 0;
    }
    if (!::ReadFile(m_hFile, lpBuf, nCount, &got, nullptr)) {
        Failed();
        return 0;
    }
    return got;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (!nCount)
        return TRUE;
    if (!IsOpen() || !lpBuf) {
        m_dwError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        return Failed();
    if (written != nCount) {
        m_dwError = ERROR_DISK_FULL;
        return FALSE;
    }
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER dist, pos;
    dist.QuadPart = lOff;
    if (!IsOpen() || !::SetFilePointerEx(m_hFile, dist, &pos, nFrom)) {
        Failed();
        return kError;
    }
    return (ULONGLONG)pos.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {}, pos;
    if (!IsOpen() || !::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        return kError;
    return (ULONGLONG)pos.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !::GetFileSizeEx(m_hFile, &size))
        return kError;
    return (ULONGLONG)size.QuadPart;
}

BOOL CFile::SetLength(ULONGLONG dwNewLen)
{
    ULONGLONG keep = GetPosition();
    if (Seek((LONGLONG)dwNewLen, begin) == kError)
        return FALSE;
    if (!::SetEndOfFile(m_hFile))
        return Failed();
    if (keep != kError && keep < dwNewLen)
        Seek((LONGLONG)keep, begin);
    return TRUE;
}

BOOL CFile::Flush()
{
    if (!IsOpen() || !::FlushFileBuffers(m_hFile))
        return Failed();
    return TRUE;
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(m_strFileName.ReverseFind(L'\\') + 1);
}

BOOL CStdioFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags)
{
    m_bufPos = m_bufLen = 0;
    return CFile::Open(lpszFileName, nOpenFlags);
}

void CStdioFile::Close()
{
    m_bufPos = m_bufLen = 0;
    CFile::Close();
}

BOOL CStdioFile::DropReadAhead()
{
    UINT ahead = m_bufLen - m_bufPos;
    m_bufPos = m_bufLen = 0;
    return !ahead || CFile::Seek(-(LONGLONG)ahead, current) != kError;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (out && done < nCount) {
        if (m_bufPos < m_bufLen) {
            UINT n = m_bufLen - m_bufPos;
            if (n > nCount - done)
                n = nCount - done;
            memcpy(out + done, m_buf + m_bufPos, n);
            m_bufPos += n;
            done += n;
            continue;
        }
        // Large reads go straight to the file.
        if (nCount - done >= sizeof(m_buf)) {
            UINT n = CFile::Read(out + done, nCount - done);
            done += n;
            break;
        }
        m_bufPos = 0;
        m_bufLen = CFile::Read(m_buf, sizeof(m_buf));
        if (!m_bufLen)
            break;
    }
    return done;
}

int CStdioFile::ReadByte()
{
    if (m_bufPos >= m_bufLen) {
        m_bufPos = 0;
        m_bufLen = CFile::Read(m_buf, sizeof(m_buf));
        if (!m_bufLen)
            return -1;
    }
    return m_buf[m_bufPos++];
}

BOOL CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (!DropReadAhead())
        return FALSE;
    return CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom == current)
        lOff -= (LONGLONG)(m_bufLen - m_bufPos);
    m_bufPos = m_bufLen = 0;
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    ULONGLONG pos = CFile::GetPosition();
    return pos == kError ? kError : pos - (m_bufLen - m_bufPos);
}

BOOL CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    return DropReadAhead() && CFile::SetLength(dwNewLen);
}

namespace {

CString FromAnsi(const std::string& bytes)
{
    return CString(bytes.c_str(), (int)bytes.size());
}

} // namespace

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string line;
    int c = ReadByte();
    if (c < 0) {
        rString.Empty();
        return FALSE;
    }
    for (; c >= 0 && c != '\n'; c = ReadByte())
        line.push_back((char)c);
    if (IsTextMode() && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = FromAnsi(line);
    return TRUE;
}

LPWSTR CStdioFile::ReadString(LPWSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        return nullptr;
    std::string line;
    bool any = false;
    // Bytes up to the line feed; the wide text is cut to nMax - 1 below.
    for (int c; line.size() + 1 < nMax && (c = ReadByte()) >= 0;) {
        any = true;
        line.push_back((char)c);
        if (c == '\n')
            break;
    }
    if (!any) {
        lpsz[0] = 0;
        return nullptr;
    }
    if (IsTextMode() && line.size() >= 2 && line[line.size() - 2] == '\r' && line.back() == '\n')
        line.erase(line.size() - 2, 1);
    lstrcpynW(lpsz, FromAnsi(line), (int)nMax);
    return lpsz;
}

BOOL CStdioFile::WriteString(LPCWSTR lpsz)
{
    if (!lpsz)
        return FALSE;
    CString text(lpsz);
    if (IsTextMode())
        text.Replace(L"\n", L"\r\n");
    if (text.IsEmpty())
        return TRUE;
    int n = ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return Failed();
    std::string bytes((size_t)n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), &bytes[0], n, nullptr, nullptr);
    return Write(bytes.data(), (UINT)bytes.size());
}
