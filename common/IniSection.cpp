#include "IniSection.h"
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(&text[0], (DWORD)text.size());
    return text;
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t first = 0, last = text.size();
    while (first < last && iswspace(text[first]))
        ++first;
    while (last > first && iswspace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

void CIniSection::Load(LPCWSTR section, LPCWSTR iniPath)
{
    m_values.clear();
    if (!iniPath || !*iniPath)
        return;
    std::vector<WCHAR> buffer(8192);
    DWORD read;
    for (;;) {
        read = GetPrivateProfileSectionW(section, buffer.data(), (DWORD)buffer.size(), iniPath);
        if (read + 2 < buffer.size() || buffer.size() >= 16 * 1024 * 1024)
            break;
        buffer.resize(buffer.size() * 2);
    }
    buffer[std::min<size_t>(read, buffer.size() - 2)] = 0;
    buffer[std::min<size_t>(read + 1, buffer.size() - 1)] = 0;
    for (const WCHAR* line = buffer.data(); *line; line += wcslen(line) + 1) {
        const WCHAR* equals = wcschr(line, L'=');
        if (!equals)
            continue;
        std::wstring key = Lower(Trimmed(std::wstring(line, equals - line)));
        if (key.empty())
            continue;
        m_values.emplace(key, Trimmed(equals + 1));
    }
}

bool CIniSection::Has(LPCWSTR key) const
{
    return m_values.count(Lower(key)) != 0;
}

std::wstring CIniSection::Text(LPCWSTR key, LPCWSTR defaultText) const
{
    auto found = m_values.find(Lower(key));
    if (found == m_values.end())
        return defaultText ? defaultText : L"";
    const std::wstring& value = found->second;
    if (value.size() >= 2 && ((value.front() == L'"' && value.back() == L'"') ||
                              (value.front() == L'\'' && value.back() == L'\'')))
        return value.substr(1, value.size() - 2);
    return value;
}

int CIniSection::Int(LPCWSTR key, int defaultValue) const
{
    std::wstring value = Text(key);
    if (value.empty())
        return defaultValue;
    return (int)wcstol(value.c_str(), nullptr, 10);
}
