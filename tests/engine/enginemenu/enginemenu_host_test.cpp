// The engine commands in the stand-in host: "ChangeColumns" switches both
// multi-column lists between their stored widths and the host's own and
// never writes "Merovin.ini"; "GotoDirRelative" sends the other panel to the
// matching folder ("CD" for the target panel); with "TabsWheel" the lists'
// wheel scrolls the tab strip.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <fstream>
#include <sstream>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include "TCProtocol.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream file(std::string(path.begin(), path.end()), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

int ColumnWidth(HWND list)
{
    RECT rect = {};
    SendMessageW(list, LB_GETITEMRECT, 0, (LPARAM)&rect);
    return rect.right - rect.left;
}

} // namespace

TEST(EngineCommandsInHost, ChangeColumnsAndGotoDirRelative)
{
    CHostDriver host;
    CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\nCheckCloseTC=0\r\nChangeColumns=1\r\n"
                                       "ColumnsWidth0=300\r\nColumnsWidth1=250\r\n",
                                       {L"--view=brief"});
    setup.leftFiles = {L"a.txt", L"b.txt"};
    setup.rightFiles = {L"c.txt"};
    ASSERT_TRUE(host.Start(setup)) << host.LastError();
    HWND left = host.Query(1), right = host.Query(2);
    ASSERT_TRUE(WaitFor(5000, [&] { return ColumnWidth(left) == 300; }));
    HWND dispatcher = Dispatcher(host.ThreadId());
    ASSERT_NE(nullptr, dispatcher);
    auto run = [&](UINT number) { SendMessageW(dispatcher, WM_SETTEXT, number, (LPARAM)L""); };
    std::wstring ini = host.PluginDir() + L"\\Merovin.ini";
    std::string before = ReadAll(ini);

    int hostWidth = -1;
    for (int round = 0; round < 2; ++round) {
        run(CmdChangeColumns);
        EXPECT_NE(300, ColumnWidth(left));
        EXPECT_NE(250, ColumnWidth(right));
        EXPECT_TRUE(hostWidth < 0 || hostWidth == ColumnWidth(left));
        hostWidth = ColumnWidth(left);
        // Switched off, a width the host sets stays the host's.
        SendMessageW(left, LB_SETCOLUMNWIDTH, 123, 0);
        EXPECT_EQ(123, ColumnWidth(left));
        SendMessageW(left, LB_SETCOLUMNWIDTH, hostWidth, 0);
        run(CmdChangeColumns);
        EXPECT_EQ(300, ColumnWidth(left));
        EXPECT_EQ(250, ColumnWidth(right));
    }
    EXPECT_EQ(before, ReadAll(ini));

    ASSERT_TRUE(host.Focus(left));
    size_t mark = host.LogMark();
    run(CmdGotoDirRelative);
    ASSERT_TRUE(host.WaitForLog(mark, L"copydata", L"ok", L"1"));
    CHostLogEntry sent = host.LogSince(mark, L"copydata")[0];
    EXPECT_EQ(L"1", sent.Get(L"second")); // the target panel: a leading CR
    EXPECT_EQ(L"SA", sent.Get(L"flags"));
    EXPECT_EQ(host.DataDir(0), sent.Get(L"path"));
}
