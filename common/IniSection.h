// One section of an INI file read with a single profile call and looked up
// in memory: the settings reader asks for some eighty keys per start.
#pragma once
#include <windows.h>
#include <string>
#include <unordered_map>

class CIniSection {
public:
    // Reads every "key=value" line of the section; a missing file or section
    // leaves it empty. The first line of a key wins, as with the profile calls.
    void Load(LPCWSTR section, LPCWSTR iniPath);
    // The value as GetPrivateProfileStringW gives it (one pair of enclosing
    // quotes removed); `defaultText` when the key is missing.
    std::wstring Text(LPCWSTR key, LPCWSTR defaultText = L"") const;
    // The value as GetPrivateProfileIntW reads it: leading decimal digits with
    // an optional sign; `defaultValue` when the key is missing or empty.
    int Int(LPCWSTR key, int defaultValue) const;
    bool Has(LPCWSTR key) const;

private:
    std::unordered_map<std::wstring, std::wstring> m_values;
};
