// CIconMenu: building, looking up and destroying the items, and tracking.
#include "IconMenu.h"
#include <string>
#include "BackWnd.h"
#include "IconMenuShared.h"
#include "IconMenuWnd.h"

IMPLEMENT_DYNAMIC(CIconMenu, CMenu)

namespace {

// The thread-wide tracking hook, installed for the time of one TrackModal.
class CTrackingHook {
public:
    explicit CTrackingHook(HWND window)
    {
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &CBackWnd::TrackingHookProc, nullptr,
                                       GetWindowThreadProcessId(window, nullptr));
        CIconMenuShared::SetTrackingHook(hook);
    }
    ~CTrackingHook()
    {
        if (HHOOK hook = CIconMenuShared::TrackingHook())
            UnhookWindowsHookEx(hook);
        CIconMenuShared::SetTrackingHook(nullptr);
    }
    CTrackingHook(const CTrackingHook&) = delete;
    CTrackingHook& operator=(const CTrackingHook&) = delete;
};

// Set while a menu is tracked for real; a second TrackModal is refused.
bool& TrackingNow()
{
    static bool tracking = false;
    return tracking;
}

} // namespace

CIconMenu::CIconMenu()
{
    ReadMenuColorsWith(m_colors, [](LPCWSTR) { return std::wstring(); }, false);
    CIconMenuShared::AddFontReference();
    CreatePopupMenu();
}

CIconMenu::~CIconMenu()
{
    CIconMenuShared::ReleaseFontReference();
    DestroyItems();
}

BOOL CIconMenu::AddItem(LPCWSTR caption, UINT id, UINT flags)
{
    IconMenuItem* item = new IconMenuItem;
    item->caption = caption ? caption : L"";
    return InsertItem(id, item, flags, -1);
}

BOOL CIconMenu::AddItemWithHint(LPCWSTR caption, LPCWSTR hint, UINT id)
{
    CString text;
    text.Format(L"%s\t%s", caption ? caption : L"", hint ? hint : L"");
    return AddItem(text, id, 0);
}

BOOL CIconMenu::AddSubmenu(CIconMenu* submenu, LPCWSTR caption, HICON icon)
{
    if (!submenu || submenu == this || !submenu->m_hMenu)
        return FALSE;
    IconMenuItem* item = new IconMenuItem;
    item->caption = caption ? caption : L"";
    item->icon = icon;
    item->tag = reinterpret_cast<UINT_PTR>(submenu);
    submenu->m_pParent = this;
    if (InsertItem(reinterpret_cast<UINT_PTR>(submenu->m_hMenu), item, MF_POPUP, -1))
        return TRUE;
    // Not in the menu, so not deleted with it: the caller's object stays the caller's.
    submenu->m_pParent = nullptr;
    return FALSE;
}

BOOL CIconMenu::InsertItem(UINT_PTR id, IconMenuItem* item, UINT flags, int position)
{
    if (!item)
        return FALSE;
    int count = GetMenuItemCount();
    if (!m_hMenu || count < 0) {
        delete item;
        return FALSE;
    }
    int at = (position < 0 || position > count) ? count : position;
    item->position = at;
    item->type = flags & (MF_SEPARATOR | MF_POPUP);
    if (!InsertMenu((UINT)at, flags | MF_OWNERDRAW | MF_BYPOSITION, id, reinterpret_cast<LPCWSTR>(item))) {
        delete item;
        return FALSE;
    }
    if (at < count)
        RenumberItems();
    if (flags & MFS_DEFAULT)
        SetDefaultItem((UINT)at, TRUE);
    ++m_itemCount;
    return TRUE;
}

// An insert before the end shifts the items after it.
void CIconMenu::RenumberItems()
{
    int count = GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        if (IconMenuItem* item = GetItem((UINT)i, TRUE))
            item->position = i;
    }
}

IconMenuItem* CIconMenu::GetItem(UINT item, BOOL byPosition) const
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    if (!m_hMenu || !GetMenuItemInfo(item, &info, byPosition) || !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return reinterpret_cast<IconMenuItem*>(info.dwItemData);
}

CIconMenu* CIconMenu::FromHandle(HMENU hMenu)
{
    CMenu* menu = FromHandlePermanent(hMenu);
    return (menu && menu->IsKindOf(RUNTIME_CLASS(CIconMenu))) ? static_cast<CIconMenu*>(menu) : nullptr;
}

const CIconMenu* CIconMenu::HolderOf(UINT itemId) const
{
    return (m_pParent && itemId == (UINT)(UINT_PTR)m_hMenu) ? m_pParent : this;
}

IconMenuItem* CIconMenu::FindRecord(UINT itemId, ULONG_PTR data) const
{
    if (!data)
        return nullptr;
    // Ids are unique but for separators (0), so the command lookup finds
    // nearly every item at once; the walk finds the rest.
    IconMenuItem* byId = GetItem(itemId, FALSE);
    if (reinterpret_cast<ULONG_PTR>(byId) == data)
        return byId;
    int count = GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        IconMenuItem* item = GetItem((UINT)i, TRUE);
        if (reinterpret_cast<ULONG_PTR>(item) == data)
            return item;
    }
    return nullptr;
}

BOOL CIconMenu::IsDefaultItem(const IconMenuItem* item) const
{
    return GetDefaultItem(GMDI_USEDISABLED, TRUE) == (UINT)item->position;
}

BOOL CIconMenu::IsIconMenuItem(UINT message, LPARAM lParam)
{
    if (!lParam)
        return FALSE;
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CIconMenu* menu = draw->CtlType == ODT_MENU ? FromHandle(reinterpret_cast<HMENU>(draw->hwndItem)) : nullptr;
        return menu && menu->FindRecord(draw->itemID, draw->itemData);
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        CIconMenu* tracked = FromHandle(AfxGetThreadState()->hTrackingMenu);
        if (measure->CtlType != ODT_MENU || !tracked)
            return FALSE;
        CIconMenu* menu = FromHandle(FindMenuOfItem(tracked->m_hMenu, measure->itemID));
        return menu && menu->HolderOf(measure->itemID)->FindRecord(measure->itemID, measure->itemData);
    }
    return FALSE;
}

void CIconMenu::DestroyItems()
{
    if (!m_hMenu)
        return;
    for (int i = GetMenuItemCount() - 1; i >= 0; --i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU | MIIM_ID | MIIM_DATA | MIIM_FTYPE;
        BOOL read = GetMenuItemInfo((UINT)i, &info, TRUE);
        // Taken out first: deleting the position would destroy the submenu's
        // handle, which its object destroys.
        RemoveMenu((UINT)i, MF_BYPOSITION);
        if (!read || !(info.fType & MFT_OWNERDRAW))
            continue;
        auto* item = reinterpret_cast<IconMenuItem*>(info.dwItemData);
        if (info.hSubMenu && item)
            delete reinterpret_cast<CIconMenu*>(item->tag);
        delete item;
    }
    m_itemCount = 0;
}

int CIconMenu::Track(UINT flags, int x, int y, CWnd* pOwner)
{
    return CIconMenuShared::Tracker().Track(*this, flags, x, y, pOwner);
}

int CIconMenu::TrackModal(UINT flags, int x, int y, CWnd* pOwner)
{
    if (TrackingNow() || !m_hMenu)
        return 0;
    TPMPARAMS params = {};
    params.cbSize = 20;
    params.rcExclude = {0, 0, 10000, 1};
    CIconMenuWnd* wnd = new CIconMenuWnd(this, pOwner);
    if (!wnd->Create()) {
        delete wnd;
        return 0;
    }
    TrackingNow() = true;
    m_pWnd = wnd;
    int result = 0;
    {
        CTrackingHook hook(wnd->m_hWnd);
        if (m_highlight >= 0) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE;
            info.fState = MFS_HILITE;
            SetMenuItemInfo((UINT)m_highlight, &info, TRUE);
        }
        wnd->SetForegroundWindow();
        // The framework records this menu and window as the thread's tracked
        // ones for the time of the call.
        result = TrackPopupMenuEx(flags, x, y, wnd, &params);
        wnd->SendMessage(WM_NULL);
    }
    m_pWnd = nullptr;
    TrackingNow() = false;
    wnd->DestroyWindow();
    delete wnd;
    return result;
}
