// The engine's model of the host main window's child tree: plain data that
// can be copied and assigned as a whole, plus the host's query codes.
#pragma once
#include <windows.h>
#include "TCProtocol.h"

const int SnapshotTextLength = 1024;

// Every window field is null when not found. Pairs are indexed by side:
// 0 left (or top), 1 right (or bottom).
struct HostTreeSnapshot {
    HWND main;                 // "TTOTAL_CMD"
    HWND fileList[2];
    HWND bar2[2];              // path bars
    HWND bar4[2];              // status bars
    HWND bar1[2];              // free-space bars
    HWND panel[2];
    HWND bar3[2];              // header bars
    HWND hostWindow23, hostWindow29;  // filled by the query scan only
    HWND bottomBar;            // parent of the command line
    HWND afterCommandLine;
    HWND commandCombo;
    HWND commandEdit;
    HWND driveCombo[2];
    HWND tabs[2];
    HWND buttonBar;
    HWND ftpPanel;
    HWND ftpLogList;
    HWND hostWindow18, hostWindow19, hostWindow22;  // filled by the query scan only
    DWORD threadId;
    DWORD processId;
    int hasTabs;               // 1 when a panel holds a tab control
    wchar_t text[2][SnapshotTextLength];
    int valid;                 // 1 after a successful scan

    void Clear();
};

// The snapshot field a host query code fills, or null for the codes that
// fill nothing (3, 4, 24, 25 and unknown codes). `required` tells whether a
// null answer fails the query scan.
HWND* SnapshotFieldForCode(HostTreeSnapshot& snap, int code, bool* required = nullptr);
HWND SnapshotWindowForCode(const HostTreeSnapshot& snap, int code);
