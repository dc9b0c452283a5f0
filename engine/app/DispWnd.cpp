#include "DispWnd.h"
#include "MerovinApp.h"

bool CDispWnd::Create(HINSTANCE instance)
{
    if (m_hWnd)
        return true;
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = DispatcherClassName;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    HWND hwnd = CreateWindowExW(0, DispatcherClassName, DispatcherCaption, 0, 0, 0, 50, 50,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return false;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    // Creation raised the captioned top-level window to the minimum tracking
    // size; with the subclass answering WM_GETMINMAXINFO it gets its 50 x 50.
    ::SetWindowPos(hwnd, nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CDispWnd::Destroy()
{
    // WM_NCDESTROY detaches the object and restores the class procedure.
    if (m_hWnd)
        DestroyWindow();
}

LRESULT CDispWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT reload = m_engine.ReloadMessage();
    if (reload != 0 && message == reload)
        return OnSettingsReload();
    switch (message) {
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case DeferredHotkeyMessage:
        return OnDeferredHotkey(wParam, lParam);
    case PanelRefreshMessage:
        return OnPanelRefresh(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CDispWnd::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // Commands sent from outside arrive here; the window's own text never
    // changes. A null text counts as empty.
    m_engine.Commands().RunTextCommand(UINT(wParam), reinterpret_cast<LPCWSTR>(lParam));
    return TRUE;
}

LRESULT CDispWnd::OnDeferredHotkey(WPARAM wParam, LPARAM lParam)
{
    // lParam is the table generation the index was taken from.
    m_engine.Commands().RunDeferredHotkey(INT_PTR(wParam), UINT(lParam));
    return 1;
}

LRESULT CDispWnd::OnPanelRefresh(WPARAM wParam, LPARAM lParam)
{
    m_engine.RefreshPanel((int)wParam, (int)lParam);
    return 1;
}

LRESULT CDispWnd::OnSettingsReload()
{
    // Destroys this window and creates a new one in this object: nothing of
    // the old window is touched afterwards. A command still running keeps
    // the reload until it returns.
    if (!m_engine.Commands().HoldReload())
        m_engine.ReloadEngine();
    return 1;
}

LRESULT CDispWnd::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    HWND old = m_hWnd;
    if (!m_engine.Commands().HoldReload())
        m_engine.ReloadEngine();
    return ::DefWindowProcW(old, WM_LBUTTONUP, wParam, lParam);
}

LRESULT CDispWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    LRESULT result = Default();
    if (info) {
        info->ptMinTrackSize.x = 50;
        info->ptMinTrackSize.y = 50;
    }
    return result;
}
