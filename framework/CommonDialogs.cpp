// The common dialogs through the prompt service.
#include "CommonDialogs.h"
#include "Prompt.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_defExt(lpszDefExt)
{
    m_szFileName[0] = 0;
    if (lpszFileName)
        lstrcpynW(m_szFileName, lpszFileName, (int)(sizeof(m_szFileName) / sizeof(WCHAR)));
    if (lpszFilter) {
        // "a|b||" becomes the system's "a\0b\0\0".
        m_filter = lpszFilter;
        for (WCHAR& c : m_filter) {
            if (c == L'|')
                c = 0;
        }
        m_filter.push_back(0);
    }
    m_ofn = {};
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = (DWORD)(sizeof(m_szFileName) / sizeof(WCHAR));
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : (LPCWSTR)m_defExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    CPromptService& prompt = AfxGetPromptService();
    BOOL ok = m_bOpenFileDialog ? prompt.GetOpenFileName(&m_ofn) : prompt.GetSaveFileName(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    for (COLORREF& c : m_customColors)
        c = RGB(255, 255, 255);
    m_cc = {};
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = clrInit;
    m_cc.lpCustColors = m_customColors;
    m_cc.Flags = dwFlags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    return AfxGetPromptService().ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}
