// The engine's command executor: hotkeys found by the keyboard hooks, engine
// commands by number, commands by name, the start-up sequence and the
// commands the dispatcher receives from other programs. All of it runs on
// the host's GUI thread.
#pragma once
#include <windows.h>
#include "HotkeyTable.h"
#include "CommandTargets.h"
#include "TCProtocol.h"

class CEngineContext;

// Longest 8-bit text of a user command name, its null included.
const int UserCommandTextLength = 1024;
// Hotkey code of END without modifiers: runs in host dialogs' edit boxes too.
const HotkeyCode PlainEndKey = VK_END;

class CCommandExecutor {
public:
    CCommandExecutor(CEngineContext& engine, CCommandTargets& targets) : m_engine(engine), m_targets(targets) {}
    CCommandExecutor(const CCommandExecutor&) = delete;
    CCommandExecutor& operator=(const CCommandExecutor&) = delete;

    // Key-down of the thread keyboard hook; true swallows the key.
    bool OnThreadKeyDown(UINT vk, LPARAM lParam);
    // Key-up of the thread keyboard hook.
    void OnThreadKeyUp();
    // An event of the low-level keyboard hook; true swallows the key.
    bool OnLowLevelKey(UINT vk, DWORD scanCode, DWORD flags, bool down);

    // Runs the hotkey of table index `index` now, or defers it through the
    // dispatcher. Returns non-zero when the key is to be swallowed.
    int ExecuteHotkey(INT_PTR index, bool now);
    // The dispatcher's run of a deferred hotkey: nothing when the table was
    // rebuilt since `generation` was posted. The low-level hook already asked
    // the special-key filter, so it is not asked again.
    int RunDeferredHotkey(INT_PTR index, UINT generation);

    // Runs engine command `number`; returns 1 when it is an engine command
    // and stores the handler's result in `result` (when given), else 0.
    int ExecuteEngineCommand(UINT number, int* result = nullptr);
    // A command by name: a decimal number, a "cm_" name or an "em_" name.
    // Host commands are sent when `send` is set, else posted. 1 when
    // something was sent or posted (or an "em_" name could not be
    // converted), 0 for an unknown name.
    int RunCommandByName(LPCWSTR name, bool send);
    // Runs each "|"-separated part of `list` by name, in order (empty parts
    // are skipped); host commands are posted. Returns the parts run.
    int RunCommandList(LPCWSTR list);
    // [Config] "StartupSequence" when "EnableStartupSequence" is on.
    void RunStartupSequence();
    // The dispatcher's WM_SETTEXT: an empty (or null) text runs an engine
    // command, a text beginning with a letter a module command.
    void RunTextCommand(UINT number, LPCWSTR text);

    // The engine menu opened by a click (the path window's middle button):
    // runs as a command, so a reload chosen in it waits for the menu to end.
    int ShowEngineMenu(int side, POINT point);
    // While the engine's drive menu is open.
    bool IsDriveListOpen() const { return m_driveGuard != 0; }

    // True while a command runs (inside its menus and message boxes).
    bool IsCommandRunning() const { return m_depth > 0; }
    // While a command runs from the thread hook: whether this is its own key
    // read once more (it is dropped, once).
    bool IsRunningKey(UINT vk, LPARAM lParam);
    // Called by the reload handler: while a command runs the reload is kept
    // and posted again when the command returns; true when it was kept.
    bool HoldReload();

    // Marks a running command for its scope: the depth goes back down and a
    // held reload is posted however the command ends (also by an exception).
    // Features that run a modal loop outside a command (a menu opened by a
    // click, a dialog opened from a popup) hold the reload the same way.
    class CRunScope {
    public:
        explicit CRunScope(CCommandExecutor& executor) : m_executor(executor) { ++m_executor.m_depth; }
        ~CRunScope() { m_executor.Leave(); }
        CRunScope(const CRunScope&) = delete;
        CRunScope& operator=(const CRunScope&) = delete;

    private:
        CCommandExecutor& m_executor;
    };

    // The counter of Esc presses of the special-key filter.
    int m_escCount = 0;

    // Forgets the per-start state (teardown).
    void Reset();

private:
    // The part of ExecuteHotkey after the entry is known.
    int Execute(INT_PTR index, const HotkeyEntry& entry, bool now, bool filtered);
    int ExecuteHostCommand(INT_PTR index, const HotkeyEntry& entry, UINT focusClass, HWND focus, bool now,
                           bool filtered);
    int OpenDriveList(INT_PTR index, UINT command, HWND focus, bool now);
    bool PostDeferred(INT_PTR index);
    bool PostHostCommand(UINT number, bool send);
    int SendUserCommand(LPCWSTR name);
    void Leave();

    // Engine command handlers of this part.
    int ToggleSaveBookmark();
    int ReloadSettings();
    int AutoCompletion();

    CEngineContext& m_engine;
    CCommandTargets& m_targets;
    BYTE m_lowLevelState[256] = {};
    LONG m_driveGuard = 0;
    int m_depth = 0;
    // The key whose command runs from the thread hook: the hook is called
    // before the key leaves the queue, so a modal loop of that command would
    // read it once more.
    UINT m_runningVk = 0;
    LPARAM m_runningKeyData = 0;
    bool m_runningKeyQueued = false;
    bool m_reloadHeld = false;
};
