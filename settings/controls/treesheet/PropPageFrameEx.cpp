// CPropPageFrameEx.
#include "PropPageFrameEx.h"
#include "OGMemDC.h"
#include "ThisModule.h"

namespace TreePropSheet
{

namespace {

const WCHAR kFrameClass[] = L"PropPageFrameEx";
const int kTabPane = 9; // TABP_PANE of the "Tab" theme class

BOOL RegisterFrameClass()
{
    WNDCLASSEXW wc = { sizeof(wc) };
    HINSTANCE hInst = ThisModule();
    if (::GetClassInfoExW(hInst, kFrameClass, &wc))
        return TRUE;
    wc = { sizeof(wc) };
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    return ::RegisterClassExW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

BOOL CPropPageFrameEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pwndParent, UINT nID)
{
    if (!RegisterFrameClass())
        return FALSE;
    return CWnd::CreateEx(0, kFrameClass, L"", dwStyle, rect, pwndParent, nID);
}

LRESULT CPropPageFrameEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint(wParam, lParam);
    case WM_PRINTCLIENT:
        return OnPrintClient(wParam, lParam);
    case WM_ERASEBKGND:
        return TRUE; // the painting covers everything
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CPropPageFrameEx::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    CRect client;
    CWnd::GetClientRect(&client);
    COGMemDC memDc(&dc, &client);
    DrawBackground(&memDc);
    Draw(&memDc);
    return 0;
}

LRESULT CPropPageFrameEx::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    if (!dc.Attach((HDC)wParam))
        return 0;
    DrawBackground(&dc);
    Draw(&dc);
    dc.Detach();
    return 0;
}

void CPropPageFrameEx::DrawBackground(CDC* pDc)
{
    CRect client;
    CWnd::GetClientRect(&client);
    if (IsThemed()) {
        HTHEME theme = m_themeLib.OpenThemeData(m_hWnd, L"Tab");
        if (theme) {
            m_themeLib.DrawThemeBackground(theme, pDc->m_hDC, kTabPane, 0, &client, nullptr);
            m_themeLib.CloseThemeData(theme);
            return;
        }
    }
    pDc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}

CRect CPropPageFrameEx::ThemeContentRect()
{
    CRect client;
    CWnd::GetClientRect(&client);
    CRect content = client;
    HTHEME theme = m_themeLib.OpenThemeData(m_hWnd, L"Tab");
    if (theme) {
        HDC dc = ::GetDC(m_hWnd);
        if (FAILED(m_themeLib.GetThemeBackgroundContentRect(theme, dc, kTabPane, 0, &client, &content)))
            content = client;
        ::ReleaseDC(m_hWnd, dc);
        m_themeLib.CloseThemeData(theme);
    }
    return content;
}

CRect CPropPageFrameEx::CalcMessageRect()
{
    CRect client;
    CWnd::GetClientRect(&client);
    CRect rect = IsThemed() ? ThemeContentRect() : client;
    if (GetShowCaption())
        rect.top = client.top + GetCaptionHeight() + 1;
    return rect;
}

CRect CPropPageFrameEx::CalcCaptionRect()
{
    if (!IsThemed())
        return CPropPageFrame::CalcCaptionRect();
    CRect client;
    CWnd::GetClientRect(&client);
    CRect rect = ThemeContentRect();
    rect.bottom = GetShowCaption() ? client.top + GetCaptionHeight() : rect.top;
    return rect;
}

void CPropPageFrameEx::SetCaption(LPCWSTR lpszCaption, HICON hIcon)
{
    // The frame keeps its own copy of the icon in a one-image list.
    m_images.DeleteImageList();
    ICONINFO ii;
    if (hIcon && ::GetIconInfo(hIcon, &ii)) {
        BITMAP bm = {};
        ::GetObjectW(ii.hbmMask, sizeof(bm), &bm);
        if (ii.hbmMask)
            ::DeleteObject(ii.hbmMask);
        if (ii.hbmColor)
            ::DeleteObject(ii.hbmColor);
        // A monochrome icon's mask holds the image and the mask, one above the other.
        int cy = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (bm.bmWidth > 0 && cy > 0 && m_images.Create(bm.bmWidth, cy, ILC_COLOR32 | ILC_MASK, 0, 1) &&
            m_images.Add(hIcon) < 0)
            m_images.DeleteImageList();
    }
    CPropPageFrame::SetCaption(lpszCaption, hIcon);
}

void CPropPageFrameEx::DrawCaption(CDC* pDc, CRect rect, LPCWSTR lpszCaption, HICON hIcon)
{
    if (rect.IsRectEmpty())
        return;
    COLORREF left = ::GetSysColor(COLOR_INACTIVECAPTION);
    COLORREF right = pDc->GetPixel(rect.right - 1, rect.top);
    if (right == CLR_INVALID)
        right = ::GetSysColor(COLOR_BTNFACE);
    FillGradientRectH(pDc, rect, left, right);

    CRect text = rect;
    if (hIcon && m_images.m_hImageList && m_images.GetImageCount() == 1) {
        int cx = 0, cy = 0;
        m_images.GetIconSize(&cx, &cy);
        CPoint pt(8, rect.top + (rect.Height() - cy) / 2);
        m_images.Draw(pDc, 0, pt, ILD_TRANSPARENT);
        text.left += cx + 8;
    }
    text.left += 2;
    COLORREF oldColor = pDc->SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT));
    int oldMode = pDc->SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = pDc->SelectObject(::GetStockObject(SYSTEM_FONT));
    pDc->DrawText(lpszCaption, -1, &text, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDc->SelectObject(oldFont);
    pDc->SetBkMode(oldMode);
    pDc->SetTextColor(oldColor);
}

void CPropPageFrameEx::FillGradientRectH(CDC* pDc, const RECT& rect, COLORREF clrLeft, COLORREF clrRight)
{
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = (COLOR16)(GetRValue(clrLeft) << 8);
    v[0].Green = (COLOR16)(GetGValue(clrLeft) << 8);
    v[0].Blue = (COLOR16)(GetBValue(clrLeft) << 8);
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = (COLOR16)(GetRValue(clrRight) << 8);
    v[1].Green = (COLOR16)(GetGValue(clrRight) << 8);
    v[1].Blue = (COLOR16)(GetBValue(clrRight) << 8);
    GRADIENT_RECT r = { 0, 1 };
    pDc->GradientFill(v, 2, &r, 1, GRADIENT_FILL_RECT_H);
}

} // namespace TreePropSheet
