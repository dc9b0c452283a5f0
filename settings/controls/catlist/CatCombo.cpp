// CCatCombo: headings, the drop-down list's clicks, Space and drawing.
#include "CatCombo.h"

CCatCombo::CCatCombo()
{
    m_list.m_pCombo = this;
}

CCatCombo::~CCatCombo()
{
}

BOOL CCatCombo::IsGroupEntry(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    DWORD_PTR data = GetItemData(nIndex);
    return data != (DWORD_PTR)CB_ERR && (data & GroupEntry) != 0;
}

void CCatCombo::SubclassDropList(HWND hList)
{
    if (!m_list.m_hWnd && hList && hList != m_hWnd)
        m_list.SubclassWindow(hList);
}

void CCatCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    // A dialog's combo measured its entries before it had this object.
    int height = EntryHeight();
    SetItemHeight(-1, height);
    SetItemHeight(0, height);
    COMBOBOXINFO info = { sizeof(info) };
    if (GetComboBoxInfo(&info))
        SubclassDropList(info.hwndList);
}

int CatEntryHeight(HWND hWnd, HFONT hFont)
{
    HDC dc = ::GetDC(hWnd);
    HGDIOBJ old = ::SelectObject(dc, hFont ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(hWnd, dc);
    return tm.tmHeight + tm.tmExternalLeading + 2;
}

int CCatCombo::EntryHeight()
{
    return CatEntryHeight(m_hWnd, GetFont());
}

void CCatCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = EntryHeight();
}

HFONT CCatCombo::HeadingFont()
{
    if (!m_font.m_hObject) {
        LOGFONTW lf = {};
        HFONT font = GetFont();
        ::GetObjectW(font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfWeight = 600;
        lf.lfUnderline = TRUE;
        m_font.CreateFontIndirect(&lf);
    }
    return (HFONT)m_font.m_hObject;
}

void CCatCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    HDC dc = dis.hDC;
    CRect rect(dis.rcItem);
    bool selected = (dis.itemState & ODS_SELECTED) != 0;
    bool group = dis.itemID != (UINT)-1 && (dis.itemData & GroupEntry);
    COLORREF back, text;
    if (group) {
        back = ::GetSysColor(selected ? COLOR_BTNSHADOW : COLOR_BTNFACE);
        text = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT);
    } else {
        back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    ::SetBkColor(dc, back);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    if (dis.itemID == (UINT)-1)
        return;
    CString label;
    GetLBText((int)dis.itemID, label);
    label = L" " + label;
    HGDIOBJ oldFont = ::SelectObject(dc, group ? HeadingFont() : (GetFont() ? GetFont() : (HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    ::SetTextColor(dc, text);
    int mode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, label, label.GetLength(), &rect, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SetBkMode(dc, mode);
    ::SelectObject(dc, oldFont);
    if (!group && selected && (dis.itemState & ODS_FOCUS))
        ::DrawFocusRect(dc, &rect);
}

BOOL CCatCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        // A heading is never the choice: the entry after it is.
        int selection = GetCurSel();
        if (IsGroupEntry(selection) && selection + 1 < GetCount())
            SetCurSel(selection + 1);
        *pResult = 0;
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CCatCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        COMBOBOXINFO info = { sizeof(info) };
        if (GetComboBoxInfo(&info))
            SubclassDropList(info.hwndList);
        return result;
    }
    case WM_CTLCOLORLISTBOX:
        SubclassDropList((HWND)lParam);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            ShowDropDown(FALSE);
            SetCurSel(-1);
            HWND parent = ::GetParent(m_hWnd);
            if (parent)
                ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELENDOK), (LPARAM)m_hWnd);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ')
            return 0;
        break;
    case WM_SETFONT:
        m_font.DeleteObject();
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

LRESULT CCatCombo::CDropList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        DWORD hit = (DWORD)::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0 && m_pCombo && m_pCombo->IsGroupEntry(LOWORD(hit)))
            return 0;
        break;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
