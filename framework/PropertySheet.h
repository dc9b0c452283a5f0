// CPropertySheet and CPropertyPage over the comctl32 property sheet.
//
// The sheet is always made modeless (PSH_MODELESS); its window is
// subclassed by the creation hook before its WM_INITDIALOG, which reaches
// OnInitDialog. DoModal runs the framework's modal loop over it, with the
// owner disabled, until PSM_GETCURRENTPAGEHWND answers NULL (OK or Cancel
// pressed) or EndDialog; it returns IDOK when the sheet ended with OK, else
// IDCANCEL (read with PSM_GETRESULT: the program needs comctl32 version 6,
// see the manifest), and -1 when the sheet could not be made or went away
// otherwise.
// The sheet's PreTranslateMessage hands the sheet's keyboard and mouse
// messages to PSM_ISDIALOGMESSAGE, sent to the sheet window (so a derived
// sheet can take it in WindowProc).
//
// A page's window is made by comctl32 when the page is first shown; the
// page takes its object from the PROPSHEETPAGE lParam at WM_INITDIALOG and
// is subclassed then. Pages answer the sheet's notifications through
// DWLP_MSGRESULT (and their window procedure's result):
//   PSN_SETACTIVE    OnSetActive: FALSE refuses the activation (-1);
//   PSN_KILLACTIVE   OnKillActive: FALSE keeps the page (TRUE);
//   PSN_APPLY        OnApply: FALSE keeps the sheet open on this page
//                    (PSNRET_INVALID_NOCHANGEPAGE), TRUE accepts;
//   PSN_RESET        OnReset;
//   PSN_QUERYCANCEL  OnQueryCancel: FALSE refuses to cancel (TRUE).
// Pages never shown get no notification. Pages can be added and removed
// while the sheet runs.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "Collections.h"
#include "Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // A template resource of the application's resource module; the
    // caption is string nIDCaption (0: the template's caption).
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    // An in-memory template, kept by the caller while the sheet exists.
    explicit CPropertyPage(LPCDLGTEMPLATEW lpTemplate, LPCWSTR lpszCaption = nullptr);

    virtual BOOL OnSetActive();
    // Default: takes the controls' data (UpdateData(TRUE)).
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // Enables or disables the sheet's Apply button for this page.
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();
    // The sheet the page was added to (NULL before).
    CPropertySheet* GetSheet() const { return m_pSheet; }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The sheet handles the dialog keys of its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A page does not end a dialog: the sheet's buttons end the sheet.
    void OnOK() override {}
    void OnCancel() override {}

    PROPSHEETPAGEW m_psp;

private:
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Fills m_psp for CreatePropertySheetPage.
    void PreparePsp();

    UINT m_nIDCaption = 0;
    CString m_strCaption;
    bool m_bFirstSetActive = true;
    CPropertySheet* m_pSheet = nullptr;

    friend class CPropertySheet;
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(LPCWSTR lpszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Before the sheet exists the page is only listed; afterwards it is
    // added to the running sheet (PSM_ADDPAGE).
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    HWND GetTabControl() const { return (HWND)SendMessage(PSM_GETTABCONTROL); }
    void SetTitle(LPCWSTR lpszText, UINT nStyle = 0);
    BOOL PressButton(int nButton) { return (BOOL)SendMessage(PSM_PRESSBUTTON, nButton); }

    virtual INT_PTR DoModal();
    // A modeless sheet.
    virtual BOOL Create(CWnd* pParentWnd = nullptr);
    // Ends the modal loop with nEndID; a modeless sheet is destroyed.
    void EndDialog(int nEndID);

    virtual BOOL OnInitDialog();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

    // The header as comctl32 gets it; set flags (PSH_NOAPPLYNOW, ...) and
    // the start page before the sheet is made. PSH_MODELESS is always added.
    PROPSHEETHEADERW m_psh;
    CWnd* m_pParentWnd = nullptr;

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    BOOL CreateSheet(HWND hWndParent);

    CArray<CPropertyPage*, CPropertyPage*> m_pages;
    CString m_strCaption;
    CModalOwner m_owner;
};
