// The host popup-menu capture of the main-window subclass and the query
// built on it (QueryHostMenuIndex): the engine asks a tab control for its
// popup and reads the state from the items before the popup is shown, by
// emptying it in WM_INITMENUPOPUP, so that it opens empty and closes.
#pragma once
#include <windows.h>
#include "TCProtocol.h"


// Sends the popup request; the real one sends the host command to the tab
// control, tests replace it with one that plays the host.
class CHostMenuRequest {
public:
    virtual ~CHostMenuRequest() = default;
    virtual void Send(HWND sideWindow, LPARAM lParam);
};

class CHostMenuCapture {
public:
    // QueryHostMenuIndex: -1 while a capture runs or without a side window;
    // otherwise asks for the popup of tab `position` (lParam position + 1,
    // negated when `reversed`) and returns the captured position, -1 when no
    // popup came.
    int Query(HWND sideWindow, int position, bool reversed);

    // The subclass's WM_INITMENU: sets the menu-active flag; with the capture
    // switch set, empties the menu and keeps the position of its last
    // checked item (-1 when none) in m_lastMenuIndex.
    void OnInitMenu(HMENU menu);
    // The subclass's WM_INITMENUPOPUP: true when a capture was pending and
    // took the popup (it is empty afterwards and the capture has ended).
    bool OnInitMenuPopup(HMENU popup);
    // The subclass's WM_EXITMENULOOP.
    void OnExitMenuLoop() { m_menuActive = false; }

    bool IsCapturing() const { return m_running; }
    // Null restores the real request.
    void SetRequest(CHostMenuRequest* request) { m_request = request; }

    bool m_captureSwitch = false;  // WM_INITMENU capture, switched by the folder tabs
    bool m_menuActive = false;
    int m_lastMenuIndex = -1;

private:
    CHostMenuRequest m_hostRequest;
    CHostMenuRequest* m_request = nullptr;
    bool m_running = false;  // a query is under way
    bool m_pending = false;  // its popup has not come yet
    int m_result = -1;
};

// Empties a popup; returns the position of its first checked item before the
// first separator, 0 when there is none.
int TakeFirstCheckedBeforeSeparator(HMENU popup);
// Empties a menu; returns the position of its last checked item, -1 when none.
int TakeLastChecked(HMENU menu);
