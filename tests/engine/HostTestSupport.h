// Small helpers shared by the engine tests: files beside the test program,
// the engine's dispatcher window of a thread, waiting for a condition and a
// window's descendants.
#pragma once
#include <windows.h>
#include "BuildPaths.h"
#include <string>
#include <vector>

inline std::wstring BinFile(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

// A program of the 64-bit tree (the engine, the stand-in host, the 64-bit
// modules): the 32-bit tree's tests take them from there.
inline std::wstring X64BinFile(const wchar_t* name)
{
    return std::wstring(MEROVIN_X64_BIN) + L"\\" + name;
}

inline BOOL CALLBACK FindDispatcher(HWND window, LPARAM data)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"DispIniFileClass") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

inline HWND Dispatcher(DWORD thread)
{
    HWND found = nullptr;
    EnumThreadWindows(thread, FindDispatcher, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Polls `done` every 20 ms for at most `ms` milliseconds.
template <typename Done>
inline bool WaitFor(DWORD ms, Done done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(20);
    }
    return true;
}

// True while the host process has the engine library mapped: a file mapped
// as a library image cannot be opened for writing. (Walking another process's
// module list while it unloads one is not reliable.)
inline bool EngineMapped(const std::wstring& pluginDir)
{
    HANDLE file = CreateFileW((pluginDir + L"\\Merovin.wdx").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    return false;
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

// A window and all its descendants, the window first.
inline std::vector<HWND> WindowAndDescendants(HWND window)
{
    std::vector<HWND> all{window};
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}
