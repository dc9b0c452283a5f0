// COGMemDC.
#include "OGMemDC.h"

COGMemDC::COGMemDC(CDC* pDC, const RECT* pRect) : m_pDC(pDC)
{
    if (pRect)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);
    int technology = pDC->GetDeviceCaps(TECHNOLOGY);
    bool direct = technology == DT_RASPRINTER || technology == DT_METAFILE;
    if (!direct && CreateCompatibleDC(pDC)) {
        CRect device = m_rect;
        ::LPtoDP(pDC->m_hDC, (LPPOINT)&device, 2);
        device.NormalizeRect();
        if (m_bitmap.CreateCompatibleBitmap(pDC, device.Width() > 0 ? device.Width() : 1,
                                            device.Height() > 0 ? device.Height() : 1)) {
            SelectObject(&m_bitmap);
            SetMapMode(pDC->GetMapMode());
            CSize windowExt = pDC->GetWindowExt();
            CSize viewportExt = pDC->GetViewportExt();
            SetWindowExt(windowExt.cx, windowExt.cy);
            SetViewportExt(viewportExt.cx, viewportExt.cy);
            // The rectangle's top left is the bitmap's first pixel.
            SetWindowOrg(m_rect.left, m_rect.top);
            m_bMemDC = TRUE;
        } else {
            DeleteDC();
        }
    }
    if (m_bMemDC)
        FillSolidRect(&m_rect, pDC->GetBkColor());
    else
        Attach(pDC->m_hDC);
}

COGMemDC::~COGMemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        DeleteDC(); // selects the old bitmap back; m_bitmap then goes
    } else {
        Detach();
    }
}
