// The engine's object on the host's file list of one side.
#pragma once
#include <windows.h>
#include "PanelWnd.h"

class CTCFileList : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;
    // Subclasses the host list (again after the host rebuilt it).
    bool AttachFileList(HWND list) { return AttachTo(list); }

    // The host main window's WM_DRAWITEM for this list, `host` being the main
    // window's subclass: the answer to the host. The host draws its rows.
    LRESULT DrawListItem(CSubclassWnd& host, DRAWITEMSTRUCT* item);

    bool m_quickSearch = false; // the host's quick search was opened over this list
};
