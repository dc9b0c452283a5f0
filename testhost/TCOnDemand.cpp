// Windows the host creates on request: Lister, dialogs, quick search, edit
// classes, message boxes, and the tab control's popup menu.
#include "HostProtocol.h"
#include "TCClasses.h"
#include "TCHostApp.h"
#include "TCMainWnd.h"

using namespace TCHost;

static void PaintOnDemand(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t cls[64];
    int n = GetClassNameW(wnd, cls, 64);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutW(dc, 6, rc.bottom - 18, 0, nullptr, cls, n, nullptr);
    SelectObject(dc, old);
}

LRESULT CALLBACK CTCMainWnd::OnDemandProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT painted = 0;
    if (HandlePaintMessage(wnd, msg, wParam, PaintOnDemand, &painted))
        return painted;
    switch (msg) {
    case WM_CLOSE:
        TheApp().Log(CTCLogLine(L"window").Add(L"action", L"close").AddWindow(L"wnd", wnd));
        break;
    case WM_DESTROY:
        if (TheApp().Main().m_lister == wnd)
            TheApp().Main().m_lister = nullptr;
        break;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

static HWND Owned(const wchar_t* cls, const wchar_t* title, HWND owner, int x, int y, int w, int h, HMENU menu = nullptr)
{
    return CreateWindowExW(0, cls, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
                           x, y, w, h, owner, menu, TheApp().Instance(), nullptr);
}

static HWND Child(const wchar_t* cls, HWND parent, int x, int y, int w, int h)
{
    HWND wnd = CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, y, w,
                               h, parent, nullptr, TheApp().Instance(), nullptr);
    SendMessageW(wnd, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    TheApp().Main().HookInput(wnd);
    return wnd;
}

LRESULT CTCMainWnd::OnShowWindow(int kind, LPARAM arg)
{
    HWND result = nullptr, edit = nullptr;
    switch (kind) {
    case KindLister: {
        HMENU bar = CreateMenu();
        int items = arg > 0 && arg < 20 ? (int)arg : 3;
        static const wchar_t* const names[] = {L"&File", L"&Edit", L"&Options", L"&Plugins", L"E&ncoding", L"&Help"};
        for (int i = 0; i < items; ++i)
            AppendMenuW(bar, MF_STRING, 100 + i, i < 6 ? names[i] : L"&Item");
        result = Owned(L"TLister", L"Lister - [C:\\data\\left\\a.txt]", m_hwnd, 60, 60, 600, 400, bar);
        break;
    }
    case KindAssociate:
        result = Owned(L"TASSOCIATEDLG", L"Associate", m_hwnd, 100, 100, 360, 160);
        edit = Child(L"Edit", result, 10, 10, 320, 22);
        break;
    case KindQuickSearch: {
        HWND list = m_panels[m_activeSide].m_list;
        RECT r;
        GetWindowRect(list, &r);
        MapWindowPoints(nullptr, m_hwnd, (POINT*)&r, 2);
        result = CreateWindowExW(0, L"TQUICKSEARCH", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, r.left, r.bottom - 26, 200,
                                 26, m_hwnd, nullptr, TheApp().Instance(), nullptr);
        SetWindowPos(result, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        edit = Child(L"Edit", result, 2, 2, 194, 20);
        break;
    }
    case KindConfigAll:
    case KindFsPluginConfig:
        result = Owned(kind == KindConfigAll ? L"TDLGCONFIGALL" : L"TFsPluginConfigForm", L"Configuration", m_hwnd, 80, 80,
                       500, 300);
        edit = Child(L"TEdit", result, 10, 10, 460, 22);
        SetFocus(edit);
        break;
    case KindEditInMain:
    case KindEditInOwned: {
        if (arg < 0 || arg >= 6)
            return 0;
        HWND parent = m_hwnd;
        int x = 710, y = 4;
        if (kind == KindEditInOwned) {
            parent = result = CreateWindowExW(0, L"Window", L"Edit box", WS_POPUP | WS_CAPTION | WS_VISIBLE, 120, 120,
                                              320, 80, m_hwnd, nullptr, TheApp().Instance(), nullptr);
            x = 10;
            y = 10;
        }
        edit = Child(TCEditClasses[arg], parent, x, y, 280, 20);
        SetWindowPos(edit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (!result)
            result = edit;
        break;
    }
    default:
        return 0;
    }
    TheApp().Log(CTCLogLine(L"window").Add(L"action", L"show").Add(L"kind", kind).AddWindow(L"wnd", result)
                     .AddWindow(L"edit", edit));
    return (LRESULT)result;
}

void CTCMainWnd::OnMessageBoxRequest(LPARAM arg)
{
    TheApp().Log(CTCLogLine(L"msgbox").Add(L"action", L"show").Add(L"arg", (long long)arg));
    int answer = MessageBoxW(m_hwnd, L"Stand-in question: continue?", L"Total Commander", MB_YESNO | MB_ICONQUESTION);
    TheApp().Log(CTCLogLine(L"msgbox").Add(L"action", L"answer").Add(L"answer", answer));
}

static void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

void CTCMainWnd::ShowTabMenu(HWND tabs, LPARAM position)
{
    int side = tabs == m_panels[1].m_tabs ? 1 : 0;
    CTCPanel& p = m_panels[side];
    int tab = (int)(position < 0 ? -position : position) - 1;
    int lock = tab >= 0 && tab < (int)p.m_tabLocks.size() ? p.m_tabLocks[tab] : 0;
    // As in the host, the two lock items are the third and fourth, before the first separator.
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 5, L"Copy tab");
    AppendMenuW(menu, MF_STRING, 3, L"Close tab");
    AppendMenuW(menu, MF_STRING | (lock == 1 ? MF_CHECKED : 0), 1, L"Lock");
    AppendMenuW(menu, MF_STRING | (lock == 2 ? MF_CHECKED : 0), 2, L"Lock with dir changes");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 4, L"Close all tabs");
    RECT r;
    GetWindowRect(tabs, &r);
    // A safety timer ends the menu when nobody else does.
    UINT_PTR timer = SetTimer(nullptr, 0, 500, EndMenuTimer);
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, r.left, r.bottom, 0, m_hwnd, nullptr);
    KillTimer(nullptr, timer);
    DestroyMenu(menu);
    TheApp().Log(CTCLogLine(L"tabmenu").Add(L"side", side).Add(L"tab", tab).Add(L"lock", lock).Add(L"chosen", chosen));
}
