// The drag-and-drop list driven by posted mouse and key messages: drags and
// what the parent hears of them, check boxes, renaming, and the insertion
// index while the list scrolls by itself.
#include <gtest/gtest.h>
#include <string>
#include "DDListBox.h"
#include "PumpMessages.h"

CWinApp theApp(L"DDListTests");

namespace {

// Keeps what the list tells it as text: "moved from>to;", "checked index=state;",
// "accept name;" and "done index old;".
class CParent : public CWnd
{
public:
    std::wstring heard;
    int selChanges = 0;
    LRESULT acceptAnswer = 1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        std::wstring w = std::to_wstring((int)wParam), l = std::to_wstring((int)lParam);
        switch (message) {
        case WMU_DDL_MOVED: heard += L"moved " + w + L">" + l + L";"; return 0;
        case WMU_DDL_CHECKED: heard += L"checked " + w + L"=" + l + L";"; return 0;
        case WMU_EDIT_DONE: heard += L"done " + w + L" " + (LPCWSTR)lParam + L";"; return 0;
        case WMU_DDL_ACCEPTNAME: heard += L"accept " + std::wstring((LPCWSTR)lParam) + L";"; return acceptAnswer;
        case WM_COMMAND: selChanges += HIWORD(wParam) == LBN_SELCHANGE; break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CListFixture
{
public:
    explicit CListFixture(int count, int visible = 12, DWORD extraStyle = 0)
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 400,
                        nullptr, nullptr);
        list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                        LBS_NOINTEGRALHEIGHT | extraStyle, CRect(0, 0, 200, 100), &parent, 1021);
        h = list.GetItemHeight(0);
        list.MoveWindow(0, 0, 200, h * visible);
        for (int i = 0; i < count; ++i)
            list.SetItemData(list.AddString(Name(i).c_str()), i == 1);
    }
    ~CListFixture() { parent.DestroyWindow(); }

    static std::wstring Name(int i) { return i < 26 ? std::wstring(1, L'A' + i) : L"Z" + std::to_wstring(i); }
    // The y of an entry's middle on screen (-1: below the last entry).
    int RowY(int index) { return index < 0 ? h * list.GetCount() + h / 2 : (index - list.GetTopIndex()) * h + h / 2; }
    void Mouse(UINT message, int x, int y)
    {
        list.PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, (WORD)(short)y));
        PumpQueued();
    }
    void Drag(int from, int to)
    {
        Mouse(WM_LBUTTONDOWN, 100, RowY(from));
        Mouse(WM_MOUSEMOVE, 100, RowY(to));
        Mouse(WM_LBUTTONUP, 100, RowY(to));
    }
    std::wstring Text(int i)
    {
        CString text;
        list.GetText(i, text);
        return std::wstring(text);
    }
    // "A,B*,C": the entries, checked ones starred.
    std::wstring Order()
    {
        std::wstring order;
        for (int i = 0; i < list.GetCount(); ++i)
            order += (i ? L"," : L"") + Text(i) + (list.GetItemData(i) ? L"*" : L"");
        return order;
    }

    CParent parent;
    CDDListBox list;
    int h = 16;
};

} // namespace

TEST(DDListBox, DragMovesTheEntryAndTellsTheParent)
{
    // to -1: below the last entry.
    struct { const char* name; int from, to; const wchar_t* order; const wchar_t* heard; int selected; } cases[] = {
        {"first to the end", 0, -1, L"B*,C,D,E,F,A", L"moved 0>-1;", 5},
        {"onto itself", 2, 2, L"A,B*,C,D,E,F", L"", 2},
        {"just below itself", 2, 3, L"A,B*,C,D,E,F", L"", 2},
        {"last just below itself", 5, -1, L"A,B*,C,D,E,F", L"", 5},
        {"up", 4, 1, L"A,E,B*,C,D,F", L"moved 4>1;", 1},
        {"down, check and all", 1, 4, L"A,C,D,B*,E,F", L"moved 1>4;", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(6);
        f.Drag(c.from, c.to);
        EXPECT_EQ(c.order, f.Order());
        EXPECT_EQ(c.heard, f.parent.heard);
        EXPECT_EQ(c.selected, f.list.GetCurSel());
        EXPECT_EQ(0, f.list.GetTopIndex());
        EXPECT_GE(f.parent.selChanges, 1);
        EXPECT_FALSE(f.list.IsDragging());
        EXPECT_EQ(-1, f.list.GetDragItem());
    }
}

TEST(DDListBox, CheckBoxTogglesWithoutSelecting)
{
    CListFixture f(3);
    struct { const wchar_t* order; const wchar_t* heard; } clicks[] = {
        {L"A,B*,C*", L"checked 2=1;"}, {L"A,B*,C", L"checked 2=1;checked 2=0;"}};
    for (const auto& c : clicks) {
        f.Mouse(WM_LBUTTONDOWN, 2, f.RowY(2));
        f.Mouse(WM_LBUTTONUP, 2, f.RowY(2));
        EXPECT_EQ(c.order, f.Order());
        EXPECT_EQ(c.heard, f.parent.heard);
        EXPECT_EQ(-1, f.list.GetCurSel());
    }
}

TEST(DDListBox, RenameInPlace)
{
    struct { const char* name; DWORD style; const wchar_t* text; UINT key; LRESULT answer;
             const wchar_t* order; const wchar_t* heard; } cases[] = {
        {"taken", 0, L"Bee", VK_RETURN, 1, L"A,Bee*,C", L"accept Bee;done 1 B;"},
        {"refused", 0, L"Bee", VK_RETURN, 0, L"A,B*,C", L"accept Bee;"},
        {"same text", 0, L"B", VK_RETURN, 1, L"A,B*,C", L""},
        {"escape", 0, L"Bee", VK_ESCAPE, 1, L"A,B*,C", L""},
        {"sorted", LBS_SORT, L"Zed", VK_RETURN, 1, L"A,C,Zed*", L"accept Zed;done 2 B;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(3, 12, c.style);
        f.parent.acceptAnswer = c.answer;
        f.list.SetCurSel(1);
        f.list.PostMessage(WM_KEYUP, VK_F2, 0);
        PumpQueued();
        CEditHelper& editor = f.list.GetEditor();
        ASSERT_NE(nullptr, editor.m_hWnd);
        EXPECT_EQ(1, editor.GetDlgCtrlID());
        EXPECT_EQ(MAKELRESULT(0, 1), editor.SendMessage(EM_GETSEL)) << "the whole name selected";
        editor.SetWindowText(c.text);
        editor.PostMessage(WM_KEYDOWN, c.key, 0);
        PumpQueued();
        EXPECT_EQ(nullptr, editor.m_hWnd);
        EXPECT_EQ(-1, f.list.GetEditedIndex());
        EXPECT_EQ(c.order, f.Order());
        EXPECT_EQ(c.heard, f.parent.heard);
    }
}

TEST(DDListBox, AutoScrollKeepsTheInsertionIndexInRange)
{
    // distance: entry heights beyond the edge (+ below, - above); insert: after many timer steps.
    struct { const char* name; int from, distance; UINT interval, timer; int insert, movedTo; } cases[] = {
        {"far below", 3, 5, 41, CDDListBox::ScrollDownTimer, -1, 29},
        {"just below", 3, 0, 250, CDDListBox::ScrollDownTimer, -1, 29},
        {"far above", 20, -5, 41, CDDListBox::ScrollUpTimer, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(30, 5);
        f.list.SetTopIndex(c.from);
        f.Mouse(WM_LBUTTONDOWN, 100, f.RowY(c.from));
        f.Mouse(WM_MOUSEMOVE, 100, f.RowY(c.from + 1));
        f.Mouse(WM_MOUSEMOVE, 100, c.distance >= 0 ? 5 * f.h + c.distance * f.h + 1 : c.distance * f.h - 1);
        EXPECT_EQ(c.interval, f.list.GetScrollInterval());
        for (int i = 0; i < 40; ++i) {
            f.list.SendMessage(WM_TIMER, c.timer);
            ASSERT_TRUE(f.list.GetInsertIndex() >= -1 && f.list.GetInsertIndex() < 30) << f.list.GetInsertIndex();
        }
        EXPECT_EQ(c.insert, f.list.GetInsertIndex());
        f.Mouse(WM_LBUTTONUP, 100, f.h);
        EXPECT_EQ(0u, f.list.GetScrollInterval());
        EXPECT_EQ(CListFixture::Name(c.from), f.Text(c.movedTo));
        EXPECT_EQ(30, f.list.GetCount());
    }
}
