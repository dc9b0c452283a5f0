// Runs the test thread's window messages: what is queued now, or all that
// arrives for a while (posted follow-ups, timers).
#pragma once

#include <windows.h>

inline void PumpQueued()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        PumpQueued();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}
