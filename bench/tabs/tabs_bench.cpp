// Folder tabs under load: the average repaint of a tab control with 20
// coloured tabs (every fourth with an icon, every fifth locked) into a memory
// bitmap, beside the control's own paint alone (the part the engine cannot
// make faster), and opening plus one paint of the colour popup. Prints
// "name: value unit" lines.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "ColourPopup.h"
#include "FakeEngine.h"
#include "MyTabs.h"

CWinApp theApp(L"TabsBench");

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int wmain()
{
    InitCommonControls();
    CFakeEngine engine;
    engine.Settings().MarkLockedTabs = 1;
    engine.Settings().EnableATC = 1;
    HWND main = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND control = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_MULTILINE, 0, 0, 1200, 80,
                                   main, nullptr, nullptr, nullptr);
    CMyTabs tabs(engine, 0);
    tabs.InitTabs(control);
    tabs.m_lockQuery = [](const CMyTabs*, int position) { return position % 5 == 0 ? 2 : 0; };
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    for (int i = 0; i < 20; ++i) {
        WCHAR text[32];
        wsprintfW(text, L"Folder %d", i);
        TCITEMW item = {TCIF_TEXT};
        item.pszText = text;
        SendMessageW(control, TCM_INSERTITEMA, i, (LPARAM)&item);
        tabs.SetTabColor(ColourTable[(i * 7) % ColourCount].colour, i, true);
        if (i % 4 == 0)
            tabs.SetTabIcon(icon, i);
    }
    tabs.InitTabs(control);

    RECT client;
    GetClientRect(control, &client);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    const int rounds = 50;
    tabs.PaintTabs(dc);
    double start = Now();
    for (int i = 0; i < rounds; ++i)
        tabs.PaintTabs(dc);
    GdiFlush();
    printf("tabs_repaint_20_coloured: %.3f ms\n", (Now() - start) * 1000.0 / rounds);
    start = Now();
    for (int i = 0; i < rounds; ++i)
        SendMessageW(control, WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
    GdiFlush();
    printf("tab_control_own_paint: %.3f ms\n", (Now() - start) * 1000.0 / rounds);

    start = Now();
    CColourPopup* popup = new CColourPopup;
    popup->Create(RGB(255, 0, 0), main, L"No Color", L"More Colors", 10, 10);
    double opened = Now();
    CDC popupDc;
    popupDc.Attach(dc);
    popup->Draw(&popupDc);
    popupDc.Detach();
    GdiFlush();
    printf("colour_popup_open: %.3f ms\n", (opened - start) * 1000.0);
    printf("colour_popup_paint: %.3f ms\n", (Now() - opened) * 1000.0);
    popup->DestroyWindow();
    DeleteDC(dc);
    DeleteObject(bitmap);
    DestroyWindow(main);
    return 0;
}
