// CTCWnd: the engine's subclass of the host main window. It keeps the host
// behind other windows on request, guards the host's close, hands the file
// lists' owner-drawn items to the engine's drawing, stops the engine when the
// host window goes, and captures the host's popup menus for the folder tabs.
#pragma once
#include <windows.h>
#include "Subclass.h"
#include "HostMenuCapture.h"
#include "TCProtocol.h"

class CEngineContext;
class CMyTabs;

class CTCWnd : public CSubclassWnd {
public:
    explicit CTCWnd(CEngineContext& engine) : m_engine(engine) {}

    // QueryHostMenuIndex: the position the host's popup for tab `position` of
    // a side marks; 0 when "MarkLockedTabs" is off, -1 while a capture runs
    // or without a side window.
    int QueryHostMenuIndex(const CMyTabs* side, int position);

    int m_keepTCBack = 0;     // "KeepTCBack": 1 over the file lists, 2 everywhere
    int m_inverseCursor = 0;  // the host's "InverseCursor"
    CHostMenuCapture m_menu;  // capture switch, menu-active flag, last captured index

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnDrawItem(WPARAM wParam, DRAWITEMSTRUCT* item);
    LRESULT OnWindowPosChanging(WINDOWPOS* pos);
    LRESULT OnMouseActivate();
    LRESULT OnDestroy();
    LRESULT OnClose();
    LRESULT OnDetachAndUnload();
    LRESULT OnInitMenu(HMENU menu);
    LRESULT OnExitMenuLoop();
    LRESULT OnInitMenuPopup(HMENU popup);

private:
    // True when a z-order change of the host should be suppressed now.
    bool KeepBehind() const;

    CEngineContext& m_engine;
    bool m_raising = false; // the subclass itself brings the host to the top
};
