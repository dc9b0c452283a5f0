// Dialog data exchange: binds dialog controls to members in
// DoDataExchange, in both directions.
//
//     void CMyPage::DoDataExchange(CDataExchange* pDX)
//     {
//         DDX_Check(pDX, IDC_ENABLE, m_enable);
//         DDX_Text(pDX, IDC_FILL, m_fillText);
//         DDX_CBIndex(pDX, IDC_STYLE, m_style);
//         DDX_Control(pDX, IDC_COLOR, m_colorButton);
//     }
//
// Loading (UpdateData(FALSE)) sets a control only when its value differs:
// an edit reports EN_CHANGE on every WM_SETTEXT, so an unchanged value must
// not look like a change. Saving reads the controls; a value that cannot be
// taken is reported through the prompt service, its control gets the focus,
// and the rest of the exchange is skipped (UpdateData returns FALSE).
#pragma once

#include <windows.h>
#include "Strings.h"

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;

    // The control with this id (NULL when missing); remembered for Fail.
    HWND PrepareCtrl(int nIDC);
    // Marks the exchange failed and gives the last control the focus (an
    // edit's text is selected).
    void Fail();

private:
    HWND m_hWndLastControl = nullptr;
};

// Set a control's text or check state only when it differs; TRUE when the
// control changed.
BOOL AfxSetWindowTextIfChanged(HWND hWnd, LPCWSTR lpszText);
BOOL AfxSetCheckIfChanged(HWND hWnd, int nCheck);

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A decimal integer with an optional sign; other text is refused.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a combo box (-1: none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control with rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
