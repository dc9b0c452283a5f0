#include "PathfanServices.h"
#include "Framework.h"
#include <commdlg.h>

UINT CPathfanServices::TrackMenu(HMENU menu, UINT flags, POINT point, HWND owner)
{
    return (UINT)TrackPopupMenu(menu, flags | TPM_RETURNCMD, point.x, point.y, 0, owner, nullptr);
}

POINT CPathfanServices::GetCursorPos()
{
    POINT point = {0, 0};
    ::GetCursorPos(&point);
    return point;
}

ClipboardRead CPathfanServices::GetClipboardText(HWND owner, LPWSTR buffer, int size)
{
    if (size > 0)
        buffer[0] = 0;
    if (!OpenClipboard(owner))
        return ClipboardClosed;
    ClipboardRead result = ClipboardNoText;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data) {
        LPCWSTR text = (LPCWSTR)GlobalLock(data);
        if (text) {
            // The block may lack its terminator: never read past its size.
            SIZE_T chars = GlobalSize(data) / sizeof(WCHAR);
            int count = 0;
            while (count < size - 1 && (SIZE_T)count < chars && text[count])
                ++count;
            if (size > 0) {
                memcpy(buffer, text, count * sizeof(WCHAR));
                buffer[count] = 0;
            }
            GlobalUnlock(data);
            result = ClipboardText;
        }
    }
    CloseClipboard();
    return result;
}

bool CPathfanServices::EmptyClipboard(HWND owner)
{
    if (!OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    CloseClipboard();
    return true;
}

void CPathfanServices::SendHostCommand(HWND host, UINT command)
{
    SendMessageW(host, HostCommandMessage, command, 0);
}

CString CPathfanServices::GetCurrentDirectory()
{
    WCHAR folder[1024] = {};
    DWORD length = ::GetCurrentDirectoryW(1024, folder);
    if (length == 0 || length >= 1024)
        folder[0] = 0;
    return CString(folder);
}

void CPathfanServices::GetLocalTime(SYSTEMTIME* time)
{
    ::GetLocalTime(time);
}

void FilterToDialogForm(LPCWSTR filter, LPWSTR buffer, int size)
{
    memset(buffer, 0, size * sizeof(WCHAR));
    int last = size - 2; // room for the two closing NULs
    for (int i = 0; filter && filter[i] && i < last; ++i)
        buffer[i] = filter[i] == L'|' ? 0 : filter[i];
}

bool CPathfanServices::BrowseFile(LPCWSTR filter, CString& path)
{
    WCHAR filterBuffer[1100];
    FilterToDialogForm(filter, filterBuffer, 1100);
    WCHAR file[MAX_PATH] = {};
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof(open);
    open.lpstrFilter = filterBuffer[0] ? filterBuffer : nullptr;
    open.lpstrFile = file;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!AfxGetPromptService().GetOpenFileName(&open))
        return false;
    path = file;
    return true;
}

bool CPathfanServices::BrowseFolder(LPCWSTR title, CString& path)
{
    WCHAR folder[MAX_PATH] = {};
    lstrcpynW(folder, path, MAX_PATH);
    if (!AfxGetPromptService().BrowseForFolder(nullptr, title, folder))
        return false;
    path = folder;
    return true;
}

void CPathfanServices::Beep(UINT type)
{
    MessageBeep(type);
}
