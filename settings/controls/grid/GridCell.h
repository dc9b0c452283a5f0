// CGridCell: a text cell with its own colours, font, format, image and
// margin, each falling back to the grid's default cell for the cell's kind.
// CGridDefaultCell: one per cell kind in every grid, holding those defaults
// and the default column width and row height.
#pragma once

#include "GridCellBase.h"

class CGridCell : public CGridCellBase
{
    DECLARE_DYNCREATE(CGridCell)
public:
    CGridCell() {}
    ~CGridCell() override;

    void SetText(LPCWSTR pszText) override { m_text = pszText ? pszText : L""; }
    void SetImage(int nImage) override { m_image = nImage; }
    void SetUserValue(int nValue) override { m_userValue = nValue; }
    void SetFormat(DWORD nFormat) override { m_format = nFormat; }
    void SetTextColour(COLORREF clr) override { m_textColour = clr; }
    void SetBackground(COLORREF clr) override { m_background = clr; }
    // NULL drops the cell's own font record; otherwise it is copied.
    void SetFont(const LOGFONTW* plf) override;
    void SetMargin(UINT nMargin) override { m_margin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_grid = pGrid; }

    LPCWSTR Text() const override { return m_text; }
    int Image() const override { return m_image; }
    int UserValue() const override { return m_userValue; }
    // Own format, or the default cell's while the own one is "none" (-1).
    DWORD Format() const override;
    COLORREF TextColour() const override { return m_textColour; }
    COLORREF Background() const override { return m_background; }
    const LOGFONTW* FontRecord() const override;
    // Made from the cell's record (the grid keeps one font object for all
    // cells with records of their own), else the default cell's.
    CFont* FontObject() const override;
    CGridCtrl* Grid() const override { return m_grid; }
    UINT Margin() const override;
    BOOL IsEditing() const override { return m_editing; }
    BOOL HasDefaultFont() const { return m_font == nullptr; }

    void Reset() override;
    // Opens a CInPlaceEdit over rect (aligned like the cell's text).
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void EditEnded() override;

protected:
    CString m_text;
    int m_userValue = 0;
    int m_image = -1;
    DWORD m_format = (DWORD)-1;
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_background = CLR_DEFAULT;
    LOGFONTW* m_font = nullptr; // owned
    UINT m_margin = (UINT)-1;
    BOOL m_editing = FALSE;
    CGridCtrl* m_grid = nullptr;
    HWND m_editWnd = nullptr; // the in-place editor while editing (deletes itself)
};

class CGridDefaultCell : public CGridCell
{
    DECLARE_DYNAMIC(CGridDefaultCell)
public:
    // Defaults of a new grid: format DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX
    // | DT_END_ELLIPSIS and the system's message font.
    CGridDefaultCell();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int nWidth) { m_width = nWidth; }
    void SetHeight(int nHeight) { m_height = nHeight; }

    // Takes the font and measures from it: margin = width of " ", width =
    // width of " XXXXXXXXXXXX ", height = 3/2 of its height. NULL: ignored.
    void SetFont(const LOGFONTW* plf) override;
    const LOGFONTW* FontRecord() const override { return m_font; }
    CFont* FontObject() const override;
    // Default cells are never edited.
    DWORD State() const override { return m_state | CellReadOnly; }
    void SetState(DWORD) override {}
    void SetUserValue(int) override {}

private:
    int m_width = 30;
    int m_height = 10;
    CFont m_fontObject;
};
