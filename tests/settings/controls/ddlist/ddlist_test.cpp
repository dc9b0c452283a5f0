// The drag-and-drop list driven by posted mouse and key messages: drags and
// what the parent hears of them, check boxes, renaming, and the insertion
// index while the list scrolls by itself.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "DDListBox.h"

CWinApp theApp(L"DDListTests");

namespace {

struct Heard {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring text;
};

class CParent : public CWnd
{
public:
    std::vector<Heard> heard;
    int selChanges = 0;
    LRESULT acceptAnswer = 1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WMU_DDL_MOVED:
        case WMU_DDL_CHECKED:
            heard.push_back({message, wParam, lParam, L""});
            return 0;
        case WMU_EDIT_DONE:
        case WMU_DDL_ACCEPTNAME:
            heard.push_back({message, wParam, 0, (LPCWSTR)lParam});
            return message == WMU_DDL_ACCEPTNAME ? acceptAnswer : 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                ++selChanges;
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class CListFixture
{
public:
    explicit CListFixture(int count, int visible = 12, DWORD extraStyle = 0)
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 400,
                        nullptr, nullptr);
        list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                        LBS_NOINTEGRALHEIGHT | extraStyle,
                    CRect(0, 0, 200, 100), &parent, 1021);
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
        Pump();
    }
    void Drag(int from, int to)
    {
        Mouse(WM_LBUTTONDOWN, 100, RowY(from));
        Mouse(WM_MOUSEMOVE, 100, RowY(to));
        Mouse(WM_LBUTTONUP, 100, RowY(to));
    }
    std::wstring Order()
    {
        std::wstring order;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            order += (i ? L"," : L"") + std::wstring(text) + (list.GetItemData(i) ? L"*" : L"");
        }
        return order;
    }

    CParent parent;
    CDDListBox list;
    int h = 16;
};

} // namespace

TEST(DDListBox, DragMovesTheEntryAndTellsTheParent)
{
    struct Case {
        const char* name;
        int from, to; // to -1: below the last entry
        const wchar_t* order;
        bool moved;
        int selected;
    } cases[] = {
        {"first to the end", 0, -1, L"B*,C,D,E,F,A", true, 5},
        {"onto itself", 2, 2, L"A,B*,C,D,E,F", false, 2},
        {"just below itself", 2, 3, L"A,B*,C,D,E,F", false, 2},
        {"last just below itself", 5, -1, L"A,B*,C,D,E,F", false, 5},
        {"up", 4, 1, L"A,E,B*,C,D,F", true, 1},
        {"down, check and all", 1, 4, L"A,C,D,B*,E,F", true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(6);
        f.Drag(c.from, c.to);
        EXPECT_EQ(c.order, f.Order());
        EXPECT_EQ(c.selected, f.list.GetCurSel());
        EXPECT_EQ(0, f.list.GetTopIndex());
        ASSERT_EQ(c.moved ? 1u : 0u, f.parent.heard.size());
        if (c.moved) {
            EXPECT_EQ((UINT)WMU_DDL_MOVED, f.parent.heard[0].message);
            EXPECT_EQ((WPARAM)c.from, f.parent.heard[0].wParam);
            EXPECT_EQ((LPARAM)c.to, f.parent.heard[0].lParam);
        }
        EXPECT_GE(f.parent.selChanges, 1);
        EXPECT_FALSE(f.list.IsDragging());
        EXPECT_EQ(-1, f.list.GetDragItem());
    }
}

TEST(DDListBox, CheckBoxTogglesWithoutSelecting)
{
    CListFixture f(3);
    for (int state : {1, 0}) {
        f.Mouse(WM_LBUTTONDOWN, 2, f.RowY(2));
        f.Mouse(WM_LBUTTONUP, 2, f.RowY(2));
        ASSERT_FALSE(f.parent.heard.empty());
        EXPECT_EQ((UINT)WMU_DDL_CHECKED, f.parent.heard.back().message);
        EXPECT_EQ(2u, f.parent.heard.back().wParam);
        EXPECT_EQ((LPARAM)state, f.parent.heard.back().lParam);
        EXPECT_EQ((DWORD_PTR)state, f.list.GetItemData(2));
        EXPECT_EQ(-1, f.list.GetCurSel());
    }
}

TEST(DDListBox, RenameInPlace)
{
    struct Case {
        const char* name;
        DWORD style;
        const wchar_t* text;
        UINT key;
        LRESULT answer;
        const wchar_t* order;
        std::vector<UINT> heard;
        int index; // of the renamed entry afterwards
    } cases[] = {
        {"taken", 0, L"Bee", VK_RETURN, 1, L"A,Bee*,C", {WMU_DDL_ACCEPTNAME, WMU_EDIT_DONE}, 1},
        {"refused", 0, L"Bee", VK_RETURN, 0, L"A,B*,C", {WMU_DDL_ACCEPTNAME}, 1},
        {"same text", 0, L"B", VK_RETURN, 1, L"A,B*,C", {}, 1},
        {"escape", 0, L"Bee", VK_ESCAPE, 1, L"A,B*,C", {}, 1},
        {"sorted", LBS_SORT, L"Zed", VK_RETURN, 1, L"A,C,Zed*", {WMU_DDL_ACCEPTNAME, WMU_EDIT_DONE}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(3, 12, c.style);
        f.parent.acceptAnswer = c.answer;
        f.list.SetCurSel(1);
        f.list.PostMessage(WM_KEYUP, VK_F2, 0);
        Pump();
        CEditHelper& editor = f.list.GetEditor();
        ASSERT_NE(nullptr, editor.m_hWnd);
        EXPECT_EQ(1, editor.GetDlgCtrlID());
        int start = -1, end = -1;
        editor.GetSel(start, end);
        EXPECT_EQ(0, start);
        EXPECT_EQ(1, end);
        editor.SetWindowText(c.text);
        editor.PostMessage(WM_KEYDOWN, c.key, 0);
        Pump();
        EXPECT_EQ(nullptr, editor.m_hWnd);
        EXPECT_EQ(-1, f.list.GetEditedIndex());
        EXPECT_EQ(c.order, f.Order());
        ASSERT_EQ(c.heard.size(), f.parent.heard.size());
        for (size_t i = 0; i < c.heard.size(); ++i)
            EXPECT_EQ(c.heard[i], f.parent.heard[i].message);
        if (c.heard.size() == 2) {
            EXPECT_EQ(c.text, f.parent.heard[0].text);
            EXPECT_EQ((WPARAM)c.index, f.parent.heard[1].wParam);
            EXPECT_EQ(L"B", f.parent.heard[1].text);
        }
    }
}

TEST(DDListBox, AutoScrollKeepsTheInsertionIndexInRange)
{
    struct Case {
        const char* name;
        int from;
        int distance; // entry heights beyond the edge: + below, - above
        UINT interval;
        UINT timer;
        int insert;   // after many timer steps
        int movedTo;
    } cases[] = {
        {"far below", 3, 5, 41, CDDListBox::ScrollDownTimer, -1, 29},
        {"just below", 3, 0, 250, CDDListBox::ScrollDownTimer, -1, 29},
        {"far above", 20, -5, 41, CDDListBox::ScrollUpTimer, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CListFixture f(30, 5);
        f.list.SetTopIndex(c.from);
        f.Mouse(WM_LBUTTONDOWN, 100, f.RowY(c.from));
        f.Mouse(WM_MOUSEMOVE, 100, f.RowY(c.from + 1));
        int y = c.distance >= 0 ? 5 * f.h + c.distance * f.h + 1 : c.distance * f.h - 1;
        f.Mouse(WM_MOUSEMOVE, 100, y);
        EXPECT_EQ(c.interval, f.list.GetScrollInterval());
        for (int i = 0; i < 40; ++i) {
            f.list.SendMessage(WM_TIMER, c.timer);
            int index = f.list.GetInsertIndex();
            ASSERT_TRUE(index >= -1 && index < 30) << index;
        }
        EXPECT_EQ(c.insert, f.list.GetInsertIndex());
        std::wstring name = CListFixture::Name(c.from);
        f.Mouse(WM_LBUTTONUP, 100, f.h);
        EXPECT_EQ(0u, f.list.GetScrollInterval());
        CString at;
        f.list.GetText(c.movedTo, at);
        EXPECT_EQ(name, std::wstring(at));
        EXPECT_EQ(30, f.list.GetCount());
    }
}
