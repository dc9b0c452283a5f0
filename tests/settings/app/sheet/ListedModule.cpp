// A module for the Plugins page's tests: three commands (ids 1, 2 and 7).
// Its answer comes from "<file name>.ini" beside the library (section
// "Module"), so one build copied under several names gives several modules:
//   Name          module name (default: the file's base name)
//   Count         command count (default 3); above 3 the array ends at an
//                 inaccessible page, so reading past it faults
//   NullInfo=1    "GetInfo" answers null
//   NullCommands=1  no command array
//   Unterminated=1  the second command's text has no terminating zero
// Built twice: LISTMOD_NO_GETINFO leaves "GetInfo" out.
#include <windows.h>
#include <string>
#include "ModuleExports.h"

namespace {

std::wstring g_ini, g_baseName;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        WCHAR path[MAX_PATH] = {};
        GetModuleFileNameW(instance, path, MAX_PATH);
        std::wstring file(path);
        size_t slash = file.rfind(L'\\'), dot = file.rfind(L'.');
        g_baseName = file.substr(slash + 1, dot - slash - 1);
        g_ini = file.substr(0, dot) + L".ini";
    }
    return TRUE;
}

#ifndef LISTMOD_NO_GETINFO
namespace {

ModuleInfo g_info = {};
ModuleCommand g_commands[3] = {
    {1, L"First|The first command"}, {2, L"Second|The second command"}, {7, L"Seventh|The seventh command"}};

int Setting(LPCWSTR key, int defaultValue)
{
    return (int)GetPrivateProfileIntW(L"Module", key, defaultValue, g_ini.c_str());
}

// A copy of the commands that ends where an inaccessible page begins.
ModuleCommand* GuardedCommands()
{
    const SIZE_T page = 4096, size = sizeof(g_commands);
    auto* base = (BYTE*)VirtualAlloc(nullptr, 3 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old = 0;
    if (!base || !VirtualProtect(base + 2 * page, page, PAGE_NOACCESS, &old))
        return nullptr;
    auto* copy = (ModuleCommand*)(base + 2 * page - size);
    CopyMemory(copy, g_commands, size);
    return copy;
}

} // namespace

ModuleInfo* WINAPI GetInfo()
{
    if (Setting(L"NullInfo", 0))
        return nullptr;
    WCHAR name[ModuleNameLength] = {};
    GetPrivateProfileStringW(L"Module", L"Name", g_baseName.c_str(), name, ModuleNameLength, g_ini.c_str());
    lstrcpynW(g_info.name, name, ModuleNameLength);
    g_info.width = g_info.height = -1;
    g_info.commandCount = Setting(L"Count", 3);
    g_info.commands = Setting(L"NullCommands", 0) ? nullptr : g_info.commandCount > 3 ? GuardedCommands() : g_commands;
    if (Setting(L"Unterminated", 0)) {
        for (WCHAR& c : g_commands[1].text)
            c = L'x';
    }
    return &g_info;
}
#endif

void WINAPI Load(HWND, POINT*) {}
void WINAPI Unload() {}
INT WINAPI Process(EditRequest*, INT) { return 0; }
