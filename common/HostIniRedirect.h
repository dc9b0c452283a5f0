// The host's section redirection: a section of the host's main INI may live in
// the alternate user INI or in a file of its own. The engine, the settings
// utility and the directory-menu module read host sections through this rule.
#pragma once
#include <windows.h>

// Longest path the rule handles (the host keeps its INI names within it).
const DWORD HostIniPathLength = 260;

// True when `file` holds no "\" or "/" and is too long to be joined to the
// Windows folder, where the profile functions look for such a name, within
// MAX_PATH: their buffer would overflow, so such a name counts as no file.
bool IsOverlongBareName(LPCWSTR file);

// True when the section is one of the host's sections that stay in the main
// INI unless "RedirectSection" says otherwise (compared without case).
bool IsFixedHostSection(LPCWSTR section);

// Writes into `file` the expanded path of the file that holds `section` of the
// main INI `mainIni`: [Configuration] "AlternateUserIni" names the alternate
// file, the section's own "RedirectSection" picks "0" main, "1" alternate,
// another text a path, and empty the main INI for a fixed section, else the
// alternate file. A relative path (after expansion) is taken from the main
// INI's folder. Returns false (and an empty `file`) without a main INI, and
// when the main INI or the file found is an overlong bare name.
bool ResolveHostIniFile(LPCWSTR section, LPCWSTR mainIni, LPWSTR file, DWORD size);

// GetPrivateProfileStringW on the file that holds the section.
DWORD ReadHostIniString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                        LPWSTR buffer, DWORD size, LPCWSTR mainIni);

// The key's decimal value read through the rule; an empty text gives the default.
int ReadHostIniInt(LPCWSTR section, LPCWSTR key, int defaultValue, LPCWSTR mainIni);
