// Window classes of the stand-in host: its own "TTOTAL_CMD" and "Window"
// classes, and the superclasses of the system list box, combo box and edit.
#pragma once
#include <windows.h>

extern const wchar_t* const TCEditClasses[6];  // "TEdit", "TAltEdit", "TInEdit", "TMemo", "TMyMemo", "TTabEdit"

// Registers every class; the main window class uses mainProc.
bool RegisterTCClasses(HINSTANCE instance, WNDPROC mainProc, WNDPROC onDemandProc);

// Paints a "Window" bar: face colour, a thin edge and its text (ExtTextOutW).
void PaintTCBar(HWND wnd, HDC dc);
