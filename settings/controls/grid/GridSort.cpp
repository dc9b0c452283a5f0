// CGridCtrl: sorting the rows by the texts of a column.
#include "GridCtrl.h"

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending)
{
    if (nCol < 0 || nCol >= m_cols)
        return FALSE;
    int old = m_sortColumn;
    m_sortColumn = nCol;
    m_sortAscending = bAscending;
    if (old >= 0 && old != nCol && m_fixedRows > 0)
        RedrawCell(0, old);
    if (m_fixedRows > 0)
        RedrawCell(0, nCol); // with its arrow
    m_prevSelected.RemoveAll();
    ClearSelection();
    SetFocusCell(-1, -1);
    return SortTextItems(nCol, bAscending, m_fixedRows, -1);
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending, int nLow, int nHigh)
{
    if (nCol < 0 || nCol >= m_cols || m_virtualMode)
        return FALSE;
    if (nHigh == -1)
        nHigh = m_rows - 1;
    auto text = [&](int row) -> LPCWSTR {
        CGridCellBase* cell = (*m_rowData[row])[nCol];
        LPCWSTR s = cell ? cell->Text() : nullptr;
        return s ? s : L"";
    };
    // Code units, case-sensitive; descending turns the comparison round.
    auto compare = [&](LPCWSTR a, LPCWSTR b) {
        int c = wcscmp(a, b);
        return bAscending ? c : -c;
    };
    // Hoare's partition; the smaller part recurses, the larger one loops,
    // so the depth stays within log n whatever the input.
    while (nLow < nHigh) {
        CString pivot = text((nLow + nHigh) / 2);
        int i = nLow, j = nHigh;
        while (i <= j) {
            while (i < nHigh && compare(text(i), pivot) < 0)
                ++i;
            while (j > nLow && compare(text(j), pivot) > 0)
                --j;
            if (j < i)
                break;
            if (wcscmp(text(i), text(j)) != 0) {
                GridRow* row = m_rowData[i];
                m_rowData.SetAt(i, m_rowData[j]);
                m_rowData.SetAt(j, row);
                UINT height = m_rowHeights[i];
                m_rowHeights[i] = m_rowHeights[j];
                m_rowHeights[j] = height;
            }
            ++i;
            --j;
        }
        if (j - nLow < nHigh - i) {
            if (nLow < j)
                SortTextItems(nCol, bAscending, nLow, j);
            nLow = i;
        } else {
            if (i < nHigh)
                SortTextItems(nCol, bAscending, i, nHigh);
            nHigh = j;
        }
    }
    return TRUE;
}
