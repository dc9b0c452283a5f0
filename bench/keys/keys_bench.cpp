// Latency of a hotkey under Wine: from SendInput of Ctrl+E (bound to
// cm_ClearAll) in the stand-in host's file list to the moment the host's
// log holds the WM_USER+51 it received. Prints "name: value unit" lines.
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

bool Measure(int lowLevel, int presses)
{
    CHostDriver host;
    CHostSetup setup;
    setup.pluginFiles = {BinFile(L"Merovin.wdx")};
    setup.plugin = L"Merovin.wdx";
    setup.leftFiles = {L"a.txt"};
    setup.pluginTexts[L"Merovin.ini"] =
        "[Config]\r\nUseLLHook=" + std::to_string(lowLevel) + "\r\n[Keyboard]\r\ncm_ClearAll=Ctrl+E\r\n";
    if (!host.Start(setup)) {
        fwprintf(stderr, L"host did not start: %ls\n", host.LastError().c_str());
        return false;
    }
    if (!host.Focus(host.Query(1)))
        return false;
    std::wstring log = host.Root() + L"\\tchost.log";
    std::vector<double> command = Time(host, log, VK_LCONTROL, 'E', "cmd\t", presses);
    // The same path without the engine's command: an unbound key reaching the list.
    std::vector<double> plain = Time(host, log, 0, VK_F8, "key\t", presses);
    host.Stop();
    if (command.empty())
        return false;
    Print(lowLevel ? L"key_to_command_low_level_hook" : L"key_to_command_thread_hook", command);
    Print(lowLevel ? L"unbound_key_to_list_low_level_hook" : L"unbound_key_to_list_thread_hook", plain);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int presses = argc > 1 ? _wtoi(argv[1]) : 50;
    bool ok = Measure(0, presses);
    ok = Measure(1, presses) && ok;
    return ok ? 0 : 1;
}
