// Time of one engine stop-and-start cycle (a reload) with a large settings
// file and a 700-line host command list. Prints "name: value unit" lines.
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "ContentPlugin.h"

typedef int (WINAPI* DebugDumpProc)(LPWSTR buffer, int size);

namespace {

std::wstring Folder(const std::wstring& path)
{
    return path.substr(0, path.rfind(L'\\'));
}

void WriteAnsi(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(file);
}

std::wstring DumpValue(DebugDumpProc dump, const wchar_t* key)
{
    std::vector<wchar_t> text(65536);
    dump(text.data(), (int)text.size());
    std::wstring all(text.data());
    std::wstring prefix = std::wstring(key) + L"=";
    size_t at = all.find(L"\n" + prefix);
    if (at == std::wstring::npos)
        return std::wstring();
    at += prefix.size() + 1;
    return all.substr(at, all.find(L'\n', at) - at);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int cycles = argc > 1 ? _wtoi(argv[1]) : 200;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"merovin_bench_" + std::to_wstring(GetCurrentProcessId());
    std::wstring host = root + L"\\host";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(host.c_str(), nullptr);
    std::wstring engine = root + L"\\Merovin.wdx";
    if (!CopyFileW((Folder(self) + L"\\Merovin.wdx").c_str(), engine.c_str(), FALSE)) {
        fwprintf(stderr, L"Merovin.wdx not found beside the benchmark\n");
        return 1;
    }

    std::string commands = "[_______Files_______]\r\n";
    for (int i = 0; i < 700; ++i)
        commands += "cm_Command" + std::to_string(i) + "=" + std::to_string(100 + i) + ";a description of the command\r\n";
    WriteAnsi(host + L"\\totalcmd.inc", commands);
    WriteAnsi(host + L"\\wincmd.ini", "[Configuration]\r\nDirBrackets=1\r\n[Colors]\r\nBackColor=-1\r\n");

    std::string settings = "[Config]\r\nAutoView=1\r\nBookMarks=1\r\nStickyFiles=1\r\nLostFocus=1\r\nEnableATC=1\r\n"
                           "MarkLockedTabs=1\r\nCheckMultiLister=1\r\nBkgFile=%COMMANDER_PATH%\\bkg.png\r\n"
                           "[Colors&Styles]\r\nStickColor=#102030\r\nBookMarkColor=#405060\r\nMenu1stColor=#708090\r\n";
    settings += "[Keyboard]\r\n";
    for (int i = 0; i < 300; ++i)
        settings += "Key" + std::to_string(i) + "=CTRL+ALT+F" + std::to_string(1 + i % 12) + "\r\n";
    for (int section = 0; section < 40; ++section) {
        settings += "[Rule" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key)
            settings += "Key" + std::to_string(key) + "=value " + std::to_string(key) + "\r\n";
    }
    WriteAnsi(root + L"\\Merovin.ini", settings);
    SetEnvironmentVariableW(L"COMMANDER_PATH", host.c_str());
    SetEnvironmentVariableW(L"COMMANDER_INI", (host + L"\\wincmd.ini").c_str());

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTOTAL_CMD";
    RegisterClassW(&wc);
    HWND main = CreateWindowExW(0, L"TTOTAL_CMD", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                wc.hInstance, nullptr);

    HMODULE module = LoadLibraryW(engine.c_str());
    auto setParams = (ContentSetDefaultParamsProc)(void*)GetProcAddress(module, "ContentSetDefaultParams");
    auto unloading = (ContentPluginUnloadingProc)(void*)GetProcAddress(module, "ContentPluginUnloading");
    auto dump = (DebugDumpProc)(void*)GetProcAddress(module, "MerovinDebugDump");
    if (!setParams || !unloading || !dump) {
        fwprintf(stderr, L"engine exports missing\n");
        return 1;
    }
    ContentDefaultParams params = {};
    params.size = sizeof(params);
    WideCharToMultiByte(CP_ACP, 0, (host + L"\\contplug.ini").c_str(), -1, params.defaultIniName,
                        ContentIniNameLength - 1, nullptr, nullptr);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    setParams(&params);
    QueryPerformanceCounter(&end);
    double first = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
    if (DumpValue(dump, L"hostCommandCount") != L"700")
        fwprintf(stderr, L"warning: command list not loaded\n");

    QueryPerformanceCounter(&start);
    for (int i = 0; i < cycles; ++i) {
        HWND dispatcher = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (wcscmp(name, L"DispIniFileClass") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&dispatcher));
        SendMessageW(dispatcher, WM_LBUTTONUP, 0, 0); // StopEngine + StartEngine
    }
    QueryPerformanceCounter(&end);
    double cycle = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart / cycles;

    unloading();
    FreeLibrary(module);
    for (int i = 0; i < 100 && GetModuleHandleW(engine.c_str()); ++i)
        Sleep(20);
    DestroyWindow(main);
    DeleteFileW((host + L"\\totalcmd.inc").c_str());
    DeleteFileW((host + L"\\wincmd.ini").c_str());
    RemoveDirectoryW(host.c_str());
    DeleteFileW((root + L"\\Merovin.ini").c_str());
    DeleteFileW(engine.c_str());
    RemoveDirectoryW(root.c_str());

    wprintf(L"engine_first_start: %.2f ms\n", first);
    wprintf(L"engine_stop_start_cycle: %.2f ms\n", cycle);
    return 0;
}
