// The framework's state per thread: the window being created (so the
// creation hook can attach its object before the window's first message)
// and the menu being tracked (so owner-drawn menu items find their menu
// object). Plain data only; nothing here owns memory.
#pragma once

#include <windows.h>

class CWnd;

struct AFX_THREAD_STATE
{
    HHOOK hCreationHook;    // WH_CBT hook while a creation runs on this thread
    int nCreationDepth;     // nested creations sharing that hook
    CWnd* pWndInit;         // object waiting for the next window created
    HWND hTrackingWnd;      // owner of the popup menu being tracked
    HMENU hTrackingMenu;    // that popup menu
};

AFX_THREAD_STATE* AfxGetThreadState();
