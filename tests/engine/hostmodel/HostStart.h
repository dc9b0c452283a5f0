// Starting the stand-in host for the host-model tests, optionally with the
// probe plug-in inside it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HostDriver.h"
#include "ProbeProtocol.h"

inline std::wstring BinFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of(L'\\'));
}

inline CHostSetup HostSetup(const std::vector<std::wstring>& args, bool probe = false)
{
    CHostSetup s;
    s.args = args;
    s.leftFiles = {L"a.txt", L"sub\\"};
    s.rightFiles = {L"b.txt"};
    if (probe) {
        s.pluginFiles = {BinFolder() + L"\\HostModelProbe.dll"};
        s.plugin = L"HostModelProbe.dll";
    }
    return s;
}

inline LRESULT Probe(const CHostDriver& host, ProbeOp op, LPARAM arg = 0, DWORD timeout = 10000)
{
    return host.Send(ProbeMessage(), op, arg, timeout);
}

inline std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}
