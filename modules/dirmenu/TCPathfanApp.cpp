// The module library: the application object and the exports the engine
// binds by name. No exception leaves an export.
#include "TCPathfanApp.h"
#include "ModuleExports.h"

namespace {

// The command table and the record "GetInfo" returns: static data that stays
// valid while the library is loaded. Command 4 (the context menu) is run by
// number and not listed.
ModuleCommand g_commands[] = {
    {1, L"TC Favorites|Show TC directory menu"},
    {2, L"Templates|Show Templates menu"},
    {3, L"Set/Reset Counter|Set/Reset Global Counter"},
};

ModuleInfo g_info = {
    L"Favorites", EditOnly, -1, -1, (INT)(sizeof(g_commands) / sizeof(g_commands[0])), g_commands,
};

} // namespace

CTCPathfanApp theApp;

BOOL CTCPathfanApp::InitInstance()
{
    CWinApp::InitInstance();
    m_pathfan.SetModulePath(GetModulePath());
    return TRUE;
}

extern "C" ModuleInfo* WINAPI GetInfo()
{
    return &g_info;
}

// Keeps the host window: it receives the host commands and owns the
// clipboard while it is read. The place is not used.
extern "C" void WINAPI Load(HWND parent, POINT* point)
{
    (void)point;
    theApp.m_pathfan.SetHostWindow(parent);
}

extern "C" void WINAPI Unload()
{
}

extern "C" INT WINAPI Process(EditRequest* request, INT command)
{
    try {
        return theApp.m_pathfan.Process(request, command);
    } catch (...) {
        return ResultNone;
    }
}
