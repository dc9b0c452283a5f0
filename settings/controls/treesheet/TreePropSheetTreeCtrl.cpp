// CTreePropSheetTreeCtrl.
#include "TreePropSheetTreeCtrl.h"
#include "Dc.h"

namespace TreePropSheet
{

CTreePropSheetTreeCtrl::CTreePropSheetTreeCtrl()
    : m_msgEnableTreeItem(::RegisterWindowMessageW(L"WMU_TPS_ENABLETREEITEM"))
{
}

BOOL CTreePropSheetTreeCtrl::GetItemColor(HTREEITEM hItem, COLORREF& color) const
{
    auto it = m_itemColors.find(hItem);
    if (it == m_itemColors.end())
        return FALSE;
    color = it->second;
    return TRUE;
}

LRESULT CTreePropSheetTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint(wParam, lParam);
    }
    if (message == m_msgEnableTreeItem && m_msgEnableTreeItem)
        return OnEnableTreeItem(wParam, lParam);
    return CTreeCtrl::WindowProc(message, wParam, lParam);
}

BOOL CTreePropSheetTreeCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A deleted item's handle may come back for a new item: drop its colour.
    if (message == WM_NOTIFY && lParam) {
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(lParam);
        if (nm->hdr.code == TVN_DELETEITEMW || nm->hdr.code == TVN_DELETEITEMA)
            m_itemColors.erase(nm->itemOld.hItem);
    }
    return CTreeCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CTreePropSheetTreeCtrl::OnEnableTreeItem(WPARAM wParam, LPARAM lParam)
{
    HTREEITEM item = (HTREEITEM)wParam;
    COLORREF color = (COLORREF)lParam;
    if (color == GetTextColor())
        m_itemColors.erase(item);
    else
        m_itemColors[item] = color;
    return 1;
}

LRESULT CTreePropSheetTreeCtrl::OnPaint(WPARAM wParam, LPARAM lParam)
{
    // A DC in wParam: the caller's painting (WM_PRINTCLIENT style).
    if (wParam)
        return CTreeCtrl::WindowProc(WM_PAINT, wParam, lParam);
    CPaintDC dc(this);
    CRect clip, client;
    dc.GetClipBox(&clip);
    GetClientRect(&client);
    CMemoryDC mem(&dc, client.Width(), client.Height());
    if (mem.m_hDC) {
        mem.IntersectClipRect(&clip);
        // The standard painting, background first, into the bitmap.
        DefWindowProc(WM_ERASEBKGND, (WPARAM)mem.m_hDC, 0);
        DefWindowProc(WM_PAINT, (WPARAM)mem.m_hDC, 0);
        DrawColoredItems(&mem);
        dc.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &mem, clip.left, clip.top, SRCCOPY);
    }
    return 0;
}

void CTreePropSheetTreeCtrl::DrawColoredItems(CDC* pDc)
{
    if (m_itemColors.empty())
        return;
    HFONT font = GetFont();
    if (!font)
        font = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTW lf = {};
    ::GetObjectW(font, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    COLORREF background = (COLORREF)SendMessage(TVM_GETBKCOLOR);
    if (background == CLR_DEFAULT || background == CLR_NONE)
        background = ::GetSysColor(COLOR_WINDOW);

    HGDIOBJ oldFont = pDc->SelectObject(font);
    UINT limit = GetVisibleCount() + 1;
    HTREEITEM item = GetFirstVisibleItem();
    for (UINT n = 0; item && n < limit; ++n, item = GetNextVisibleItem(item)) {
        UINT state = GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED | TVIS_BOLD);
        COLORREF color;
        if ((state & (TVIS_SELECTED | TVIS_DROPHILITED)) || !GetItemColor(item, color))
            continue;
        CRect rect;
        if (!GetItemRect(item, &rect, TRUE))
            continue;
        if (state & TVIS_BOLD) {
            if (!bold.m_hObject)
                bold.CreateFontIndirect(&lf);
            pDc->SelectObject(bold.m_hObject ? (HFONT)bold : font);
        } else {
            pDc->SelectObject(font);
        }
        CString text = GetItemText(item);
        // Over the standard text, in the item's own colour.
        pDc->SetBkColor(background);
        pDc->SetTextColor(color);
        pDc->ExtTextOut(rect.left + 2, rect.top + 1, ETO_OPAQUE | ETO_CLIPPED, &rect, text, text.GetLength());
    }
    pDc->SelectObject(oldFont);
}

} // namespace TreePropSheet
