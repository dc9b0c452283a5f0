#include "HostIniRedirect.h"
#include <shlwapi.h>
#include <cwchar>
#include <cwctype>

namespace {

const LPCWSTR FixedSections[] = {
    L"Configuration", L"Layout", L"Packer", L"Confirmation", L"Extensions",
    L"Shortcuts", L"PackerPlugins", L"FileSystemPlugins", L"ListerPlugins", L"ContentPlugins",
};

void CopyBounded(LPWSTR target, DWORD size, LPCWSTR source)
{
    if (size == 0)
        return;
    lstrcpynW(target, source ? source : L"", (int)size);
}

} // namespace

bool IsOverlongBareName(LPCWSTR file)
{
    if (!file || wcspbrk(file, L"\\/"))
        return false;
    WCHAR windows[MAX_PATH];
    UINT folder = GetWindowsDirectoryW(windows, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH)
        folder = MAX_PATH; // unknown: every bare name is too long
    // The folder, "\", the name and the terminating null.
    return folder + 1 + wcslen(file) + 1 > MAX_PATH;
}

bool IsFixedHostSection(LPCWSTR section)
{
    if (!section)
        return false;
    for (LPCWSTR fixed : FixedSections) {
        if (lstrcmpiW(section, fixed) == 0)
            return true;
    }
    return false;
}

bool ResolveHostIniFile(LPCWSTR section, LPCWSTR mainIni, LPWSTR file, DWORD size)
{
    if (!file || size == 0)
        return false;
    file[0] = 0;
    if (!mainIni || !*mainIni || !section || IsOverlongBareName(mainIni))
        return false;

    WCHAR alternate[HostIniPathLength + 1];
    GetPrivateProfileStringW(L"Configuration", L"AlternateUserIni", mainIni,
                             alternate, HostIniPathLength, mainIni);
    WCHAR redirect[HostIniPathLength + 1];
    GetPrivateProfileStringW(section, L"RedirectSection", L"", redirect,
                             HostIniPathLength, mainIni);

    LPCWSTR chosen;
    if (redirect[0] == L'0')
        chosen = mainIni;
    else if (redirect[0] == L'1')
        chosen = alternate;
    else if (redirect[0] == 0)
        chosen = IsFixedHostSection(section) ? mainIni : alternate;
    else
        chosen = redirect;

    WCHAR expanded[HostIniPathLength + 1];
    DWORD length = ExpandEnvironmentStringsW(chosen, expanded, HostIniPathLength);
    if (length == 0 || length > HostIniPathLength)
        lstrcpynW(expanded, chosen, HostIniPathLength + 1);
    // A bare or relative name is relative to the main INI's folder (the
    // profile functions would look in the Windows folder).
    WCHAR resolved[MAX_PATH] = {};
    if (expanded[0] && PathIsRelativeW(expanded)) {
        WCHAR folder[MAX_PATH];
        lstrcpynW(folder, mainIni, MAX_PATH);
        if (PathRemoveFileSpecW(folder) && folder[0] && PathCombineW(resolved, folder, expanded)) {
            CopyBounded(file, size, resolved);
            return true;
        }
    }
    if (IsOverlongBareName(expanded))
        return false;
    CopyBounded(file, size, expanded);
    return true;
}

DWORD ReadHostIniString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                        LPWSTR buffer, DWORD size, LPCWSTR mainIni)
{
    if (!buffer || size == 0)
        return 0;
    WCHAR file[HostIniPathLength + 1];
    if (!ResolveHostIniFile(section, mainIni, file, HostIniPathLength + 1)) {
        CopyBounded(buffer, size, defaultText);
        return lstrlenW(buffer);
    }
    return GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"",
                                    buffer, size, file);
}

int ReadHostIniInt(LPCWSTR section, LPCWSTR key, int defaultValue, LPCWSTR mainIni)
{
    WCHAR text[HostIniPathLength + 1];
    ReadHostIniString(section, key, L"", text, HostIniPathLength, mainIni);
    if (!text[0])
        return defaultValue;
    return (int)wcstol(text, nullptr, 10);
}
