// The leak counters move by exactly the objects made and freed.
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "ResourceCounts.h"

namespace {

TEST(ResourceCount, EachCounterSeesObjectsMadeAndFreed)
{
    // One window stays open throughout (see ResourceCount::Windows).
    HWND keep = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, keep);
    std::vector<HANDLE> made;
    struct Row {
        const char* name;
        long (*count)();
        std::function<HANDLE(int)> make;
        std::function<void(HANDLE)> free;
    };
    const Row rows[] = {
        {"GDI", ResourceCount::GdiObjects, [](int i) { return (HANDLE)CreateSolidBrush(RGB(i, 0, 0)); },
         [](HANDLE h) { DeleteObject((HGDIOBJ)h); }},
        {"windows", ResourceCount::Windows,
         [&](int i) {
             HWND parent = i % 2 ? keep : (i % 3 ? HWND_MESSAGE : nullptr);
             DWORD style = parent == keep ? WS_CHILD : WS_POPUP;
             return (HANDLE)CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
         },
         [](HANDLE h) { DestroyWindow((HWND)h); }},
        {"kernel", ResourceCount::KernelHandles, [](int) { return CreateEventW(nullptr, TRUE, FALSE, nullptr); },
         [](HANDLE h) { CloseHandle(h); }},
        // Counted the other way round: each index taken is one less free.
        {"TLS", [] { return -ResourceCount::FreeTlsIndexes(); }, [](int) { return (HANDLE)(ULONG_PTR)(TlsAlloc() + 1); },
         [](HANDLE h) { TlsFree((DWORD)(ULONG_PTR)h - 1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        long before = row.count();
        made.clear();
        for (int i = 0; i < 30; ++i) {
            made.push_back(row.make(i));
            ASSERT_NE(nullptr, made.back());
        }
        EXPECT_EQ(before + 30, row.count());
        for (HANDLE h : made)
            row.free(h);
        EXPECT_EQ(before, row.count());
    }
    DestroyWindow(keep);
}

} // namespace
