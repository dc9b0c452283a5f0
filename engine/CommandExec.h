// The engine's command executor: hotkeys found by the keyboard hooks, engine
// commands by number, commands by name, the start-up sequence and the
// commands the dispatcher receives from other programs. All of it runs on
// the host's GUI thread.
#pragma once
#include <windows.h>
#include "HotkeyTable.h"

// Sent or posted to the host main window with a host command number.
const UINT HostCommandMessage = WM_USER + 51;
// WM_COPYDATA record type of a user command ("em_" name, 8-bit text).
const ULONG_PTR UserCommandCopyData = 0x4D45;
// Longest 8-bit text of a user command name, its null included.
const int UserCommandTextLength = 1024;
// The host's drive-list commands, left and right.
const UINT LeftDriveListCommand = 131;
const UINT RightDriveListCommand = 231;
// Hotkey code of END without modifiers: runs in host dialogs' edit boxes too.
const HotkeyCode PlainEndKey = VK_END;

// Answers of SpecialKeyFilter.
enum SpecialKeyAnswer {
    SpecialKeySwallowOnly = 0, // swallow the key, run nothing
    SpecialKeyRun = 1,         // run and swallow
    SpecialKeyPassOnly = 2,    // pass the key, run nothing
    SpecialKeyRunSwallow = 3,  // run and swallow (every entry that is not fixed)
};

class CCommandExecutor {
public:
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
    // [Config] "StartupSequence" when "EnableStartupSequence" is on.
    void RunStartupSequence();
    // The dispatcher's WM_SETTEXT: an empty (or null) text runs an engine
    // command, a text beginning with a letter a module command.
    void RunTextCommand(UINT number, LPCWSTR text);

    // True while a command runs (inside its menus and message boxes).
    bool IsCommandRunning() const { return m_depth > 0; }
    // While a command runs from the thread hook: whether this is its own key
    // read once more (it is dropped, once).
    bool IsRunningKey(UINT vk, LPARAM lParam);
    // Called by the reload handler: while a command runs the reload is kept
    // and posted again when the command returns; true when it was kept.
    bool HoldReload();

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
    void Enter() { ++m_depth; }
    void Leave();

    // Engine command handlers of this part.
    int ToggleSaveBookmark();
    int ReloadSettings();
    int AutoCompletion();

    // Points that other parts of the engine fill (CommandHookPoints.cpp).
    int SpecialKeyFilter(const HotkeyEntry& entry, HWND focus);
    void ChronoTabsKeyUp();
    bool NextQuickViewApplies();
    int RunAutoCompletion(HWND focus);
    int RunLaterEngineCommand(UINT number);
    UINT ModuleHotkeyCount();
    int RunModuleHotkey(int hotkeyIndex, HWND focus);
    int RunModuleByName(LPCWSTR name, int parameter);
    bool IsDriveListFocus(HWND focus);
    HWND DriveComboWindow(int side);

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
