// CIconMenu: measuring and drawing the owner-drawn items.
#include "IconMenu.h"
#include <algorithm>
#include "ColorConvert.h"
#include "ColorGradient.h"
#include "IconMenuShared.h"

namespace {

const COLORREF DisabledTextColor = 0x7F7F7F;
// Held styles (the setting plus 1) of a caption's background.
const int StyleFramed = 4;

// Space between the icon bar's right edge and the icon plus the indent.
const int IconBarMargin = 6;

} // namespace

void CIconMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    MEASUREITEMSTRUCT* mis = lpMeasureItemStruct;
    // A submenu's own item in its parent is measured through the submenu:
    // the parent's icon size, indent and default item hold for it.
    const CIconMenu* holder = HolderOf(mis->itemID);
    const IconMenuItem* item = holder->FindRecord(mis->itemID, mis->itemData);
    if (!item) {
        CMenu::MeasureItem(mis);
        return;
    }
    CClientDC dc(nullptr);
    HGDIOBJ font = holder->IsDefaultItem(item) ? CIconMenuShared::BoldFont() : CIconMenuShared::NormalFont();
    if (font)
        dc.SelectObject(font);
    CSize text = dc.GetTextExtent(item->caption);

    mis->itemWidth = (UINT)std::max(0, holder->m_indent + holder->m_iconSize + (int)text.cx + IconBarMargin);
    int height;
    if (!item->IsSeparator())
        height = std::max(holder->m_iconSize, (int)text.cy) + 4;
    else if (!item->caption.IsEmpty())
        height = std::max((int)text.cy, 5) + 4;
    else
        height = 4;
    mis->itemHeight = (UINT)height;
}

void CIconMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DRAWITEMSTRUCT* dis = lpDrawItemStruct;
    IconMenuItem* item = dis->CtlType == ODT_MENU ? FindRecord(dis->itemID, dis->itemData) : nullptr;
    if (!item) {
        CMenu::DrawItem(dis);
        return;
    }
    // State and neighbour are read by the record's position: ids repeat
    // (separators) and inserts before the end moved the positions.
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfo((UINT)item->position, &info, TRUE))
        item->state = info.fState;
    int count = GetMenuItemCount();
    bool nextStartsColumn = false;
    if (item->position + 1 < count) {
        MENUITEMINFOW next = {};
        next.cbSize = sizeof(next);
        next.fMask = MIIM_FTYPE;
        nextStartsColumn = GetMenuItemInfo((UINT)item->position + 1, &next, TRUE) && (next.fType & MFT_MENUBARBREAK);
    }

    CDC dc;
    dc.Attach(dis->hDC);
    int saved = dc.SaveDC();
    CRect r(dis->rcItem);
    if (item->IsSeparator()) {
        FillGradient(&dc, &r, m_colors.menu1st, m_colors.menu2nd, 1);
        if (item->caption.IsEmpty()) {
            // The etched line: one row darker and one lighter by 40 %.
            CRect dark(r.left, r.top + 1, r.right, r.top + 2);
            CRect light(r.left, r.top + 2, r.right, r.top + 3);
            FillGradient(&dc, &dark, AdjustColor(m_colors.menu1st, -40, 0), AdjustColor(m_colors.menu2nd, -40, 0), 1);
            FillGradient(&dc, &light, AdjustColor(m_colors.menu1st, 40, 0), AdjustColor(m_colors.menu2nd, 40, 0), 1);
        } else {
            DrawCaption(&dc, r, item, CaptionSeparator);
        }
    } else {
        int bar = m_indent + m_iconSize + IconBarMargin;
        if (dis->itemAction & ODA_DRAWENTIRE) {
            dc.FillSolidRect(r.left, r.top, bar, r.Height(), m_colors.iconBar);
            if (!m_noIcons && item->icon)
                dc.DrawIconEx(r.left + 4, r.top + 2, item->icon, m_iconSize, m_iconSize, DI_NORMAL);
        }
        bool selected = (dis->itemState & ODS_SELECTED) && (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT));
        CRect text(r.left + bar, r.top, r.right, r.bottom);
        DrawCaption(&dc, text, item, selected ? CaptionSelected : CaptionNormal);
        if (item->mark > 0) {
            int x = r.left + m_indent + m_iconSize;
            CRect mark(x + 3, r.top + 1, x + 5, r.bottom - 1);
            dc.FillSolidRect(&mark, item->markColor);
        }
    }
    if (item->position == count - 1 || nextStartsColumn)
        FillBelow(&dc, r);
    dc.RestoreDC(saved);
    dc.Detach();
}

// The menu window is taller than its items where a column ends; that space
// is painted like the items (the menu window clips what lies outside it).
void CIconMenu::FillBelow(CDC* pDC, const CRect& item) const
{
    int bottom = std::max((int)item.bottom, GetSystemMetrics(SM_CYSCREEN));
    int bar = item.left + m_indent + m_iconSize + IconBarMargin;
    CRect strip(item.left, item.bottom, bar, bottom);
    CRect rest(bar, item.bottom, item.right, bottom);
    pDC->FillSolidRect(&strip, m_colors.iconBar);
    FillGradient(pDC, &rest, m_colors.menu1st, m_colors.menu2nd, 1);
}

void CIconMenu::DrawCaption(CDC* pDC, CRect rect, const IconMenuItem* item, CaptionMode mode) const
{
    COLORREF first, second, text;
    int style;
    switch (mode) {
    case CaptionSelected:
        first = m_colors.select1st, second = m_colors.select2nd, text = m_colors.selectText;
        style = m_colors.selectStyle;
        break;
    case CaptionSeparator:
        first = m_colors.separator1st, second = m_colors.separator2nd, text = m_colors.separatorText;
        style = m_colors.separatorStyle;
        break;
    default:
        first = m_colors.menu1st, second = m_colors.menu2nd, text = m_colors.menuText;
        style = m_colors.menuTextStyle;
        break;
    }
    // Greyed (MF_GRAYED) and disabled (MF_DISABLED) items alike.
    if (mode != CaptionSeparator && (item->state & (MF_GRAYED | MF_DISABLED)))
        text = DisabledTextColor;

    if (style < 1 || style > 3 || first == second) {
        pDC->FillSolidRect(&rect, first);
        if (style == StyleFramed) {
            CBrush frame(second);
            pDC->FrameRect(&rect, &frame);
        }
    } else {
        FillGradient(pDC, &rect, first, second, style);
    }

    pDC->SetTextColor(text);
    pDC->SetBkMode(TRANSPARENT);
    rect.left += 4;
    HFONT font = IsDefaultItem(item) ? CIconMenuShared::BoldFont() : CIconMenuShared::NormalFont();
    if (font)
        pDC->SelectObject(font);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    int tab = item->caption.Find(m_tabChar);
    if (tab < 0) {
        pDC->DrawText(item->caption, &rect, format);
        return;
    }
    pDC->DrawText(item->caption.Left(tab), &rect, format);
    pDC->DrawText(item->caption.Mid(tab + 1) + L" ", &rect, format | DT_RIGHT);
}
