// The module library: the application object and the exports the engine
// binds by name. No exception leaves an export.
#include "NumbraApp.h"
#include "ModuleExports.h"

namespace {

// The command table and the record "GetInfo" returns: static data that
// stays valid while the library is loaded.
ModuleCommand g_commands[] = {
    {1, L"Hex|Shows output in hex format"},
    {2, L"Dec|Shows output in decimal format"},
    {3, L"Bin|Shows output in binary format"},
    {4, L"Var&&Const|Shows variables, constants and functions list"},
    {5, L"History|Shows evaluation history"},
    {6, L"Science|Shows output in science notation"},
};

ModuleInfo g_info = {
    L"Calculator", EditOnly, -1, -1, (INT)(sizeof(g_commands) / sizeof(g_commands[0])), g_commands,
};

} // namespace

CNumbra2App theApp;

BOOL CNumbra2App::InitInstance()
{
    CWinApp::InitInstance();
    CString moduleFile = GetModulePath();
    if (moduleFile.GetLength() >= SettingsPathLength)
        moduleFile.Empty();
    try {
        m_calculator.Initialize(moduleFile);
    } catch (mu::ParserError& error) {
        AfxGetPromptService().MessageBox(nullptr, error.GetMsg().c_str(), nullptr, MB_OK);
        return FALSE;
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

extern "C" ModuleInfo* WINAPI GetInfo()
{
    return &g_info;
}

// The engine's arguments are not needed.
extern "C" void WINAPI Load(HWND parent, POINT* point)
{
    (void)parent;
    (void)point;
}

extern "C" void WINAPI Unload()
{
}

extern "C" INT WINAPI Process(EditRequest* request, INT command)
{
    if (!request)
        return ResultNone;
    try {
        return theApp.m_calculator.Process(request, command);
    } catch (...) {
        return ResultNone;
    }
}

// Nothing binds it; kept for the module's export set.
extern "C" INT WINAPI GetCount()
{
    return 0;
}
