// Cells drawn into a memory DIB: backgrounds, selection and focus, the
// edges of fixed cells, text, the sort arrow and the combo's button.
#include "GridTestSupport.h"

namespace {

// A cell at (10,5)-(89,24), the right and bottom edges inclusive.
const CRect kCell(10, 5, 89, 24);

// Draws the grid's cell (row, col) into a fresh canvas.
struct Drawn : Canvas
{
    Drawn(CGridCtrl& grid, int row, int col, const CRect& rect = kCell, BOOL erase = FALSE) : Canvas(120, 40)
    {
        EXPECT_TRUE(grid.CellAt(row, col)->Draw(&dc, row, col, rect, erase));
    }
};

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

TEST(GridCellDraw, BackgroundsSelectionFocusAndFixedEdges)
{
    CGridCtrl grid(3, 3, 1);
    grid.CellAt(1, 1)->SetBackground(RGB(0, 128, 0));
    grid.CellAt(2, 1)->SetState(CellSelected);
    grid.CellAt(2, 2)->SetState(CellSelected | CellFocused);
    const struct
    {
        int row, col, gridLines;
        int x, y;
        COLORREF want;
    } cases[] = {
        // Own background: erased although not asked, up to the last pixel.
        { 1, 1, GridLinesBoth, 50, 15, RGB(0, 128, 0) },
        { 1, 1, GridLinesBoth, kCell.right, kCell.bottom, RGB(0, 128, 0) },
        // Default background: not erased.
        { 1, 2, GridLinesBoth, 50, 15, RGB(255, 255, 255) },
        { 2, 1, GridLinesBoth, 50, 15, Sys(COLOR_HIGHLIGHT) },
        // Focused and selected: highlight inside a frame in the text colour.
        { 2, 2, GridLinesBoth, 50, 15, Sys(COLOR_HIGHLIGHT) },
        { 2, 2, GridLinesBoth, kCell.left, 15, Sys(COLOR_HIGHLIGHTTEXT) },
        // With grid lines the frame leaves the last pixel to the line.
        { 2, 2, GridLinesBoth, kCell.right - 1, 15, Sys(COLOR_HIGHLIGHTTEXT) },
        { 2, 2, GridLinesBoth, kCell.right, 15, Sys(COLOR_HIGHLIGHT) },
        { 2, 2, GridLinesNone, kCell.right, 15, Sys(COLOR_HIGHLIGHTTEXT) },
        { 2, 2, GridLinesNone, kCell.right - 1, 15, Sys(COLOR_HIGHLIGHT) },
        // A fixed cell looks raised.
        { 0, 1, GridLinesBoth, 50, kCell.top, Sys(COLOR_BTNHIGHLIGHT) },
        { 0, 1, GridLinesBoth, kCell.left, 15, Sys(COLOR_BTNHIGHLIGHT) },
        { 0, 1, GridLinesBoth, kCell.right, 15, Sys(COLOR_3DDKSHADOW) },
        { 0, 1, GridLinesBoth, 50, kCell.bottom, Sys(COLOR_3DDKSHADOW) },
        { 0, 1, GridLinesNone, 50, kCell.top, RGB(255, 255, 255) },
    };
    for (const auto& c : cases) {
        grid.SetGridLines(c.gridLines);
        Drawn d(grid, c.row, c.col);
        EXPECT_EQ(c.want, d.At(c.x, c.y)) << c.row << "," << c.col << " at " << c.x << "," << c.y;
    }

    // In the focus cell's column the fixed cell looks sunken instead.
    grid.SetGridLines(GridLinesBoth);
    grid.SetFocusCell(1, 1);
    Drawn sunken(grid, 0, 1);
    EXPECT_NE(Sys(COLOR_BTNHIGHLIGHT), sunken.At(50, kCell.top));
    EXPECT_EQ(sunken.At(kCell.left, 15), sunken.At(50, kCell.top));
    grid.SetTrackFocusCell(FALSE);
    Drawn raised(grid, 0, 1);
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), raised.At(50, kCell.top));
}

TEST(GridCellDraw, TextInItsColourWithinTheMargins)
{
    CGridCtrl grid(2, 1, 0);
    CGridCellBase* cell = grid.CellAt(0, 0);
    cell->SetText(L"WWWWWWWW");
    cell->SetTextColour(RGB(255, 0, 0));
    Drawn d(grid, 0, 0);
    int margin = (int)cell->Margin();
    CRect inside(kCell.left + margin, kCell.top, kCell.right, kCell.bottom);
    EXPECT_GT(d.Inked(inside), 40);
    EXPECT_GT(d.Count(inside, RGB(255, 0, 0)), 10);
    EXPECT_EQ(0, d.Inked(CRect(0, 0, kCell.left + margin, 40)));
    EXPECT_EQ(0, d.Inked(CRect(kCell.right + 1, 0, 120, 40)));
    EXPECT_FALSE(cell->Draw(&d.dc, 0, 0, CRect(10, 5, 10, 24), TRUE)); // no width
    CGridCell loose;
    EXPECT_FALSE(loose.Draw(&d.dc, 0, 0, kCell, TRUE)); // no grid
}

TEST(GridCellDraw, SortArrowOnlyWhereItFits)
{
    CGridCtrl grid(2, 2, 1);
    grid.SetGridLines(GridLinesNone);
    grid.CellAt(0, 0)->SetText(L"Match");
    CRect arrowBox(kCell.right - 14, kCell.top, kCell.right + 2, kCell.bottom + 1);

    Drawn plain(grid, 0, 0);
    EXPECT_EQ(0, plain.Count(arrowBox, Sys(COLOR_BTNSHADOW)));
    grid.SetSortColumn(0);
    for (BOOL ascending : { TRUE, FALSE }) {
        grid.SetSortAscending(ascending);
        Drawn sorted(grid, 0, 0);
        EXPECT_GT(sorted.Count(arrowBox, Sys(COLOR_BTNSHADOW)), 4) << ascending;
        Drawn otherColumn(grid, 0, 1);
        EXPECT_EQ(0, otherColumn.Count(arrowBox, Sys(COLOR_BTNSHADOW)));
    }

    // Too narrow for the arrow: the text keeps its whole width.
    CRect narrow(10, 5, 13, 24);
    grid.SetSortColumn(-1);
    Drawn before(grid, 0, 0, narrow);
    grid.SetSortColumn(0);
    Drawn after(grid, 0, 0, narrow);
    ::GdiFlush();
    EXPECT_EQ(0, memcmp(before.bits, after.bits, 120 * 40 * 4));
}

class CEditingCombo : public CGridCellCombo
{
public:
    void SetEditing(BOOL editing) { m_editing = editing; }
};

TEST(GridCellDraw, ComboButtonWhileEditableAndNoTextWhileEdited)
{
    CGridCtrl grid(2, 1, 1);
    auto* combo = new CEditingCombo;
    combo->SetGrid(&grid);
    combo->SelectOption(0);
    CGridCellBase* old = grid.CellAt(1, 0);
    ASSERT_TRUE(grid.SetCell(1, 0, combo));
    delete old;
    int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    CRect button(kCell.right - cx + 2, kCell.top + 2, kCell.right - 2, kCell.top + 6);
    CRect text(kCell.left, kCell.top, kCell.right - cx, kCell.bottom);
    const struct
    {
        BOOL editable, readOnly, editing;
        bool button, text;
    } cases[] = {
        { TRUE, FALSE, FALSE, true, true },
        { FALSE, FALSE, FALSE, false, true },
        { TRUE, TRUE, FALSE, false, true },
        { TRUE, FALSE, TRUE, false, false },
    };
    for (const auto& c : cases) {
        grid.SetEditable(c.editable);
        combo->SetState(c.readOnly ? CellReadOnly : 0);
        combo->SetEditing(c.editing);
        Drawn d(grid, 1, 0);
        EXPECT_EQ(c.button, d.Count(button, Sys(COLOR_BTNFACE)) > 4) << c.editable << c.readOnly << c.editing;
        EXPECT_EQ(c.text, d.Inked(text) > 20) << c.editable << c.readOnly << c.editing;
        EXPECT_STREQ(L"CAN contain", combo->Text());
    }
}

} // namespace
