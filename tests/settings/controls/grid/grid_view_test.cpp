// Geometry and scrolling, virtual mode, and the messages the grid answers
// and sends.
#include "GridTestSupport.h"

namespace {

TEST(GridGeometry, CellRectAndCellFromPointAgreeWhileScrolled)
{
    GridWindow w(60, 8, 1);
    CTestGrid& g = w.grid;
    g.SetColumnWidth(2, 0);
    CRect client;
    g.GetClientRect(&client);
    ASSERT_LT(client.Width(), g.VirtualWidth());
    ASSERT_LT(client.Height(), g.VirtualHeight());
    for (int scrolls = 0; scrolls < 3; ++scrolls) {
        CellRange shown = g.VisibleNonFixedRange();
        std::vector<int> rows{ 0 }, cols; // the fixed row, then what is shown
        for (int r = shown.minRow; r <= shown.maxRow; ++r)
            rows.push_back(r);
        for (int c = shown.minCol; c <= shown.maxCol; ++c)
            cols.push_back(c);
        for (int r : rows) {
            for (int c : cols) {
                CRect rect;
                ASSERT_TRUE(g.CellRect(r, c, &rect)) << r << "," << c;
                EXPECT_EQ(g.ColumnWidth(c) - 1, rect.Width()) << c;
                if (g.ColumnWidth(c) == 0)
                    continue;
                EXPECT_EQ(CCellID(r, c), g.CellFromPoint(rect.left, rect.top)) << scrolls << ": " << r << "," << c;
                EXPECT_EQ(CCellID(r, c), g.CellFromPoint(rect.right, rect.bottom)) << scrolls << ": " << r << "," << c;
            }
        }
        g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        g.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    }
    // Three steps each way; column 2 has no width, so a step passes it.
    EXPECT_EQ(CCellID(4, 4), g.TopLeftNonFixedCell());
    EXPECT_EQ(-1, g.CellFromPoint(client.right + 5000, 5).col);
    EXPECT_EQ(-1, g.CellFromPoint(5, client.bottom + 5000).row);
    EXPECT_FALSE(g.CellRect(1, 1, nullptr));
    CRect hidden;
    EXPECT_FALSE(g.CellRect(1, 1, &hidden)); // scrolled out above

    g.EnsureVisible(59, 7);
    CRect farCell;
    ASSERT_TRUE(g.CellRect(59, 7, &farCell));
    EXPECT_LT(farCell.right, client.right);
    EXPECT_LT(farCell.bottom, client.bottom);
    EXPECT_TRUE(g.IsCellVisible(59, 7));
    EXPECT_FALSE(g.IsCellVisible(1, 1));
    g.EnsureVisible(1, 1);
    EXPECT_TRUE(g.IsCellVisible(1, 1));
    EXPECT_EQ(1, g.TopLeftNonFixedCell().row);
}

TEST(GridGeometry, FittingAndStretching)
{
    GridWindow w(3, 3, 1);
    CTestGrid& g = w.grid;
    g.SetCellText(0, 1, L"Pattern");
    g.SetCellText(2, 1, L"a rather long pattern text");
    HDC hdc = ::GetDC(g.m_hWnd);
    CDC dc;
    dc.Attach(hdc);
    int widest = g.CellAt(2, 1)->MeasureCell(&dc).cx;
    int headerWidth = g.CellAt(0, 1)->MeasureCell(&dc).cx;
    ::ReleaseDC(g.m_hWnd, dc.Detach());
    ASSERT_TRUE(g.FitColumnWidth(1));
    EXPECT_EQ(widest, g.ColumnWidth(1));
    ASSERT_TRUE(g.FitColumnWidth(1, FitFixedRows));
    EXPECT_EQ(headerWidth, g.ColumnWidth(1));
    g.SetColumnWidth(2, 0);
    EXPECT_FALSE(g.FitColumnWidth(2));
    EXPECT_EQ(0, g.ColumnWidth(2));
    ASSERT_TRUE(g.FitRowHeight(2));
    EXPECT_GT(g.RowHeight(2), 0);

    g.StretchLastColumn();
    CRect client;
    g.GetClientRect(&client);
    EXPECT_EQ(client.Width(), g.VirtualWidth());
}

BOOL CALLBACK FillFromCallback(GridDisplayInfo* info, LPARAM lParam)
{
    info->item.text.Format(L"cb%d", (int)lParam);
    return TRUE;
}

TEST(GridVirtual, CellsComeFromTheOwnerOrTheCallback)
{
    GridWindow w(0, 0, 0);
    CTestGrid& g = w.grid;
    g.SetVirtualMode(TRUE);
    g.ChangeRowCount(50);
    g.SetColumnCount(3);
    g.SetFixedRowCount(1);
    g.SetFocusCell(2, 2);
    g.SetSelectedRange(5, 0, 5, 0);

    w.owner.notes.clear();
    CGridCellBase* cell = g.CellAt(3, 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ((std::vector<GridNote>{ { kDisplayInfo, 3, 1 } }), w.owner.notes);
    CString copied = cell->Text();
    EXPECT_STREQ(L"3,1", copied);
    EXPECT_EQ(cell, g.CellAt(4, 2)); // one cell, refilled
    EXPECT_STREQ(L"4,2", cell->Text());
    EXPECT_STREQ(L"3,1", copied);
    EXPECT_TRUE(g.CellAt(2, 2)->State() & CellFocused);
    EXPECT_EQ((DWORD)(CellFixed | CellFixedRow), g.CellAt(0, 1)->State());
    EXPECT_TRUE(g.CellAt(5, 0)->IsSelected());
    EXPECT_EQ(nullptr, g.CellAt(50, 0));
    EXPECT_FALSE(g.SetCellText(3, 1, L"x"));

    g.SetCallbackFunc(&FillFromCallback, 7);
    w.owner.notes.clear();
    EXPECT_STREQ(L"cb7", g.CellAt(1, 1)->Text());
    EXPECT_TRUE(w.owner.notes.empty());

    EXPECT_EQ(0, g.SendCacheHint(CellRange(1, 0, 9, 2)));
    ASSERT_EQ(1u, w.owner.notes.size());
    EXPECT_EQ(kCacheHint, w.owner.notes[0].code);
    EXPECT_EQ(9, w.owner.lastHint.maxRow);
    EXPECT_EQ(2, w.owner.lastHint.maxCol);

    EXPECT_EQ(50, g.AppendRow()); // heights only
    EXPECT_EQ(51, g.GetRowCount());
    EXPECT_GT(g.RowHeight(50), 0);
}

TEST(GridMessages, ColoursWheelAndClicks)
{
    GridWindow w(40, 3, 1);
    CTestGrid& g = w.grid;

    // Only colours still equal to the remembered system colour follow it.
    g.m_sysWindowText = RGB(1, 2, 3);
    g.GetDefaultCell(FALSE, FALSE)->SetTextColour(RGB(1, 2, 3));
    g.GetDefaultCell(TRUE, FALSE)->SetTextColour(RGB(4, 5, 6));
    g.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), g.GetDefaultCell(FALSE, FALSE)->TextColour());
    EXPECT_EQ(RGB(4, 5, 6), g.GetDefaultCell(TRUE, FALSE)->TextColour());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), g.m_sysWindowText);

    UINT lines = 0;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ((int)lines, g.GetWheelLines());
    g.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA));
    PumpQueued();
    EXPECT_EQ(1 + (int)lines, g.TopLeftNonFixedCell().row);
    g.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    PumpQueued();
    EXPECT_EQ(1, g.TopLeftNonFixedCell().row);

    // A click tells the owner: the focus, NM_CLICK now, WM_COMMAND posted
    // (read-only: a click on an editable cell starts an edit instead).
    g.SetEditable(FALSE);
    CRect cell;
    ASSERT_TRUE(g.CellRect(2, 1, &cell));
    w.owner.notes.clear();
    LPARAM at = MAKELPARAM(cell.left + 2, cell.top + 2);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    g.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ((std::vector<GridNote>{ { kChanged, 2, 1 }, { kClick, 2, 1 } }), w.owner.notes);
    EXPECT_TRUE(w.owner.commands.empty());
    PumpQueued();
    ASSERT_EQ(1u, w.owner.commands.size());
    EXPECT_EQ(1059u, w.owner.commands[0].first);
    EXPECT_EQ((LPARAM)g.m_hWnd, w.owner.commands[0].second);

    // The owner set by SetOwner hears instead of the parent; no command
    // after a click outside the cells.
    CRecorder other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, L"other", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    g.SetOwner(&other);
    at = MAKELPARAM(290, 190);
    g.SendMessage(WM_VSCROLL, SB_BOTTOM);
    g.SetColumnWidth(2, 10);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    g.SendMessage(WM_LBUTTONUP, 0, at);
    PumpQueued();
    EXPECT_EQ((std::vector<GridNote>{ { kClick, -1, -1 } }), other.notes);
    EXPECT_TRUE(other.commands.empty());
    EXPECT_EQ(1u, w.owner.commands.size());
    other.DestroyWindow();
}

} // namespace
