// Temporary folders and files for the engine tests.
#pragma once
#include <windows.h>
#include <string>

// A fresh folder under the temporary folder, removed with its files at the end.
class CTempFolder {
public:
    explicit CTempFolder(const wchar_t* tag)
    {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static LONG counter = 0;
        wchar_t name[64];
        _snwprintf(name, 63, L"%ls_%lu_%ld", tag, GetCurrentProcessId(), InterlockedIncrement(&counter));
        name[63] = 0;
        m_path = std::wstring(base) + name;
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~CTempFolder() { RemoveTree(m_path); }
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }

    static void RemoveTree(const std::wstring& path)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring full = path + L"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(full);
                else
                    DeleteFileW(full.c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }

private:
    std::wstring m_path;
};

inline void WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, data, (DWORD)size, &written, nullptr);
        CloseHandle(file);
    }
}

// Writes ANSI text (the profile functions read it in the ANSI code page).
inline void WriteText(const std::wstring& path, const char* text)
{
    WriteBytes(path, text, strlen(text));
}

// Writes UTF-16 LE text with its byte-order mark.
inline void WriteUtf16(const std::wstring& path, const wchar_t* text)
{
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text), wcslen(text) * 2);
    WriteBytes(path, bytes.data(), bytes.size());
}

// Points HKCU and HKLM into private keys of this process for its lifetime.
class CRegistryOverride {
public:
    CRegistryOverride()
    {
        wchar_t name[96];
        _snwprintf(name, 95, L"Software\\MerovinTests\\%lu", GetCurrentProcessId());
        name[95] = 0;
        m_root = name;
        RegCreateKeyExW(HKEY_CURRENT_USER, (m_root + L"\\cu").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_cu, nullptr);
        RegCreateKeyExW(HKEY_CURRENT_USER, (m_root + L"\\lm").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_lm, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, m_cu);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_lm);
    }
    ~CRegistryOverride()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(m_cu);
        RegCloseKey(m_lm);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_root.c_str());
    }
    // Sets "InstallDir" under the (overridden) root's host key.
    static void SetInstallDir(HKEY root, const wchar_t* value, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        RegCreateKeyExW(root, L"Software\\Ghisler\\Total Commander", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (type == REG_DWORD) {
            DWORD number = 5;
            RegSetValueExW(key, L"InstallDir", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
        } else {
            RegSetValueExW(key, L"InstallDir", 0, type, reinterpret_cast<const BYTE*>(value),
                           (DWORD)((wcslen(value) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
    static void ClearInstallDir(HKEY root)
    {
        RegDeleteTreeW(root, L"Software\\Ghisler");
    }

private:
    std::wstring m_root;
    HKEY m_cu = nullptr;
    HKEY m_lm = nullptr;
};

// Sets or removes an environment variable for the scope.
class CEnvironmentValue {
public:
    CEnvironmentValue(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        wchar_t old[2048];
        DWORD n = GetEnvironmentVariableW(name, old, 2048);
        m_had = n > 0 && n < 2048;
        if (m_had)
            m_old = old;
        SetEnvironmentVariableW(name, value);
    }
    ~CEnvironmentValue() { SetEnvironmentVariableW(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

private:
    std::wstring m_name;
    std::wstring m_old;
    bool m_had = false;
};
