// The engine's thread timers. Every timer is kept with the id the system gave
// it, so teardown can kill all of them before the library may be unloaded.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"
#include "EngineTimer.h"

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
