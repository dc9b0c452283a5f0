#include "DesktopIni.h"
#include "EngineHelpers.h"
#include <lm.h>
#include <shellapi.h>

namespace {

const WCHAR ShellClassInfo[] = L".ShellClassInfo";

CString ReadIniText(LPCWSTR key, LPCWSTR iniPath)
{
    WCHAR text[1024] = {};
    GetPrivateProfileStringW(ShellClassInfo, key, L"", text, 1024, iniPath);
    return CString(text);
}

// "file,index" with the index after the last comma.
bool FromIconResource(LPCWSTR iniPath, CString& file, int& index)
{
    CString text = ReadIniText(L"IconResource", iniPath);
    if (text.IsEmpty())
        return false;
    int comma = text.ReverseFind(L',');
    index = comma >= 0 ? (int)wcstol(text.Mid(comma + 1), nullptr, 10) : 0;
    file = comma >= 0 ? text.Left(comma) : text;
    return !file.IsEmpty();
}

bool FromIconFile(LPCWSTR iniPath, CString& file, int& index)
{
    file = ReadIniText(L"IconFile", iniPath);
    if (file.IsEmpty())
        return false;
    index = (int)GetPrivateProfileIntW(ShellClassInfo, L"IconIndex", 0, iniPath);
    return true;
}

} // namespace

bool NetDriveDisconnected(LPCWSTR drive)
{
    LPBYTE buffer = nullptr;
    if (NetUseGetInfo(nullptr, const_cast<LPWSTR>(drive), 1, &buffer) != NERR_Success || !buffer)
        return false;
    bool down = reinterpret_cast<USE_INFO_1*>(buffer)->ui1_status != USE_OK;
    NetApiBufferFree(buffer);
    return down;
}

bool IconResourceFirst()
{
    OSVERSIONINFOW version = {sizeof(version)};
    if (!GetVersionExW(&version))
        return true;
    return version.dwMajorVersion >= 6;
}

bool DesktopIniIconSource(LPCWSTR folder, const CDesktopIniOptions& options, CString& file, int& index)
{
    // Only folders on a drive letter: network folders ("\\") are left out, and
    // a plug-in or FTP folder ("\pub\x") would be read on the current drive.
    CString base(folder ? folder : L"");
    bool onDrive = base.GetLength() >= 2 && base[1] == L':' &&
                   ((base[0] >= L'A' && base[0] <= L'Z') || (base[0] >= L'a' && base[0] <= L'z'));
    if (!onDrive)
        return false;
    if (options.skipDisconnected && options.disconnected) {
        if (options.disconnected(base.Left(2)))
            return false;
    }
    CString iniPath = base + L"\\desktop.ini";
    index = 0;
    bool found = options.iconResourceFirst
                     ? (FromIconResource(iniPath, file, index) || FromIconFile(iniPath, file, index))
                     : (FromIconFile(iniPath, file, index) || FromIconResource(iniPath, file, index));
    if (!found)
        return false;
    WCHAR expanded[2049];
    DWORD length = ExpandEnvironmentStringsW(file, expanded, 2048);
    if (length > 0 && length <= 2048)
        file = expanded;
    bool absolute = (file.GetLength() >= 2 && file[1] == L':') || (!file.IsEmpty() && file[0] == L'\\');
    if (!absolute)
        file = base + L"\\" + file;
    return true;
}

HICON DesktopIniIcon(LPCWSTR folder, const CDesktopIniOptions& options, PrivateExtractIconsProc extract)
{
    CString file;
    int index = 0;
    if (!DesktopIniIconSource(folder, options, file, index))
        return nullptr;
    HICON icon = nullptr;
    if (index < 0) {
        if (ExtractIconExW(file, index, nullptr, &icon, 1) != 1 || !icon)
            return nullptr;
        return icon;
    }
    return ExtractSmallIcon(file, index, extract);
}
