// Loads the calculator module from a folder of its own and binds its exports
// by name, as the engine does.
#pragma once
#include "ModuleInterface.h"
#include <string>

typedef INT(WINAPI* NumbraLoadProc)(HWND, POINT*);
typedef INT(WINAPI* NumbraCountProc)();

class CNumbraLoader {
public:
    CNumbraLoader()
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
        CopyFileW(source.c_str(), m_file.c_str(), FALSE);
        m_module = LoadLibraryW(m_file.c_str());
        if (m_module) {
            getInfo = (ModuleGetInfoProc)(void*)GetProcAddress(m_module, "GetInfo");
            load = (NumbraLoadProc)(void*)GetProcAddress(m_module, "Load");
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
        RemoveDirectoryW(m_folder.c_str());
    }
    CNumbraLoader(const CNumbraLoader&) = delete;
    CNumbraLoader& operator=(const CNumbraLoader&) = delete;

    HMODULE Module() const { return m_module; }

    ModuleGetInfoProc getInfo = nullptr;
    NumbraLoadProc load = nullptr;
    ModuleUnloadProc unload = nullptr;
    ModuleProcessProc process = nullptr;
    NumbraCountProc getCount = nullptr;

private:
    std::wstring m_folder;
    std::wstring m_file;
    HMODULE m_module = nullptr;
};
