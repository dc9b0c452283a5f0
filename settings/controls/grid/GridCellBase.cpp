// CGridCellBase: drawing and measuring of a cell.
#include "GridCellBase.h"
#include "GridCtrl.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridDefaultCell* CGridCellBase::DefaultCell() const
{
    CGridCtrl* grid = Grid();
    if (!grid)
        return nullptr;
    return grid->GetDefaultCell(IsFixedRow(), IsFixedColumn());
}

void CGridCellBase::CopyFrom(const CGridCellBase& cell)
{
    SetGrid(cell.Grid());
    SetText(cell.Text());
    SetImage(cell.Image());
    SetUserValue(cell.UserValue());
    SetState(cell.State());
    SetFormat(cell.Format());
    SetTextColour(cell.TextColour());
    SetBackground(cell.Background());
    SetFont(cell.FontRecord());
    SetMargin(cell.Margin());
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW));
    return TRUE;
}

BOOL CGridCellBase::ImageSize(CSize& size) const
{
    CGridCtrl* grid = Grid();
    CImageList* list = grid ? grid->GetImageList() : nullptr;
    IMAGEINFO info = {};
    if (!list || Image() < 0 || !list->GetImageInfo(Image(), &info))
        return FALSE;
    size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    return TRUE;
}

BOOL CGridCellBase::TextRect(LPRECT pRect)
{
    CSize image;
    if (pRect && ImageSize(image))
        pRect->left += image.cx + (int)Margin() + 1;
    return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* grid = Grid();
    if (!grid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridDefaultCell* def = DefaultCell();
    if (!def)
        return FALSE;
    int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF text = TextColour() == CLR_DEFAULT ? def->TextColour() : TextColour();
    COLORREF back = def->Background();
    if (Background() != CLR_DEFAULT) {
        back = Background();
        bEraseBkgnd = TRUE;
    }
    BOOL lines = grid->GetGridLines() != GridLinesNone;

    // rect's right and bottom are the cell's last pixel; fills and frames
    // take the rectangle one pixel wider and taller.
    if (IsFocused() || IsHighlighted()) {
        if (IsSelected()) {
            back = ::GetSysColor(COLOR_HIGHLIGHT);
            text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd)
            pDC->FillSolidRect(&rect, back);
        if (lines) {
            rect.right--;
            rect.bottom--;
        }
        if (grid->GetFrameFocusCell()) {
            CBrush frame(text);
            if (frame.GetSafeHandle())
                pDC->FrameRect(&rect, &frame);
        }
        pDC->SetTextColor(text);
        if (!lines) {
            rect.right--;
            rect.bottom--;
        }
        rect.DeflateRect(1, 1);
    } else if (IsSelected()) {
        rect.right++;
        rect.bottom++;
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_HIGHLIGHT));
        rect.right--;
        rect.bottom--;
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (bEraseBkgnd) {
            rect.right++;
            rect.bottom++;
            pDC->FillSolidRect(&rect, back);
            rect.right--;
            rect.bottom--;
        }
        pDC->SetTextColor(text);
    }

    if (IsFixed() && lines) {
        CCellID focus = grid->GetFocusCell();
        if (grid->GetTrackFocusCell() && grid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            rect.right++;
            rect.bottom++;
            pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
            rect.DeflateRect(1, 1);
        } else {
            CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
            pDC->SelectObject(&light);
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.left, rect.top);
            pDC->LineTo(rect.left, rect.bottom);
            pDC->SelectObject(&dark);
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom);
            pDC->LineTo(rect.left, rect.bottom);
            pDC->SelectStockObject(BLACK_PEN); // before the pens go
            rect.DeflateRect(1, 1);
        }
    }

    if (CFont* font = FontObject())
        pDC->SelectObject(font);
    UINT margin = Margin();
    rect.DeflateRect((int)margin, 0);

    CSize image;
    if (ImageSize(image)) {
        if (rect.Width() + 2 * (int)margin >= image.cx + 1 && rect.Height() + 2 * (int)margin >= image.cy)
            grid->GetImageList()->Draw(pDC, Image(), rect.TopLeft(), ILD_NORMAL);
        rect.left += (int)margin + image.cx + 1;
    }

    if (nRow == 0 && nCol == grid->GetSortColumn())
        DrawSortArrow(pDC, rect, margin);

    if (LPCWSTR t = Text())
        pDC->DrawText(t, -1, &rect, Format() | DT_NOPREFIX);
    pDC->RestoreDC(saved);
    return TRUE;
}

void CGridCellBase::DrawSortArrow(CDC* pDC, CRect& rect, UINT margin)
{
    CGridCtrl* grid = Grid();
    int size = pDC->GetTextExtent(L"M", 1).cy - 4;
    if (size >= rect.Height())
        size = rect.Height() - 4;
    if (size <= 0 || size + rect.left >= rect.right + 2 * (int)margin)
        return;
    const LOGFONTW* lf = FontRecord();
    bool vertical = lf && lf->lfEscapement == 900;
    int left = vertical ? rect.left + (rect.Width() - size) / 2 : rect.right - size;
    int base = rect.bottom - 1;
    int top = base - size;
    CPoint tip, a, b; // the point and the two ends of the base
    if (grid->GetSortAscending()) {
        tip = CPoint(left + size / 2, top);
        a = CPoint(left, base);
        b = CPoint(left + size, base);
    } else {
        tip = CPoint(left + size / 2, base);
        a = CPoint(left, top);
        b = CPoint(left + size, top);
    }
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const POINT outline[4] = { a, tip, b, a };
    pDC->SelectObject(&shadow);
    pDC->Polyline(outline, 4);
    const POINT lower[4] = { { a.x + 1, a.y + 1 }, { tip.x + 1, tip.y + 1 }, { b.x + 1, b.y + 1 }, { a.x + 1, a.y + 1 } };
    pDC->SelectObject(&light);
    pDC->Polyline(lower, 4);
    pDC->SelectStockObject(BLACK_PEN);
    if (!vertical)
        rect.right -= size;
}

CSize CGridCellBase::MeasureText(LPCWSTR pszText, CDC* pDC)
{
    CGridDefaultCell* def = DefaultCell();
    if (!def)
        return CSize(0, 0);
    CGridCtrl* grid = Grid();
    CDC screen;
    HWND hWnd = grid ? grid->GetSafeHwnd() : nullptr;
    if (!pDC) {
        HDC h = ::GetDC(hWnd);
        if (!h)
            return CSize(def->Width(), def->Height());
        screen.Attach(h);
        pDC = &screen;
    }
    HGDIOBJ oldFont = nullptr;
    if (CFont* font = FontObject())
        oldFont = ::SelectObject(pDC->m_hDC, font->m_hObject);

    CString text(pszText ? pszText : L"");
    CSize size;
    DWORD format = Format();
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
        int widest = 0;
        int start = 0;
        while (start <= text.GetLength()) {
            int end = text.Find(L'\n', start);
            if (end < 0)
                end = text.GetLength();
            CSize line = pDC->GetTextExtent((LPCWSTR)text + start, end - start);
            if (line.cx > widest)
                widest = line.cx;
            start = end + 1;
        }
        CRect r(0, 0, widest, 0);
        size.cx = widest;
        size.cy = pDC->DrawText(text, &r, format | DT_CALCRECT | DT_NOPREFIX);
    } else {
        size = pDC->GetTextExtent(text);
    }
    TEXTMETRICW tm = {};
    pDC->GetTextMetrics(&tm);
    int margin = (int)Margin();
    size.cx += tm.tmOverhang + 4 * margin;
    size.cy += 2 * margin;

    const LOGFONTW* lf = FontRecord();
    if (lf && (lf->lfEscapement == 900 || lf->lfEscapement == -900)) {
        size = CSize(size.cy, size.cx);
        size.cy += 4 * margin;
    }
    if (oldFont)
        ::SelectObject(pDC->m_hDC, oldFont);
    if (screen.m_hDC)
        ::ReleaseDC(hWnd, screen.Detach());
    return size;
}

CSize CGridCellBase::MeasureCell(CDC* pDC)
{
    CSize size = MeasureText(Text(), pDC);
    CSize image;
    if (ImageSize(image)) {
        size.cx += image.cx + 1;
        if (image.cy > size.cy)
            size.cy = image.cy;
    }
    return size;
}
