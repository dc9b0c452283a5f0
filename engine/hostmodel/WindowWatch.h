// What the engine's window watcher does with a message sent to a window of
// the host's GUI thread: the decision alone, free of any engine state.
#pragma once
#include <windows.h>

enum class WatchAction {
    None,               // pass it on, nothing else
    TreeCheck,          // record the time and start the tree check unless it runs
    AddListerItems,     // a Lister was created while "CloseAllListers" is set
    QuickSearch,        // quick search opened: the focused file list's flag
    SubclassLister,     // a Lister gets WM_CLOSE while "CheckMultiLister" is set
};

struct WatchSwitches {
    bool closeAllListers = false;
    bool checkMultiLister = false;
};

// Class names are compared without regard to case. Only WM_CREATE and
// WM_CLOSE lead to an action.
WatchAction ClassifyWatchedMessage(UINT msg, LPCWSTR className, const WatchSwitches& switches);

// The same for a hooked message: reads the class only for WM_CREATE and WM_CLOSE.
WatchAction ClassifyWatchedMessage(const CWPSTRUCT& sent, const WatchSwitches& switches);
