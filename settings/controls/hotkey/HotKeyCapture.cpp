// CHotKeyCapture: the process-wide hook and the box it serves.
#include "HotKeyCapture.h"
#include "HotKeyExCtrl.h"
#include "ThisModule.h"

HHOOK CHotKeyCapture::s_hHook = nullptr;
HWND CHotKeyCapture::s_hBox = nullptr;

BOOL CHotKeyCapture::Install(HWND hBox)
{
    if (s_hHook || !hBox)
        return FALSE;
    s_hHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, ThisModule(), 0);
    if (!s_hHook)
        return FALSE;
    s_hBox = hBox;
    return TRUE;
}

void CHotKeyCapture::Remove(HWND hBox)
{
    if (!s_hHook || hBox != s_hBox)
        return;
    ::UnhookWindowsHookEx(s_hHook);
    s_hHook = nullptr;
    s_hBox = nullptr;
}

LRESULT CALLBACK CHotKeyCapture::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (nCode != HC_ACTION || !key || key->vkCode == VK_NUMLOCK || !s_hBox)
        return ::CallNextHookEx(s_hHook, nCode, wParam, lParam);
    // The box names the key itself (keys injected without a scan code
    // included) and ignores what it cannot write.
    ::PostMessageW(s_hBox, WMU_HOTKEY_CAPTURED, wParam, (LPARAM)(key->vkCode & 0xFF));
    return 1;
}
