// One section of an INI file, read at once: its keys in file order and their
// values as the profile functions give them. Menus list whole sections, and
// reading a long hotlist key by key is slow.
#pragma once
#include "Framework.h"

// Values are cut to this many characters less one, like a 1024-character read.
const int IniValueLength = 1024;

class CIniSection
{
public:
    // Reads `section` of `file`; a missing file or section gives no keys.
    void Read(LPCWSTR file, LPCWSTR section);
    // Reads `section` of the file that the host's redirection rule gives for
    // it when `mainIni` is the host's main INI.
    void ReadHost(LPCWSTR mainIni, LPCWSTR section);

    int GetKeyCount() const { return (int)m_keys.GetSize(); }
    const CString& GetKey(int index) const { return m_keys[index]; }
    // The value of the index-th key (the first line's, for a repeated key).
    CString GetValue(int index) const;
    // The value of a key (compared without case); empty when it is missing.
    CString GetValue(LPCWSTR key) const;
    bool HasKey(LPCWSTR key) const;

private:
    CString m_file;
    CString m_section;
    CStringArray m_keys;
    CMapStringToString m_values; // lower-case key -> value of its first line
};
