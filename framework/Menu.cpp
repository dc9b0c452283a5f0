// CMenu: ownership, lookup, tracking and owner-drawn items.
#include "Menu.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu()
{
    HMENU h = m_hMenu;
    bool owned = m_bOwned;
    Unbind();
    if (h && owned)
        ::DestroyMenu(h);
}

void CMenu::Bind(HMENU hMenu, bool owned)
{
    m_hMenu = hMenu;
    m_bOwned = owned;
    if (CWinApp* app = AfxGetApp())
        app->SetMenuObject(hMenu, this);
}

void CMenu::Unbind()
{
    if (m_hMenu) {
        CWinApp* app = AfxGetApp();
        if (app && app->LookupMenu(m_hMenu) == this)
            app->SetMenuObject(m_hMenu, nullptr);
    }
    m_hMenu = nullptr;
    m_bOwned = false;
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    HMENU h = ::CreateMenu();
    if (!h)
        return FALSE;
    Bind(h, true);
    return TRUE;
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    HMENU h = ::CreatePopupMenu();
    if (!h)
        return FALSE;
    Bind(h, true);
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    if (m_hMenu)
        return FALSE;
    HMENU h = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
    if (!h)
        return FALSE;
    Bind(h, true);
    return TRUE;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu || !::IsMenu(hMenu) || FromHandlePermanent(hMenu))
        return FALSE;
    Bind(hMenu, false);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    Unbind();
    return h;
}

BOOL CMenu::DestroyMenu()
{
    HMENU h = m_hMenu;
    if (!h)
        return FALSE;
    Unbind();
    return ::DestroyMenu(h);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    CWinApp* app = AfxGetApp();
    return (app && hMenu) ? app->LookupMenu(hMenu) : nullptr;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0)
        return 0;
    LPWSTR buf = rString.GetBufferSetLength(n + 1);
    int got = ::GetMenuStringW(m_hMenu, nIDItem, buf, n + 1, nFlags);
    rString.ReleaseBuffer(got > 0 ? got : 0);
    return rString.GetLength();
}

namespace {

// Records the tracked menu in the thread's state for the time of a call.
class CTrackingScope
{
public:
    CTrackingScope(HWND hWnd, HMENU hMenu)
    {
        AFX_THREAD_STATE* ts = AfxGetThreadState();
        m_hPrevWnd = ts->hTrackingWnd;
        m_hPrevMenu = ts->hTrackingMenu;
        ts->hTrackingWnd = hWnd;
        ts->hTrackingMenu = hMenu;
    }
    ~CTrackingScope()
    {
        AFX_THREAD_STATE* ts = AfxGetThreadState();
        ts->hTrackingWnd = m_hPrevWnd;
        ts->hTrackingMenu = m_hPrevMenu;
    }

private:
    HWND m_hPrevWnd;
    HMENU m_hPrevMenu;
};

const int kMaxMenuDepth = 16; // menus may not nest deeper; guards against cycles

HMENU FindMenuOfItemAt(HMENU hMenu, UINT nItemID, int depth)
{
    if (depth > kMaxMenuDepth)
        return nullptr;
    int n = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        HMENU sub = ::GetSubMenu(hMenu, i);
        if (!sub) {
            if (::GetMenuItemID(hMenu, i) == nItemID)
                return hMenu;
            continue;
        }
        // A popup item's id is its submenu handle (its low 32 bits).
        if ((UINT)(UINT_PTR)sub == nItemID)
            return sub;
        if (HMENU found = FindMenuOfItemAt(sub, nItemID, depth + 1))
            return found;
    }
    return nullptr;
}

} // namespace

int CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    HWND owner = pWnd ? pWnd->m_hWnd : nullptr;
    CTrackingScope scope(owner, m_hMenu);
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, owner, lpRect);
}

int CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HWND owner = pWnd ? pWnd->m_hWnd : nullptr;
    CTrackingScope scope(owner, m_hMenu);
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, owner, lptpm);
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

HMENU CMenu::FindMenuOfItem(HMENU hMenu, UINT nItemID)
{
    return hMenu ? FindMenuOfItemAt(hMenu, nItemID, 0) : nullptr;
}

BOOL CMenu::RouteMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (!lpMeasureItemStruct || lpMeasureItemStruct->CtlType != ODT_MENU)
        return FALSE;
    AFX_THREAD_STATE* ts = AfxGetThreadState();
    HMENU root = (ts->hTrackingMenu && ts->hTrackingWnd == hWndOwner) ? ts->hTrackingMenu : ::GetMenu(hWndOwner);
    CMenu* menu = FromHandlePermanent(FindMenuOfItem(root, lpMeasureItemStruct->itemID));
    if (!menu)
        return FALSE;
    menu->m_bBaseOwnerDraw = false;
    menu->MeasureItem(lpMeasureItemStruct);
    return !menu->m_bBaseOwnerDraw;
}

BOOL CMenu::RouteDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct || lpDrawItemStruct->CtlType != ODT_MENU)
        return FALSE;
    CMenu* menu = FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
    if (!menu)
        return FALSE;
    menu->m_bBaseOwnerDraw = false;
    menu->DrawItem(lpDrawItemStruct);
    return !menu->m_bBaseOwnerDraw;
}
