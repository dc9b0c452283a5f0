// Time of one full scan of the stand-in host's window tree: the child-window
// walk and the query scan, inside the host's process (through the probe
// plug-in, as the engine runs) and from another process, on the normal tree
// and on one grown to about 200 windows. Prints "name: value unit" lines.
#include <windows.h>
#include <cstdio>
#include <string>
#include "HostDriver.h"
#include "ProbeProtocol.h"
#include "TCInfo.h"

namespace {

std::wstring BinFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of(L'\\'));
}

int CountWindows(HWND main)
{
    int count = 0;
    EnumChildWindows(main, [](HWND, LPARAM p) -> BOOL { ++*(int*)p; return TRUE; }, (LPARAM)&count);
    return count;
}

// Milliseconds per scan inside the host; negative when a scan failed or the
// host did not answer.
double InHost(const CHostDriver& host, ProbeOp op, int scans)
{
    LRESULT us = host.Send(ProbeMessage(), op, scans, 60000);
    return us <= 0 ? -1.0 : us / 1000.0 / scans;
}

double FromHere(CTCInfoBase& info, HWND main, int scans)
{
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < scans; ++i) {
        if (!info.Rescan(main))
            return -1.0;
    }
    QueryPerformanceCounter(&end);
    return (end.QuadPart - start.QuadPart) * 1000.0 / freq.QuadPart / scans;
}

// False when a scan failed (its figure is negative).
bool Report(const char* tree, int windows, const CHostDriver& host, int scans)
{
    CTCInfo64 walk;
    CTCInfoBase query;
    // One warm-up scan each.
    InHost(host, ProbeTimeWalk, 1);
    walk.Rescan(host.Main());
    double times[] = {InHost(host, ProbeTimeWalk, scans), InHost(host, ProbeTimeQuery, scans),
                      FromHere(walk, host.Main(), scans), FromHere(query, host.Main(), scans)};
    printf("hostmodel_%s_windows: %d count\n", tree, windows);
    printf("hostmodel_%s_walk_in_host: %.3f ms\n", tree, times[0]);
    printf("hostmodel_%s_query_in_host: %.3f ms\n", tree, times[1]);
    printf("hostmodel_%s_walk_other_process: %.3f ms\n", tree, times[2]);
    printf("hostmodel_%s_query_other_process: %.3f ms\n", tree, times[3]);
    for (double time : times) {
        if (time < 0)
            return false;
    }
    return true;
}

// One call that needs the window server (a child listing), for scaling the
// figures above to a machine's load: the walk makes one per listed window.
double ServerRoundTrip()
{
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const int calls = 2000;
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i)
        GetWindow(w, GW_CHILD);
    QueryPerformanceCounter(&end);
    DestroyWindow(w);
    return (end.QuadPart - start.QuadPart) * 1e6 / freq.QuadPart / calls;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int scans = argc > 1 ? _wtoi(argv[1]) : 200;
    if (scans <= 0)
        scans = 200;
    CHostDriver host;
    CHostSetup setup;
    setup.args = {L"--tabs=both", L"--ftp"};
    setup.leftFiles = {L"a.txt", L"sub\\"};
    setup.rightFiles = {L"b.txt"};
    setup.pluginFiles = {BinFolder() + L"\\HostModelProbe.dll"};
    setup.plugin = L"HostModelProbe.dll";
    if (!host.Start(setup)) {
        fwprintf(stderr, L"stand-in host did not start: %ls\n", host.LastError().c_str());
        return 1;
    }
    bool ok = Report("tree", CountWindows(host.Main()), host, scans);
    int extra = 200 - CountWindows(host.Main());
    if (extra > 0)
        host.Send(TCHost::MsgCreateWindows, extra, 0, 30000);
    ok = Report("tree200", CountWindows(host.Main()), host, scans) && ok;
    printf("hostmodel_server_round_trip: %.1f us\n", ServerRoundTrip());
    host.Stop();
    return ok ? 0 : 1;
}
