// CGridCtrl: the focus cell and the selection.
#include "GridCtrl.h"

void CGridCtrl::RedrawChanged(int nRow, int nCol, CDC* pDC, const CellRange& visible)
{
    bool rowShown = nRow < m_fixedRows || (nRow >= visible.minRow && nRow <= visible.maxRow);
    bool colShown = nCol < m_fixedCols || (nCol >= visible.minCol && nCol <= visible.maxCol);
    if (!rowShown || !colShown)
        return;
    if (pDC)
        RedrawCell(nRow, nCol, pDC);
    else
        InvalidateCell(nRow, nCol);
}

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    CCellID previous = m_focus;
    if (nRow != -1 && nRow < m_fixedRows)
        nRow = m_fixedRows;
    if (nCol != -1 && nCol < m_fixedCols)
        nCol = m_fixedCols;
    CCellID focus(nRow, nCol);
    if (!IsValid(focus))
        focus = CCellID(); // a cell that isn't there is no focus
    if (focus == previous)
        return previous;
    m_focus = focus;

    if (IsValid(previous)) {
        SendNotify(previous.row, previous.col, LVN_ITEMCHANGING);
        if (!m_virtualMode)
            if (CGridCellBase* cell = CellAt(previous.row, previous.col))
                cell->SetState(cell->State() & ~CellFocused);
        RedrawCell(previous.row, previous.col);
        if (m_trackFocusCell) {
            for (int c = 0; c < m_fixedCols; ++c)
                RedrawCell(previous.row, c);
            for (int r = 0; r < m_fixedRows; ++r)
                RedrawCell(r, previous.col);
        }
    }
    // The owner may have moved the focus while it was told.
    if (IsValid(m_focus) && m_focus == focus) {
        if (!m_virtualMode)
            if (CGridCellBase* cell = CellAt(focus.row, focus.col))
                cell->SetState(cell->State() | CellFocused);
        RedrawCell(focus.row, focus.col);
        if (m_trackFocusCell) {
            for (int c = 0; c < m_fixedCols; ++c)
                RedrawCell(focus.row, c);
            for (int r = 0; r < m_fixedRows; ++r)
                RedrawCell(r, focus.col);
        }
        SendNotify(focus.row, focus.col, LVN_ITEMCHANGED);
    }
    return previous;
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                                 BOOL bSelectCells)
{
    if (!m_enableSelection)
        return;
    if (nMinRow >= 0 && nMinRow < m_fixedRows)
        nMinRow = m_fixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_fixedRows)
        nMaxRow = m_fixedRows;
    if (nMinCol >= 0 && nMinCol < m_fixedCols)
        nMinCol = m_fixedCols;
    if (nMaxCol >= 0 && nMaxCol < m_fixedCols)
        nMaxCol = m_fixedCols;
    CellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);
    bool given = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
    bool full = range.IsValid() && nMaxRow < m_rows && nMaxCol < m_cols;

    CellRange visible = VisibleNonFixedRange();
    CDC dc;
    HDC hdc = bForceRepaint && m_allowDraw && ::IsWindow(m_hWnd) ? ::GetDC(m_hWnd) : nullptr;
    if (hdc)
        dc.Attach(hdc);
    CDC* pDC = hdc ? &dc : nullptr;

    if (bSelectCells) {
        // Cells of the new range stay selected as they are; the others
        // lose the bit.
        POSITION pos = m_selected.GetStartPosition();
        while (pos) {
            ULONGLONG key;
            CCellID cell;
            m_selected.GetNextAssoc(pos, key, cell);
            if (!IsValid(cell)) {
                m_selected.RemoveKey(key);
                continue;
            }
            if (full && range.InRange(cell))
                continue;
            SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) & ~CellSelected);
            RedrawChanged(cell.row, cell.col, pDC, visible);
        }
        // Cells chosen before a Ctrl-click stay chosen.
        if (given && !(m_listMode && m_singleRowSelection)) {
            POSITION prev = m_prevSelected.GetStartPosition();
            while (prev) {
                ULONGLONG key;
                CCellID cell;
                m_prevSelected.GetNextAssoc(prev, key, cell);
                if (!IsValid(cell) || m_selected.PLookup(CellKey(cell.row, cell.col)))
                    continue;
                SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | CellSelected);
                RedrawChanged(cell.row, cell.col, pDC, visible);
            }
        }
    }

    if (full) {
        for (int r = nMinRow; r <= nMaxRow; ++r) {
            for (int c = nMinCol; c <= nMaxCol; ++c) {
                bool selected = m_selected.PLookup(CellKey(r, c)) != nullptr;
                if (bSelectCells == selected)
                    continue;
                DWORD state = GetCellState(r, c);
                SetCellState(r, c, bSelectCells ? state | CellSelected : state & ~CellSelected);
                RedrawChanged(r, c, pDC, visible);
            }
        }
    }
    if (hdc)
        ::ReleaseDC(m_hWnd, dc.Detach());
}

void CGridCtrl::SelectAll()
{
    SetSelectedRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1);
}

void CGridCtrl::SelectColumns(CCellID cell, BOOL bForceRepaint, BOOL bSelectCells)
{
    int first = m_singleColSelection ? cell.col : (m_selectionStart.col < cell.col ? m_selectionStart.col : cell.col);
    int last = m_singleColSelection ? cell.col : (m_selectionStart.col > cell.col ? m_selectionStart.col : cell.col);
    SetSelectedRange(m_fixedRows, first, m_rows - 1, last, bForceRepaint, bSelectCells);
}

void CGridCtrl::SelectRows(CCellID cell, BOOL bForceRepaint, BOOL bSelectCells)
{
    bool single = m_listMode && m_singleRowSelection;
    int first = single ? cell.row : (m_selectionStart.row < cell.row ? m_selectionStart.row : cell.row);
    int last = single ? cell.row : (m_selectionStart.row > cell.row ? m_selectionStart.row : cell.row);
    SetSelectedRange(first, m_fixedCols, last, m_cols - 1, bForceRepaint, bSelectCells);
}

void CGridCtrl::SelectCells(CCellID cell, BOOL bForceRepaint, BOOL bSelectCells)
{
    CCellID start = m_selectionStart;
    SetSelectedRange(start.row < cell.row ? start.row : cell.row, start.col < cell.col ? start.col : cell.col,
                     start.row > cell.row ? start.row : cell.row, start.col > cell.col ? start.col : cell.col,
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::ExtendSelection(CCellID cell)
{
    switch (m_mouseMode) {
    case MouseSelectAll:
        SelectAll();
        break;
    case MouseSelectColumns:
        SelectColumns(cell);
        break;
    case MouseSelectRows:
        SelectRows(cell);
        break;
    case MouseSelectCells:
        SelectCells(cell, TRUE);
        break;
    }
}
