#include "GroupPattern.h"
#include "HostIniRedirect.h"

std::wstring FoldName(LPCWSTR name)
{
    std::wstring folded = name ? name : L"";
    bool plain = true;
    for (wchar_t& c : folded) {
        if (c >= L'a' && c <= L'z')
            c = (wchar_t)(c - (L'a' - L'A'));
        else if (c >= 0x80)
            plain = false;
    }
    if (!plain && !folded.empty())
        CharUpperBuffW(&folded[0], (DWORD)folded.size());
    return folded;
}

namespace {

// Both texts already folded. Greedy, with one back-tracking point at the
// last "*" passed: on a mismatch the "*" takes one more character.
bool FoldedMatch(const std::wstring& pattern, const std::wstring& name)
{
    size_t p = 0, n = 0;
    size_t starPattern = std::wstring::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::wstring::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool WildcardMatch(LPCWSTR pattern, LPCWSTR name)
{
    return FoldedMatch(FoldName(pattern), FoldName(name));
}

std::wstring ReadSavedSearch(LPCWSTR name, LPCWSTR hostIni)
{
    if (!hostIni || !*hostIni)
        return std::wstring();
    std::wstring key = std::wstring(name ? name : L"") + L"_SearchFor";
    WCHAR value[1024] = {};
    ReadHostIniString(L"Searches", key.c_str(), L"", value, 1024, hostIni);
    return value;
}

CGroupMask::CGroupMask(const std::wstring& mask, LPCWSTR hostIni)
{
    if (mask.empty() || mask[0] != L'=') {
        m_patterns.push_back(FoldName(mask.c_str()));
        return;
    }
    std::wstring value = FoldName(ReadSavedSearch(mask.c_str() + 1, hostIni).c_str());
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find_first_of(L"; \t", start);
        if (end == std::wstring::npos)
            end = value.size();
        if (end > start)
            m_patterns.push_back(value.substr(start, end - start));
        start = end + 1;
    }
}

bool CGroupMask::Matches(const std::wstring& foldedName) const
{
    for (const std::wstring& pattern : m_patterns)
        if (FoldedMatch(pattern, foldedName))
            return true;
    return false;
}

bool MaskMatches(LPCWSTR mask, LPCWSTR name, LPCWSTR hostIni)
{
    return CGroupMask(mask ? mask : L"", hostIni).Matches(FoldName(name));
}

// Reads the pattern as the matching walks it: each mask gets the key
// that a match at its place gives.
void CGroupPattern::Set(LPCWSTR specText, LPCWSTR hostIni)
{
    m_masks.clear();
    std::wstring spec = specText ? specText : L"";
    if (spec.empty())
        return;
    size_t pos = 0;
    bool numbered = spec[0] == L'>';
    if (numbered)
        pos = 1;
    UINT group = 0, place = 1;
    bool bottom = false;
    for (;;) {
        size_t end = spec.find_first_of(L":|<", pos);
        std::wstring mask = spec.substr(pos, end == std::wstring::npos ? std::wstring::npos : end - pos);
        UINT key = (numbered ? place : 0) + (bottom ? NoGroupKey : 0) + group * 256;
        m_masks.push_back({CGroupMask(mask, hostIni), key});
        if (end == std::wstring::npos)
            break;
        wchar_t delimiter = spec[end];
        pos = end + 1;
        if (delimiter == L':') {
            ++place;
        } else {
            ++group;
            place = 1;
        }
        // Only the first "<" starts the bottom part; a second one starts a group.
        if (!bottom && delimiter == L'<') {
            bottom = true;
            numbered = pos < spec.size() && spec[pos] == L'>';
            if (numbered)
                ++pos;
        }
    }
}

UINT CGroupPattern::KeyOf(LPCWSTR name) const
{
    if (m_masks.empty())
        return NoGroupKey;
    std::wstring folded = FoldName(name);
    for (const KeyedMask& entry : m_masks)
        if (entry.mask.Matches(folded))
            return entry.key;
    return NoGroupKey;
}
