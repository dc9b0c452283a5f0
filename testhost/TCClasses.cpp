#include "TCClasses.h"
#include "TCHostApp.h"
#include <commctrl.h>

const wchar_t* const TCEditClasses[6] = {L"TEdit", L"TAltEdit", L"TInEdit", L"TMemo", L"TMyMemo", L"TTabEdit"};

void PaintTCBar(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &rc, face);
    DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
    wchar_t text[512];
    int n = GetWindowTextW(wnd, text, 512);
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\t')
            text[i] = L' ';  // the header's columns
    }
    if (n > 0) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT clip = rc;
        InflateRect(&clip, -2, -1);
        ExtTextOutW(dc, 4, 3, ETO_CLIPPED, &clip, text, n, nullptr);
        SelectObject(dc, old);
    }
}

bool HandlePaintMessage(HWND wnd, UINT msg, WPARAM wParam, void (*paint)(HWND, HDC), LRESULT* result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        paint(wnd, dc);
        EndPaint(wnd, &ps);
        *result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        paint(wnd, (HDC)wParam);
        *result = 0;
        return true;
    default:
        return false;
    }
}

// The "Window" class: bars, panels, bottom bar. Owner-draw and notification
// messages of its children are handed to the main window object.
static LRESULT CALLBACK BarWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT painted = 0;
    if (HandlePaintMessage(wnd, msg, wParam, PaintTCBar, &painted))
        return painted;
    switch (msg) {
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(wnd, msg, wParam, lParam);
        InvalidateRect(wnd, nullptr, FALSE);
        return r;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
        return TheApp().Main().OnChildMessage(wnd, msg, wParam, lParam);
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

static bool Superclass(HINSTANCE instance, const wchar_t* base, const wchar_t* name)
{
    WNDCLASSEXW wc = {sizeof wc};
    if (!GetClassInfoExW(nullptr, base, &wc))
        return false;
    // The system window procedure stays in place; only the name and owner change.
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    return RegisterClassExW(&wc) != 0;
}

static bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, int brush)
{
    WNDCLASSEXW wc = {sizeof wc};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = brush ? (HBRUSH)(INT_PTR)(brush + 1) : nullptr;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

bool RegisterTCClasses(HINSTANCE instance, WNDPROC mainProc, WNDPROC onDemandProc)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    bool ok = Register(instance, L"TTOTAL_CMD", mainProc, CS_DBLCLKS, COLOR_BTNFACE)
        && Register(instance, L"Window", BarWindowProc, CS_DBLCLKS, 0)
        && Superclass(instance, L"LISTBOX", L"LCLListBox")
        && Superclass(instance, L"COMBOBOX", L"LCLComboBox");
    for (const wchar_t* name : TCEditClasses)
        ok = ok && Superclass(instance, L"EDIT", name);
    for (const wchar_t* name : {L"TLister", L"TASSOCIATEDLG", L"TQUICKSEARCH", L"TDLGCONFIGALL", L"TFsPluginConfigForm"})
        ok = ok && Register(instance, name, onDemandProc, CS_DBLCLKS, COLOR_BTNFACE);
    return ok;
}
