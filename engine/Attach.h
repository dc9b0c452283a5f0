// What the engine keeps about attaching to the host's window tree besides
// the snapshot and the objects: the creations the window watcher saw since
// the last scan, and counters for diagnostics.
#pragma once
#include <windows.h>
#include <vector>

class CAttachState {
public:
    // A window of the host thread was created (any class).
    void RecordCreation(HWND window);
    // True when `window` was created after the last scan: a handle that the
    // last snapshot holds then names a different, newer window.
    bool CreatedSinceScan(HWND window) const;
    // The live snapshot was taken anew.
    void ScanTaken() { m_created.clear(); m_overflow = false; }
    // Recorded creations, for diagnostics.
    int CreationCount() const { return (int)m_created.size(); }

    bool attaching = false;       // the retry timer is running
    DWORD lastCreationTick = 0;   // when the watcher last saw a creation
    int attachRuns = 0;           // AttachPanels calls
    int treeChecks = 0;           // tree checks that scanned the tree
    DWORD lastTreeCheckTick = 0;  // when the last of them scanned

private:
    static const size_t MaxRecorded = 4096;
    std::vector<HWND> m_created;
    bool m_overflow = false;      // too many to keep: every handle counts as new
};
