// The module loader's tests: a host made of windows the test creates, a
// hotkey table of (text, number) rows, the engine's timers, and a folder
// standing in for the engine folder with copies of the test modules.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cwchar>
#include <string>
#include <vector>
#include "ModuleLoader.h"
#include "EngineTimers.h"
#include "HotkeyText.h"
#include "KeyNameTable.h"
#include "../../support/PumpMessages.h"

// A fresh folder with the test modules copied in, removed at the end.
class CModuleFolder {
public:
    CModuleFolder()
    {
        WCHAR base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static LONG counter = 0;
        WCHAR name[64];
        _snwprintf(name, 63, L"modl_%lu_%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
        name[63] = 0;
        m_path = std::wstring(base) + name + L"\\";
        CreateDirectoryW(m_path.c_str(), nullptr);
        WCHAR exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring bin(exe);
        bin = bin.substr(0, bin.rfind(L'\\') + 1);
        for (LPCWSTR dll : {L"TestMod64.dll", L"TestModB64.dll", L"NoProcess64.dll", L"NullInfo64.dll",
                            L"Thrower64.dll"})
            CopyFileW((bin + dll).c_str(), (m_path + dll).c_str(), FALSE);
    }
    ~CModuleFolder()
    {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((m_path + L"*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW((m_path + data.cFileName).c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(m_path.c_str());
    }
    // With its trailing "\".
    const std::wstring& Path() const { return m_path; }
    std::wstring File(LPCWSTR name) const { return m_path + name; }

    // Replaces a whole INI file (UTF-16 with its byte-order mark).
    void WriteIni(LPCWSTR name, const std::wstring& text) const
    {
        std::wstring file = File(name);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return;
        std::wstring bytes = L"\xFEFF" + text;
        DWORD written = 0;
        WriteFile(handle, bytes.c_str(), (DWORD)(bytes.size() * sizeof(WCHAR)), &written, nullptr);
        CloseHandle(handle);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    }
    // The text of a UTF-16 file without byte-order mark; empty when missing.
    std::wstring ReadLog(LPCWSTR name) const
    {
        HANDLE handle = CreateFileW(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return std::wstring();
        std::wstring text(GetFileSize(handle, nullptr) / sizeof(WCHAR), L'\0');
        DWORD read = 0;
        ReadFile(handle, &text[0], (DWORD)(text.size() * sizeof(WCHAR)), &read, nullptr);
        CloseHandle(handle);
        return text;
    }

private:
    std::wstring m_path;
};

// The engine's side as the loader sees it.
class CTestModuleHost : public CModuleHost {
public:
    struct Row {
        std::wstring text;
        UINT number;
        bool module;
    };

    std::wstring settingsFile;
    std::wstring engineFolder;
    bool pluginsEnabled = true;
    HWND mainWindow = nullptr;
    HWND fileLists[2] = {};
    HWND tabControls[2] = {};
    std::wstring panelPaths[2];
    std::vector<Row> hotkeys; // the hotkey table
    CEngineTimers timers;
    CModuleLoader* timerTarget = nullptr;

    CTestModuleHost() { s_current = this; }
    ~CTestModuleHost() override
    {
        timers.KillAll();
        s_current = nullptr;
    }

    LPCWSTR SettingsFile() override { return settingsFile.c_str(); }
    LPCWSTR EngineFolder() override { return engineFolder.c_str(); }
    bool PluginsEnabled() override { return pluginsEnabled; }
    HWND MainWindow() override { return mainWindow; }
    HWND FileList(int side) override { return fileLists[side & 1]; }
    HWND TabControl(int side) override { return tabControls[side & 1]; }
    CString PanelPath(int side) override { return CString(panelPaths[side & 1].c_str()); }
    UINT ClassifyFocus(HWND window) override
    {
        WCHAR name[64] = {};
        GetClassNameW(window, name, 64);
        for (LPCWSTR edit : {L"TAltEdit", L"Edit", L"TInEdit", L"TMemo", L"TEdit", L"TMyMemo", L"TTabEdit"})
            if (wcscmp(name, edit) == 0)
                return 4 | 2;
        return 2;
    }
    bool AddModuleHotkey(LPCWSTR text, UINT number) override
    {
        HotkeyCode code = 0;
        if (!ParseHotkeyText(text, EngineKeyNameTable(), &code))
            return false;
        hotkeys.push_back({text, number, true});
        return true;
    }
    void RemoveModuleHotkeys() override
    {
        std::vector<Row> kept;
        for (const Row& row : hotkeys)
            if (!row.module)
                kept.push_back(row);
        hotkeys = kept;
    }
    bool StartTimer(EngineTimer kind, UINT elapse) override
    {
        return timers.Start(kind, 0, elapse, TimerProc) != 0;
    }
    void KillTimer(EngineTimer kind) override { timers.Kill(kind); }

    int ModuleHotkeyRows() const
    {
        int count = 0;
        for (const Row& row : hotkeys)
            count += row.module ? 1 : 0;
        return count;
    }

private:
    static VOID CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
    {
        EngineTimer kind;
        UINT_PTR key;
        if (!s_current || !s_current->timers.Lookup(id, kind, key)) {
            ::KillTimer(nullptr, id);
            return;
        }
        if (kind == EngineTimer::SelectionRestore && s_current->timerTarget)
            s_current->timerTarget->OnSelectionRestoreTimer();
    }
    static inline CTestModuleHost* s_current = nullptr;
};

// The "TestModLog" of a loaded test module; empty when it is not loaded.
inline std::wstring ModuleLog(LPCWSTR dll)
{
    HMODULE module = GetModuleHandleW(dll);
    if (!module)
        return std::wstring();
    typedef LPCWSTR (WINAPI* LogProc)();
    LogProc log = (LogProc)(void*)GetProcAddress(module, "TestModLog");
    return log ? std::wstring(log()) : std::wstring();
}

// Empties the "TestModLog" of a loaded test module.
inline void ClearModuleLog(LPCWSTR dll)
{
    HMODULE module = GetModuleHandleW(dll);
    typedef void (WINAPI* ClearProc)();
    ClearProc clear = module ? (ClearProc)(void*)GetProcAddress(module, "TestModClearLog") : nullptr;
    if (clear)
        clear();
}

// How the test module writes a window handle.
inline std::wstring HandleText(HWND window)
{
    UINT_PTR value = (UINT_PTR)window;
    std::wstring text;
    do {
        text.insert(text.begin(), L"0123456789abcdef"[value & 15]);
        value >>= 4;
    } while (value);
    return text;
}

