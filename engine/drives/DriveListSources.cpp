#include "DriveListSources.h"
#include "Prompt.h"
#include <shlobj.h>
#include <shlwapi.h>

bool CDriveListSources::RemoteSession()
{
    int remote = GetSystemMetrics(SM_REMOTESESSION);
    CString line;
    line.Format(L"GetSystemMetrics( SM_REMOTESESSION) - %d\n", remote);
    OutputDebugStringW(line);
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) {
        line.Format(L"Error ProcessIdToSessionId: 0x%X\n", GetLastError());
        OutputDebugStringW(line);
        return false;
    }
    return remote != 0 && session != 0;
}

void CDriveListSources::ClientShares(CStringArray& names)
{
    typedef HRESULT(WINAPI * StrRetToBufProc)(STRRET*, LPCITEMIDLIST, LPWSTR, UINT);
    HMODULE shlwapi = LoadLibraryW(L"shlwapi.dll");
    auto strRetToBuf = shlwapi ? reinterpret_cast<StrRetToBufProc>(GetProcAddress(shlwapi, "StrRetToBufW")) : nullptr;
    IShellFolder* desktop = nullptr;
    if (strRetToBuf && SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        WCHAR path[] = L"\\\\tsclient";
        LPITEMIDLIST pidl = nullptr;
        IShellFolder* folder = nullptr;
        if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, path, nullptr, &pidl, nullptr)) &&
            SUCCEEDED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
            IEnumIDList* items = nullptr;
            if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_STORAGE, &items) == S_OK && items) {
                LPITEMIDLIST child = nullptr;
                while (items->Next(1, &child, nullptr) == S_OK) {
                    SFGAOF attributes = SFGAO_FILESYSTEM;
                    LPCITEMIDLIST one = child;
                    STRRET name = {};
                    WCHAR text[520] = {};
                    if (SUCCEEDED(folder->GetAttributesOf(1, &one, &attributes)) && (attributes & SFGAO_FILESYSTEM) &&
                        SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_INFOLDER, &name)) &&
                        SUCCEEDED(strRetToBuf(&name, child, text, 520)))
                        names.Add(text);
                    CoTaskMemFree(child);
                }
                items->Release();
            }
        }
        if (folder)
            folder->Release();
        CoTaskMemFree(pidl);
        desktop->Release();
    }
    if (shlwapi)
        FreeLibrary(shlwapi);
}

SHORT CDriveListSources::KeyScan(WCHAR ch)
{
    return VkKeyScanW(ch);
}

void CDriveListSources::Beep()
{
    AfxMessageBeep(MB_ICONASTERISK);
}

DWORD_PTR CDriveListSources::FileInfo(LPCWSTR path, SHFILEINFOW& info, UINT flags)
{
    return SHGetFileInfoW(path, 0, &info, sizeof info, flags);
}

int CDriveListSources::ShowDriveLettersFirst()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return -1;
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExW(key, L"ShowDriveLettersFirst", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS || type != REG_DWORD)
        value = 0;
    RegCloseKey(key);
    return int(value);
}
