#include "EngineHooks.h"

// The keyboard hook procedures are in KeyboardHooks.cpp.

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam)
{
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
