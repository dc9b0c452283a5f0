// Points where the executor calls into other parts of the engine: the
// special-key filter and the engine menu's commands, folder tabs, Lister
// handling, auto-completion and the panel objects. Each answers here as the
// engine behaves until that part is built. (The module loader's points are
// in EngineModules.cpp.)
#include "CommandExec.h"
#include "FocusClass.h"
#include "MerovinApp.h"

// Host query codes of the windows the drive-list branch needs.
namespace {
const int QueryLeftList = 1;
const int QueryRightList = 2;
const int QueryLeftDrive = 13;
const int QueryRightDrive = 14;
const int QueryCommandLine = 20;
const UINT HostQueryMessage = WM_USER + 50;

HWND QueryHost(int code)
{
    HWND main = theApp.m_hostMain;
    if (!main)
        return nullptr;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(main, HostQueryMessage, WPARAM(code), 0, SMTO_ABORTIFHUNG, 1000, &answer))
        return nullptr;
    HWND window = reinterpret_cast<HWND>(answer);
    return IsWindow(window) ? window : nullptr;
}
} // namespace

// Decides for a host-command hotkey whether it runs and whether the key is
// swallowed (SpecialKeyAnswer). Every entry runs and is swallowed until the
// engine menu's filter of the fixed bindings is built.
int CCommandExecutor::SpecialKeyFilter(const HotkeyEntry&, HWND)
{
    return SpecialKeyRunSwallow;
}

// Key-up: the folder tabs' check whether a "ChronoTabs" switch ends.
void CCommandExecutor::ChronoTabsKeyUp()
{
}

// Whether "NextQuickView" can act on the current focus (Lister handling).
bool CCommandExecutor::NextQuickViewApplies()
{
    return true;
}

// Auto-completion in the focused edit box; 0 while not built.
int CCommandExecutor::RunAutoCompletion(HWND)
{
    return 0;
}

// The engine commands whose handlers belong to the bookmark, sticky-file,
// Lister, tab, grouping and engine-menu parts: not handled yet, so the key
// goes on to the host with the thread hook.
int CCommandExecutor::RunLaterEngineCommand(UINT)
{
    return 0;
}

// The focus is the left or right file list, or inside the host's command-line
// combo box. Asked through the host's window query until the panel objects
// answer it.
bool CCommandExecutor::IsDriveListFocus(HWND focus)
{
    if (!focus)
        return false;
    // The engine has file-list objects only when a feature needs them.
    if (theApp.m_settings.fileListsNeeded &&
        (focus == QueryHost(QueryLeftList) || focus == QueryHost(QueryRightList)))
        return true;
    HWND commandLine = QueryHost(QueryCommandLine);
    return commandLine && IsChild(commandLine, focus);
}

// The drive combo box window of a side.
HWND CCommandExecutor::DriveComboWindow(int side)
{
    return QueryHost(side == 0 ? QueryLeftDrive : QueryRightDrive);
}
