// CTreePropSheetBase: options, initialisation, messages, enabled pages.
#include "TreePropSheetBase.h"
#include "PropPageFrameEx.h"
#include "ThisModule.h"
#include <uxtheme.h>

namespace TreePropSheet
{

namespace {

const UINT kFrameId = 0xFFFF;
const UINT kTreeId = 0x7EEE;
const UINT kCaptionProbeId = 0x1234;

} // namespace

CTreePropSheetBase::CTreePropSheetBase() : m_msgEnablePage(::RegisterWindowMessageW(L"WMU_TPS_ENABLEPAGE"))
{
}

CTreePropSheetBase::CTreePropSheetBase(LPCWSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(lpszCaption, pParentWnd, iSelectPage),
      m_msgEnablePage(::RegisterWindowMessageW(L"WMU_TPS_ENABLEPAGE"))
{
}

CTreePropSheetBase::CTreePropSheetBase(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage),
      m_msgEnablePage(::RegisterWindowMessageW(L"WMU_TPS_ENABLEPAGE"))
{
}

CTreePropSheetBase::~CTreePropSheetBase()
{
    // Normally gone with the window already (WM_DESTROY).
    delete m_pwndPageTree;
    delete m_pFrame;
}

bool CTreePropSheetBase::IsPageWindowShown(HWND hPage)
{
    return hPage && (::GetWindowLongPtrW(hPage, GWL_STYLE) & WS_VISIBLE);
}

BOOL CTreePropSheetBase::SetTreeViewMode(BOOL bTreeViewMode, BOOL bPageCaption, BOOL bTreeImages)
{
    if (m_hWnd)
        return FALSE;
    m_bTreeViewMode = bTreeViewMode;
    m_bPageCaption = bPageCaption;
    m_bTreeImages = bTreeImages;
    return TRUE;
}

BOOL CTreePropSheetBase::SetPageTreeWidth(int nWidth)
{
    if (m_hWnd)
        return FALSE;
    m_nPageTreeWidth = nWidth;
    return TRUE;
}

BOOL CTreePropSheetBase::SetTreeDefaultImages(const CImageList& images)
{
    m_defaultImages.DeleteImageList();
    if (!images.m_hImageList || images.GetImageCount() != 2)
        return FALSE;
    int cx = 16, cy = 16;
    images.GetIconSize(&cx, &cy);
    if (!m_defaultImages.Create(cx, cy, ILC_COLOR32 | ILC_MASK, 2, 1))
        return FALSE;
    for (int i = 0; i < 2; ++i) {
        HICON icon = images.ExtractIcon(i);
        int added = icon ? m_defaultImages.Add(icon) : -1;
        if (icon)
            ::DestroyIcon(icon);
        if (added < 0) {
            m_defaultImages.DeleteImageList();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CTreePropSheetBase::SetTreeDefaultImages(UINT nBitmapID, int cx, COLORREF crMask)
{
    CImageList images;
    return images.Create(nBitmapID, cx, 1, crMask) && SetTreeDefaultImages(images);
}

CString CTreePropSheetBase::FormatText(LPCWSTR lpszFormat, LPCWSTR lpszText)
{
    // Only "%s" and "%%" mean something here: the format may come from a
    // language file and must not reach a printf with other conversions.
    CString out;
    for (LPCWSTR p = lpszFormat ? lpszFormat : L""; *p; ++p) {
        if (p[0] == L'%' && p[1] == L's') {
            out += lpszText;
            ++p;
        } else if (p[0] == L'%' && p[1] == L'%') {
            out += L'%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

CTreePropSheetTreeCtrl* CTreePropSheetBase::MakeTreeControl()
{
    return new (std::nothrow) CTreePropSheetTreeCtrl;
}

CPropPageFrame* CTreePropSheetBase::MakePageFrame()
{
    return new (std::nothrow) CPropPageFrameEx;
}

BOOL CTreePropSheetBase::OnInitDialog()
{
    bool wizard = (m_psh.dwFlags & PSH_WIZARD) != 0;
    if (m_bTreeViewMode && !wizard) {
        int cx = 16, cy = 16;
        IMAGEINFO info;
        if (m_defaultImages.m_hImageList && m_defaultImages.GetImageInfo(0, &info)) {
            cx = info.rcImage.right - info.rcImage.left;
            cy = info.rcImage.bottom - info.rcImage.top;
        }
        m_images.DeleteImageList();
        m_images.Create(cx, cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    }
    BOOL result = CPropertySheet::OnInitDialog();
    OnSheetInitialized();
    if (wizard || !GetTabControl())
        return result;
    BuildTabImages();
    if (m_bTreeViewMode)
        CreateTreeAndFrame();
    return result;
}

void CTreePropSheetBase::BuildTabImages()
{
    // comctl32 keeps and destroys the list it made itself: it is replaced on
    // the tab control, never deleted here. The sheet's own list goes after
    // the sheet window (PostNcDestroy).
    m_tabImages.DeleteImageList();
    if (!m_tabImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1))
        return;
    bool all = true;
    for (int i = 0; i < GetPageCount(); ++i) {
        const PROPSHEETPAGEW& psp = GetPage(i)->m_psp;
        HICON icon = nullptr;
        if (psp.dwFlags & PSP_USEHICON)
            icon = psp.hIcon;
        else if (psp.dwFlags & PSP_USEICONID)
            icon = ::LoadIconW(psp.hInstance, psp.pszIcon);
        else
            continue;
        if (!icon || m_tabImages.Add(icon) < 0)
            all = false;
    }
    if (all)
        TabCtrl_SetImageList(GetTabControl(), m_tabImages.m_hImageList);
    else
        m_tabImages.DeleteImageList();
}

void CTreePropSheetBase::MoveChildWindows(int dx, int dy)
{
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(h, &rect);
        ScreenToClient(&rect);
        ::SetWindowPos(h, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int CTreePropSheetBase::MeasureCaptionHeight(const CRect& rectTab)
{
    // The height of a tab item of a control like the sheet's own.
    HWND tab = GetTabControl();
    DWORD style = (DWORD)::GetWindowLongPtrW(tab, GWL_STYLE) & ~WS_VISIBLE;
    HWND probe = ::CreateWindowExW(0, WC_TABCONTROLW, L"", style | WS_CHILD, rectTab.left, rectTab.top,
                                   rectTab.Width(), rectTab.Height(), m_hWnd, (HMENU)(UINT_PTR)kCaptionProbeId,
                                   ThisModule(), nullptr);
    if (!probe)
        return 0;
    ::SendMessageW(probe, WM_SETFONT, ::SendMessageW(tab, WM_GETFONT, 0, 0), FALSE);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(L"");
    TabCtrl_InsertItem(probe, 0, &item);
    RECT rect = {};
    TabCtrl_GetItemRect(probe, 0, &rect);
    ::DestroyWindow(probe);
    return rect.bottom - rect.top;
}

void CTreePropSheetBase::CreateTreeAndFrame()
{
    HWND tab = GetTabControl();
    ::ShowWindow(tab, SW_HIDE);
    ::EnableWindow(tab, FALSE);
    CRect rectTab;
    ::GetWindowRect(tab, &rectTab);
    ScreenToClient(&rectTab);

    m_pFrame = MakePageFrame();
    if (!m_pFrame || !m_pFrame->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rectTab, this, kFrameId)) {
        delete m_pFrame;
        m_pFrame = nullptr;
        ::ShowWindow(tab, SW_SHOW);
        ::EnableWindow(tab, TRUE);
        return;
    }
    HWND frame = m_pFrame->GetWnd()->m_hWnd;
    // Below the pages, which it frames.
    ::SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pFrame->ShowCaption(m_bPageCaption);

    // Room for the tree on the left.
    CRect rectSheet;
    GetWindowRect(&rectSheet);
    SetWindowPos(nullptr, 0, 0, rectSheet.Width() + m_nPageTreeWidth, rectSheet.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    MoveChildWindows(m_nPageTreeWidth, 0);

    CRect rectTree = rectTab;
    rectTree.right = rectTab.left + m_nPageTreeWidth - m_nPageTreeGap;

    int captionHeight = MeasureCaptionHeight(rectTab);
    m_pFrame->SetCaptionHeight(captionHeight);
    if (!m_bPageCaption && captionHeight > 0) {
        // No caption: the strip of the tab row goes.
        CRect rectFrame;
        ::GetWindowRect(frame, &rectFrame);
        ScreenToClient(&rectFrame);
        rectFrame.top += captionHeight;
        ::MoveWindow(frame, rectFrame.left, rectFrame.top, rectFrame.Width(), rectFrame.Height(), FALSE);
        MoveChildWindows(0, -captionHeight);
        rectTree.bottom -= captionHeight;
        GetWindowRect(&rectSheet);
        SetWindowPos(nullptr, 0, 0, rectSheet.Width(), rectSheet.Height() - captionHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CenterWindow();
    }

    m_pwndPageTree = MakeTreeControl();
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS;
    if (!m_pwndPageTree || !m_pwndPageTree->CreateEx(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, WC_TREEVIEWW,
                                                     L"PageTree", style, rectTree, this, kTreeId)) {
        delete m_pwndPageTree;
        m_pwndPageTree = nullptr;
        return;
    }
    // First in the tab order.
    ::SetWindowPos(m_pwndPageTree->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowTheme(m_pwndPageTree->m_hWnd, L"Explorer", nullptr);
    if (m_bTreeImages) {
        m_pwndPageTree->SetImageList(&m_images, TVSIL_NORMAL);
        m_pwndPageTree->SetImageList(&m_images, TVSIL_STATE);
    }

    m_pwndPageTree->SetRedraw(FALSE);
    {
        CRefillLock lock(this);
        RefillPageTree();
        if (m_bAutoExpandTree)
            ExpandAll(TVI_ROOT);
        SelectCurrentPageTreeItem();
    }
    m_pwndPageTree->SetRedraw(TRUE);
    m_pwndPageTree->Invalidate();
    UpdateCaption();
}

LRESULT CTreePropSheetBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        return OnDestroy(wParam, lParam);
    case PSM_ADDPAGE:
    case PSM_REMOVEPAGE:
        return OnAddRemovePage(message, wParam, lParam);
    case PSM_SETCURSEL:
    case PSM_SETCURSELID:
        return OnSetCurSel(message, wParam, lParam);
    case PSM_ISDIALOGMESSAGE:
        return OnIsDialogMessage(wParam, lParam);
    }
    if (message == m_msgEnablePage && m_msgEnablePage)
        return OnEnablePageMessage(wParam, lParam);
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

LRESULT CTreePropSheetBase::OnDestroy(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (m_pwndPageTree && m_pwndPageTree->m_hWnd)
        m_pwndPageTree->DestroyWindow();
    if (m_pFrame && m_pFrame->GetWnd()->m_hWnd)
        m_pFrame->GetWnd()->DestroyWindow();
    m_images.DeleteImageList();
    delete m_pwndPageTree;
    m_pwndPageTree = nullptr;
    delete m_pFrame;
    m_pFrame = nullptr;
    return result;
}

void CTreePropSheetBase::PostNcDestroy()
{
    m_tabImages.DeleteImageList();
    CPropertySheet::PostNcDestroy();
}

LRESULT CTreePropSheetBase::OnAddRemovePage(UINT, WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (m_bTreeViewMode && m_pwndPageTree) {
        m_pwndPageTree->SetRedraw(FALSE);
        {
            CRefillLock lock(this);
            RefillPageTree();
            SelectCurrentPageTreeItem();
        }
        m_pwndPageTree->SetRedraw(TRUE);
        m_pwndPageTree->Invalidate();
        UpdateCaption();
    }
    return result;
}

LRESULT CTreePropSheetBase::OnSetCurSel(UINT, WPARAM, LPARAM)
{
    LRESULT result = Default();
    // A page hidden for a node without a page is shown again, also when it
    // was the current page all along.
    HWND page = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
    if (result && page && !IsPageWindowShown(page))
        ::ShowWindow(page, SW_SHOW);
    if (m_bTreeViewMode && m_pwndPageTree) {
        {
            CRefillLock lock(this);
            SelectCurrentPageTreeItem();
        }
        UpdateCaption();
    }
    return result;
}

LRESULT CTreePropSheetBase::OnIsDialogMessage(WPARAM, LPARAM lParam)
{
    // Only the page-switching keys are taken here; every other key, Ctrl+C
    // in a page's edit box included, goes to the standard handling, which
    // dispatches it.
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        switch (msg->wParam) {
        case VK_TAB:
            shift ? ActivatePreviousPage() : ActivateNextPage();
            return 1;
        case VK_PRIOR:
            ActivatePreviousPage();
            return 1;
        case VK_NEXT:
            ActivateNextPage();
            return 1;
        }
    }
    return Default();
}

BOOL CTreePropSheetBase::PreTranslateMessage(MSG* pMsg)
{
    if (m_bSkipEmptyPages && m_pwndPageTree && pMsg->message == WM_KEYDOWN &&
        pMsg->hwnd == m_pwndPageTree->m_hWnd && OnTreeKeyDown(pMsg))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CTreePropSheetBase::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm && m_pwndPageTree && nm->hwndFrom == m_pwndPageTree->m_hWnd) {
        // The handle fields sit at the same place in both character sets.
        auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        switch (nm->code) {
        case TVN_SELCHANGINGW:
        case TVN_SELCHANGINGA:
            *pResult = OnSelChanging(tv);
            return TRUE;
        case TVN_SELCHANGEDW:
        case TVN_SELCHANGEDA:
            *pResult = OnSelChanged(tv);
            return TRUE;
        }
    }
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

LRESULT CTreePropSheetBase::OnEnablePageMessage(WPARAM wParam, LPARAM lParam)
{
    EnablePage(reinterpret_cast<CPropertyPage*>(wParam), lParam != 0);
    return 1;
}

BOOL CTreePropSheetBase::IsPageEnabled(CPropertyPage* pPage) const
{
    auto it = m_pageEnabled.find(pPage);
    return it == m_pageEnabled.end() || it->second;
}

BOOL CTreePropSheetBase::EnablePage(CPropertyPage* pPage, BOOL bEnable)
{
    if (!pPage)
        return FALSE;
    auto entry = m_pageEnabled.emplace(pPage, true).first;
    BOOL previous = entry->second;
    if (bEnable) {
        entry->second = true;
    } else {
        if (m_hWnd && GetActivePage() == pPage) {
            ActivateNextPage();
            if (GetActivePage() == pPage)
                return previous; // no other page to go to
        }
        entry->second = false;
    }
    if (pPage->m_hWnd)
        ::EnableWindow(pPage->m_hWnd, bEnable);
    if (m_pwndPageTree && m_pwndPageTree->m_hWnd) {
        UpdateAllItemColors(m_pwndPageTree->GetRootItem());
        m_pwndPageTree->Invalidate();
    }
    return previous;
}

void CTreePropSheetBase::UpdateAllItemColors(HTREEITEM hItem)
{
    for (; hItem; hItem = m_pwndPageTree->GetNextSiblingItem(hItem)) {
        UpdateItemColor(hItem);
        UpdateAllItemColors(m_pwndPageTree->GetChildItem(hItem));
    }
}

void CTreePropSheetBase::UpdateItemColor(HTREEITEM hItem)
{
    int page = PageOfItem(hItem);
    if (!m_pwndPageTree || page < 0)
        return;
    CPropertyPage* p = GetPage(page);
    COLORREF color = (!p || IsPageEnabled(p)) ? m_pwndPageTree->GetTextColor() : ::GetSysColor(COLOR_GRAYTEXT);
    m_pwndPageTree->SendMessage(m_pwndPageTree->GetEnableTreeItemMessage(), (WPARAM)hItem, (LPARAM)color);
}

} // namespace TreePropSheet
