// The localiser: every text the settings utility shows has a numeric id,
// looked up in the localisation file first (key = the decimal id) and then
// in the program's string table. Dialog controls are localised by control
// id the same way. The localisation file is an INI file with one section per
// program ("Prefector" for this utility, whose key "Title" names the
// language; "Merovin" for the engine) and one per module.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "Strings.h"

class CWnd;

// The utility's section of the localisation file.
extern const WCHAR LocalizerSection[]; // "Prefector"

class CLocalizer
{
public:
    // An empty path, or a bare name too long to be joined to the Windows
    // folder: no localisation file, every text from the string table.
    explicit CLocalizer(LPCWSTR lpszFile = nullptr) : m_strFile(lpszFile) {}

    const CString& GetFile() const { return m_strFile; }
    void SetFile(LPCWSTR lpszFile) { m_strFile = lpszFile; }

    // The text of id in the section (NULL: "Prefector"); when the file has
    // none and bFallback is set, the string resource id; else empty. The
    // file is read anew each time, values of any length.
    CString LoadLocalizedString(UINT nID, LPCWSTR lpszSection = nullptr, BOOL bFallback = TRUE) const;
    // Gives the dialog's control nID its localised text ("|" becomes a line
    // break); a control without a text keeps its own.
    void LocalizeDlgItem(int nID, CWnd* pDialog) const;

private:
    CString m_strFile;
};

// Replaces every "|" in the text by a line feed; returns how many.
int ReplaceBarsByNewlines(CString& text);

// One entry of the language list.
struct CLanguageEntry
{
    CString text; // "title <file name>", the built-in entry's own text
    CString path; // the file's full path; empty for the built-in entry
};

// The built-in language first, then every "Language\*.ini" under lpszFolder
// in the order the file search gives them, titled by [Prefector] "Title"
// (else the file's title). Returns the index of the entry whose path is
// lpszCurrentFile (compared without case); a current file not among them is
// listed last, the same way, and its index returned; no file gives 0.
int BuildLanguageList(LPCWSTR lpszFolder, LPCWSTR lpszBuiltInText, LPCWSTR lpszCurrentFile,
                      CArray<CLanguageEntry, const CLanguageEntry&>& entries);
