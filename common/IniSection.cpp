#include "IniSection.h"
#include "HostIniRedirect.h"
#include <cwchar>
#include <vector>

namespace {

CString Lower(const CString& text)
{
    CString lower(text);
    lower.MakeLower();
    return lower;
}

} // namespace

CString ProfileValue(LPCWSTR raw)
{
    CString value(raw);
    value.Trim(L" \t");
    int length = value.GetLength();
    if (length >= 2 && (value[0] == L'"' || value[0] == L'\'') && value[length - 1] == value[0])
        value = value.Mid(1, length - 2);
    return value;
}

void CIniSection::Load(LPCWSTR section, LPCWSTR file)
{
    m_keys.RemoveAll();
    m_values.RemoveAll();
    if (!file || !*file || !section || !*section)
        return;
    std::vector<WCHAR> buffer(8192);
    DWORD read;
    for (;;) {
        read = GetPrivateProfileSectionW(section, buffer.data(), (DWORD)buffer.size(), file);
        if (read + 2 < buffer.size() || buffer.size() >= 16 * 1024 * 1024)
            break;
        buffer.resize(buffer.size() * 2);
    }
    buffer[std::min<size_t>(read, buffer.size() - 2)] = 0;
    buffer[std::min<size_t>(read + 1, buffer.size() - 1)] = 0;
    // Lines without "=" are no keys.
    for (LPCWSTR line = buffer.data(); *line; line += wcslen(line) + 1) {
        LPCWSTR equals = wcschr(line, L'=');
        if (!equals)
            continue;
        CString key(line, (int)(equals - line));
        key.Trim(L" \t");
        if (key.IsEmpty())
            continue;
        m_keys.Add(key);
        CString lower = Lower(key);
        CString existing;
        if (m_values.Lookup(lower, existing))
            continue;
        CString value = ProfileValue(equals + 1);
        if (m_valueLength > 0 && value.GetLength() > m_valueLength - 1)
            value = value.Left(m_valueLength - 1);
        m_values.SetAt(lower, value);
    }
}

void CIniSection::LoadHost(LPCWSTR section, LPCWSTR mainIni)
{
    WCHAR file[HostIniPathLength + 1] = {};
    if (!ResolveHostIniFile(section, mainIni, file, HostIniPathLength + 1))
        file[0] = 0;
    Load(section, file);
}

CString CIniSection::Text(int index) const
{
    if (index < 0 || index >= KeyCount())
        return CString();
    return Text(m_keys[index]);
}

CString CIniSection::Text(LPCWSTR key, LPCWSTR defaultText) const
{
    CString value;
    if (key && m_values.Lookup(Lower(CString(key)), value))
        return value;
    return CString(defaultText ? defaultText : L"");
}

int CIniSection::Int(LPCWSTR key, int defaultValue) const
{
    CString value = Text(key);
    if (value.IsEmpty())
        return defaultValue;
    return (int)wcstol(value, nullptr, 10);
}

bool CIniSection::Has(LPCWSTR key) const
{
    CString value;
    return key && m_values.Lookup(Lower(CString(key)), value);
}
