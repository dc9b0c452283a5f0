// Cells: defaults and fallbacks, copies, the combo cell's options and
// sizes, and the default cells' measures.
#include "GridTestSupport.h"
#include "GridTexts.h"
#include <memory>

namespace {

TEST(GridCell, NewCellsFallBackToTheirDefaultCell)
{
    CGridCtrl grid(2, 2, 1);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ((DWORD)(CellFixed | CellFixedRow), grid.CellAt(0, c)->State());
        EXPECT_EQ(0u, grid.CellAt(1, c)->State());
    }
    CGridCellBase* cell = grid.CellAt(1, 1);
    CGridDefaultCell* def = grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_TRUE(cell->IsKindOf(RUNTIME_CLASS(CGridCell)));
    EXPECT_EQ(-1, cell->Image());
    EXPECT_EQ(0, cell->UserValue());
    EXPECT_EQ(0x8824u, cell->Format());
    EXPECT_EQ(def->Margin(), cell->Margin());
    EXPECT_NE(0u, def->Margin());
    EXPECT_EQ(CLR_DEFAULT, cell->TextColour());
    EXPECT_EQ(CLR_DEFAULT, cell->Background());
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE), grid.CellAt(0, 1)->DefaultCell());

    // A default cell is never edited and keeps no state or value.
    EXPECT_EQ((DWORD)CellReadOnly, def->State());
    def->SetState(CellSelected);
    def->SetUserValue(7);
    EXPECT_EQ((DWORD)CellReadOnly, def->State());
    EXPECT_EQ(0, def->UserValue());
}

TEST(GridCell, CopiesOwnTheFontRecordAndResolvedValues)
{
    CGridCtrl grid(3, 2, 1);
    CGridCellBase* cell = grid.CellAt(1, 0);
    cell->SetText(L"src");
    cell->SetUserValue(4);
    cell->SetState(CellModified);
    const LOGFONTW* defaultFont = grid.GetDefaultCell(FALSE, FALSE)->FontRecord();

    CGridCell copy;
    copy.CopyFrom(*cell);
    EXPECT_STREQ(L"src", copy.Text());
    EXPECT_EQ(4, copy.UserValue());
    EXPECT_EQ((DWORD)CellModified, copy.State());
    EXPECT_EQ(0x8824u, copy.Format());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->Margin(), copy.Margin());
    ASSERT_FALSE(copy.HasDefaultFont());
    EXPECT_NE(defaultFont, copy.FontRecord());
    EXPECT_EQ(0, memcmp(defaultFont, copy.FontRecord(), sizeof(LOGFONTW)));
    copy.Reset();
    EXPECT_TRUE(copy.HasDefaultFont());
    EXPECT_STREQ(L"", copy.Text());

    // A plain cell made a combo keeps its values but has no option chosen.
    cell->SetUserValue(0);
    ASSERT_TRUE(grid.ReplaceCellClass(1));
    EXPECT_FALSE(grid.ReplaceCellClass(3));
    auto* combo = dynamic_cast<CGridCellCombo*>(grid.CellAt(1, 0));
    ASSERT_TRUE(combo);
    EXPECT_STREQ(L"src", combo->Text());
    EXPECT_EQ(-1, combo->UserValue());
    EXPECT_EQ(0, memcmp(defaultFont, combo->FontRecord(), sizeof(LOGFONTW)));
    EXPECT_FALSE(combo->HasDefaultFont());
}

TEST(GridCell, CellClassMustDeriveFromTheCellBase)
{
    CGridCtrl grid(1, 1, 0);
    grid.SetCellClass(RUNTIME_CLASS(CWnd));
    EXPECT_EQ(nullptr, grid.CreateCell(0, 0));
    EXPECT_EQ(1, grid.AppendRow());
    EXPECT_EQ(nullptr, grid.CellAt(1, 0)); // the slot stays empty
    grid.SetCellClass(RUNTIME_CLASS(CGridCellCombo));
    std::unique_ptr<CGridCellBase> made(grid.CreateCell(0, 0));
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_EQ(&grid, made->Grid());
}

CString LongText(UINT id)
{
    return id == TextMustContain ? CString(L'W', 80) : GridDefaultText(id);
}

TEST(GridCellCombo, OptionsSelectionAndWidth)
{
    CGridCtrl grid(2, 1, 1);
    ASSERT_TRUE(grid.ReplaceCellClass(1));
    auto* combo = static_cast<CGridCellCombo*>(grid.CellAt(1, 0));
    ASSERT_EQ(3, combo->Options().GetSize());
    EXPECT_STREQ(L"CAN contain", combo->Options()[0]);
    EXPECT_STREQ(L"NOT contains", combo->Options()[2]);
    EXPECT_EQ((DWORD)CBS_DROPDOWNLIST, combo->ListStyle());

    const struct
    {
        int index;
        BOOL taken;
        LPCWSTR text;
        int value;
    } steps[] = {
        { 1, TRUE, L"MUST contain", 1 }, { 5, FALSE, L"MUST contain", 1 }, { 3, FALSE, L"MUST contain", 1 },
        { -2, FALSE, L"MUST contain", 1 }, { -1, TRUE, L"", -1 }, { 2, TRUE, L"NOT contains", 2 },
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.taken, combo->SelectOption(s.index)) << s.index;
        EXPECT_STREQ(s.text, combo->Text()) << s.index;
        EXPECT_EQ(s.value, combo->UserValue()) << s.index;
    }

    // The widest option fits with the cell's margins beside the button.
    EXPECT_EQ(combo->CGridCell::MeasureText(L"MUST contain").cx + ::GetSystemMetrics(SM_CXVSCROLL),
              combo->MeasureText(L"x").cx);
    EXPECT_EQ(grid.CellAt(0, 0)->MeasureText(L"x").cy, combo->MeasureText(L"x").cy);
    combo->SetOptionList(LongText);
    EXPECT_EQ(200, combo->MeasureText(L"x").cx);
}

TEST(GridDefaultCell, FontsRemeasureAllFourDefaults)
{
    GridWindow w(3, 2, 1);
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -24;
    wcscpy(lf.lfFaceName, L"Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    w.grid.SetFont(font);

    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, font.m_hObject);
    SIZE blank = {}, sample = {};
    ::GetTextExtentPoint32W(hdc, L" ", 1, &blank);
    ::GetTextExtentPoint32W(hdc, L" XXXXXXXXXXXX ", 14, &sample);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    for (int kind = 0; kind < 4; ++kind) {
        CGridDefaultCell* def = w.grid.GetDefaultCell(kind & 2, kind & 1);
        EXPECT_EQ((UINT)blank.cx, def->Margin()) << kind;
        EXPECT_EQ(sample.cx, def->Width()) << kind;
        EXPECT_EQ(sample.cy * 3 / 2, def->Height()) << kind;
        EXPECT_EQ(-24, def->FontRecord()->lfHeight) << kind;
    }
    LOGFONTW got = {};
    ASSERT_TRUE(::GetObjectW(w.grid.GetFont(), sizeof(got), &got));
    EXPECT_EQ(-24, got.lfHeight);
    EXPECT_STREQ(L"Arial", got.lfFaceName);
}

} // namespace
