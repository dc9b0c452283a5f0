// CIniHelper.
#include "IniHelper.h"
#include "ColorSetting.h"
#include "HostIniRedirect.h"

namespace {

// First size of a growing read, and its growth (characters). A value or
// key list is read into a short buffer first: most are short, and a fresh
// block of 64K characters for every lookup is slow to map and clear.
const DWORD kShortSize = 1024;
const DWORD kFirstSize = 65536;
const DWORD kGrowBy = 1024;
// Longest buffer a growing read makes (a damaged file must not eat memory).
const DWORD kMaxSize = 64 * 1024 * 1024;

// A whole section ("key=value" lines, each ended by a zero, the list ended
// by an empty line) into a buffer that grows until nothing was cut.
DWORD ReadSectionBuffer(LPCWSTR lpszSection, LPCWSTR lpszFile, std::vector<WCHAR>& buffer)
{
    for (DWORD size = kFirstSize;; size += kGrowBy) {
        buffer.assign(size + 2, 0);
        DWORD n = lpszFile && *lpszFile ? ::GetPrivateProfileSectionW(lpszSection, buffer.data(), size, lpszFile) : 0;
        if (n < size - 2 || size >= kMaxSize) {
            if (n > size)
                n = size;
            buffer[n] = 0;
            buffer[n + 1] = 0;
            return n;
        }
    }
}

} // namespace

int CIniHelper::ReadInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const
{
    return (int)::GetPrivateProfileIntW(lpszSection, lpszKey, nDefault, m_strFileName);
}

BOOL CIniHelper::WriteInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nValue) const
{
    CString text;
    text.Format(L"%d", nValue);
    return Written(::WritePrivateProfileStringW(lpszSection, lpszKey, text, m_strFileName));
}

CString CIniHelper::ReadString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault) const
{
    std::vector<WCHAR> buffer;
    DWORD n = ReadProfileBuffer(lpszSection, lpszKey, lpszDefault, buffer, m_strFileName, FALSE);
    return CString(buffer.data(), (int)n);
}

BOOL CIniHelper::WriteString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszValue) const
{
    return Written(::WritePrivateProfileStringW(lpszSection, lpszKey, lpszValue, m_strFileName));
}

void CIniHelper::ReadKeyNames(LPCWSTR lpszSection, CStringArray& keys) const
{
    keys.RemoveAll();
    std::vector<WCHAR> buffer;
    ReadProfileBuffer(lpszSection, nullptr, L"", buffer, m_strFileName, FALSE);
    for (const WCHAR* p = buffer.data(); *p; p += lstrlenW(p) + 1)
        keys.Add(CString(p));
}

void CIniHelper::ReadLines(LPCWSTR lpszSection, CStringArray& lines) const
{
    lines.RemoveAll();
    std::vector<WCHAR> buffer;
    ReadSectionBuffer(lpszSection, m_strFileName, buffer);
    for (const WCHAR* p = buffer.data(); *p; p += lstrlenW(p) + 1)
        lines.Add(CString(p));
}

BOOL CIniHelper::WriteSection(LPCWSTR lpszSection, const CStringArray& lines) const
{
    std::vector<WCHAR> block;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CString& line = lines[i];
        block.insert(block.end(), line.GetString(), line.GetString() + line.GetLength());
        block.push_back(0);
    }
    block.push_back(0);
    if (block.size() < 2)
        block.push_back(0);
    return Written(::WritePrivateProfileSectionW(lpszSection, block.data(), m_strFileName));
}

BOOL CIniHelper::WriteColour(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF crColour) const
{
    return Written(WriteColour(lpszSection, lpszKey, m_strFileName, crColour));
}

BOOL CIniHelper::Written(BOOL bWritten) const
{
    if (!bWritten && !m_dwWriteError) {
        m_dwWriteError = ::GetLastError();
        if (!m_dwWriteError)
            m_dwWriteError = ERROR_WRITE_FAULT; // failed without saying why
    }
    return bWritten;
}

COLORREF CIniHelper::ReadColour(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszIni, COLORREF crDefault)
{
    WCHAR text[257] = {};
    ::GetPrivateProfileStringW(lpszSection, lpszKey, L"", text, 256, lpszIni);
    if (!text[0])
        return crDefault;
    return ParseColorText(text, crDefault);
}

BOOL CIniHelper::WriteColour(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszIni, COLORREF crColour)
{
    if (crColour == ColorAutomatic || crColour == 0xFFFFFFFF)
        return ::WritePrivateProfileStringW(lpszSection, lpszKey, nullptr, lpszIni);
    WCHAR text[16];
    FormatColorText(crColour, text, 16);
    return ::WritePrivateProfileStringW(lpszSection, lpszKey, text, lpszIni);
}

DWORD CIniHelper::ReadProfileBuffer(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault,
                                    std::vector<WCHAR>& buffer, LPCWSTR lpszFile, BOOL bRedirect)
{
    if (!lpszDefault)
        lpszDefault = L"";
    // A cut value comes back as size - 1 characters, a cut list of names
    // as size - 2: grow until the read is shorter.
    DWORD cut = (lpszKey && lpszSection) ? 1 : 2;
    for (DWORD size = kShortSize;; size = size < kFirstSize ? kFirstSize : size + kGrowBy) {
        buffer.assign(size + 2, 0);
        DWORD n = bRedirect ? ReadHostIniString(lpszSection, lpszKey, lpszDefault, buffer.data(), size, lpszFile)
                            : ::GetPrivateProfileStringW(lpszSection, lpszKey, lpszDefault, buffer.data(), size,
                                                         lpszFile ? lpszFile : L"");
        if (n < size - cut || size >= kMaxSize) {
            if (n > size)
                n = size;
            buffer[n] = 0;
            buffer[n + 1] = 0;
            return n;
        }
    }
}

CString CIniHelper::ResolveShortcutsFile(LPCWSTR lpszHostIni)
{
    WCHAR file[HostIniPathLength + 1] = {};
    ResolveHostIniFile(L"Shortcuts", lpszHostIni, file, HostIniPathLength + 1);
    return CString(file);
}

DWORD CIniHelper::ReadHostShortcuts(std::vector<WCHAR>& buffer, LPCWSTR lpszHostIni)
{
    return ReadSectionBuffer(L"Shortcuts", ResolveShortcutsFile(lpszHostIni), buffer);
}
