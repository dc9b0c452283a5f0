// CGridCtrl: counts, cell storage and cell access.
#include "GridCtrl.h"
#include "GridCellCombo.h"
#include <new>

namespace {

// Sets and clears state bits of a cell and gives it the default colours
// (a cell that enters or leaves the fixed area).
void ChangeKind(CGridCellBase* pCell, DWORD add, DWORD remove)
{
    if (!pCell)
        return;
    pCell->SetState((pCell->State() & ~remove) | add);
    pCell->SetTextColour(CLR_DEFAULT);
    pCell->SetBackground(CLR_DEFAULT);
}

} // namespace

DWORD CGridCtrl::KindBits(int nRow, int nCol) const
{
    DWORD bits = 0;
    if (nCol < m_fixedCols)
        bits |= CellFixed | CellFixedColumn;
    if (nRow < m_fixedRows)
        bits |= CellFixed | CellFixedRow;
    return bits;
}

void CGridCtrl::CellsChanged()
{
    m_topLeftCache = CCellID();
    ResetScrollBars();
    Refresh();
}

void CGridCtrl::ClearSelection()
{
    POSITION pos = m_selected.GetStartPosition();
    while (pos) {
        ULONGLONG key;
        CCellID cell;
        m_selected.GetNextAssoc(pos, key, cell);
        CGridCellBase* p = !m_virtualMode ? CellAt(cell.row, cell.col) : nullptr;
        if (p)
            p->SetState(p->State() & ~CellSelected);
    }
    m_selected.RemoveAll();
}

void CGridCtrl::ForgetSortColumn()
{
    int old = m_sortColumn;
    m_sortColumn = -1;
    if (old >= 0)
        RedrawCell(0, old);
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_cellClass || !m_cellClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    CObject* object = m_cellClass->CreateObject();
    if (!object)
        return nullptr;
    CGridCellBase* cell = static_cast<CGridCellBase*>(object);
    cell->SetGrid(this);
    cell->SetCoordinates(nRow, nCol);
    if (nRow > 0)
        if (CGridCellBase* above = CellAt(nRow - 1, nCol))
            cell->SetFormat(above->Format());
    cell->SetState(cell->State() | KindBits(nRow, nCol));
    return cell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (m_virtualMode || !IsValid(nRow, nCol))
        return;
    SetCellState(nRow, nCol, 0);
    GridRow* row = m_rowData[nRow];
    if (!row)
        return;
    delete (*row)[nCol];
    row->SetAt(nCol, nullptr);
}

BOOL CGridCtrl::GrowRows(int nRows)
{
    int old = m_rows;
    try {
        m_rowHeights.SetSize(nRows);
        if (!m_virtualMode)
            m_rowData.SetSize(nRows);
    } catch (const std::bad_alloc&) {
        m_rowHeights.SetSize(old);
        m_rowData.SetSize(old);
        return FALSE;
    }
    UINT height = (UINT)m_defaultCells[0].Height();
    for (int r = old; r < nRows; ++r) {
        if (!m_virtualMode) {
            GridRow* row = new (std::nothrow) GridRow;
            try {
                if (row)
                    row->SetSize(m_cols);
            } catch (const std::bad_alloc&) {
                delete row;
                row = nullptr;
            }
            if (!row) {
                // Keep the rows made so far.
                m_rowHeights.SetSize(r);
                m_rowData.SetSize(r);
                return FALSE;
            }
            m_rowData.SetAt(r, row);
            m_rowHeights[r] = height;
            m_rows = r + 1;
            for (int c = 0; c < m_cols; ++c)
                row->SetAt(c, CreateCell(r, c));
        } else {
            m_rowHeights[r] = height;
            m_rows = r + 1;
        }
    }
    return TRUE;
}

BOOL CGridCtrl::ChangeRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_rows)
        return TRUE;
    m_topLeftCache = CCellID();
    if (m_fixedRows > nRows)
        m_fixedRows = nRows;
    if (m_focus.row >= nRows)
        SetFocusCell(-1, -1);
    BOOL ok = TRUE;
    if (nRows < m_rows) {
        if (!m_virtualMode) {
            for (int r = nRows; r < m_rows; ++r) {
                for (int c = 0; c < m_cols; ++c)
                    DestroyCell(r, c);
                delete m_rowData[r];
            }
            m_rowData.SetSize(nRows);
        }
        m_rowHeights.SetSize(nRows);
        m_rows = nRows;
    } else {
        ok = GrowRows(nRows);
    }
    SetModified(-1, -1);
    CellsChanged();
    return ok;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_cols)
        return TRUE;
    m_topLeftCache = CCellID();
    if (m_fixedCols > nCols)
        m_fixedCols = nCols;
    if (m_focus.col >= nCols)
        SetFocusCell(-1, -1);
    BOOL ok = TRUE;
    int old = m_cols;
    if (nCols < old) {
        for (int r = 0; r < m_rows && !m_virtualMode; ++r) {
            for (int c = nCols; c < old; ++c)
                DestroyCell(r, c);
            if (m_rowData[r])
                m_rowData[r]->SetSize(nCols);
        }
        m_colWidths.SetSize(nCols);
        m_cols = nCols;
    } else {
        try {
            m_colWidths.SetSize(nCols);
            for (int r = 0; r < m_rows && !m_virtualMode; ++r)
                if (m_rowData[r])
                    m_rowData[r]->SetSize(nCols);
        } catch (const std::bad_alloc&) {
            // Shrinking back allocates nothing.
            m_colWidths.SetSize(old);
            for (int r = 0; r < m_rows && !m_virtualMode; ++r)
                if (m_rowData[r])
                    m_rowData[r]->SetSize(old);
            ok = FALSE;
        }
        if (ok) {
            UINT width = (UINT)m_defaultCells[1].Width();
            for (int c = old; c < nCols; ++c)
                m_colWidths[c] = width;
            m_cols = nCols;
            for (int r = 0; r < m_rows && !m_virtualMode; ++r)
                for (int c = old; c < nCols; ++c)
                    if (m_rowData[r])
                        m_rowData[r]->SetAt(c, CreateCell(r, c));
        }
    }
    SetModified(-1, -1);
    CellsChanged();
    return ok;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_fixedRows)
        return TRUE;
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    if (nFixedRows > m_rows && !ChangeRowCount(nFixedRows))
        return FALSE;
    if (m_focus.row != -1 && m_focus.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_virtualMode) {
        for (int r = m_fixedRows; r < nFixedRows; ++r)
            for (int c = 0; c < m_cols; ++c)
                ChangeKind(CellAt(r, c), CellFixed | CellFixedRow, 0);
        for (int r = nFixedRows; r < m_fixedRows; ++r)
            for (int c = 0; c < m_cols; ++c)
                ChangeKind(CellAt(r, c), 0, c < m_fixedCols ? CellFixedRow : CellFixed | CellFixedRow);
    }
    m_fixedRows = nFixedRows;
    CellsChanged();
    return TRUE;
}

BOOL CGridCtrl::ClearFixedColumns()
{
    if (m_fixedCols == 0)
        return TRUE;
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    if (!m_virtualMode) {
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < m_fixedCols; ++c)
                ChangeKind(CellAt(r, c), 0, r < m_fixedRows ? CellFixedColumn : CellFixed | CellFixedColumn);
    }
    m_fixedCols = 0;
    CellsChanged();
    return TRUE;
}

int CGridCtrl::AppendRow()
{
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    if (m_cols == 0 && !SetColumnCount(1))
        return -1;
    int index = m_rows;
    try {
        m_rowHeights.Add((UINT)m_defaultCells[2].Height());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (!m_virtualMode) {
        GridRow* row = new (std::nothrow) GridRow;
        try {
            if (row) {
                row->SetSize(m_cols);
                m_rowData.Add(row);
            }
        } catch (const std::bad_alloc&) {
            delete row;
            row = nullptr;
        }
        if (!row) {
            m_rowHeights.SetSize(index);
            return -1;
        }
        m_rows = index + 1;
        for (int c = 0; c < m_cols; ++c)
            row->SetAt(c, CreateCell(index, c));
        if (CGridCellBase* first = (*row)[0])
            first->SetText(L"");
    } else {
        m_rows = index + 1;
    }
    CellsChanged();
    return index;
}

BOOL CGridCtrl::RemoveRow(int nRow)
{
    if (nRow < 0 || nRow >= m_rows)
        return FALSE;
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    if (!m_virtualMode) {
        for (int c = 0; c < m_cols; ++c)
            DestroyCell(nRow, c);
        delete m_rowData[nRow];
        m_rowData.RemoveAt(nRow);
    }
    m_rowHeights.RemoveAt(nRow);
    --m_rows;
    if (nRow < m_fixedRows)
        --m_fixedRows;
    SetModified(-1, -1);
    CellsChanged();
    return TRUE;
}

BOOL CGridCtrl::DeleteAll()
{
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    for (INT_PTR r = 0; r < m_rowData.GetSize(); ++r) {
        GridRow* row = m_rowData[r];
        for (INT_PTR c = 0; row && c < row->GetSize(); ++c)
            delete (*row)[c];
        delete row;
    }
    m_rowData.RemoveAll();
    m_rowHeights.RemoveAll();
    m_colWidths.RemoveAll();
    m_rows = m_cols = m_fixedRows = m_fixedCols = 0;
    SetModified(-1, -1);
    CellsChanged();
    return TRUE;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell)
{
    if (m_virtualMode || !IsValid(nRow, nCol) || !m_rowData[nRow])
        return FALSE;
    if (pCell)
        pCell->SetCoordinates(nRow, nCol);
    m_rowData[nRow]->SetAt(nCol, pCell);
    // The selection map follows the new cell.
    if (pCell)
        SetCellState(nRow, nCol, pCell->State());
    else
        m_selected.RemoveKey(CellKey(nRow, nCol));
    return TRUE;
}

BOOL CGridCtrl::ReplaceCellClass(int nRow)
{
    if (m_virtualMode || nRow < 0 || nRow >= m_rows || m_cols < 1 || !m_rowData[nRow])
        return FALSE;
    CGridCellCombo* combo = new (std::nothrow) CGridCellCombo;
    if (!combo)
        return FALSE;
    CGridCellBase* old = (*m_rowData[nRow])[0];
    if (old) {
        combo->CopyFrom(*old);
    } else {
        combo->SetGrid(this);
        combo->SetState(KindBits(nRow, 0));
    }
    // The copied user value is no option index: nothing is chosen yet.
    combo->SetUserValue(-1);
    combo->SetCoordinates(nRow, 0);
    m_rowData[nRow]->SetAt(0, combo);
    delete old;
    return TRUE;
}

CString CGridCtrl::GetCellText(int nRow, int nCol)
{
    CGridCellBase* cell = CellAt(nRow, nCol);
    return cell && cell->Text() ? CString(cell->Text()) : CString();
}

BOOL CGridCtrl::SetCellText(int nRow, int nCol, LPCWSTR pszText)
{
    CGridCellBase* cell = m_virtualMode ? nullptr : CellAt(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetText(pszText);
    SetModified(nCol, nRow);
    return TRUE;
}

DWORD CGridCtrl::GetCellState(int nRow, int nCol)
{
    CGridCellBase* cell = CellAt(nRow, nCol);
    return cell ? cell->State() : 0;
}

BOOL CGridCtrl::SetCellState(int nRow, int nCol, DWORD nState)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    // The map follows the bit exactly, whatever it held before.
    ULONGLONG key = CellKey(nRow, nCol);
    if (nState & CellSelected)
        m_selected.SetAt(key, CCellID(nRow, nCol));
    else
        m_selected.RemoveKey(key);
    if (m_virtualMode)
        return TRUE;
    CGridCellBase* cell = CellAt(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetState(nState);
    return TRUE;
}

void CGridCtrl::SetModified(int nCol, int nRow)
{
    if (nCol < 0 || nCol == m_sortColumn)
        ForgetSortColumn();
    if (nRow > 0 && nCol > 0 && IsValid(nRow, nCol))
        SetCellState(nRow, nCol, GetCellState(nRow, nCol) | CellModified);
    m_modified = TRUE;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol)
{
    return m_editable && IsValid(nRow, nCol) && !(GetCellState(nRow, nCol) & CellReadOnly);
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol)
{
    if (!m_enableSelection || !IsValid(nRow, nCol))
        return FALSE;
    if (m_virtualMode)
        return m_selected.PLookup(CellKey(nRow, nCol)) != nullptr;
    CGridCellBase* cell = CellAt(nRow, nCol);
    return cell && cell->IsSelected();
}
