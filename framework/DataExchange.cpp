// Dialog data exchange.
#include "DataExchange.h"
#include "Prompt.h"
#include "Wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    return m_hWndLastControl;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    HWND h = m_hWndLastControl;
    if (!h || !m_pDlgWnd)
        return;
    m_pDlgWnd->SendMessage(WM_NEXTDLGCTL, (WPARAM)h, TRUE);
    if (::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(h, EM_SETSEL, 0, -1);
}

BOOL AfxSetWindowTextIfChanged(HWND hWnd, LPCWSTR lpszText)
{
    if (!hWnd)
        return FALSE;
    CString now = CWnd(hWnd).GetWindowText();
    if (now == (lpszText ? lpszText : L""))
        return FALSE;
    ::SetWindowTextW(hWnd, lpszText ? lpszText : L"");
    return TRUE;
}

BOOL AfxSetCheckIfChanged(HWND hWnd, int nCheck)
{
    if (!hWnd || (int)::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == nCheck)
        return FALSE;
    ::SendMessageW(hWnd, BM_SETCHECK, (WPARAM)nCheck, 0);
    return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        CWnd(h).GetWindowText(value);
    else
        AfxSetWindowTextIfChanged(h, value);
}

namespace {

bool ParseInt(const CString& text, int& out)
{
    CString t(text);
    t.Trim();
    int i = 0;
    bool negative = false;
    if (t[0] == L'-' || t[0] == L'+') {
        negative = t[0] == L'-';
        ++i;
    }
    if (i >= t.GetLength())
        return false;
    long long v = 0;
    for (; i < t.GetLength(); ++i) {
        WCHAR c = t[i];
        if (c < L'0' || c > L'9')
            return false;
        v = v * 10 + (c - L'0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return false;
    out = (int)v;
    return true;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (!pDX->m_bSaveAndValidate) {
        CString s;
        s.Format(L"%d", value);
        AfxSetWindowTextIfChanged(h, s);
        return;
    }
    int parsed = 0;
    if (ParseInt(CWnd(h).GetWindowText(), parsed)) {
        value = parsed;
        return;
    }
    AfxMessageBox(L"Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageW(h, BM_GETCHECK, 0, 0);
    else
        AfxSetCheckIfChanged(h, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    if (pDX->m_bFailed)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageW(h, CB_GETCURSEL, 0, 0);
    else if ((int)::SendMessageW(h, CB_GETCURSEL, 0, 0) != index)
        ::SendMessageW(h, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->m_bFailed || rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h || !rControl.SubclassWindow(h))
        pDX->Fail();
}
