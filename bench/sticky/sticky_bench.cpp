// Sticky files under load: pinning one file in a folder of 10,000 files,
// the write and the list's rebuild together, and the "Order" column asked
// once for each of those files. Prints "name: value unit" lines.
#include <windows.h>
#include <cstdio>
#include <string>
#include "FakeEngine.h"
#include "StickyFile.h"
#include "TCFileList.h"
#include "TestFiles.h"

namespace {

class CBenchContext : public CFakeEngine {
public:
    const EnginePaths& Paths() const override { return paths; }
    const HostTreeSnapshot& Tree() const override { return tree; }
    EnginePaths paths;
    HostTreeSnapshot tree = {};
};

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
    CTempFolder folder(L"sticky_bench");
    CBenchContext context;
    context.paths.stickyFile = folder.File(L"Merovin.stk").c_str();
    context.Settings().StickyFiles = 1;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
    context.tree.bar2[0] = CreateWindowExW(0, L"STATIC", (folder.Path() + L"\\*.*").c_str(), WS_CHILD, 0, 0, 100, 20,
                                           parent, nullptr, nullptr, nullptr);
    std::string section = "[" + std::string(folder.Path().begin(), folder.Path().end()) + "]\r\n";
    WriteText(folder.File(L"Merovin.stk"), (section + "1=file000010.txt\r\n2=file000020.txt\r\n").c_str());

    const int rows = 10000;
    HWND window = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                  LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 400, parent, nullptr, nullptr, nullptr);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(window, LB_ADDSTRING, 0, (LPARAM)L"..\t<DIR>");
    for (int i = 1; i < rows; ++i) {
        wchar_t row[64];
        _snwprintf(row, 64, L"file%06d.txt\t%d\t01.02.2024 10:00", i, i);
        SendMessageW(window, LB_ADDSTRING, 0, (LPARAM)row);
    }
    CTCFileList list(context, 0);
    list.AttachFileList(window);
    list.MapRowToHost(0);
    CStickyFile sticky(context);

    double start = Now();
    sticky.SetPosition(list.GetPanelPath(), L"file009999.txt", 1);
    list.OnFolderChanged();
    list.RebuildOrder();
    wprintf(L"stick_file_in_10000_files_with_rebuild: %.1f ms\n", (Now() - start) * 1e3);
    wprintf(L"stuck_file_row: %d\n", list.MapHostToRow(rows - 1));

    start = Now();
    int found = 0;
    for (int i = 1; i < rows; ++i) {
        wchar_t path[MAX_PATH];
        _snwprintf(path, MAX_PATH, L"%ls\\file%06d.txt", folder.Path().c_str(), i);
        found += sticky.Order(path) != 0;
    }
    wprintf(L"order_column_10000_files: %.1f ms\n", (Now() - start) * 1e3);
    wprintf(L"order_column_sticky_found: %d\n", found);
    list.DetachFromWindow();
    DestroyWindow(parent);
    return 0;
}
