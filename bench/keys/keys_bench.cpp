// Latency of a hotkey under Wine: from SendInput of Ctrl+E (bound to
// cm_ClearAll) in the stand-in host's file list to the moment the host's log
// holds the host command it received, with the engine (thread keyboard hook,
// low-level hook) and with a baseline plug-in that only reads the key state
// and posts the command. Prints "name: value unit" lines, and the engine's
// added time per key: the median of the differences of presses made one after
// the other in the engine's host and the baseline's.
// keys_bench [PRESSES]: timed presses in each host (50).
// Run it in its own desktop (deskrun) so no other program takes the keys.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "HostDriver.h"

namespace {

std::wstring BinFile(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

LONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Reads the log bytes after `from`.
std::string ReadFrom(const std::wstring& path, LONGLONG from)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    LARGE_INTEGER at;
    at.QuadPart = from;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], (DWORD)text.size(), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

// Microseconds from SendInput of Ctrl+E to the host's log line of the command
// it received; negative when nothing was logged within 2 s.
double TimeOnePress(CHostDriver& host, const std::wstring& log)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    host.Flush();
    LONGLONG size = FileSize(log);
    std::vector<INPUT> keys = BuildChord({VK_LCONTROL}, 'E');
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    SendKeys(keys);
    double us = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        double elapsed = double(now.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart);
        if (elapsed > 2e6)
            break;
        if (FileSize(log) != size && ReadFrom(log, size).find("cmd\t") != std::string::npos) {
            us = elapsed;
            break;
        }
    }
    host.Sync();
    return us;
}

// A stand-in host whose plug-in takes Ctrl+E, and its timed presses (negative:
// the press failed).
struct CKeyHost {
    const wchar_t* plugin;
    int lowLevel;
    const wchar_t* name;
    CHostDriver host;
    std::vector<double> presses;

    bool Start()
    {
        CHostSetup setup;
        setup.pluginFiles = {BinFile(plugin)};
        setup.plugin = plugin;
        setup.leftFiles = {L"a.txt"};
        setup.pluginTexts[L"Merovin.ini"] =
            "[Config]\r\nUseLLHook=" + std::to_string(lowLevel) + "\r\n[Keyboard]\r\ncm_ClearAll=Ctrl+E\r\n";
        if (host.Start(setup))
            return true;
        fwprintf(stderr, L"%ls: host did not start: %ls\n", name, host.LastError().c_str());
        return false;
    }

    // Focuses the host's file list and times a press. The first press after a
    // change of focus also pays for the engine's reaction to the activation:
    // an untimed one first leaves the timed one as in steady typing.
    void Press(int i)
    {
        std::wstring log = host.Root() + L"\\tchost.log";
        double us = -1;
        if (host.Focus(host.Query(1))) {
            TimeOnePress(host, log);
            us = TimeOnePress(host, log);
        }
        if (us < 0)
            fwprintf(stderr, L"%ls: press %d: no focus or nothing logged within 2 s\n", name, i);
        presses.push_back(us);
    }
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Prints the median and p90 of the host's presses; false without any.
bool PrintPresses(const CKeyHost& h)
{
    std::vector<double> samples;
    for (double us : h.presses) {
        if (us >= 0)
            samples.push_back(us);
    }
    if (samples.empty())
        return false;
    std::sort(samples.begin(), samples.end());
    wprintf(L"%ls_median: %.0f us\n", h.name, samples[samples.size() / 2]);
    wprintf(L"%ls_p90: %.0f us\n", h.name, samples[samples.size() * 9 / 10]);
    return true;
}

// The median of the differences engine - baseline of the rounds where both
// presses were timed; false without any.
bool PrintAdded(const wchar_t* name, const CKeyHost& engine, const CKeyHost& baseline)
{
    std::vector<double> added;
    for (size_t i = 0; i < engine.presses.size() && i < baseline.presses.size(); ++i) {
        if (engine.presses[i] >= 0 && baseline.presses[i] >= 0)
            added.push_back(engine.presses[i] - baseline.presses[i]);
    }
    if (added.empty())
        return false;
    wprintf(L"%ls: %.0f us\n", name, Median(added));
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int presses = argc > 1 ? _wtoi(argv[1]) : 50;
    if (presses < 1)
        presses = 50;
    CKeyHost baseline{L"KeysBaseline.wdx", 0, L"key_to_command_baseline"};
    CKeyHost thread{L"Merovin.wdx", 0, L"key_to_command_thread_hook"};
    CKeyHost lowLevel{L"Merovin.wdx", 1, L"key_to_command_low_level_hook"};
    CKeyHost* hosts[] = {&baseline, &thread, &lowLevel};
    for (CKeyHost* h : hosts) {
        if (!h->Start())
            return 1;
    }
    // A press in each host in turn, the order turned every round, so that the
    // machine's load falls on all three alike. Every key passes the low-level
    // hook, whichever host has the focus: the differences cancel that out.
    for (int i = 0; i < presses; ++i) {
        for (int k = 0; k < 3; ++k)
            hosts[(i + k) % 3]->Press(i);
    }
    for (CKeyHost* h : hosts)
        h->host.Stop();
    bool ok = PrintPresses(baseline) && PrintPresses(thread) && PrintPresses(lowLevel);
    ok = ok && PrintAdded(L"engine_added_per_key_thread_hook", thread, baseline);
    ok = ok && PrintAdded(L"engine_added_per_key_low_level_hook", lowLevel, baseline);
    return ok ? 0 : 1;
}
