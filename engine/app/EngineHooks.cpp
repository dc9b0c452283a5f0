// The engine's hook procedures and the hook handles. Each procedure hands
// its event to the running engine and passes every call on; no exception
// unwinds into the system's hook dispatch.
#include "EngineHooks.h"
#include "MerovinApp.h"

namespace {

const int KeyNameLength = 260;

} // namespace

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    try {
        CCommandExecutor& commands = theApp.Commands();
        // A modal loop of a running command may peek at its own key without
        // removing it; that key is dropped as well.
        if (code == HC_NOREMOVE && commands.IsRunningKey(UINT(wParam), lParam))
            return 1;
        if (code == HC_ACTION) {
            WCHAR name[KeyNameLength + 1] = {};
            if (GetKeyNameTextW(LONG(lParam), name, KeyNameLength + 1) > 0) {
                if (lParam & (1u << 31))
                    commands.OnThreadKeyUp();
                else if (commands.OnThreadKeyDown(UINT(wParam), lParam))
                    return 1;
            }
        }
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        try {
            const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
            if (theApp.Commands().OnLowLevelKey(key->vkCode, key->scanCode, key->flags, down))
                return 1;
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // Only a message taken from the queue: a peeked one comes again when it
    // is removed.
    if (code == HC_ACTION && wParam == PM_REMOVE && lParam) {
        try {
            theApp.OnGetMessage(*reinterpret_cast<MSG*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The window watcher: notices windows being created (to check the host's
// tree again) and the Lister and quick-search windows.
LRESULT CALLBACK WindowWatcherProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        try {
            theApp.OnWatchedMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CEngineHooks::InstallKeyboard(HINSTANCE module, bool lowLevel)
{
    if (m_keyboard)
        return;
    if (lowLevel)
        m_keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardHookProc, module, 0);
    else
        m_keyboard = SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, module, GetCurrentThreadId());
    m_lowLevel = m_keyboard && lowLevel;
}

void CEngineHooks::InstallGetMessage(HINSTANCE module)
{
    if (!m_getMessage)
        m_getMessage = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHookProc, module, GetCurrentThreadId());
}

void CEngineHooks::InstallWatcher(HINSTANCE module)
{
    if (!m_watcher)
        m_watcher = SetWindowsHookExW(WH_CALLWNDPROC, WindowWatcherProc, module, GetCurrentThreadId());
}

void CEngineHooks::RemoveKeyboard()
{
    if (m_keyboard)
        UnhookWindowsHookEx(m_keyboard);
    m_keyboard = nullptr;
    m_lowLevel = false;
}

void CEngineHooks::RemoveWatcher()
{
    if (m_watcher)
        UnhookWindowsHookEx(m_watcher);
    m_watcher = nullptr;
}

void CEngineHooks::RemoveGetMessage()
{
    if (m_getMessage)
        UnhookWindowsHookEx(m_getMessage);
    m_getMessage = nullptr;
}
