// The walk on trees built in this process, shaped to probe what the stand-in
// host does not show: bars nested deeper in a panel, windows that follow a
// panel in the enumeration, a combo box's first child and next sibling.
#include <gtest/gtest.h>
#include "TCInfo.h"

namespace {

class SyntheticTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const wchar_t* cls : {L"TTOTAL_CMD", L"Window", L"LCLComboBox", L"LCLListBox", L"Holder"}) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = cls;
            RegisterClassW(&wc);
        }
    }
    void SetUp() override
    {
        main = CreateWindowExW(0, L"TTOTAL_CMD", L"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 1000, 700, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { DestroyWindow(main); }

    HWND Make(const wchar_t* cls, HWND parent, int x, int y, int w = 50, int h = 10, const wchar_t* text = L"",
              bool visible = true)
    {
        return CreateWindowExW(0, cls, text, WS_CHILD | (visible ? WS_VISIBLE : 0), x, y, w, h, parent, nullptr,
                               nullptr, nullptr);
    }
    // A panel at x with a drive box, bars at the given tops (a negative top: in
    // a holder window one level deeper), then its file list.
    HWND Panel(int x, std::initializer_list<int> tops, HWND* list)
    {
        HWND p = Make(L"Window", main, x, 30, 400, 600);
        Make(L"LCLComboBox", p, 0, 0);
        HWND holder = nullptr;
        for (int top : tops) {
            if (top < 0) {
                if (!holder)
                    holder = Make(L"Holder", p, 0, 0, 400, 600);
                Make(L"Window", holder, 0, -top);
            } else {
                Make(L"Window", p, 0, top);
            }
        }
        *list = Make(L"LCLListBox", main, x, 200, 400, 300);
        return p;
    }
    void CommandLine()
    {
        HWND bottom = Make(L"Window", main, 0, 640, 1000, 40);
        combo = Make(L"LCLComboBox", bottom, 0, 0);
        edit = Make(L"Edit", combo, 0, 0);
        after = Make(L"Window", bottom, 0, 20);
    }

    HWND main = nullptr, combo = nullptr, edit = nullptr, after = nullptr;
};

TEST_F(SyntheticTree, NestedBarsCountAndTheWalkStopsAtThePanelsEnd)
{
    HWND button = Make(L"Window", main, 0, 0, 1000, 20);
    HWND lists[2];
    HWND left = Panel(0, {10, -30, -50, 70}, &lists[0]);
    HWND right = Panel(500, {70, 10, 50, 30}, &lists[1]);
    CommandLine();
    CTCInfo64 walk;
    ASSERT_TRUE(walk.Rescan(main)) << (int)walk.LastFailure();
    EXPECT_EQ(walk.panel[0], left);
    EXPECT_EQ(walk.panel[1], right);
    EXPECT_EQ(walk.fileList[0], lists[0]);
    EXPECT_EQ(walk.buttonBar, button);
    EXPECT_EQ(walk.commandCombo, combo);
    EXPECT_EQ(walk.commandEdit, edit);
    EXPECT_EQ(walk.afterCommandLine, after);
    RECT r;
    GetWindowRect(walk.bar2[0], &r);
    EXPECT_EQ(GetParent(walk.bar2[0]), GetParent(walk.bar3[0]));  // both in the holder
    EXPECT_NE(GetParent(walk.bar2[0]), left);
    LONG last = -1;
    for (HWND bar : {walk.bar1[1], walk.bar2[1], walk.bar3[1], walk.bar4[1]}) {
        EXPECT_EQ(GetParent(bar), right);
        GetWindowRect(bar, &r);
        EXPECT_GT(r.top, last);
        last = r.top;
    }
}

TEST_F(SyntheticTree, ThreeBarsFailEvenWithWindowsAfterThePanel)
{
    HWND lists[2];
    Panel(0, {10, -30, 70}, &lists[0]);
    // Childless "Window"s right after the left panel's subtree are no bars of it.
    Make(L"Window", main, 0, 0, 1000, 20);
    Make(L"Window", main, 0, 0, 1000, 20);
    Panel(500, {10, 30, 50, 70}, &lists[1]);
    CommandLine();
    CTCInfo64 walk;
    EXPECT_FALSE(walk.Rescan(main));
    EXPECT_EQ(walk.LastFailure(), ScanFailure::TooFewBars);
    EXPECT_EQ(walk.FailedSide(), 0);
}

TEST_F(SyntheticTree, MoreThanFourBarsTakeTheFirstFourListed)
{
    HWND lists[2];
    Panel(0, {10, 30, 50, 70, 5}, &lists[0]);
    Panel(500, {10, 30, 50, 70}, &lists[1]);
    CommandLine();
    CTCInfo64 walk;
    ASSERT_TRUE(walk.Rescan(main));
    RECT r, panel;
    GetWindowRect(walk.bar1[0], &r);
    GetWindowRect(walk.panel[0], &panel);
    EXPECT_EQ(r.top, panel.top + 10);  // the fifth bar (top 5) is not among them
}

TEST_F(SyntheticTree, MissingPartsFail)
{
    HWND lists[2];
    Panel(0, {10, 30, 50, 70}, &lists[0]);
    CommandLine();
    CTCInfo64 walk;
    EXPECT_FALSE(walk.Rescan(main));
    EXPECT_EQ(walk.LastFailure(), ScanFailure::PartsMissing);
    // A listed list box with a text is no file list.
    Panel(500, {10, 30, 50, 70}, &lists[1]);
    SetWindowTextW(lists[1], L"x");
    EXPECT_FALSE(walk.Rescan(main));
    SetWindowTextW(lists[1], L"");
    EXPECT_TRUE(walk.Rescan(main));
}

} // namespace
