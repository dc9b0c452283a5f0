// What the module asks of the system while a command runs: the popup menu,
// the clipboard, the host's commands, the current folder, the clock and the
// file and folder dialogs. The module uses the system's; tests put in their
// own to answer these calls.
#pragma once
#include "TCProtocol.h"
#include "Framework.h"

// Result of CPathfanServices::GetClipboardText.
enum ClipboardRead {
    ClipboardClosed = -1, // the clipboard could not be opened
    ClipboardNoText = 0,  // opened, but it holds no text
    ClipboardText = 1,    // text copied
};

class CPathfanServices
{
public:
    virtual ~CPathfanServices() {}

    // TrackPopupMenu with TPM_RETURNCMD and `flags`; the chosen id or 0.
    virtual UINT TrackMenu(HMENU menu, UINT flags, POINT point, HWND owner);
    virtual POINT GetCursorPos();
    // Opens the clipboard for `owner` and copies its CF_UNICODETEXT text,
    // cut to size - 1 characters and always terminated.
    virtual ClipboardRead GetClipboardText(HWND owner, LPWSTR buffer, int size);
    // Opens and empties the clipboard; false when it could not be opened.
    virtual bool EmptyClipboard(HWND owner);
    // Sends the host command message and returns when the host has run it.
    virtual void SendHostCommand(HWND host, UINT command);
    virtual CString GetCurrentDirectory();
    virtual void GetLocalTime(SYSTEMTIME* time);
    // Open-file dialog with a filter in "text|pattern||" form (may be empty);
    // false when cancelled.
    virtual bool BrowseFile(LPCWSTR filter, CString& path);
    // Folder browser titled `title`; false when cancelled.
    virtual bool BrowseFolder(LPCWSTR title, CString& path);
    virtual void Beep(UINT type);
};

// Writes a filter in "text|pattern||" form as the open-file dialog wants it:
// every "|" a NUL, ended by two NULs (`size` at least 2).
void FilterToDialogForm(LPCWSTR filter, LPWSTR buffer, int size);

