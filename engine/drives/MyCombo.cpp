#include "MyCombo.h"
#include <dbt.h>
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "GoToPath.h"
#include "HostTreeSnapshot.h"
#include "IconMenu.h"
#include "IconMenuWnd.h"
#include "TCProtocol.h"

namespace {

const WCHAR ComboLetterSet[] = L"+*\\0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const int ComboLetterCount = 49;
// A click this soon after the menu closed is the click that closed it.
const DWORD ReopenDelay = 100;

void Trace(LPCWSTR format, int value)
{
    CString line;
    line.Format(format, value);
    OutputDebugStringW(line);
}

} // namespace

CMyCombo::CMyCombo(CEngineContext& engine, int side) : CPanelWnd(engine, side) {}

CMyCombo::~CMyCombo()
{
    FreeMenuIcons();
    FreeCustomIcons();
    DetachFromWindow();
}

void CMyCombo::SetStyle(bool alphabetic, UINT style)
{
    m_alphabetic = alphabetic ? 1 : 0;
    m_style = style;
    FreeCustomIcons();
    if (style & DriveListCustomIcons)
        LoadCustomIcons();
    m_units = SizeUnits();
    m_units.Read(m_engine.LoadText(15));
}

void CMyCombo::LoadCustomIcons()
{
    for (int i = 0; i < DriveMenuCustomIcons; ++i) {
        CString text;
        text.Format(L"%smvdl.icl,%d", m_engine.Paths().engineFolder.GetString(), i);
        m_customIcons[i] = IconFromText(text, m_engine.Host().extractIcons);
    }
}

void CMyCombo::FreeCustomIcons()
{
    for (HICON& icon : m_customIcons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

HICON CMyCombo::CustomIcon(int index) const
{
    return (m_style & DriveListCustomIcons) ? m_customIcons[index] : nullptr;
}

LRESULT CMyCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk();
    case CB_SHOWDROPDOWN:
        return OnShowDropDown(wParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(message, wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus(wParam);
    case WM_MENUCHAR:
        return MenuCharacter(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    case WM_DEVICECHANGE:
        return OnDeviceChange();
    case WM_DESTROY:
        return OnDestroy();
    }
    return CPanelWnd::WindowProc(message, wParam, lParam);
}

// The host's own handling of the click is skipped: the host is asked to open
// its drive list, which reaches us as CB_SHOWDROPDOWN.
LRESULT CMyCombo::OnLButtonDown()
{
    if (GetTickCount() - m_lastClose <= ReopenDelay)
        return 0;
    HWND main = m_engine.Host().mainWindow;
    if (main)
        ::PostMessageW(main, HostCommandMessage, Side() == 0 ? 131 : 231, 0);
    return 0;
}

LRESULT CMyCombo::OnLButtonDblClk()
{
    m_dropping = 1;
    ShowDriveMenu();
    m_dropping = 0;
    m_lastClose = GetTickCount();
    return 0;
}

LRESULT CMyCombo::OnShowDropDown(WPARAM show)
{
    HWND capture = ::GetCapture();
    BOOL dropped = BOOL(::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
    if (show && !(capture && capture == m_engine.Host().mainWindow) && !dropped)
        m_dropping = 1;
    Default();
    if (show && m_dropping)
        ShowDriveMenu();
    m_dropping = 0;
    m_lastClose = GetTickCount();
    return 0;
}

// The host's list shows for a moment while the engine's menu replaces it.
LRESULT CMyCombo::OnCtlColor(UINT message, WPARAM, LPARAM lParam)
{
    LRESULT brush = Default();
    if (m_dropping && message == WM_CTLCOLORLISTBOX) {
        COMBOBOXINFO info = {sizeof info};
        HWND list = reinterpret_cast<HWND>(lParam);
        if (GetComboBoxInfo(m_hWnd, &info) && info.hwndList == list)
            ::ShowWindow(list, SW_HIDE);
    }
    return brush;
}

LRESULT CMyCombo::OnSetFocus(WPARAM previous)
{
    LRESULT result = Default();
    m_prevFocus = reinterpret_cast<HWND>(previous);
    return result;
}

LRESULT CMyCombo::OnDeviceChange()
{
    ::SendMessageW(m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    if (m_openMenu) {
        CIconMenuWnd* owner = m_openMenu->GetOwnerWnd();
        if (owner && owner->m_hWnd)
            ::PostMessageW(owner->m_hWnd, WM_CANCELMODE, 0, 0);
    }
    return TRUE;
}

LRESULT CMyCombo::OnDestroy()
{
    LRESULT result = Default();
    DetachFromWindow();
    return result;
}

void CMyCombo::ShowDriveMenu()
{
    if (m_openMenu)
        return;
    // A settings reload arriving inside the menu waits until it is closed.
    CCommandExecutor::CRunScope running(m_engine.Commands());
    // The click skipped the host: the focus is still where the user left it.
    HWND focus = ::GetFocus();
    if (focus && focus != m_hWnd)
        m_prevFocus = focus;

    CIconMenu* menu = new CIconMenu;
    BuildDriveMenu(*menu);

    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HDEVNOTIFY notify = RegisterDeviceNotificationW(m_hWnd, &filter,
                                                    DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    m_menuCharIndex = -1;
    m_openMenu = menu;
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    int id = menu->Track(TPM_RECURSE | TPM_NONOTIFY | TPM_RETURNCMD, rect.left, rect.bottom, this);
    m_openMenu = nullptr;
    if (notify)
        UnregisterDeviceNotification(notify);
    OutputDebugStringW(L"ShowDropDown\n");
    ::SendMessageW(m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    Trace(L"Item %d selected\n", id);
    ApplyChoice(*menu, id);
    delete menu;
    FreeMenuIcons();
}

void CMyCombo::ApplyChoice(CIconMenu& menu, int id)
{
    WCHAR letter = 0;
    CString caption;
    if (id == 0) {
        if (m_menuCharIndex == -1) {
            RestoreFocus();
            return;
        }
        letter = m_chosenLetter;
    } else {
        IconMenuItem* item = menu.GetItem(UINT(id), FALSE);
        if (!item) {
            RestoreFocus();
            return;
        }
        caption = item->caption;
        int mode = Side() == 0 ? GoToLeft : GoToRight;
        if (caption == Text(14)) {
            letter = L'\\';
        } else if (caption == Text(17)) {
            letter = L'+';
        } else if (caption == Text(18)) {
            letter = L'*';
        } else if (UINT(id) > DriveMenuCommandLast) {
            GoToPath(m_engine, item->data, mode, false);
            RestoreFocus();
            return;
        } else if (UINT(id) >= DriveMenuCommandFirst) {
            m_engine.Commands().RunCommandByName(item->data, true);
            RestoreFocus();
            return;
        } else {
            letter = caption[0];
        }
        Trace(L"Letter %c\n", letter);
        if (m_shareBase && UINT(id) >= m_shareBase) {
            // A share's caption is its name in the client's folder.
            CString path = caption;
            if (!(path.GetLength() > 2 && path[1] == L':') && path.Left(2) != L"\\\\")
                path = L"\\\\tsclient\\" + caption;
            GoToPath(m_engine, path, mode, false);
            RestoreFocus();
            return;
        }
    }
    StartDriveSwitch(letter);
}

void CMyCombo::StartDriveSwitch(WCHAR letter)
{
    int index = ComboIndex(letter);
    bool special = letter == L'\\' || letter == L'+' || letter == L'*' || iswdigit(letter);
    WCHAR root[4] = {letter, L':', L'\\', 0};
    // A drive that cannot be used and a row the host's list lacks switch nothing.
    if (index < 0 || (!special && m_drives.DriveType(root) < DRIVE_REMOVABLE)) {
        m_sources->Beep();
        return;
    }
    m_switchIndex = index;
    m_switchCommand = MAKEWPARAM(::GetDlgCtrlID(m_hWnd), CBN_SELCHANGE);
    m_engine.StartTimer(EngineTimer::DriveSwitch, UINT_PTR(Side()), 100);
}

void CMyCombo::OnDriveSwitchTimer()
{
    if (m_switchIndex < 0 || !m_hWnd)
        return;
    int index = m_switchIndex;
    m_switchIndex = -1;
    ::SendMessageW(m_hWnd, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, m_switchCommand, LPARAM(m_hWnd));
}

void CMyCombo::RestoreFocus()
{
    if (!m_prevFocus || !::IsWindow(m_prevFocus))
        return;
    ::SetFocus(m_prevFocus);
    if (m_prevFocus == m_engine.Tree().commandEdit)
        ::SendMessageW(m_prevFocus, EM_SETSEL, WPARAM(-1), 0);
}

LRESULT CMyCombo::MenuCharacter(WCHAR ch, UINT, HMENU menu)
{
    if (ch == L'$')
        return MAKELRESULT(0, MNC_SELECT);
    if (ch == L'#') {
        int count = menu ? GetMenuItemCount(menu) : 0;
        return MAKELRESULT(count > 0 ? count - 1 : 0, MNC_SELECT);
    }
    if ((m_style & DriveListAnyLanguage) && ch >= 128) {
        SHORT key = m_sources->KeyScan(ch);
        if (key != -1 && LOBYTE(key) < 128)
            ch = WCHAR(LOBYTE(key));
    }
    ch = WCHAR(towupper(ch));
    m_chosenLetter = ch;
    m_menuCharIndex = ComboIndex(ch);
    return m_menuCharIndex >= 0 ? MAKELRESULT(0, MNC_CLOSE) : 0;
}

void CMyCombo::ReadComboLetters()
{
    memset(m_comboLetters, 0, sizeof m_comboLetters);
    int count = int(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && i < ComboLetterCount; ++i) {
        int length = int(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, WPARAM(i), 0));
        if (length <= 0)
            continue;
        std::vector<WCHAR> text(size_t(length) + 1, 0);
        ::SendMessageW(m_hWnd, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()));
        CharUpperW(text.data());
        LPCWSTR at = wcspbrk(text.data(), ComboLetterSet);
        m_comboLetters[i] = at ? *at : L' ';
    }
}

int CMyCombo::ComboIndex(WCHAR letter) const
{
    if (!letter)
        return -1;
    for (int i = 0; i < ComboLetterCount; ++i)
        if (m_comboLetters[i] == letter)
            return i;
    return -1;
}

CString CMyCombo::Text(int id) const
{
    CString text = m_engine.LoadText(id);
    if (!text.IsEmpty())
        return text;
    switch (id) {
    case 10: return L"Removable";
    case 11: return L"Network";
    case 12: return L"CD/DVD";
    case 13: return L"RAM";
    case 14: return L"Network && Plugins";
    case 16: return L"Special Folders";
    case 17: return L"My Computer";
    case 18: return L"My Documents";
    case 19: return L"Portable devices";
    default: return CString();
    }
}

void CMyCombo::FreeMenuIcons()
{
    for (HICON icon : m_menuIcons) {
        if (DestroyIcon(icon))
            ++m_iconsFreed;
    }
    m_menuIcons.clear();
}
