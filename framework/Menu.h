// CMenu: a thin object around an HMENU.
//
// A menu object made by CreateMenu, CreatePopupMenu or LoadMenu owns its
// menu and destroys it with the object; an attached menu stays (Attach and
// Detach only bind the object). While bound, the application object's menu
// lookup finds the object from its handle (FromHandlePermanent).
//
// Owner-drawn items: a window's default handling of WM_MEASUREITEM and
// WM_DRAWITEM for menu items calls MeasureItem and DrawItem of the menu
// object that holds the item. WM_DRAWITEM names the menu; for
// WM_MEASUREITEM, which names only the item id, the menu is searched from
// the menu being tracked (when the window is its owner) or the window's own
// menu: an item with that id belongs to the menu that holds it, and a
// popup item whose submenu handle equals the id belongs to the submenu.
// TrackPopupMenu and TrackPopupMenuEx record the tracked menu in the
// thread's state (ThreadState.h) while they run.
#pragma once

#include <windows.h>
#include "Object.h"
#include "Strings.h"

class CWnd;

class CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() {}
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the application's resource module (AfxGetResourceHandle).
    BOOL LoadMenu(UINT nIDResource);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    // Destroys the menu (also an attached one) and unbinds the object.
    BOOL DestroyMenu();
    // The object bound to the menu, or NULL (also without an application object).
    static CMenu* FromHandlePermanent(HMENU hMenu);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr)
    { return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr)
    { return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr)
    { return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    { return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    HMENU GetSubMenu(int nPos) const { return ::GetSubMenu(m_hMenu, nPos); }
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOW lpInfo, BOOL fByPos = FALSE) const
    { return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpInfo); }
    BOOL SetMenuItemInfo(UINT uItem, LPCMENUITEMINFOW lpInfo, BOOL fByPos = FALSE)
    { return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpInfo); }
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) const
    { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }

    // Show the popup menu owned by pWnd and return what the system returns
    // (with TPM_RETURNCMD the chosen command, 0 for none).
    int TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    int TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

    // Owner-drawn items. The base versions do nothing, and the message then
    // goes on to the window's default handling.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // A window's default handling of the two messages for menu items (see
    // above); TRUE when a menu object drew or measured the item.
    static BOOL RouteMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    static BOOL RouteDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // The menu under hMenu (itself included) that holds the item, as
    // RouteMeasureItem searches it; NULL when none does.
    static HMENU FindMenuOfItem(HMENU hMenu, UINT nItemID);

private:
    void Bind(HMENU hMenu, bool owned);
    void Unbind();

    bool m_bOwned = false;
    bool m_bBaseOwnerDraw = false; // set by the base MeasureItem/DrawItem
};
