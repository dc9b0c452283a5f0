// The stand-in host set up with the engine: the 64-bit tree's engine file
// copied into the host's plug-in folder and loaded, with `settings`
// as its "Merovin.ini". Tests add files, modules and arguments to the setup.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HostDriver.h"
#include "HostTestSupport.h"

inline CHostSetup EngineHostSetup(const std::string& settings, std::vector<std::wstring> args = {})
{
    CHostSetup setup;
    setup.args = std::move(args);
    setup.pluginFiles = {X64BinFile(L"Merovin.wdx")};
    setup.plugin = L"Merovin.wdx";
    setup.pluginTexts[L"Merovin.ini"] = settings;
    return setup;
}

// Host commands (WM_USER+51) of a stretch of the stand-in host's log, by number.
inline std::vector<long long> Commands(const std::vector<CHostLogEntry>& log)
{
    std::vector<long long> numbers;
    for (const CHostLogEntry& e : log)
        if (e.m_kind == L"cmd")
            numbers.push_back(e.Int(L"n"));
    return numbers;
}

// [Config] keys that make each start of the engine visible in the host's
// log: a start-up sequence of one host command.
#define COUNTED_START_SEQUENCE "EnableStartupSequence=1\r\nStartupSequence=cm_RestoreSelection\r\n"

// How often the engine started in the host with COUNTED_START_SEQUENCE.
inline int EngineStarts(const CHostDriver& host)
{
    int starts = 0;
    for (long long n : Commands(host.LogSince(0, L"cmd")))
        starts += n == 529; // cm_RestoreSelection
    return starts;
}
