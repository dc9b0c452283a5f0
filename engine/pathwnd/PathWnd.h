// The engine's object on the path bar (panel bar 2) of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"

class CPathWnd : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    int m_autoView = 0;
    int m_useDesktopIni = 0;
    int m_overrideVisualMode = 0;
    int m_keepScope = 0;
};
