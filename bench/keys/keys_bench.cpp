// Latency of a hotkey under Wine: from SendInput of Ctrl+E (bound to
// cm_ClearAll) in the stand-in host's file list to the moment the host's log
// holds the host command it received, with the engine and with a baseline
// plug-in that only reads the key state and posts the command. Prints
// "name: value unit" lines, and the engine's added time per key.
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

// Times from SendInput of `modifiers`+`vk` until a log line beginning with
// `kind` appears; microseconds, sorted.
std::vector<double> Time(CHostDriver& host, const std::wstring& log, WORD modifier, WORD vk, const char* kind,
                         int presses)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> samples;
    for (int i = 0; i < presses; ++i) {
        host.Flush();
        LONGLONG size = FileSize(log);
        std::vector<INPUT> keys = modifier ? BuildChord({modifier}, vk) : BuildChord({}, vk);
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        SendKeys(keys);
        for (;;) {
            QueryPerformanceCounter(&now);
            double us = double(now.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart);
            if (us > 2e6) {
                fwprintf(stderr, L"press %d: nothing logged within 2 s\n", i);
                break;
            }
            if (FileSize(log) != size && ReadFrom(log, size).find(kind) != std::string::npos) {
                samples.push_back(us);
                break;
            }
        }
        host.Sync();
    }
    std::sort(samples.begin(), samples.end());
    return samples;
}

void Print(const wchar_t* name, const std::vector<double>& samples)
{
    if (samples.empty())
        return;
    wprintf(L"%ls_median: %.0f us\n", name, samples[samples.size() / 2]);
    wprintf(L"%ls_p90: %.0f us\n", name, samples[samples.size() * 9 / 10]);
}

// The median time of Ctrl+E to its logged command with `plugin` loaded.
double Measure(const wchar_t* plugin, int lowLevel, int presses, const wchar_t* name)
{
    CHostDriver host;
    CHostSetup setup;
    setup.pluginFiles = {BinFile(plugin)};
    setup.plugin = plugin;
    setup.leftFiles = {L"a.txt"};
    setup.pluginTexts[L"Merovin.ini"] =
        "[Config]\r\nUseLLHook=" + std::to_string(lowLevel) + "\r\n[Keyboard]\r\ncm_ClearAll=Ctrl+E\r\n";
    if (!host.Start(setup)) {
        fwprintf(stderr, L"host did not start: %ls\n", host.LastError().c_str());
        return -1;
    }
    if (!host.Focus(host.Query(1)))
        return -1;
    std::wstring log = host.Root() + L"\\tchost.log";
    std::vector<double> command = Time(host, log, VK_LCONTROL, 'E', "cmd\t", presses);
    host.Stop();
    if (command.empty())
        return -1;
    Print(name, command);
    return command[command.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int presses = argc > 1 ? _wtoi(argv[1]) : 50;
    // Interleaved runs even out the machine's load between the three.
    double baseline = Measure(L"KeysBaseline.wdx", 0, presses, L"key_to_command_baseline");
    double thread = Measure(L"Merovin.wdx", 0, presses, L"key_to_command_thread_hook");
    double lowLevel = Measure(L"Merovin.wdx", 1, presses, L"key_to_command_low_level_hook");
    if (baseline < 0 || thread < 0 || lowLevel < 0)
        return 1;
    wprintf(L"engine_added_per_key_thread_hook: %.0f us\n", thread - baseline);
    wprintf(L"engine_added_per_key_low_level_hook: %.0f us\n", lowLevel - baseline);
    return 0;
}
