// A panel's status bar follows the selection; a double click opens folders
// only, also when the name under the caret has gone from the disk.
#include <gtest/gtest.h>
#include "HostScan.h"

namespace {

CHostSetup PanelSetup()
{
    CHostSetup s;
    s.leftFiles = {L"a.txt", L"b.txt", L"gone.txt", L"sub\\"};  // rows: .., sub, a, b, gone
    return s;
}

// The row whose text starts with `prefix` ("name.ext\t..." as the host stores it).
int RowOf(HWND list, const std::wstring& prefix)
{
    std::vector<std::wstring> rows = CHostDriver::ListRows(list);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].compare(0, prefix.size(), prefix) == 0)
            return (int)i;
    }
    return -1;
}

TEST(Panel, StatusBarCountsTheSelectedFilesAndFolders)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(PanelSetup()));
    HWND list = host.Query(1), status = host.Query(11);
    struct Case {
        std::vector<int> rows;
        const wchar_t* status;
    } cases[] = {
        {{}, L"0 k / 0 k in 0 / 3 file(s), 0 / 1 dir(s)"},
        {{2}, L"0 k / 0 k in 1 / 3 file(s), 0 / 1 dir(s)"},
        {{0, 1, 3}, L"0 k / 0 k in 1 / 3 file(s), 1 / 1 dir(s)"},  // ".." is not counted
    };
    for (const Case& c : cases) {
        SendMessageW(list, LB_SETSEL, FALSE, -1);
        for (int row : c.rows)
            SendMessageW(list, LB_SETSEL, TRUE, row);
        EXPECT_EQ(WindowText(status), c.status) << c.rows.size() << " rows";
    }
    // Selected with the keyboard: the list tells its parent.
    ASSERT_TRUE(host.Focus(list));
    ASSERT_TRUE(host.Press(VK_HOME));
    EXPECT_EQ(WindowText(status), L"0 k / 0 k in 0 / 3 file(s), 0 / 1 dir(s)");
    ASSERT_TRUE(host.Chord({VK_LSHIFT}, VK_END));
    EXPECT_EQ(WindowText(status), L"0 k / 0 k in 3 / 3 file(s), 1 / 1 dir(s)");
}

TEST(Panel, DoubleClickOpensExistingFoldersOnly)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* row;
        bool removeFirst;
        bool opens;
    } cases[] = {
        {L"sub", L"sub\t<DIR>", false, true},
        {L"a.txt", L"a.txt\t", false, false},
        {L"gone.txt", L"gone.txt\t", true, false},  // its attributes cannot be read any more
    };
    for (const Case& c : cases) {
        CHostDriver host;
        ASSERT_TRUE(host.Start(PanelSetup()));
        HWND list = host.Query(1);
        int row = RowOf(list, c.row);
        ASSERT_GE(row, 0) << c.name;
        if (c.removeFirst) {
            ASSERT_TRUE(DeleteFileW((host.DataDir(0) + L"\\" + c.name).c_str()));
        }
        SendMessageW(list, LB_SETCARETINDEX, row, 0);
        host.Send(WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), (LPARAM)list);
        std::wstring expected = c.opens ? host.DataDir(0) + L"\\" + c.name : host.DataDir(0);
        EXPECT_EQ(WindowText(host.Query(9)), expected + L"\\*.*") << c.name;
    }
}

} // namespace
