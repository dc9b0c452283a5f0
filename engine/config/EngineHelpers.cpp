#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "ColorSetting.h"
#include <cwchar>
#include <cwctype>

const ViewModeRow ViewModeTable[ViewModeCount] = {
    {L"Comment", {100, 100, 1}},
    {L"Brief", {101, 100, 2}},
    {L"Full", {102, 100, 3}},
    {L"Tree", {103, 100, 4}},
    {L"Thumb", {69, 100, 5}},
    {L"Branch", {2034, 1, 6}},
    {L"Cust", {71, 100, 0}},
};

void ResolveModulePath(CString& path, LPCWSTR engineFolder)
{
    WCHAR expanded[2049];
    DWORD length = ExpandEnvironmentStringsW(path, expanded, 2048);
    if (length > 0 && length <= 2048)
        path = expanded;
    if (path.GetLength() >= 1 && iswalpha(path[0]) && path[1] != L':') {
        CString full(engineFolder ? engineFolder : L"");
        full += path;
        path = full.Left(2048);
    }
}

HICON IconFromText(LPCWSTR text, PrivateExtractIconsProc extract)
{
    if (!text || !*text || !extract)
        return nullptr;
    WCHAR expanded[2049];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, 2048);
    CString file = (length > 0 && length <= 2048) ? CString(expanded) : CString(text);
    int index = 0;
    int comma = file.ReverseFind(L',');
    if (comma >= 0) {
        index = (int)wcstol(file.Mid(comma + 1), nullptr, 10);
        file = file.Left(comma);
    }
    if (file.IsEmpty())
        return nullptr;
    return ExtractSmallIcon(file, index, extract);
}

HICON ExtractSmallIcon(LPCWSTR file, int index, PrivateExtractIconsProc extract)
{
    if (!extract)
        return nullptr;
    HICON icon = nullptr;
    UINT id = 0;
    UINT count = extract(file, index, 16, 16, &icon, &id, 1, 0);
    if (count != 1 || !icon || icon == (HICON)INVALID_HANDLE_VALUE) {
        if (icon && icon != (HICON)INVALID_HANDLE_VALUE)
            DestroyIcon(icon);
        return nullptr;
    }
    return icon;
}

COLORREF LockedTabColorOf(int kind, const EngineSettings& settings)
{
    switch (kind) {
    case 2: return settings.LockedTabColor;
    case 3: return settings.LockedDCATabColor;
    default: return ColorAutomatic;
    }
}

bool IsDotsName(LPCWSTR name)
{
    if (!name)
        return true;
    for (; *name; ++name)
        if (*name != L'.')
            return false;
    return true;
}

int ViewModeWord(LPCWSTR text)
{
    if (!text)
        return -1;
    for (int i = 0; i < ViewModeCount; ++i) {
        LPCWSTR word = ViewModeTable[i].word;
        if (_wcsnicmp(text, word, wcslen(word)) == 0)
            return i;
    }
    return -1;
}

CString FolderOfPathText(LPCWSTR text)
{
    CString folder(text ? text : L"");
    if (folder.GetLength() >= 2 && folder[1] != L':' && folder[1] != L'\\') {
        int colon = folder.Find(L':');
        folder = colon >= 0 ? folder.Mid(colon + 1) : CString();
    }
    int slash = folder.ReverseFind(L'\\');
    if (slash > 0)
        folder = folder.Left(slash);
    return folder;
}
