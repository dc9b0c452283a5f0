// The drawing of a file list: 50 rows composed with a sticky and a bookmark
// mark each, alternating row colours and a tiled background picture, drawn
// through the host main window's WM_DRAWITEM into a memory bitmap; and the
// same 50 rows drawn directly by the host. Prints "name: value unit" lines.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include "FakeEngine.h"
#include "RowMarks.h"
#include "TCFileList.h"
#include "TCWnd.h"
#include "TestFiles.h"

namespace {

const int Rows = 50, RowHeight = 16, Width = 400;

class CBenchContext : public CFakeEngine, public CRowMarkSource {
public:
    const EnginePaths& Paths() const override { return paths; }
    const HostValues& Host() const override { return host; }
    const HostTreeSnapshot& Tree() const override { return tree; }
    CPanelObjects& Panels() override { return panels; }
    CRowMarkSource* RowMarks() override { return marking ? this : nullptr; }
    UINT RowMarks(CTCFileList&, int) override { return MarkSticky | MarkBookmark; }
    EnginePaths paths;
    HostValues host;
    HostTreeSnapshot tree = {};
    CPanelObjects panels;
    bool marking = true;
};

CBenchContext* g_context = nullptr;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The host's drawing: the item's parity colour, then its text.
LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = RowHeight;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        SetBkColor(item->hDC, item->itemID & 1 ? g_context->host.backColor2 : g_context->host.backColor);
        wchar_t text[64];
        int length = (int)SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, (LPARAM)text);
        ExtTextOutW(item->hDC, item->rcItem.left, item->rcItem.top, ETO_OPAQUE, &item->rcItem, text,
                    length > 0 ? length : 0, nullptr);
        return TRUE;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Milliseconds for drawing every row once, the best of `runs`.
double DrawAll(HWND main, HWND list, HDC dc, int runs)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        for (int row = 0; row < Rows; ++row) {
            DRAWITEMSTRUCT item = {ODT_LISTBOX, 0, (UINT)row, ODA_DRAWENTIRE, 0, list, dc,
                                   {0, row * RowHeight, Width, (row + 1) * RowHeight}, 0};
            SendMessageW(main, WM_DRAWITEM, 0, (LPARAM)&item);
        }
        GdiFlush();
        best = std::min(best, (Now() - start) * 1e3);
    }
    return best;
}

} // namespace

int wmain()
{
    CoInitialize(nullptr);
    CTempFolder folder(L"drawbench");
    CBenchContext context;
    g_context = &context;
    context.host.backColor = RGB(240, 240, 240);
    context.host.backColor2 = RGB(224, 224, 224);
    EngineSettings& settings = context.Settings();
    settings.StickColor = RGB(60, 140, 230);
    settings.StickStyle = 1;
    settings.BookMarkStyle = 4; // a frame
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DrawBenchMain";
    RegisterClassW(&wc);
    HWND main = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 900, nullptr, nullptr,
                                wc.hInstance, nullptr);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0, 0, Width, Rows * RowHeight, main, nullptr,
                                wc.hInstance, nullptr);
    for (int i = 0; i < Rows; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)(L"file" + std::to_wstring(i) + L".txt\t1").c_str());
    context.tree.main = main;
    context.tree.fileList[0] = list;
    CTCWnd host(context);
    CTCFileList fileList(context, 0);
    context.panels.fileList[0] = &fileList;
    SubclassAttach(&host, main);
    fileList.AttachFileList(list);

    // A 2 x 2 picture tiled under the rows.
    std::string bmp("BM", 2);
    auto put = [&](DWORD v, int size) { bmp.append(reinterpret_cast<const char*>(&v), size); };
    for (DWORD v : {70u, 0u, 54u, 40u, 2u, 0xFFFFFFFEu})
        put(v, 4);
    put(1, 2), put(32, 2);
    for (DWORD v : {0u, 16u, 0u, 0u, 0u, 0u, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu})
        put(v, 4);
    std::wstring picture = folder.File(L"tile.bmp");
    HANDLE file = CreateFileW(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bmp.data(), (DWORD)bmp.size(), &written, nullptr);
    CloseHandle(file);
    bool loaded = fileList.SetBackgroundPicture(picture.c_str()) != FALSE;

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Rows * RowHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    wprintf(L"background_picture_loaded: %d\n", loaded ? 1 : 0);
    wprintf(L"compose_50_rows_marks_picture: %.2f ms\n", DrawAll(main, list, dc, 20));
    context.marking = false;
    wprintf(L"compose_50_rows_picture_only: %.2f ms\n", DrawAll(main, list, dc, 20));
    fileList.ClearBackground();
    wprintf(L"compose_50_rows_colours_only: %.2f ms\n", DrawAll(main, list, dc, 20));
    context.host.backColor2 = context.host.backColor;
    wprintf(L"direct_50_rows: %.2f ms\n", DrawAll(main, list, dc, 20));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    fileList.DetachFromWindow();
    SubclassDetach(&host);
    DestroyWindow(main);
    CoUninitialize();
    return 0;
}
