#include "IconMenuWnd.h"
#include <windowsx.h>
#include "IconMenu.h"
#include "IconMenuShared.h"

BOOL CIconMenuWnd::Create()
{
    HWND parent = (m_pOwner && m_pOwner->m_hWnd) ? m_pOwner->m_hWnd : GetDesktopWindow();
    return CreateEx(0, nullptr, L"IconMenuWnd", WS_POPUP | WS_CHILD, 1, 1, 0, 0, parent, nullptr);
}

bool CIconMenuWnd::IsDriveCaption(const CString& caption)
{
    WCHAR letter = caption.GetAt(0);
    bool ascii = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
    return ascii && caption.GetAt(1) == L' ';
}

LRESULT CIconMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MENUCHAR:
        return OnMenuChar(wParam, lParam);
    case WM_MENURBUTTONUP:
        return 0;
    case WM_CONTEXTMENU:
        return OnContextMenu(wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The owner answers typed characters (the drive menu picks drives by
// letter); without one, the first item whose mnemonic is the character runs.
LRESULT CIconMenuWnd::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    WCHAR typed = LOWORD(wParam);
    if (m_pOwner && m_pOwner->m_hWnd)
        return m_pOwner->SendMessage(WM_MENUCHAR, MAKEWPARAM(typed, MF_POPUP), lParam);
    CIconMenu* menu = CIconMenu::FromHandle(reinterpret_cast<HMENU>(lParam));
    if (!menu)
        return Default();
    CString wanted = CString(L"&") + typed;
    wanted.MakeLower();
    int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        const IconMenuItem* item = menu->GetItem((UINT)i, TRUE);
        if (!item || item->IsSeparator())
            continue;
        CString caption = item->caption;
        if (caption.MakeLower().Find(wanted) >= 0)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return Default();
}

// Wine and newer systems send no WM_CONTEXTMENU for a right click inside a
// tracked menu; the message is still answered when it comes.
LRESULT CIconMenuWnd::OnContextMenu(WPARAM, LPARAM lParam)
{
    if (!m_pMenu || !m_pMenu->m_hMenu)
        return 0;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int count = m_pMenu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        RECT rect;
        if (!GetMenuItemRect(nullptr, m_pMenu->m_hMenu, (UINT)i, &rect) || !PtInRect(&rect, point))
            continue;
        const IconMenuItem* item = m_pMenu->GetItem((UINT)i, TRUE);
        if (!item || item->IsSeparator() || !IsDriveCaption(item->caption))
            break;
        CStringArray paths;
        paths.Add(CString(item->caption.GetAt(0)) + L":\\");
        CIconMenuShared::SetContextMenuShown(TRUE);
        CIconMenuShared::Tracker().ShowShellMenu(paths, m_hWnd, point);
        CIconMenuShared::SetContextMenuShown(FALSE);
        break;
    }
    return 0;
}
