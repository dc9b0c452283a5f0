// CGridCtrl: printing in pages with a header and a footer; the cells'
// printing.
#include "GridCtrl.h"

namespace {

const int kHeaderLines = 2;
const int kFooterLines = 2;
const int kGapLines = 1;
const int kLeftMargin = 4; // characters
const int kRightMargin = 4;
const UINT kAppTitleId = 57344;
// Every letter once: the average character width is its width / 52.
const WCHAR kMeasure[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Pages of sizes[first..end) within limit each; a page holds at least one
// entry, so an entry larger than a page gets a page of its own. Returns
// the first index of page nPage (1-based; end when there is no such page),
// or for nPage 0 the page count.
int WalkPages(const CUIntArray& sizes, int first, int end, int limit, int nPage)
{
    if (nPage == 1)
        return first;
    int page = 1, sum = 0;
    for (int i = first; i < end; ++i) {
        int size = (int)sizes[i];
        if (sum > 0 && sum + size > limit) {
            sum = 0;
            if (++page == nPage)
                return i;
        }
        sum += size;
    }
    return nPage == 0 ? page : end;
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

} // namespace

void CGridCtrl::BeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    HDC screen = ::GetDC(m_hWnd);
    if (!screen)
        return;
    int printerX = pDC->GetDeviceCaps(LOGPIXELSX), printerY = pDC->GetDeviceCaps(LOGPIXELSY);
    int screenX = ::GetDeviceCaps(screen, LOGPIXELSX), screenY = ::GetDeviceCaps(screen, LOGPIXELSY);

    m_printFont.DeleteObject();
    LOGFONTW lf = {};
    lf.lfHeight = -10;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_CHARACTER_PRECIS;
    lf.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    wcscpy_s(lf.lfFaceName, L"Arial");
    m_printFont.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_printBoldFont.DeleteObject();
    m_printBoldFont.CreateFontIndirect(&lf);
    m_printLinePen.DeleteObject();
    m_printLinePen.CreatePen(PS_SOLID, 0, m_gridLineColour);
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, m_printFont.m_hObject);
    CSize text = pDC->GetTextExtent(kMeasure, 52);
    m_charHeight = text.cy;
    m_charWidth = text.cx / 52;
    int marginWidth = m_charWidth * (kLeftMargin + kRightMargin);

    m_devicePage = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_printScaled && printerX > 0 && printerY > 0) {
        m_logicalPage.cx = m_devicePage.cx * screenX / printerX * 3 / 4;
        m_logicalPage.cy = m_devicePage.cy * screenY / printerY * 3 / 4;
    } else {
        m_logicalPage.cx = VirtualWidth() + marginWidth;
        m_logicalPage.cy = ::MulDiv(m_logicalPage.cx, m_devicePage.cy, m_devicePage.cx > 0 ? m_devicePage.cx : 1);
    }
    m_pageHeight = m_logicalPage.cy - (kHeaderLines + kFooterLines + 2 * kGapLines) * m_charHeight - FixedRowHeight();
    m_pageCount = WalkPages(m_rowHeights, m_fixedRows, m_rows, m_pageHeight, 0);
    m_pageWidth = m_logicalPage.cx - FixedColumnWidth() - marginWidth;
    m_pagesAcross = 1;
    if (m_printScaled) {
        m_pagesAcross = WalkPages(m_colWidths, m_fixedCols, m_cols, m_pageWidth, 0);
        m_pageCount *= m_pagesAcross;
    }
    pInfo->SetMaxPage((UINT)m_pageCount);
    pInfo->m_nCurPage = 1;
    ::ReleaseDC(m_hWnd, screen);
    ::SelectObject(pDC->m_hDC, oldFont);
}

void CGridCtrl::EndPrinting(CDC*, CPrintInfo*)
{
    m_printFont.DeleteObject();
    m_printBoldFont.DeleteObject();
    m_printLinePen.DeleteObject();
}

int CGridCtrl::PageRowsEnd()
{
    int sum = 0, row = m_printFirstRow;
    for (; row < m_rows; ++row) {
        int height = (int)m_rowHeights[row];
        if (sum > 0 && sum + height > m_pageHeight)
            break;
        sum += height;
    }
    return row;
}

void CGridCtrl::PrintPage(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_printFont.GetSafeHandle() || m_pagesAcross < 1)
        return;
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, m_printFont.m_hObject);
    int oldMode = pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_logicalPage.cx, m_logicalPage.cy);
    pDC->SetViewportExt(m_devicePage.cx, m_devicePage.cy);
    int left = -(m_charWidth * kLeftMargin);
    CPoint oldOrigin = pDC->SetWindowOrg(left, 0);
    int width = m_logicalPage.cx - (kLeftMargin + kRightMargin) * m_charWidth;

    pInfo->m_rectDraw = CRect(0, 0, width, kHeaderLines * m_charHeight);
    PrintHeader(pDC, pInfo);
    // The fixed rows end at 0; the page's rows start there.
    pDC->SetWindowOrg(left, -((kHeaderLines + kGapLines) * m_charHeight + FixedRowHeight()));

    int page = (int)pInfo->m_nCurPage;
    int rowPage = (page + m_pagesAcross - 1) / m_pagesAcross;
    int colPage = page % m_pagesAcross == 0 ? m_pagesAcross : page % m_pagesAcross;
    m_printFirstRow = WalkPages(m_rowHeights, m_fixedRows, m_rows, m_pageHeight, rowPage);
    m_printFirstCol = WalkPages(m_colWidths, m_fixedCols, m_cols, m_pageWidth, colPage);

    PrintFixedColumnCells(pDC, pInfo);
    PrintFixedRowCells(pDC, pInfo);
    // A row taller than the page is cut at the page's bottom.
    int saved = pDC->SaveDC();
    pDC->IntersectClipRect(-m_charWidth * kLeftMargin, -FixedRowHeight(), m_logicalPage.cx, m_pageHeight + 1);
    int end = PageRowsEnd(), top = 0;
    for (int row = m_printFirstRow; row < end; ++row) {
        PrintRowCells(pDC, row, top, FALSE);
        top += (int)m_rowHeights[row];
    }
    pDC->RestoreDC(saved);

    pDC->SetWindowOrg(left, 0);
    pInfo->m_rectDraw = CRect(0, m_logicalPage.cy - kFooterLines * m_charHeight, width, m_logicalPage.cy);
    PrintFooter(pDC, pInfo);
    pDC->SetWindowOrg(oldOrigin.x, oldOrigin.y);
    pDC->SetMapMode(oldMode);
    ::SelectObject(pDC->m_hDC, oldFont);
}

void CGridCtrl::PrintRowCells(CDC* pDC, int nRow, int nTop, BOOL bFixedColumns)
{
    int height = (int)m_rowHeights[nRow];
    int x = bFixedColumns ? 0 : FixedColumnWidth();
    int first = bFixedColumns ? 0 : m_printFirstCol;
    int end = bFixedColumns ? m_fixedCols : m_cols;
    for (int col = first, used = 0; col < end; ++col) {
        int width = (int)m_colWidths[col];
        if (!bFixedColumns && used > 0 && used + width > m_pageWidth)
            break;
        used += width;
        CRect rect(x, nTop, x + width - 1, nTop + height - 1);
        x += width;
        CGridCellBase* cell = CellAt(nRow, col);
        if (!cell || width <= 0)
            continue;
        cell->PrintCell(pDC, nRow, col, rect);
        HGDIOBJ oldPen = ::SelectObject(pDC->m_hDC, m_printLinePen.m_hObject);
        int lineLeft = col == 0 ? rect.left : rect.left - 1;
        int lineTop = nRow == 0 ? rect.top : rect.top - 1;
        if (m_gridLines & GridLinesHorizontal) {
            Line(pDC, lineLeft, rect.bottom, rect.right + 1, rect.bottom);
            if (nRow == 0)
                Line(pDC, lineLeft, rect.top, rect.right + 1, rect.top);
        }
        if (m_gridLines & GridLinesVertical) {
            Line(pDC, rect.right, lineTop, rect.right, rect.bottom + 1);
            if (col == 0)
                Line(pDC, rect.left, lineTop, rect.left, rect.bottom + 1);
        }
        ::SelectObject(pDC->m_hDC, oldPen);
    }
}

void CGridCtrl::PrintFixedRowCells(CDC* pDC, CPrintInfo*)
{
    int top = -FixedRowHeight();
    for (int row = 0; row < m_fixedRows; ++row) {
        PrintRowCells(pDC, row, top, TRUE);
        PrintRowCells(pDC, row, top, FALSE);
        top += (int)m_rowHeights[row];
    }
}

void CGridCtrl::PrintFixedColumnCells(CDC* pDC, CPrintInfo*)
{
    if (m_fixedCols == 0)
        return;
    int end = PageRowsEnd(), top = 0;
    for (int row = m_printFirstRow; row < end; ++row) {
        PrintRowCells(pDC, row, top, TRUE);
        top += (int)m_rowHeights[row];
    }
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rect = pInfo->m_rectDraw;
    CString title;
    title.LoadString(kAppTitleId);
    CString ancestor;
    for (HWND w = ::GetParent(m_hWnd); w && ancestor.IsEmpty(); w = ::GetParent(w))
        CWnd(w).GetWindowText(ancestor);

    CFont& bold = m_printBoldFont.GetSafeHandle() ? m_printBoldFont : m_printFont;
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, bold.m_hObject);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    pDC->DrawText(ancestor, &rect, DT_CENTER | flags);
    pDC->DrawText(title, &rect, DT_RIGHT | flags);
    HGDIOBJ oldPen = ::SelectObject(pDC->m_hDC, ::GetStockObject(BLACK_PEN));
    Line(pDC, rect.left, rect.bottom, rect.right, rect.bottom);
    ::SelectObject(pDC->m_hDC, oldPen);
    pDC->SetBkMode(oldMode);
    ::SelectObject(pDC->m_hDC, oldFont);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rect = pInfo->m_rectDraw;
    CString page;
    page.Format(L"Page %d of %d", (int)pInfo->m_nCurPage, (int)pInfo->GetMaxPage());
    CString date = CTime::GetCurrentTime().Format(L"%c");

    HGDIOBJ oldPen = ::SelectObject(pDC->m_hDC, ::GetStockObject(BLACK_PEN));
    Line(pDC, rect.left, rect.top, rect.right, rect.top);
    ::SelectObject(pDC->m_hDC, oldPen);
    CFont& bold = m_printBoldFont.GetSafeHandle() ? m_printBoldFont : m_printFont;
    HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, bold.m_hObject);
    COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    pDC->DrawText(page, &rect, DT_LEFT | flags);
    pDC->DrawText(date, &rect, DT_RIGHT | flags);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    ::SelectObject(pDC->m_hDC, oldFont);
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int, int, CRect rect)
{
    CGridCtrl* grid = Grid();
    CGridDefaultCell* def = DefaultCell();
    if (!pDC || !grid || !def || rect.Height() <= 0)
        return FALSE;
    int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF own = Background(), ownText = TextColour();
    bool hasBack = own != CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT, text = RGB(0, 0, 0);
    if (grid->GetPrintColours()) {
        if (IsFixed())
            back = hasBack ? own : def->Background();
        else if (hasBack && own != def->Background())
            back = own;
        if (hasBack)
            text = ownText != CLR_DEFAULT ? ownText : def->TextColour();
        else if (IsFixed())
            text = def->TextColour();
        else if (ownText != CLR_DEFAULT && ownText != def->TextColour())
            text = ownText;
    }
    if (back != CLR_DEFAULT) {
        CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        pDC->FillSolidRect(&fill, back);
    } else if (pDC->GetDeviceCaps(NUMCOLORS) == 2) {
        // Two colours: the text's brightness, as the eye weighs the channels.
        int grey = (int)(0.30 * GetRValue(text) + 0.59 * GetGValue(text) + 0.11 * GetBValue(text));
        text = RGB(grey, grey, grey);
    }
    pDC->SetTextColor(text);
    if (CFont* font = FontObject())
        pDC->SelectObject(font);

    if (IsFixed() && grid->GetGridLines() != GridLinesNone) {
        CPen light(PS_SOLID, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen dark(PS_SOLID, 0, ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->SelectObject(&light);
        Line(pDC, rect.right, rect.top, rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(&dark);
        Line(pDC, rect.right, rect.top, rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectStockObject(BLACK_PEN); // before the pens go
        rect.DeflateRect(1, 1);
    }
    UINT margin = Margin();
    rect.DeflateRect((int)margin, 0);
    CSize image;
    if (ImageSize(image)) {
        grid->GetImageList()->Draw(pDC, Image(), rect.TopLeft(), ILD_NORMAL);
        rect.left += (int)margin + image.cx + 1;
    }
    if (LPCWSTR t = Text())
        pDC->DrawText(t, -1, &rect, Format() | DT_NOPREFIX | DT_NOCLIP);
    pDC->RestoreDC(saved);
    return TRUE;
}
