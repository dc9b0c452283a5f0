// CDialog: modal and modeless dialogs from a template resource or an
// in-memory template.
//
// The dialog window is subclassed by the creation hook before its first
// message, so WM_INITDIALOG reaches OnInitDialog through WindowProc and
// every message the dialog handles there is answered directly (results of
// WM_NOTIFY handlers need no DWLP_MSGRESULT).
//
// DoModal is a modeless dialog plus the framework's modal loop: the owner
// (the parent's top-level window, else the thread's active window) is
// disabled, each message is offered to PreTranslateMessage from its window
// up to the dialog (whose own PreTranslateMessage does the dialog keys), and
// the loop ends on EndDialog. It returns the EndDialog code, or -1 when the
// dialog could not be created or its loop ended otherwise (the dialog was
// destroyed, for instance with its owner, or WM_QUIT arrived, which is then
// posted again). The owner is enabled again only when it still exists.
//
// Data exchange: DoDataExchange binds controls to members (DataExchange.h);
// UpdateData(FALSE) fills the controls and holds the dialog's "loading"
// flag meanwhile, so change handlers that test IsLoading() stay quiet.
#pragma once

#include <windows.h>
#include "Wnd.h"

class CDataExchange;

// The window a modal window with this parent is owned by: the parent's
// top-level window, else the thread's active window, else the application's
// main window; NULL when there is none.
HWND AfxGetModalOwner(CWnd* pParentWnd);

// Disables a modal window's owner for the time of its loop.
class CModalOwner
{
public:
    // Disables hWndOwner when it is enabled (NULL: nothing).
    void Disable(HWND hWndOwner);
    // Enables the owner again when it still exists, and activates it when
    // hWndModal is the active window.
    void Restore(HWND hWndModal);

private:
    HWND m_hWnd = nullptr;
};

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() {}
    // A template resource of the application's resource module.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // An in-memory template for DoModal; the caller keeps it alive.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    // Modeless creation.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Ends the modal loop with nResult; a modeless dialog is hidden.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    virtual void DoDataExchange(CDataExchange* pDX);
    // FALSE when a control's value was refused (the control has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL IsLoading() const { return m_nLoading > 0; }

    // Holds the dialog's loading flag while it lives (nesting allowed).
    class CLoadingGuard
    {
    public:
        explicit CLoadingGuard(CDialog* pDialog) : m_pDialog(pDialog) { ++m_pDialog->m_nLoading; }
        ~CLoadingGuard() { --m_pDialog->m_nLoading; }
        CLoadingGuard(const CLoadingGuard&) = delete;
        CLoadingGuard& operator=(const CLoadingGuard&) = delete;

    private:
        CDialog* m_pDialog;
    };

    void GotoDlgCtrl(HWND hWndCtrl) { SendMessage(WM_NEXTDLGCTL, (WPARAM)hWndCtrl, TRUE); }
    void NextDlgCtrl() { SendMessage(WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() { SendMessage(WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() { return (DWORD)SendMessage(DM_GETDEFID); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    // The owner a modal dialog of this object gets (AfxGetModalOwner).
    HWND PreModal() { return AfxGetModalOwner(m_pParentWnd); }
    // Enables again what DoModal disabled, when it still exists.
    void PostModal() { m_owner.Restore(m_hWnd); }

    CWnd* m_pParentWnd = nullptr;
    LPCWSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATEW m_lpDialogTemplate = nullptr;

protected:
    // Creates the dialog window from the template, owned by hWndParent.
    BOOL CreateFromTemplate(LPCDLGTEMPLATEW lpTemplate, HWND hWndParent);
    // The template named by m_lpszTemplateName or m_lpDialogTemplate.
    LPCDLGTEMPLATEW ResolveTemplate() const;
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_nLoading = 0;

private:
    bool m_bModal = false;
    bool m_bEnded = false; // EndDialog ran before the modal loop started
    int m_nEndResult = -1;
    CModalOwner m_owner;
};

// Loads the common-controls classes (list views, trees, tabs, ...) once for
// the calling process; dialogs and control wrappers call it before creation.
void AfxInitCommonControls();
