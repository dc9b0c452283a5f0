// The edit-control classifier against windows of the host's classes.
#include <gtest/gtest.h>
#include "DirmenuTestSupport.h"
#include "EditClassifier.h"
#include "Pathfan.h"

namespace {

class PathfanClassifierTest : public ::testing::Test
{
protected:
    void SetUp() override { RegisterHostClasses(); }
    void TearDown() override
    {
        for (HWND window : m_tops)
            DestroyWindow(window);
    }
    HWND Top(LPCWSTR className, LPCWSTR text = L"")
    {
        HWND window = MakeWindow(className, nullptr, text);
        m_tops.push_back(window);
        return window;
    }
    // An edit of `editClass` under a chain of parents, outermost first.
    HWND EditIn(LPCWSTR editClass, std::initializer_list<LPCWSTR> parents, LPCWSTR parentText = L"")
    {
        HWND parent = nullptr;
        size_t index = 0;
        for (LPCWSTR name : parents) {
            LPCWSTR text = ++index == parents.size() ? parentText : L"";
            parent = parent ? MakeWindow(name, parent, text) : Top(name, text);
        }
        return parent ? MakeWindow(editClass, parent) : Top(editClass);
    }

    std::vector<HWND> m_tops;
};

TEST_F(PathfanClassifierTest, RowsOfTheTableInOrder)
{
    // The combo box's edit part: rules look at the combo box's parent.
    EXPECT_EQ(1, ClassifyFocusControl(EditIn(L"Edit", {L"TInpComboDlg", L"TMyComboBox"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"Edit", {L"TInpComboDlg", L"TPanel"})));
    EXPECT_EQ(1, ClassifyFocusControl(EditIn(L"TAltEdit", {L"TInpComboDlg"})));

    // Row 1 comes before row 13: a list box child makes it the general menu.
    HWND withList = EditIn(L"TEdit", {L"TCOMBOINPUT"});
    MakeWindow(L"TListBox", GetParent(withList));
    EXPECT_EQ(0, ClassifyFocusControl(withList));
    EXPECT_EQ(5, ClassifyFocusControl(EditIn(L"TEdit", {L"TCOMBOINPUT"})));

    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TEdit", {L"TCmpForm", L"TPanel"})));
    EXPECT_EQ(3, ClassifyFocusControl(EditIn(L"TEdit", {L"TTOTAL_CMD", L"TMyPanel"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TEdit", {L"TFileCompForm", L"TMyPanel"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TEdit", {L"TOtherForm", L"TMyPanel"})));

    // A check box anywhere below the box counts (a descendant, not only a child).
    HWND withCheck = EditIn(L"TEdit", {L"TCheckEditBox"});
    HWND inner = MakeWindow(L"TPanel", GetParent(withCheck));
    MakeWindow(L"TMyCheckBox", inner);
    EXPECT_EQ(0, ClassifyFocusControl(withCheck));
    EXPECT_EQ(5, ClassifyFocusControl(EditIn(L"TEdit", {L"TCheckEditBox"})));

    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TEdit", {L"TSTDTREEDLG"}, L"Combine")));
    EXPECT_EQ(5, ClassifyFocusControl(EditIn(L"TEdit", {L"TSTDTREEDLG"}, L"Other")));
    EXPECT_EQ(5, ClassifyFocusControl(EditIn(L"TEdit", {L"TSTDTREEDLG"}, L"combine")));

    EXPECT_EQ(2, ClassifyFocusControl(EditIn(L"TEdit", {L"TDLGZIP"})));
    EXPECT_EQ(2, ClassifyFocusControl(EditIn(L"TEdit", {L"TDLGUNZIPALL"})));
    EXPECT_EQ(4, ClassifyFocusControl(EditIn(L"TEdit", {L"TONEBUTTONCHANGEDLG"})));
    EXPECT_EQ(4, ClassifyFocusControl(EditIn(L"TEdit", {L"TBUTTONCHANGEDLG"})));
    EXPECT_EQ(4, ClassifyFocusControl(EditIn(L"TEdit", {L"TUSERMENUCHANGE", L"TOtherForm", L"TPanel"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TEdit", {L"TOtherForm", L"TPanel"})));

    // Classes decided by themselves, whatever the parent.
    EXPECT_EQ(6, ClassifyFocusControl(EditIn(L"TInEdit", {L"TDLGZIP"})));
    EXPECT_EQ(7, ClassifyFocusControl(EditIn(L"TMemo", {L"TDLGZIP"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TMyMemo", {L"TDLGZIP"})));
    EXPECT_EQ(0, ClassifyFocusControl(EditIn(L"TTabEdit", {L"TDLGZIP"})));
    // A top-level edit has no parent to look at.
    EXPECT_EQ(0, ClassifyFocusControl(Top(L"TEdit")));

    EXPECT_EQ(-1, ClassifyFocusControl(EditIn(L"STATIC", {L"TDLGZIP"})));
    EXPECT_EQ(-1, ClassifyFocusControl(nullptr));
}

// Class names compare with case: "tedit" is no edit, and only command 4 runs.
TEST(PathfanClassifierCaseTest, WrongCaseIsNoEdit)
{
    // Window classes are registered without case, so "TEdit" must be gone first.
    UnregisterClassW(L"TEdit", GetModuleHandleW(nullptr));
    RegisterTestClass(L"tedit", true);
    RegisterTestClass(L"TDLGZIP", false);
    HWND parent = MakeWindow(L"TDLGZIP", nullptr);
    HWND edit = MakeWindow(L"tedit", parent);
    EXPECT_EQ(-1, ClassifyFocusControl(edit));

    CPathfan pathfan;
    EditRequest request = {};
    lstrcpyW(request.text, L"abc");
    request.window = edit;
    for (int command = 1; command <= 3; ++command)
        EXPECT_EQ(0, pathfan.Process(&request, command)) << command;
    EXPECT_EQ(0, pathfan.Process(&request, 9));
    EXPECT_EQ(-1, pathfan.GetLastKind());
    EXPECT_STREQ(L"abc", request.text);

    DestroyWindow(parent);
    UnregisterClassW(L"tedit", GetModuleHandleW(nullptr));
}

} // namespace
