#include "IniSection.h"
#include "HostIniRedirect.h"
#include <vector>

namespace {

const DWORD FirstBufferLength = 65536;
const DWORD GrowStep = 65536;

// A double-NUL-ended list from one of the profile functions, grown while the
// answer fills the buffer.
template <class Reader>
std::vector<WCHAR> ReadList(Reader read)
{
    std::vector<WCHAR> buffer(FirstBufferLength);
    for (;;) {
        DWORD length = read(buffer.data(), (DWORD)buffer.size());
        if (length + 2 < buffer.size() || buffer.size() >= 16 * 1024 * 1024) {
            buffer.resize(length + 2 > buffer.size() ? buffer.size() : length + 2);
            buffer[buffer.size() - 1] = 0;
            buffer[buffer.size() - 2] = 0;
            return buffer;
        }
        buffer.assign(buffer.size() + GrowStep, 0);
    }
}

CString Lower(const CString& text)
{
    CString lower(text);
    lower.MakeLower();
    return lower;
}

// The value as GetPrivateProfileStringW gives it: blanks trimmed, one pair of
// matching quotes removed, cut to the value buffer.
CString ProfileValue(LPCWSTR raw)
{
    CString value(raw);
    value.Trim(L" \t");
    int length = value.GetLength();
    if (length >= 2 && (value[0] == L'"' || value[0] == L'\'') && value[length - 1] == value[0])
        value = value.Mid(1, length - 2);
    if (value.GetLength() > IniValueLength - 1)
        value = value.Left(IniValueLength - 1);
    return value;
}

} // namespace

void CIniSection::Read(LPCWSTR file, LPCWSTR section)
{
    m_file = file ? file : L"";
    m_section = section ? section : L"";
    m_keys.RemoveAll();
    m_values.RemoveAll();
    if (m_file.IsEmpty() || m_section.IsEmpty())
        return;

    // The key list as the profile functions give it (lines without "=" are
    // no keys), then the values from one read of the whole section.
    std::vector<WCHAR> keys = ReadList([&](LPWSTR buffer, DWORD size) {
        return GetPrivateProfileStringW(m_section, nullptr, L"", buffer, size, m_file);
    });
    for (LPCWSTR key = keys.data(); *key; key += wcslen(key) + 1)
        m_keys.Add(CString(key));
    if (m_keys.IsEmpty())
        return;

    std::vector<WCHAR> lines = ReadList([&](LPWSTR buffer, DWORD size) {
        return GetPrivateProfileSectionW(m_section, buffer, size, m_file);
    });
    for (LPCWSTR line = lines.data(); *line; line += wcslen(line) + 1) {
        LPCWSTR equals = wcschr(line, L'=');
        if (!equals)
            continue;
        CString key(line, (int)(equals - line));
        key.Trim(L" \t");
        CString lower = Lower(key);
        CString existing;
        if (!m_values.Lookup(lower, existing))
            m_values.SetAt(lower, ProfileValue(equals + 1));
    }
}

void CIniSection::ReadHost(LPCWSTR mainIni, LPCWSTR section)
{
    WCHAR file[HostIniPathLength + 1] = {};
    if (!ResolveHostIniFile(section, mainIni, file, HostIniPathLength + 1))
        file[0] = 0;
    Read(file, section);
}

CString CIniSection::GetValue(int index) const
{
    if (index < 0 || index >= GetKeyCount())
        return CString();
    return GetValue(m_keys[index]);
}

CString CIniSection::GetValue(LPCWSTR key) const
{
    CString value;
    if (m_values.Lookup(Lower(CString(key)), value))
        return value;
    // A key the section read did not show: ask the profile functions.
    if (m_file.IsEmpty() || !HasKey(key))
        return CString();
    WCHAR buffer[IniValueLength] = {};
    GetPrivateProfileStringW(m_section, key, L"", buffer, IniValueLength, m_file);
    return CString(buffer);
}

bool CIniSection::HasKey(LPCWSTR key) const
{
    for (INT_PTR i = 0; i < m_keys.GetSize(); ++i) {
        if (m_keys[i].CompareNoCase(key) == 0)
            return true;
    }
    return false;
}
