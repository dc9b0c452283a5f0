// What the drive menu asks of the system where the system may have nothing to
// give (no remote session, no client shares, no keyboard layout for a
// character): one replaceable object whose default is the real system.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "Framework.h"

class CDriveListSources {
public:
    virtual ~CDriveListSources() {}
    // The process runs in a remote session other than session 0.
    virtual bool RemoteSession();
    // The in-folder names of the file-system shares of "\\tsclient".
    virtual void ClientShares(CStringArray& names);
    // VkKeyScanW.
    virtual SHORT KeyScan(WCHAR ch);
    virtual void Beep();
    // SHGetFileInfoW of a path (or, with SHGFI_PIDL, an item id list).
    virtual DWORD_PTR FileInfo(LPCWSTR path, SHFILEINFOW& info, UINT flags);
    // HKLM Explorer "ShowDriveLettersFirst": 0 when missing, -1 when the key
    // cannot be opened.
    virtual int ShowDriveLettersFirst();
};
