// Cost of file grouping and of the sorted name array. Prints "name: value unit"
// (the best of several rounds, so a busy machine shows less).
#include <windows.h>
#include <cstdio>
#include <string>
#include "FileArray.h"
#include "SortStringArray.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <typename Work>
double Best(int rounds, Work work)
{
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        double ms = Milliseconds(start, end);
        if (ms < best)
            best = ms;
    }
    return best;
}

const wchar_t* Extensions[] = {L"txt", L"doc", L"cpp", L"h", L"exe", L"dll", L"png", L"jpg", L"Log", L"md",
                               L"ini", L"zip", L"Ärger"};

std::wstring NameOf(int i)
{
    return L"file_" + std::to_wstring(i * 7919 % 100003) + L"." + Extensions[i % 13];
}

} // namespace

int wmain(int, wchar_t**)
{
    // 10,000 names against 10 masks in 4 groups, top and bottom.
    CFileArray names;
    names.SetPattern(L">*.txt:*.doc:*.md|*.cpp:*.h|readme*:*.ini<*.exe:*.dll|*.zip", L"");
    for (int i = 0; i < 10000; ++i) {
        CFileEntry entry;
        entry.name = NameOf(i).c_str();
        entry.index = i;
        names.Add(entry);
    }
    double grouping = Best(20, [&] {
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            names[i].group = GroupOf(names, names[i].name);
    });
    wprintf(L"group_10000_names_10_masks: %.3f ms\n", grouping);

    // 100,000 entries in host order with interleaved groups, sorted and mapped.
    double sorting = 1e30;
    for (int round = 0; round < 10; ++round) {
        CFileArray entries;
        entries.SetSize(100000);
        for (int i = 0; i < 100000; ++i) {
            entries[i].index = i;
            entries[i].group = (UINT)((i * 2654435761u) >> 29) * 256;
        }
        double ms = Best(1, [&] { FinishOrder(entries); });
        if (ms < sorting)
            sorting = ms;
    }
    wprintf(L"sort_and_map_100000_entries: %.3f ms\n", sorting);

    // 100 names of a real folder: 10 sub-folders and 90 files, in reverse order.
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"sortbench" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < 100; ++i) {
        std::wstring path = folder + L"\\" + NameOf(i);
        if (i % 10 == 0)
            CreateDirectoryW(path.c_str(), nullptr);
        else
            CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    double sortArray = 1e30;
    for (int round = 0; round < 20; ++round) {
        CSortStringArray array;
        array.SetFolder(folder.c_str());
        for (int i = 99; i >= 0; --i)
            array.Add(NameOf(i).c_str());
        double ms = Best(1, [&] { array.Sort(TRUE); });
        if (ms < sortArray)
            sortArray = ms;
    }
    wprintf(L"sort_string_array_100_names: %.3f ms\n", sortArray);
    for (int i = 0; i < 100; ++i) {
        std::wstring path = folder + L"\\" + NameOf(i);
        if (i % 10 == 0)
            RemoveDirectoryW(path.c_str());
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
    return 0;
}
