// The engine's object on the host's folder-tab control of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"

class CMyTabs : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;
    // Subclasses the side's tab control unless that is done already.
    bool InitTabs(HWND tabs) { return AttachTo(tabs); }

    bool m_reversed = false; // tabs run right to left: host tab positions are negated
};
