// A tiny content plug-in for the host's tests: it writes every call it gets
// into "TestPlugin.log" beside itself, and its unload from memory as well.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "ContentPlugin.h"

static HMODULE g_self;

static void Note(const char* text)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(g_self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 4)
        return;
    char* dot = strrchr(path, '.');
    if (!dot)
        return;
    strcpy(dot, ".log");
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(f, text, (DWORD)strlen(text), &written, nullptr);
    WriteFile(f, "\r\n", 2, &written, nullptr);
    CloseHandle(f);
}

extern "C" void WINAPI ContentSetDefaultParams(ContentDefaultParams* params)
{
    char line[1024], path[512] = "", ini[512] = "";
    GetEnvironmentVariableA("COMMANDER_PATH", path, sizeof path);
    GetEnvironmentVariableA("COMMANDER_INI", ini, sizeof ini);
    char name[ContentIniNameLength + 1] = "";
    memcpy(name, params->defaultIniName, ContentIniNameLength);
    _snprintf(line, sizeof line, "params size=%d low=%u high=%u ini=%s path=%s commander_ini=%s", params->size,
              params->versionLow, params->versionHigh, name, path, ini);
    line[sizeof line - 1] = 0;
    Note(line);
}

extern "C" void WINAPI ContentPluginUnloading()
{
    Note("unloading");
}

extern "C" int WINAPI ContentGetDetectString(char* detectString, int maxLen)
{
    Note("detect");
    lstrcpynA(detectString, "EXT=\"TXT\"", maxLen);
    return 0;
}

extern "C" int WINAPI ContentGetSupportedField(int fieldIndex, char* fieldName, char* units, int maxLen)
{
    char line[64];
    _snprintf(line, sizeof line, "field %d", fieldIndex);
    line[sizeof line - 1] = 0;
    Note(line);
    if (fieldIndex > 1)
        return ContentNoMoreFields;
    lstrcpynA(fieldName, fieldIndex == 0 ? "Mark" : "Sticky", maxLen);
    lstrcpynA(units, "", maxLen);
    return 1;  // ft_numeric_32
}

extern "C" int WINAPI ContentGetValue(char*, int, int, void*, int, int)
{
    return ContentNoSuchField;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        Note("attach");
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        Note("detach");  // a dynamic unload (FreeLibrary), not process exit
    }
    return TRUE;
}
