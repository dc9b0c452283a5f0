// CGridCtrl: the mouse: cursors, selection drags, sizing drags, clicks,
// double-clicks, the wheel and the auto-scroll timer.
#include "GridCtrl.h"

namespace {

const int kResizeCapture = 3; // pixels either side of a divider
const UINT kAutoScrollInterval = 25;

HCURSOR Cursor(LPCWSTR id)
{
    return ::LoadCursorW(nullptr, id);
}

} // namespace

LRESULT CGridCtrl::OnSetCursor(WPARAM, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return Default();
    if (m_mouseMode == MouseOverRowDivide || m_mouseMode == MouseSizingRow) {
        ::SetCursor(Cursor(IDC_SIZENS));
        return TRUE;
    }
    if (m_mouseMode == MouseOverColDivide || m_mouseMode == MouseSizingCol) {
        ::SetCursor(Cursor(IDC_SIZEWE));
        return TRUE;
    }
    if (!m_virtualMode) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CCellID id = CellFromPoint(point.x, point.y);
        if (CGridCellBase* cell = IsValid(id) ? CellAt(id.row, id.col) : nullptr)
            if (cell->OnSetCursor())
                return TRUE;
    }
    ::SetCursor(Cursor(IDC_ARROW));
    return TRUE;
}

int CGridCtrl::SizedColumn(CPoint point)
{
    CCellID cell = CellFromPoint(point.x, point.y);
    if (cell.col < 0) {
        // Right of the last column: its right edge may still be in reach.
        CellRange range = VisibleNonFixedRange();
        cell.col = range.maxCol >= m_fixedCols ? range.maxCol : m_fixedCols - 1;
        return cell.col;
    }
    POINT origin;
    if (cell.row < 0 || !CellOrigin(cell.row, cell.col, &origin))
        return -1;
    if (point.x - origin.x < kResizeCapture)
        return cell.col - 1; // the divider on the left belongs to the column before
    return cell.col;
}

int CGridCtrl::SizedRow(CPoint point)
{
    CCellID cell = CellFromPoint(point.x, point.y);
    if (cell.row < 0) {
        CellRange range = VisibleNonFixedRange();
        return range.maxRow >= m_fixedRows ? range.maxRow : m_fixedRows - 1;
    }
    POINT origin;
    if (cell.col < 0 || !CellOrigin(cell.row, cell.col, &origin))
        return -1;
    if (point.y - origin.y < kResizeCapture)
        return cell.row - 1;
    return cell.row;
}

BOOL CGridCtrl::CheckDividers(CPoint point)
{
    auto nearEdge = [](int pos, int start, int size, bool first) {
        return (pos - start < kResizeCapture && !first) || (start + size - pos <= kResizeCapture);
    };
    POINT origin;
    if (m_allowColumnResize && point.y < FixedRowHeight() && point.x >= 0) {
        int col = SizedColumn(point);
        CCellID cell = CellFromPoint(point.x, point.y);
        if (col >= 0 && CellOrigin(0, col, &origin) &&
            (cell.col < 0 ? point.x - (origin.x + ColumnWidth(col)) <= kResizeCapture
                          : nearEdge(point.x, origin.x, ColumnWidth(col), false))) {
            ::SetCursor(Cursor(IDC_SIZEWE));
            m_mouseMode = MouseOverColDivide;
            return TRUE;
        }
    }
    if (m_allowRowResize && point.x < FixedColumnWidth() && point.y >= 0) {
        int row = SizedRow(point);
        CCellID cell = CellFromPoint(point.x, point.y);
        if (row >= 0 && CellOrigin(row, 0, &origin) &&
            (cell.row < 0 ? point.y - (origin.y + RowHeight(row)) <= kResizeCapture
                          : nearEdge(point.y, origin.y, RowHeight(row), false))) {
            ::SetCursor(Cursor(IDC_SIZENS));
            m_mouseMode = MouseOverRowDivide;
            return TRUE;
        }
    }
    return FALSE;
}

void CGridCtrl::InvertBand(CPoint point)
{
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_mouseMode == MouseSizingCol)
        dc.PatBlt(point.x, 0, 2, client.Height(), DSTINVERT);
    else if (m_mouseMode == MouseSizingRow)
        dc.PatBlt(0, point.y, client.Width(), 2, DSTINVERT);
}

void CGridCtrl::ShowTitleTipFor(CCellID id)
{
    CGridCellBase* cell = CellAt(id.row, id.col);
    if (!cell || cell->IsEditing())
        return;
    LPCWSTR tip = cell->TipText();
    CRect rect, textRect;
    if (!tip || !*tip || !CellRect(id.row, id.col, &rect))
        return;
    textRect = rect;
    if (!cell->TipTextRect(&textRect))
        return;
    m_titleTip.Show(textRect, tip, &rect, cell->FontRecord(), m_tipText, m_tipBack);
}

LRESULT CGridCtrl::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    CPoint point(lParam);
    if ((wParam & MK_LBUTTON) && m_leftButtonDown && m_mouseMode != MouseNothing && IsValid(m_leftClickDownCell)) {
        switch (m_mouseMode) {
        case MouseSelectColumns:
        case MouseSelectRows:
        case MouseSelectCells: {
            CCellID cell = CellFromPoint(point.x, point.y);
            if (!IsValid(cell) || cell == m_focus)
                break;
            ExtendSelection(cell);
            if (cell.row >= m_fixedRows && cell.col >= m_fixedCols)
                SetFocusCell(cell.row, cell.col);
            else if (m_mouseMode != MouseSelectCells)
                SetFocusCell(cell.row, cell.col); // raised into the non-fixed area
            break;
        }
        case MouseSizingRow:
        case MouseSizingCol:
            InvertBand(m_lastMousePoint);
            InvertBand(point);
            break;
        }
        m_lastMousePoint = point;
        return 0;
    }

    if (!CheckDividers(point) && m_mouseMode != MouseNothing && m_mouseMode != MousePrepareEdit) {
        ::SetCursor(Cursor(IDC_ARROW));
        m_mouseMode = MouseNothing;
    }
    if (m_mouseMode == MouseNothing) {
        CCellID id = CellFromPoint(point.x, point.y);
        if (CGridCellBase* cell = IsValid(id) ? CellAt(id.row, id.col) : nullptr) {
            cell->OnMouseOver();
            if (m_titleTips)
                ShowTitleTipFor(id);
        }
    }
    m_lastMousePoint = point;
    return 0;
}

LRESULT CGridCtrl::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    ::SetFocus(m_hWnd); // ends a running edit
    if (!::IsWindow(m_hWnd))
        return 0;
    CPoint point(lParam);
    m_leftButtonDown = TRUE;
    m_leftDownPoint = m_lastMousePoint = point;
    m_leftClickDownCell = CellFromPoint(point.x, point.y);
    if (!IsValid(m_leftClickDownCell))
        return 0;
    CCellID clicked = m_leftClickDownCell;
    BOOL shift = (wParam & MK_SHIFT) != 0, ctrl = (wParam & MK_CONTROL) != 0;
    if (!shift || !IsValid(m_selectionStart))
        m_selectionStart = shift ? m_focus : clicked;

    EndEditing();
    if (!IsValid(clicked))
        return 0; // the owner rebuilt the grid when the edit ended
    POINT origin = {};
    if (CGridCellBase* cell = CellAt(clicked.row, clicked.col)) {
        CellOrigin(clicked.row, clicked.col, &origin);
        cell->OnClickDown(CPoint(point.x - origin.x, point.y - origin.y));
    }

    if (clicked == m_focus) {
        if (IsCellEditable(clicked.row, clicked.col)) {
            m_mouseMode = MousePrepareEdit;
            return 0;
        }
    } else if (m_mouseMode != MouseOverColDivide && m_mouseMode != MouseOverRowDivide) {
        if (!IsCellSelected(clicked.row, clicked.col)) {
            SetFocusCell(-1, -1);
            SetFocusCell(clicked.row, clicked.col); // raised into the non-fixed area
        } else if (ctrl) {
            SetFocusCell(clicked.row, clicked.col);
            CCellID start = m_selectionStart;
            int minRow = start.row < clicked.row ? start.row : clicked.row;
            int maxRow = start.row > clicked.row ? start.row : clicked.row;
            int minCol = start.col < clicked.col ? start.col : clicked.col;
            int maxCol = start.col > clicked.col ? start.col : clicked.col;
            if (m_listMode) {
                minCol = m_fixedCols;
                maxCol = m_cols - 1;
            }
            SetSelectedRange(minRow, minCol, maxRow, maxCol, TRUE, FALSE);
            return 0;
        }
    }

    SetCapture();
    if (m_mouseMode == MouseNothing)
        CheckDividers(point);
    if (m_mouseMode == MouseOverColDivide || m_mouseMode == MouseOverRowDivide) {
        bool cols = m_mouseMode == MouseOverColDivide;
        m_sizedIndex = cols ? SizedColumn(point) : SizedRow(point);
        if (m_sizedIndex < 0) {
            m_mouseMode = MouseNothing;
            return 0;
        }
        m_mouseMode = cols ? MouseSizingCol : MouseSizingRow;
        InvertBand(point);
        // The pointer stays right of (below) the sized column's (row's) start.
        CRect limit;
        GetClientRect(&limit);
        if (cols && CellOrigin(0, m_sizedIndex, &origin))
            limit.left = origin.x + 1;
        else if (!cols && CellOrigin(m_sizedIndex, 0, &origin))
            limit.top = origin.y + 1;
        ClientToScreen(&limit);
        ::ClipCursor(&limit);
        return 0;
    }

    m_prevSelected.RemoveAll();
    if (ctrl) {
        POSITION pos = m_selected.GetStartPosition();
        while (pos) {
            ULONGLONG key;
            CCellID cell;
            m_selected.GetNextAssoc(pos, key, cell);
            m_prevSelected.SetAt(key, cell);
        }
    }
    if (clicked.row < m_fixedRows) {
        OnFixedRowClick(clicked);
    } else if (clicked.col < m_fixedCols) {
        OnFixedColumnClick(clicked);
    } else {
        m_mouseMode = m_listMode ? MouseSelectRows : MouseSelectCells;
        ExtendSelection(clicked);
        m_autoScrollTimer = SetTimer(AutoScrollTimer, kAutoScrollInterval);
    }
    return 0;
}

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_sortOnClick) {
        CWaitCursor wait;
        SortTextItems(cell.col, !(cell.col == m_sortColumn && m_sortAscending));
        Refresh();
    }
    if (m_fixedRowSelection) {
        m_mouseMode = cell.col < m_fixedCols ? MouseSelectAll : MouseSelectColumns;
        ExtendSelection(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell) || !m_fixedColSelection)
        return;
    m_mouseMode = cell.row < m_fixedRows ? MouseSelectAll : MouseSelectRows;
    ExtendSelection(cell);
}

LRESULT CGridCtrl::OnLButtonUp(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    m_leftButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_autoScrollTimer) {
        KillTimer(AutoScrollTimer);
        m_autoScrollTimer = 0;
    }
    CPoint point(lParam);
    CCellID down = m_leftClickDownCell;
    int mode = m_mouseMode;
    m_mouseMode = MouseNothing;

    if (mode == MousePrepareEdit ||
        (mode == MouseSelectCells && IsValid(down) && IsCellEditable(down.row, down.col))) {
        POINT origin = {};
        CellOrigin(m_focus.row, m_focus.col, &origin);
        EditCell(down.row, down.col, CPoint(point.x - origin.x, point.y - origin.y), VK_LBUTTON);
    } else if (mode == MouseSizingCol || mode == MouseSizingRow) {
        bool cols = mode == MouseSizingCol;
        m_mouseMode = mode;
        InvertBand(m_lastMousePoint);
        m_mouseMode = MouseNothing;
        POINT origin;
        if (point != m_leftDownPoint && (point.x != 0 || point.y != 0) &&
            (cols ? CellOrigin(0, m_sizedIndex, &origin) : CellOrigin(m_sizedIndex, 0, &origin))) {
            int size = cols ? point.x - origin.x : point.y - origin.y;
            if (size == 0 && !(cols ? m_allowColumnHide : m_allowRowHide))
                size = 1;
            if (size >= 0) {
                if (cols)
                    SetColumnWidth(m_sizedIndex, size);
                else
                    SetRowHeight(m_sizedIndex, size);
                ResetScrollBars();
                Refresh();
            }
        }
    } else if (IsValid(m_focus)) {
        POINT origin = {};
        CellOrigin(m_focus.row, m_focus.col, &origin);
        if (CGridCellBase* cell = CellAt(m_focus.row, m_focus.col))
            cell->OnClick(CPoint(point.x - origin.x, point.y - origin.y));
        SendNotify(down.row, down.col, NM_CLICK);
    } else {
        SendNotify(down.row, down.col, NM_CLICK);
    }
    if (!::IsWindow(m_hWnd))
        return result;
    ::SetCursor(Cursor(IDC_ARROW));
    if (IsValid(down))
        if (HWND owner = NotifyTarget())
            ::PostMessageW(owner, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), (LPARAM)m_hWnd);
    return result;
}

LRESULT CGridCtrl::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    CPoint point(lParam);
    CCellID id = CellFromPoint(point.x, point.y);
    if (m_mouseMode == MouseOverColDivide) {
        int col = SizedColumn(point);
        while (col > 0 && ColumnWidth(col) == 0)
            --col;
        if (col >= 0 && FitColumnWidth(col, m_fitFlags))
            Refresh();
    } else if (m_mouseMode == MouseOverRowDivide) {
        int row = SizedRow(point);
        while (row > 0 && RowHeight(row) == 0)
            --row;
        if (row >= 0 && FitRowHeight(row))
            Refresh();
    } else if (m_mouseMode == MouseNothing && IsValid(id)) {
        if (id.row >= m_fixedRows && id.col >= m_fixedCols && IsValid(m_leftClickDownCell))
            EditCell(id.row, id.col, CPoint(-1, -1), VK_LBUTTON);
        if (!::IsWindow(m_hWnd))
            return 0;
        POINT origin = {};
        CellOrigin(id.row, id.col, &origin);
        if (CGridCellBase* cell = CellAt(id.row, id.col))
            cell->OnDoubleClick(CPoint(point.x - origin.x, point.y - origin.y));
        SendNotify(id.row, id.col, NM_DBLCLK);
    }
    return Default();
}

LRESULT CGridCtrl::OnRButtonUp(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    EndEditing();
    CPoint point(lParam);
    CCellID id = CellFromPoint(point.x, point.y);
    if (!IsValid(id)) {
        SendNotify(-1, -1, NM_RCLICK);
        return result;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(id.row, id.col);
    POINT origin = {};
    CellOrigin(id.row, id.col, &origin);
    if (CGridCellBase* cell = CellAt(id.row, id.col))
        cell->OnRightClick(CPoint(point.x - origin.x, point.y - origin.y));
    SendNotify(m_focus.row, m_focus.col, NM_RCLICK);
    return result;
}

LRESULT CGridCtrl::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam != AutoScrollTimer)
        return Default();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    auto clamp = [](int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); };
    int x = clamp(point.x, 0, client.right - 1), y = clamp(point.y, 0, client.bottom - 1);
    auto extendTo = [&](int cx, int cy) {
        CCellID cell = CellFromPoint(cx, cy);
        if (IsValid(cell))
            ExtendSelection(cell);
    };
    if (point.y >= client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN);
        extendTo(x, client.bottom - 1);
    } else if (point.y < FixedRowHeight()) {
        SendMessage(WM_KEYDOWN, VK_UP);
        extendTo(x, FixedRowHeight());
    }
    if (point.x >= client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT);
        extendTo(client.right - 1, y);
    } else if (point.x < FixedColumnWidth()) {
        SendMessage(WM_KEYDOWN, VK_LEFT);
        extendTo(FixedColumnWidth(), y);
    }
    return 0;
}

LRESULT CGridCtrl::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    if ((HWND)lParam != m_hWnd && m_autoScrollTimer) {
        KillTimer(AutoScrollTimer);
        m_autoScrollTimer = 0;
    }
    return 0;
}

LRESULT CGridCtrl::OnMouseWheel(WPARAM wParam, LPARAM)
{
    // Wheels finer than a notch add up until they make a whole step.
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (m_wheelLines == -1) {
        m_wheelRemainder += delta;
        int pages = m_wheelRemainder / WHEEL_DELTA;
        m_wheelRemainder -= pages * WHEEL_DELTA;
        for (int n = pages < 0 ? -pages : pages; n > 0; --n)
            PostMessage(WM_VSCROLL, pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
        return 0;
    }
    m_wheelRemainder += m_wheelLines * delta;
    int lines = m_wheelRemainder / WHEEL_DELTA;
    m_wheelRemainder -= lines * WHEEL_DELTA;
    for (int n = lines < 0 ? -lines : lines; n > 0; --n)
        PostMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN);
    return 0;
}
