// Readers of the engine's INI files on top of the profile functions.
#pragma once
#include <windows.h>
#include <vector>

// GetPrivateProfileStringW, through the host's section redirection when
// `iniPath` is the host's main INI `hostMainIni` (compared without case).
DWORD ReadIniString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                    LPWSTR buffer, DWORD size, LPCWSTR iniPath, LPCWSTR hostMainIni);

// Reads a whole key list (`key` null) or a value of any length into `buffer`,
// which it sizes itself: `size` 0 starts with 1024 characters, 1023 to 1025
// with that size; the buffer grows by 1024 characters while fewer than three
// stay free. Any other size reads nothing and returns 0. The buffer always
// ends with two nulls. Returns the number of characters read.
int ReadIniSection(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                   std::vector<WCHAR>& buffer, int size, LPCWSTR iniPath);
