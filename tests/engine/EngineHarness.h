// Loads the engine library the way the host does, from a private folder, on
// the test's own thread, and reads its state through the diagnostic export.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include "ContentPlugin.h"
#include "TestFiles.h"
#include "HostTestSupport.h"

typedef int (WINAPI* DebugDumpProc)(LPWSTR buffer, int size);

// Runs the thread's messages for `ms` milliseconds (or until `done` is true).
template <typename Done>
bool PumpUntil(DWORD ms, Done done)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, ms - elapsed), QS_ALLINPUT);
    }
}

inline void Pump(DWORD ms)
{
    PumpUntil(ms, [] { return false; });
}

class CEngineHarness {
public:
    explicit CEngineHarness(const wchar_t* engineFile = L"Merovin.wdx", const std::wstring& folder = std::wstring())
        : m_temp(L"engine")
    {
        m_folder = folder.empty() ? m_temp.Path() : folder;
        m_path = m_folder + L"\\Merovin.wdx";
        CopyFileW(BinFile(engineFile).c_str(), (L"\\\\?\\" + m_path).c_str(), FALSE);
    }
    ~CEngineHarness()
    {
        if (m_module) {
            Unloading();
            Free();
        }
        WaitUnloaded(2000);
    }

    const std::wstring& Folder() const { return m_folder; }
    std::wstring SettingsFile() const { return m_folder + L"\\Merovin.ini"; }
    const std::wstring& Path() const { return m_path; }

    bool Load()
    {
        m_module = LoadLibraryW(m_path.c_str());
        return m_module != nullptr;
    }
    void SetDefaultParams(const char* defaultIni, int size = (int)sizeof(ContentDefaultParams))
    {
        ContentDefaultParams params = {};
        params.size = size;
        params.versionLow = 10;
        params.versionHigh = 2;
        if (defaultIni)
            memcpy(params.defaultIniName, defaultIni, std::min<size_t>(strlen(defaultIni), ContentIniNameLength));
        Call<ContentSetDefaultParamsProc>("ContentSetDefaultParams")(&params);
    }
    void SetDefaultParams(const ContentDefaultParams& params)
    {
        ContentDefaultParams copy = params;
        Call<ContentSetDefaultParamsProc>("ContentSetDefaultParams")(&copy);
    }
    void Unloading() { Call<ContentPluginUnloadingProc>("ContentPluginUnloading")(); }
    void Free()
    {
        if (m_module)
            FreeLibrary(m_module);
        m_module = nullptr;
    }
    bool IsLoaded() const { return GetModuleHandleW(m_path.c_str()) != nullptr; }
    bool WaitUnloaded(DWORD ms)
    {
        return PumpUntil(ms, [this] { return !IsLoaded(); });
    }

    std::map<std::wstring, std::wstring> Dump()
    {
        std::map<std::wstring, std::wstring> values;
        auto dump = Call<DebugDumpProc>("MerovinDebugDump");
        int length = dump(nullptr, 0);
        std::wstring text(length + 1, 0);
        dump(&text[0], length + 1);
        size_t start = 0;
        while (start < text.size() && text[start]) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos)
                end = wcslen(text.c_str());
            std::wstring line = text.substr(start, end - start);
            size_t equals = line.find(L'=');
            if (equals != std::wstring::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
            start = end + 1;
        }
        return values;
    }
    std::wstring Value(const wchar_t* key) { return Dump()[key]; }
    int Number(const wchar_t* key) { return _wtoi(Value(key).c_str()); }
    ULONG_PTR Handle(const wchar_t* key) { return (ULONG_PTR)wcstoull(Value(key).c_str(), nullptr, 16); }

private:
    template <typename Proc>
    Proc Call(const char* name)
    {
        HMODULE module = GetModuleHandleW(m_path.c_str());
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    CTempFolder m_temp;
    std::wstring m_folder;
    std::wstring m_path;
    HMODULE m_module = nullptr;
};

// Windows of a class on the current thread.
inline std::vector<HWND> ThreadWindows(const wchar_t* className)
{
    struct Search {
        const wchar_t* name;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcscmp(name, s->name) == 0)
            s->found.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A plain window of a given class on the current thread.
inline HWND CreateClassWindow(const wchar_t* className, HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, L"", style | (parent ? WS_CHILD | WS_VISIBLE : 0), 10, 10, 300, 200,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}
