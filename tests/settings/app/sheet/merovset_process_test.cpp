// MerovSet.exe itself, started as a user has it: beside the 64-bit engine in
// the stand-in host's plug-in folder, with the modules in both widths. Its
// title from both version resources, its page tree, the modules of its own
// width listed on the Plugins page, and one reload of the running engine per
// OK and per Apply.
#include "EngineHost.h"
#include "Resource.h"
#include "RunLevel.h"
#include "SheetFixture.h"
#include "TestFiles.h"
#include <gtest/gtest.h>

namespace {

struct CFindSheet
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindSheet(HWND wnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<CFindSheet*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == find->pid && IsWindowVisible(wnd) && GetDlgItem(wnd, CMainSheet::PageTreeId)) {
        find->found = wnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindPluginList(HWND wnd, LPARAM lParam)
{
    if (GetDlgCtrlID(wnd) != IDC_PLUGIN_LIST)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = wnd;
    return FALSE;
}

const wchar_t* const kModules[] = { L"Numbra", L"TCPathfan", L"Horalet" };

} // namespace

TEST(MerovSetProgram, TitleModulesAndOneEngineReloadPerOkOrApply)
{
    CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\n" COUNTED_START_SEQUENCE "[PluginList]\r\n"
                                       "Numbra=Numbra.dll\r\nTCPathfan=TCPathfan.dll\r\nHoralet=Horalet.dll\r\n");
    setup.pluginFiles.push_back(BinFile(L"MerovSet.exe"));
    for (const wchar_t* module : kModules)
        setup.pluginFiles.push_back(X64BinFile((std::wstring(module) + L"64.dll").c_str()));
    CHostDriver host;
    ASSERT_TRUE(host.Start(setup)) << Narrow(host.LastError().c_str());
    for (const wchar_t* module : kModules) {
        std::wstring listed = host.PluginDir() + L"\\" + module + L".dll";
        ASSERT_TRUE(CopyFileW(OwnWidthModule(module), listed.c_str(), FALSE));
    }
    CEnvironmentValue path(L"COMMANDER_PATH", host.Home().c_str());
    CEnvironmentValue ini(L"COMMANDER_INI", (host.Home() + L"\\wincmd.ini").c_str());
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineStarts(host) == 1; }));

    struct Case
    {
        const char* name;
        std::vector<WPARAM> presses; // the last one closes the sheet
        int reloads;
    };
    const Case cases[] = {
        { "OK", { IDOK }, 1 },
        { "Apply, Apply, Cancel", { 0x3021, 0x3021, IDCANCEL }, 2 },
        { "Cancel", { IDCANCEL }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int before = EngineStarts(host);
        std::wstring command = L"\"" + host.PluginDir() + L"\\MerovSet.exe\" /tcmd";
        STARTUPINFOW si = { sizeof(si) };
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   host.PluginDir().c_str(), &si, &pi));
        CFindSheet find = { pi.dwProcessId, nullptr };
        DWORD start = GetTickCount();
        while (!find.found && GetTickCount() - start < 10000) {
            EnumWindows(FindSheet, (LPARAM)&find);
            PumpFor(20);
        }
        ASSERT_NE(nullptr, find.found);
        WCHAR title[128] = {};
        GetWindowTextW(find.found, title, 128);
        EXPECT_STREQ(L"Merovin Prefector (Class B) v1.0 (1.0)", title);
        HWND tree = GetDlgItem(find.found, CMainSheet::PageTreeId);
        EXPECT_EQ(11, (int)SendMessageW(tree, TVM_GETCOUNT, 0, 0));
        // The Plugins page: each module's row and its commands (6, 3 and 3).
        SendMessageW(find.found, PSM_SETCURSEL, 8, 0);
        HWND list = nullptr;
        EnumChildWindows(find.found, FindPluginList, (LPARAM)&list);
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(3 + 6 + 3 + 3, (int)SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (WPARAM press : c.presses) {
            PostMessageW(find.found, WM_COMMAND, press, 0);
            PumpFor(200);
        }
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
        EXPECT_TRUE(WaitFor(3000, [&] { return EngineStarts(host) == before + c.reloads; }));
        PumpFor(300);
        EXPECT_EQ(before + c.reloads, EngineStarts(host));
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    EXPECT_TRUE(host.Running());
}

// Its manifest asks to run as the invoker: without it the 32-bit program's
// writes under Program Files would be redirected unseen.
TEST(MerovSetProgram, ManifestRunsAsInvoker)
{
    EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, ManifestRunLevel(BinFile(L"MerovSet.exe").c_str()));
}
