// The engine-command switch and the handlers that belong to the executor.
#include "CommandExec.h"
#include "EngineCommands.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "FocusClass.h"

int CCommandExecutor::ExecuteEngineCommand(UINT number, int* result)
{
    if (!IsEngineCommandNumber(number))
        return 0;
    int value = 0;
    switch (number) {
    case CmdToggleSaveBookmark:
        value = ToggleSaveBookmark();
        break;
    case CmdReloadSettings:
        value = ReloadSettings();
        break;
    case CmdAutoCompletion:
        value = AutoCompletion();
        break;
    case CmdPanelOperationLeft:
    case CmdPanelOperationRight:
        value = 0; // nothing to do: the key goes on to the host
        break;
    default:
        value = m_targets.RunFeatureCommand(number);
        break;
    }
    if (result)
        *result = value;
    return 1;
}

int CCommandExecutor::ShowEngineMenu(int side, POINT point)
{
    CRunScope scope(*this);
    return m_targets.ShowEngineMenu(side, point);
}

int CCommandExecutor::ToggleSaveBookmark()
{
    // In memory only: the next reload reads the setting again.
    int& persist = m_engine.Settings().PersistBookmarks;
    persist = persist ? 0 : 1;
    return 1;
}

int CCommandExecutor::ReloadSettings()
{
    // Posted to every application: this engine reloads with all others that
    // use the same settings file, after this command has returned.
    m_engine.BroadcastSettingsReload();
    return 1;
}

int CCommandExecutor::AutoCompletion()
{
    if (!m_engine.Settings().AutoCompletion)
        return 0;
    HWND focus = GetFocus();
    if (!HasClass(focus, L"Edit", true) && !HasClass(focus, L"TEdit", true) && !HasClass(focus, L"TAltEdit", true))
        return 0;
    return m_targets.RunAutoCompletion(focus);
}
