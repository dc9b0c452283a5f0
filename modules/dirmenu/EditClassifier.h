// Tells the host's edit controls apart by their window classes: which snippet
// menu belongs to the control that has the focus.
#pragma once
#include <windows.h>

// Snippet menu sections, indexed by the classifier's result; the last one is
// the context menu of command 4.
enum MenuKind {
    MenuGeneral = 0,
    MenuCopyMove = 1,
    MenuPack = 2,
    MenuCmdLine = 3,
    MenuToolbar = 4,
    MenuNewDirFile = 5,
    MenuRename = 6,
    MenuComment = 7,
    MenuContext = 8,
    MenuKindCount = 9,
};

// "Menu", "CopyMoveMenu", ... "ContextMenu".
LPCWSTR MenuSectionName(int kind);

// Tests of the parent-rule table on the edit's parent P.
enum WindowTest {
    TestNone = 0,
    TestParentClass = 1,     // the class of P's parent equals the argument
    TestWindowText = 2,      // P's window text equals the argument
    TestDescendantClass = 3, // a descendant of P has the argument as its class
    TestGrandparentClass = 4 // the class of P's grandparent equals the argument
};

// True when `window` passes `test` with `argument`; test 0 or a missing
// argument always pass.
bool CheckWindowTest(HWND window, int test, LPCWSTR argument);

// The menu kind (0..7) of a focused edit control, or -1 when the window is
// not one of the host's edit classes.
int ClassifyFocusControl(HWND edit);
