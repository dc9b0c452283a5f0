// Loads the calculator module from a folder of its own and binds its exports
// by name, as the engine does.
#pragma once
#include "ModuleInterface.h"
#include <cstring>
#include <string>

typedef INT(WINAPI* NumbraCountProc)();

class CNumbraLoader {
public:
    // settings: the text of a "Numbra.ini" put beside the library before it
    // is loaded (none when NULL).
    explicit CNumbraLoader(const char* settings = nullptr)
    {
        WCHAR self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring source(self);
        source = source.substr(0, source.rfind(L'\\') + 1) + L"Numbra64.dll";
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"numbra-dll-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
        CreateDirectoryW(m_folder.c_str(), nullptr);
        m_file = m_folder + L"\\Numbra64.dll";
        m_ini = m_folder + L"\\Numbra.ini";
        CopyFileW(source.c_str(), m_file.c_str(), FALSE);
        if (settings) {
            HANDLE file = CreateFileW(m_ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, settings, (DWORD)strlen(settings), &written, nullptr);
            CloseHandle(file);
        }
        m_module = LoadLibraryW(m_file.c_str());
        if (m_module) {
            getInfo = (ModuleGetInfoProc)(void*)GetProcAddress(m_module, "GetInfo");
            load = (ModuleLoadProc)(void*)GetProcAddress(m_module, "Load");
            unload = (ModuleUnloadProc)(void*)GetProcAddress(m_module, "Unload");
            process = (ModuleProcessProc)(void*)GetProcAddress(m_module, "Process");
            getCount = (NumbraCountProc)(void*)GetProcAddress(m_module, "GetCount");
        }
    }
    ~CNumbraLoader()
    {
        if (m_module)
            FreeLibrary(m_module);
        DeleteFileW(m_file.c_str());
        DeleteFileW(m_ini.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    CNumbraLoader(const CNumbraLoader&) = delete;
    CNumbraLoader& operator=(const CNumbraLoader&) = delete;

    HMODULE Module() const { return m_module; }

    ModuleGetInfoProc getInfo = nullptr;
    ModuleLoadProc load = nullptr;
    ModuleUnloadProc unload = nullptr;
    ModuleProcessProc process = nullptr;
    NumbraCountProc getCount = nullptr;

private:
    std::wstring m_folder;
    std::wstring m_file;
    std::wstring m_ini;
    HMODULE m_module = nullptr;
};
