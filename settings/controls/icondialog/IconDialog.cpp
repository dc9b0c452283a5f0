// CIconDialog: the run of the shell's pick-icon dialog and its hook.
#include "IconDialog.h"
#include "Prompt.h"
#include <shellapi.h>

namespace {

// The picker whose hook runs on this thread: a hook procedure has no
// argument of its own to find it by.
thread_local CIconDialog* t_pPicker = nullptr;

} // namespace

void CIconDialog::ExpandPath(LPCWSTR lpszPath, LPWSTR lpszBuffer)
{
    WCHAR expanded[MAX_PATH];
    DWORD needed = ::ExpandEnvironmentStringsW(lpszPath, expanded, MAX_PATH);
    if (needed > 0 && needed <= MAX_PATH)
        lstrcpynW(lpszBuffer, expanded, MAX_PATH);
    else if (lstrlenW(lpszPath) < MAX_PATH)
        lstrcpynW(lpszBuffer, lpszPath, MAX_PATH);
    else
        lpszBuffer[0] = 0;
}

CIconDialog::CIconDialog(LPCWSTR lpszPath, int nIndex, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_nIndex(nIndex)
{
    if (lpszPath && *lpszPath)
        ExpandPath(lpszPath, m_szPath);
}

CIconDialog::~CIconDialog()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

bool CIconDialog::IsPicking()
{
    return t_pPicker != nullptr;
}

INT_PTR CIconDialog::DoModal()
{
    HWND owner = PreModal();
    bool ownerEnabled = owner && ::IsWindowEnabled(owner);
    CIconDialog* outer = t_pPicker;
    t_pPicker = this;
    m_bClearPressed = false;
    m_hShellDialog = m_hClearButton = nullptr;
    m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndHook, nullptr, ::GetCurrentThreadId());

    // The shell works on a copy: a cancelled run keeps the earlier choice.
    WCHAR path[MAX_PATH];
    lstrcpynW(path, m_szPath, MAX_PATH);
    int index = m_nIndex;
    int shell = AfxGetPromptService().PickIcon(owner, path, MAX_PATH, &index);
    path[MAX_PATH - 1] = 0;

    // The button dies with the shell's dialog; its window may be gone.
    if (m_hClearButton && ::IsWindow(m_hClearButton))
        ::DestroyWindow(m_hClearButton);
    m_hClearButton = m_hShellDialog = nullptr;
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    m_hHook = nullptr;
    t_pPicker = outer;
    bool cleared = m_bClearPressed;
    m_bClearPressed = false;

    INT_PTR result = IconCancelled;
    if (cleared) {
        result = IconCleared;
    } else if (shell == 1) {
        // Only 1 is OK: some shells answer -1 without showing anything.
        ExpandPath(path, m_szPath);
        m_nIndex = index;
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        m_nIconCount = (UINT)(UINT_PTR)::ExtractIconW(instance, m_szPath, (UINT)-1);
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        m_hIcon = ::ExtractIconW(instance, m_szPath, (UINT)index);
        if (m_hIcon == (HICON)1) // a file that is no icon source
            m_hIcon = nullptr;
        result = IconChosen;
    }
    // The owner is enabled again as it was, whatever the shell left.
    if (ownerEnabled && ::IsWindow(owner) && !::IsWindowEnabled(owner))
        ::EnableWindow(owner, TRUE);
    return result;
}

void CIconDialog::AddClearButton(HWND hDialog)
{
    m_hShellDialog = hDialog;
    HWND ok = ::GetDlgItem(hDialog, IDOK);
    HWND anchor = ::GetDlgItem(hDialog, AnchorId);
    if (!ok || !anchor)
        return;
    RECT okRect, anchorRect;
    ::GetWindowRect(ok, &okRect);
    ::GetWindowRect(anchor, &anchorRect);
    ::MapWindowPoints(nullptr, hDialog, (LPPOINT)&okRect, 2);
    ::MapWindowPoints(nullptr, hDialog, (LPPOINT)&anchorRect, 2);
    m_hClearButton = ::CreateWindowExW(0, L"BUTTON", m_strClearText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                       anchorRect.left, okRect.top, okRect.right - okRect.left,
                                       okRect.bottom - okRect.top, hDialog, (HMENU)(INT_PTR)ClearButtonId,
                                       ::GetModuleHandleW(nullptr), nullptr);
    if (m_hClearButton)
        ::SendMessageW(m_hClearButton, WM_SETFONT, ::SendMessageW(ok, WM_GETFONT, 0, 0), FALSE);
}

LRESULT CALLBACK CIconDialog::CallWndHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    CIconDialog* picker = t_pPicker;
    if (nCode == HC_ACTION && picker) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        // The first dialog initialised during the run is the shell's.
        if (call->message == WM_INITDIALOG && !picker->m_hShellDialog) {
            picker->AddClearButton(call->hwnd);
        } else if (call->message == WM_COMMAND && LOWORD(call->wParam) == ClearButtonId && picker->m_hClearButton &&
                   call->hwnd == picker->m_hShellDialog && (HWND)call->lParam == picker->m_hClearButton) {
            picker->m_bClearPressed = true;
            ::EndDialog(call->hwnd, 0);
        }
    }
    return ::CallNextHookEx(picker ? picker->m_hHook : nullptr, nCode, wParam, lParam);
}
