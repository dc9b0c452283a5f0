// CTreePropSheetBase: the page tree: filling it from the tab control, page
// paths, selection, caption and keyboard navigation.
#include "TreePropSheetBase.h"

namespace TreePropSheet
{

namespace {

const DWORD_PTR kNoPage = (DWORD_PTR)-1;

} // namespace

BOOL CTreePropSheetBase::SplitPath(const CString& path, CString& element, CString& rest)
{
    // The first "::" after an even number of backslashes separates.
    for (int i = 0; i + 1 < path.GetLength(); ++i) {
        if (path[i] != L':' || path[i + 1] != L':')
            continue;
        int backslashes = 0;
        for (int j = i - 1; j >= 0 && path[j] == L'\\'; --j)
            ++backslashes;
        if (backslashes % 2 == 0) {
            CString head = path.Left(i);
            rest = path.Mid(i + 2);
            element = head;
            return TRUE;
        }
    }
    element = path;
    rest.Empty();
    return FALSE;
}

CString CTreePropSheetBase::UnescapePathElement(const CString& element)
{
    CString out;
    for (int i = 0; i < element.GetLength(); ++i) {
        if (element[i] == L'\\' && element[i + 1] == L'\\') {
            out += L'\\';
            ++i;
        } else if (element[i] == L'\\' && element[i + 1] == L':' && element[i + 2] == L':') {
            out += L"::";
            i += 2;
        } else {
            out += element[i];
        }
    }
    return out;
}

HTREEITEM CTreePropSheetBase::CreatePageTreeItem(LPCWSTR lpszPath, int nNodeImage)
{
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    HTREEITEM parent = TVI_ROOT;
    CString rest(lpszPath);
    for (;;) {
        CString element;
        BOOL more = SplitPath(rest, element, rest);
        element = UnescapePathElement(element);
        HTREEITEM item = parent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(parent);
        while (item && tree.GetItemText(item) != element)
            item = tree.GetNextSiblingItem(item);
        if (!item) {
            TVINSERTSTRUCTW tvis = {};
            tvis.hParent = parent;
            tvis.hInsertAfter = TVI_LAST;
            tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
            tvis.item.pszText = const_cast<LPWSTR>(element.GetString());
            tvis.item.lParam = (LPARAM)kNoPage;
            if (m_bTreeImages) {
                tvis.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
                tvis.item.iImage = tvis.item.iSelectedImage = more ? nNodeImage : -1;
            }
            item = tree.InsertItem(&tvis);
        }
        if (!more || !item)
            return item;
        parent = item;
    }
}

void CTreePropSheetBase::RefillPageTree()
{
    if (!m_pwndPageTree)
        return;
    CRefillLock lock(this);
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    tree.DeleteAllItems();
    HWND tab = GetTabControl();

    // The tab icons, then the node picture and the page picture.
    int nodeImage = -1, pageImage = -1;
    if (m_bTreeImages && m_images.m_hImageList) {
        m_images.Remove(-1);
        HIMAGELIST tabImages = TabCtrl_GetImageList(tab);
        int count = tabImages ? ImageList_GetImageCount(tabImages) : 0;
        for (int i = 0; i < count; ++i) {
            HICON icon = ImageList_GetIcon(tabImages, i, ILD_NORMAL);
            m_images.Add(icon);
            if (icon)
                ::DestroyIcon(icon);
        }
        if (m_defaultImages.m_hImageList) {
            for (int i = 0; i < 2; ++i) {
                HICON icon = m_defaultImages.ExtractIcon(i);
                if (icon) {
                    m_images.Add(icon);
                    ::DestroyIcon(icon);
                }
            }
            pageImage = m_images.GetImageCount() - 1;
            nodeImage = pageImage - 1;
        }
    }

    int pages = TabCtrl_GetItemCount(tab);
    for (int i = 0; i < pages; ++i) {
        WCHAR text[MAX_PATH + 1] = {};
        TCITEMW tci = {};
        tci.mask = TCIF_TEXT | TCIF_IMAGE;
        tci.pszText = text;
        tci.cchTextMax = MAX_PATH;
        tci.iImage = -1;
        TabCtrl_GetItem(tab, i, &tci);
        HTREEITEM leaf = CreatePageTreeItem(text, nodeImage);
        if (!leaf)
            continue;
        tree.SetItemData(leaf, (DWORD_PTR)i);
        if (m_bTreeImages) {
            int image = (tci.iImage >= 0 && tci.iImage < m_images.GetImageCount()) ? tci.iImage : pageImage;
            tree.SetItemImage(leaf, image, image);
        }
        CPropertyPage* page = GetPage(i);
        if (page && !IsPageEnabled(page))
            tree.SendMessage(tree.GetEnableTreeItemMessage(), (WPARAM)leaf, (LPARAM)::GetSysColor(COLOR_GRAYTEXT));
    }
}

HTREEITEM CTreePropSheetBase::FindPageTreeItem(int nPage, HTREEITEM hFirst) const
{
    for (HTREEITEM item = hFirst; item; item = m_pwndPageTree->GetNextSiblingItem(item)) {
        if (PageOfItem(item) == nPage)
            return item;
        if (HTREEITEM found = FindPageTreeItem(nPage, m_pwndPageTree->GetChildItem(item)))
            return found;
    }
    return nullptr;
}

void CTreePropSheetBase::SelectCurrentPageTreeItem()
{
    if (!m_pwndPageTree)
        return;
    int current = TabCtrl_GetCurSel(GetTabControl());
    HTREEITEM item = current >= 0 ? FindPageTreeItem(current, m_pwndPageTree->GetRootItem()) : nullptr;
    if (item && m_pwndPageTree->GetSelectedItem() != item)
        m_pwndPageTree->SelectItem(item);
}

void CTreePropSheetBase::ExpandAll(HTREEITEM hFirst)
{
    HTREEITEM item = hFirst == TVI_ROOT ? m_pwndPageTree->GetRootItem() : hFirst;
    for (; item; item = m_pwndPageTree->GetNextSiblingItem(item)) {
        HTREEITEM child = m_pwndPageTree->GetChildItem(item);
        if (child) {
            m_pwndPageTree->Expand(item, TVE_EXPAND);
            ExpandAll(child);
        }
    }
}

int CTreePropSheetBase::PageOfItem(HTREEITEM hItem) const
{
    if (!hItem || !m_pwndPageTree)
        return -1;
    DWORD_PTR data = m_pwndPageTree->GetItemData(hItem);
    if (data == kNoPage)
        return -1;
    int count = TabCtrl_GetItemCount(GetTabControl());
    return (data < (DWORD_PTR)count) ? (int)data : -1;
}

BOOL CTreePropSheetBase::IsItemSelectable(HTREEITEM hItem) const
{
    int page = PageOfItem(hItem);
    if (page < 0)
        return m_bSkipEmptyPages;
    CPropertyPage* p = GetPage(page);
    return !p || IsPageEnabled(p) || !m_bSkipDisabledPages;
}

BOOL CTreePropSheetBase::IsPageTarget(HTREEITEM hItem) const
{
    return PageOfItem(hItem) >= 0 && IsItemSelectable(hItem);
}

HTREEITEM CTreePropSheetBase::NextItem(HTREEITEM hItem) const
{
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    if (HTREEITEM child = tree.GetChildItem(hItem))
        return child;
    for (HTREEITEM item = hItem; item; item = tree.GetParentItem(item)) {
        if (HTREEITEM next = tree.GetNextSiblingItem(item))
            return next;
    }
    return tree.GetRootItem();
}

HTREEITEM CTreePropSheetBase::LastItem() const
{
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    HTREEITEM item = tree.GetRootItem();
    for (HTREEITEM next; item && (next = tree.GetNextSiblingItem(item)) != nullptr;)
        item = next;
    // Its deepest last descendant.
    for (HTREEITEM child; item && (child = tree.GetChildItem(item)) != nullptr;) {
        item = child;
        for (HTREEITEM next; (next = tree.GetNextSiblingItem(item)) != nullptr;)
            item = next;
    }
    return item;
}

HTREEITEM CTreePropSheetBase::PreviousItem(HTREEITEM hItem) const
{
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    HTREEITEM item = tree.GetPrevSiblingItem(hItem);
    if (!item) {
        HTREEITEM parent = tree.GetParentItem(hItem);
        return parent ? parent : LastItem();
    }
    for (HTREEITEM child; (child = tree.GetChildItem(item)) != nullptr;) {
        item = child;
        for (HTREEITEM next; (next = tree.GetNextSiblingItem(item)) != nullptr;)
            item = next;
    }
    return item;
}

HTREEITEM CTreePropSheetBase::FindSelectable(HTREEITEM hFirst) const
{
    for (HTREEITEM item = hFirst; item; item = m_pwndPageTree->GetNextSiblingItem(item)) {
        if (IsPageTarget(item))
            return item;
        if (HTREEITEM found = FindSelectable(m_pwndPageTree->GetChildItem(item)))
            return found;
    }
    return nullptr;
}

void CTreePropSheetBase::ActivateNextPage()
{
    ActivateByWalk(true);
}

void CTreePropSheetBase::ActivatePreviousPage()
{
    ActivateByWalk(false);
}

void CTreePropSheetBase::ActivateByWalk(bool bNext)
{
    if (!m_pwndPageTree || !m_pwndPageTree->m_hWnd) {
        int count = GetPageCount();
        if (!count)
            return;
        int index = GetActiveIndex();
        SetActivePage(bNext ? (index + 1) % count : (index - 1 + count) % count);
        return;
    }
    HTREEITEM start = m_pwndPageTree->GetSelectedItem();
    if (!start)
        start = m_pwndPageTree->GetRootItem();
    // Every item once at most; the walk stops on pages only, so going back
    // past a node never lands on the node (which would hand the selection
    // back to its first page in skip-empty mode).
    HTREEITEM item = start;
    while (item) {
        item = bNext ? NextItem(item) : PreviousItem(item);
        if (IsPageTarget(item)) {
            m_pwndPageTree->SelectItem(item);
            return;
        }
        if (item == start)
            return;
    }
}

LRESULT CTreePropSheetBase::OnSelChanging(const NMTREEVIEWW* pNm)
{
    if (m_nRefillLock)
        return 0;
    LRESULT result = 0;
    HTREEITEM item = pNm->itemNew.hItem;
    int page = PageOfItem(item);
    bool skip = false;
    if (page >= 0) {
        if (IsItemSelectable(item)) {
            CRefillLock lock(this);
            if (!SetActivePage(page))
                result = 1;
        } else {
            skip = true;
        }
    } else if (m_bSkipEmptyPages) {
        skip = true;
    } else {
        // A node without a page: the page leaves when it agrees to.
        HWND current = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
        if (IsPageWindowShown(current)) {
            NMHDR hdr = { m_hWnd, 0, (UINT)PSN_KILLACTIVE };
            if (::SendMessageW(current, WM_NOTIFY, 0, (LPARAM)&hdr))
                result = 1;
            else
                ::ShowWindow(current, SW_HIDE);
        }
    }
    if (skip) {
        HTREEITEM target = FindSelectable(m_pwndPageTree->GetChildItem(item));
        if (!target)
            target = FindSelectable(m_pwndPageTree->GetNextSiblingItem(item));
        if (target)
            m_pwndPageTree->SelectItem(target);
        result = 1;
    }
    m_pwndPageTree->SetFocus();
    return result;
}

LRESULT CTreePropSheetBase::OnSelChanged(const NMTREEVIEWW*)
{
    if (!m_nRefillLock)
        UpdateCaption();
    return 0;
}

void CTreePropSheetBase::UpdateCaption()
{
    if (!m_pwndPageTree || !m_pFrame)
        return;
    HTREEITEM item = m_pwndPageTree->GetSelectedItem();
    if (!item)
        return;
    CString text = m_pwndPageTree->GetItemText(item);
    HWND page = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
    bool pageShown = IsPageWindowShown(page);
    if (!pageShown)
        m_pFrame->SetMessageText(FormatText(m_strEmptyPageText, text));
    if (!m_pFrame->GetShowCaption())
        return;
    HICON icon = nullptr;
    if (m_bTreeImages) {
        int image = -1, selected = -1;
        if (m_pwndPageTree->GetItemImage(item, image, selected) && image >= 0 && image < m_images.GetImageCount())
            icon = m_images.ExtractIcon(image);
    } else if (pageShown) {
        HWND tab = GetTabControl();
        HIMAGELIST tabImages = TabCtrl_GetImageList(tab);
        TCITEMW tci = {};
        tci.mask = TCIF_IMAGE;
        if (tabImages && TabCtrl_GetItem(tab, TabCtrl_GetCurSel(tab), &tci) && tci.iImage >= 0)
            icon = ImageList_GetIcon(tabImages, tci.iImage, ILD_NORMAL);
    }
    m_pFrame->SetCaption(text, icon);
    if (icon)
        ::DestroyIcon(icon);
}

BOOL CTreePropSheetBase::OnTreeKeyDown(MSG* pMsg)
{
    CTreePropSheetTreeCtrl& tree = *m_pwndPageTree;
    HTREEITEM item = tree.GetSelectedItem();
    if (!item)
        return FALSE;
    bool expanded = tree.GetChildItem(item) && (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED);
    switch (pMsg->wParam) {
    case VK_LEFT:
        if (expanded) {
            tree.Expand(item, TVE_COLLAPSE);
        } else {
            HTREEITEM parent = tree.GetParentItem(item);
            while (parent && PageOfItem(parent) < 0)
                parent = tree.GetParentItem(parent);
            if (parent)
                tree.SelectItem(parent);
        }
        return TRUE;
    case VK_RIGHT:
        if (expanded) {
            HTREEITEM child = tree.GetChildItem(item);
            while (child && PageOfItem(child) < 0)
                child = tree.GetNextSiblingItem(child);
            if (child)
                tree.SelectItem(child);
        } else {
            tree.Expand(item, TVE_EXPAND);
        }
        return TRUE;
    case VK_UP:
        ActivatePreviousPage();
        return TRUE;
    case VK_DOWN:
        ActivateNextPage();
        return TRUE;
    }
    return FALSE;
}

} // namespace TreePropSheet
