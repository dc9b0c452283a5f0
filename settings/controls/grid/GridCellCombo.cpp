// CGridCellCombo: options, drawing and measuring.
#include "GridCellCombo.h"
#include "GridCtrl.h"
#include "GridTexts.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

CGridCellCombo::CGridCellCombo()
{
    SetOptionList();
}

void CGridCellCombo::SetOptionList(const GridTextLoader& loader)
{
    m_options.RemoveAll();
    for (UINT id : { TextCanContain, TextMustContain, TextNotContains })
        m_options.Add(loader ? loader(id) : GridDefaultText(id));
}

BOOL CGridCellCombo::SelectOption(int nIndex)
{
    if (nIndex == -1) {
        SetText(L"");
        SetUserValue(-1);
        return TRUE;
    }
    if (nIndex < 0 || nIndex >= m_options.GetSize())
        return FALSE;
    SetText(m_options[nIndex]);
    SetUserValue(nIndex);
    return TRUE;
}

BOOL CGridCellCombo::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* grid = Grid();
    int buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    int buttonHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    if (grid && pDC && grid->IsEditable() && !IsReadOnly() && !IsEditing() && rect.Width() > buttonHeight &&
        rect.Height() > buttonHeight) {
        CRect button(rect.right - buttonWidth, rect.top, rect.right, rect.top + buttonHeight);
        pDC->DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN);
        rect.right = button.left;
    }
    if (!IsEditing())
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    // The editor covers the cell: draw it without its text.
    CString text = m_text;
    m_text.Empty();
    BOOL drawn = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    m_text = text;
    return drawn;
}

CSize CGridCellCombo::MeasureText(LPCWSTR pszText, CDC* pDC)
{
    // The height is the text's; the width fits the widest option with the
    // cell's margins and the drop-down button, so a fitted column shows it whole.
    CSize size = CGridCell::MeasureText(pszText, pDC);
    CGridCtrl* grid = Grid();
    HWND hWnd = grid ? grid->GetSafeHwnd() : nullptr;
    HDC hdc = pDC ? pDC->m_hDC : ::GetDC(hWnd);
    if (!hdc)
        return size;
    CFont* font = FontObject();
    HGDIOBJ old = font ? ::SelectObject(hdc, font->m_hObject) : nullptr;
    int widest = -1;
    int textWidth = 0;
    for (INT_PTR i = 0; i < m_options.GetSize(); ++i) {
        SIZE s = {};
        ::GetTextExtentPoint32W(hdc, m_options[i], m_options[i].GetLength(), &s);
        if (s.cx > textWidth || widest < 0) {
            textWidth = s.cx;
            widest = (int)i;
        }
    }
    if (old)
        ::SelectObject(hdc, old);
    if (!pDC)
        ::ReleaseDC(hWnd, hdc);
    int width = widest < 0 ? 0 : CGridCell::MeasureText(m_options[widest], pDC).cx;
    size.cx = width + ::GetSystemMetrics(SM_CXVSCROLL);
    if (size.cx > 200)
        size.cx = 200;
    return size;
}
