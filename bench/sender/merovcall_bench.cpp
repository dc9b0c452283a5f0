// merovcall_bench [RUNS]: times the command sender from its start to the
// moment the engine's dispatcher has handled its WM_SETTEXT, and to its exit.
// This program stands in for the host: it owns a "TTOTAL_CMD" window and a
// "DispIniFileClass" window on its thread and starts the sender as its child.
// Prints "name: value unit" lines, and for comparison the time to start and
// end a program that does nothing (this one, with "--exit").
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER g_handledAt;
int g_handled = 0;

LRESULT CALLBACK DispatcherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETTEXT) {
        QueryPerformanceCounter(&g_handledAt);
        ++g_handled;
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

struct RunTimes {
    bool ok;
    double toSetText;
    double toExit;
};

// Starts the sender with the arguments and pumps until it exits (10 s at most).
RunTimes RunOnce(const std::wstring& sender, const wchar_t* arguments, bool expectNoSend = false)
{
    RunTimes times = {false, 0, 0};
    std::wstring line = L"\"" + sender + L"\" " + arguments;
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    g_handled = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return times;
    DWORD began = GetTickCount();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        if (GetTickCount() - began > 10000) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 1000);
            break;
        }
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
    }
    QueryPerformanceCounter(&end);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    times.ok = (g_handled == 1 || expectNoSend) && code == 1;
    times.toSetText = Milliseconds(start, g_handledAt);
    times.toExit = Milliseconds(start, end);
    return times;
}

void Report(const char* name, std::vector<double> values)
{
    if (values.empty()) {
        printf("%s_valid_runs: 0 runs\n", name);
        return;
    }
    std::sort(values.begin(), values.end());
    printf("%s_median: %.1f ms\n", name, values[values.size() / 2]);
    printf("%s_min: %.1f ms\n", name, values.front());
    printf("%s_max: %.1f ms\n", name, values.back());
}

void Measure(const char* name, const std::wstring& sender, const wchar_t* arguments, int runs)
{
    std::vector<double> toSetText, toExit;
    int failed = 0;
    RunOnce(sender, arguments);  // warm-up: loads the program into the cache
    for (int i = 0; i < runs; ++i) {
        RunTimes times = RunOnce(sender, arguments);
        if (!times.ok) {
            ++failed;
            continue;
        }
        toSetText.push_back(times.toSetText);
        toExit.push_back(times.toExit);
    }
    std::string base(name);
    Report((base + "_start_to_settext").c_str(), toSetText);
    Report((base + "_start_to_exit").c_str(), toExit);
    printf("%s_failed_runs: %d runs\n", name, failed);
}

bool Register(const wchar_t* name, WNDPROC proc, HINSTANCE inst)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && lstrcmpW(argv[1], L"--exit") == 0)
        return 1;
    int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    if (runs < 1)
        runs = 20;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (!Register(L"TTOTAL_CMD", DefWindowProcW, inst) || !Register(L"DispIniFileClass", DispatcherProc, inst))
        return 2;
    HWND main = CreateWindowExW(0, L"TTOTAL_CMD", L"Bench host", WS_OVERLAPPEDWINDOW,
                                0, 0, 400, 300, nullptr, nullptr, inst, nullptr);
    HWND dispatcher = CreateWindowExW(0, L"DispIniFileClass", L"Dispatcher", WS_OVERLAPPED,
                                      0, 0, 50, 50, nullptr, nullptr, inst, nullptr);
    if (!main || !dispatcher)
        return 2;

    // A private folder with a copy of the sender and a "merovin.ini" for the
    // module command.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring bin(path);
    bin.resize(bin.find_last_of(L"\\/") + 1);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"merovcall_bench_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring sender = folder + L"Merovcall.exe";
    std::wstring ini = folder + L"merovin.ini";
    if (!CopyFileW((bin + L"Merovcall.exe").c_str(), sender.c_str(), FALSE)) {
        fprintf(stderr, "Merovcall.exe not found beside the benchmark\n");
        return 2;
    }
    WritePrivateProfileStringW(L"PluginList", L"Numbra", L"Numbra.dll", ini.c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());

    std::vector<double> baseline;
    for (int i = 0; i <= runs; ++i) {
        RunTimes times = RunOnce(path, L"--exit", true);
        if (times.ok && i > 0)
            baseline.push_back(times.toExit);
    }
    Report("baseline_empty_program_start_to_exit", baseline);
    Measure("merovcall_engine_command", sender, L"ReloadSettings", runs);
    Measure("merovcall_module_command", sender, L"Numbra,3", runs);

    DeleteFileW(sender.c_str());
    DeleteFileW(ini.c_str());
    RemoveDirectoryW(folder.c_str());
    DestroyWindow(dispatcher);
    DestroyWindow(main);
    return 0;
}
