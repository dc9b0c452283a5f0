// CPropertySheet and CPropertyPage.
#include "PropertySheet.h"
#include "WinApp.h"
#include <vector>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption)
{
    m_psp = {};
}

CPropertyPage::CPropertyPage(LPCDLGTEMPLATEW lpTemplate, LPCWSTR lpszCaption) : m_strCaption(lpszCaption)
{
    m_lpDialogTemplate = lpTemplate;
    m_psp = {};
}

void CPropertyPage::PreparePsp()
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags &= ~(PSP_DLGINDIRECT | PSP_USETITLE);
    m_psp.hInstance = AfxGetResourceHandle();
    if (m_lpDialogTemplate) {
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = m_lpDialogTemplate;
    } else {
        m_psp.pszTemplate = m_lpszTemplateName;
    }
    if (m_nIDCaption && m_strCaption.IsEmpty())
        m_strCaption.LoadString(m_nIDCaption);
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    m_psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // lParam is comctl32's copy of our PROPSHEETPAGE; its lParam the page.
    auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    auto* page = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (!page || page->m_hWnd || CWnd::FromHandlePermanent(hWnd) || !page->SubclassWindow(hWnd))
        return TRUE;
    page->m_bFirstSetActive = true;
    try {
        return page->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which filled the controls.
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    return TRUE;
}

void CPropertyPage::OnReset()
{
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (sheet)
        ::SendMessageW(sheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (sheet)
        ::SendMessageW(sheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (!nm || !m_hWnd || nm->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    LRESULT r;
    switch (nm->code) {
    case PSN_SETACTIVE:
        r = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        r = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        r = 0;
        break;
    case PSN_QUERYCANCEL:
        r = OnQueryCancel() ? FALSE : TRUE;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    if (m_hWnd)
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, r);
    *pResult = r;
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(LPCWSTR lpszCaption, CWnd* pParentWnd, UINT iSelectPage) : m_strCaption(lpszCaption)
{
    CommonConstruct(pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_pParentWnd = pParentWnd;
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_DEFAULT;
    m_psh.nStartPage = iSelectPage;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return (nPage >= 0 && nPage < GetPageCount()) ? m_pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[i] == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return (int)m_psh.nStartPage;
    HWND cur = (HWND)SendMessage(PSM_GETCURRENTPAGEHWND);
    for (int i = 0; cur && i < GetPageCount(); ++i) {
        if (m_pages[i]->m_hWnd == cur)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return (BOOL)SendMessage(PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCWSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    if (m_hWnd) {
        SendMessage(PSM_SETTITLEW, nStyle, (LPARAM)(LPCWSTR)m_strCaption);
        return;
    }
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    pPage->m_pSheet = this;
    m_pages.Add(pPage);
    if (!m_hWnd)
        return;
    pPage->PreparePsp();
    HPROPSHEETPAGE h = ::CreatePropertySheetPageW(&pPage->m_psp);
    if (h && SendMessage(PSM_ADDPAGE, 0, (LPARAM)h))
        return;
    if (h)
        ::DestroyPropertySheetPage(h);
    m_pages.RemoveAt(m_pages.GetSize() - 1);
    pPage->m_pSheet = nullptr;
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int i = GetPageIndex(pPage);
    if (i >= 0)
        RemovePage(i);
}

void CPropertySheet::RemovePage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return;
    // The page list matches the tab control while the sheet handles the
    // removal; the sheet destroys the page's window and its page handle.
    m_pages.RemoveAt(nPage);
    page->m_pSheet = nullptr;
    if (m_hWnd)
        SendMessage(PSM_REMOVEPAGE, nPage, 0);
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    std::vector<HPROPSHEETPAGE> handles;
    for (int i = 0; i < GetPageCount(); ++i) {
        m_pages[i]->m_pSheet = this;
        m_pages[i]->PreparePsp();
        HPROPSHEETPAGE h = ::CreatePropertySheetPageW(&m_pages[i]->m_psp);
        if (!h) {
            for (HPROPSHEETPAGE made : handles)
                ::DestroyPropertySheetPage(made);
            return FALSE;
        }
        handles.push_back(h);
    }
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = (m_psh.dwFlags | PSH_MODELESS) & ~PSH_PROPSHEETPAGE;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)handles.size();
    m_psh.phpage = handles.empty() ? nullptr : handles.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    HWND h;
    {
        CCreationHook hook(this);
        h = (HWND)::PropertySheetW(&m_psh);
    }
    m_psh.phpage = nullptr;
    if (!h || h == (HWND)(INT_PTR)-1 || !::IsWindow(h))
        return FALSE;
    if (FromHandlePermanent(h) == this)
        return TRUE;
    // The hook could not be set: subclass now, after its initialisation.
    if (SubclassWindow(h))
        return TRUE;
    ::DestroyWindow(h);
    return FALSE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateSheet(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND owner = AfxGetModalOwner(m_pParentWnd);
    m_owner.Disable(owner);
    int result = -1;
    if (CreateSheet(owner)) {
        int ended = RunModalLoop();
        if (ended != -1)
            result = ended; // EndDialog
        else if (m_hWnd && !SendMessage(PSM_GETCURRENTPAGEHWND))
            result = (INT_PTR)SendMessage(PSM_GETRESULT) > 0 ? IDOK : IDCANCEL;
    }
    m_owner.Restore(m_hWnd);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return result;
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (IsInModalLoop())
        EndModalLoop(nEndID);
    else if (m_hWnd)
        DestroyWindow();
}

BOOL CPropertySheet::ContinueModal()
{
    return CWnd::ContinueModal() && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    return (BOOL)Default();
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}
