// Filling an owner-drawn "LCLListBox" with 100,000 names the way the host does
// (calling the list's current window procedure): a plain list, a list with an
// empty common-controls subclass (the chain's own cost), and a list carrying
// the engine's file-list object. Prints "name: value unit" lines.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "FakeEngine.h"
#include "TCFileList.h"

namespace {

const int Rows = 100000;

LRESULT CALLBACK EmptySubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND NewList()
{
    return CreateWindowExW(0, L"LCLListBox", L"", WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                           0, 0, 300, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Seconds for `rows` LB_ADDSTRING calls through the list's current procedure.
double Fill(HWND list, int rows)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC));
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rows; ++i)
        CallWindowProcW(proc, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"file name.txt"));
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int rows = argc > 1 ? _wtoi(argv[1]) : Rows;
    WNDCLASSEXW base = {sizeof(base)};
    GetClassInfoExW(nullptr, L"LISTBOX", &base);
    WNDCLASSEXW lcl = base;
    lcl.hInstance = GetModuleHandleW(nullptr);
    lcl.lpszClassName = L"LCLListBox";
    RegisterClassExW(&lcl);

    HWND plain = NewList();
    HWND empty = NewList();
    HWND engine = NewList();
    SetWindowSubclass(empty, EmptySubclass, 1, 0);
    CFakeEngine context;
    CTCFileList list(context, 0);
    if (!list.AttachFileList(engine)) {
        fwprintf(stderr, L"the engine's object did not attach\n");
        return 1;
    }
    double plainTime = Fill(plain, rows);
    double emptyTime = Fill(empty, rows);
    double engineTime = Fill(engine, rows);
    wprintf(L"listbox_fill_rows: %d rows\n", rows);
    wprintf(L"listbox_fill_plain: %.3f s\n", plainTime);
    wprintf(L"listbox_fill_empty_subclass: %.3f s\n", emptyTime);
    wprintf(L"listbox_fill_engine: %.3f s\n", engineTime);
    wprintf(L"listbox_fill_engine_ratio: %.1f x\n", engineTime / plainTime);
    wprintf(L"listbox_fill_engine_over_empty_subclass: %.2f us per row\n", (engineTime - emptyTime) * 1e6 / rows);
    list.DetachFromWindow();
    return 0;
}
