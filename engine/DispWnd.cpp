#include "DispWnd.h"
#include "MerovinApp.h"

const WCHAR DispatcherClassName[] = L"DispIniFileClass";
const WCHAR DispatcherCaption[] = L"Dispatcher";

CDispWnd::~CDispWnd()
{
    // Runs when the library is detached: the window was destroyed by the
    // teardown, and at process exit nothing may be destroyed under the loader lock.
}

bool CDispWnd::Create(HINSTANCE instance)
{
    if (m_hWnd)
        return true;
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = DispatcherClassName;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    HWND hwnd = CreateWindowExW(0, DispatcherClassName, DispatcherCaption, 0, 0, 0, 50, 50,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return false;
    m_hWnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc));
    // Creation raised the captioned top-level window to the minimum tracking
    // size; with the subclass answering WM_GETMINMAXINFO it gets its 50 x 50.
    SetWindowPos(hwnd, nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CDispWnd::Destroy()
{
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    if (hwnd && IsWindow(hwnd)) {
        // Back to the class procedure first: nothing of the engine stays
        // reachable through the window while it is destroyed.
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

LRESULT CALLBACK CDispWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDispWnd* self = reinterpret_cast<CDispWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->m_hWnd != hwnd)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // A reload destroys this window and creates a new one in the same object:
    // nothing here touches the object after WindowProc returns.
    return self->WindowProc(message, wParam, lParam);
}

LRESULT CDispWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CDispWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT reload = theApp.GetReloadMessage();
    if (reload != 0 && message == reload)
        return OnSettingsReload();
    switch (message) {
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case DeferredHotkeyMessage:
        return OnDeferredHotkey(wParam);
    case PanelRefreshMessage:
        return OnPanelRefresh(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    default:
        return Default(message, wParam, lParam);
    }
}

LRESULT CDispWnd::OnSetText(WPARAM, LPARAM)
{
    // Commands sent from outside arrive here; the window's own text never changes.
    return TRUE;
}

LRESULT CDispWnd::OnDeferredHotkey(WPARAM)
{
    return 1;
}

LRESULT CDispWnd::OnPanelRefresh(WPARAM, LPARAM)
{
    return 1;
}

LRESULT CDispWnd::OnSettingsReload()
{
    theApp.ReloadEngine();
    return 1;
}

LRESULT CDispWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    LRESULT result = Default(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
    if (info) {
        info->ptMinTrackSize.x = 50;
        info->ptMinTrackSize.y = 50;
    }
    return result;
}

LRESULT CDispWnd::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = m_hWnd;
    theApp.ReloadEngine();
    return DefWindowProcW(hwnd, WM_LBUTTONUP, wParam, lParam);
}
