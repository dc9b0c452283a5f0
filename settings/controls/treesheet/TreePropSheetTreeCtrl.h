// CTreePropSheetTreeCtrl: the page tree of the tree property sheet. Items
// can have a text colour of their own (a disabled page is grey), set with
// the registered message "WMU_TPS_ENABLETREEITEM" (wParam the item, lParam
// the colour); a colour equal to the tree's text colour removes it. The
// tree paints through a memory bitmap and draws such items' texts again in
// their colour, except while they are selected or drop-highlighted.
#pragma once

#include <map>
#include "CommonControls.h"

namespace TreePropSheet
{

class CTreePropSheetTreeCtrl : public CTreeCtrl
{
public:
    CTreePropSheetTreeCtrl();

    UINT GetEnableTreeItemMessage() const { return m_msgEnableTreeItem; }
    // The item's own text colour; FALSE when it has none.
    BOOL GetItemColor(HTREEITEM hItem, COLORREF& color) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnableTreeItem(WPARAM wParam, LPARAM lParam);
    // Draws the visible items that have a colour of their own.
    void DrawColoredItems(CDC* pDc);

    std::map<HTREEITEM, COLORREF> m_itemColors;
    UINT m_msgEnableTreeItem;
};

} // namespace TreePropSheet
