// CGridCtrl: starting and ending in-place edits; the cells' editors.
#include "GridCtrl.h"
#include "GridCellCombo.h"
#include "InPlaceEdit.h"
#include "InPlaceList.h"

void CGridCtrl::EditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    m_titleTip.Hide();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !CellRect(nRow, nCol, &rect))
        return;
    SendNotify(nRow, nCol, LVN_BEGINLABELEDITW);
    // The owner may have changed the grid while it was told.
    if (!::IsWindow(m_hWnd) || !IsValid(nRow, nCol) || !CellRect(nRow, nCol, &rect))
        return;
    if (CGridCellBase* cell = CellAt(nRow, nCol))
        cell->Edit(nRow, nCol, rect, point, InPlaceControlId, nChar);
}

void CGridCtrl::EndEditing()
{
    if (CGridCellBase* cell = IsValid(m_focus) ? CellAt(m_focus.row, m_focus.col) : nullptr)
        cell->EndEdit();
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    CGridCellBase* cell = CellAt(nRow, nCol);
    if (!cell)
        return;
    LPCWSTR old = cell->Text();
    if (wcscmp(old ? old : L"", str) != 0) {
        SetModified(nCol, nRow);
        if (!m_virtualMode)
            cell->SetText(str);
    }
    cell->EditEnded();
}

LRESULT CGridCtrl::OnEndInPlaceEdit(GridDisplayInfo* pInfo)
{
    if (!::IsWindow(m_hWnd))
        return 0;
    int row = pInfo->item.row, col = pInfo->item.col;
    int value = pInfo->item.userValue;
    CString text = pInfo->item.text;
    // A text editor's record carries the key that ended it; a list's
    // carries its option index, which is never taken for a key.
    CWnd* from = CWnd::FromHandlePermanent(pInfo->hdr.hwndFrom);
    bool keyRecord = from && from->IsKindOf(RUNTIME_CLASS(CInPlaceEdit));

    if (CGridCellBase* cell = CellAt(row, col))
        cell->SetUserValue(value);
    OnEndEditCell(row, col, text);
    HWND self = m_hWnd;
    SendNotify(row, col, LVN_ENDLABELEDITW);
    // The owner may have rebuilt the grid, or destroyed it: nothing held
    // from before is used again.
    if (!::IsWindow(self) || !keyRecord)
        return 0;
    if (value == VK_TAB || (value >= VK_PRIOR && value <= VK_DOWN)) {
        if (!IsValid(m_focus))
            return 0;
        OnKeyDown(value, 0);
        if (::IsWindow(self) && IsValid(m_focus))
            EditCell(m_focus.row, m_focus.col, CPoint(-1, -1), value | GridMoveRestart);
    }
    return 0;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (!m_grid)
        return FALSE;
    DWORD format = Format();
    DWORD align = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : ES_LEFT;
    m_editing = TRUE;
    CInPlaceEdit* edit = CInPlaceEdit::Begin(m_grid, rect, align, nID, nRow, nCol, Text(), nChar);
    m_editWnd = edit ? edit->m_hWnd : nullptr;
    if (!edit)
        m_editing = FALSE;
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (auto* edit = dynamic_cast<CInPlaceEdit*>(CWnd::FromHandlePermanent(m_editWnd)))
        edit->EndEdit();
}

BOOL CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (!m_grid)
        return FALSE;
    m_editing = TRUE;
    CInPlaceList* list = CInPlaceList::Begin(m_grid, rect, m_style, nID, nRow, nCol, TextColour(), Background(),
                                             m_options, Text(), nChar);
    m_editWnd = list ? list->m_hWnd : nullptr;
    if (!list)
        m_editing = FALSE;
    return TRUE;
}

void CGridCellCombo::EndEdit()
{
    if (auto* list = dynamic_cast<CInPlaceList*>(CWnd::FromHandlePermanent(m_editWnd)))
        list->EndEdit();
}
