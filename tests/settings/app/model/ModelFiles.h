// The settings model's tests: a host folder and the utility's own folder in
// a temporary folder, the model built over them as the program builds it,
// and prompts answered by script.
#pragma once

#include <windows.h>
#include <memory>
#include <string>
#include "AppTestFiles.h"
#include "Prompt.h"
#include "SettingsModel.h"
#include "TestFiles.h"

class CModelFiles
{
public:
    explicit CModelFiles(LPCWSTR name) : m_folder(name)
    {
        CreateDirectoryW(m_folder.Path(L"host"), nullptr);
        CreateDirectoryW(m_folder.Path(L"own"), nullptr);
        // A host always has its INI; without one the utility says so.
        WriteHost(L"wincmd.ini", "");
    }

    CString Host(LPCWSTR file = nullptr) const { return Path(L"host", file); }
    CString Own(LPCWSTR file = nullptr) const { return Path(L"own", file); }
    CString Root() const { return m_folder.Path(); }

    // ANSI text (the profile functions read it in the ANSI code page).
    CString WriteHost(LPCWSTR file, const std::string& text) const { return m_folder.Write(Rel(L"host", file), text); }
    CString WriteOwn(LPCWSTR file, const std::string& text) const { return m_folder.Write(Rel(L"own", file), text); }

    // The model as the program builds it from "own\MerovSet.exe", the host
    // found through its environment variables.
    std::unique_ptr<CSettingsModel> Build(const CStringArray& args = CStringArray()) const
    {
        CEnvironmentValue path(L"COMMANDER_PATH", Host());
        CEnvironmentValue ini(L"COMMANDER_INI", Host(L"wincmd.ini"));
        std::unique_ptr<CSettingsModel> model(new CSettingsModel);
        model->StartUp(Own(L"MerovSet.exe"), args);
        return model;
    }

    // The bytes of a file, after the profile functions flushed it.
    static std::string Bytes(LPCWSTR path)
    {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
        std::string text;
        HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        char buffer[8192];
        DWORD n = 0;
        while (h != INVALID_HANDLE_VALUE && ReadFile(h, buffer, sizeof(buffer), &n, nullptr) && n)
            text.append(buffer, n);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        return text;
    }
    std::string OwnIni() const { return Bytes(Own(L"Merovin.ini")); }

    // The lines of one section of an ANSI file, "key=value" as written.
    static std::string Section(const std::string& file, const char* section)
    {
        std::string header = std::string("[") + section + "]\r\n";
        size_t start = file.find(header);
        if (start == std::string::npos)
            return std::string();
        start += header.size();
        size_t end = file.find("\r\n[", start);
        return file.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
    }

private:
    CString Path(LPCWSTR sub, LPCWSTR file) const
    {
        return file ? m_folder.Path(Rel(sub, file)) : m_folder.Path(sub);
    }
    static CString Rel(LPCWSTR sub, LPCWSTR file) { return CString(sub) + L"\\" + file; }

    CTestFolder m_folder;
};

// Answers the prompts of its scope from a list; records what was asked.
class CPromptScript : public CScriptedPrompt
{
public:
    CPromptScript() { m_old = AfxSetPromptService(this); }
    ~CPromptScript() { AfxSetPromptService(m_old); }

    CString Text(int i) const { return i < m_prompts.GetSize() ? m_prompts[i].text : CString(L"<none>"); }

private:
    CPromptService* m_old;
};
