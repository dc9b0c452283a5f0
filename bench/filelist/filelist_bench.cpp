// The file list's order under load: one rebuild of a 100,000-row list with
// one sticky name, the cost of a translated message while the order is the
// host's own (over a plain list and over an empty common-controls subclass),
// and 1,000 single deletions from a 10,000-row ordered list, each followed by
// a translated message. Prints "name: value unit" lines.
// filelist_bench [MESSAGES]: the translated messages timed (20,000).
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include "FakeEngine.h"
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

LRESULT CALLBACK EmptySubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND NewList(HWND parent, int rows)
{
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 400, parent, nullptr, nullptr, nullptr);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_INITSTORAGE, rows, rows * 40);
    SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)L"..\t<DIR>");
    for (int i = 1; i < rows; ++i) {
        wchar_t row[64];
        _snwprintf(row, 64, L"file%06d.txt\t%d\t01.02.2024 10:00", i, i);
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)row);
    }
    return list;
}

// Microseconds per message for `count` messages of both kinds that cross.
double PerMessage(HWND list, int count)
{
    RECT rect;
    double start = Now();
    for (int i = 0; i < count; ++i) {
        SendMessageW(list, LB_GETCARETINDEX, 0, 0);
        SendMessageW(list, LB_GETITEMRECT, i % 1000, (LPARAM)&rect);
    }
    return (Now() - start) * 1e6 / (2.0 * count);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int messages = argc > 1 ? _wtoi(argv[1]) : 20000;
    if (messages < 5)
        messages = 20000;
    CTempFolder folder(L"filelist_bench");
    CBenchContext context;
    context.paths.stickyFile = folder.File(L"Merovin.stk").c_str();
    context.Settings().StickyFiles = 1;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExW(0, L"STATIC", (folder.Path() + L"\\*.*").c_str(), WS_CHILD, 0, 0, 100, 20, parent,
                               nullptr, nullptr, nullptr);
    context.tree.bar2[0] = bar;
    std::string section = "[" + std::string(folder.Path().begin(), folder.Path().end()) + "]\r\n";

    // One rebuild of 100,000 rows; the last file is sticky.
    const int rows = 100000;
    WriteText(folder.File(L"Merovin.stk"), (section + "1=file099999.txt\r\n").c_str());
    HWND big = NewList(parent, rows);
    CTCFileList bigList(context, 0);
    bigList.AttachFileList(big);
    double start = Now();
    bigList.RebuildOrder();
    double rebuild = Now() - start;
    wprintf(L"rebuild_100000_rows_one_sticky: %.1f ms\n", rebuild * 1e3);
    wprintf(L"rebuild_moved_sticky_to_row: %d\n", bigList.MapHostToRow(rows - 1));
    bigList.DetachFromWindow();

    // A translated message while the order is the host's own.
    WriteText(folder.File(L"Merovin.stk"), section.c_str());
    HWND plain = NewList(parent, 2000), empty = NewList(parent, 2000), engine = NewList(parent, 2000);
    SetWindowSubclass(empty, EmptySubclass, 1, 0);
    CTCFileList identity(context, 0);
    identity.AttachFileList(engine);
    identity.MapRowToHost(0);
    // The best of several interleaved rounds: the machine's load moves a
    // server round trip by more than the translation costs.
    double plainTime = 1e9, emptyTime = 1e9, engineTime = 1e9;
    for (int round = 0; round < 5; ++round) {
        plainTime = std::min(plainTime, PerMessage(plain, messages / 5));
        emptyTime = std::min(emptyTime, PerMessage(empty, messages / 5));
        engineTime = std::min(engineTime, PerMessage(engine, messages / 5));
    }
    start = Now();
    volatile int sink = 0;
    for (int i = 0; i < messages; ++i)
        sink += identity.MapHostToRow(identity.MapRowToHost(i % 2000));
    wprintf(L"identity_translation_both_maps: %.4f us\n", (Now() - start) * 1e6 / messages);
    wprintf(L"identity_message_plain: %.3f us\n", plainTime);
    wprintf(L"identity_message_empty_subclass: %.3f us\n", emptyTime);
    wprintf(L"identity_message_engine: %.3f us\n", engineTime);
    wprintf(L"identity_translation_over_plain: %.3f us per message\n", engineTime - plainTime);
    wprintf(L"identity_translation_over_empty_subclass: %.3f us per message\n", engineTime - emptyTime);
    identity.DetachFromWindow();

    // 1,000 single deletions from an ordered list of 10,000 rows.
    WriteText(folder.File(L"Merovin.stk"), (section + "1=file009999.txt\r\n2=file000500.txt\r\n").c_str());
    HWND ordered = NewList(parent, 10000);
    CTCFileList orderedList(context, 0);
    orderedList.AttachFileList(ordered);
    orderedList.MapRowToHost(0);
    bool wasOrdered = orderedList.IsOrdered();
    start = Now();
    for (int i = 0; i < 1000; ++i) {
        SendMessageW(ordered, LB_DELETESTRING, 1000 + (i * 7) % 5000, 0);
        SendMessageW(ordered, LB_GETCARETINDEX, 0, 0);
    }
    double deletions = Now() - start;
    wprintf(L"delete_1000_of_10000_ordered: %.1f ms\n", deletions * 1e3);
    wprintf(L"delete_kept_order: %d\n", wasOrdered && orderedList.IsOrdered() ? 1 : 0);
    orderedList.DetachFromWindow();
    DestroyWindow(parent);
    return 0;
}
