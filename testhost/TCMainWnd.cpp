#include "TCMainWnd.h"
#include "HostProtocol.h"
#include "TCClasses.h"
#include "TCHostApp.h"
#include "ResourceCounts.h"
#include "TCOptions.h"
#include "TCShot.h"
#include <commctrl.h>

using namespace TCHost;

static const int ClientWidth = 1000, ClientHeight = 672;

bool CTCMainWnd::Create(const CTCOptions& options)
{
    m_options = &options;
    m_refuseClose = options.m_refuseClose;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT rc = {0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&rc, style, FALSE);
    m_hwnd = CreateWindowExW(0, L"TTOTAL_CMD", L"Total Commander (stand-in)", style, 0, 0, rc.right - rc.left,
                           rc.bottom - rc.top, nullptr, nullptr, TheApp().Instance(), nullptr);
    if (!m_hwnd)
        return false;
    ShowWindow(m_hwnd, SW_SHOW);
    return true;
}

void CTCMainWnd::BuildTree()
{
    if (m_treeBuilt)
        return;
    m_treeBuilt = true;
    const CTCOptions& o = *m_options;
    HINSTANCE inst = TheApp().Instance();
    m_buttonBar = CreateWindowExW(0, L"Window", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                o.m_ftp ? 700 : ClientWidth, 28, m_hwnd, nullptr, inst, nullptr);
    RECT left = {0, 28, 498, 628}, right = {502, 28, 1000, 628};
    if (o.m_stacked) {
        left = {0, 28, 1000, 328};
        right = {0, 330, 1000, 628};
    }
    m_panels[0].m_side = 0;
    m_panels[1].m_side = 1;
    m_panels[0].Create(m_hwnd, o, (o.m_tabs & TabsLeft) != 0, left);
    m_panels[1].Create(m_hwnd, o, (o.m_tabs & TabsRight) != 0, right);

    m_bottomBar = CreateWindowExW(0, L"Window", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 628,
                                ClientWidth, 44, m_hwnd, nullptr, inst, nullptr);
    m_cmdLabel = CreateWindowExW(0, L"Window", L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 20, m_bottomBar, nullptr, inst, nullptr);
    m_cmdCombo = CreateWindowExW(0, L"LCLComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                               300, 0, 700, 200, m_bottomBar, nullptr, inst, nullptr);
    SendMessageW(m_cmdCombo, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    m_cmdEdit = GetWindow(m_cmdCombo, GW_CHILD);
    // The function-key bar is created right after the command line: its next sibling.
    m_fkeyBar = CreateWindowExW(0, L"Window", L"F3 View   F4 Edit   F5 Copy   F6 Move   F7 NewFolder   F8 Delete   Alt+F4 Exit",
                              WS_CHILD | WS_VISIBLE, 0, 22, ClientWidth, 22, m_bottomBar, nullptr, inst, nullptr);
    if (m_cmdEdit)
        HookInput(m_cmdEdit);

    if (o.m_ftp) {
        m_ftpPanel = CreateWindowExW(0, L"Window", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 700, 0,
                                   300, 28, m_hwnd, nullptr, inst, nullptr);
        m_ftpCombo = CreateWindowExW(0, L"LCLComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 150, 200,
                                   m_ftpPanel, nullptr, inst, nullptr);
        m_ftpList = CreateWindowExW(0, L"LCLListBox", L"W_FtpLogList", WS_CHILD | WS_VISIBLE, 152, 0, 148, 28, m_ftpPanel,
                                  nullptr, inst, nullptr);
    }
    for (int side = 0; side < 2; ++side)
        m_panels[side].SetFolder(o.m_folders[side]);
    std::wstring label = m_panels[0].m_folder + L">";
    SetWindowTextW(m_cmdLabel, label.c_str());
    SetFocus(m_panels[0].m_list);
    TheApp().Log(CTCLogLine(L"tree").AddWindow(L"main", m_hwnd).AddWindow(L"left", m_panels[0].m_list)
                     .AddWindow(L"right", m_panels[1].m_list));
}

int CTCMainWnd::SideOfList(HWND wnd) const
{
    if (wnd && wnd == m_panels[0].m_list) return 0;
    if (wnd && wnd == m_panels[1].m_list) return 1;
    return -1;
}

HWND CTCMainWnd::OnQuery(int code)
{
    const CTCPanel& l = m_panels[0];
    const CTCPanel& r = m_panels[1];
    switch (code) {
    case 1: return l.m_list;
    case 2: return r.m_list;
    case 3: return m_panels[m_activeSide].m_list;
    case 4: return m_panels[1 - m_activeSide].m_list;
    case 5: return l.m_bars[CTCPanel::BarHeader];
    case 6: return r.m_bars[CTCPanel::BarHeader];
    case 7: case 24: return l.m_bars[CTCPanel::BarFree];
    case 8: case 25: return r.m_bars[CTCPanel::BarFree];
    case 9: return l.m_bars[CTCPanel::BarPath];
    case 10: return r.m_bars[CTCPanel::BarPath];
    case 11: return l.m_bars[CTCPanel::BarStatus];
    case 12: return r.m_bars[CTCPanel::BarStatus];
    case 13: return l.m_drive;
    case 14: return r.m_drive;
    case 15: return l.m_panel;
    case 16: return r.m_panel;
    case 17: return m_bottomBar;
    case 20: return m_cmdCombo;
    case 21: return m_fkeyBar;
    case 26: return l.m_tabs;
    case 27: return r.m_tabs;
    case 28: return m_buttonBar;
    default: return nullptr;  // 18, 19, 22, 23, 29: no such windows here
    }
}

LRESULT CALLBACK CTCMainWnd::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CTCMainWnd& self = TheApp().Main();
    if (!self.m_hwnd)
        self.m_hwnd = wnd;
    if (wnd != self.m_hwnd)
        return DefWindowProcW(wnd, msg, wParam, lParam);
    return self.OnMessage(msg, wParam, lParam);
}

void CTCMainWnd::PaintMain(HDC dc)
{
    RECT rc;
    GetClientRect(m_hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CTCMainWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        PaintMain(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintMain((HDC)wParam);
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_COMMAND:
    case WM_NOTIFY:
        return OnChildMessage(m_hwnd, msg, wParam, lParam);
    case HostQueryMessage:
        return (LRESULT)OnQuery((int)wParam);
    case HostCommandMessage:
        return OnHostCommand(wParam, lParam);
    case WM_COPYDATA:
        return OnCopyData((HWND)wParam, (const COPYDATASTRUCT*)lParam);
    case WM_TIMER:
        if (wParam == TimerLateWindows) {
            KillTimer(m_hwnd, TimerLateWindows);
            BuildTree();
            TheApp().SignalReady();
            TheApp().Log(CTCLogLine(L"ready").Add(L"late", 1));
        } else if (wParam == TimerCreateWindows) {
            OnCreateWindows(0, 0);
        }
        return 0;
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        TheApp().Log(CTCLogLine(L"destroy"));
        PostQuitMessage(0);
        return 0;
    case MsgFlush:
        TheApp().Log(CTCLogLine(L"flush").Add(L"token", (long long)lParam));
        TheApp().SignalFlush();
        return 1;
    case MsgSetFocus:
        return OnSetFocusRequest((HWND)wParam);
    case MsgLogMark:
        return TheApp().LogCount();
    case MsgLoadPlugin:
        return TheApp().LoadPlugin() ? 1 : 0;
    case MsgUnloadPlugin:
        return TheApp().Plugin().Unload() ? 1 : 0;
    case MsgShowWindow:
        return OnShowWindow((int)wParam, lParam);
    case MsgDestroyWindow: {
        HWND w = (HWND)wParam;
        if (!IsWindow(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() || w == m_hwnd)
            return 0;
        return DestroyWindow(w) ? 1 : 0;
    }
    case MsgMessageBox:
        OnMessageBoxRequest(lParam);
        return 0;
    case MsgSetTabLock: {
        int side = wParam ? 1 : 0, tab = LOWORD(lParam), lock = HIWORD(lParam);
        CTCPanel& p = m_panels[side];
        if (tab >= (int)p.m_tabLocks.size() || lock > 2)
            return 0;
        p.m_tabLocks[tab] = lock;
        return 1;
    }
    case MsgSetRefuseClose:
        m_refuseClose = wParam != 0;
        return 1;
    case MsgRecreate:
        return (LRESULT)OnRecreate(wParam ? 1 : 0, (int)lParam);
    case MsgCreateWindows:
        return OnCreateWindows((int)wParam, (int)lParam);
    case MsgMoveTab:
        return m_panels[LOWORD(wParam) ? 1 : 0].MoveTab(LOWORD(lParam), HIWORD(lParam), HIWORD(wParam)) ? 1 : 0;
    case MsgLogDump:
        return LogPluginDump();
    case MsgCountColour:
        return CountWindowColour((HWND)wParam, (COLORREF)lParam);
    case MsgCountResources:
        return wParam == GdiObjects       ? ResourceCount::GdiObjects()
               : wParam == WindowObjects  ? ResourceCount::Windows()
               : wParam == FreeTlsIndexes ? ResourceCount::FreeTlsIndexes()
                                          : ResourceCount::KernelHandles();
    case WM_SIZE:
        TheApp().Log(CTCLogLine(L"size").Add(L"cx", (long long)LOWORD(lParam)).Add(L"cy", (long long)HIWORD(lParam)));
        break;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

LRESULT CTCMainWnd::OnChildMessage(HWND from, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* mis = (MEASUREITEMSTRUCT*)lParam;
        bool thumbs = mis->CtlType == ODT_LISTBOX && m_options->m_view == ViewThumbs;
        mis->itemHeight = thumbs ? ThumbRowHeight : 16;
        return TRUE;
    }
    case WM_DRAWITEM:
        CTCPanel::DrawItem((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_NOTIFY: {
        auto* nm = (const NMHDR*)lParam;
        for (CTCPanel& p : m_panels) {
            if (nm->hwndFrom == p.m_tabs && p.m_tabs && nm->code == TCN_SELCHANGE)
                p.SelectTab((int)SendMessageW(p.m_tabs, TCM_GETCURSEL, 0, 0));
        }
        return 0;
    }
    case WM_COMMAND:
        for (CTCPanel& p : m_panels) {
            if ((HWND)lParam == p.m_drive && p.m_drive && HIWORD(wParam) == CBN_SELCHANGE) {
                p.OnDriveSelected();
                return 0;
            }
        }
        if (HIWORD(wParam) == LBN_SELCHANGE) {
            int side = SideOfList((HWND)lParam);
            if (side >= 0)
                m_panels[side].UpdateStatus();
        } else if (HIWORD(wParam) == LBN_DBLCLK) {
            int side = SideOfList((HWND)lParam);
            if (side >= 0) {
                CTCPanel& p = m_panels[side];
                int cur = (int)SendMessageW(p.m_list, LB_GETCARETINDEX, 0, 0);
                std::wstring name = p.ItemName(cur);
                if (name == L"..") {
                    // Up: the caret goes to the folder the panel came from.
                    size_t slash = p.m_folder.find_last_of(L'\\');
                    if (slash != std::wstring::npos)
                        p.SetFolder(p.m_folder.substr(0, slash), p.m_folder.substr(slash + 1));
                } else if (!name.empty()) {
                    std::wstring path = p.m_folder + (p.m_folder.back() == L'\\' ? L"" : L"\\") + name;
                    if (IsFolderPath(path))
                        p.SetFolder(path);
                }
            }
        }
        return 0;
    }
    (void)from;
    return 0;
}

LRESULT CTCMainWnd::OnSetFocusRequest(HWND target)
{
    if (!target)
        target = m_panels[m_activeSide].m_list;
    if (!IsWindow(target) || GetWindowThreadProcessId(target, nullptr) != GetCurrentThreadId())
        return 0;
    HWND root = GetAncestor(target, GA_ROOT);
    SetForegroundWindow(root);
    SetActiveWindow(root);
    SetFocus(target);
    bool ok = GetFocus() == target;
    TheApp().Log(CTCLogLine(L"focus").AddWindow(L"target", target).Add(L"ok", ok ? 1 : 0)
                     .Add(L"foreground", GetForegroundWindow() == root ? 1 : 0));
    return ok ? 1 : 0;
}

LRESULT CTCMainWnd::OnClose()
{
    TheApp().Log(CTCLogLine(L"close").Add(L"refused", m_refuseClose ? 1 : 0));
    if (m_refuseClose)
        return 0;
    DestroyWindow(m_hwnd);
    return 0;
}

LRESULT CTCMainWnd::OnRecreate(int side, int part)
{
    CTCPanel& p = m_panels[side];
    HWND result = nullptr;
    switch (part) {
    case RecreateTabs: result = p.CreateTabs(); break;
    case RecreatePathBar: result = p.RecreatePathBar(); break;
    case RecreateList: result = p.RecreateList(); break;
    case RemoveTabs: p.DestroyTabs(); break;
    case AddFourthBar: result = p.AddHeaderBar(); break;
    default: return 0;
    }
    TheApp().Log(CTCLogLine(L"recreate").Add(L"side", side).Add(L"part", part).AddWindow(L"window", result));
    return (LRESULT)result;
}

LRESULT CTCMainWnd::OnCreateWindows(int count, int interval)
{
    // Called once with the request, then from the timer for each further window.
    if (count > 0) {
        m_pendingWindows = count;
        if (interval > 0) {
            SetTimer(m_hwnd, TimerCreateWindows, interval, nullptr);
            return 1;
        }
    }
    while (m_pendingWindows > 0) {
        --m_pendingWindows;
        HWND w = CreateWindowExW(0, L"Window", L"", WS_CHILD, 0, 0, 10, 10, m_bottomBar ? m_bottomBar : m_hwnd, nullptr,
                                 TheApp().Instance(), nullptr);
        TheApp().Log(CTCLogLine(L"created").AddWindow(L"window", w).Add(L"left", m_pendingWindows));
        if (count == 0)
            break;  // one per timer tick
    }
    if (m_pendingWindows == 0)
        KillTimer(m_hwnd, TimerCreateWindows);
    return 1;
}

LRESULT CTCMainWnd::LogPluginDump()
{
    std::wstring text = TheApp().Plugin().DebugDump();
    CTCLogLine line(L"dump");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring entry = text.substr(start, end - start);
        size_t equals = entry.find(L'=');
        if (equals != std::wstring::npos && equals > 0)
            line.Add(entry.substr(0, equals).c_str(), entry.substr(equals + 1));
        start = end + 1;
    }
    TheApp().Log(line);
    return text.empty() ? 0 : 1;
}
