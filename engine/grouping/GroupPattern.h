// The group pattern of file grouping and its matching. A pattern
// lists masks: ":" separates masks of one group, "|" starts the next group,
// "<" starts the bottom part (sorted after the names that match nothing), a
// ">" first in the pattern or right after "<" numbers the names of that
// part by the mask they matched, and "=Name" names one of the host's saved
// searches. A name's group key is
//   (numbered ? mask place : 0) + (bottom ? NoGroupKey : 0) + group * 256
// and NoGroupKey when no mask matches.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The key of a name that matches no mask (and of every name without a pattern).
const UINT NoGroupKey = 0x3FFF0000;

// "*" any run of characters (also none), "?" any one character, every other
// character itself without regard to letter case.
bool WildcardMatch(LPCWSTR pattern, LPCWSTR name);

// The value of the host's saved search `name` ("<name>_SearchFor" of
// [Searches] in the host's main INI, through the redirection rule); at most
// 1023 characters, empty when unknown.
std::wstring ReadSavedSearch(LPCWSTR name, LPCWSTR hostIni);

// One mask of a pattern: a wildcard pattern, or the patterns of a saved
// search ("=Name": its value split at every ";" and blank).
class CGroupMask {
public:
    CGroupMask(const std::wstring& mask, LPCWSTR hostIni);
    // `foldedName` is the name after FoldName.
    bool Matches(const std::wstring& foldedName) const;

private:
    std::vector<std::wstring> m_patterns; // case-folded
};

// A mask on its own, as the pattern reads it.
bool MaskMatches(LPCWSTR mask, LPCWSTR name, LPCWSTR hostIni);

// The pattern taken apart once, with its saved searches read, so that
// a name's key costs no parsing and no profile reads.
class CGroupPattern {
public:
    // `hostIni` is the host's main INI for saved searches (may be empty).
    void Set(LPCWSTR spec, LPCWSTR hostIni);
    bool IsEmpty() const { return m_masks.empty(); }
    // The key of the first mask the name matches, else NoGroupKey.
    UINT KeyOf(LPCWSTR name) const;

private:
    struct KeyedMask {
        CGroupMask mask;
        UINT key;
    };
    std::vector<KeyedMask> m_masks;
};

// Case folding of a name as the masks compare it (the system's upper case).
std::wstring FoldName(LPCWSTR name);
