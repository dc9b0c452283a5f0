// CGridCtrl: sizes, cell positions, scroll bars and scrolling, fitting,
// and the drawing of single cells.
#include "GridCtrl.h"

namespace {

const UINT kHorzShown = 1;
const UINT kVertShown = 2;

int SumOf(const CUIntArray& sizes, int first, int end)
{
    int sum = 0;
    for (int i = first; i < end; ++i)
        sum += (int)sizes[i];
    return sum;
}

} // namespace

int CGridCtrl::RowHeight(int nRow) const
{
    return nRow >= 0 && nRow < m_rows ? (int)m_rowHeights[nRow] : -1;
}

int CGridCtrl::ColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < m_cols ? (int)m_colWidths[nCol] : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (nRow < 0 || nRow >= m_rows || nHeight < 0)
        return FALSE;
    m_rowHeights[nRow] = (UINT)nHeight;
    m_topLeftCache = CCellID();
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0 || nCol >= m_cols || nWidth < 0)
        return FALSE;
    m_colWidths[nCol] = (UINT)nWidth;
    m_topLeftCache = CCellID();
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::FixedRowHeight() const
{
    return SumOf(m_rowHeights, 0, m_fixedRows);
}

int CGridCtrl::FixedColumnWidth() const
{
    return SumOf(m_colWidths, 0, m_fixedCols);
}

int CGridCtrl::VirtualHeight() const
{
    return SumOf(m_rowHeights, 0, m_rows);
}

int CGridCtrl::VirtualWidth() const
{
    return SumOf(m_colWidths, 0, m_cols);
}

int CGridCtrl::ScrollPos(int nBar) const
{
    if (!(m_barState & (nBar == SB_VERT ? kVertShown : kHorzShown)))
        return 0;
    SCROLLINFO si = { sizeof(si), SIF_POS };
    return GetScrollInfo(nBar, &si) ? si.nPos : 0;
}

void CGridCtrl::SetScrollPosition(int nBar, int nPos)
{
    SCROLLINFO si = { sizeof(si), SIF_POS };
    si.nPos = nPos;
    SetScrollInfo(nBar, &si, FALSE);
    RefreshScrollBars();
    m_topLeftCache = CCellID();
}

void CGridCtrl::SetScrollRange(int nBar, int nMax, int nPage)
{
    // Unchanged ranges are not set again: every row appended resets them.
    SCROLLINFO si = { sizeof(si), SIF_RANGE | SIF_PAGE };
    if (GetScrollInfo(nBar, &si) && si.nMin == 0 && si.nMax == nMax && si.nPage == (UINT)nPage)
        return;
    si.nMin = 0;
    si.nMax = nMax;
    si.nPage = (UINT)nPage;
    SetScrollInfo(nBar, &si, FALSE);
    RefreshScrollBars();
}

CCellID CGridCtrl::TopLeftNonFixedCell()
{
    if (m_topLeftCache.IsValid())
        return m_topLeftCache;
    // The first row (column) that starts at or after the scroll position,
    // the last one at most.
    int vpos = ScrollPos(SB_VERT), hpos = ScrollPos(SB_HORZ);
    int row = m_fixedRows;
    for (int sum = 0; sum < vpos && row < m_rows - 1; ++row)
        sum += (int)m_rowHeights[row];
    int col = m_fixedCols;
    for (int sum = 0; sum < hpos && col < m_cols - 1; ++col)
        sum += (int)m_colWidths[col];
    m_topLeftCache = CCellID(row, col);
    return m_topLeftCache;
}

CellRange CGridCtrl::VisibleNonFixedRange(LPRECT pRect)
{
    CRect client;
    if (::IsWindow(m_hWnd))
        GetClientRect(&client);
    CCellID topLeft = TopLeftNonFixedCell();
    int bottom = FixedRowHeight(), maxRow = topLeft.row - 1;
    for (int r = topLeft.row; r < m_rows && bottom < client.bottom; ++r) {
        bottom += (int)m_rowHeights[r];
        maxRow = r;
    }
    int right = FixedColumnWidth(), maxCol = topLeft.col - 1;
    for (int c = topLeft.col; c < m_cols && right < client.right; ++c) {
        right += (int)m_colWidths[c];
        maxCol = c;
    }
    if (pRect)
        *pRect = CRect(FixedColumnWidth(), FixedRowHeight(), right < client.right ? right : client.right,
                       bottom < client.bottom ? bottom : client.bottom);
    return CellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

BOOL CGridCtrl::CellOrigin(int nRow, int nCol, LPPOINT pPoint)
{
    if (!IsValid(nRow, nCol) || !pPoint)
        return FALSE;
    CCellID topLeft = TopLeftNonFixedCell();
    if ((nRow >= m_fixedRows && nRow < topLeft.row) || (nCol >= m_fixedCols && nCol < topLeft.col))
        return FALSE;
    pPoint->x = nCol < m_fixedCols ? SumOf(m_colWidths, 0, nCol) : FixedColumnWidth() + SumOf(m_colWidths, topLeft.col, nCol);
    pPoint->y = nRow < m_fixedRows ? SumOf(m_rowHeights, 0, nRow) : FixedRowHeight() + SumOf(m_rowHeights, topLeft.row, nRow);
    return TRUE;
}

BOOL CGridCtrl::CellRect(int nRow, int nCol, LPRECT pRect)
{
    POINT origin;
    if (!pRect || !CellOrigin(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + ColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + RowHeight(nRow) - 1;
    return TRUE;
}

CCellID CGridCtrl::CellFromPoint(int x, int y)
{
    CCellID topLeft = TopLeftNonFixedCell();
    CCellID cell;
    // Columns: in the fixed strip the one containing x, else from the left
    // visible column on.
    int fixedWidth = FixedColumnWidth();
    int c = x < fixedWidth ? 0 : topLeft.col;
    for (int sum = x < fixedWidth ? 0 : fixedWidth; x >= 0 && c < m_cols; ++c) {
        sum += (int)m_colWidths[c];
        if (sum > x) {
            cell.col = c;
            break;
        }
    }
    int fixedHeight = FixedRowHeight();
    int r = y < fixedHeight ? 0 : topLeft.row;
    for (int sum = y < fixedHeight ? 0 : fixedHeight; y >= 0 && r < m_rows; ++r) {
        sum += (int)m_rowHeights[r];
        if (sum > y) {
            cell.row = r;
            break;
        }
    }
    return cell;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!::IsWindow(m_hWnd) || nRow >= m_rows || nCol >= m_cols)
        return FALSE;
    CCellID topLeft = TopLeftNonFixedCell();
    if ((nRow >= m_fixedRows && nRow < topLeft.row) || (nCol >= m_fixedCols && nCol < topLeft.col))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    // Each edge is summed only up to the client's extent.
    if (nCol >= 0) {
        int x = 0;
        for (int c = 0; c < nCol && c < m_fixedCols; ++c)
            x += (int)m_colWidths[c];
        for (int c = topLeft.col; nCol >= m_fixedCols && c < nCol && x < client.right; ++c)
            x += (int)m_colWidths[c];
        if (x >= client.right)
            return FALSE;
    }
    if (nRow >= 0) {
        int y = 0;
        for (int r = 0; r < nRow && r < m_fixedRows; ++r)
            y += (int)m_rowHeights[r];
        for (int r = topLeft.row; nRow >= m_fixedRows && r < nRow && y < client.bottom; ++r)
            y += (int)m_rowHeights[r];
        if (y >= client.bottom)
            return FALSE;
    }
    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!::IsWindow(m_hWnd) || !IsValid(nRow, nCol))
        return;
    CellRange visible = VisibleNonFixedRange();
    if (nCol >= m_fixedCols) {
        for (int n = nCol - visible.maxCol; n > 0; --n)
            SendMessage(WM_HSCROLL, SB_LINERIGHT);
        for (int n = visible.minCol - nCol; n > 0; --n)
            SendMessage(WM_HSCROLL, SB_LINELEFT);
    }
    if (nRow >= m_fixedRows) {
        for (int n = nRow - visible.maxRow; n > 0; --n)
            SendMessage(WM_VSCROLL, SB_LINEDOWN);
        for (int n = visible.minRow - nRow; n > 0; --n)
            SendMessage(WM_VSCROLL, SB_LINEUP);
    }
    // A cell still reaching past the client area: line by line while the
    // position moves.
    CRect client, cell;
    GetClientRect(&client);
    while (nCol >= m_fixedCols && CellRect(nRow, nCol, &cell) && cell.right >= client.right &&
           cell.left > FixedColumnWidth()) {
        int before = ScrollPos(SB_HORZ);
        SendMessage(WM_HSCROLL, SB_LINERIGHT);
        if (ScrollPos(SB_HORZ) == before)
            break;
    }
    while (nRow >= m_fixedRows && CellRect(nRow, nCol, &cell) && cell.bottom >= client.bottom &&
           cell.top > FixedRowHeight()) {
        int before = ScrollPos(SB_VERT);
        SendMessage(WM_VSCROLL, SB_LINEDOWN);
        if (ScrollPos(SB_VERT) == before)
            break;
    }
}

void CGridCtrl::ResetScrollBars()
{
    if (!m_allowDraw || m_inScrollBars || !::IsWindow(m_hWnd))
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;
    m_inScrollBars = TRUE; // showing a bar sends WM_SIZE
    m_topLeftCache = CCellID();
    int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    if (m_barState & kVertShown)
        rect.right += cxBar;
    if (m_barState & kHorzShown)
        rect.bottom += cyBar;
    int fixedHeight = FixedRowHeight(), fixedWidth = FixedColumnWidth();
    int virtualHeight = VirtualHeight() - fixedHeight, virtualWidth = VirtualWidth() - fixedWidth;
    int visibleHeight = rect.Height() - fixedHeight, visibleWidth = rect.Width() - fixedWidth;
    bool needV = virtualHeight > visibleHeight, needH = virtualWidth > visibleWidth;
    if (needH && !needV)
        needV = virtualHeight > visibleHeight - cyBar;
    if (needV && !needH)
        needH = virtualWidth > visibleWidth - cxBar;

    UINT state = (needH ? kHorzShown : 0) | (needV ? kVertShown : 0);
    UINT changed = state ^ m_barState;
    m_barState = state;
    if (changed & kVertShown)
        ShowScrollBar(SB_VERT, needV);
    if (changed & kHorzShown)
        ShowScrollBar(SB_HORZ, needH);

    int pageV = visibleHeight - (needH ? cyBar : 0), pageH = visibleWidth - (needV ? cxBar : 0);
    SetScrollRange(SB_VERT, needV ? virtualHeight - 1 : 0, needV && pageV > 0 ? pageV : 0);
    SetScrollRange(SB_HORZ, needH ? virtualWidth - 1 : 0, needH && pageH > 0 ? pageH : 0);
    m_inScrollBars = FALSE;
}

LRESULT CGridCtrl::OnScroll(int nBar, WPARAM wParam)
{
    EndEditing();
    m_titleTip.Hide();
    bool vert = nBar == SB_VERT;
    if (!(m_barState & (vert ? kVertShown : kHorzShown)))
        return 0;
    int pos = ScrollPos(nBar);
    int limit = GetScrollLimit(nBar);
    CCellID topLeft = TopLeftNonFixedCell();
    int first = vert ? m_fixedRows : m_fixedCols;
    int count = vert ? m_rows : m_cols;
    int top = vert ? topLeft.row : topLeft.col;
    if (top < first || top >= count)
        return 0; // nothing to scroll (the bars may lag while redraw is off)
    const CUIntArray& sizes = vert ? m_rowHeights : m_colWidths;
    CRect client;
    GetClientRect(&client);
    int page = vert ? client.Height() - FixedRowHeight() : client.Width() - FixedColumnWidth();

    int next = pos;
    bool everything = false;
    switch (LOWORD(wParam)) {
    case SB_LINEDOWN: // SB_LINERIGHT
        if (pos < limit) {
            int i = top;
            while (i < count - 1 && sizes[i] == 0)
                ++i;
            if (i < count)
                next = pos + (int)sizes[i];
        }
        break;
    case SB_LINEUP: // SB_LINELEFT
        if (pos > 0 && top > first) {
            int i = top - 1;
            while (i > first && sizes[i] == 0)
                --i;
            next = pos - (int)sizes[i];
        }
        break;
    case SB_PAGEDOWN:
        next = pos + page;
        break;
    case SB_PAGEUP:
        next = pos - page;
        break;
    case SB_TOP:
        next = 0;
        everything = true;
        break;
    case SB_BOTTOM:
        next = limit;
        everything = true;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si = { sizeof(si), SIF_TRACKPOS };
        if (GetScrollInfo(nBar, &si))
            next = si.nTrackPos;
        break;
    }
    default:
        return 0;
    }
    if (next > limit)
        next = limit;
    if (next < 0)
        next = 0;
    if (next == pos)
        return 0;
    SetScrollPosition(nBar, next);
    CCellID now = TopLeftNonFixedCell();
    if (now == topLeft && (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION))
        return 0;
    if (everything) {
        Refresh();
    } else if (m_allowDraw) {
        CRect moving = client;
        if (vert)
            moving.top = FixedRowHeight();
        else
            moving.left = FixedColumnWidth();
        InvalidateRect(&moving, TRUE);
    }
    return 0;
}

BOOL CGridCtrl::FitColumnWidth(int nCol, UINT nFitRows)
{
    if (ColumnWidth(nCol) <= 0)
        return FALSE; // hidden or invalid
    HDC hdc = ::GetDC(m_hWnd);
    if (!hdc)
        return FALSE;
    CDC dc;
    dc.Attach(hdc);
    int widest = -1;
    int first = (nFitRows & FitFixedRows) ? 0 : m_fixedRows;
    int end = (nFitRows & FitDataRows) ? m_rows : m_fixedRows;
    for (int r = first; r < end; ++r)
        if (CGridCellBase* cell = CellAt(r, nCol)) {
            int cx = cell->MeasureCell(&dc).cx;
            if (cx > widest)
                widest = cx;
        }
    ::ReleaseDC(m_hWnd, dc.Detach());
    if (widest < 0)
        return FALSE; // nothing measured: keep the width
    return SetColumnWidth(nCol, widest);
}

BOOL CGridCtrl::FitRowHeight(int nRow)
{
    if (RowHeight(nRow) <= 0)
        return FALSE;
    HDC hdc = ::GetDC(m_hWnd);
    if (!hdc)
        return FALSE;
    CDC dc;
    dc.Attach(hdc);
    int tallest = -1;
    for (int c = 0; c < m_cols; ++c)
        if (CGridCellBase* cell = CellAt(nRow, c)) {
            int cy = cell->MeasureCell(&dc).cy;
            if (cy > tallest)
                tallest = cy;
        }
    ::ReleaseDC(m_hWnd, dc.Detach());
    if (tallest < 0)
        return FALSE;
    return SetRowHeight(nRow, tallest);
}

void CGridCtrl::StretchLastColumn()
{
    if (m_cols < 1 || !::IsWindow(m_hWnd))
        return;
    // Without bars, so the client width is the whole width.
    m_inScrollBars = TRUE;
    m_barState = 0;
    ShowScrollBar(SB_BOTH, FALSE);
    m_inScrollBars = FALSE;
    CRect client;
    GetClientRect(&client);
    int grow = client.Width() - VirtualWidth();
    if (grow > 0) {
        if (VirtualHeight() > client.Height())
            grow -= ::GetSystemMetrics(SM_CYHSCROLL);
        if (grow > 0)
            m_colWidths[m_cols - 1] += (UINT)grow;
    }
    m_topLeftCache = CCellID();
    Refresh();
    ResetScrollBars();
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    CRect rect;
    if (!m_allowDraw || !IsCellVisible(nRow, nCol) || !CellRect(nRow, nCol, &rect))
        return FALSE;
    CDC own;
    if (!pDC) {
        HDC hdc = ::GetDC(m_hWnd);
        if (!hdc)
            return InvalidateCell(nRow, nCol);
        own.Attach(hdc);
        pDC = &own;
    }
    CGridCellBase* cell = CellAt(nRow, nCol);
    if (cell && (nRow < m_fixedRows || nCol < m_fixedCols)) {
        cell->Draw(pDC, nRow, nCol, rect, FALSE);
    } else if (cell) {
        cell->Draw(pDC, nRow, nCol, rect, TRUE);
        CPen pen(PS_SOLID, 0, m_gridLineColour);
        HGDIOBJ old = ::SelectObject(pDC->m_hDC, pen.m_hObject);
        if (m_gridLines & GridLinesHorizontal) {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_gridLines & GridLinesVertical) {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        ::SelectObject(pDC->m_hDC, old);
    }
    if (own.m_hDC)
        ::ReleaseDC(m_hWnd, own.Detach());
    return TRUE;
}

BOOL CGridCtrl::InvalidateCell(int nRow, int nCol)
{
    CRect rect;
    if (!m_allowDraw || !::IsWindow(m_hWnd) || !CellRect(nRow, nCol, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}
