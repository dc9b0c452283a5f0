// The host's window tree against the engine's walk, its query answers, and
// recreation of panel parts.
#include <gtest/gtest.h>
#include "HostScan.h"

using namespace TCHost;

namespace {

struct Layout {
    const char* name;
    std::vector<std::wstring> args;
    bool passes;
};

void PrintTo(const Layout& l, std::ostream* os) { *os << l.name; }

CHostSetup MakeSetup(const std::vector<std::wstring>& args)
{
    CHostSetup s;
    s.args = args;
    s.leftFiles = {L"a.txt", L"b.txt", L"sub\\"};
    s.rightFiles = {L"c.txt"};
    return s;
}

class TreeLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(TreeLayout, WalkAndQueryAnswersAgree)
{
    const Layout& layout = GetParam();
    CHostDriver host;
    ASSERT_TRUE(host.Start(MakeSetup(layout.args))) << "start: " << std::string(host.LastError().begin(), host.LastError().end());
    CTCInfo64 scan;
    bool ok = scan.Rescan(host.Main());
    ASSERT_EQ(ok, layout.passes) << "scan failure " << int(scan.LastFailure());
    if (!ok)
        return;

    for (int code = 1; code <= 29; ++code) {
        if (code == 3 || code == 4 || code == 24 || code == 25)
            continue;  // active/inactive list and the read-only bar texts: checked below
        EXPECT_EQ(host.Query(code), SnapshotWindowForCode(scan, code)) << "code " << code;
    }
    // The focused list is the left one after start-up.
    EXPECT_EQ(host.Query(3), scan.fileList[0]);
    EXPECT_EQ(host.Query(4), scan.fileList[1]);
    EXPECT_EQ(host.Query(24), scan.bar1[0]);
    EXPECT_EQ(host.Query(25), scan.bar1[1]);

    // The path bars show the folders, the lists are filled ("..", folders first).
    EXPECT_EQ(WindowText(scan.bar2[0]), host.DataDir(0) + L"\\*.*");
    EXPECT_EQ(WindowText(scan.bar2[1]), host.DataDir(1) + L"\\*.*");
    EXPECT_EQ(SendMessageW(scan.fileList[0], LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(scan.fileList[1], LB_GETCOUNT, 0, 0), 2);
    std::vector<std::wstring> rows = CHostDriver::ListRows(scan.fileList[0]);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], L"..\t<DIR>");
    EXPECT_EQ(rows[1].substr(0, 10), L"sub\t<DIR>\t");
    EXPECT_EQ(rows[2].substr(0, 9), L"a.txt\t15\t");
    EXPECT_EQ(rows[3].substr(0, 6), L"b.txt\t");
    EXPECT_TRUE(GetWindowLongW(scan.fileList[0], GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(GetWindowLongW(scan.fileList[0], GWL_STYLE) & LBS_EXTENDEDSEL);
    EXPECT_EQ(GetParent(scan.fileList[0]), host.Main());
    EXPECT_EQ(ClassOf(scan.commandEdit), L"Edit");
    EXPECT_EQ(GetWindow(scan.buttonBar, GW_CHILD), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TreeLayout,
    ::testing::Values(
        Layout{"Default", {}, true},
        Layout{"TabsBoth", {L"--tabs=both"}, true},
        Layout{"TabsLeft", {L"--tabs=left"}, true},
        Layout{"TabsRight", {L"--tabs=right"}, true},
        Layout{"TabsNone", {L"--tabs=none"}, true},
        Layout{"Stacked", {L"--stacked", L"--tabs=both"}, true},
        Layout{"Ftp", {L"--ftp"}, true},
        Layout{"OneHiddenBar", {L"--hidden-bars=1"}, true},
        Layout{"ThreeBars", {L"--bars=3"}, false},
        Layout{"TwoHiddenBars", {L"--hidden-bars=2"}, false}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST(Tree, TabsLandOnTheirSideAndStackedPanelsOrderByTop)
{
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(MakeSetup({L"--tabs=right"})));
        CTCInfo64 scan;
        ASSERT_TRUE(scan.Rescan(host.Main()));
        EXPECT_EQ(scan.tabs[0], nullptr);
        ASSERT_NE(scan.tabs[1], nullptr);
        EXPECT_EQ(GetParent(scan.tabs[1]), scan.panel[1]);
        EXPECT_TRUE(scan.hasTabs);
    }
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(MakeSetup({L"--stacked"})));
        CTCInfo64 scan;
        ASSERT_TRUE(scan.Rescan(host.Main()));
        RECT l, r;
        GetWindowRect(scan.panel[0], &l);
        GetWindowRect(scan.panel[1], &r);
        EXPECT_EQ(l.left, r.left);
        EXPECT_LT(l.top, r.top);
        EXPECT_EQ(host.Query(15), scan.panel[0]);
    }
}

TEST(Tree, FtpLogListIsNotADriveBox)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(MakeSetup({L"--ftp"})));
    CTCInfo64 scan;
    ASSERT_TRUE(scan.Rescan(host.Main()));
    ASSERT_NE(scan.ftpPanel, nullptr);
    EXPECT_EQ(GetParent(scan.ftpPanel), host.Main());
    EXPECT_EQ(WindowText(scan.ftpLogList), L"W_FtpLogList");
    EXPECT_NE(scan.driveCombo[0], nullptr);
    EXPECT_NE(GetParent(scan.driveCombo[0]), scan.ftpPanel);
    EXPECT_NE(GetParent(scan.driveCombo[1]), scan.ftpPanel);
}

TEST(Tree, LateWindowsComeAfterThePlugInAndThenPassTheWalk)
{
    CHostDriver host;
    CHostSetup s = MakeSetup({L"--late-windows"});
    s.pluginFiles = {TestBinFolder() + L"\\TestPlugin.dll"};
    s.plugin = L"TestPlugin.dll";
    ASSERT_TRUE(host.Start(s));
    CTCInfo64 scan;
    EXPECT_TRUE(scan.Rescan(host.Main())) << "scan failure " << int(scan.LastFailure());
    long long pluginSeq = -1, treeSeq = -1;
    for (const CHostLogEntry& e : host.ReadLog()) {
        if (e.m_kind == L"plugin" && e.Get(L"action") == L"setdefaultparams") pluginSeq = e.Int(L"seq");
        if (e.m_kind == L"tree") treeSeq = e.Int(L"seq");
    }
    ASSERT_GT(pluginSeq, 0);
    EXPECT_GT(treeSeq, pluginSeq);
}

TEST(Tree, RecreatedPartsAreNewWindowsTheWalkFinds)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(MakeSetup({L"--tabs=both"})));
    HWND oldList = host.Query(2), oldPath = host.Query(10), oldTabs = host.Query(27);

    HWND list = host.Recreate(1, RecreateList);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindow(oldList));
    EXPECT_EQ(host.Query(2), list);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);

    HWND path = host.Recreate(1, RecreatePathBar);
    EXPECT_FALSE(IsWindow(oldPath));
    EXPECT_EQ(host.Query(10), path);
    EXPECT_EQ(WindowText(path), host.DataDir(1) + L"\\*.*");

    HWND tabs = host.Recreate(1, RecreateTabs);
    EXPECT_FALSE(IsWindow(oldTabs));
    EXPECT_EQ(host.Query(27), tabs);
    host.Recreate(1, RemoveTabs);
    EXPECT_EQ(host.Query(27), nullptr);

    CTCInfo64 scan;
    ASSERT_TRUE(scan.Rescan(host.Main())) << "scan failure " << int(scan.LastFailure());
    EXPECT_EQ(scan.fileList[1], list);
    EXPECT_EQ(scan.bar2[1], path);
    EXPECT_EQ(scan.tabs[1], nullptr);
    EXPECT_NE(scan.tabs[0], nullptr);
}

TEST(Tree, AddingTheMissingBarMakesThreeBarsPass)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(MakeSetup({L"--bars=3"})));
    CTCInfo64 scan;
    EXPECT_FALSE(scan.Rescan(host.Main()));
    EXPECT_EQ(host.Query(5), nullptr);
    ASSERT_NE(host.Recreate(0, AddFourthBar), nullptr);
    ASSERT_NE(host.Recreate(1, AddFourthBar), nullptr);
    ASSERT_TRUE(scan.Rescan(host.Main())) << "scan failure " << int(scan.LastFailure());
    EXPECT_EQ(host.Query(5), scan.bar3[0]);
    EXPECT_EQ(host.Query(6), scan.bar3[1]);
}

} // namespace
