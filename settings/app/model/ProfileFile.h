// CProfileFile: an INI file read once and answered as the profile functions
// answer. A profile read searches every section before the one it asks for,
// so reading one key of each of thousands of sections that way grows with
// the square of their count; this reads the file once and finds a section by
// its name at once.
#pragma once

#include <windows.h>
#include <string>
#include <unordered_map>
#include <vector>
#include "Collections.h"
#include "Strings.h"

class CProfileFile
{
public:
    // Reads the whole file, decoded by its byte-order mark (UTF-16 in either
    // byte order, UTF-8) or else in the ANSI code page; a name without a
    // folder is taken from the Windows folder, as the profile functions do.
    // FALSE when the file cannot be read (it then has no sections).
    BOOL Load(LPCWSTR lpszFile);

    // The names of the sections in file order, repeated names included and
    // unnamed ones left out, as GetPrivateProfileSectionNamesW gives them.
    void GetSectionNames(CStringArray& names) const;

    // What GetPrivateProfileStringW gives for the key into a buffer of nSize
    // characters (empty when it is missing): the first section of that name
    // and its first key of that name, both without case and blanks around
    // the names; one pair of enclosing quotes removed; at most nSize - 1
    // characters.
    CString GetString(LPCWSTR lpszSection, LPCWSTR lpszKey, int nSize) const;

private:
    struct CEntry
    {
        std::wstring name;
        std::wstring value;
        bool bHasValue; // a line without "=" is a key without a value
    };
    struct CSection
    {
        std::wstring name;
        std::vector<CEntry> entries;
    };

    void Parse(const std::wstring& text);

    std::vector<CSection> m_sections; // the first is the unnamed one before any header
    std::unordered_map<std::wstring, size_t> m_firstByName; // lower-case name -> first section
};
