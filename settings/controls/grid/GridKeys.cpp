// CGridCtrl: the keyboard: moving the focus, Delete, F2 and typed
// characters that start an edit.
#include "GridCtrl.h"

namespace {

bool KeyHeld(int vk)
{
    return ::GetKeyState(vk) < 0;
}

} // namespace

LRESULT CGridCtrl::OnGetDlgCode()
{
    if (m_handleTab && !KeyHeld(VK_CONTROL))
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LRESULT CGridCtrl::OnChar(WPARAM wParam, LPARAM)
{
    UINT ch = (UINT)wParam;
    if (!KeyHeld(VK_CONTROL) && m_mouseMode == MouseNothing && ch != VK_ESCAPE && !(ch == VK_TAB && m_handleTab))
        EditCell(m_focus.row, m_focus.col, CPoint(-1, -1), ch);
    return ::IsWindow(m_hWnd) ? Default() : 0;
}

LRESULT CGridCtrl::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (!IsValid(m_focus))
        return Default();
    UINT key = (UINT)wParam;
    bool shift = KeyHeld(VK_SHIFT), ctrl = KeyHeld(VK_CONTROL);
    CCellID next = m_focus;
    int wrap = 0; // Tab: 1 forward into the next row, -1 back into the previous
    auto visibleCol = [&](int from, int step) {
        for (int c = from; c >= m_fixedCols && c < m_cols; c += step)
            if (m_colWidths[c] >= 1)
                return c;
        return -1;
    };
    auto visibleRow = [&](int from, int step) {
        for (int r = from; r >= m_fixedRows && r < m_rows; r += step)
            if (m_rowHeights[r] >= 1)
                return r;
        return -1;
    };

    switch (key) {
    case 'A':
        if (ctrl)
            SelectAll();
        return Default();
    case VK_TAB:
        if (shift) {
            if (next.col > m_fixedCols) {
                --next.col;
            } else if (next.row > m_fixedRows) {
                --next.row;
                next.col = m_cols - 1;
                wrap = -1;
            } else {
                return Default();
            }
        } else {
            if (next.col < m_cols - 1) {
                ++next.col;
            } else if (next.row < m_rows - 1) {
                ++next.row;
                next.col = m_fixedCols;
                wrap = 1;
            } else {
                return Default();
            }
        }
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        int c = visibleCol(next.col + (key == VK_LEFT ? -1 : 1), key == VK_LEFT ? -1 : 1);
        if (c >= 0)
            next.col = c;
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        int r = visibleRow(next.row + (key == VK_UP ? -1 : 1), key == VK_UP ? -1 : 1);
        if (r >= 0)
            next.row = r;
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        int before = TopLeftNonFixedCell().row;
        SendMessage(WM_VSCROLL, key == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
        int moved = TopLeftNonFixedCell().row - before;
        if (moved == 0) {
            next.row = key == VK_NEXT ? m_rows - 1 : m_fixedRows;
        } else {
            next.row += moved;
            if (next.row < m_fixedRows)
                next.row = m_fixedRows;
            if (next.row > m_rows - 1)
                next.row = m_rows - 1;
        }
        break;
    }
    case VK_HOME: {
        SendMessage(WM_HSCROLL, SB_LEFT);
        int c = visibleCol(m_fixedCols, 1);
        if (c >= 0)
            next.col = c;
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_TOP);
            int r = visibleRow(m_fixedRows, 1);
            if (r >= 0)
                next.row = r;
        }
        break;
    }
    case VK_END: {
        SendMessage(WM_HSCROLL, SB_RIGHT);
        int c = visibleCol(m_cols - 1, -1);
        if (c >= 0)
            next.col = c;
        int r = ctrl ? visibleRow(m_rows - 1, -1) : visibleRow(next.row, -1);
        if (ctrl)
            SendMessage(WM_VSCROLL, SB_BOTTOM);
        if (r >= 0)
            next.row = r;
        break;
    }
    case VK_DELETE:
        if (IsCellEditable(next.row, next.col)) {
            SendNotify(next.row, next.col, LVN_BEGINLABELEDITW);
            SetCellText(next.row, next.col, L"");
            SendNotify(next.row, next.col, LVN_ENDLABELEDITW);
            RedrawCell(next.row, next.col);
        }
        return 0;
    case VK_F2:
        EditCell(next.row, next.col, CPoint(-1, -1), VK_LBUTTON);
        return 0;
    default:
        return Default();
    }

    if (next == m_focus || !IsValid(next))
        return 0;
    if (m_mouseMode == MouseNothing) {
        m_prevSelected.RemoveAll();
        m_mouseMode = m_listMode ? MouseSelectRows : MouseSelectCells;
        if (!shift || key == VK_TAB)
            m_selectionStart = next;
        ExtendSelection(next);
        m_mouseMode = MouseNothing;
    }
    SetFocusCell(next.row, next.col);
    if (!IsCellVisible(next.row, next.col)) {
        switch (key) {
        case VK_LEFT:
            SendMessage(WM_HSCROLL, SB_LINELEFT);
            break;
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT);
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP);
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN);
            break;
        case VK_TAB:
            if (wrap > 0) {
                SendMessage(WM_VSCROLL, SB_LINEDOWN);
                SendMessage(WM_HSCROLL, SB_LEFT);
            } else if (wrap < 0) {
                SendMessage(WM_VSCROLL, SB_LINEUP);
                SendMessage(WM_HSCROLL, SB_RIGHT);
            } else {
                SendMessage(WM_HSCROLL, shift ? SB_LINELEFT : SB_LINERIGHT);
            }
            break;
        }
        EnsureVisible(next.row, next.col);
        Refresh();
    }
    return 0;
}
