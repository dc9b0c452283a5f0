// Temporary folders and files for the settings application tests.
#pragma once

#include <windows.h>
#include <string>
#include "Strings.h"

// A fresh folder under the temporary folder, removed with its files.
class CTestFolder
{
public:
    explicit CTestFolder(LPCWSTR name)
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path.Format(L"%sapp_%lu_%s", temp, GetCurrentProcessId(), name);
        Remove(m_path);
        CreateDirectoryW(m_path, nullptr);
    }
    ~CTestFolder() { Remove(m_path); }

    CString Path(LPCWSTR relative) const { return m_path + L"\\" + relative; }
    const CString& Path() const { return m_path; }

    // Writes ANSI text; a file of the profile functions is then flushed.
    CString Write(LPCWSTR relative, const std::string& text) const
    {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, Path(relative));
        CString path = Path(relative);
        HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, text.data(), (DWORD)text.size(), &n, nullptr);
        CloseHandle(h);
        return path;
    }

private:
    static void Remove(const CString& folder)
    {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, nullptr);
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW(folder + L"\\*", &fd);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                CString name(fd.cFileName);
                if (name == L"." || name == L"..")
                    continue;
                CString path = folder + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path);
                else
                    DeleteFileW(path);
            } while (FindNextFileW(find, &fd));
            FindClose(find);
        }
        RemoveDirectoryW(folder);
    }

    CString m_path;
};
