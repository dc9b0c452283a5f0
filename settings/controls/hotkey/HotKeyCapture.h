// The low-level keyboard hook of hotkey capture. While it is installed
// every key of the desktop goes to the one box that captures (posted as
// WMU_HOTKEY_CAPTURED) and is swallowed, except Num Lock, which passes on.
// The hook only posts, so each key costs the system's hook timeout nothing.
#pragma once

#include <windows.h>

class CHotKeyCapture
{
public:
    // Installs the hook for the box; FALSE when a box holds it already or
    // the system refuses the hook.
    static BOOL Install(HWND hBox);
    // Removes the hook when hBox holds it.
    static void Remove(HWND hBox);
    // The capturing box, or NULL.
    static HWND Holder() { return s_hBox; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);

    static HHOOK s_hHook;
    static HWND s_hBox;
};
