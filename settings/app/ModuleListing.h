// The modules of [PluginList] as the Plugins page lists them: each module is
// loaded only long enough to call its "GetInfo", and what it answers is
// checked before anything is read from it (a module is outside input).
//
// Rows of the page's literal command list:
// - a group row per module: name "title (path)" (or "key (failure word
//   path)"), number = the module key, description = the title, extra = the
//   path as listed; RowPathAsKey when [PluginList] names the path as key;
// - one row per command: name = caption, number = "%d" of the id,
//   description, extra = the command key "module,id"; RowOwnKey when bound.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "CommandList.h"
#include "Strings.h"

class CLocalizer;

// A group row whose [PluginList] line has the path as its key.
const int RowPathAsKey = 0x100;

// The result of listing one module.
enum ModuleListResult
{
    ModuleListed = 0,
    ModuleNotLoaded = 1, // the library does not load
    ModuleNoInfo = 2,    // no "GetInfo", no answer, or an answer that cannot be true
};

// Highest command count a module may answer.
const int MaxModuleCommands = 4096;

typedef CArray<_CLItem, const _CLItem&> CModuleRows;

// One [PluginList] line split by the engine's rule: a key holding "\" is the
// path and the value the name, otherwise the key is the name.
struct CPluginListLine
{
    CString strKey;  // the module key (may be empty)
    CString strPath; // as listed
    BOOL bPathAsKey = FALSE;
};

// Every line of [PluginList], however many and however long.
void ReadPluginList(LPCWSTR lpszIni, CArray<CPluginListLine, const CPluginListLine&>& lines);

// The file a listed path loads: environment variables expanded and a
// relative path taken from lpszOwnFolder (the engine's folder).
CString ModuleLoadPath(LPCWSTR lpszPath, LPCWSTR lpszOwnFolder);

// Loads the module, calls "GetInfo" and frees it again. On success the
// rows (group first) are appended and strKey holds the module key (the
// given one, else the module's own name, else the file's base name).
// Nothing is appended on failure.
int ListModule(CString& strKey, LPCWSTR lpszPath, LPCWSTR lpszOwnFolder, const CLocalizer& localizer,
               CModuleRows& rows);

// The group row of a module that could not be listed.
_CLItem FailedModuleRow(LPCWSTR lpszKey, LPCWSTR lpszPath, LPCWSTR lpszFailureWord);
