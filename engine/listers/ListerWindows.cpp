#include "ListerWindows.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "Framework.h"
#include "MenuHotkeyTexts.h"
#include "TCProtocol.h"
#include <strsafe.h>
#include <vector>

namespace {

const WCHAR ListerClass[] = L"TLister";
// Properties of a Lister whose procedure is replaced for one sent WM_CLOSE.
const WCHAR PreviousProcProperty[] = L"MerovinListerProc";
const WCHAR OwnerProperty[] = L"MerovinListerOwner";

const int CloseAllText = 51;
const WCHAR CloseAllDefault[] = L"Close All";
const int MultiListerText = 121;
const WCHAR MultiListerDefault[] = L"This Lister is open for several files.\nClose it anyway?";
// Host command that shows the quick view.
const WPARAM HostQuickView = 304;
// Longest text of the system-menu item, its null included.
const int MenuTextLength = 128;

bool HasClass(HWND window, LPCWSTR name, bool ignoreCase = false)
{
    WCHAR found[64] = {};
    if (!window || !GetClassNameW(window, found, 64))
        return false;
    return (ignoreCase ? lstrcmpiW(found, name) : lstrcmpW(found, name)) == 0;
}

bool IsLister(HWND window)
{
    return HasClass(window, ListerClass, true);
}

// The top-level Lister windows of the current thread.
std::vector<HWND> ThreadListers()
{
    std::vector<HWND> listers;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (HasClass(window, ListerClass))
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listers));
    return listers;
}

int FindItem(HMENU menu, UINT id)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuItemID(menu, i) == id)
            return i;
    return -1;
}

bool IsSeparator(HMENU menu, int position)
{
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

} // namespace

void CListerWindows::AddMenuItems()
{
    if (!m_engine.Settings().CloseAllListers)
        return;
    for (HWND lister : ThreadListers())
        AddMenuItem(lister);
}

void CListerWindows::RemoveMenuItems()
{
    for (HWND lister : ThreadListers()) {
        RemoveMenuItem(lister);
        RestoreProcedure(lister);
    }
}

void CListerWindows::AddMenuItem(HWND lister)
{
    HMENU menu = GetSystemMenu(lister, FALSE);
    if (!menu || FindItem(menu, ListerCloseAllId) >= 0)
        return;
    CString label = m_engine.LoadText(CloseAllText);
    if (label.IsEmpty())
        label = CloseAllDefault;
    LPCWSTR hotkey = m_engine.MenuHotkeyTexts().Text(CmdCloseAllListers);
    WCHAR text[MenuTextLength];
    if (hotkey && *hotkey)
        StringCchPrintfW(text, MenuTextLength, L"%s\t%s", (LPCWSTR)label, hotkey);
    else
        StringCchCopyW(text, MenuTextLength, label);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ListerCloseAllId, text);
}

void CListerWindows::RemoveMenuItem(HWND lister)
{
    HMENU menu = GetSystemMenu(lister, FALSE);
    int position = menu ? FindItem(menu, ListerCloseAllId) : -1;
    if (position < 0)
        return;
    DeleteMenu(menu, position, MF_BYPOSITION);
    if (position > 0 && IsSeparator(menu, position - 1))
        DeleteMenu(menu, position - 1, MF_BYPOSITION);
}

int CListerWindows::CloseAll(bool checkFocus)
{
    if (checkFocus && !IsLister(GetAncestor(GetFocus(), GA_ROOT)))
        return 0;
    for (HWND lister : ThreadListers())
        PostMessageW(lister, WM_CLOSE, 0, 0);
    return 1;
}

bool CListerWindows::ConfirmClose(HWND lister)
{
    if (!m_engine.Settings().CheckMultiLister)
        return true;
    HMENU bar = GetMenu(lister);
    if (!bar || GetMenuItemCount(bar) < MultiListerMenuItems)
        return true;
    // The question's own message loop passes through the hook again: a
    // second Esc or WM_CLOSE for this Lister must not stack another one.
    if (!m_asking.insert(lister).second)
        return false;
    CString text = m_engine.LoadText(MultiListerText);
    if (text.IsEmpty())
        text = MultiListerDefault;
    text.Replace(L"|", L"\n");
    int answer = IDCANCEL;
    try {
        answer = AfxGetPromptService().MessageBox(lister, text, L"Merovin", MB_OKCANCEL | MB_ICONQUESTION);
    } catch (...) {
    }
    m_asking.erase(lister);
    return answer == IDOK;
}

void CListerWindows::OnGetMessage(MSG& message)
{
    switch (message.message) {
    case WM_CLOSE:
        if (IsLister(message.hwnd) && !ConfirmClose(message.hwnd))
            message.message = WM_NULL;
        break;
    case WM_KEYDOWN:
        if (message.wParam == VK_ESCAPE) {
            // The key goes to the Lister's focused child.
            HWND root = GetAncestor(message.hwnd, GA_ROOT);
            if (IsLister(root) && !ConfirmClose(root))
                message.message = WM_NULL;
        }
        break;
    case WM_SYSCOMMAND:
        if (message.wParam == ListerCloseAllId && IsLister(message.hwnd))
            CloseAll(false);
        break;
    default:
        break;
    }
}

void CListerWindows::CheckSentClose(HWND lister)
{
    if (!IsLister(lister) || GetPropW(lister, OwnerProperty))
        return;
    LONG_PTR previous = GetWindowLongPtrW(lister, GWLP_WNDPROC);
    if (!previous)
        return;
    SetPropW(lister, PreviousProcProperty, reinterpret_cast<HANDLE>(previous));
    SetPropW(lister, OwnerProperty, reinterpret_cast<HANDLE>(this));
    SetWindowLongPtrW(lister, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OneShotListerProc));
}

void CListerWindows::RestoreProcedure(HWND lister)
{
    HANDLE previous = GetPropW(lister, PreviousProcProperty);
    if (!previous)
        return;
    if (GetWindowLongPtrW(lister, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(OneShotListerProc))
        SetWindowLongPtrW(lister, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(lister, PreviousProcProperty);
    RemovePropW(lister, OwnerProperty);
}

LRESULT CALLBACK CListerWindows::OneShotListerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(window, PreviousProcProperty));
    CListerWindows* owner = reinterpret_cast<CListerWindows*>(GetPropW(window, OwnerProperty));
    RestoreProcedure(window);
    if (!previous)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_CLOSE && owner) {
        bool close = true;
        try {
            close = owner->ConfirmClose(window);
        } catch (...) {
        }
        if (!close)
            return 0;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

HWND CListerWindows::QuickView() const
{
    HWND main = m_engine.Host().mainWindow;
    if (!main || !IsWindow(main))
        return nullptr;
    HWND found = nullptr;
    EnumChildWindows(
        main,
        [](HWND window, LPARAM result) -> BOOL {
            if (!HasClass(window, ListerClass))
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool CListerWindows::NextQuickViewApplies()
{
    const EngineSettings& settings = m_engine.Settings();
    if (!settings.NextQuickView)
        return false;
    HWND view = QuickView();
    if (!view)
        return settings.NextQuickViewOpen != 0;
    HWND focus = GetFocus();
    return focus != view && !IsChild(view, focus);
}

int CListerWindows::NextQuickView()
{
    if (!m_engine.Settings().NextQuickView)
        return 0;
    HWND focus = GetFocus();
    HWND view = QuickView();
    if (view)
        SendMessageW(view, WM_CHAR, L'4', 1);
    else if (m_engine.Settings().NextQuickViewOpen)
        PostMessageW(m_engine.Host().mainWindow, HostCommandMessage, HostQuickView, 0);
    else
        return 0;
    if (focus && IsWindow(focus))
        SetFocus(focus);
    return 1;
}
