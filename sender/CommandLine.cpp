#include "CommandLine.h"

#include "CommandTable.h"

#include <cwchar>

void CopyCommandLine(const wchar_t* source, wchar_t (&line)[kMaxCommandLine + 1])
{
    lstrcpynW(line, source ? source : L"", kMaxCommandLine + 1);
}

bool GetSettingsPath(wchar_t* path, DWORD capacity)
{
    static const wchar_t kFileName[] = L"merovin.ini";
    DWORD length = GetModuleFileNameW(nullptr, path, capacity);
    if (length == 0 || length >= capacity)
        return false;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/')
        --folder;
    if (folder + sizeof kFileName / sizeof kFileName[0] > capacity)
        return false;
    lstrcpynW(path + folder, kFileName, capacity - folder);
    return true;
}

bool ParseCommandLine(const wchar_t* line, const wchar_t* iniPath, SenderCommand* command)
{
    command->number = 0;
    command->text[0] = L'\0';

    const wchar_t* comma = wcschr(line, L',');
    if (!comma) {
        command->number = FindEngineCommand(line);
        return command->number != 0;
    }

    int keyLength = static_cast<int>(comma - line);
    if (keyLength == 0 || keyLength > kMaxCommandLine)
        return false;
    lstrcpynW(command->text, line, keyLength + 1);

    wchar_t value[kMaxPluginValue + 1] = {};
    if (!iniPath || !*iniPath)
        return false;
    GetPrivateProfileStringW(L"PluginList", command->text, L"", value, kMaxPluginValue + 1, iniPath);
    if (value[0] == L'\0')
        return false;

    command->number = static_cast<int>(wcstol(comma + 1, nullptr, 10));
    return command->number != -1;
}
