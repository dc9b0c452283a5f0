// CGridCtrl: painting the whole grid.
#include "GridCtrl.h"
#include "OGMemDC.h"
#include <vector>

LRESULT CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_doubleBuffer) {
        COGMemDC memDC(&dc);
        DrawGrid(&memDC);
    } else {
        DrawGrid(&dc);
    }
    return 0;
}

void CGridCtrl::DrawGrid(CDC* pDC)
{
    CRect clip;
    if (!m_allowDraw || !pDC || pDC->GetClipBox(&clip) == ERROR)
        return;

    // Backgrounds: the fixed corner, the fixed strips, the visible cells
    // and what lies beyond the last row and column.
    CRect visible;
    CellRange range = VisibleNonFixedRange(&visible);
    int fixedWidth = FixedColumnWidth(), fixedHeight = FixedRowHeight();
    CRect client;
    GetClientRect(&client);
    CRect area = client;
    if (area.right < clip.right)
        area.right = clip.right;
    if (area.bottom < clip.bottom)
        area.bottom = clip.bottom;
    CRect cells(0, 0, visible.right, visible.bottom);
    CRect part;
    auto fill = [&](const CRect& r, COLORREF clr) {
        if (part.IntersectRect(&r, &clip))
            pDC->FillSolidRect(&part, clr);
    };
    fill(CRect(area.left, area.top, area.right, area.bottom), m_outerBackground);
    fill(CRect(0, 0, fixedWidth, fixedHeight), GetDefaultCell(TRUE, TRUE)->Background());
    fill(CRect(0, fixedHeight, fixedWidth, visible.bottom), GetDefaultCell(FALSE, TRUE)->Background());
    fill(CRect(fixedWidth, 0, visible.right, fixedHeight), GetDefaultCell(TRUE, FALSE)->Background());
    fill(CRect(fixedWidth, fixedHeight, visible.right, visible.bottom), GetDefaultCell(FALSE, FALSE)->Background());

    if (m_virtualMode)
        SendCacheHint(range);

    // Cells, each only when it meets the clip box (rectangles inclusive).
    auto drawCell = [&](int row, int col, const CRect& rect) {
        CRect outer(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        if (!part.IntersectRect(&outer, &clip))
            return;
        if (CGridCellBase* cell = CellAt(row, col))
            cell->Draw(pDC, row, col, rect, FALSE);
    };
    // The rows and columns to walk: the fixed ones, then the visible ones.
    std::vector<int> rows, cols;
    for (int r = 0; r < m_fixedRows; ++r)
        rows.push_back(r);
    for (int r = range.minRow; r >= 0 && r <= range.maxRow; ++r)
        rows.push_back(r);
    for (int c = 0; c < m_fixedCols; ++c)
        cols.push_back(c);
    for (int c = range.minCol; c >= 0 && c <= range.maxCol; ++c)
        cols.push_back(c);
    int top = 0;
    for (int r : rows) {
        int height = (int)m_rowHeights[r];
        if (top > clip.bottom)
            break;
        if (height > 0 && top + height > clip.top) {
            int left = 0;
            for (int c : cols) {
                int width = (int)m_colWidths[c];
                if (left > clip.right)
                    break;
                if (width > 0)
                    drawCell(r, c, CRect(left, top, left + width - 1, top + height - 1));
                left += width;
            }
        }
        top += height;
    }

    // Grid lines at the right and bottom of the visible non-fixed cells.
    if (m_gridLines == GridLinesNone || !range.IsValid())
        return;
    CPen pen(PS_SOLID, 0, m_gridLineColour);
    HGDIOBJ oldPen = ::SelectObject(pDC->m_hDC, pen.m_hObject);
    if (m_gridLines & GridLinesVertical) {
        int x = fixedWidth;
        for (int c = range.minCol; c <= range.maxCol && x <= clip.right; ++c) {
            x += (int)m_colWidths[c];
            if (m_colWidths[c] > 0 && x - 1 >= clip.left) {
                pDC->MoveTo(x - 1, fixedHeight);
                pDC->LineTo(x - 1, visible.bottom);
            }
        }
    }
    if (m_gridLines & GridLinesHorizontal) {
        int y = fixedHeight;
        for (int r = range.minRow; r <= range.maxRow && y <= clip.bottom; ++r) {
            y += (int)m_rowHeights[r];
            if (m_rowHeights[r] > 0 && y - 1 >= clip.top) {
                pDC->MoveTo(fixedWidth, y - 1);
                pDC->LineTo(visible.right, y - 1);
            }
        }
    }
    ::SelectObject(pDC->m_hDC, oldPen);
}
