// Painting of the folder tabs: the control paints itself into a memory
// bitmap, the engine adds each tab's colour, icon and lock mark, and the
// bitmap goes to the screen. The strip right of the path window stays the host's.
#include "MyTabs.h"
#include <commctrl.h>
#include "AlphaMask.h"
#include "EngineContext.h"
#include "EngineSettings.h"

namespace {

// The tab control's default horizontal padding left of an icon.
const int TabIconPadding = 6;

} // namespace

CRect CMyTabs::HostArea() const
{
    HWND path = PathWindow();
    if (!path || !m_hWnd)
        return CRect();
    CRect area;
    ::GetWindowRect(path, &area);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&area, 2);
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    CRect strip(area.right, area.top, client.right, area.bottom);
    strip.IntersectRect(&strip, &client);
    return strip;
}

LRESULT CMyTabs::OnPaint()
{
    CRect host = HostArea();
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(m_hWnd, update, FALSE);
    HRGN own = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(own, update, nullptr, RGN_COPY);
    if (!host.IsRectEmpty()) {
        HRGN hostRgn = CreateRectRgnIndirect(&host);
        CombineRgn(own, own, hostRgn, RGN_DIFF);
        DeleteObject(hostRgn);
    }
    RECT box;
    if (GetRgnBox(own, &box) != NULLREGION) {
        HDC dc = ::GetDC(m_hWnd);
        SelectClipRgn(dc, own);
        PaintTabs(dc);
        ::ReleaseDC(m_hWnd, dc);
        ::ValidateRgn(m_hWnd, own);
    }
    DeleteObject(own);
    DeleteObject(update);
    // What is left of the update region is the host's strip: the host paints it.
    if (::GetUpdateRect(m_hWnd, nullptr, FALSE))
        return Default();
    return 0;
}

void CMyTabs::PaintTabs(HDC target)
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    if (client.IsRectEmpty())
        return;
    // The bitmap is kept while the control keeps its size.
    if (!m_paintDc.GetSafeHdc() || m_paintSize != client.Size()) {
        m_paintDc.DeleteDC();
        m_paintBitmap.DeleteObject();
        void* bits = nullptr;
        if (!m_paintDc.CreateCompatibleDC(nullptr) || !m_paintBitmap.CreateDIB32(client.Width(), client.Height(), &bits))
            return;
        m_paintDc.SelectObject(&m_paintBitmap);
        m_paintSize = client.Size();
    }
    CDC& dc = m_paintDc;
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    ::SendMessageW(m_hWnd, WM_PRINTCLIENT, (WPARAM)dc.GetSafeHdc(), PRF_CLIENT);
    if (!m_insertGuard) {
        int current = CurrentTab();
        for (int i = TabCount() - 1; i >= 0; --i)
            PaintExtras(dc, i, current);
    }
    ::BitBlt(target, 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
}

CPoint CMyTabs::IconSpot(const CRect& tab) const
{
    // The control's hit test may tell the icon apart; where it answers for
    // the whole tab (as Wine's does) the icon sits at the padding.
    int middle = (tab.top + tab.bottom) / 2;
    TCHITTESTINFO probe = {{tab.left + TabIconPadding + 8, middle}, 0};
    TabCtrl_HitTest(m_hWnd, &probe);
    int left = -1, right = -1;
    if (probe.flags == TCHT_ONITEMICON) {
        for (int x = tab.left; x < tab.right; ++x) {
            TCHITTESTINFO hit = {{x, middle}, 0};
            if (TabCtrl_HitTest(m_hWnd, &hit) >= 0 && hit.flags == TCHT_ONITEMICON) {
                if (left < 0)
                    left = x;
                right = x + 1;
            }
        }
    }
    CPoint spot(tab.left + TabIconPadding, tab.top + (tab.Height() - 16) / 2);
    if (left >= 0 && right - left < tab.Width())
        spot.x = left + (right - left - 16) / 2;
    return spot;
}

void CMyTabs::PaintExtras(CDC& dc, int index, int current)
{
    CRect tab;
    if (!TabCtrl_GetItemRect(m_hWnd, index, &tab))
        return;
    const EngineSettings& settings = m_engine.Settings();
    const CTabInfo& info = m_tabs[index];
    COLORREF colour = info.colour;
    if (index == current && settings.EnableATC && settings.ActiveTabColor != TabNoColor) {
        if (!settings.ColorPriority || colour == TabNoColor)
            colour = settings.ActiveTabColor;
    }
    if (colour != TabNoColor) {
        AlphaMask mask;
        if (mask.Build(&dc, &tab, colour & 0xFFFFFF, 100, 1))
            mask.Draw(&dc, tab.TopLeft());
    }
    if (info.icon) {
        CPoint spot = IconSpot(tab);
        dc.DrawIconEx(spot.x, spot.y, info.icon, 16, 16);
    }
    if (settings.MarkLockedTabs && (info.lockState == 2 || info.lockState == 3)) {
        COLORREF mark = info.lockState == 2 ? settings.LockedTabColor : settings.LockedDCATabColor;
        CRect bar;
        switch (settings.LockedTabMark) {
        case 1:
            bar.SetRect(tab.right - 2 - 3, tab.top + 2, tab.right - 2, tab.bottom - 2);
            break;
        case 2:
            bar.SetRect(tab.left + 3, tab.bottom - 3 - 2, tab.right - 3, tab.bottom - 3);
            break;
        default:
            bar.SetRect(tab.left + 2, tab.top + 2, tab.left + 2 + 3, tab.bottom - 2);
            break;
        }
        dc.FillSolidRect(&bar, mark);
    }
}
