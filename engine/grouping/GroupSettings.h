// The grouping keys of a settings section ([Config] or a view mode's section).
#pragma once
#include <windows.h>
#include "Strings.h"

// `spec` = "FileGroups" when "FileGroupping" is non-zero (default 1), then
// "<" and "FileGroups2" when "FileGroupping2" is non-zero (default 1) and
// "FileGroups2" is not empty. Values of any length are kept whole. Returns 0
// when the resulting pattern is empty, else 1.
int ReadGroupPattern(LPCWSTR section, LPCWSTR iniPath, CString& spec);
