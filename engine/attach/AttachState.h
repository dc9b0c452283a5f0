// What the engine keeps about attaching to the host's window tree besides
// the snapshot and the objects: handles of the snapshot that were given to
// new windows since the last scan, and counters for diagnostics.
#pragma once
#include <windows.h>
#include <vector>
#include "HostTreeSnapshot.h"

class CAttachState {
public:
    // A window of the host thread was created. When its handle is one the
    // live snapshot holds for a part that is re-attached, the snapshot's
    // window is gone and the handle now names a new window.
    void RecordCreation(HWND window, const HostTreeSnapshot& live);
    // True when `window`, a handle of the live snapshot, names a window
    // created after the snapshot was taken.
    bool CreatedSinceScan(HWND window) const;
    // The live snapshot was taken anew.
    void ScanTaken() { m_reborn.clear(); }

    bool m_attaching = false;       // the retry timer is running
    DWORD m_lastCreationTick = 0;   // when the watcher last saw a creation
    int m_attachRuns = 0;           // AttachPanels calls
    int m_treeChecks = 0;           // tree checks that scanned the tree
    DWORD m_lastTreeCheckTick = 0;  // when the last of them scanned

private:
    std::vector<HWND> m_reborn;   // at most the six watched handles
};
