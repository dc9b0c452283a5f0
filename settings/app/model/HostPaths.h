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

// Finds the host folder ("%COMMANDER_PATH%", else the registry's
// "InstallDir"), its command list, its INI ("%COMMANDER_INI%", else
// "IniFileName", ".\" meaning the host folder), "usercmd.ini" and the
// translated command files named by [Configuration] "LanguageINI". A missing
// folder or INI is reported (messages 105 and 104) and start-up goes on.
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
