// A module for the loader's tests. Its answers come from "<file name>.ini"
// beside the library (section "Module"), read again at every call:
//   Name       module name (default: the file's base name)
//   Flags      ModuleFlags, decimal
//   Width, Height   window size (default -1)
//   Count      command count (default 2); NullCommands=1 answers no array
//   NullInfo=1 "GetInfo" answers null
//   Result     what "Process" returns (default 1)
//   Text       new request text; FillText=1 fills the whole buffer without a null
//   SelStart, SelEnd   new selection (kept when missing)
//   Throw      names of the exports that throw, e.g. "Process,Unload"
//   LogFile    a file that gets every log line, and "Detach" when the library goes
//   Notify     a window (hexadecimal handle) sent WM_APP+7 from inside "Process"
// Every call is logged; "TestModLog" answers the log of this load.
// Built into several libraries: TESTMOD_NULL_INFO and TESTMOD_THROW change the
// defaults, TESTMOD_NO_PROCESS leaves "Process" out.
#include <windows.h>
#include <cwchar>
#include <stdexcept>
#include <string>
#include "ModuleExports.h"

#ifndef TESTMOD_NULL_INFO
#define TESTMOD_NULL_INFO 0
#endif
#ifndef TESTMOD_THROW
#define TESTMOD_THROW L""
#endif

extern "C" {
LPCWSTR WINAPI TestModLog();
void WINAPI TestModClearLog();
}

namespace {

std::wstring Hex(UINT_PTR value)
{
    WCHAR text[32];
    int i = 31;
    text[i] = 0;
    do {
        text[--i] = L"0123456789abcdef"[value & 15];
        value >>= 4;
    } while (value && i > 0);
    return text + i;
}

class CTestModule {
public:
    void Attach(HINSTANCE instance)
    {
        WCHAR path[MAX_PATH] = {};
        GetModuleFileNameW(instance, path, MAX_PATH);
        std::wstring file(path);
        size_t slash = file.rfind(L'\\');
        size_t dot = file.rfind(L'.');
        m_baseName = file.substr(slash + 1, dot - slash - 1);
        m_ini = file.substr(0, dot) + L".ini";
    }
    void Detach() { AppendToFile(L"Detach"); }

    std::wstring Text(LPCWSTR key, LPCWSTR defaultText = L"") const
    {
        WCHAR value[2048] = {};
        GetPrivateProfileStringW(L"Module", key, defaultText, value, 2048, m_ini.c_str());
        return value;
    }
    int Int(LPCWSTR key, int defaultValue) const
    {
        std::wstring value = Text(key);
        return value.empty() ? defaultValue : (int)wcstol(value.c_str(), nullptr, 10);
    }
    bool Has(LPCWSTR key) const { return Text(key, L"\x01").compare(L"\x01") != 0; }

    void Log(const std::wstring& line)
    {
        m_log += line;
        m_log += L"\n";
        AppendToFile(line);
    }
    void MaybeThrow(LPCWSTR what) const
    {
        std::wstring list = L"," + Text(L"Throw", TESTMOD_THROW) + L",";
        if (list.find(L"," + std::wstring(what) + L",") != std::wstring::npos)
            throw std::runtime_error("test module fault");
    }

    ModuleInfo* Info()
    {
        if (Int(L"NullInfo", TESTMOD_NULL_INFO))
            return nullptr;
        lstrcpynW(m_info.name, Text(L"Name", m_baseName.c_str()).c_str(), ModuleNameLength);
        m_info.flags = (UINT)Int(L"Flags", 0);
        m_info.width = Int(L"Width", -1);
        m_info.height = Int(L"Height", -1);
        m_info.commandCount = Int(L"Count", 2);
        m_info.commands = Int(L"NullCommands", 0) ? nullptr : m_commands;
        return &m_info;
    }

    INT Run(EditRequest* request, INT parameter)
    {
        Log(L"Process " + std::to_wstring((long long)request->code) + L"|" +
            std::to_wstring(parameter) + L"|" + std::to_wstring(request->selStart) + L"," +
            std::to_wstring(request->selEnd) + L"|" + Hex((UINT_PTR)request->window) + L"|" +
            request->text);
        MaybeThrow(L"Process");
        std::wstring notify = Text(L"Notify");
        if (!notify.empty())
            SendMessageW((HWND)(UINT_PTR)wcstoull(notify.c_str(), nullptr, 16), WM_APP + 7, 0, 0);
        if (request->code != RequestCommand)
            return 0;
        if (Int(L"FillText", 0)) {
            for (WCHAR& ch : request->text)
                ch = L'x';
        } else if (Has(L"Text")) {
            lstrcpynW(request->text, Text(L"Text").c_str(), ModuleTextLength);
        }
        if (Has(L"SelStart"))
            request->selStart = Int(L"SelStart", 0);
        if (Has(L"SelEnd"))
            request->selEnd = Int(L"SelEnd", 0);
        return Int(L"Result", 1);
    }

    const std::wstring& LogText() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    void AppendToFile(const std::wstring& line) const
    {
        std::wstring file = Text(L"LogFile");
        if (file.empty())
            return;
        HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return;
        std::wstring text = m_baseName + L": " + line + L"\r\n";
        DWORD written = 0;
        WriteFile(handle, text.c_str(), (DWORD)(text.size() * sizeof(WCHAR)), &written, nullptr);
        CloseHandle(handle);
    }

    std::wstring m_baseName;
    std::wstring m_ini;
    std::wstring m_log;
    ModuleInfo m_info = {};
    ModuleCommand m_commands[2] = {{1, L"First|The first command"}, {2, L"Second|The second command"}};
};

CTestModule theModule;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        theModule.Attach(instance);
    else if (reason == DLL_PROCESS_DETACH)
        theModule.Detach();
    return TRUE;
}

ModuleInfo* WINAPI GetInfo()
{
    theModule.Log(L"GetInfo");
    theModule.MaybeThrow(L"GetInfo");
    return theModule.Info();
}

void WINAPI Load(HWND parent, POINT* point)
{
    std::wstring at = point ? std::to_wstring(point->x) + L"," + std::to_wstring(point->y) : L"null";
    theModule.Log(L"Load " + Hex((UINT_PTR)parent) + L"|" + at);
    theModule.MaybeThrow(L"Load");
}

void WINAPI Unload()
{
    theModule.Log(L"Unload");
    theModule.MaybeThrow(L"Unload");
}

#ifndef TESTMOD_NO_PROCESS
INT WINAPI Process(EditRequest* request, INT parameter)
{
    return theModule.Run(request, parameter);
}
#endif

LPCWSTR WINAPI TestModLog()
{
    return theModule.LogText().c_str();
}

void WINAPI TestModClearLog()
{
    theModule.ClearLog();
}
