// Where the keyboard focus is, as the command executor sees it.
#pragma once
#include <windows.h>
#include "TCProtocol.h"

// Bit 4 when the window's class is exactly one of the host's edit classes;
// then the first window up the parent chain without the child style gives
// bit 2 when its class is exactly "TTOTAL_CMD", else bit 1. 0 for no window.
UINT ClassifyFocus(HWND window);

// The window at the top of the parent chain (GetParent until none).
HWND TopLevelParent(HWND window);

// True when the window's class equals `name` exactly (or without case).
bool HasClass(HWND window, LPCWSTR name, bool ignoreCase = false);
