// Functions the settings pages share.
#include "PageFunctions.h"
#include "CommonControls.h"
#include "Controls.h"
#include "DataExchange.h"
#include "Dc.h"
#include <shlwapi.h>

namespace {

const WCHAR kHostPathVariable[] = L"%COMMANDER_PATH%";

bool IsDigit(WCHAR c)
{
    return c >= L'0' && c <= L'9';
}

} // namespace

CString ShortenHostPath(LPCWSTR lpszPath)
{
    CString path(lpszPath);
    WCHAR host[MAX_PATH + 1] = {};
    DWORD n = ::ExpandEnvironmentStringsW(kHostPathVariable, host, MAX_PATH + 1);
    // An unset variable stays "%COMMANDER_PATH%"; an empty one would match
    // every path.
    if (n == 0 || n > MAX_PATH + 1 || !host[0] || host[0] == L'%')
        return path;
    int length = lstrlenW(host);
    if (path.GetLength() >= length && path.Left(length).CompareNoCase(host) == 0)
        return CString(kHostPathVariable) + path.Mid(length);
    return path;
}

void EnableChildrenExcept(CWnd* pDialog, CWnd* pKeep, BOOL bEnable)
{
    if (!pDialog || !pDialog->m_hWnd)
        return;
    HWND keep = pKeep ? pKeep->m_hWnd : nullptr;
    for (HWND h = ::GetWindow(pDialog->m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != keep)
            ::EnableWindow(h, bEnable);
    }
}

BOOL ParseNumberField(LPCWSTR lpszText, int& nValue)
{
    CString text(lpszText);
    text.Trim();
    int i = 0;
    long long number = 0;
    while (i < text.GetLength() && IsDigit(text[i])) {
        number = number * 10 + (text[i] - L'0');
        if (number > 1000000000LL)
            return FALSE; // no width or fill is that large
        ++i;
    }
    if (i == 0)
        return FALSE;
    CString rest = text.Mid(i);
    rest.Trim();
    if (rest.IsEmpty()) {
        nValue = (int)number + 100;
        return TRUE;
    }
    if (rest == L"%") {
        nValue = (int)number;
        return TRUE;
    }
    return FALSE;
}

void DDXMinWidth(CDataExchange* pDX, int nIDC, int& nValue)
{
    const int kMinimum = 50;
    const int kReplacement = 200;
    if (pDX->m_bFailed)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h)
        return;
    if (pDX->m_bSaveAndValidate) {
        CString text = CWnd(h).GetWindowText();
        text.Trim();
        bool number = !text.IsEmpty();
        long long value = 0;
        for (int i = 0; number && i < text.GetLength(); ++i) {
            number = IsDigit(text[i]) && value <= 100000000LL;
            value = value * 10 + (text[i] - L'0');
        }
        if (!number || value < kMinimum) {
            CString replacement;
            replacement.Format(L"%d", kReplacement);
            AfxSetWindowTextIfChanged(h, replacement);
        }
    } else if (nValue < kMinimum) {
        nValue = kReplacement;
    }
    DDX_Text(pDX, nIDC, nValue);
}

void RedecodeUtf8(CString& text)
{
    if (text.IsEmpty())
        return;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    CStringA ansi;
    LPSTR p = ansi.GetBuffer(bytes);
    ::WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), p, bytes, nullptr, nullptr);
    ansi.ReleaseBuffer(bytes);
    int chars = ::MultiByteToWideChar(CP_UTF8, 0, ansi, bytes, nullptr, 0);
    if (chars <= 0)
        return;
    CString wide;
    LPWSTR w = wide.GetBuffer(chars);
    ::MultiByteToWideChar(CP_UTF8, 0, ansi, bytes, w, chars);
    wide.ReleaseBuffer(chars);
    text = wide;
}

BOOL PathFits(CEdit* pEdit, LPCWSTR lpszPath)
{
    if (!pEdit || !pEdit->m_hWnd || !lpszPath)
        return TRUE;
    CRect rect;
    pEdit->GetRect(&rect);
    WCHAR compact[MAX_PATH * 2] = {};
    lstrcpynW(compact, lpszPath, MAX_PATH * 2);
    CClientDC dc(pEdit);
    HFONT font = pEdit->GetFont();
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    ::PathCompactPathW(dc, compact, (UINT)rect.Width());
    if (oldFont)
        ::SelectObject(dc, oldFont);
    return lstrcmpW(compact, lpszPath) == 0;
}

void UpdatePathTip(CEdit* pEdit, CToolTipCtrl* pTip)
{
    if (!pEdit || !pTip || !pEdit->m_hWnd || !pTip->m_hWnd)
        return;
    CString text = pEdit->GetWindowText();
    pTip->UpdateTipText(PathFits(pEdit, text) ? L"" : (LPCWSTR)text, pEdit);
}

CString BackgroundDisplayName(LPCWSTR lpszFile)
{
    CString name(lpszFile);
    for (int cut = 0; cut < 2; ++cut) {
        int dash = name.ReverseFind(L'-');
        if (dash > 0)
            name = name.Left(dash);
    }
    return name;
}

CString FormatFillText(int nFill)
{
    CString text;
    if (nFill <= 100)
        text.Format(L"%d%%", nFill);
    else
        text.Format(L"%d", nFill - 100);
    return text;
}

void FillBackgroundCombo(CWnd* pCombo, const CStringArray& backgrounds, int nSelected)
{
    if (!pCombo || !pCombo->m_hWnd)
        return;
    BOOL choice = backgrounds.GetSize() > 1;
    pCombo->SendMessage(CB_RESETCONTENT);
    for (INT_PTR i = 0; choice && i < backgrounds.GetSize(); ++i)
        pCombo->SendMessage(CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)BackgroundDisplayName(backgrounds[i]));
    pCombo->SendMessage(CB_SETCURSEL, choice ? nSelected : -1);
    pCombo->ShowWindow(choice ? SW_SHOW : SW_HIDE);
    pCombo->EnableWindow(choice);
}
