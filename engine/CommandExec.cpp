// Running hotkeys and commands: the executor's branches for engine, host and
// module commands, commands by name and the start-up sequence.
#include "CommandExec.h"
#include "EngineCommands.h"
#include "FocusClass.h"
#include "IniReaders.h"
#include "MerovinApp.h"
#include <string>
#include <vector>

namespace {

// Module hotkeys take the numbers from this one downward.
const UINT LastModuleHotkeyNumber = 65499;

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
    const HotkeyEntry* entry = theApp.m_hotkeyTable.Entry(index);
    if (!entry)
        return 0;
    HotkeyEntry copy = *entry; // a command may rebuild the table under us
    return Execute(index, copy, now, false);
}

int CCommandExecutor::RunDeferredHotkey(INT_PTR index, UINT generation)
{
    const HotkeyEntry* entry = theApp.m_hotkeyTable.Entry(index, generation);
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
    UINT moduleCount = ModuleHotkeyCount();
    UINT firstModule = LastModuleHotkeyNumber + 1 - moduleCount;

    if (IsEngineRange(number)) {
        if ((focusClass & FocusEdit) && number != CmdAutoCompletion)
            return 0;
        if (number == CmdNextQuickView && !NextQuickViewApplies())
            return 0;
        if (!now)
            return PostDeferred(index) ? 1 : 0;
        int result = 0;
        Enter();
        int handled = ExecuteEngineCommand(number, &result);
        Leave();
        return handled ? result : 0;
    }
    if (number < firstModule)
        return ExecuteHostCommand(index, entry, focusClass, focus, now, filtered);
    if (number <= LastModuleHotkeyNumber) {
        if (!theApp.m_settings.EnablePlugins)
            return 0;
        if (!now)
            return PostDeferred(index) ? 1 : 0;
        Enter();
        int result = RunModuleHotkey(int(LastModuleHotkeyNumber - number), focus);
        Leave();
        return result;
    }
    return 0; // 65500, 65521 and numbers above the engine's: not assigned
}

int CCommandExecutor::ExecuteHostCommand(INT_PTR index, const HotkeyEntry& entry, UINT focusClass, HWND focus,
                                         bool now, bool filtered)
{
    // An edit box of a host dialog keeps its keys, except a plain END.
    if ((focusClass & FocusEdit) && (focusClass & FocusOtherTopLevel) && entry.code != PlainEndKey)
        return 0;
    if (entry.command == LeftDriveListCommand || entry.command == RightDriveListCommand)
        return OpenDriveList(index, entry.command, focus, now);

    // The low-level hook asked the filter once, in the hook; its deferred
    // run was posted only when the answer said to run.
    int answer = filtered ? SpecialKeyRunSwallow : SpecialKeyFilter(entry, focus);
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
    if (!theApp.m_settings.DriveList || !IsDriveListFocus(focus))
        return 0;
    if (m_driveGuard)
        return 1;
    if (!now) {
        PostDeferred(index);
        return 1;
    }
    if (InterlockedExchange(&m_driveGuard, 1))
        return 1;
    if (!DriveComboWindow(0) || !DriveComboWindow(1))
        theApp.AttachPanels();
    HWND combo = DriveComboWindow(command == LeftDriveListCommand ? 0 : 1);
    Enter();
    if (combo)
        SendMessageW(combo, WM_LBUTTONDOWN, 1, 0);
    Leave();
    InterlockedExchange(&m_driveGuard, 0);
    return 1;
}

bool CCommandExecutor::PostDeferred(INT_PTR index)
{
    HWND dispatcher = theApp.m_dispWnd.GetSafeHwnd();
    return dispatcher && PostMessageW(dispatcher, DeferredHotkeyMessage, WPARAM(index),
                                      LPARAM(theApp.m_hotkeyTable.Generation()));
}

bool CCommandExecutor::PostHostCommand(UINT number, bool send)
{
    // Without the host window a post would land in the thread's own queue.
    HWND main = theApp.m_hostMain;
    if (!main)
        return false;
    if (send) {
        Enter();
        SendMessageW(main, HostCommandMessage, number, 0);
        Leave();
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
            number = UINT(theApp.HostCommandNumber(name));
            if (number == 0)
                return 0;
        } else if (StartsWith(name, L"em_")) {
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
    HWND main = theApp.m_hostMain;
    if (!main)
        return 0;
    COPYDATASTRUCT data = {};
    data.dwData = UserCommandCopyData;
    data.cbData = DWORD(lstrlenA(text) + 1);
    data.lpData = text;
    Enter();
    SendMessageW(main, WM_COPYDATA, 1, LPARAM(&data));
    Leave();
    return 1;
}

void CCommandExecutor::RunStartupSequence()
{
    if (!theApp.m_hostMain || !theApp.m_settings.EnableStartupSequence)
        return;
    std::vector<WCHAR> buffer;
    ReadIniSection(L"Config", L"StartupSequence", L"", buffer, 0, theApp.m_settingsFile);
    if (buffer.empty())
        return;
    std::wstring sequence(buffer.data());
    size_t start = 0;
    while (start <= sequence.size()) {
        size_t end = sequence.find(L'|', start);
        if (end == std::wstring::npos)
            end = sequence.size();
        std::wstring part = sequence.substr(start, end - start);
        if (!part.empty())
            RunCommandByName(part.c_str(), false);
        start = end + 1;
    }
}

void CCommandExecutor::RunTextCommand(UINT number, LPCWSTR text)
{
    if (!text || !text[0]) {
        Enter();
        ExecuteEngineCommand(number);
        Leave();
    } else if (IsCharAlphaW(text[0])) {
        Enter();
        RunModuleByName(text, int(number));
        Leave();
    }
}

void CCommandExecutor::Leave()
{
    if (m_depth > 0)
        --m_depth;
    if (m_depth == 0 && m_reloadHeld) {
        m_reloadHeld = false;
        UINT reload = theApp.GetReloadMessage();
        HWND dispatcher = theApp.m_dispWnd.GetSafeHwnd();
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
