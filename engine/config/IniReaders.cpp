#include "IniReaders.h"
#include "HostIniRedirect.h"

DWORD ReadIniString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                    LPWSTR buffer, DWORD size, LPCWSTR iniPath, LPCWSTR hostMainIni)
{
    if (!buffer || size == 0)
        return 0;
    if (iniPath && hostMainIni && *hostMainIni && lstrcmpiW(iniPath, hostMainIni) == 0)
        return ReadHostIniString(section, key, defaultText, buffer, size, iniPath);
    return GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"", buffer, size, iniPath);
}

int ReadIniSection(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText,
                   std::vector<WCHAR>& buffer, int size, LPCWSTR iniPath)
{
    if (size == 0)
        size = 1024;
    if (size < 1023 || size > 1025) {
        buffer.assign(2, 0);
        return 0;
    }
    for (;;) {
        buffer.assign(size + 2, 0);
        DWORD read = GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"",
                                              buffer.data(), (DWORD)size, iniPath);
        if ((int)read < size - 3 || size >= 16 * 1024 * 1024) {
            buffer[read] = 0;
            buffer[read + 1] = 0;
            return (int)read;
        }
        size += 1024;
    }
}
