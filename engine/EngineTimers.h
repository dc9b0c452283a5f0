// The engine's thread timers. Every timer is kept with the id the system gave
// it, so teardown can kill all of them before the library may be unloaded.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

enum class EngineTimer {
    AttachRetry,      // attach retry every 100 ms
    TreeCheck,        // window-tree check 100 ms after a creation
    DetachUnload,     // unload 1000 ms after a detach request
    SelectionRestore, // edit selection restore 100 ms after a module's text
    DriveSwitch,      // drive switch 100 ms after a drive-menu choice
    TabApply,         // tab icon and colour 200 ms after a folder change, one per tab
};

class CEngineTimers {
public:
    // Starts (or restarts) the timer of `kind` and `key` on the current thread.
    // Returns the system's timer id, 0 on failure.
    UINT_PTR Start(EngineTimer kind, UINT_PTR key, UINT elapse, TIMERPROC proc);
    void Kill(EngineTimer kind, UINT_PTR key = 0);
    bool IsRunning(EngineTimer kind, UINT_PTR key = 0) const;
    // Finds the timer of a system id; false when the engine does not own it.
    bool Lookup(UINT_PTR id, EngineTimer& kind, UINT_PTR& key) const;
    // Kills every timer; after this no timer calls into the engine.
    void KillAll();
    int Count() const { return (int)m_timers.size(); }
    CString Describe() const;

private:
    struct Entry {
        EngineTimer kind;
        UINT_PTR key;
        UINT_PTR id;
    };
    std::vector<Entry> m_timers;
};
