// Running hotkeys and commands: the executor's branches for engine, host and
// module commands, commands by name and the start-up sequence.
#include "CommandExec.h"
#include "EngineCommands.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "FocusClass.h"
#include "IniReaders.h"
#include "ModuleLoader.h"
#include <string>
#include <vector>

namespace {

bool IsEngineRange(UINT number)
{
    return number >= FirstEngineCommand && number <= LastEngineCommand;
}

// What the special-key filter's answer asks for.
bool AnswerRuns(int answer)
{
    return answer != SpecialKeySwallowOnly && answer != SpecialKeyPassOnly;
}

bool AnswerSwallows(int answer)
{
    return answer == SpecialKeySwallowOnly || answer == SpecialKeyRun || answer == SpecialKeyRunSwallow;
}

bool StartsWith(LPCWSTR text, LPCWSTR prefix)
{
    return wcsncmp(text, prefix, wcslen(prefix)) == 0;
}

} // namespace

int CCommandExecutor::ExecuteHotkey(INT_PTR index, bool now)
{
    const HotkeyEntry* entry = m_engine.Hotkeys().Entry(index);
    if (!entry)
        return 0;
    HotkeyEntry copy = *entry; // a command may rebuild the table under us
    return Execute(index, copy, now, false);
}

int CCommandExecutor::RunDeferredHotkey(INT_PTR index, UINT generation)
{
    const HotkeyEntry* entry = m_engine.Hotkeys().Entry(index, generation);
    if (!entry)
        return 0;
    HotkeyEntry copy = *entry;
    return Execute(index, copy, true, true);
}

int CCommandExecutor::Execute(INT_PTR index, const HotkeyEntry& entry, bool now, bool filtered)
{
    HWND focus = GetFocus();
    UINT focusClass = ClassifyFocus(focus);
    UINT number = entry.command;
    UINT moduleCount = UINT(m_engine.Modules().HotkeyCount());
    UINT firstModule = LastModuleCommand + 1 - moduleCount;

    if (IsEngineRange(number)) {
        if ((focusClass & FocusEdit) && number != CmdAutoCompletion)
            return 0;
        if (number == CmdNextQuickView && !m_targets.NextQuickViewApplies())
            return 0;
        if (!now)
            return PostDeferred(index) ? 1 : 0;
        int result = 0;
        CRunScope scope(*this);
        int handled = ExecuteEngineCommand(number, &result);
        return handled ? result : 0;
    }
    if (number < firstModule)
        return ExecuteHostCommand(index, entry, focusClass, focus, now, filtered);
    if (number <= LastModuleCommand) {
        if (!m_engine.Settings().EnablePlugins)
            return 0;
        if (!now)
            return PostDeferred(index) ? 1 : 0;
        CRunScope scope(*this);
        return m_engine.Modules().RunModuleCommand(int(LastModuleCommand - number), focus);
    }
    return 0; // 65500, 65521 and numbers above the engine's: not assigned
}

int CCommandExecutor::ExecuteHostCommand(INT_PTR index, const HotkeyEntry& entry, UINT focusClass, HWND focus,
                                         bool now, bool filtered)
{
    // An edit box of a host dialog keeps its keys, except a plain END.
    if ((focusClass & FocusEdit) && (focusClass & FocusOtherTopLevel) && entry.code != PlainEndKey)
        return 0;
    if (entry.command == HostLeftDriveList || entry.command == HostRightDriveList)
        return OpenDriveList(index, entry.command, focus, now);

    // The low-level hook asked the filter once, in the hook; its deferred
    // run was posted only when the answer said to run.
    int answer = filtered ? SpecialKeyRunSwallow : m_targets.SpecialKeyFilter(entry, focus);
    bool runs = AnswerRuns(answer);
    int swallow = AnswerSwallows(answer) ? 1 : 0;
    if (!now) {
        if (runs)
            PostDeferred(index);
        return swallow;
    }
    if (runs) {
        if (entry.command == 0)
            RunCommandByName(entry.name, false);
        else
            PostHostCommand(entry.command, false);
    }
    return swallow;
}

int CCommandExecutor::OpenDriveList(INT_PTR index, UINT command, HWND focus, bool now)
{
    if (!m_engine.Settings().DriveList || !m_targets.IsDriveListFocus(focus))
        return 0;
    if (m_driveGuard)
        return 1;
    if (!now) {
        PostDeferred(index);
        return 1;
    }
    if (InterlockedExchange(&m_driveGuard, 1))
        return 1;
    // The guard is released however the menu ends.
    struct DriveGuardRelease {
        LONG& guard;
        ~DriveGuardRelease() { InterlockedExchange(&guard, 0); }
    } release{m_driveGuard};
    if (!m_targets.DriveComboWindow(0) || !m_targets.DriveComboWindow(1))
        m_engine.AttachPanels();
    HWND combo = m_targets.DriveComboWindow(command == HostLeftDriveList ? 0 : 1);
    CRunScope scope(*this);
    if (combo)
        SendMessageW(combo, WM_LBUTTONDOWN, 1, 0);
    return 1;
}

bool CCommandExecutor::PostDeferred(INT_PTR index)
{
    HWND dispatcher = m_engine.Dispatcher();
    return dispatcher && PostMessageW(dispatcher, DeferredHotkeyMessage, WPARAM(index),
                                      LPARAM(m_engine.Hotkeys().Generation()));
}

bool CCommandExecutor::PostHostCommand(UINT number, bool send)
{
    // Without the host window a post would land in the thread's own queue.
    HWND main = m_engine.Host().mainWindow;
    if (!main)
        return false;
    if (send) {
        CRunScope scope(*this);
        SendMessageW(main, HostCommandMessage, number, 0);
        return true;
    }
    return PostMessageW(main, HostCommandMessage, number, 0) != FALSE;
}

int CCommandExecutor::RunCommandByName(LPCWSTR name, bool send)
{
    if (!name || !name[0])
        return 0;
    UINT number = UINT(_wtoi(name));
    if (number == 0) {
        if (StartsWith(name, L"cm_")) {
            number = UINT(m_engine.HostCommandNumber(name));
            if (number == 0)
                return 0;
        } else if (_wcsnicmp(name, L"em_", 3) == 0) {
            return SendUserCommand(name);
        } else {
            return 0;
        }
    }
    return PostHostCommand(number, send) ? 1 : 0;
}

int CCommandExecutor::SendUserCommand(LPCWSTR name)
{
    char text[UserCommandTextLength];
    int length = WideCharToMultiByte(CP_ACP, 0, name, -1, text, UserCommandTextLength, nullptr, nullptr);
    if (length <= 0)
        return 1; // not convertible (or too long): nothing is sent
    HWND main = m_engine.Host().mainWindow;
    if (!main)
        return 0;
    COPYDATASTRUCT data = {};
    data.dwData = CopyDataUserCommand;
    data.cbData = DWORD(lstrlenA(text) + 1);
    data.lpData = text;
    CRunScope scope(*this);
    SendMessageW(main, WM_COPYDATA, 1, LPARAM(&data));
    return 1;
}

void CCommandExecutor::RunStartupSequence()
{
    if (!m_engine.Host().mainWindow || !m_engine.Settings().EnableStartupSequence)
        return;
    std::vector<WCHAR> buffer;
    ReadIniSection(L"Config", L"StartupSequence", L"", buffer, 0, m_engine.Paths().settingsFile);
    if (buffer.empty())
        return;
    RunCommandList(buffer.data());
}

int CCommandExecutor::RunCommandList(LPCWSTR list)
{
    if (!list)
        return 0;
    std::wstring sequence(list);
    int run = 0;
    size_t start = 0;
    while (start <= sequence.size()) {
        size_t end = sequence.find(L'|', start);
        if (end == std::wstring::npos)
            end = sequence.size();
        std::wstring part = sequence.substr(start, end - start);
        if (!part.empty()) {
            RunCommandByName(part.c_str(), false);
            ++run;
        }
        start = end + 1;
    }
    return run;
}

void CCommandExecutor::RunTextCommand(UINT number, LPCWSTR text)
{
    if (!text || !text[0]) {
        CRunScope scope(*this);
        ExecuteEngineCommand(number);
    } else if (IsCharAlphaW(text[0])) {
        CRunScope scope(*this);
        m_engine.Modules().RunModuleByName(text, int(number));
    }
}

void CCommandExecutor::Leave()
{
    if (m_depth > 0)
        --m_depth;
    if (m_depth == 0 && m_reloadHeld) {
        m_reloadHeld = false;
        UINT reload = m_engine.ReloadMessage();
        HWND dispatcher = m_engine.Dispatcher();
        if (reload && dispatcher)
            PostMessageW(dispatcher, reload, 0, 0);
    }
}

bool CCommandExecutor::HoldReload()
{
    if (m_depth == 0)
        return false;
    m_reloadHeld = true;
    return true;
}

void CCommandExecutor::Reset()
{
    ZeroMemory(m_lowLevelState, sizeof(m_lowLevelState));
    InterlockedExchange(&m_driveGuard, 0);
    m_escCount = 0;
}
