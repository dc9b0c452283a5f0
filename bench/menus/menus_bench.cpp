// Cost of an icon menu the size of a full drive menu (40 items with hints,
// titled separators among them): built and every item measured, then every
// item drawn into a memory picture. Prints "name: value unit" (the best of
// several rounds).
#include <windows.h>
#include <cstdio>
#include "IconMenu.h"
#include "BenchTiming.h"

// Menu objects are found by handle through the application object.
CWinApp theApp(L"MenusBench");

namespace {

const int ItemCount = 40;

void Fill(CIconMenu& menu, HICON icon)
{
    MenuColors colors = menu.GetColors();
    colors.menuTextStyle = 1;
    colors.selectStyle = 3;
    colors.menu2nd = RGB(200, 220, 255);
    menu.SetColors(colors);
    menu.SetIconSize(GetSystemMetrics(SM_CXSMICON));
    for (int i = 0; i < ItemCount; ++i) {
        WCHAR caption[64];
        if (i % 10 == 0) {
            swprintf(caption, 64, L"Group %d", i / 10);
            menu.AddItem(caption, 0, MF_SEPARATOR);
            continue;
        }
        auto* item = new IconMenuItem;
        swprintf(caption, 64, L"%c - Volume %d\t %.2fGB/%.2fGB ", L'A' + i % 26, i, i * 1.5, i * 3.0);
        item->caption = caption;
        item->icon = icon;
        menu.InsertItem((UINT)i + 1, item, 0);
    }
}

void MeasureAll(CIconMenu& menu)
{
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, menu.GetMenuItemID(i), 0, 0,
                                 (ULONG_PTR)menu.GetItem((UINT)i, TRUE)};
        menu.MeasureItem(&mis);
    }
}

} // namespace

int wmain()
{
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    double build = BestMs(20, [&] {
        CIconMenu menu;
        Fill(menu, icon);
        MeasureAll(menu);
    });
    printf("icon_menu_build_measure_40: %.3f ms\n", build);

    CIconMenu menu;
    Fill(menu, icon);
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), 300, -1000, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    double draw = BestMs(20, [&] {
        int top = 0;
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            MEASUREITEMSTRUCT mis = {ODT_MENU, 0, menu.GetMenuItemID(i), 0, 0,
                                     (ULONG_PTR)menu.GetItem((UINT)i, TRUE)};
            menu.MeasureItem(&mis);
            DRAWITEMSTRUCT dis = {ODT_MENU, 0, mis.itemID, ODA_DRAWENTIRE, 0, (HWND)menu.m_hMenu, dc,
                                  {0, top, 300, top + (int)mis.itemHeight}, mis.itemData};
            menu.DrawItem(&dis);
            top += (int)mis.itemHeight;
        }
        GdiFlush();
    });
    printf("icon_menu_first_paint_40: %.3f ms\n", draw);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
