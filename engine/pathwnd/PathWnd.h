// The engine's object on the path bar (panel bar 2) of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"
#include "PathChange.h"
#include "Strings.h"

class CPathWnd : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    // The folder the bar shows now (see FolderOfPathText).
    CString GetPathFromWindow() const;

    int m_autoView = 0;
    int m_useDesktopIni = 0;
    int m_overrideVisualMode = 0;
    int m_keepScope = 0;

private:
    CPathState m_state; // the folder seen last and the rule applied last
};
