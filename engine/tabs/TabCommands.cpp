// What the user does with the folder tabs: the colour popup, the tab menu,
// ChronoTabs, the wheel, the jump squares, and the folders restored from the
// host's INI at start-up.
#include "MyTabs.h"
#include <commctrl.h>
#include "ColourPopup.h"
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "HostIniRedirect.h"
#include "IconMenu.h"
#include "PanelObjects.h"
#include "TCProtocol.h"

namespace {

const int TextNoColor = 20;
const int TextMoreColors = 21;

// The popup of the tabs: a settings reload waits while its colour dialog is open.
class CTabColourPopup : public CColourPopup {
public:
    explicit CTabColourPopup(CCommandExecutor& commands) : m_commands(commands) {}

protected:
    INT_PTR RunColourDialog(CColorDialog& dialog) override
    {
        CCommandExecutor::CRunScope hold(m_commands);
        return dialog.DoModal();
    }

private:
    CCommandExecutor& m_commands;
};

CString TextOr(const CEngineContext& engine, int id, LPCWSTR fallback)
{
    CString text = engine.LoadText(id);
    return text.IsEmpty() ? CString(fallback) : text;
}

} // namespace

void CMyTabs::OpenColourPopup(int index)
{
    index = Resolve(index);
    if (!m_engine.Settings().ColoredTabs || !Valid(index))
        return;
    CRect tab;
    TabCtrl_GetItemRect(m_hWnd, index, &tab);
    POINT corner = {tab.left, tab.bottom + 2};
    ::ClientToScreen(m_hWnd, &corner);
    OpenPopupAt(index, corner);
}

void CMyTabs::OpenPopupAt(int index, POINT screen)
{
    m_popupTab = index;
    CColourPopup* popup = new CTabColourPopup(m_engine.Commands());
    if (!popup->Create(GetTabColor(index), m_hWnd, TextOr(m_engine, TextNoColor, L"No Color"),
                       TextOr(m_engine, TextMoreColors, L"More Colors"), screen.x, screen.y))
        delete popup;
}

std::vector<std::pair<int, CString>> CMyTabs::TabListItems() const
{
    std::vector<std::pair<int, CString>> items;
    bool sorted = m_engine.Settings().SortTabList != 0;
    for (int i = 0; i < TabCount(); ++i) {
        CString text = TabText(i);
        auto at = items.end();
        if (sorted)
            for (auto it = items.begin(); it != items.end(); ++it)
                if (lstrcmpiW(it->second, text) > 0) {
                    at = it;
                    break;
                }
        items.insert(at, std::make_pair(i + 1, text));
    }
    return items;
}

void CMyTabs::ShowTabList(POINT screen)
{
    if (!m_hWnd)
        return;
    const EngineSettings& settings = m_engine.Settings();
    CIconMenu menu;
    menu.SetColors(settings.menuColors);
    menu.SetIconSize(GetSystemMetrics(SM_CXSMICON));
    for (const auto& entry : TabListItems()) {
        const CTabInfo& tab = m_tabs[entry.first - 1];
        IconMenuItem* item = new IconMenuItem;
        item->caption = entry.second;
        item->icon = tab.icon;
        if (settings.MarkLockedTabs && (tab.lockState == 2 || tab.lockState == 3)) {
            item->mark = 3;
            item->markColor = tab.lockState == 2 ? settings.LockedTabColor : settings.LockedDCATabColor;
        }
        menu.InsertItem(entry.first, item, 0);
    }
    // A settings reload waits until the menu is closed.
    CCommandExecutor::CRunScope hold(m_engine.Commands());
    int chosen = menu.Track(TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, screen.x, screen.y, this);
    if (chosen <= 0)
        return;
    WCHAR command[16];
    wsprintfW(command, L"%d", (Side() ? 5300 : 5200) + chosen);
    m_engine.Commands().RunCommandByName(command, false);
}

bool CMyTabs::ChronoTabs()
{
    int count = TabCount();
    if (!m_hWnd || count < 2)
        return false;
    int current = CurrentTab();
    int previous = current > 0 ? current - 1 : count - 1;
    m_chronoTarget = previous;
    TabCtrl_SetCurFocus(m_hWnd, previous);
    return true;
}

void CMyTabs::ChronoTabsKeyUp(bool shiftDown)
{
    if (m_chronoTarget < 0 || shiftDown)
        return;
    int target = m_chronoTarget;
    m_chronoTarget = -1;
    ::PostMessageW(m_engine.Host().mainWindow, HostCommandMessage, 5001 + target, 0);
}

void CMyTabs::RestoreFromHost()
{
    LPCWSTR ini = m_engine.Paths().hostIni;
    if (!ini || !ini[0] || !m_decorations)
        return;
    LPCWSTR section = Side() ? L"righttabs" : L"lefttabs";
    int active = ReadHostIniInt(section, L"activetab", 0, ini);
    // The active tab's folder is the panel's path; the others are numbered
    // over the non-active tabs only.
    int other = 0;
    for (int i = 0; i < TabCount(); ++i) {
        WCHAR folder[MAX_PATH * 2] = {};
        if (i == active) {
            ReadHostIniString(Side() ? L"right" : L"left", L"path", L"", folder, MAX_PATH * 2, ini);
        } else {
            WCHAR key[16];
            wsprintfW(key, L"%d_path", other++);
            ReadHostIniString(section, key, L"", folder, MAX_PATH * 2, ini);
        }
        ApplyDecoration(i, folder);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

CRect CMyTabs::JumpSquare(int which) const
{
    HWND path = PathWindow();
    if (!path || !m_hWnd)
        return CRect();
    CRect area;
    ::GetWindowRect(path, &area);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&area, 2);
    int h = area.Height();
    int left = area.right + 1 + which * h;
    return CRect(left, area.top, left + h, area.bottom);
}

LRESULT CMyTabs::OnRButtonUp(WPARAM wParam, LPARAM lParam)
{
    const EngineSettings& settings = m_engine.Settings();
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    if (settings.TabsToFav && JumpSquare(0).PtInRect(point)) {
        ShowTabList(screen);
        return 0;
    }
    if (settings.ColoredTabs && (wParam & MK_CONTROL)) {
        TCHITTESTINFO hit = {point, 0};
        int tab = TabCtrl_HitTest(m_hWnd, &hit);
        if (Valid(tab))
            OpenPopupAt(tab, screen);
        return 0;
    }
    return Default();
}

LRESULT CMyTabs::OnMButtonUp(LPARAM lParam)
{
    LRESULT result = Default();
    if (!m_engine.Settings().JumpBeginEnd)
        return result;
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    HWND list = FileList();
    int which = JumpSquare(0).PtInRect(point) ? 0 : JumpSquare(1).PtInRect(point) ? 1 : -1;
    if (!list || which < 0)
        return result;
    int count = (int)::SendMessageW(list, LB_GETCOUNT, 0, 0);
    if (count > 0) {
        // The first or the last row as shown; the engine's list object takes
        // the host index of that row.
        int row = which == 0 ? 0 : count - 1;
        CTCFileList* rows = m_engine.Panels().fileList[Side()];
        int index = rows && rows->Window() == list ? rows->MapRowToHost(row) : row;
        ::SendMessageW(list, LB_SETCARETINDEX, index, FALSE);
    }
    ::SetFocus(list);
    return result;
}

LRESULT CMyTabs::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    return ScrollByWheel(wParam, lParam) ? 0 : Default();
}

bool CMyTabs::ScrollByWheel(WPARAM wParam, LPARAM lParam)
{
    HWND arrows = ::FindWindowExW(m_hWnd, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows || !::IsWindowVisible(arrows) || TabCount() == 0)
        return false;
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ::ScreenToClient(m_hWnd, &point);
    CRect row;
    TabCtrl_GetItemRect(m_hWnd, 0, &row);
    if (point.y < 0 || point.y >= row.bottom)
        return false;
    int position = LOWORD(::SendMessageW(arrows, UDM_GETPOS, 0, 0));
    if (GET_WHEEL_DELTA_WPARAM(wParam) > 0)
        position = position + 1 <= TabCount() ? position + 1 : TabCount();
    else
        position = position > 0 ? position - 1 : 0;
    ::SendMessageW(m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    return true;
}
