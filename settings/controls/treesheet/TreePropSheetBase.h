// CTreePropSheetBase: a property sheet that shows its pages through a tree
// on the left and a framed page area with a caption on the right, in place
// of the tab row.
//
// The sheet's tab control stays, hidden and disabled, and is the only
// source of the page order, titles and icons: the tree is rebuilt from it
// whenever pages come or go. A page title is a path: "General::Colours"
// makes the page "Colours" under a node "General" (pages share leading
// nodes); "\::" is a literal "::" and "\\" a backslash. A tree item of a
// page holds the page's index as item data, a node without a page -1.
//
// Set the options (tree mode, caption, tree images, default images, tree
// width, expand-all, empty-page text) between construction and creation.
// Without tree mode the sheet is a plain property sheet.
//
// Pages are enabled and disabled through EnablePage or the registered
// message "WMU_TPS_ENABLEPAGE" (wParam the page, lParam non-zero to enable;
// result 1). A disabled page's tree item is grey and, while the skip-
// disabled flag is on, never selected.
#pragma once

#include <map>
#include <new>
#include "ImageList.h"
#include "PropertySheet.h"
#include "PropPageFrame.h"
#include "TreePropSheetTreeCtrl.h"

namespace TreePropSheet
{

class CTreePropSheetBase : public CPropertySheet
{
public:
    CTreePropSheetBase();
    explicit CTreePropSheetBase(LPCWSTR lpszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CTreePropSheetBase(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CTreePropSheetBase() override;

    // Options, before the sheet exists.
    BOOL SetTreeViewMode(BOOL bTreeViewMode = TRUE, BOOL bPageCaption = FALSE, BOOL bTreeImages = FALSE);
    // The width of the tree in pixels (default 150); 0 once the sheet exists.
    virtual BOOL SetPageTreeWidth(int nWidth);
    // The two pictures for tree items without an icon of their own: [0] a
    // node without a page, [1] a page without an icon. The images are
    // copied; a list that does not hold exactly two is refused (FALSE) and
    // the tree goes without default pictures.
    BOOL SetTreeDefaultImages(const CImageList& images);
    // The same from a bitmap resource of images cx pixels wide side by side.
    BOOL SetTreeDefaultImages(UINT nBitmapID, int cx = 16, COLORREF crMask = RGB(255, 255, 255));
    // Expands every node once the tree is first filled.
    void SetAutoExpandTree(BOOL bAutoExpand = TRUE) { m_bAutoExpandTree = bAutoExpand; }
    // Shown by the frame for a selected node without a page; "%s" is the
    // node's text.
    void SetEmptyPageText(LPCWSTR lpszText) { m_strEmptyPageText = lpszText; }
    // A click on a node without a page selects the first page below it.
    void SetSkipEmptyPages(BOOL bSkip = TRUE) { m_bSkipEmptyPages = bSkip; }
    void SetSkipDisabledPages(BOOL bSkip = TRUE) { m_bSkipDisabledPages = bSkip; }

    BOOL IsTreeViewMode() const { return m_bTreeViewMode; }
    int GetPageTreeWidth() const { return m_nPageTreeWidth; }
    CTreePropSheetTreeCtrl* GetPageTreeControl() const { return m_pwndPageTree; }
    CPropPageFrame* GetFrameControl() const { return m_pFrame; }
    UINT GetEnablePageMessage() const { return m_msgEnablePage; }
    const CImageList& GetPageImages() const { return m_images; }

    // Returns the page's previous state. Disabling the active page moves to
    // the next selectable page first; when there is none, nothing changes.
    BOOL EnablePage(CPropertyPage* pPage, BOOL bEnable);
    BOOL IsPageEnabled(CPropertyPage* pPage) const;
    // The next or previous selectable page in tree order, wrapping around.
    void ActivateNextPage();
    void ActivatePreviousPage();

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

protected:
    // Right after the standard sheet initialisation, before the tree exists.
    virtual void OnSheetInitialized() {}
    // The empty-page text with the node's text in place of "%s".
    virtual CString FormatText(LPCWSTR lpszFormat, LPCWSTR lpszText);
    virtual CTreePropSheetTreeCtrl* MakeTreeControl();
    virtual CPropPageFrame* MakePageFrame();
    // Gives a page's tree item the grey of a disabled page or its normal colour.
    virtual void UpdateItemColor(HTREEITEM hItem);

    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddRemovePage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurSel(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnIsDialogMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnablePageMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelChanging(const NMTREEVIEWW* pNm);
    LRESULT OnSelChanged(const NMTREEVIEWW* pNm);
    // Skip-empty mode's keys in the tree; TRUE when handled.
    BOOL OnTreeKeyDown(MSG* pMsg);

    // Holds the refill lock: tree selection notifications are ignored.
    class CRefillLock
    {
    public:
        explicit CRefillLock(CTreePropSheetBase* pSheet) : m_pSheet(pSheet) { ++m_pSheet->m_nRefillLock; }
        ~CRefillLock() { --m_pSheet->m_nRefillLock; }
        CRefillLock(const CRefillLock&) = delete;
        CRefillLock& operator=(const CRefillLock&) = delete;

    private:
        CTreePropSheetBase* m_pSheet;
    };

    // Layout of the tree mode (initialisation steps after the standard one).
    void BuildTabImages();
    void CreateTreeAndFrame();
    void MoveChildWindows(int dx, int dy);
    int MeasureCaptionHeight(const CRect& rectTab);

    // The tree (TreePropSheetTree.cpp).
    void RefillPageTree();
    // The leaf of a page title's path, made with the nodes it needs.
    HTREEITEM CreatePageTreeItem(LPCWSTR lpszPath, int nNodeImage);
    static BOOL SplitPath(const CString& path, CString& element, CString& rest);
    static CString UnescapePathElement(const CString& element);
    // The item of the page among hFirst, its siblings and descendants.
    HTREEITEM FindPageTreeItem(int nPage, HTREEITEM hFirst) const;
    void SelectCurrentPageTreeItem();
    void ExpandAll(HTREEITEM hParent);
    void UpdateCaption();
    int PageOfItem(HTREEITEM hItem) const;
    // The page window's own visibility (the sheet itself may be hidden).
    static bool IsPageWindowShown(HWND hPage);
    BOOL IsItemSelectable(HTREEITEM hItem) const;
    // A page's item that may be selected (walks and skips stop there).
    BOOL IsPageTarget(HTREEITEM hItem) const;
    // Pre-order neighbours, wrapping around the tree.
    HTREEITEM NextItem(HTREEITEM hItem) const;
    HTREEITEM PreviousItem(HTREEITEM hItem) const;
    HTREEITEM LastItem() const;
    // The first selectable item among hFirst, its following siblings and
    // their descendants, depth first.
    HTREEITEM FindSelectable(HTREEITEM hFirst) const;
    void ActivateByWalk(bool bNext);
    void UpdateAllItemColors(HTREEITEM hItem);

    CImageList m_images;        // the tree's pictures: the tab icons, then the default images
    CImageList m_defaultImages; // [0] node without a page, [1] page without an icon
    CImageList m_tabImages;     // the tab control's list when the sheet made it
    CString m_strEmptyPageText;
    int m_nRefillLock = 0;
    int m_nPageTreeWidth = 150;
    int m_nPageTreeGap = 5;
    BOOL m_bTreeViewMode = FALSE;
    BOOL m_bPageCaption = FALSE;
    BOOL m_bTreeImages = FALSE;
    BOOL m_bAutoExpandTree = FALSE;
    BOOL m_bSkipEmptyPages = FALSE;
    BOOL m_bSkipDisabledPages = TRUE;
    CTreePropSheetTreeCtrl* m_pwndPageTree = nullptr;
    CPropPageFrame* m_pFrame = nullptr;
    std::map<CPropertyPage*, bool> m_pageEnabled;
    UINT m_msgEnablePage;
};

} // namespace TreePropSheet
