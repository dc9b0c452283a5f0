#include "TCWnd.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "HostTreeSnapshot.h"
#include "ListerChecks.h"
#include "PanelObjects.h"

LRESULT CTCWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        return OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
    case WM_COPYDATA:
        return Default();
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_MOUSEACTIVATE:
        return OnMouseActivate();
    case WM_DESTROY:
        return OnDestroy();
    case WM_CLOSE:
        return OnClose();
    case DetachAndUnloadMessage:
        return OnDetachAndUnload();
    case WM_INITMENU:
        return OnInitMenu(reinterpret_cast<HMENU>(wParam));
    case WM_EXITMENULOOP:
        return OnExitMenuLoop();
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    default:
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CTCWnd::OnDrawItem(WPARAM, DRAWITEMSTRUCT* item)
{
    if (item && item->hwndItem) {
        const HostTreeSnapshot& tree = m_engine.Tree();
        CPanelObjects& panels = m_engine.Panels();
        for (int side = 0; side < 2; ++side)
            if (tree.fileList[side] && item->hwndItem == tree.fileList[side] && panels.fileList[side])
                return panels.fileList[side]->DrawListItem(*this, item);
    }
    return Default();
}

bool CTCWnd::KeepBehind() const
{
    if (!m_keepTCBack || m_raising || GetAsyncKeyState(VK_LBUTTON) >= 0)
        return false;
    POINT cursor;
    if (!GetCursorPos(&cursor))
        return false;
    // No window under the cursor counts as "another window".
    HWND under = WindowFromPoint(cursor);
    if (under && under == m_hWnd)
        return false;
    WCHAR name[17] = {};
    if (under)
        ::GetClassNameW(under, name, 17);
    if (wcsncmp(name, L"MSTaskListWClass", 16) == 0)
        return false;
    if (m_keepTCBack == 2)
        return true;
    const HostTreeSnapshot& tree = m_engine.Tree();
    return under == tree.fileList[0] || under == tree.fileList[1];
}

LRESULT CTCWnd::OnWindowPosChanging(WINDOWPOS* pos)
{
    if (pos && KeepBehind())
        pos->flags |= SWP_NOZORDER;
    return Default();
}

LRESULT CTCWnd::OnMouseActivate()
{
    // The host's own click raises it, also while it is kept behind others.
    m_raising = true;
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_raising = false;
    return Default();
}

LRESULT CTCWnd::OnDestroy()
{
    LRESULT result = Default();
    // The host window is going: everything of the engine lets go of it.
    m_engine.StopEngine();
    return result;
}

LRESULT CTCWnd::OnClose()
{
    if (!ConfirmHostClose(m_engine))
        return 0;
    // The host gets its close after this subclass has left the window.
    ::PostMessageW(m_hWnd, DetachAndUnloadMessage, 0, 0);
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CTCWnd::OnDetachAndUnload()
{
    SubclassDetach(this);
    m_engine.StartTimer(EngineTimer::DetachUnload, 0, 1000);
    return 0;
}

LRESULT CTCWnd::OnInitMenu(HMENU hostMenu)
{
    m_menu.OnInitMenu(hostMenu);
    return Default();
}

LRESULT CTCWnd::OnExitMenuLoop()
{
    m_menu.OnExitMenuLoop();
    return Default();
}

LRESULT CTCWnd::OnInitMenuPopup(HMENU popup)
{
    // A captured popup is emptied and never reaches the host's handling.
    if (m_menu.OnInitMenuPopup(popup))
        return 0;
    return Default();
}

int CTCWnd::QueryHostMenuIndex(const CMyTabs* side, int position)
{
    if (!m_engine.Settings().MarkLockedTabs)
        return 0;
    return m_menu.Query(side ? side->Window() : nullptr, position, side && side->m_reversed);
}
