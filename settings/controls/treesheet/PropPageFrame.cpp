// CPropPageFrame.
#include "PropPageFrame.h"
#include "Wnd.h"

namespace TreePropSheet
{

CRect CPropPageFrame::GetClientRect()
{
    CRect rect;
    CWnd* wnd = GetWnd();
    if (wnd && wnd->m_hWnd)
        wnd->GetClientRect(&rect);
    return rect;
}

void CPropPageFrame::SafeInvalidateRect(const CRect* pRect)
{
    CWnd* wnd = GetWnd();
    if (wnd && wnd->m_hWnd)
        wnd->InvalidateRect(pRect, TRUE);
}

void CPropPageFrame::ShowCaption(BOOL bEnable)
{
    m_bShowCaption = bEnable;
    SafeInvalidateRect(nullptr);
}

void CPropPageFrame::SetCaptionHeight(int nCaptionHeight)
{
    m_nCaptionHeight = nCaptionHeight;
    SafeInvalidateRect(nullptr);
}

void CPropPageFrame::SetCaption(LPCWSTR lpszCaption, HICON hIcon)
{
    m_strCaption = lpszCaption;
    m_hCaptionIcon = hIcon;
    CRect rect = CalcCaptionRect();
    SafeInvalidateRect(&rect);
}

CString CPropPageFrame::GetCaption(HICON* pIcon) const
{
    if (pIcon)
        *pIcon = m_hCaptionIcon;
    return m_strCaption;
}

void CPropPageFrame::SetMessageText(LPCWSTR lpszMsg)
{
    m_strMsg = lpszMsg;
    CRect rect = CalcMessageRect();
    SafeInvalidateRect(&rect);
}

void CPropPageFrame::SetMessageFormat(DWORD dwFormat)
{
    m_dwMsgFormat = dwFormat;
    CRect rect = CalcMessageRect();
    SafeInvalidateRect(&rect);
}

void CPropPageFrame::Draw(CDC* pDc)
{
    if (m_bShowCaption)
        DrawCaption(pDc, CalcCaptionRect(), m_strCaption, m_hCaptionIcon);
    DrawMessage(pDc, CalcMessageRect(), m_strMsg, m_dwMsgFormat);
}

CRect CPropPageFrame::CalcMessageRect()
{
    CRect rect = GetClientRect();
    if (m_bShowCaption)
        rect.top += m_nCaptionHeight;
    return rect;
}

void CPropPageFrame::DrawMessage(CDC* pDc, CRect rect, LPCWSTR lpszMsg, DWORD dwFormat)
{
    HGDIOBJ oldFont = pDc->SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = pDc->SetBkMode(TRANSPARENT);
    pDc->DrawText(lpszMsg, -1, &rect, dwFormat);
    pDc->SetBkMode(oldMode);
    pDc->SelectObject(oldFont);
}

CRect CPropPageFrame::CalcCaptionRect()
{
    CRect rect = GetClientRect();
    rect.bottom = rect.top + (m_bShowCaption ? m_nCaptionHeight : 0);
    return rect;
}

void CPropPageFrame::DrawCaption(CDC*, CRect, LPCWSTR, HICON)
{
}

} // namespace TreePropSheet
