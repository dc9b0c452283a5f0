// In-place editing, the keyboard table and the end-of-edit notification,
// driven as a user would: clicks, typed characters and keys in the editor.
#include "GridTestSupport.h"
#include "InPlaceList.h"

namespace {

const int kBegin = (int)LVN_BEGINLABELEDITW;
const int kEnd = (int)LVN_ENDLABELEDITW;

// Dispatches what is queued through the framework's pre-translation, as
// the dialogs' own loop does.
void Pump(HWND stop)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(stop, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Holds the given modifier keys down for this thread while it lives.
struct Held
{
    BYTE saved[256];
    Held(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(saved);
        BYTE state[256];
        memcpy(state, saved, sizeof(state));
        for (int k : keys)
            state[k] = 0x80;
        ::SetKeyboardState(state);
    }
    ~Held() { ::SetKeyboardState(saved); }
};

HWND Editor(CGridCtrl& g)
{
    return ::GetDlgItem(g.m_hWnd, InPlaceControlId);
}

CString TextOf(HWND w)
{
    WCHAR buf[256] = {};
    ::GetWindowTextW(w, buf, 256);
    return buf;
}

void Click(CGridCtrl& g, int row, int col, WPARAM keys = 0)
{
    CRect r;
    ASSERT_TRUE(g.CellRect(row, col, &r));
    LPARAM at = MAKELPARAM(r.left + 3, r.top + 3);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    g.SendMessage(WM_LBUTTONUP, keys, at);
}

// A key as the editor sees it: key down, and the character it types.
void Key(HWND w, UINT vk)
{
    ::SendMessageW(w, WM_KEYDOWN, vk, 0);
    if (vk == VK_RETURN || vk == VK_TAB || vk == VK_ESCAPE || vk == VK_BACK)
        if (::IsWindow(w))
            ::SendMessageW(w, WM_CHAR, vk, 0);
}

struct EditWindow : GridWindow
{
    EditWindow(int rows = 4, int cols = 3) : GridWindow(rows, cols, 1)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetText(r, c);
        owner.ShowWindow(SW_SHOW);
        owner.SetForegroundWindow();
        grid.SetFocus();
        owner.notes.clear();
    }
    void SetText(int r, int c)
    {
        CString s;
        s.Format(L"%d,%d", r, c);
        grid.SetCellText(r, c, s);
        grid.SetCellState(r, c, grid.GetCellState(r, c) & ~CellModified);
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const GridNote& n : owner.notes)
            if (n.code == kBegin || n.code == kEnd)
                codes.push_back(n.code);
        return codes;
    }
};

TEST(GridEditing, StartsEndsAndMovesOn)
{
    enum Start { ByClick, ByChar, ByF2 };
    struct Case
    {
        const char* name;
        CCellID focus;
        Start start;
        UINT startChar;
        CString editorText; // right after the start
        DWORD selection;    // MAKELONG(start, end)
        std::vector<UINT> keys;
        bool ctrl, shift;
        CString cellText; // of the first cell afterwards
        bool modified;
        CCellID focusAfter;
        CString openOn; // text of the editor still open afterwards, "" none
        std::vector<int> codes;
    };
    const Case cases[] = {
        { "click, caret after the text", { 2, 2 }, ByClick, 0, L"1,1", MAKELONG(3, 3), {}, false, false, L"1,1", false, { 1, 1 }, L"1,1", { kBegin } },
        { "typed letter replaces, Enter takes", { 1, 1 }, ByChar, 'x', L"x", MAKELONG(1, 1), { VK_RETURN }, false, false, L"x", true, { 1, 1 }, L"", { kBegin, kEnd } },
        // Blank and ! " # $ % & ' ( share their codes with VK_SPACE and the page and arrow keys.
        { "typed blank replaces", { 1, 1 }, ByChar, ' ', L" ", MAKELONG(1, 1), { VK_RETURN }, false, false, L" ", true, { 1, 1 }, L"", { kBegin, kEnd } },
        { "typed ( replaces", { 1, 1 }, ByChar, '(', L"(", MAKELONG(1, 1), { VK_RETURN }, false, false, L"(", true, { 1, 1 }, L"", { kBegin, kEnd } },
        { "Backspace start drops the last character", { 1, 1 }, ByChar, VK_BACK, L"1,", MAKELONG(2, 2), { VK_RETURN }, false, false, L"1,", true, { 1, 1 }, L"", { kBegin, kEnd } },
        { "Esc restores and still ends", { 1, 1 }, ByChar, 'x', L"x", MAKELONG(1, 1), { VK_ESCAPE }, false, false, L"1,1", false, { 1, 1 }, L"", { kBegin, kEnd } },
        { "typed start: Down moves on and edits", { 1, 1 }, ByChar, 'x', L"x", MAKELONG(1, 1), { VK_DOWN }, false, false, L"x", true, { 2, 1 }, L"2,1", { kBegin, kEnd, kBegin } },
        { "click start: Down moves the caret", { 2, 2 }, ByClick, 0, L"1,1", MAKELONG(3, 3), { VK_DOWN }, false, false, L"1,1", false, { 1, 1 }, L"1,1", { kBegin } },
        { "click start: Ctrl+Down moves on", { 2, 2 }, ByClick, 0, L"1,1", MAKELONG(3, 3), { VK_DOWN }, true, false, L"1,1", false, { 2, 1 }, L"2,1", { kBegin, kEnd, kBegin } },
        { "Tab in the last cell moves nothing", { 3, 2 }, ByF2, 0, L"3,2", MAKELONG(3, 3), { VK_TAB }, false, false, L"3,2", false, { 3, 2 }, L"3,2", { kBegin, kEnd, kBegin } },
        { "Shift+Tab in the first cell moves nothing", { 1, 0 }, ByF2, 0, L"1,0", MAKELONG(3, 3), { VK_TAB }, false, true, L"1,0", false, { 1, 0 }, L"1,0", { kBegin, kEnd, kBegin } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow w;
        CTestGrid& g = w.grid;
        g.SetFocusCell(c.focus.row, c.focus.col);
        w.owner.notes.clear();
        CCellID cell = c.start == ByClick ? CCellID(1, 1) : c.focus;
        if (c.start == ByClick)
            Click(g, 1, 1);
        else if (c.start == ByChar)
            g.SendMessage(WM_CHAR, c.startChar);
        else
            g.SendMessage(WM_KEYDOWN, VK_F2);
        HWND editor = Editor(g);
        ASSERT_TRUE(editor);
        EXPECT_STREQ(L"Edit", CWnd(editor).GetClassName());
        EXPECT_STREQ(c.editorText, TextOf(editor));
        EXPECT_EQ(c.selection, (DWORD)::SendMessageW(editor, EM_GETSEL, 0, 0));
        {
            Held held(c.ctrl && c.shift ? std::initializer_list<int>{ VK_CONTROL, VK_SHIFT }
                      : c.ctrl          ? std::initializer_list<int>{ VK_CONTROL }
                      : c.shift         ? std::initializer_list<int>{ VK_SHIFT }
                                        : std::initializer_list<int>{});
            for (UINT k : c.keys)
                Key(Editor(g), k);
        }
        Pump(w.owner.m_hWnd);
        EXPECT_STREQ(c.cellText, g.GetCellText(cell.row, cell.col));
        EXPECT_EQ(c.modified, (g.GetCellState(cell.row, cell.col) & CellModified) != 0);
        EXPECT_EQ(c.focusAfter, g.GetFocusCell());
        HWND open = Editor(g);
        EXPECT_STREQ(c.openOn, open ? TextOf(open) : CString());
        if (open && !c.openOn.IsEmpty() && c.codes.size() == 3) { // opened by a key: all selected
            EXPECT_EQ(MAKELONG(0, c.openOn.GetLength()), (DWORD)::SendMessageW(open, EM_GETSEL, 0, 0));
        }
        EXPECT_EQ(c.codes, w.Codes());
    }
}

TEST(GridEditing, ReadOnlyCellsAndTheDeleteKey)
{
    EditWindow w;
    CTestGrid& g = w.grid;
    g.SetCellState(2, 1, g.GetCellState(2, 1) | CellReadOnly);
    Click(g, 2, 1);
    EXPECT_FALSE(Editor(g));
    g.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_STREQ(L"2,1", g.GetCellText(2, 1));
    EXPECT_TRUE(w.Codes().empty());

    g.SetFocusCell(1, 2);
    g.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_STREQ(L"", g.GetCellText(1, 2));
    EXPECT_EQ((std::vector<int>{ kBegin, kEnd }), w.Codes());
    EXPECT_EQ(CCellID(1, 2), g.GetFocusCell());
    EXPECT_EQ(0x83, (int)g.SendMessage(WM_GETDLGCODE));
}

TEST(GridKeyboard, MovesTheFocus)
{
    GridWindow w(60, 6, 1);
    CTestGrid& g = w.grid;
    g.SetColumnWidth(3, 0);
    struct Case
    {
        CCellID from;
        UINT key;
        bool ctrl, shift;
        CCellID to;
    };
    const Case cases[] = {
        { { 2, 2 }, VK_RIGHT, false, false, { 2, 4 } }, // past the hidden column
        { { 2, 4 }, VK_LEFT, false, false, { 2, 2 } },
        { { 1, 2 }, VK_UP, false, false, { 1, 2 } },   // no row above
        { { 2, 5 }, VK_TAB, false, false, { 3, 0 } },  // wraps
        { { 3, 0 }, VK_TAB, false, true, { 2, 5 } },   // wraps back
        { { 59, 5 }, VK_TAB, false, false, { 59, 5 } },
        { { 1, 0 }, VK_TAB, false, true, { 1, 0 } },
        { { 5, 4 }, VK_HOME, false, false, { 5, 0 } },
        { { 5, 4 }, VK_HOME, true, false, { 1, 0 } },
        { { 5, 1 }, VK_END, false, false, { 5, 5 } },
        { { 5, 1 }, VK_END, true, false, { 59, 5 } },
    };
    for (const Case& c : cases) {
        g.SendMessage(WM_VSCROLL, SB_TOP);
        g.SendMessage(WM_HSCROLL, SB_LEFT);
        g.SetFocusCell(c.from.row, c.from.col);
        Held held(c.ctrl ? std::initializer_list<int>{ VK_CONTROL }
                  : c.shift ? std::initializer_list<int>{ VK_SHIFT }
                            : std::initializer_list<int>{});
        g.SendMessage(WM_KEYDOWN, c.key);
        EXPECT_EQ(c.to, g.GetFocusCell()) << c.from.row << "," << c.from.col << " key " << c.key;
        if (c.to != c.from) {
            EXPECT_TRUE(g.IsCellVisible(c.to.row, c.to.col)) << c.to.row << "," << c.to.col;
        }
    }
    // Page Down moves the focus as far as the top row moved.
    g.SendMessage(WM_VSCROLL, SB_TOP);
    g.SetFocusCell(3, 1);
    int top = g.TopLeftNonFixedCell().row;
    g.SendMessage(WM_KEYDOWN, VK_NEXT);
    EXPECT_GT(g.TopLeftNonFixedCell().row, top);
    EXPECT_EQ(3 + g.TopLeftNonFixedCell().row - top, g.GetFocusCell().row);
    // A plain move selects the new cell only; Shift selects the rectangle.
    g.SetFocusCell(2, 1);
    g.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(1, g.GetSelectedCount());
    {
        Held held({ VK_SHIFT });
        g.SendMessage(WM_KEYDOWN, VK_RIGHT);
    }
    EXPECT_EQ(2, g.GetSelectedCount());
}

TEST(GridEditing, ComboCellsAndListRecords)
{
    EditWindow w(3, 2);
    CTestGrid& g = w.grid;
    ASSERT_TRUE(g.ReplaceCellClass(1));
    auto* combo = static_cast<CGridCellCombo*>(g.CellAt(1, 0));
    combo->SelectOption(1);
    Click(g, 1, 0);
    HWND list = Editor(g);
    ASSERT_TRUE(list);
    EXPECT_STREQ(L"ComboBox", CWnd(list).GetClassName());
    EXPECT_TRUE(::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(1, (int)::SendMessageW(list, CB_GETCURSEL, 0, 0));
    ::SendMessageW(list, CB_SETCURSEL, 2, 0);
    ::SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0); // CBN_CLOSEUP
    Pump(w.owner.m_hWnd);
    EXPECT_FALSE(::IsWindow(list));
    EXPECT_STREQ(combo->Options()[2], g.GetCellText(1, 0));
    EXPECT_EQ(2, g.CellAt(1, 0)->UserValue());
    EXPECT_EQ(kEnd, w.Codes().back());
    // Esc puts the starting choice back, also after another was picked
    // (a drop-down list ignores a text set on it).
    Click(g, 1, 0);
    list = Editor(g);
    ASSERT_TRUE(list);
    ::SendMessageW(list, CB_SETCURSEL, 0, 0);
    ::SendMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
    if (::IsWindow(list))
        ::SendMessageW(list, WM_KEYUP, VK_ESCAPE, 0);
    Pump(w.owner.m_hWnd);
    EXPECT_STREQ(combo->Options()[2], g.GetCellText(1, 0));
    EXPECT_EQ(2, g.CellAt(1, 0)->UserValue());

    // A list's option index in the key field is never a key: an index
    // equal to VK_DOWN moves nothing; the same from a text editor does.
    g.SetFocusCell(1, 1);
    CEdit stranger;
    ASSERT_TRUE(stranger.Create(WS_CHILD, CRect(0, 0, 10, 10), &g, InPlaceControlId));
    GridDisplayInfo info = {};
    info.hdr.hwndFrom = stranger.m_hWnd;
    info.hdr.idFrom = InPlaceControlId;
    info.hdr.code = (UINT)LVN_ENDLABELEDITW;
    info.item.row = 1;
    info.item.col = 1;
    info.item.userValue = VK_DOWN;
    info.item.text = L"1,1";
    g.SendMessage(WM_NOTIFY, InPlaceControlId, (LPARAM)&info);
    EXPECT_EQ(CCellID(1, 1), g.GetFocusCell());
    stranger.DestroyWindow();
    g.SendMessage(WM_CHAR, 'q');
    Key(Editor(g), VK_DOWN);
    EXPECT_EQ(CCellID(2, 1), g.GetFocusCell());
}

TEST(GridEditing, EditableListStartsLikeTheTextEditor)
{
    // A typed character replaces the text, also one whose code is a page or
    // arrow key's; a restart after a keyboard move selects the text.
    const struct
    {
        UINT key;
        LPCWSTR text;
        DWORD selection; // 0: not checked (the list may select what was typed)
    } cases[] = {
        { '(', L"(", 0 },
        { ' ', L" ", 0 },
        { VK_DOWN | GridMoveRestart, L"1,0", MAKELONG(0, 3) },
        { VK_TAB | GridMoveRestart, L"1,0", MAKELONG(0, 3) },
    };
    CStringArray options;
    options.Add(L"a");
    options.Add(L"b");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EditWindow w(3, 2);
        CRect rect;
        ASSERT_TRUE(w.grid.CellRect(1, 0, &rect));
        CInPlaceList* list = CInPlaceList::Begin(&w.grid, rect, CBS_DROPDOWN, InPlaceControlId, 1, 0, 0, RGB(255, 255, 255),
                                                 options, L"1,0", c.key);
        ASSERT_TRUE(list);
        HWND edit = ::GetDlgItem(list->m_hWnd, 1001);
        ASSERT_TRUE(edit);
        EXPECT_STREQ(c.text, TextOf(edit));
        if (c.selection)
            EXPECT_EQ(c.selection, (DWORD)::SendMessageW(edit, EM_GETSEL, 0, 0));
        w.grid.SetFocus();
        Pump(w.owner.m_hWnd);
        EXPECT_FALSE(Editor(w.grid));
    }
}

// An owner that rebuilds the whole grid when an edit ends, as a page that
// refills the grid from its own text does.
class CRebuilder : public CRecorder
{
public:
    CGridCtrl* grid = nullptr;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_NOTIFY && (int)reinterpret_cast<NMHDR*>(lParam)->code == kEnd && grid) {
            grid->DeleteAll();
            grid->SetColumnCount(2);
            grid->ChangeRowCount(3);
            grid->SetFixedRowCount(1);
        }
        return CRecorder::WindowProc(msg, wParam, lParam);
    }
};

TEST(GridEditing, OwnerRebuildsTheGridWhenAnEditEnds)
{
    for (UINT key : { VK_DOWN, VK_TAB, VK_RETURN }) {
        CRebuilder owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        CTestGrid g(5, 3, 1);
        ASSERT_TRUE(g.Create(CRect(0, 0, 300, 200), &owner, 1059));
        owner.grid = &g;
        g.SetFocus();
        g.SetFocusCell(1, 1);
        g.SendMessage(WM_CHAR, 'z');
        ASSERT_TRUE(Editor(g));
        Key(Editor(g), key);
        Pump(owner.m_hWnd);
        EXPECT_FALSE(Editor(g)) << key;
        EXPECT_FALSE(g.IsValid(g.GetFocusCell())) << key;
        EXPECT_EQ(3, g.GetRowCount());
        g.DestroyWindow();
        owner.DestroyWindow();
    }
}

} // namespace
