// The baseline of the key benchmark: a content plug-in that does the least an
// engine must do for a hotkey with the thread keyboard hook: on Ctrl+E it
// reads the modifier state once and posts the host command, swallowing the key.
// It has no columns; the two column calls are there because a host loads no
// content plug-in without them.
#include <windows.h>
#include "ContentPlugin.h"
#include "TCProtocol.h"

namespace {

HHOOK g_hook = nullptr;
HWND g_main = nullptr;

LRESULT CALLBACK KeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == 'E' && !(lParam & (1u << 31))) {
        BYTE state[256];
        if (GetKeyboardState(state) && (state[VK_CONTROL] & 0x80)) {
            PostMessageW(g_main, HostCommandMessage, 524, 0);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindMain(HWND window, LPARAM)
{
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, HostMainClassName) != 0)
        return TRUE;
    g_main = window;
    return FALSE;
}

} // namespace

extern "C" {

__declspec(dllexport) void WINAPI ContentSetDefaultParams(ContentDefaultParams*)
{
    EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
    if (!g_hook)
        g_hook = SetWindowsHookExW(WH_KEYBOARD, KeyProc, nullptr, GetCurrentThreadId());
}

__declspec(dllexport) int WINAPI ContentGetSupportedField(int, char*, char*, int)
{
    return ContentNoMoreFields;
}

__declspec(dllexport) int WINAPI ContentGetValue(char*, int, int, void*, int, int)
{
    return ContentNoSuchField;
}

__declspec(dllexport) void WINAPI ContentPluginUnloading()
{
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

} // extern "C"
