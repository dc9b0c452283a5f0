// The folder-tab object: the host's tab messages, moves, colours and their
// persistence, icons and the timed icons of a folder change.
#include "MyTabs.h"
#include <commctrl.h>
#include "ColorSetting.h"
#include "ColourPopup.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "HostTreeSnapshot.h"
#include "TCProtocol.h"

IMPLEMENT_DYNAMIC(CMyTabs, CWnd)
IMPLEMENT_DYNAMIC(CIconList, CImageList)

namespace {

const int TabIconResource = 4008;
const DWORD MoveWindowMs = 500;

LPCWSTR ColourSection(int side)
{
    return side ? L"RightTabColors" : L"LeftTabColors";
}

} // namespace

int CIconList::AddIcon(HICON icon)
{
    for (INT_PTR i = 0; i < m_icons.GetSize(); ++i)
        if (m_icons[i] == icon)
            return (int)i;
    if (Add(icon) < 0)
        return -1;
    m_icons.Add(icon);
    return (int)m_icons.GetSize() - 1;
}

void CIconList::Clear()
{
    m_icons.RemoveAll();
    DeleteImageList();
}

CMyTabs::~CMyTabs()
{
    DetachTabs();
}

bool CMyTabs::InitTabs(HWND tabs)
{
    if (!AttachTo(tabs))
        return false;
    const EngineSettings& settings = m_engine.Settings();
    m_tabs.SetSize(TabCtrl_GetItemCount(m_hWnd));
    if (!TabCtrl_GetImageList(m_hWnd) && m_icons.CreateSmall()) {
        HICON placeholder = (HICON)LoadImageW(m_engine.EngineInstance(), MAKEINTRESOURCEW(TabIconResource),
                                              IMAGE_ICON, 16, 16, LR_SHARED);
        if (placeholder)
            m_icons.AddIcon(placeholder);
        TabCtrl_SetImageList(m_hWnd, m_icons.GetSafeHandle());
    }
    m_coloredTabs = settings.ColoredTabs;
    m_tabsAttached = true;
    if (settings.ColoredTabs && settings.KeepTabColors)
        LoadTabColors(ColourSection(Side()), m_engine.Paths().settingsFile);
    if (ProcessAgeMs() < 3000)
        RestoreFromHost();
    ReadLockStates();
    return true;
}

void CMyTabs::DetachTabs()
{
    // The control's WM_DESTROY and the teardown both come here: only the
    // first may save, or the second would empty the saved section.
    if (!m_tabsAttached)
        return;
    m_tabsAttached = false;
    for (CTimedIcon& timed : m_timed) {
        m_engine.KillTimer(EngineTimer::TabApply, timed.key);
        if (timed.owned && timed.icon)
            DestroyIcon(timed.icon);
    }
    m_timed.clear();
    bool live = m_hWnd && ::IsWindow(m_hWnd);
    ++m_insertGuard; // own changes: no lock query, no folder rules
    for (int i = 0; live && i < TabCount(); ++i) {
        TCITEMW item = {};
        item.mask = TCIF_IMAGE;
        item.iImage = -1;
        ::SendMessageW(m_hWnd, TCM_SETITEMW, i, (LPARAM)&item);
    }
    --m_insertGuard;
    const EngineSettings& settings = m_engine.Settings();
    if (settings.KeepTabColors && TabCount() > 0) {
        LPCWSTR file = m_engine.Paths().settingsFile;
        WritePrivateProfileStringW(ColourSection(Side()), nullptr, nullptr, file);
        SaveTabColors(ColourSection(Side()), file);
    }
    for (INT_PTR i = 0; i < m_tabs.GetSize(); ++i)
        ReleaseIcon(m_tabs[i]);
    m_tabs.RemoveAll();
    m_paintDc.DeleteDC();
    m_paintBitmap.DeleteObject();
    if (m_icons.GetSafeHandle()) {
        if (live && TabCtrl_GetImageList(m_hWnd) == m_icons.GetSafeHandle())
            TabCtrl_SetImageList(m_hWnd, nullptr);
        m_icons.Clear();
    }
}

const CTabInfo* CMyTabs::Tab(int index) const
{
    return Valid(index) ? &m_tabs[index] : nullptr;
}

int CMyTabs::CurrentTab() const
{
    return m_hWnd ? TabCtrl_GetCurSel(m_hWnd) : -1;
}

CString CMyTabs::TabText(int index) const
{
    WCHAR text[MAX_PATH] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!m_hWnd || !::SendMessageW(m_hWnd, TCM_GETITEMW, index, (LPARAM)&item))
        return CString();
    return CString(text);
}

void CMyTabs::SetTabColor(COLORREF colour, int index, bool force)
{
    index = Resolve(index);
    if (!Valid(index) || (!force && m_tabs[index].colourSet))
        return;
    m_tabs[index].colour = colour;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

COLORREF CMyTabs::GetTabColor(int index) const
{
    index = Resolve(index);
    return Valid(index) ? m_tabs[index].colour : TabNoColor;
}

void CMyTabs::SaveTabColors(LPCWSTR section, LPCWSTR file) const
{
    for (int i = TabCount() - 1; i >= 0; --i) {
        const CTabInfo& tab = m_tabs[i];
        if (tab.colour == TabNoColor || !tab.colourSet)
            continue;
        WCHAR key[16], value[16];
        wsprintfW(key, L"%c%d", Side() ? L'R' : L'L', i);
        wsprintfW(value, L"#%02X%02X%02X", GetRValue(tab.colour), GetGValue(tab.colour), GetBValue(tab.colour));
        WritePrivateProfileStringW(section, key, value, file);
    }
}

void CMyTabs::LoadTabColors(LPCWSTR section, LPCWSTR file)
{
    for (int i = TabCount() - 1; i >= 0; --i) {
        WCHAR key[16], value[33] = {};
        wsprintfW(key, L"%c%d", Side() ? L'R' : L'L', i);
        GetPrivateProfileStringW(section, key, L"", value, 33, file);
        if (!value[0]) {
            SetTabColor(TabNoColor, i, false);
            continue;
        }
        SetTabColor(ParseColorText(value, TabNoColor), i, false);
        m_tabs[i].colourSet = TRUE;
    }
}

void CMyTabs::ReleaseIcon(CTabInfo& tab)
{
    if (tab.iconOwned && tab.icon)
        DestroyIcon(tab.icon);
    tab.icon = nullptr;
    tab.iconOwned = false;
}

void CMyTabs::SetTabIcon(HICON icon, int index, bool owned)
{
    if (index == -1) {
        StartTimedIcon(icon, CLR_INVALID, owned); // keeps the tab's colour
        return;
    }
    if (!Valid(index)) {
        if (owned && icon)
            DestroyIcon(icon);
        return;
    }
    CTabInfo& tab = m_tabs[index];
    if (tab.icon != icon) {
        ReleaseIcon(tab);
        tab.icon = icon;
    }
    tab.iconOwned = owned && icon;
    TCITEMW item = {};
    item.mask = TCIF_IMAGE;
    ::SendMessageW(m_hWnd, TCM_GETITEMW, index, (LPARAM)&item);
    int image = icon ? 0 : -1;
    if (item.iImage != image) {
        int rows = TabCtrl_GetRowCount(m_hWnd);
        item.iImage = image;
        ++m_insertGuard;
        ::SendMessageW(m_hWnd, TCM_SETITEMW, index, (LPARAM)&item);
        --m_insertGuard;
        if (TabCtrl_GetRowCount(m_hWnd) != rows)
            Relayout();
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMyTabs::SetTabIconAndColor(HICON icon, COLORREF colour, int index, bool owned)
{
    if (index != -1) {
        SetTabColor(colour, index, false);
        SetTabIcon(icon, index, owned);
        return;
    }
    StartTimedIcon(icon, colour, owned);
}

void CMyTabs::StartTimedIcon(HICON icon, COLORREF colour, bool owned)
{
    CTimedIcon timed = {CurrentTab(), icon, owned, ((++m_timerSerial) << 1) | UINT_PTR(Side()), colour};
    m_timed.push_back(timed);
    if (!m_engine.StartTimer(EngineTimer::TabApply, timed.key, 200))
        OnTimedIcon(timed.key); // no timer: applied at once rather than lost
}

bool CMyTabs::OnTimedIcon(UINT_PTR key)
{
    for (size_t i = 0; i < m_timed.size(); ++i) {
        if (m_timed[i].key != key)
            continue;
        CTimedIcon timed = m_timed[i];
        m_timed.erase(m_timed.begin() + i);
        m_engine.KillTimer(EngineTimer::TabApply, key);
        int tab = CurrentTab();
        if (timed.colour != CLR_INVALID)
            SetTabColor(timed.colour, tab, false);
        SetTabIcon(timed.icon, Valid(tab) ? tab : -2, timed.owned);
        return true;
    }
    return false;
}

void CMyTabs::Relayout()
{
    // The host lays out its panels again on a size change.
    HWND main = m_engine.Host().mainWindow;
    RECT r;
    if (!main || !::GetWindowRect(main, &r))
        return;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SendMessageW(main, WM_SETREDRAW, FALSE, 0);
    ::SetWindowPos(main, nullptr, 0, 0, r.right - r.left - 2, r.bottom - r.top, flags);
    ::SendMessageW(main, WM_SETREDRAW, TRUE, 0);
    ::SetWindowPos(main, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
}

int CMyTabs::ReadLockState(int index) const
{
    if (!m_engine.Settings().MarkLockedTabs || !m_lockQuery)
        return 0;
    return m_lockQuery(this, index);
}

void CMyTabs::ReadLockStates()
{
    for (int i = 0; i < TabCount(); ++i)
        m_tabs[i].lockState = ReadLockState(i);
}

void CMyTabs::ApplyDecoration(int index, LPCWSTR folder)
{
    TabDecoration decoration;
    if (!m_decorations || !folder || !folder[0] || !m_decorations->Decorate(Side(), folder, decoration))
        return;
    SetTabColor(decoration.colour, index, false);
    SetTabIcon(decoration.icon, index, decoration.iconOwned);
}

LRESULT CMyTabs::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TCM_INSERTITEMA: // the host's: it carries a wide item
    case TCM_INSERTITEMW:
        return OnInsertItem(wParam, lParam);
    case TCM_DELETEITEM:
        return OnDeleteItem(wParam);
    case TCM_DELETEALLITEMS:
        return OnDeleteAllItems();
    case TCM_SETITEMW:
        return OnSetItem(wParam, lParam);
    case WMU_COLOR_SELENDOK:
        return OnColourChosen(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk();
    case WM_RBUTTONUP:
        return OnRButtonUp(wParam, lParam);
    case WM_MBUTTONUP:
        return OnMButtonUp(lParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    }
    return CPanelWnd::WindowProc(message, wParam, lParam);
}

LRESULT CMyTabs::OnInsertItem(WPARAM wParam, LPARAM lParam)
{
    // The host's insert carries a wide item.
    const TCITEMW* item = reinterpret_cast<const TCITEMW*>(lParam);
    int position = (int)wParam;
    int match = -1;
    if (item && (item->mask & TCIF_TEXT) && item->pszText) {
        for (int i = TabCount() - 1; i >= 0 && match < 0; --i)
            if (TabText(i) == item->pszText)
                match = i;
    }
    ++m_insertGuard;
    LRESULT inserted = DefWindowProc(TCM_INSERTITEMW, wParam, lParam);
    --m_insertGuard;
    if (inserted < 0)
        return inserted;
    int at = (int)inserted <= TabCount() ? (int)inserted : TabCount();
    m_tabs.InsertAt(at, CTabInfo());
    if (match >= 0) {
        m_moveTick = GetTickCount();
        m_moveFrom = match + (position < match ? 1 : 0);
        m_moveTo = at;
    }
    return inserted;
}

LRESULT CMyTabs::OnDeleteItem(WPARAM wParam)
{
    int index = (int)wParam;
    if (index == m_moveFrom && GetTickCount() - m_moveTick <= MoveWindowMs && Valid(m_moveFrom) &&
        Valid(m_moveTo)) {
        // The moved tab keeps its colour and whether the user chose it.
        SetTabColor(m_tabs[m_moveFrom].colour, m_moveTo, false);
        m_tabs[m_moveTo].colourSet = m_tabs[m_moveFrom].colourSet;
    }
    m_moveFrom = m_moveTo = -1;
    ++m_insertGuard;
    LRESULT deleted = Default();
    --m_insertGuard;
    if (deleted && Valid(index)) {
        ReleaseIcon(m_tabs[index]);
        m_tabs.RemoveAt(index);
    }
    return deleted;
}

LRESULT CMyTabs::OnDeleteAllItems()
{
    m_moveFrom = m_moveTo = -1;
    LRESULT deleted = Default();
    if (deleted) {
        for (INT_PTR i = 0; i < m_tabs.GetSize(); ++i)
            ReleaseIcon(m_tabs[i]);
        m_tabs.RemoveAll();
    }
    return deleted;
}

LRESULT CMyTabs::OnSetItem(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    int index = (int)wParam;
    if (m_insertGuard || !Valid(index))
        return result;
    m_tabs[index].lockState = ReadLockState(index);
    const TCITEMW* item = reinterpret_cast<const TCITEMW*>(lParam);
    if (item && (item->mask & TCIF_TEXT) && index == CurrentTab()) {
        WCHAR folder[MAX_PATH * 2] = {};
        if (HWND path = PathWindow())
            ::GetWindowTextW(path, folder, MAX_PATH * 2);
        // The path window shows the folder with its file mask.
        if (WCHAR* slash = wcsrchr(folder, L'\\'))
            if (wcschr(slash, L'*') || wcschr(slash, L'?'))
                slash[slash == folder || slash[-1] == L':' ? 1 : 0] = 0;
        ApplyDecoration(index, folder);
    }
    return result;
}

LRESULT CMyTabs::OnColourChosen(WPARAM wParam)
{
    SetTabColor((COLORREF)wParam, m_popupTab, true);
    if (Valid(m_popupTab))
        m_tabs[m_popupTab].colourSet = TRUE;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 0;
}

LRESULT CMyTabs::OnLButtonDblClk()
{
    if (!m_engine.Settings().DblClickGotoDir)
        return Default();
    ::PostMessageW(m_engine.Host().mainWindow, HostCommandMessage, 3011, 0);
    return 0;
}

LRESULT CMyTabs::OnDestroy()
{
    DetachTabs();
    return Default();
}

HWND CMyTabs::PathWindow() const
{
    const HostTreeSnapshot& tree = m_engine.Tree();
    HWND path = tree.valid ? tree.bar2[Side()] : nullptr;
    return path && ::IsWindow(path) ? path : nullptr;
}

HWND CMyTabs::FileList() const
{
    const HostTreeSnapshot& tree = m_engine.Tree();
    HWND list = tree.valid ? tree.fileList[Side()] : nullptr;
    return list && ::IsWindow(list) ? list : nullptr;
}

int CMyTabs::ProcessAgeMs()
{
    FILETIME creation, exitTime, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user))
        return 3000;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = creation.dwLowDateTime;
    a.HighPart = creation.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    if (b.QuadPart < a.QuadPart)
        return 0;
    ULONGLONG ms = (b.QuadPart - a.QuadPart) / 10000;
    return ms > 0x7FFFFFFF ? 0x7FFFFFFF : (int)ms;
}
