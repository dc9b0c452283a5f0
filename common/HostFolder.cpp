#include "HostFolder.h"
#include <algorithm>

namespace {

const WCHAR HostRegistryKey[] = L"Software\\Ghisler\\Total Commander";
// Longest registry value or expanded variable taken (characters).
const DWORD MaxValue = 1023;

CString RegistryText(HKEY root, LPCWSTR valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, HostRegistryKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return CString();
    WCHAR value[MaxValue + 2] = {};
    DWORD type = 0;
    DWORD bytes = MaxValue * sizeof(WCHAR);
    LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    // The stored text need not end with a zero.
    value[std::min<DWORD>(bytes / sizeof(WCHAR), MaxValue)] = 0;
    if (type == REG_EXPAND_SZ) {
        WCHAR expanded[MaxValue + 2];
        DWORD length = ExpandEnvironmentStringsW(value, expanded, MaxValue + 1);
        if (length > 0 && length <= MaxValue + 1)
            return CString(expanded);
    }
    return CString(value);
}

bool FileExists(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CString ReadHostRegistryText(LPCWSTR valueName)
{
    CString text = RegistryText(HKEY_CURRENT_USER, valueName);
    if (text.IsEmpty())
        text = RegistryText(HKEY_LOCAL_MACHINE, valueName);
    return text;
}

CString FindHostFolder()
{
    WCHAR folder[MaxValue + 2];
    DWORD length = ExpandEnvironmentStringsW(L"%COMMANDER_PATH%", folder, MaxValue + 1);
    if (length > 0 && length <= MaxValue + 1 && folder[0] != L'%')
        return CString(folder);
    return ReadHostRegistryText(L"InstallDir");
}

CString FindHostCommandFileIn(LPCWSTR folderPath)
{
    CString folder(folderPath ? folderPath : L"");
    if (folder.IsEmpty())
        return CString();
    if (folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    for (LPCWSTR name : {L"totalcmd.inc", L"wincmd.inc"}) {
        CString path = folder + name;
        if (FileExists(path))
            return path;
    }
    return CString();
}

CString FindHostCommandFile()
{
    return FindHostCommandFileIn(FindHostFolder());
}
