// Screenshots of the host as a person sees it: the main window and every
// visible top-level window of its thread above it (menus, popup lists, module
// windows), each copied from its own window surface at its place on the
// screen, written as a PNG file with WIC. Runs on the host's thread.
#pragma once
#include <windows.h>
#include <string>

bool SaveHostPng(HWND main, const std::wstring& path);

// The same picture of a window of another program (and what lies above it),
// taken inside that program through the hook of tcshot.dll beside this one.
bool SaveOtherProgramPng(HWND window, const std::wstring& path, std::wstring& why);

// How many client pixels of `window` (of this thread) have `colour` once it
// has been redrawn; -1 when the window cannot be read.
int CountWindowColour(HWND window, COLORREF colour);
