// CPrintInfo: what a print job tells the object it prints and hears back
// from it: the page range, the page being printed and the rectangle a
// part of the page is drawn into.
#pragma once

#include <windows.h>
#include "Geometry.h"

class CPrintInfo
{
public:
    UINT GetMinPage() const { return m_minPage; }
    void SetMinPage(UINT nMinPage) { m_minPage = nMinPage; }
    UINT GetMaxPage() const { return m_maxPage; }
    void SetMaxPage(UINT nMaxPage) { m_maxPage = nMaxPage; }

    UINT m_nCurPage = 1;
    // The area of the page being drawn, in the printer DC's logical units.
    CRect m_rectDraw;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = 0xFFFF;
};
