// CDialog: creation, the modal run and the standard commands.
#include "Dialog.h"
#include "DataExchange.h"
#include "WinApp.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

void AfxInitCommonControls()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
}

HWND AfxGetModalOwner(CWnd* pParentWnd)
{
    HWND h = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!h)
        h = ::GetActiveWindow();
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        h = main ? main->m_hWnd : nullptr;
    }
    if (h)
        h = ::GetAncestor(h, GA_ROOT);
    return (h && ::IsWindow(h)) ? h : nullptr;
}

void CModalOwner::Disable(HWND hWndOwner)
{
    m_hWnd = nullptr;
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        m_hWnd = hWndOwner;
    }
}

void CModalOwner::Restore(HWND hWndModal)
{
    HWND h = m_hWnd;
    m_hWnd = nullptr;
    if (!h || !::IsWindow(h))
        return;
    ::EnableWindow(h, TRUE);
    if (hWndModal && ::GetActiveWindow() == hWndModal)
        ::SetActiveWindow(h);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate))
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(lpszTemplateName)
{
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    if (!lpDialogTemplate)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

LPCDLGTEMPLATEW CDialog::ResolveTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return nullptr;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(hInst, m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    HGLOBAL data = res ? ::LoadResource(hInst, res) : nullptr;
    return data ? static_cast<LPCDLGTEMPLATEW>(::LockResource(data)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEW lpTemplate, HWND hWndParent)
{
    if (m_hWnd || !lpTemplate)
        return FALSE;
    AfxInitCommonControls();
    HWND h;
    {
        CCreationHook hook(this);
        h = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), lpTemplate, hWndParent, &CDialog::DialogProc,
                                         reinterpret_cast<LPARAM>(this));
    }
    // A dialog destroyed during its creation (its owner went, or
    // OnInitDialog destroyed it) is reported as a failure.
    return h && ::IsWindow(h) && FromHandlePermanent(h) == this;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // Normally the creation hook has attached the object and WM_INITDIALOG
    // went to WindowProc; this is the way when the hook was not available.
    auto* p = reinterpret_cast<CDialog*>(lParam);
    if (!p || p->m_hWnd || CWnd::FromHandlePermanent(hWnd) || !p->SubclassWindow(hWnd))
        return TRUE;
    try {
        return p->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogTemplate = nullptr;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(ResolveTemplate(), pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEW tmpl = ResolveTemplate();
    if (!tmpl || m_hWnd)
        return -1;
    HWND owner = PreModal();
    m_owner.Disable(owner);
    m_bModal = true;
    m_bEnded = false;
    m_nEndResult = -1;
    int result = -1;
    if (CreateFromTemplate(tmpl, owner)) {
        if (m_bEnded) {
            result = m_nEndResult;
        } else {
            if (!IsWindowVisible())
                ShowWindow(SW_SHOWNORMAL);
            result = RunModalLoop();
        }
    }
    m_bModal = false;
    PostModal();
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_nEndResult = nResult;
    if (m_bModal) {
        m_bEnded = true;
        EndModalLoop(nResult);
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // The dialog keys (Tab, Enter, Esc, mnemonics) of the dialog's own controls.
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    if (bSaveAndValidate) {
        DoDataExchange(&dx);
    } else {
        CLoadingGuard loading(this);
        DoDataExchange(&dx);
    }
    return !dx.m_bFailed;
}
