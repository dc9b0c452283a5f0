// CIniHelper: the INI file access the settings utility's models and pages
// share, on top of the profile functions: colour keys, values and key lists
// of any length, whole sections written in one call, and the host's INI
// read through its section redirection.
#pragma once

#include <windows.h>
#include <vector>
#include "Collections.h"
#include "Strings.h"

class CIniHelper
{
public:
    explicit CIniHelper(LPCWSTR lpszFileName) : m_strFileName(lpszFileName) {}
    virtual ~CIniHelper() {}

    CString GetFileName() const { return m_strFileName; }
    void SetFileName(LPCWSTR lpszFileName) { m_strFileName = lpszFileName; }

    // Keys of this helper's file.
    int ReadInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const;
    BOOL WriteInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nValue) const;
    // The whole value, however long.
    CString ReadString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault = L"") const;
    // A NULL value removes the key.
    BOOL WriteString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszValue) const;
    // Every key name of the section, however many.
    void ReadKeyNames(LPCWSTR lpszSection, CStringArray& keys) const;
    // Every line of the section as the profile functions give it ("key=value"
    // with the value as it stands, quotes kept).
    void ReadLines(LPCWSTR lpszSection, CStringArray& lines) const;
    // Replaces the section's keys by "key=value" lines with one write.
    BOOL WriteSection(LPCWSTR lpszSection, const CStringArray& lines) const;
    // WriteColour to this helper's file.
    BOOL WriteColour(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF crColour) const;
    // The system's error of the first write through this helper that failed
    // since it was made or cleared; 0 when every write succeeded.
    DWORD GetWriteError() const { return m_dwWriteError; }
    void ClearWriteError() { m_dwWriteError = 0; }

    // "#RRGGBB" with or without the "#"; an empty value gives the default,
    // text that is not hexadecimal the number read so far.
    static COLORREF ReadColour(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszIni, COLORREF crDefault);
    // Writes "#RRGGBB"; 0xFF000000 (automatic) and 0xFFFFFFFF remove the key.
    static BOOL WriteColour(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszIni, COLORREF crColour);

    // Reads a value (lpszKey set) or the section's key names, each ended by
    // a zero, the list ended by an empty name (lpszKey NULL) into buffer,
    // which grows until nothing was cut. With bRedirect the file is the
    // host's main INI and the section is read where the host's redirection
    // rule puts it. Returns the length read; the buffer ends with two zeros.
    static DWORD ReadProfileBuffer(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault,
                                   std::vector<WCHAR>& buffer, LPCWSTR lpszFile, BOOL bRedirect);
    // The host's [Shortcuts] section ("key=value" lines, each ended by a
    // zero) from the file the redirection rule gives; returns its length.
    static DWORD ReadHostShortcuts(std::vector<WCHAR>& buffer, LPCWSTR lpszHostIni);
    // The file that holds the host's [Shortcuts] section.
    static CString ResolveShortcutsFile(LPCWSTR lpszHostIni);

private:
    // Notes the error of a failed write; returns bWritten.
    BOOL Written(BOOL bWritten) const;

    CString m_strFileName;
    mutable DWORD m_dwWriteError = 0;
};
