// Text ids of the settings utility's model: looked up in the localisation
// file, then in the program's string table (MerovSetStrings.rc).
#pragma once

#include <windows.h>
#include "Strings.h"

enum ModelTextId : UINT
{
    IdsAssignAnyway = 102,     // "Hotkey '%s' already assigned to '%s' command.\nAssign it anyway?"
    IdsUndefinedCommand = 103, // "Hotkey '%s' is assigned to the undefined command '%s'. ..."
    IdsNoHostIni = 104,
    IdsNoHostFolder = 105,
    IdsNone = 139,             // "<None>"
    IdsUserCommands = 167,
    IdsFirstCommand = 186,
    IdsHotKey = 187,
    IdsSecondCommand = 188,
    IdsPictureFileName = 199,
    IdsModeExists = 203,       // "View mode '%s' already exists."
    IdsDefaultBackground = 208, // "<Default>"
    IdsHostFileMasks = 231,
    IdsGraphicFiles = 232,
    IdsModeNameReserved = 238, // a view-mode name that cannot be a section name
    IdsAppTitle = 57344,
};

// The text with each "%s" replaced by the next argument (missing ones by
// nothing) and "%%" by "%"; other "%" sequences stay. Localised message
// texts come from files: they must never drive a printf-style formatter.
CString FormatLocalText(LPCWSTR lpszFormat, LPCWSTR lpszFirst, LPCWSTR lpszSecond = nullptr);
