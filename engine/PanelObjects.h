// The engine's objects on the host's panel windows: file lists, folder tabs,
// path windows and drive combo boxes. Each attaches to its host window
// through the subclassing helper and detaches when deleted; what each does
// with the window's messages is the business of its own part of the engine.
#pragma once
#include <windows.h>
#include "Subclass.h"
#include "MenuColors.h"

class CPanelWnd : public CSubclassWnd {
public:
    explicit CPanelWnd(int side) : m_side(side) {}

    // Puts the object on `window`, leaving a previous window first. True
    // when it is attached to `window` afterwards (also when it already was).
    bool AttachTo(HWND window);
    void DetachFromWindow();
    HWND Window() const { return m_hWnd; }
    int Side() const { return m_side; }

private:
    int m_side;
};

// The host's file list of one side.
class CTCFileList : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;
    // Subclasses the host list (again after the host rebuilt it).
    bool AttachFileList(HWND list) { return AttachTo(list); }

    bool quickSearch = false; // the host's quick search was opened over this list
};

// The host's tab control of one side.
class CMyTabs : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;
    // Subclasses the side's tab control unless that is done already.
    bool InitTabs(HWND tabs) { return AttachTo(tabs); }

    bool reversed = false; // tabs run right to left: host tab positions are negated
};

// The path bar (panel bar 2) of one side.
class CPathWnd : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    int autoView = 0;
    int useDesktopIni = 0;
    int overrideVisualMode = 0;
    int keepScope = 0;
};

// The drive combo box of one side.
class CMyCombo : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    bool driveListMenu = false; // "DriveList" is 1: the engine's drive menu replaces the list
    UINT style = 0;             // drive-list style flags
    MenuColors colors = {};
};

// The panel objects the application object owns, one pair per kind
// (0 left, 1 right), each null until attaching creates it.
struct CPanelObjects {
    CTCFileList* fileList[2] = {};
    CMyTabs* tabs[2] = {};
    CPathWnd* pathWnd[2] = {};
    CMyCombo* driveCombo[2] = {};

    // Deletes every object (each detaches from its window): path windows,
    // drive combo boxes, file lists, folder tabs, left before right.
    void DeleteAll();
    // Number of objects attached to a window.
    int AttachedCount() const;
};
