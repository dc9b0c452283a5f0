// The grid core: counts and storage, focus and its notifications, the
// selection, geometry, virtual mode and the window messages.
#include "GridTestSupport.h"
#include <functional>
#include <set>

namespace {

TEST(GridCtrl, ClassRegisteredOnceAndDialogControlsGetTheBorder)
{
    CGridCtrl first(1, 1, 0), second(2, 2, 1);
    WNDCLASSW wc = {};
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"MFCGridCtrl", &wc));
    EXPECT_EQ((UINT)(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_NO_THROW(CGridCtrl::RegisterWindowClass());

    // A control made from a template is subclassed later.
    HWND plain = ::CreateWindowExW(0, L"MFCGridCtrl", nullptr, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(::GetWindowLongW(plain, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    ASSERT_TRUE(first.SubclassWindow(plain));
    EXPECT_TRUE(::GetWindowLongW(plain, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    first.DestroyWindow();
}

TEST(GridCtrl, CountsKeepTheInvariants)
{
    GridWindow w(2, 2, 1);
    CTestGrid& g = w.grid;
    const struct
    {
        const char* name;
        std::function<int()> op;
        int result, rows, cols, fixed;
    } steps[] = {
        { "rows up", [&] { return g.ChangeRowCount(5); }, TRUE, 5, 2, 1 },
        { "rows same", [&] { return g.ChangeRowCount(5); }, TRUE, 5, 2, 1 },
        { "rows negative", [&] { return g.ChangeRowCount(-1); }, FALSE, 5, 2, 1 },
        { "columns up", [&] { return g.SetColumnCount(4); }, TRUE, 5, 4, 1 },
        { "fixed up", [&] { return g.SetFixedRowCount(3); }, TRUE, 5, 4, 3 },
        { "fixed past rows", [&] { return g.SetFixedRowCount(7); }, TRUE, 7, 4, 7 },
        { "fixed down", [&] { return g.SetFixedRowCount(1); }, TRUE, 7, 4, 1 },
        { "columns down", [&] { return g.SetColumnCount(2); }, TRUE, 7, 2, 1 },
        { "append", [&] { return g.AppendRow(); }, 7, 8, 2, 1 },
        { "remove invalid", [&] { return g.RemoveRow(8); }, FALSE, 8, 2, 1 },
        { "remove negative", [&] { return g.RemoveRow(-1); }, FALSE, 8, 2, 1 },
        { "remove fixed row", [&] { return g.RemoveRow(0); }, TRUE, 7, 2, 0 },
        { "fixed again", [&] { return g.SetFixedRowCount(2); }, TRUE, 7, 2, 2 },
        { "rows below fixed", [&] { return g.ChangeRowCount(1); }, TRUE, 1, 2, 1 },
        { "delete all", [&] { return (int)g.DeleteAll(); }, TRUE, 0, 0, 0 },
        { "append without columns", [&] { return g.AppendRow(); }, 0, 1, 1, 0 },
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.result, s.op()) << s.name;
        EXPECT_EQ(s.rows, g.GetRowCount()) << s.name;
        EXPECT_EQ(s.cols, g.GetColumnCount()) << s.name;
        EXPECT_EQ(s.fixed, g.GetFixedRowCount()) << s.name;
        EXPECT_EQ(-1, g.RowHeight(s.rows)) << s.name;
        EXPECT_EQ(-1, g.ColumnWidth(s.cols)) << s.name;
        if (s.rows) {
            EXPECT_GT(g.RowHeight(s.rows - 1), 0) << s.name;
        }
        ExpectInvariants(g, s.name);
    }
}

TEST(GridCtrl, FocusAndSelectionGoWithTheirRows)
{
    GridWindow w(6, 3, 1);
    CTestGrid& g = w.grid;
    const struct
    {
        const char* name;
        std::function<void()> op;
        bool focusKept;
    } steps[] = {
        { "remove another row", [&] { g.RemoveRow(5); }, false },
        { "remove the focus row", [&] { g.RemoveRow(3); }, false },
        { "append", [&] { g.AppendRow(); }, false },
        { "rows down past the focus", [&] { g.ChangeRowCount(3); }, false },
        { "rows down short of the focus", [&] { g.ChangeRowCount(4); }, true },
        { "fixed rows", [&] { g.SetFixedRowCount(2); }, false },
    };
    for (const auto& s : steps) {
        g.ChangeRowCount(6);
        g.SetFixedRowCount(1);
        g.SetFocusCell(3, 1);
        g.SetSelectedRange(2, 0, 4, 2);
        s.op();
        EXPECT_EQ(s.focusKept, g.GetFocusCell() == CCellID(3, 1)) << s.name;
        if (!s.focusKept) {
            EXPECT_EQ(CCellID(), g.GetFocusCell()) << s.name;
        }
        ExpectInvariants(g, s.name);
    }
    g.SetSelectedRange(1, 0, 2, 2);
    g.RemoveRow(1);
    EXPECT_EQ(0, g.GetSelectedCount());
    ExpectInvariants(g, "selection after removal");
}

TEST(GridCtrl, FocusNotifiesOldThenNewCell)
{
    GridWindow w(4, 3, 1);
    const struct
    {
        int row, col;
        CCellID focus;
        std::vector<GridNote> notes;
    } steps[] = {
        { 0, 0, CCellID(1, 0), { { kChanged, 1, 0 } } },
        { 0, 0, CCellID(1, 0), {} },
        { 2, 1, CCellID(2, 1), { { kChanging, 1, 0 }, { kChanged, 2, 1 } } },
        { 2, 1, CCellID(2, 1), {} },
        { 9, 9, CCellID(), { { kChanging, 2, 1 } } },
        { -1, -1, CCellID(), {} },
    };
    for (const auto& s : steps) {
        w.owner.notes.clear();
        w.grid.SetFocusCell(s.row, s.col);
        EXPECT_EQ(s.focus, w.grid.GetFocusCell()) << s.row << "," << s.col;
        EXPECT_EQ(s.notes, w.owner.notes) << s.row << "," << s.col;
        ExpectInvariants(w.grid, "focus");
    }
}

TEST(GridCtrl, SelectionMatchesTheCellBits)
{
    GridWindow w(6, 4, 1);
    CTestGrid& g = w.grid;
    typedef std::set<std::pair<int, int>> Cells;
    auto block = [](int r0, int c0, int r1, int c1) {
        Cells cells;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cells.insert({ r, c });
        return cells;
    };
    const struct
    {
        const char* name;
        std::function<void()> op;
        Cells want;
    } steps[] = {
        { "range", [&] { g.SetSelectedRange(1, 1, 2, 2); }, block(1, 1, 2, 2) },
        { "range in fixed rows", [&] { g.SetSelectedRange(0, 0, 1, 0, TRUE); }, block(1, 0, 1, 0) },
        { "all", [&] { g.SelectAll(); }, block(1, 0, 5, 3) },
        { "none", [&] { g.SetSelectedRange(-1, -1, -1, -1); }, {} },
        { "beyond the grid", [&] { g.SetSelectedRange(1, 1, 9, 1); }, {} },
        { "deselect", [&] { g.SetSelectedRange(1, 1, 2, 2); g.SetSelectedRange(2, 1, 2, 2, FALSE, FALSE); },
          block(1, 1, 1, 2) },
        { "rows", [&] { g.m_selectionStart = CCellID(1, 1); g.SelectRows(CCellID(3, 2)); }, block(1, 0, 3, 3) },
        { "columns", [&] { g.SelectColumns(CCellID(4, 2)); }, block(1, 1, 5, 2) },
        { "cells", [&] { g.m_mouseMode = MouseSelectCells; g.ExtendSelection(CCellID(2, 3)); }, block(1, 1, 2, 3) },
        { "kept before Ctrl", [&] { g.m_prevSelected.SetAt(CTestGrid::Key(5, 0), CCellID(5, 0));
                                    g.SetSelectedRange(1, 1, 1, 1); }, { { 1, 1 }, { 5, 0 } } },
        { "single-row list", [&] { g.SetListMode(TRUE); g.SetSingleRowSelection(TRUE);
                                   g.SetSelectedRange(1, 1, 1, 1); }, { { 1, 1 } } },
        { "disabled", [&] { g.EnableSelection(FALSE); g.SetSelectedRange(2, 2, 2, 2); }, {} },
    };
    for (const auto& s : steps) {
        s.op();
        ExpectInvariants(g, s.name);
        for (int r = 0; r < g.GetRowCount(); ++r)
            for (int c = 0; c < g.GetColumnCount(); ++c)
                EXPECT_EQ(s.want.count({ r, c }) == 1, !!g.IsCellSelected(r, c)) << s.name << " " << r << "," << c;
    }
}

TEST(GridCtrl, SelectionKeysTellRowsBeyond65535Apart)
{
    for (BOOL isVirtual : { FALSE, TRUE }) {
        CGridCtrl g;
        g.SetVirtualMode(isVirtual);
        g.ChangeRowCount(65540);
        g.SetColumnCount(1);
        g.SetFixedRowCount(1);
        g.SetSelectedRange(1, 0, 1, 0);
        ASSERT_TRUE(g.SetCellState(65537, 0, CellSelected));
        EXPECT_EQ(2, g.GetSelectedCount()) << isVirtual;
        EXPECT_TRUE(g.IsCellSelected(1, 0)) << isVirtual;
        EXPECT_TRUE(g.IsCellSelected(65537, 0)) << isVirtual;
        g.SetSelectedRange(65537, 0, 65537, 0);
        EXPECT_FALSE(g.IsCellSelected(1, 0)) << isVirtual;
        EXPECT_TRUE(g.IsCellSelected(65537, 0)) << isVirtual;
        g.SetSelectedRange(-1, -1, -1, -1);
        EXPECT_EQ(0, g.GetSelectedCount()) << isVirtual;
        EXPECT_FALSE(g.IsCellSelected(65537, 0)) << isVirtual;
    }
}

TEST(GridCtrl, SetModifiedTakesColumnThenRow)
{
    const struct
    {
        int col, row;
        bool cellMarked;
        int sortAfter;
    } cases[] = {
        { 2, 1, true, 1 }, { 1, 2, true, -1 }, { 0, 2, false, 1 }, { 2, 0, false, 1 }, { -1, -1, false, -1 },
    };
    for (const auto& c : cases) {
        CGridCtrl g(3, 3, 1);
        g.SetSortColumn(1);
        g.SetModified(c.col, c.row);
        EXPECT_TRUE(g.IsModified());
        EXPECT_EQ(c.sortAfter, g.GetSortColumn()) << c.col << "," << c.row;
        int marked = 0;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                marked += (g.GetCellState(r, col) & CellModified) != 0;
        EXPECT_EQ(c.cellMarked ? 1 : 0, marked) << c.col << "," << c.row;
        if (c.cellMarked) {
            EXPECT_TRUE(g.GetCellState(c.row, c.col) & CellModified);
        }
    }
}

} // namespace
