// CCatList: rows, filter, drawing and tooltips.
#include "CatList.h"
#include "CatCombo.h"
#include "Dc.h"
#include <vector>

namespace {

const int kHotkeyFlags = RowOwnKey | RowDefaultKey | RowHostKey;
const int kRowMarked = 0x04;
const UINT_PTR kToolId = 1;

CString Upper(const CString& text)
{
    CString upper(text);
    upper.MakeUpper();
    return upper;
}

// Background and text colour of an entry.
void EntryColours(int nFlags, bool disabled, bool selected, COLORREF& back, COLORREF& text)
{
    bool group = (nFlags & RowGroup) != 0;
    bool hotkey = (nFlags & kHotkeyFlags) != 0;
    bool marked = (nFlags & kRowMarked) != 0;
    if (disabled) {
        back = ::GetSysColor(group ? COLOR_BTNSHADOW : COLOR_BTNFACE);
        text = ::GetSysColor(group ? COLOR_HIGHLIGHTTEXT : COLOR_BTNSHADOW);
    } else if (selected) {
        back = ::GetSysColor(group ? COLOR_BTNSHADOW : COLOR_HIGHLIGHT);
        if (group)
            text = hotkey ? RGB(128, 0, 0) : ::GetSysColor(COLOR_BTNHIGHLIGHT);
        else
            text = hotkey ? RGB(196, 255, 255) : ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (group) {
        back = ::GetSysColor(COLOR_BTNFACE);
        text = marked ? RGB(96, 32, 0) : hotkey ? RGB(128, 0, 0) : ::GetSysColor(COLOR_WINDOWTEXT);
    } else {
        back = ::GetSysColor(COLOR_WINDOW);
        if (marked)
            text = ::GetSysColor(COLOR_BTNSHADOW);
        else if (nFlags & RowOwnKey)
            text = RGB(128, 0, 0);
        else if (nFlags & RowHostKey)
            text = RGB(0, 64, 0);
        else if (nFlags & RowDefaultKey)
            text = RGB(128, 0, 128);
        else
            text = ::GetSysColor(COLOR_WINDOWTEXT);
    }
}

void VerticalLine(HDC hDC, int x, int top, int bottom)
{
    RECT line = { x, top, x + 1, bottom };
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
}

} // namespace

CCatList::CCatList()
{
}

CCatList::~CCatList()
{
}

void CCatList::SetCommandList(CCommandList* pList)
{
    m_pList = pList;
    m_bWidthPending = TRUE;
}

int CCatList::AddItem(int nFlags, LPCWSTR lpszName, LPCWSTR lpszNumber, LPCWSTR lpszDescription)
{
    if (!m_pList)
        return -1;
    m_bWidthPending = TRUE;
    return m_pList->AddRow(lpszName, lpszNumber, lpszDescription, nFlags);
}

int CCatList::AddItemText(LPCWSTR lpszText, int nFlags)
{
    if (!m_pList)
        return -1;
    m_bWidthPending = TRUE;
    return m_pList->ParseAndAdd(lpszText, nFlags);
}

int CCatList::RemoveGroup(int nRow)
{
    if (!m_pList || nRow < 0 || nRow >= m_pList->GetCount())
        return 0;
    int end = nRow + 1;
    while (end < m_pList->GetCount() && !(m_pList->GetAt(end).nFlags & RowGroup))
        ++end;
    m_pList->RemoveRows(nRow, end - nRow);
    m_bWidthPending = TRUE;
    return end - nRow;
}

const _CLItem* CCatList::ItemAt(int nRow) const
{
    return (m_pList && nRow >= 0 && nRow < m_pList->GetCount()) ? &m_pList->GetAt(nRow) : nullptr;
}

int CCatList::SelectedRow(int nIndex) const
{
    if (!m_hWnd)
        return -1;
    if (nIndex < 0)
        nIndex = GetCurSel();
    if (nIndex < 0 || nIndex >= GetCount())
        return -1;
    int row = (int)GetItemData(nIndex);
    // Item data 0 means "no row": the list's first row is a heading.
    return (row > 0 && ItemAt(row)) ? row : -1;
}

const _CLItem* CCatList::SelectedItem(int nIndex) const
{
    return ItemAt(SelectedRow(nIndex));
}

int CCatList::FindItem(LPCWSTR lpszText, BOOL bExact) const
{
    if (!m_pList)
        return -1;
    CString wanted = Upper(lpszText);
    for (int i = m_pList->GetCount() - 1; i >= 0; --i) {
        CString name = Upper(m_pList->GetAt(i).strName);
        if (bExact ? name == wanted : name.Find(wanted) >= 0)
            return i;
    }
    return -1;
}

int CCatList::FindItemByExtra(LPCWSTR lpszText) const
{
    for (int i = m_pList ? m_pList->GetCount() - 1 : -1; i >= 0; --i) {
        if (m_pList->GetAt(i).strExtra.CompareNoCase(lpszText) == 0)
            return i;
    }
    return -1;
}

int CCatList::FindGroupRow(int nRow) const
{
    if (!ItemAt(nRow))
        return -1;
    for (int i = nRow; i >= 0; --i) {
        if (m_pList->GetAt(i).nFlags & RowGroup)
            return i;
    }
    return -1;
}

int CCatList::FindEntry(int nRow) const
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if ((int)GetItemData(i) == nRow)
            return i;
    }
    return -1;
}

BOOL CCatList::PassesUpper(DWORD dwMask, const CString& upperFilter, int nModifierMask, int nRow, BOOL bModifiers)
{
    const _CLItem& row = m_pList->GetAt(nRow);
    DWORD bits = dwMask & 0x7FFFFFFF;
    if (bits) {
        bool any = (row.nFlags & bits) != 0;
        if ((dwMask & 0x80000000) ? any : !any)
            return FALSE;
    }
    if (bModifiers) {
        HWND parent = ::GetParent(m_hWnd);
        return parent && ::SendMessageW(parent, WMU_CATLIST_MATCHKEYS, (WPARAM)&row, nModifierMask) != 0;
    }
    if (upperFilter.IsEmpty())
        return TRUE;
    return Upper(row.strName).Find(upperFilter) >= 0 || Upper(row.strDescription).Find(upperFilter) >= 0 ||
           Upper(row.strNumber).Find(upperFilter) >= 0;
}

namespace {

int ModifierMask(const CString& upperFilter)
{
    int mask = 0;
    if (upperFilter.Find(L'W') >= 0)
        mask |= 1;
    if (upperFilter.Find(L'C') >= 0)
        mask |= 2;
    if (upperFilter.Find(L'A') >= 0)
        mask |= 4;
    if (upperFilter.Find(L'S') >= 0)
        mask |= 8;
    return mask;
}

} // namespace

BOOL CCatList::RowPassesFilter(DWORD dwMask, LPCWSTR lpszFilter, int nRow, BOOL bModifiers)
{
    if (!ItemAt(nRow))
        return FALSE;
    CString upper = Upper(lpszFilter);
    return PassesUpper(dwMask, upper, ModifierMask(upper), nRow, bModifiers);
}

int CCatList::FillFiltered(LPCWSTR lpszFilter, DWORD dwMask, BOOL bModifiers, BOOL bHideEmptyGroups)
{
    if (!m_hWnd)
        return -1;
    int selection = GetCurSel();
    DWORD_PTR remembered = selection >= 0 ? GetItemData(selection) : (DWORD_PTR)-1;
    SetRedraw(FALSE);
    ResetContent();
    CString upper = Upper(lpszFilter);
    int modifiers = ModifierMask(upper);
    int heldGroup = -1;
    int count = m_pList ? m_pList->GetCount() : 0;
    auto add = [this](int row) {
        int entry = AddString(L"");
        if (entry >= 0)
            SetItemData(entry, (DWORD_PTR)row);
    };
    for (int row = 0; row < count; ++row) {
        if (m_pList->GetAt(row).nFlags & RowGroup) {
            if (bHideEmptyGroups)
                heldGroup = row;
            else
                add(row);
            continue;
        }
        if (!PassesUpper(dwMask, upper, modifiers, row, bModifiers))
            continue;
        if (heldGroup >= 0) {
            add(heldGroup);
            heldGroup = -1;
        }
        add(row);
    }
    int select = -1;
    for (int i = GetCount() - 1; i >= 0 && remembered != (DWORD_PTR)-1; --i) {
        if (GetItemData(i) == remembered) {
            select = i;
            break;
        }
    }
    SetCurSel(select);
    SetRedraw(TRUE);
    Invalidate();
    return select;
}

int CCatList::EntryHeight()
{
    return CatEntryHeight(m_hWnd, GetFont());
}

void CCatList::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A dialog's list measured its entries before it had this object.
    SetItemHeight(0, EntryHeight());
}

void CCatList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = EntryHeight();
}

void CCatList::MeasureNameColumn(HDC hDC)
{
    int widest = 0;
    for (int i = m_pList ? m_pList->GetCount() - 1 : -1; i >= 0; --i) {
        const _CLItem& row = m_pList->GetAt(i);
        if (row.nFlags & RowGroup)
            continue;
        SIZE size = {};
        ::GetTextExtentPoint32W(hDC, row.strName, row.strName.GetLength(), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    SIZE w = {};
    ::GetTextExtentPoint32W(hDC, L"W", 1, &w);
    m_nNameWidth = widest + w.cx;
    m_bWidthPending = FALSE;
}

HFONT CCatList::BoldFont()
{
    if (!m_boldFont.m_hObject) {
        LOGFONTW lf = {};
        HFONT font = GetFont();
        ::GetObjectW(font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfWeight = 600;
        m_boldFont.CreateFontIndirect(&lf);
    }
    return (HFONT)m_boldFont.m_hObject;
}

void CCatList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    if (dis.itemID == (UINT)-1 || !m_pList)
        return;
    int row = (int)dis.itemData;
    if (row < 0 || row >= m_pList->GetCount())
        return;
    const _CLItem& item = m_pList->GetAt(row);
    HDC dc = dis.hDC;
    HGDIOBJ oldFont = ::SelectObject(dc, GetFont() ? (HGDIOBJ)GetFont() : ::GetStockObject(DEFAULT_GUI_FONT));
    if (m_bWidthPending)
        MeasureNameColumn(dc);

    bool selected = (dis.itemState & ODS_SELECTED) != 0;
    bool disabled = !IsWindowEnabled() || (dis.itemState & ODS_DISABLED);
    COLORREF back, text;
    EntryColours(item.nFlags, disabled, selected, back, text);
    CRect rect(dis.rcItem);
    ::SetBkColor(dc, back);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetTextColor(dc, text);
    int bkMode = ::SetBkMode(dc, TRANSPARENT);
    const UINT kLine = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

    if (item.nFlags & RowGroup) {
        ::SelectObject(dc, BoldFont());
        CRect name(rect.left + 15, rect.top, rect.right, rect.bottom);
        ::DrawTextW(dc, item.strName, item.strName.GetLength(), &name, kLine | DT_END_ELLIPSIS);
    } else {
        SIZE w4 = {};
        ::GetTextExtentPoint32W(dc, L"WWWW", 4, &w4);
        int nameRight = rect.left + m_nNameWidth;
        CRect name(rect.left + 2, rect.top, nameRight, rect.bottom);
        ::DrawTextW(dc, item.strName, item.strName.GetLength(), &name, kLine | DT_END_ELLIPSIS);
        VerticalLine(dc, nameRight, rect.top, rect.bottom);
        CRect number(nameRight, rect.top, nameRight + w4.cx * 4 / 5, rect.bottom);
        ::DrawTextW(dc, item.strNumber, item.strNumber.GetLength(), &number, kLine | DT_RIGHT);
        int descLine = nameRight + w4.cx;
        VerticalLine(dc, descLine, rect.top, rect.bottom);
        // DT_MODIFYSTRING writes the shortened text (up to four characters
        // more) into the buffer: a private copy with room for it.
        int length = item.strDescription.GetLength();
        std::vector<WCHAR> buffer(length + 5, 0);
        memcpy(buffer.data(), item.strDescription.GetString(), length * sizeof(WCHAR));
        CRect desc(descLine + 5, rect.top, rect.right, rect.bottom);
        ::DrawTextW(dc, buffer.data(), length, &desc, kLine | DT_END_ELLIPSIS | DT_MODIFYSTRING);
        bool cut = item.strDescription != buffer.data();
        int flags = cut ? (item.nFlags | RowTipDescription) : (item.nFlags & ~RowTipDescription);
        if (flags != item.nFlags)
            m_pList->SetFlags(row, flags);
    }
    if (selected && (dis.itemState & ODS_FOCUS))
        ::DrawFocusRect(dc, &rect);
    ::SetBkMode(dc, bkMode);
    ::SelectObject(dc, oldFont);
}

void CCatList::EnsureTip()
{
    if (m_tip.m_hWnd || !m_hWnd || !m_tip.Create(this))
        return;
    CRect client;
    GetClientRect(&client);
    m_tip.Activate(TRUE);
    m_tip.SetFont(GetFont(), FALSE);
    m_tip.SetMaxTipWidth(client.Width());
    m_tip.AddTool(this, L"", &client, kToolId);
}

int CCatList::EntryAt(CPoint point) const
{
    if (GetCount() <= 0)
        return -1;
    BOOL outside = TRUE;
    int entry = (int)ItemFromPoint(point, outside);
    CRect rect;
    if (entry < 0 || entry >= GetCount() || GetItemRect(entry, &rect) == LB_ERR || !rect.PtInRect(point))
        return -1;
    return entry;
}

void CCatList::UpdateTip(CPoint point)
{
    EnsureTip();
    CString tip;
    int entry = EntryAt(point);
    const _CLItem* item = entry < 0 ? nullptr : ItemAt((int)GetItemData(entry));
    if (item) {
        if (item->nFlags & RowTipDescription)
            tip = item->strDescription;
        CString extra;
        HWND parent = ::GetParent(m_hWnd);
        if (parent && ::SendMessageW(parent, WMU_CATLIST_TOOLTIP, (WPARAM)item, (LPARAM)&extra) && !extra.IsEmpty()) {
            if (!tip.IsEmpty())
                tip += L"\r\n";
            tip += extra;
        }
    }
    if (tip == m_strTip)
        return;
    m_strTip = tip;
    if (m_tip.m_hWnd)
        m_tip.UpdateTipText(m_strTip, this, kToolId);
}

BOOL CCatList::PreTranslateMessage(MSG* pMsg)
{
    EnsureTip();
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(pMsg);
    return CListBox::PreTranslateMessage(pMsg);
}

LRESULT CCatList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        // A press below the last entry selects nothing.
        if (EntryAt(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))) < 0)
            return 0;
        break;
    case WM_MOUSEMOVE:
        UpdateTip(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case WM_SETFONT: {
        LRESULT result = CListBox::WindowProc(message, wParam, lParam);
        m_boldFont.DeleteObject();
        m_bWidthPending = TRUE;
        SetItemHeight(0, EntryHeight());
        return result;
    }
    case WM_SIZE:
        if (m_tip.m_hWnd) {
            CRect client;
            GetClientRect(&client);
            m_tip.SetToolRect(this, kToolId, &client);
            m_tip.SetMaxTipWidth(client.Width());
        }
        break;
    case WM_DESTROY:
        ResetContent();
        if (m_tip.m_hWnd)
            m_tip.DestroyWindow();
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
