// Builds the directory-menu module's menus from generated INI files and
// prints how long one build takes.
#include <windows.h>
#include <cstdio>
#include <string>
#include "MenuBuilder.h"
#include "MenuItems.h"

namespace {

std::wstring WriteIni(const std::wstring& path, const std::wstring& text)
{
    std::wstring content = L"\xFEFF" + text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), (DWORD)(content.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    return path;
}

// 300 entries: folders, every tenth a separator, submenus of 20 entries.
std::wstring Hotlist()
{
    std::wstring text = L"[DirMenu]\r\n";
    int entry = 1;
    auto add = [&](const std::wstring& caption, const std::wstring& command) {
        text += L"menu" + std::to_wstring(entry) + L"=" + caption + L"\r\n";
        if (!command.empty())
            text += L"cmd" + std::to_wstring(entry) + L"=" + command + L"\r\n";
        ++entry;
    };
    while (entry <= 300) {
        int n = entry;
        if (n % 50 == 1)
            add(L"-Group " + std::to_wstring(n), L"");
        else if (n % 50 == 22)
            add(L"--", L"");
        else if (n % 10 == 0)
            add(L"-", L"");
        else
            add(L"Folder " + std::to_wstring(n), L"cd C:\\data\\folder" + std::to_wstring(n));
    }
    return text;
}

std::wstring Snippets()
{
    std::wstring text = L"[Menu]\r\n";
    for (int n = 1; n <= 50; ++n)
        text += L"Snippet " + std::to_wstring(n) + L"=text $cnt " + std::to_wstring(n) + L"\r\n";
    return text;
}

// Sections L0 to L15, each naming the next one twice: the menu is capped.
std::wstring Fanout()
{
    std::wstring text;
    for (int level = 0; level < 16; ++level) {
        std::wstring next = L"$sub(L" + std::to_wstring(level + 1) + L")";
        text += L"[L" + std::to_wstring(level) + L"]\r\na=" + next + L"\r\nb=" + next + L"\r\n";
    }
    return text + L"[L16]\r\nleaf=x\r\n[Loop]\r\na=$sub(Loop)\r\nb=$sub(Loop)\r\n";
}

double Milliseconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// The mean time of `runs` builds after one warm-up build.
template <class Build>
double Measure(int runs, Build build)
{
    build();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i)
        build();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end) / runs;
}

// The mean time of building a section's menu, without releasing it.
double BuildTime(int runs, CMenuBuilder& builder, LPCWSTR section)
{
    double total = 0;
    for (int i = 0; i < runs; ++i) {
        CPopupMenu menu;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        builder.BuildMenuFromSection(menu.GetHandle(), section, 1);
        QueryPerformanceCounter(&end);
        total += Milliseconds(start, end);
    }
    return total / runs;
}

} // namespace

int wmain()
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"dirmenu_bench_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring hostIni = WriteIni(folder + L"\\wincmd.ini", Hotlist());
    std::wstring settings = WriteIni(folder + L"\\TCPathfan.ini", Snippets());

    CMenuBuilder builder(settings.c_str(), hostIni.c_str());
    int items = 0;
    double hotlist = Measure(20, [&] {
        CPopupMenu menu;
        items = (int)builder.AddHotlistItems(menu.GetHandle(), 1, 1);
    });
    double snippets = Measure(20, [&] {
        CPopupMenu menu;
        builder.BuildMenuFromSection(menu.GetHandle(), L"Menu", 1);
    });
    wprintf(L"hotlist_menu_300_entries: %.2f ms\n", hotlist);
    wprintf(L"hotlist_menu_ids: %d ids\n", items);
    wprintf(L"snippet_menu_50_entries: %.2f ms\n", snippets);

    std::wstring fanout = WriteIni(folder + L"\\fanout.ini", Fanout());
    CMenuBuilder fanoutBuilder(fanout.c_str(), hostIni.c_str());
    double chain = BuildTime(5, fanoutBuilder, L"L0");
    UINT entries = fanoutBuilder.GetItemCount();
    UINT submenus = fanoutBuilder.GetSubmenuCount();
    double loop = BuildTime(20, fanoutBuilder, L"Loop");
    wprintf(L"fanout_menu_16_levels_build: %.2f ms\n", chain);
    wprintf(L"fanout_menu_entries: %u entries\n", entries);
    wprintf(L"fanout_menu_submenus: %u submenus\n", submenus);
    wprintf(L"self_naming_menu_build: %.2f ms\n", loop);

    // A pattern with exponential backtracking over a long key: no match.
    std::wstring key(30000, L'a');
    CString group;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    bool found = RegexGroup(key.c_str(), L"(a*)*b", 1, group);
    QueryPerformanceCounter(&end);
    wprintf(L"hard_pattern_30000_characters: %.1f ms (%ls)\n", Milliseconds(start, end),
            found ? L"match" : L"no match");
    DeleteFileW(fanout.c_str());

    DeleteFileW(hostIni.c_str());
    DeleteFileW(settings.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}
