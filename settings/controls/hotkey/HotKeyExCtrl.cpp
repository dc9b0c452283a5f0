// CHotKeyExCtrl: modes, capture, typing, the indicator square and its menu.
#include "HotKeyExCtrl.h"
#include "Dc.h"
#include "HotKeyCapture.h"
#include "HotkeyFormat.h"
#include "HotkeyText.h"
#include "KeyNameTable.h"
#include "Prompt.h"
#include <string>

const WCHAR CHotKeyExCtrl::NoneText[] = L"<NONE>";
const WCHAR CHotKeyExCtrl::PressText[] = L"Press any key...";
const WCHAR CHotKeyExCtrl::TipText[] = L"Type hotkey directly or click on indicator\nto cycle through hotkey modes";

namespace {

const UINT_PTR kToolId = 1;

// Holds the box's own-text mark while it sets a text.
class COwnTextGuard
{
public:
    explicit COwnTextGuard(int& nCount) : m_nCount(nCount) { ++m_nCount; }
    ~COwnTextGuard() { --m_nCount; }
    COwnTextGuard(const COwnTextGuard&) = delete;
    COwnTextGuard& operator=(const COwnTextGuard&) = delete;

private:
    int& m_nCount;
};

} // namespace

CHotKeyExCtrl::CHotKeyExCtrl()
{
}

CHotKeyExCtrl::~CHotKeyExCtrl()
{
    // Normally ended with the window (WM_DESTROY).
    CHotKeyCapture::Remove(m_hWnd);
}

void CHotKeyExCtrl::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    Setup();
}

void CHotKeyExCtrl::Setup()
{
    // A box made by Create is set up again at WM_CREATE: before it the
    // edit control takes no text and no font.
    if (!m_font.m_hObject)
        m_font.CreatePointFont(90, L"Tahoma");
    SetFont(m_font, FALSE);
    if (GetWindowTextLength() == 0 && ::GetFocus() != m_hWnd)
        SetOwnText(NoneText);
    UpdateFormatRect();
}

CString CHotKeyExCtrl::GetHotkeyText() const
{
    CString text = GetWindowText();
    return text == NoneText ? CString() : text;
}

void CHotKeyExCtrl::SetHotkeyText(LPCWSTR lpszText)
{
    SetOwnText(lpszText && *lpszText ? lpszText : NoneText);
}

void CHotKeyExCtrl::SetOwnText(LPCWSTR lpszText)
{
    if (m_hWnd)
        SetWindowText(lpszText); // WM_SETTEXT marks it as the box's own
}

BOOL CHotKeyExCtrl::HasNoneText() const
{
    return GetWindowText() == NoneText;
}

void CHotKeyExCtrl::SetIndicatorIcons(HICON hEdit, HICON hHotKey, HICON hSide, BOOL bUseIcons)
{
    m_hIconEdit = hEdit;
    m_hIconHotKey = hHotKey;
    m_hIconSide = hSide;
    m_bUseIcons = bUseIcons;
    if (m_hWnd)
        Invalidate();
}

CRect CHotKeyExCtrl::GetIndicatorRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.top += 4;
    rect.left = rect.right - (rect.bottom - rect.top);
    return rect;
}

void CHotKeyExCtrl::UpdateFormatRect()
{
    // The text never runs under the square.
    CRect rect;
    GetClientRect(&rect);
    rect.right -= rect.Height() + 1;
    if (rect.right > rect.left)
        SetRect(&rect);
}

void CHotKeyExCtrl::Notify(WORD nCode)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

BOOL CHotKeyExCtrl::StartCapture()
{
    if (m_bCapturing || CHotKeyCapture::Holder())
        return m_bCapturing;
    if (!CHotKeyCapture::Install(m_hWnd))
        return FALSE;
    memset(m_keyDown, 0, sizeof(m_keyDown));
    m_bCapturing = TRUE;
    m_bCaptured = FALSE;
    if (m_hWnd) {
        m_strSaved = GetWindowText();
        SetFocus();
        SetOwnText(PressText);
        Invalidate();
    }
    return TRUE;
}

void CHotKeyExCtrl::EndCapture()
{
    if (m_bCapturing) {
        if (!m_bCaptured)
            SetOwnText(m_strSaved);
        CHotKeyCapture::Remove(m_hWnd);
        m_bCapturing = FALSE;
        if (m_hWnd)
            Invalidate();
    }
    m_strSaved.Empty();
}

LRESULT CHotKeyExCtrl::OnCaptured(WPARAM wParam, LPARAM lParam)
{
    if (!m_bCapturing)
        return 0;
    BYTE key = BYTE(lParam);
    bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    m_keyDown[key] = down;

    // The modifiers held now; a key without a side counts as the left one.
    struct Side
    {
        BYTE left, right, generic, bit;
    };
    static const Side sides[] = {
        { VK_LWIN, VK_RWIN, 0, HotkeyLWin },
        { VK_LMENU, VK_RMENU, VK_MENU, HotkeyLAlt },
        { VK_LCONTROL, VK_RCONTROL, VK_CONTROL, HotkeyLCtrl },
        { VK_LSHIFT, VK_RSHIFT, VK_SHIFT, HotkeyLShift },
    };
    BYTE modifiers = 0;
    for (const Side& s : sides) {
        if (m_keyDown[s.left] || (s.generic && m_keyDown[s.generic]))
            modifiers |= s.bit;
        if (m_keyDown[s.right])
            modifiers |= BYTE(s.bit << 4);
    }
    std::wstring text;
    FormatHotkeyModifiers(modifiers, m_bRememberSide != FALSE, text);
    if (down && IsCaptureKey(key)) {
        size_t before = text.size();
        AppendKeyName(key, text);
        m_bCaptured = text.size() > before; // a key without a name is not taken
    }
    if (m_bCaptured && m_nBeep)
        AfxMessageBeep(m_nBeep);
    SetOwnText(text.c_str());
    if (m_bCaptured) {
        EndCapture();
        Notify(HKXN_CHANGED);
    }
    return 0;
}

void CHotKeyExCtrl::CycleMode()
{
    if (!m_bCapturing) {
        m_bRememberSide = FALSE;
        StartCapture();
    } else if (!m_bRememberSide) {
        m_bRememberSide = TRUE;
    } else {
        m_bRememberSide = FALSE;
        EndCapture();
    }
    if (m_hWnd)
        Invalidate();
}

void CHotKeyExCtrl::OnMenuCommand(UINT nCommand)
{
    switch (nCommand) {
    case MenuEditMode:
        EndCapture();
        break;
    case MenuHotKeyMode:
        StartCapture();
        break;
    case MenuRememberSide:
        m_bRememberSide = !m_bRememberSide;
        // fall through: the side changes what a hotkey means, so it is cleared
    case MenuClearHotkey:
        SetOwnText(NoneText);
        Notify(HKXN_CLEARED);
        break;
    }
    if (m_hWnd)
        Invalidate();
}

void CHotKeyExCtrl::SetMenuTexts(LPCWSTR lpszModes, LPCWSTR lpszClear)
{
    CString modes(lpszModes);
    int start = 0;
    for (CString& text : m_strModes) {
        if (start > modes.GetLength())
            break;
        int bar = modes.Find(L'|', start);
        int end = bar < 0 ? modes.GetLength() : bar;
        CString part = modes.Mid(start, end - start);
        if (!part.IsEmpty())
            text = part;
        start = end + 1;
    }
    if (lpszClear && *lpszClear)
        m_strClear = lpszClear;
}

BOOL CHotKeyExCtrl::BuildMenu(CMenu& menu) const
{
    if (!menu.CreatePopupMenu())
        return FALSE;
    menu.AppendMenu(MF_STRING, MenuEditMode, m_strModes[0]);
    menu.AppendMenu(MF_STRING, MenuHotKeyMode, m_strModes[1]);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (m_bRememberSide ? MF_CHECKED : 0), MenuRememberSide, m_strModes[2]);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, MenuClearHotkey, m_strClear);
    menu.CheckMenuRadioItem(MenuEditMode, MenuHotKeyMode, m_bCapturing ? MenuHotKeyMode : MenuEditMode,
                            MF_BYCOMMAND);
    return TRUE;
}

void CHotKeyExCtrl::ShowMenu(CPoint point)
{
    CMenu menu;
    if (!BuildMenu(menu))
        return;
    UINT command = (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (command && m_hWnd)
        OnMenuCommand(command);
}

void CHotKeyExCtrl::DrawIndicator(HDC hDC)
{
    CRect rect = GetIndicatorRect();
    if (!hDC || rect.IsRectEmpty())
        return;
    BOOL enabled = IsWindowEnabled();
    COLORREF colour = !enabled ? RGB(128, 128, 128) : !m_bCapturing ? m_crEdit : m_bRememberSide ? m_crSide
                                                                                                   : m_crHotKey;
    if (m_bUseIcons) {
        HICON icon = !enabled ? nullptr : !m_bCapturing ? m_hIconEdit : m_bRememberSide ? m_hIconSide : m_hIconHotKey;
        if (icon) {
            ::DrawIconEx(hDC, rect.left, rect.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
            return;
        }
        CDC dc;
        dc.Attach(hDC);
        dc.FillSolidRect(&rect, enabled && m_bCapturing ? m_crHotKey : colour);
        if (enabled && m_bCapturing && m_bRememberSide)
            dc.FillSolidRect(rect.left + rect.Width() / 2, rect.top, rect.Width() - rect.Width() / 2, rect.Height(),
                             m_crSide);
        dc.Detach();
        return;
    }
    LPCWSTR letter = !enabled ? L"X" : !m_bCapturing ? L"E" : m_bRememberSide ? L"S" : L"H";
    int mode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF old = ::SetTextColor(hDC, colour);
    HGDIOBJ font = ::SelectObject(hDC, m_font.m_hObject ? m_font.m_hObject : (HGDIOBJ)GetFont());
    ::DrawTextW(hDC, letter, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(hDC, font);
    ::SetTextColor(hDC, old);
    ::SetBkMode(hDC, mode);
}

LRESULT CHotKeyExCtrl::OnSetText(WPARAM, LPARAM)
{
    LRESULT result;
    {
        COwnTextGuard guard(m_nOwnText);
        result = Default();
    }
    m_bTyped = FALSE;
    return result;
}

LRESULT CHotKeyExCtrl::OnSetFocus(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (HasNoneText())
        SetOwnText(L"");
    return result;
}

LRESULT CHotKeyExCtrl::OnKillFocus(WPARAM, LPARAM)
{
    LRESULT result = Default();
    EndCapture();
    CString text = GetWindowText();
    if (text.IsEmpty()) {
        SetOwnText(NoneText);
    } else if (m_bTyped && IsValidHotkeyText(text, EngineKeyNameTable())) {
        m_bTyped = FALSE;
        Notify(HKXN_CHANGED);
    }
    return result;
}

LRESULT CHotKeyExCtrl::OnKey(UINT, WPARAM, LPARAM)
{
    // Typing starts in an empty box.
    if (HasNoneText())
        SetOwnText(L"");
    return Default();
}

void CHotKeyExCtrl::OnTextChanged()
{
    if (m_nOwnText)
        return;
    if (GetWindowTextLength() == 0) {
        SetOwnText(NoneText);
        Notify(HKXN_CLEARED);
    } else {
        m_bTyped = TRUE;
    }
}

BOOL CHotKeyExCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // EN_CHANGE is the box's and also goes on to the parent.
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
        OnTextChanged();
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CHotKeyExCtrl::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    ScreenToClient(&point);
    if (GetIndicatorRect().PtInRect(point))
        return HTBORDER;
    (void)wParam;
    return Default();
}

LRESULT CHotKeyExCtrl::OnNcButtonUp(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CPoint client = point;
    ScreenToClient(&client);
    if (wParam != HTBORDER || !GetIndicatorRect().PtInRect(client))
        return Default();
    if (message == WM_NCLBUTTONUP) {
        SetFocus();
        CycleMode();
    } else {
        ShowMenu(point);
    }
    return 0;
}

BOOL CHotKeyExCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (!m_tip.m_hWnd && m_tip.Create(this)) {
        m_tip.SetFont(m_font.m_hObject ? (HFONT)m_font : GetFont(), FALSE);
        m_tip.SetMaxTipWidth(1000);
        m_tip.Activate(TRUE);
        CRect rect;
        GetClientRect(&rect);
        m_tip.AddTool(this, LPSTR_TEXTCALLBACKW, &rect, kToolId);
    }
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(pMsg);
    return CEdit::PreTranslateMessage(pMsg);
}

LRESULT CHotKeyExCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = Default();
        Setup();
        return result;
    }
    case WMU_HOTKEY_CAPTURED:
        return OnCaptured(wParam, lParam);
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus(wParam, lParam);
    case WM_KILLFOCUS:
        return OnKillFocus(wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR:
        return OnKey(message, wParam, lParam);
    case WM_GETDLGCODE:
    case WM_SIZE:
        UpdateFormatRect();
        break;
    case WM_NCHITTEST:
        return OnNcHitTest(wParam, lParam);
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        return OnNcButtonUp(message, wParam, lParam);
    case WM_PAINT: {
        LRESULT result = Default();
        HDC dc = ::GetDC(m_hWnd);
        DrawIndicator(dc);
        ::ReleaseDC(m_hWnd, dc);
        return result;
    }
    case WM_PRINTCLIENT: {
        LRESULT result = Default();
        DrawIndicator((HDC)wParam);
        return result;
    }
    case WM_ENABLE:
        Invalidate();
        break;
    case WM_NCCALCSIZE:
        // The tip is made again over the new client area.
        if (m_tip.m_hWnd)
            m_tip.DestroyWindow();
        break;
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (nm && m_tip.m_hWnd && nm->hwndFrom == m_tip.m_hWnd && nm->code == TTN_GETDISPINFOW) {
            reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(TipText);
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        EndCapture();
        if (m_tip.m_hWnd)
            m_tip.DestroyWindow();
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
