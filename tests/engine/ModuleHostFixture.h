// The engine's modules inside the stand-in host: a fixture that starts the
// host with the engine and module files beside it, and helpers that read the
// host's controls, its log and its open menus from the test process.
#pragma once
#include <gtest/gtest.h>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include <map>

using namespace TCHost;

namespace {

inline std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t ch : text)
        out += (char)ch;
    return out;
}

// A window handle as the test module logs it: lower-case hex, no prefix.
inline std::wstring Hex(HWND window)
{
    wchar_t text[32];
    swprintf(text, 32, L"%llx", (unsigned long long)(ULONG_PTR)window);
    return text;
}

inline bool KeyReached(const std::vector<CHostLogEntry>& log, WORD vk, HWND window = nullptr)
{
    for (const CHostLogEntry& e : log) {
        if (e.m_kind != L"key" || e.Int(L"vk") != vk || e.Get(L"msg") != L"keydown")
            continue;
        if (!window || e.Int(L"wnd") == (long long)(ULONG_PTR)window)
            return true;
    }
    return false;
}

// The selection of an edit control of another process (the packed form
// suffices for these short texts).
inline std::pair<int, int> Selection(HWND edit)
{
    DWORD packed = (DWORD)SendMessageW(edit, EM_GETSEL, 0, 0);
    return {LOWORD(packed), HIWORD(packed)};
}

// The text of a control of another process (GetWindowTextW would give its caption).
inline std::wstring Text(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, (LPARAM)text);
    return text;
}

inline HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info = {sizeof(info)};
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// The visible popup menu ("#32768") of a thread, or null.
inline HWND OpenMenu(DWORD thread)
{
    HWND found = nullptr;
    EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

class ModulesInHost : public ::testing::Test {
protected:
    ModulesInHost()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_logFile = std::wstring(temp) + L"merovin-modules-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(GetTickCount64()) + L".log";
    }
    ~ModulesInHost() override
    {
        m_host.Stop();
        DeleteFileW(m_logFile.c_str());
    }

    // Starts the host with the engine, the module files beside it and
    // "Merovin.ini" = [Config] (thread hook) + `sections`. `modules` maps a
    // module file to its test settings ([Module] of "<base name>.ini");
    // every test module logs into the test's log file. `pluginTexts` are
    // further files of the plug-in folder (a module's own settings).
    bool Start(const std::string& sections, const std::map<std::wstring, std::string>& modules,
               std::vector<std::wstring> args = {}, const std::string& hostIni = "",
               const std::map<std::wstring, std::string>& pluginTexts = {})
    {
        CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\n" + sections, args);
        for (const auto& text : pluginTexts)
            setup.pluginTexts.insert(text);
        if (!hostIni.empty())
            setup.homeFiles[L"wincmd.ini"] = hostIni;
        setup.leftFiles = {L"a.txt"};
        setup.rightFiles = {L"b.txt"};
        for (const auto& module : modules) {
            setup.pluginFiles.push_back(BinFile(module.first.c_str()));
            std::wstring base = module.first.substr(0, module.first.rfind(L'.'));
            setup.pluginTexts[base + L".ini"] =
                "[Module]\r\nLogFile=" + Narrow(m_logFile) + "\r\n" + module.second;
        }
        return m_host.Start(setup);
    }

    // The calls a test module logged, in order ("GetInfo", "Load ...", ...).
    std::vector<std::wstring> Calls(const std::wstring& module) const
    {
        std::vector<std::wstring> calls;
        HANDLE file = CreateFileW(m_logFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return calls;
        std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, &text[0], (DWORD)(text.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        std::wstring prefix = module + L": ";
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos)
                end = text.size();
            std::wstring line = text.substr(start, end - start);
            if (line.compare(0, prefix.size(), prefix) == 0)
                calls.push_back(line.substr(prefix.size()));
            start = end + 2;
        }
        return calls;
    }
    // The calls of one kind ("Process", "Load", ...).
    std::vector<std::wstring> CallsOf(const std::wstring& module, const std::wstring& kind) const
    {
        std::vector<std::wstring> found;
        for (const std::wstring& call : Calls(module))
            if (call == kind || call.compare(0, kind.size() + 1, kind + L" ") == 0)
                found.push_back(call);
        return found;
    }
    // Changes a test module's answer; it reads its settings at every call.
    void SetModule(const std::wstring& base, const wchar_t* key, const wchar_t* value)
    {
        std::wstring ini = m_host.PluginDir() + L"\\" + base + L".ini";
        WritePrivateProfileStringW(L"Module", key, value, ini.c_str());
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
    }
    // Presses a chord with the focus on `target`; returns the host's log lines it caused.
    std::vector<CHostLogEntry> ChordIn(HWND target, std::initializer_list<WORD> modifiers, WORD vk)
    {
        EXPECT_TRUE(m_host.Focus(target));
        size_t mark = m_host.LogMark();
        EXPECT_TRUE(m_host.Chord(modifiers, vk));
        EXPECT_TRUE(m_host.Flush());
        return m_host.LogSince(mark);
    }
    // A "TEdit" in the host main window holding `text`.
    HWND ShowEdit(const wchar_t* text)
    {
        HWND edit = m_host.ShowWindow(KindEditInMain, 0);
        if (edit)
            SetWindowTextW(edit, text);
        return edit;
    }

    CHostDriver m_host;
    std::wstring m_logFile;
};

} // namespace
