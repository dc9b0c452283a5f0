// Screenshots of the host window: every visible window of the tree is
// rendered with WM_PRINT into one DIB, bottom of the z-order first, and the
// picture is written as PNG with WIC.
#pragma once
#include <windows.h>
#include <string>

bool SaveWindowPng(HWND wnd, const std::wstring& path);
