// The engine's data files beside it ("Merovin.bkm", "Merovin.stk"): profile
// files whose sections hold numbered keys "1", "2", ... "n". A section is read
// in one call and written in one call, so a rewrite never leaves it half
// written and costs one file update.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

// Names and paths compare without case, ordinally (no linguistic folding).
inline bool SameNoCase(LPCWSTR a, LPCWSTR b)
{
    return ::CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

// The values of keys "1", "2", ... of `section` up to the first missing or
// empty one (at most `maxKeys`; 0 no limit). False when the section holds no line.
bool ReadNumberedSection(LPCWSTR file, LPCWSTR section, int maxKeys, std::vector<CString>& values);
// Replaces `section` with keys "1" .. "n" holding `values`; no values remove it.
bool WriteNumberedSection(LPCWSTR file, LPCWSTR section, const std::vector<CString>& values);
// Creates `file` holding only the UTF-16 byte-order mark, so that the
// profile functions keep every character of it. 0, or the error of a failed creation.
DWORD CreateUnicodeProfile(LPCWSTR file);
// True when `file` exists as a file (not a folder).
bool ProfileFileExists(LPCWSTR file);
