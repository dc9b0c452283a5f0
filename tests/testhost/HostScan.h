// Helpers of the stand-in host's tests. The tree is checked with the engine's
// own walk of the host's window tree (CTCInfo64), which works on a window of
// another process.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HostDriver.h"
#include "TCInfo.h"

// Helpers shared by the tests.
std::wstring TestBinFolder();
std::wstring WindowText(HWND wnd);
std::wstring ClassOf(HWND wnd);
