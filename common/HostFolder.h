// Where the host is installed: its folder from "%COMMANDER_PATH%" or the
// registry, its command list and the values of its registry key. The engine
// and the settings utility find the host the same way.
//
// The registry key is read in the 64-bit view (KEY_WOW64_64KEY): the engine
// runs inside the 64-bit host, and the 32-bit settings utility must find
// that same host rather than a 32-bit one listed under WOW6432Node.
#pragma once
#include <windows.h>
#include "Strings.h"

// The value of "Software\Ghisler\Total Commander" under HKEY_CURRENT_USER,
// else under HKEY_LOCAL_MACHINE, when it is text (REG_SZ, or REG_EXPAND_SZ,
// which is expanded); empty when neither holds it.
CString ReadHostRegistryText(LPCWSTR valueName);

// The host folder from "%COMMANDER_PATH%", else the registry's "InstallDir";
// empty when none is known.
CString FindHostFolder();

// "totalcmd.inc" in the folder, else "wincmd.inc"; empty when the folder is
// empty or neither file exists.
CString FindHostCommandFileIn(LPCWSTR folder);

// The command list of the host folder FindHostFolder gives.
CString FindHostCommandFile();
