// Window classes of the stand-in host: its own "TTOTAL_CMD" and "Window"
// classes, and the superclasses of the system list box, combo box and edit.
#pragma once
#include <windows.h>

extern const wchar_t* const TCEditClasses[6];  // "TEdit", "TAltEdit", "TInEdit", "TMemo", "TMyMemo", "TTabEdit"

// Registers every class; the main window class uses mainProc.
bool RegisterTCClasses(HINSTANCE instance, WNDPROC mainProc, WNDPROC onDemandProc);

// Paints a "Window" bar: face colour, a thin edge and its text (ExtTextOutW).
void PaintTCBar(HWND wnd, HDC dc);

// The painting messages of a window drawn by `paint`: no background erase,
// WM_PAINT and WM_PRINTCLIENT both draw. True when `msg` was one of them
// (its answer in *result).
bool HandlePaintMessage(HWND wnd, UINT msg, WPARAM wParam, void (*paint)(HWND, HDC), LRESULT* result);
