// Cost of the hotkey matcher and of the table builder. Prints "name: value unit".
#include <windows.h>
#include <cstdio>
#include <string>
#include "KeyboardTable.h"

namespace {

class CNoHostCommands : public IHostCommandLookup {
public:
    int HostCommandNumber(LPCWSTR) const override { return 0; }
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// 500 distinct hotkeys: letters and function keys under every mix of
// modifiers, none of them bound to VK_F24 without modifiers.
void Fill(CKeyApprentice& table)
{
    const WCHAR* modifiers[] = {L"", L"Ctrl+", L"Alt+", L"Shift+", L"Ctrl+Shift+", L"Ctrl+Alt+",
                                L"LCtrl+", L"RAlt+", L"Win+", L"Alt+Shift+"};
    const WCHAR* keys[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I", L"J", L"K", L"L",
                           L"M", L"N", L"O", L"P", L"Q", L"R", L"S", L"T", L"U", L"V", L"W", L"X",
                           L"Y", L"Z", L"F1", L"F2", L"F3", L"F4", L"F5", L"F6", L"F7", L"F8", L"F9",
                           L"F10", L"F11", L"F12", L"F13", L"F14", L"F15", L"F16", L"F17", L"F18",
                           L"F19", L"F20", L"F21", L"F22", L"F23", L"NUM5"};
    for (const WCHAR* modifier : modifiers) {
        for (const WCHAR* key : keys)
            table.AddHotkey((std::wstring(modifier) + key).c_str(), 2000 + table.GetCount(), nullptr, 0);
    }
}

// Average time of one lookup of `vk` with `state`, in nanoseconds.
double TimeLookups(const CKeyApprentice& table, UINT vk, const BYTE* state, int rounds, int* result)
{
    volatile int sink = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i)
        sink = sink + table.FindHotkey(vk, state);
    QueryPerformanceCounter(&end);
    *result = table.FindHotkey(vk, state);
    return Seconds(start, end) * 1e9 / rounds;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int rounds = argc > 1 ? _wtoi(argv[1]) : 1000000;
    CKeyApprentice table;
    Fill(table);
    wprintf(L"hotkey_entries: %d count\n", table.GetCount());

    BYTE state[256] = {};
    int index = 0;
    double miss = TimeLookups(table, VK_F24, state, rounds, &index);
    wprintf(L"find_hotkey_500_miss: %.1f ns\n", miss);
    state[VK_LSHIFT] = 0x80;
    state[VK_LMENU] = 0x80;
    double last = TimeLookups(table, VK_NUMPAD5, state, rounds, &index);
    wprintf(L"find_hotkey_500_last_entry: %.1f ns (index %d)\n", last, index);
    double own = TimeLookups(table, VK_F24, nullptr, rounds / 10, &index);
    wprintf(L"find_hotkey_500_thread_state: %.1f ns\n", own);

    // Building from a 300-line [Keyboard] section.
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring ini = std::wstring(temp) + L"hotkeys_bench_" + std::to_wstring(GetCurrentProcessId()) + L".ini";
    std::string text = "[Keyboard]\r\n";
    for (int i = 0; i < 300; ++i)
        text += "em_user_command_" + std::to_string(i) + "=Ctrl+Alt+F" + std::to_string(i % 24 + 1) + "\r\n";
    HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    CKeyApprentice built;
    CMenuHotkeyTexts menu;
    KeyboardSwitches switches;
    const int builds = 20;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < builds; ++i)
        BuildKeyboardTable(built, menu, ini.c_str(), switches, CNoHostCommands());
    QueryPerformanceCounter(&end);
    DeleteFileW(ini.c_str());
    wprintf(L"build_keyboard_table_300: %.2f ms (%d entries)\n", Seconds(start, end) * 1e3 / builds, built.GetCount());
    return 0;
}
