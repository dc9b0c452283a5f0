// The sender as users start it: a user command of the stand-in host runs it,
// with the 64-bit engine and calculator loaded in the host. An engine command
// and a module command reach the engine.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include "EngineHost.h"

namespace {

std::wstring Text(HWND window)
{
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, (LPARAM)text);
    return text;
}

} // namespace

TEST(SenderInHost, EngineAndModuleCommandsReachTheEngine)
{
    CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\n" COUNTED_START_SEQUENCE
                                       "[PluginList]\r\nNumbra=Numbra.dll\r\n");
    setup.pluginFiles.push_back(BinFile(L"Merovcall.exe"));
    setup.pluginFiles.push_back(X64BinFile(L"Numbra64.dll"));
    const char sender[] = "cmd=%COMMANDER_PATH%\\plugins\\wdx\\Merovin\\Merovcall.exe\r\n";
    setup.homeFiles[L"usercmd.ini"] = std::string("[em_reload]\r\n") + sender + "param=ReloadSettings\r\n" +
                                      "[em_decimal]\r\n" + sender + "param=Numbra,2\r\n";
    CHostDriver host;
    ASSERT_TRUE(host.Start(setup));
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineStarts(host) == 1; }));
    HWND edit = host.ShowWindow(TCHost::KindEditInMain, 0);
    ASSERT_NE(nullptr, edit);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)L"6*7");
    ASSERT_TRUE(host.Focus(edit));

    struct Case {
        const char* command;
        std::function<bool()> reached;
    };
    const Case cases[] = {
        {"em_reload", [&] { return EngineStarts(host) == 2; }},
        {"em_decimal", [&] { return Text(edit) == L"42"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        size_t mark = host.LogMark();
        ASSERT_TRUE(host.CopyData(CopyDataUserCommand, c.command, (DWORD)strlen(c.command) + 1));
        ASSERT_TRUE(host.WaitForLog(mark, L"run", L"ok", L"1"));
        DWORD pid = (DWORD)host.LogSince(mark, L"run").at(0).Int(L"pid");
        HANDLE sender = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        // A sender that ended before it could be opened has delivered already.
        if (sender) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sender, 10000));
            DWORD exitCode = 0;
            GetExitCodeProcess(sender, &exitCode);
            EXPECT_EQ(1u, exitCode); // after a delivery
            CloseHandle(sender);
        }
        EXPECT_TRUE(WaitFor(5000, c.reached));
    }
    EXPECT_TRUE(host.Running());
}
