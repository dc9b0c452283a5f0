#include "ColorGradient.h"
#include "Framework.h"

namespace {

int BandChannel(int from, int to, int band)
{
    return (int)((float)from + (float)(to - from) * (float)band / 255.0f);
}

} // namespace

void BandFill(CDC* pDC, LPCRECT rect, COLORREF c1, COLORREF c2, BOOL vertical)
{
    if (!pDC || !rect)
        return;
    int origin = vertical ? rect->top : rect->left;
    int extent = vertical ? rect->bottom - rect->top : rect->right - rect->left;
    if (extent <= 0 || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    float step = (float)extent / 255.0f;
    for (int band = 0; band < 255; ++band) {
        int from = (int)((float)band * step);
        int to = band == 254 ? extent : (int)((float)(band + 1) * step);
        if (to <= from)
            continue;
        COLORREF color = RGB(BandChannel(GetRValue(c1), GetRValue(c2), band),
                             BandChannel(GetGValue(c1), GetGValue(c2), band),
                             BandChannel(GetBValue(c1), GetBValue(c2), band));
        CRect part(*rect);
        if (vertical) {
            part.top = origin + from;
            part.bottom = origin + to;
        } else {
            part.left = origin + from;
            part.right = origin + to;
        }
        pDC->FillSolidRect(&part, color);
    }
}

void FillGradient(CDC* pDC, LPCRECT rect, COLORREF c1, COLORREF c2, int style)
{
    if (!rect)
        return;
    switch (style) {
    case 1:
        BandFill(pDC, rect, c1, c2, FALSE);
        break;
    case 2:
        BandFill(pDC, rect, c1, c2, TRUE);
        break;
    case 3: {
        int mid = rect->bottom - (rect->bottom - rect->top) / 2;
        CRect upper(rect->left, rect->top, rect->right, mid);
        CRect lower(rect->left, mid, rect->right, rect->bottom);
        BandFill(pDC, &upper, c1, c2, TRUE);
        BandFill(pDC, &lower, c2, c1, TRUE);
        break;
    }
    default:
        break;
    }
}
