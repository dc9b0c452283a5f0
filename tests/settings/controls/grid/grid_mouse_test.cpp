// Painting into memory bitmaps, scrolling, the wheel, selection and
// sizing drags, double-click fitting and the title tip.
#include "GridTestSupport.h"

namespace {

// A cell that counts its drawing and the kind of DC it was given.
class CCountingCell : public CGridCell
{
    DECLARE_DYNCREATE(CCountingCell)
public:
    static int draws;
    static DWORD lastDcType;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bErase) override
    {
        ++draws;
        lastDcType = ::GetObjectType(pDC->m_hDC);
        return CGridCell::Draw(pDC, nRow, nCol, rect, bErase);
    }
};
IMPLEMENT_DYNCREATE(CCountingCell, CGridCell)
int CCountingCell::draws = 0;
DWORD CCountingCell::lastDcType = 0;

const COLORREF kCorner = RGB(200, 0, 0), kFixedCol = RGB(0, 200, 0), kFixedRow = RGB(0, 0, 200),
               kNormal = RGB(250, 250, 200), kLines = RGB(0xC0, 0xC0, 0xC0);

TEST(GridPaint, BackgroundsLinesAndTheFocusHeaders)
{
    for (int lines : { GridLinesHorizontal, GridLinesVertical, GridLinesBoth }) {
        SCOPED_TRACE(lines);
        GridWindow w(4, 3, 1);
        CTestGrid& g = w.grid;
        g.SetCellClass(RUNTIME_CLASS(CCountingCell));
        g.ChangeRowCount(0);
        g.ChangeRowCount(4);
        g.SetFixedRowCount(1);
        g.GetDefaultCell(TRUE, TRUE)->SetBackground(kCorner);
        g.GetDefaultCell(FALSE, TRUE)->SetBackground(kFixedCol);
        g.GetDefaultCell(TRUE, FALSE)->SetBackground(kFixedRow);
        g.GetDefaultCell(FALSE, FALSE)->SetBackground(kNormal);
        g.SetGridLines(lines);
        for (int c = 0; c < 3; ++c)
            g.SetColumnWidth(c, 40);
        for (int r = 0; r < 4; ++r)
            g.SetRowHeight(r, 20);
        Canvas canvas(300, 200);
        CRect rect;
        g.GetClientRect(&rect);
        canvas.dc.IntersectClipRect(&rect);
        g.DrawGrid(&canvas.dc);
        // Fixed row, normal cells, and beyond the cells.
        EXPECT_EQ(kFixedRow, canvas.At(60, 10));
        EXPECT_EQ(kNormal, canvas.At(60, 30));
        EXPECT_EQ(g.GetOuterBackground(), canvas.At(200, 30));
        EXPECT_EQ(g.GetOuterBackground(), canvas.At(60, 150));
        // Lines at the right and bottom edge of a normal cell.
        EXPECT_EQ((lines & GridLinesVertical) != 0, canvas.At(79, 30) == kLines);
        EXPECT_EQ((lines & GridLinesHorizontal) != 0, canvas.At(60, 39) == kLines);

        // Only cells meeting the clip box are drawn.
        Canvas small(300, 200);
        small.dc.IntersectClipRect(45, 25, 50, 30); // inside cell (1,1)
        CCountingCell::draws = 0;
        g.DrawGrid(&small.dc);
        EXPECT_EQ(1, CCountingCell::draws);
    }

    // The focus column's header is drawn sunken; WM_PAINT draws through a
    // memory bitmap.
    GridWindow w(4, 3, 1);
    CTestGrid& g = w.grid;
    Canvas canvas(300, 200);
    g.SetFocusCell(2, 1);
    g.DrawGrid(&canvas.dc);
    CRect focusHead, otherHead;
    ASSERT_TRUE(g.CellRect(0, 1, &focusHead));
    ASSERT_TRUE(g.CellRect(0, 2, &otherHead));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas.At(otherHead.left, otherHead.top));
    EXPECT_NE(canvas.At(otherHead.left, otherHead.top), canvas.At(focusHead.left, focusHead.top));

    g.SetCellClass(RUNTIME_CLASS(CCountingCell));
    g.ChangeRowCount(1);
    g.ChangeRowCount(3);
    w.owner.ShowWindow(SW_SHOW);
    CCountingCell::draws = 0;
    g.RedrawWindow();
    EXPECT_GT(CCountingCell::draws, 0);
    EXPECT_EQ((DWORD)OBJ_MEMDC, CCountingCell::lastDcType);
}

TEST(GridScroll, LinesAndTheWheel)
{
    GridWindow w(60, 3, 1);
    CTestGrid& g = w.grid;
    g.SetRowHeight(1, 31);
    g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(31, g.GetScrollPos(SB_VERT)); // the top row's height
    g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    int twoLines = g.GetScrollPos(SB_VERT);
    struct Case
    {
        int wheelLines;
        std::vector<short> deltas;
        int lineSteps; // up
    };
    const Case cases[] = {
        { 3, { -WHEEL_DELTA }, -3 },
        { 3, { WHEEL_DELTA }, 3 },
        { 1, { 40, 40 }, 0 },     // finer than a notch: nothing yet
        { 1, { 40, 40, 40 }, 1 }, // three add up to one notch
    };
    for (const Case& c : cases) {
        g.SendMessage(WM_VSCROLL, SB_TOP);
        for (int i = 0; i < 5; ++i)
            g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        CCellID top = g.TopLeftNonFixedCell();
        g.m_wheelLines = c.wheelLines;
        for (short d : c.deltas)
            g.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)d));
        PumpQueued();
        EXPECT_EQ(top.row - c.lineSteps, g.TopLeftNonFixedCell().row) << c.wheelLines << " " << c.deltas.size();
    }
    EXPECT_GT(twoLines, 31);
}

TEST(GridMouse, SelectionDragsAndClicks)
{
    GridWindow w(6, 4, 1);
    CTestGrid& g = w.grid;
    g.SetEditable(FALSE);
    auto at = [&](int row, int col) {
        CRect r;
        g.CellRect(row, col, &r);
        return MAKELPARAM(r.left + 3, r.top + 3);
    };
    // A drag over cells selects the rectangle; the auto-scroll timer runs
    // while the button is down.
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
    EXPECT_EQ(MouseSelectCells, g.GetMouseMode());
    g.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(3, 2));
    EXPECT_EQ(6, g.GetSelectedCount());
    EXPECT_EQ(CCellID(3, 2), g.GetFocusCell());
    g.SendMessage(WM_LBUTTONUP, 0, at(3, 2));
    EXPECT_FALSE(g.KillTimer(AutoScrollTimer)); // stopped at release
    EXPECT_EQ(MouseNothing, g.GetMouseMode());

    struct Case
    {
        CCellID cell;
        WPARAM keys;
        int mode; // while pressed
        INT_PTR selected;
    };
    const Case cases[] = {
        { { 4, 3 }, MK_SHIFT, MouseSelectCells, 12 }, // from the drag's start (1,1)
        { { 2, 2 }, MK_CONTROL, MouseNothing, 11 },   // a selected cell: deselected
        { { 0, 2 }, 0, MouseSelectColumns, 5 },       // a header: its column
    };
    for (const Case& c : cases) {
        g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | c.keys, at(c.cell.row, c.cell.col));
        EXPECT_EQ(c.mode, g.GetMouseMode()) << c.cell.row << "," << c.cell.col;
        EXPECT_EQ(c.selected, g.GetSelectedCount()) << c.cell.row << "," << c.cell.col;
        g.SendMessage(WM_LBUTTONUP, c.keys, at(c.cell.row, c.cell.col));
    }
    g.SetListMode(TRUE);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(2, 1));
    EXPECT_EQ(MouseSelectRows, g.GetMouseMode());
    g.SendMessage(WM_LBUTTONUP, 0, at(2, 1));
}

TEST(GridMouse, SizingDragsAndDoubleClickFitting)
{
    GridWindow w(4, 3, 1);
    CTestGrid& g = w.grid;
    for (int c = 0; c < 3; ++c)
        g.SetColumnWidth(c, 60);
    // The divider between columns 0 and 1 is at x 60; the header row's
    // middle is y 5.
    struct Case
    {
        int releaseX;
        int width;
    };
    // Left of the column's left edge: kept; on it: 0; not moved: kept.
    const Case cases[] = { { 100, 100 }, { -5, 60 }, { 0, 0 }, { 59, 60 } };
    for (const Case& c : cases) {
        g.SetColumnWidth(0, 60);
        g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(59, 5));
        ASSERT_EQ(MouseOverColDivide, g.GetMouseMode());
        g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(59, 5));
        EXPECT_EQ(MouseSizingCol, g.GetMouseMode());
        if (c.releaseX != 59)
            g.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.releaseX, 5));
        g.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.releaseX, 5));
        EXPECT_EQ(c.width, g.ColumnWidth(0)) << c.releaseX;
    }
    // Released on the column's left edge after a move: width 0.
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(119, 5));
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(119, 5));
    g.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
    EXPECT_EQ(0, g.ColumnWidth(1));

    // Rows size the same way in a fixed column; there is none here, so
    // the row divider never shows.
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, g.RowHeight(0) + g.RowHeight(1) - 1));
    EXPECT_NE(MouseOverRowDivide, g.GetMouseMode());

    // A double-click on a divider fits the column left of it.
    g.SetCellText(2, 2, L"a text much wider than sixty pixels");
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(119, 5));
    ASSERT_EQ(MouseOverColDivide, g.GetMouseMode());
    g.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(119, 5));
    int fitted = g.ColumnWidth(2);
    ASSERT_TRUE(g.FitColumnWidth(2));
    EXPECT_EQ(g.ColumnWidth(2), fitted);
    EXPECT_GT(fitted, 60);
}

TEST(GridTitleTip, ShownForClippedTextsOnly)
{
    GridWindow w(3, 2, 1);
    CTestGrid& g = w.grid;
    w.owner.ShowWindow(SW_SHOW);
    w.owner.SetForegroundWindow();
    g.SetFocus();
    g.SetColumnWidth(1, 40);
    g.SetCellText(1, 1, L"a text far too wide for forty pixels");
    g.SetCellText(2, 1, L"ok");
    auto tipWindow = [] { return ::FindWindowW(L"ZTitleTip", nullptr); };
    CRect cell;
    ASSERT_TRUE(g.CellRect(2, 1, &cell));
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 2, cell.top + 2));
    EXPECT_FALSE(tipWindow() && ::IsWindowVisible(tipWindow()));

    ASSERT_TRUE(g.CellRect(1, 1, &cell));
    g.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 2, cell.top + 2));
    HWND tip = tipWindow();
    ASSERT_TRUE(tip);
    EXPECT_TRUE(::IsWindowVisible(tip));
    CRect shown;
    ::GetWindowRect(tip, &shown);
    EXPECT_GT(shown.Width(), cell.Width());
    ::SendMessageW(tip, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(::IsWindowVisible(tip));
}

} // namespace
