// The engine's hooks on the host's GUI thread and their procedures.
#pragma once
#include <windows.h>

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LowLevelKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK WindowWatcherProc(int code, WPARAM wParam, LPARAM lParam);

// The hook handles the engine holds; each null when not installed.
class CEngineHooks {
public:
    // Installs the keyboard hook unless one is installed: low-level for the
    // desktop (owned by `module`) or a keyboard hook on the current thread.
    void InstallKeyboard(HINSTANCE module, bool lowLevel);
    // The get-message hook on the current thread, unless installed.
    void InstallGetMessage(HINSTANCE module);
    // The window watcher (call-window-procedure hook), unless installed.
    void InstallWatcher(HINSTANCE module);
    void RemoveKeyboard();
    void RemoveWatcher();
    void RemoveGetMessage();

    HHOOK Keyboard() const { return m_keyboard; }
    bool KeyboardIsLowLevel() const { return m_lowLevel; }
    HHOOK GetMessageHook() const { return m_getMessage; }
    HHOOK Watcher() const { return m_watcher; }

private:
    HHOOK m_keyboard = nullptr;
    bool m_lowLevel = false;
    HHOOK m_getMessage = nullptr;
    HHOOK m_watcher = nullptr;
};
