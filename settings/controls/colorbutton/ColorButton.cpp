#include "ColorButton.h"

IMPLEMENT_DYNCREATE(CColorButton, CButton)

CColorButton::CColorButton()
    : m_defaultColor(::GetSysColor(COLOR_APPWORKSPACE)), m_defaultText(L"Automatic"),
      m_customText(L"More Colors...")
{
}

void CColorButton::SetColor(COLORREF color)
{
    m_color = color;
    Repaint();
}

void CColorButton::SetDefaultColor(COLORREF color)
{
    m_defaultColor = color;
    Repaint();
}

void CColorButton::SetNoColorText(LPCWSTR text)
{
    m_automatic = false;
    m_defaultText = text ? text : L"No Color";
}

void CColorButton::Repaint()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

void CColorButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    DWORD style = (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (LONG_PTR)((style & ~(DWORD)BS_TYPEMASK) | BS_OWNERDRAW));
}

BOOL CColorButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        OnClicked();
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WMU_COLOR_SELENDOK:
        return OnSelEndOk((COLORREF)wParam);
    case WMU_COLOR_SELENDCANCEL:
        return OnSelEndCancel((COLORREF)wParam);
    case WMU_COLOR_SELCHANGE:
        return OnSelChange((COLORREF)wParam);
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CColorButton::OnClicked()
{
    CRect rect;
    GetWindowRect(&rect);
    m_popupOpen = true;
    CColourPopup* popup = new CColourPopup;
    if (!popup->Create(m_color, m_hWnd, m_defaultText, m_customText, rect.left, rect.bottom)) {
        // Not drawn pressed for a popup that never came.
        delete popup;
        m_popupOpen = false;
        return;
    }
    Repaint();
    NotifyParent(WMU_COLOR_DROPDOWN, m_color);
}

LRESULT CColorButton::OnSelEndOk(COLORREF color)
{
    COLORREF before = m_color;
    m_popupOpen = false;
    m_color = color;
    Repaint();
    NotifyParent(WMU_COLOR_CLOSEUP, color);
    NotifyParent(WMU_COLOR_SELENDOK, color);
    if (color != before)
        NotifyParent(WMU_COLOR_SELCHANGE, color);
    return 0;
}

LRESULT CColorButton::OnSelEndCancel(COLORREF color)
{
    m_popupOpen = false;
    m_color = color;
    Repaint();
    NotifyParent(WMU_COLOR_CLOSEUP, color);
    NotifyParent(WMU_COLOR_SELENDCANCEL, color);
    return 0;
}

LRESULT CColorButton::OnSelChange(COLORREF color)
{
    if (m_trackSelection && m_popupOpen) {
        m_color = color;
        Repaint();
        NotifyParent(WMU_COLOR_SELCHANGE, color);
    }
    return 0;
}

void CColorButton::NotifyParent(UINT message, COLORREF color)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent)
        ::SendMessageW(parent, message, (WPARAM)color, (LPARAM)GetDlgCtrlID());
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct)
        return;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    int saved = ::SaveDC(dc.m_hDC);
    UINT state = lpDrawItemStruct->itemState;
    bool pressed = m_popupOpen || (state & ODS_SELECTED);
    bool focused = m_popupOpen || (state & ODS_FOCUS);
    bool disabled = (state & ODS_DISABLED) != 0;

    CRect rect(lpDrawItemStruct->rcItem);
    dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0) |
                                               (disabled ? DFCS_INACTIVE : 0));
    if (pressed)
        rect.OffsetRect(1, 1);
    if (focused) {
        CRect focus = rect;
        focus.DeflateRect(1, 1);
        dc.DrawFocusRect(&focus);
    }
    int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
    rect.DeflateRect(edgeX, edgeY);

    // The arrow: 4 pixels wide and 2 high, at the right, vertically centred.
    const int arrowWidth = 4, arrowHeight = 2;
    int arrowLeft = rect.right - arrowWidth - edgeX;
    int arrowTop = (rect.top + rect.bottom - arrowHeight) / 2;
    POINT arrow[3] = {{arrowLeft, arrowTop}, {arrowLeft + arrowWidth, arrowTop},
                      {arrowLeft + arrowWidth / 2, arrowTop + arrowHeight}};
    COLORREF arrowColor = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    CBrush arrowBrush(arrowColor);
    CPen arrowPen;
    arrowPen.CreatePen(PS_SOLID, 1, arrowColor);
    HGDIOBJ oldBrush = dc.SelectObject(&arrowBrush);
    HGDIOBJ oldPen = dc.SelectObject(&arrowPen);
    dc.Polygon(arrow, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    // The etched separator left of the arrow, then the swatch.
    CRect separator(rect.left, rect.top, arrowLeft - edgeX, rect.bottom);
    dc.DrawEdge(&separator, EDGE_ETCHED, BF_RIGHT);
    CRect swatch(rect.left, rect.top, separator.right - 2 * edgeX - 1, rect.bottom);
    if (!disabled && swatch.right > swatch.left && swatch.bottom > swatch.top)
        DrawSwatch(&dc, swatch);

    ::RestoreDC(dc.m_hDC, saved);
    dc.Detach();
}

void CColorButton::DrawSwatch(CDC* dc, const CRect& rect)
{
    CBrush fill;
    if (m_color == (COLORREF)-1 || (m_color == PopupColorAutomatic && !m_automatic)) {
        fill.CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
        ::SetBkMode(dc->m_hDC, OPAQUE);
        ::SetBkColor(dc->m_hDC, ::GetSysColor(COLOR_BTNFACE));
    } else {
        fill.CreateSolidBrush(m_color == PopupColorAutomatic ? m_defaultColor : m_color);
    }
    dc->FillRect(&rect, &fill);
    CBrush frame(RGB(0, 0, 0));
    dc->FrameRect(&rect, &frame);
}
