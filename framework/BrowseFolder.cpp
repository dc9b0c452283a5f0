#include "BrowseFolder.h"
#include <ole2.h>
#include <shlobj.h>

namespace {

// Preselects the caller's folder once the dialog is up.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED) {
        LPCWSTR start = (LPCWSTR)data;
        if (start && *start)
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, (LPARAM)start);
    }
    return 0;
}

} // namespace

BOOL BrowseForFolder(LPCWSTR title, LPWSTR path, HWND owner)
{
    if (!path)
        return FALSE;
    // The new dialog style needs OLE on this thread; balance only our own start.
    HRESULT ole = OleInitialize(nullptr);

    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = (title && *title) ? title : L"Choose Folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)path;

    BOOL chosen = FALSE;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (list) {
        WCHAR folder[MAX_PATH] = {};
        if (SHGetPathFromIDListW(list, folder) && folder[0]) {
            lstrcpynW(path, folder, MAX_PATH);
            chosen = TRUE;
        }
        CoTaskMemFree(list);
    }
    if (ole == S_OK || ole == S_FALSE)
        OleUninitialize();
    return chosen;
}
