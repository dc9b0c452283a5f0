// A folder's own icon, as its "desktop.ini" names it.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "EngineContext.h"

// Answers whether the network connection of a drive ("X:") is known to be
// down. A failed query is not known to be down.
typedef bool (*DriveDisconnectedProc)(LPCWSTR drive);
bool NetDriveDisconnected(LPCWSTR drive);

// True on Windows 6 and later, where "IconResource" is read before "IconFile".
bool IconResourceFirst();

struct CDesktopIniOptions {
    bool skipDisconnected = false;      // "SkipDisconnected"
    bool iconResourceFirst = true;      // IconResourceFirst()
    DriveDisconnectedProc disconnected = NetDriveDisconnected;
};

// The icon file and index "desktop.ini" of `folder` names in [.ShellClassInfo]
// ("IconResource" = file,index or "IconFile" with "IconIndex"), the file
// expanded and joined to the folder unless it is absolute. False for folders
// not on a drive letter (network, plug-in and FTP folders), disconnected
// drives (with skipDisconnected) and no icon named.
bool DesktopIniIconSource(LPCWSTR folder, const CDesktopIniOptions& options, CString& file, int& index);

// The 16 x 16 icon of that source: a negative index is a resource id. Null
// when there is none; the caller destroys the icon.
HICON DesktopIniIcon(LPCWSTR folder, const CDesktopIniOptions& options, PrivateExtractIconsProc extract);
