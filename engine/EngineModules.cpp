// The module loader's place in the engine: loaded with every attach,
// unloaded at teardown, and the executor's module commands.
#include "CommandExec.h"
#include "MerovinApp.h"

void CMerovinApp::LoadModuleList()
{
    m_modules.LoadModuleList();
}

void CMerovinApp::UnloadModules()
{
    m_modules.UnloadModules(0);
}

UINT CCommandExecutor::ModuleHotkeyCount()
{
    return UINT(theApp.m_modules.HotkeyCount());
}

int CCommandExecutor::RunModuleHotkey(int hotkeyIndex, HWND focus)
{
    return theApp.m_modules.RunModuleCommand(hotkeyIndex, focus);
}

int CCommandExecutor::RunModuleByName(LPCWSTR name, int parameter)
{
    return theApp.m_modules.RunModuleByName(name, parameter);
}
