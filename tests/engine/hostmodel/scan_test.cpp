// Both scans of the host model against the stand-in host's layouts: from the
// test process (the host's windows are another process's, which the scans
// handle alike) and inside the host's process through the probe plug-in.
#include <gtest/gtest.h>
#include "HostStart.h"
#include "TCInfo.h"

using namespace TCHost;

namespace {

// Codes only the query scan fills.
bool QueryOnly(int code)
{
    return code == 18 || code == 19 || code == 22 || code == 23 || code == 29;
}

struct Layout {
    const char* name;
    std::vector<std::wstring> args;
};

void PrintTo(const Layout& l, std::ostream* os) { *os << l.name; }

class ScanLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(ScanLayout, BothScansAgreeOnEveryFieldBothFill)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(HostSetup(GetParam().args, true))) << Narrow(host.LastError());
    CTCInfoBase query;
    CTCInfo64 walk;
    ASSERT_TRUE(query.Rescan(host.Main())) << (int)query.LastFailure();
    ASSERT_TRUE(walk.Rescan(host.Main())) << (int)walk.LastFailure();
    EXPECT_EQ(query.valid, 1);
    EXPECT_EQ(walk.valid, 1);

    for (int code = HostQueryFirstCode; code <= HostQueryLastCode; ++code) {
        if (QueryOnly(code))
            continue;
        EXPECT_EQ(SnapshotWindowForCode(walk, code), SnapshotWindowForCode(query, code)) << "code " << code;
        if (SnapshotWindowForCode(walk, code)) {
            EXPECT_EQ(SnapshotWindowForCode(walk, code), host.Query(code)) << "code " << code;
        }
    }
    EXPECT_EQ(walk.commandEdit, query.commandEdit);
    EXPECT_NE(walk.commandEdit, nullptr);
    EXPECT_EQ(walk.main, host.Main());
    EXPECT_EQ(walk.threadId, host.ThreadId());
    EXPECT_EQ(walk.processId, host.ProcessId());
    EXPECT_EQ(query.processId, host.ProcessId());

    // Only the walk knows whether a panel holds tabs and where the FTP panel is.
    EXPECT_EQ(query.hasTabs, 0);
    EXPECT_EQ(query.ftpPanel, nullptr);
    EXPECT_EQ(query.ftpLogList, nullptr);
    EXPECT_EQ(walk.hasTabs, (walk.tabs[0] || walk.tabs[1]) ? 1 : 0);

    // The same inside the host's process.
    EXPECT_EQ(Probe(host, ProbeCompareScans), 7);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScanLayout,
    ::testing::Values(
        Layout{"Default", {}},
        Layout{"TabsBoth", {L"--tabs=both"}},
        Layout{"TabsLeft", {L"--tabs=left"}},
        Layout{"TabsRight", {L"--tabs=right"}},
        Layout{"TabsNone", {L"--tabs=none"}},
        Layout{"Stacked", {L"--stacked", L"--tabs=both"}},
        Layout{"StackedRightTabs", {L"--stacked", L"--tabs=right"}},
        Layout{"Ftp", {L"--ftp", L"--tabs=both"}},
        Layout{"OneHiddenBar", {L"--hidden-bars=1"}}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

RECT Rect(HWND w)
{
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

TEST(Scan, PairsFollowThePositionOfTheirWindows)
{
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(HostSetup({L"--tabs=both"})));
        CTCInfo64 walk;
        ASSERT_TRUE(walk.Rescan(host.Main()));
        EXPECT_LT(Rect(walk.panel[0]).left, Rect(walk.panel[1]).left);
        EXPECT_LT(Rect(walk.fileList[0]).left, Rect(walk.fileList[1]).left);
        EXPECT_LT(Rect(walk.tabs[0]).left, Rect(walk.tabs[1]).left);
        EXPECT_LT(Rect(walk.driveCombo[0]).left, Rect(walk.driveCombo[1]).left);
        for (int side = 0; side < 2; ++side) {
            EXPECT_EQ(GetParent(walk.tabs[side]), walk.panel[side]);
            EXPECT_EQ(GetParent(walk.driveCombo[side]), walk.panel[side]);
            // Bars by their top.
            EXPECT_LT(Rect(walk.bar1[side]).top, Rect(walk.bar2[side]).top);
            EXPECT_LT(Rect(walk.bar2[side]).top, Rect(walk.bar3[side]).top);
            EXPECT_LT(Rect(walk.bar3[side]).top, Rect(walk.bar4[side]).top);
        }
        EXPECT_EQ(walk.hasTabs, 1);
    }
    {
        // Stacked: equal left edges, ordered by top; one tab control on the lower panel.
        CHostDriver host;
        ASSERT_TRUE(host.Start(HostSetup({L"--stacked", L"--tabs=right"})));
        CTCInfo64 walk;
        ASSERT_TRUE(walk.Rescan(host.Main()));
        EXPECT_EQ(Rect(walk.panel[0]).left, Rect(walk.panel[1]).left);
        EXPECT_LT(Rect(walk.panel[0]).top, Rect(walk.panel[1]).top);
        EXPECT_LT(Rect(walk.fileList[0]).top, Rect(walk.fileList[1]).top);
        EXPECT_EQ(walk.tabs[0], nullptr);
        ASSERT_NE(walk.tabs[1], nullptr);
        EXPECT_EQ(GetParent(walk.tabs[1]), walk.panel[1]);
        EXPECT_EQ(walk.hasTabs, 1);
    }
}

TEST(Scan, OnlyTheWalkFindsTheFtpPanelItsLogAndTheTabs)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(HostSetup({L"--ftp", L"--tabs=right"})));
    CTCInfo64 walk;
    ASSERT_TRUE(walk.Rescan(host.Main())) << (int)walk.LastFailure();
    ASSERT_NE(walk.ftpPanel, nullptr);
    EXPECT_EQ(GetParent(walk.ftpPanel), host.Main());
    ASSERT_NE(walk.ftpLogList, nullptr);
    EXPECT_EQ(GetParent(walk.ftpLogList), walk.ftpPanel);
    wchar_t text[64] = L"";
    GetWindowTextW(walk.ftpLogList, text, 64);
    EXPECT_STREQ(text, L"W_FtpLogList");
    EXPECT_EQ(walk.hasTabs, 1);
    // The FTP panel's combo box is neither a drive box nor the command line,
    // and its log list is no file list.
    for (int side = 0; side < 2; ++side) {
        EXPECT_NE(GetParent(walk.driveCombo[side]), walk.ftpPanel);
        EXPECT_NE(walk.fileList[side], walk.ftpLogList);
        EXPECT_NE(walk.panel[side], walk.ftpPanel);
    }
    EXPECT_NE(GetParent(walk.commandCombo), walk.ftpPanel);
    // The button bar is the topmost childless "Window" of the main window.
    EXPECT_EQ(walk.buttonBar, host.Query(28));

    CTCInfoBase query;
    ASSERT_TRUE(query.Rescan(host.Main()));
    EXPECT_EQ(query.ftpPanel, nullptr);
    EXPECT_EQ(query.ftpLogList, nullptr);
    EXPECT_EQ(query.hasTabs, 0);
}

TEST(Scan, PanelBarsDecideTheWalk)
{
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(HostSetup({L"--bars=3"})));
        CTCInfo64 walk;
        EXPECT_FALSE(walk.Rescan(host.Main()));
        EXPECT_EQ(walk.LastFailure(), ScanFailure::TooFewBars);
        EXPECT_EQ(walk.valid, 0);
        // The host adds the missing bar to the left panel: the right one still fails.
        ASSERT_NE(host.Recreate(0, AddFourthBar), nullptr);
        EXPECT_FALSE(walk.Rescan());
        EXPECT_EQ(walk.FailedSide(), 1);
        ASSERT_NE(host.Recreate(1, AddFourthBar), nullptr);
        EXPECT_TRUE(walk.Rescan()) << (int)walk.LastFailure();
        EXPECT_EQ(walk.bar3[0], host.Query(5));
        EXPECT_EQ(walk.bar3[1], host.Query(6));
        EXPECT_EQ(walk.valid, 1);
    }
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(HostSetup({L"--hidden-bars=2"})));
        CTCInfo64 walk;
        EXPECT_FALSE(walk.Rescan(host.Main()));
        EXPECT_EQ(walk.LastFailure(), ScanFailure::HiddenBars);
        // The host shows one of the two: the scan passes.
        ShowWindow(host.Query(5), SW_SHOWNA);
        ShowWindow(host.Query(6), SW_SHOWNA);
        EXPECT_TRUE(walk.Rescan()) << (int)walk.LastFailure();
    }
    {
        CHostDriver host;
        ASSERT_TRUE(host.Start(HostSetup({L"--hidden-bars=1"})));
        CTCInfo64 walk;
        ASSERT_TRUE(walk.Rescan(host.Main())) << (int)walk.LastFailure();
        for (int side = 0; side < 2; ++side) {
            EXPECT_FALSE(IsWindowVisible(walk.bar1[side]));
            EXPECT_EQ(walk.bar1[side], host.Query(7 + side));  // the invisible bar sorts first
            EXPECT_EQ(walk.bar2[side], host.Query(9 + side));
        }
    }
}

TEST(Scan, RescanChecksTheMainWindowAndFollowsRecreatedParts)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(HostSetup({L"--tabs=both"})));
    CTCInfo64 walk;
    EXPECT_FALSE(walk.Rescan(nullptr));
    EXPECT_EQ(walk.LastFailure(), ScanFailure::NoMainWindow);
    EXPECT_FALSE(walk.Rescan(host.Query(15)));  // a panel, not the main window
    EXPECT_EQ(walk.LastFailure(), ScanFailure::NotHostWindow);
    EXPECT_EQ(walk.main, nullptr);

    ASSERT_TRUE(walk.Rescan(host.Main()));
    HostTreeSnapshot old = walk;  // the tree check's copy
    HWND list = host.Recreate(1, RecreateList);
    HWND path = host.Recreate(0, RecreatePathBar);
    HWND tabs = host.Recreate(1, RecreateTabs);
    ASSERT_TRUE(list && path && tabs);
    ASSERT_TRUE(walk.Rescan());  // the stored main window
    EXPECT_EQ(walk.fileList[1], list);
    EXPECT_EQ(walk.bar2[0], path);
    EXPECT_EQ(walk.tabs[1], tabs);
    EXPECT_EQ(walk.fileList[0], old.fileList[0]);
    EXPECT_EQ(old.tabs[0], walk.tabs[0]);

    // A failing check puts the copy back whole.
    host.Recreate(1, RemoveTabs);
    walk = old;
    EXPECT_EQ(walk.tabs[1], old.tabs[1]);
    EXPECT_EQ(walk.valid, 1);
    EXPECT_EQ(memcmp(&static_cast<HostTreeSnapshot&>(walk), &old, sizeof old), 0);
    ASSERT_TRUE(walk.Rescan());
    EXPECT_EQ(walk.tabs[1], nullptr);
    EXPECT_EQ(walk.hasTabs, 1);
}

TEST(Scan, QueryScanNeedsTheRequiredAnswersAndTheCommandLine)
{
    // A "TTOTAL_CMD" window of this process that answers nothing.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTOTAL_CMD";
    RegisterClassW(&wc);
    HWND fake = CreateWindowExW(0, L"TTOTAL_CMD", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(fake, nullptr);
    CTCInfoBase query;
    EXPECT_FALSE(query.Rescan(fake));
    EXPECT_EQ(query.LastFailure(), ScanFailure::RequiredMissing);
    EXPECT_EQ(query.main, fake);
    EXPECT_EQ(query.threadId, GetCurrentThreadId());
    CTCInfo64 walk;
    EXPECT_FALSE(walk.Rescan(fake));
    EXPECT_EQ(walk.LastFailure(), ScanFailure::NoCommandLine);
    DestroyWindow(fake);
    EXPECT_FALSE(walk.Rescan());
    EXPECT_EQ(walk.LastFailure(), ScanFailure::NoMainWindow);
}

} // namespace
