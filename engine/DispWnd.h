// The engine's hidden dispatcher window: the engine's command entry from
// outside and the receiver of the settings reload message.
#pragma once
#include <windows.h>

// Posted by the low-level keyboard hook with a hotkey-table index.
const UINT DeferredHotkeyMessage = WM_APP + 2;
// A side (0 left, 1 right) and 0 (refresh the file list) or 2 (tabs again).
const UINT PanelRefreshMessage = WM_APP + 3;

extern const WCHAR DispatcherClassName[]; // "DispIniFileClass"
extern const WCHAR DispatcherCaption[];   // "Dispatcher"

class CDispWnd {
public:
    CDispWnd() = default;
    ~CDispWnd();
    CDispWnd(const CDispWnd&) = delete;
    CDispWnd& operator=(const CDispWnd&) = delete;

    // Registers the class (an existing class is fine: its procedure is
    // DefWindowProcW, so none points into the engine) and creates the
    // invisible 50 x 50 top-level window, then subclasses it.
    bool Create(HINSTANCE instance);
    // Destroys the window; safe from inside the window's own handler.
    void Destroy();
    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeferredHotkey(WPARAM wParam);
    LRESULT OnPanelRefresh(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingsReload();
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};
