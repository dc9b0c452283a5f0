// "Numbra.ini" read through the profile functions, one section at a time,
// and kept until the file's last-write time or size changes. Every reader
// sees the file as it is now (an edited function body takes effect at the
// next call) without reading it again for every key.
#pragma once
#include "Framework.h"

// One line of a section: the key, and the value after the first "=" with
// surrounding blanks and one pair of enclosing quotes removed, as the profile
// functions give it. A line without "=" has an empty value and hasValue FALSE.
struct CIniLine {
    CString key;
    CString value;
    BOOL hasValue = FALSE;
};

class CNumbraSettings {
public:
    CNumbraSettings() {}
    CNumbraSettings(const CNumbraSettings&) = delete;
    CNumbraSettings& operator=(const CNumbraSettings&) = delete;
    ~CNumbraSettings() { Forget(); }

    void SetPath(LPCWSTR path);
    LPCWSTR GetPath() const { return m_path; }

    // Drops the kept sections when the file changed since they were read.
    void Refresh();
    // Changes whenever the kept sections are dropped: while it stays the
    // same, every reader gets the same texts as before. Never 0.
    UINT GetGeneration() const { return m_generation; }
    // The section's lines in file order (comment lines left out); empty when
    // the section does not exist.
    const CArray<CIniLine>& GetSection(LPCWSTR section);
    // The value of the first line with the key (without case), cut to
    // size - 1 characters, or the default when there is no such line.
    CString GetString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, int size = 1024);
    // The value's leading decimal number (0 when it has none), or the default
    // when the key is missing or empty.
    int GetInt(LPCWSTR section, LPCWSTR key, int defaultValue);

private:
    struct CSection {
        CString name;
        CArray<CIniLine> lines;
    };
    void Forget();
    static void ReadSection(LPCWSTR path, LPCWSTR section, CArray<CIniLine>& lines);

    CString m_path;
    FILETIME m_written = {};
    ULONGLONG m_size = 0;
    BOOL m_exists = FALSE;
    CArray<CSection*> m_sections;
    UINT m_generation = 1;
};
