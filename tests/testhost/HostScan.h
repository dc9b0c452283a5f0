// The engine's walk of the host's window tree, written out for the tests:
// EnumChildWindows over the main window, classes, texts and positions.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HostDriver.h"

struct CScanResult {
    HWND list[2] = {};
    HWND bar1[2] = {}, bar2[2] = {}, bar3[2] = {}, bar4[2] = {};
    HWND panel[2] = {};
    HWND drive[2] = {};
    HWND tabs[2] = {};
    HWND bottomBar = nullptr, afterCommandLine = nullptr, commandCombo = nullptr, commandEdit = nullptr;
    HWND buttonBar = nullptr, ftpPanel = nullptr, ftpLog = nullptr;
    bool hasTabs = false;
    std::string failure;  // empty after a successful scan
};

// Returns true when the tree passes the walk.
bool ScanHostTree(HWND main, CScanResult& out);

// The window the walk assigns to a host query code (null for codes it does not fill).
HWND ScanFieldForCode(const CScanResult& scan, int code);

// Helpers shared by the tests.
std::wstring TestBinFolder();
std::wstring WindowText(HWND wnd);
std::wstring ClassOf(HWND wnd);
