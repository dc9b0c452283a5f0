// Where the settings utility finds the host's files, and what its command
// line asks for.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "Strings.h"

class CLocalizer;

struct CHostPaths
{
    CString strHostFolder;
    CString strCommandFile;     // "totalcmd.inc", else "wincmd.inc"; empty when neither exists
    CString strHostIni;
    CString strUserCommandFile; // "usercmd.ini" beside the host INI
    CString strTranslatedFile;  // the language's ".inc" (or "/inc=")
    CString strTranslatedIni;   // its ".ini" sibling
};

// Started outside the host, the utility has no "%COMMANDER_PATH%": sets it
// for this process to the host folder found in the registry ("InstallDir"),
// so that every path read afterwards that names it (the language file, the
// host INI, module and picture paths) means what it means in the host. Does
// nothing when the variable is set or no folder is found.
void ProvideHostFolderVariable();

// Finds the host folder ("%COMMANDER_PATH%", else the registry's
// "InstallDir"), its command list, its INI ("%COMMANDER_INI%", else
// "IniFileName", ".\" meaning the host folder), "usercmd.ini" and the
// translated command files named by [Configuration] "LanguageINI". A missing
// folder, or a host INI that does not exist, is reported (messages 105 and
// 104) and start-up goes on.
void FindHostPaths(CHostPaths& paths, const CLocalizer& localizer);

// The command line: "/inc=file" names the translated command file and ends
// the scan; "/merov" picks the engine's commands (set 1), "/tcmd" the host's
// (set 0), each optionally followed by "=" and a filter text.
struct CStartOptions
{
    int nCommandSet = 0;
    CString strFilter;
    CString strTranslatedFile; // from "/inc=", environment-expanded
    BOOL bTranslatedFile = FALSE;
};

// Reads the arguments after the program's name.
CStartOptions ParseCommandLine(const CStringArray& args);

// The text with its environment variables expanded.
CString ExpandText(LPCWSTR lpszText);
