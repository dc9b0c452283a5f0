// One section of an INI file read with one profile call and looked up in
// memory: its keys in file order and their values as the profile functions
// give them (blanks trimmed, one pair of enclosing quotes removed; a repeated
// key gives the value of its first line). Settings readers ask for dozens of
// keys, and menus list whole sections: key by key would be slow.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "Collections.h"

// A raw profile value as GetPrivateProfileStringW gives it: blanks trimmed and
// one pair of matching quotes removed.
CString ProfileValue(LPCWSTR raw);

class CIniSection {
public:
    // `valueLength`: values are cut to this many characters less one, as a
    // profile read into a buffer of that size; 0 keeps them whole.
    explicit CIniSection(int valueLength = 0) : m_valueLength(valueLength) {}

    // Reads `section` of `file`; a missing file or section gives no keys.
    void Load(LPCWSTR section, LPCWSTR file);
    // Reads `section` of the file that the host's redirection rule gives for
    // it, `mainIni` being the host's main INI.
    void LoadHost(LPCWSTR section, LPCWSTR mainIni);

    int KeyCount() const { return (int)m_keys.GetSize(); }
    const CString& Key(int index) const { return m_keys[index]; }
    // The value of the index-th key; empty out of range.
    CString Text(int index) const;
    // The value of a key (compared without case); `defaultText` when missing.
    CString Text(LPCWSTR key, LPCWSTR defaultText = L"") const;
    // The value as GetPrivateProfileIntW reads it: leading decimal digits with
    // an optional sign; `defaultValue` when the key is missing or empty.
    int Int(LPCWSTR key, int defaultValue) const;
    bool Has(LPCWSTR key) const;

private:
    int m_valueLength;
    CStringArray m_keys;         // every key line, in file order
    CMapStringToString m_values; // lower-case key -> value of its first line
};
