// Cost of the grid's cell drawing, selection, growth, hit testing,
// painting, keys, sorting and printing.
// Prints "name: value unit".
#include <windows.h>
#include <cstdio>
#include "GridCtrl.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

void Report(const wchar_t* name, double seconds)
{
    wprintf(L"%ls: %.3f ms\n", name, seconds * 1000.0);
}

// An owner window and a visible grid in it, as the settings page has them.
struct Window
{
    CWnd owner;
    CGridCtrl grid;
    Window(int rows, int cols, int fixedRows) : grid(rows, cols, fixedRows)
    {
        owner.CreateEx(0, nullptr, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr);
        grid.Create(CRect(0, 0, 600, 440), &owner, 1059);
        owner.ShowWindow(SW_SHOWNOACTIVATE);
    }
    ~Window()
    {
        grid.DestroyWindow();
        owner.DestroyWindow();
    }
};

// 1,000 cells (100 rows of 10) drawn into a memory DC: text, a selection,
// the focus cell, fixed cells and combo cells.
void DrawCells()
{
    CGridCtrl grid(101, 10, 1);
    for (int r = 1; r <= 100; ++r) {
        grid.ReplaceCellClass(r);
        for (int c = 1; c < 10; ++c) {
            CString text;
            text.Format(L"cell %d,%d", r, c);
            grid.SetCellText(r, c, text);
        }
    }
    grid.SetSelectedRange(10, 2, 40, 6);
    grid.SetFocusCell(20, 3);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateDIB32(1000, 2000);
    dc.SelectObject(&bitmap);
    const int w = 100, h = 20;
    for (int round = 0; round < 2; ++round) { // the first warms the font caches
        double start = Now();
        for (int r = 1; r <= 100; ++r)
            for (int c = 0; c < 10; ++c)
                grid.CellAt(r, c)->Draw(&dc, r, c, CRect(c * w, r * h, c * w + w - 1, r * h + h - 1), TRUE);
        ::GdiFlush();
        if (round == 1)
            Report(L"draw_1000_cells", Now() - start);
    }
}

void Selection()
{
    CGridCtrl grid(10001, 10, 1);
    double start = Now();
    grid.SetSelectedRange(1, 0, 10000, 9);
    Report(L"select_10000x10", Now() - start);
    start = Now();
    grid.SetSelectedRange(-1, -1, -1, -1);
    Report(L"clear_10000x10", Now() - start);

    Window big(100001, 2, 1);
    start = Now();
    big.grid.SelectAll();
    Report(L"select_all_100000x2_window", Now() - start);
}

void Growth()
{
    Window w(1, 2, 1);
    double start = Now();
    for (int i = 0; i < 20000; ++i)
        w.grid.AppendRow();
    Report(L"append_20000_rows_window", Now() - start);

    CGridCtrl grid(0, 5, 0);
    start = Now();
    grid.ChangeRowCount(100000);
    Report(L"change_row_count_100000x5", Now() - start);
}

void HitTesting()
{
    Window w(100001, 3, 1);
    w.grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    w.grid.SetColumnWidth(0, w.grid.ColumnWidth(0)); // drops the cached cell
    double start = Now();
    CCellID topLeft = w.grid.TopLeftNonFixedCell();
    Report(L"top_left_at_bottom_uncached", Now() - start);
    start = Now();
    for (int i = 0; i < 1000; ++i)
        topLeft = w.grid.TopLeftNonFixedCell();
    Report(L"top_left_at_bottom_cached_x1000", Now() - start);
    start = Now();
    CCellID hit;
    for (int i = 0; i < 1000; ++i)
        hit = w.grid.CellFromPoint(50, 400);
    Report(L"cell_from_point_at_bottom_x1000", Now() - start);
    wprintf(L"bottom_rows: %d top %d hit\n", topLeft.row, hit.row);
}

// The whole grid painted at the middle of 100,000 rows, a line scroll
// with its repaint, 1,000 Down keys, a sort and a print job.
void PaintKeysSortPrint()
{
    Window w(100001, 5, 1);
    for (int r = 1; r <= 100000; ++r) {
        CString text;
        text.Format(L"%08x", (unsigned)(r * 2654435761u));
        w.grid.SetCellText(r, 1, text);
    }
    w.grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0));
    w.grid.EnsureVisible(50000, 1);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateDIB32(800, 600);
    dc.SelectObject(&bitmap);
    w.grid.DrawGrid(&dc); // fonts and glyphs made ready
    w.grid.UpdateWindow();
    double start = Now();
    w.grid.DrawGrid(&dc);
    Report(L"draw_grid_middle_of_100000x5", Now() - start);

    start = Now();
    w.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    w.grid.UpdateWindow();
    Report(L"line_down_with_repaint", Now() - start);

    w.grid.SendMessage(WM_VSCROLL, SB_TOP);
    w.grid.SetFocusCell(1, 1);
    start = Now();
    for (int i = 0; i < 1000; ++i)
        w.grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    Report(L"down_key_x1000", Now() - start);

    start = Now();
    w.grid.SortTextItems(1, TRUE);
    Report(L"sort_100000_texts", Now() - start);

    w.grid.ChangeRowCount(10001);
    HDC screen = ::GetDC(nullptr);
    CDC first;
    first.Attach(::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr));
    CPrintInfo info;
    start = Now();
    w.grid.BeginPrinting(&first, &info);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(first.Detach()));
    for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
        CDC pageDC;
        pageDC.Attach(::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr));
        pageDC.m_bPrinting = TRUE;
        info.m_nCurPage = page;
        w.grid.PrintPage(&pageDC, &info);
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(pageDC.Detach()));
    }
    w.grid.EndPrinting(nullptr, &info);
    Report(L"print_10000_rows", Now() - start);
    wprintf(L"print_pages: %u pages\n", info.GetMaxPage());
    ::ReleaseDC(nullptr, screen);
}

} // namespace

int wmain()
{
    DrawCells();
    Selection();
    Growth();
    HitTesting();
    PaintKeysSortPrint();
    return 0;
}
