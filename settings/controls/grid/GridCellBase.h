// CGridCellBase: what every cell of a CGridCtrl is. It holds the state word
// and draws and measures a cell through the virtual accessors below, which
// the derived classes (CGridCell and its family) answer. The grid reaches
// every cell only through these operations.
#pragma once

#include "GridTypes.h"

class CGridCtrl;
class CGridDefaultCell;

class CGridCellBase : public CObject
{
    DECLARE_DYNAMIC(CGridCellBase)
public:
    CGridCellBase() {}
    ~CGridCellBase() override {}
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    // Setters: the base keeps only the state.
    virtual void SetText(LPCWSTR) {}
    virtual void SetImage(int) {}
    virtual void SetUserValue(int) {}
    virtual void SetState(DWORD nState) { m_state = nState; }
    virtual void SetFormat(DWORD) {}
    virtual void SetTextColour(COLORREF) {}
    virtual void SetBackground(COLORREF) {}
    virtual void SetFont(const LOGFONTW*) {}
    virtual void SetMargin(UINT) {}
    virtual void SetGrid(CGridCtrl*) {}
    virtual void SetCoordinates(int, int) {}

    // Getters. Colours may be CLR_DEFAULT (take the default cell's).
    virtual LPCWSTR Text() const { return nullptr; }
    virtual LPCWSTR TipText() const { return Text(); }
    virtual int Image() const { return -1; }
    virtual int UserValue() const { return 0; }
    virtual DWORD State() const { return m_state; }
    virtual DWORD Format() const { return 0; }
    virtual COLORREF TextColour() const { return 0; }
    virtual COLORREF Background() const { return 0; }
    virtual const LOGFONTW* FontRecord() const { return nullptr; }
    virtual CFont* FontObject() const { return nullptr; }
    virtual CGridCtrl* Grid() const { return nullptr; }
    virtual UINT Margin() const { return 0; }
    // The grid's default cell for this cell's kind (fixed row and/or column).
    virtual CGridDefaultCell* DefaultCell() const;
    virtual BOOL IsEditing() const { return FALSE; }

    BOOL IsFocused() const { return (State() & CellFocused) != 0; }
    BOOL IsFixed() const { return (State() & CellFixed) != 0; }
    BOOL IsFixedColumn() const { return (State() & CellFixedColumn) != 0; }
    BOOL IsFixedRow() const { return (State() & CellFixedRow) != 0; }
    BOOL IsSelected() const { return (State() & CellSelected) != 0; }
    BOOL IsReadOnly() const { return (State() & CellReadOnly) != 0; }
    BOOL IsModified() const { return (State() & CellModified) != 0; }
    BOOL IsHighlighted() const { return (State() & CellHighlighted) != 0; }

    // Takes the other cell's values through its getters, so values that fall
    // back to a default arrive resolved.
    virtual void CopyFrom(const CGridCellBase& cell);
    virtual void Reset() { m_state = 0; }

    // Draws the cell into rect (right and bottom on the cell's last pixel);
    // FALSE when nothing was drawn.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Prints the cell into rect (right and bottom on its last unit) with the
    // print colours of the grid; FALSE for a rectangle without height.
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
    // Moves rect's left edge past the cell's image.
    virtual BOOL TextRect(LPRECT pRect);
    virtual BOOL TipTextRect(LPRECT pRect) { return TextRect(pRect); }
    // The space text needs in this cell's font, margins included. pDC NULL:
    // a DC of the grid's window.
    virtual CSize MeasureText(LPCWSTR pszText, CDC* pDC = nullptr);
    virtual CSize MeasureCell(CDC* pDC = nullptr);

    // In-place editing; a plain base cell is not editable.
    virtual BOOL Edit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }
    virtual void EndEdit() {}
    virtual void EditEnded() {}

    // Mouse hooks; the grid calls OnMouseOver whenever the mouse moves over
    // the cell.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint) {}
    virtual void OnClickDown(CPoint) {}
    virtual void OnRightClick(CPoint) {}
    virtual void OnDoubleClick(CPoint) {}
    virtual BOOL OnSetCursor();

protected:
    // The size of the grid's image for this cell; FALSE without one.
    BOOL ImageSize(CSize& size) const;

    DWORD m_state = 0;

private:
    void DrawSortArrow(CDC* pDC, CRect& rect, UINT margin);
};
