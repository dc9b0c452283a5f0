// deskrun PROGRAM [ARGS...]: runs PROGRAM in a window station and desktop of
// its own, so tests that use focus, input, hooks, menus, dialogs or the
// clipboard can run in parallel; passes the child's exit code through.
#include <windows.h>
#include <string>
#include <cstdio>

static std::wstring QuoteArg(const wchar_t* arg)
{
    std::wstring s(arg);
    if (!s.empty() && s.find_first_of(L" \t\"") == std::wstring::npos)
        return s;
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : s) {
        if (c == L'\\') { ++slashes; continue; }
        if (c == L'"') out.append(slashes * 2 + 1, L'\\');
        else out.append(slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fwprintf(stderr, L"usage: deskrun PROGRAM [ARGS...]\n");
        return 2;
    }
    std::wstring cmd;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) cmd += L' ';
        cmd += QuoteArg(argv[i]);
    }
    wchar_t station[64];
    swprintf(station, 64, L"ws_%lu", GetCurrentProcessId());
    HWINSTA oldStation = GetProcessWindowStation();
    HWINSTA ws = CreateWindowStationW(station, 0, GENERIC_ALL, nullptr);
    if (!ws || !SetProcessWindowStation(ws)) {
        fwprintf(stderr, L"deskrun: no window station (%lu)\n", GetLastError());
        return 3;
    }
    HDESK desk = CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    SetProcessWindowStation(oldStation);
    if (!desk) {
        fwprintf(stderr, L"deskrun: no desktop (%lu)\n", GetLastError());
        return 3;
    }
    std::wstring deskName = std::wstring(station) + L"\\Default";
    STARTUPINFOW si = {sizeof si};
    si.lpDesktop = &deskName[0];
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        fwprintf(stderr, L"deskrun: cannot start %ls (%lu)\n", argv[1], GetLastError());
        return 3;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseDesktop(desk);
    CloseWindowStation(ws);
    return static_cast<int>(code);
}
