// Subclasses the host puts on its own controls before any plug-in runs:
// key and selection logging on lists and edits (what really reached the
// control), the active side, and the tab controls' popup command.
#include "HostProtocol.h"
#include "TCHostApp.h"
#include "TCMainWnd.h"

using namespace TCHost;

static const wchar_t* const OldProcProp = L"TCHostOldProc";

static WNDPROC OldProc(HWND wnd)
{
    return (WNDPROC)GetPropW(wnd, OldProcProp);
}

static void Subclass(HWND wnd, WNDPROC proc)
{
    if (!wnd || GetPropW(wnd, OldProcProp))
        return;
    SetPropW(wnd, OldProcProp, (HANDLE)GetWindowLongPtrW(wnd, GWLP_WNDPROC));
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, (LONG_PTR)proc);
}

// The sided modifiers held while this message is handled (thread key state).
static std::wstring Modifiers()
{
    static const struct { int vk; const wchar_t* name; } mods[] = {
        {VK_LCONTROL, L"LCtrl"}, {VK_RCONTROL, L"RCtrl"}, {VK_LSHIFT, L"LShift"}, {VK_RSHIFT, L"RShift"},
        {VK_LMENU, L"LAlt"},     {VK_RMENU, L"RAlt"},     {VK_LWIN, L"LWin"},     {VK_RWIN, L"RWin"},
    };
    std::wstring s;
    for (const auto& m : mods) {
        if (GetKeyState(m.vk) & 0x8000) {
            if (!s.empty()) s += L'+';
            s += m.name;
        }
    }
    return s;
}

static const wchar_t* KeyMessageName(UINT msg)
{
    switch (msg) {
    case WM_KEYDOWN: return L"keydown";
    case WM_KEYUP: return L"keyup";
    case WM_SYSKEYDOWN: return L"syskeydown";
    case WM_SYSKEYUP: return L"syskeyup";
    case WM_CHAR: return L"char";
    case WM_SYSCHAR: return L"syschar";
    }
    return nullptr;
}

// Insert in a file list: the caret item's selection flips and the caret
// moves to the next item, each asked and set through the list window.
static bool SelectWithInsert(HWND wnd)
{
    int side = TheApp().Main().SideOfList(wnd);
    if (side < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    int caret = (int)SendMessageW(wnd, LB_GETCARETINDEX, 0, 0);
    if (caret < 0)
        return true;
    int selected = (int)SendMessageW(wnd, LB_GETSEL, caret, 0);
    SendMessageW(wnd, LB_SETSEL, selected <= 0, caret);
    if (caret + 1 < (int)SendMessageW(wnd, LB_GETCOUNT, 0, 0))
        SendMessageW(wnd, LB_SETCARETINDEX, caret + 1, 0);
    TheApp().Log(CTCLogLine(L"insert").Add(L"side", side).Add(L"item", caret).Add(L"selected", selected <= 0 ? 1 : 0)
                     .Add(L"caret", SendMessageW(wnd, LB_GETCARETINDEX, 0, 0)));
    return true;
}

static LRESULT CALLBACK InputProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = OldProc(wnd);
    if (const wchar_t* name = KeyMessageName(msg)) {
        TheApp().Log(CTCLogLine(L"key").Add(L"msg", name).AddHex(L"vk", wParam).AddHex(L"scan", (lParam >> 16) & 0xFF)
                         .Add(L"ext", (lParam >> 24) & 1).Add(L"mods", Modifiers()).AddWindow(L"wnd", wnd));
        if (msg == WM_KEYDOWN && wParam == VK_INSERT && SelectWithInsert(wnd))
            return 0;
    } else if (msg == WM_SETFOCUS) {
        int side = TheApp().Main().SideOfList(wnd);
        if (side >= 0)
            TheApp().Main().m_activeSide = side;
    } else if (msg == LB_SETSEL || msg == LB_SELITEMRANGE || msg == LB_SELITEMRANGEEX) {
        // Selections set by message send no LBN_SELCHANGE: the status bar follows here.
        LRESULT r = CallWindowProcW(old, wnd, msg, wParam, lParam);
        int side = TheApp().Main().SideOfList(wnd);
        if (side >= 0)
            TheApp().Main().m_panels[side].UpdateStatus();
        return r;
    } else if (msg == EM_SETSEL) {
        TheApp().Log(CTCLogLine(L"setsel").Add(L"start", (int)wParam).Add(L"end", (int)lParam).AddWindow(L"wnd", wnd));
    } else if (msg == WM_NCDESTROY) {
        RemovePropW(wnd, OldProcProp);
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, (LONG_PTR)old);
    }
    return old ? CallWindowProcW(old, wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
}

static LRESULT CALLBACK TabsProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = OldProc(wnd);
    if (msg == HostCommandMessage) {
        TheApp().Log(CTCLogLine(L"tabcmd").Add(L"n", (long long)wParam).Add(L"lparam", (long long)lParam)
                         .Add(L"sent", InSendMessage() ? 1 : 0).AddWindow(L"tabs", wnd));
        if (wParam == 3009)
            TheApp().Main().ShowTabMenu(wnd, lParam);
        return 1;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropW(wnd, OldProcProp);
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, (LONG_PTR)old);
    }
    return old ? CallWindowProcW(old, wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
}

void CTCMainWnd::HookInput(HWND wnd)
{
    Subclass(wnd, InputProc);
}

void CTCMainWnd::HookTabs(HWND wnd)
{
    Subclass(wnd, TabsProc);
}
