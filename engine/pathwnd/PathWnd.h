// The engine's object on the path bar (panel bar 2) of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"

class CPathWnd : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    int autoView = 0;
    int useDesktopIni = 0;
    int overrideVisualMode = 0;
    int keepScope = 0;
};
