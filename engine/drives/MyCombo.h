// The engine's object on the drive combo box of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"
#include "MenuColors.h"

class CMyCombo : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    bool m_driveListMenu = false; // "DriveList" is 1: the engine's drive menu replaces the list
    UINT m_style = 0;             // drive-list style flags
    MenuColors m_colors = {};
};
