// The text rules of the sections "PluginList" and "Plugins".
#pragma once
#include <windows.h>
#include "Strings.h"

// The 64-bit build of a listed module file: the extension of the file name
// (from the last "." after the last "\") becomes "64.dll"; a file name
// without a dot gets "64.dll" appended. Dots in folder names are not touched.
CString WideModuleFile(LPCWSTR path);

// Name and path of one "PluginList" line. A key holding "\" is the path and
// the value the name; otherwise the key is the name and the value the path of
// the module's listed build, which becomes its 64-bit build. The path is then
// resolved against the engine folder (ResolveModulePath).
void ParsePluginListLine(LPCWSTR key, LPCWSTR value, LPCWSTR engineFolder,
                         CString& name, CString& path);

// The value of one "Plugins" line: cut at the first ";", split at the last
// ","; the module part is trimmed of blanks, the parameter is the decimal
// number after the "," (0 without one).
void ParsePluginsValue(LPCWSTR value, CString& module, int& parameter);
