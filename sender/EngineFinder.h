// Finding the engine's dispatcher window in the nearest ancestor process
// that owns a host main window.
#pragma once

#include <windows.h>

// The walk up the ancestors ends after this many steps: process ids can be
// reused, and a reused id can make the parent chain a loop.
const int kMaxAncestorSteps = 64;

// The parent of a process from a tool-help process snapshot: true with
// *parent set (0 when the process is not in the snapshot); false when no
// snapshot could be taken (the system error is left in GetLastError).
bool GetParentProcessId(DWORD processId, DWORD* parent);

// What FindEngineWindowProc looks for: mode 1 the "TTOTAL_CMD" window of a
// process, mode 2 the "DispIniFileClass" window (of the thread enumerated).
struct EngineWindowSearch {
    int mode;
    DWORD processId;
    HWND found;
};
BOOL CALLBACK FindEngineWindowProc(HWND hwnd, LPARAM search);

// The dispatcher window on the thread of the process's "TTOTAL_CMD" window,
// or null when the process has neither.
HWND FindDispatcherOfProcess(DWORD processId);

enum class FindResult { Found, NotFound, SnapshotFailed };

typedef bool (*ParentLookup)(DWORD processId, DWORD* parent);
typedef HWND (*DispatcherLookup)(DWORD processId);

// Walks up from startProcessId (exclusive) to the first ancestor with a
// dispatcher. On SnapshotFailed, *error holds the system error code.
FindResult FindEngineDispatcher(DWORD startProcessId, HWND* dispatcher, DWORD* error,
                                ParentLookup parentOf = GetParentProcessId,
                                DispatcherLookup dispatcherOf = FindDispatcherOfProcess);
