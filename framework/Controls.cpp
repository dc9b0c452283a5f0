// Standard control wrappers: text reads and owner-draw reflection.
#include "Controls.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(COwnerDrawList, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, COwnerDrawList)
IMPLEMENT_DYNAMIC(CListBox, COwnerDrawList)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

// Reads an item text of nLength characters with the control's get message.
void ReadItemText(HWND hWnd, UINT msgGet, int nIndex, int nLength, CString& rString)
{
    if (nLength <= 0) {
        rString.Empty();
        return;
    }
    LPWSTR buf = rString.GetBufferSetLength(nLength + 1);
    int got = (int)::SendMessageW(hWnd, msgGet, nIndex, (LPARAM)buf);
    rString.ReleaseBuffer(got > 0 && got <= nLength ? got : 0);
}

// Runs a reflected owner-draw message through the four virtuals of a list
// or combo box; *baseCalled tells that the class left it to the parent.
template <class T>
BOOL ReflectOwnerDraw(T* p, bool& baseCalled, UINT message, LPARAM lParam, LRESULT* pResult)
{
    baseCalled = false;
    switch (message) {
    case WM_DRAWITEM:
        p->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        break;
    case WM_MEASUREITEM:
        p->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *pResult = TRUE;
        break;
    case WM_COMPAREITEM:
        *pResult = p->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        p->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        *pResult = TRUE;
        break;
    default:
        return FALSE;
    }
    return !baseCalled;
}

} // namespace

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    m_bBaseOwnerDraw = false;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return !m_bBaseOwnerDraw;
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void COwnerDrawList::DrawItem(LPDRAWITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

void COwnerDrawList::MeasureItem(LPMEASUREITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

int COwnerDrawList::CompareItem(LPCOMPAREITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
    return 0;
}

void COwnerDrawList::DeleteItem(LPDELETEITEMSTRUCT)
{
    m_bBaseOwnerDraw = true;
}

BOOL COwnerDrawList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(this, m_bBaseOwnerDraw, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    ReadItemText(m_hWnd, CB_GETLBTEXT, nIndex, GetLBTextLen(nIndex), rString);
}


void CListBox::GetText(int nIndex, CString& rString) const
{
    ReadItemText(m_hWnd, LB_GETTEXT, nIndex, GetTextLen(nIndex), rString);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD r = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}

