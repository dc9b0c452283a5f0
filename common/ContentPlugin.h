// The host's content-plug-in interface as far as the engine uses it.
#pragma once
#include <windows.h>
#include <cstddef>

const int ContentIniNameLength = 260;

// The record the host hands to ContentSetDefaultParams, its first call.
struct ContentDefaultParams {
    INT size;
    UINT versionLow;
    UINT versionHigh;
    char defaultIniName[ContentIniNameLength]; // ANSI path of the host's default plug-in INI
};

static_assert(offsetof(ContentDefaultParams, defaultIniName) == 12, "ContentDefaultParams layout");
static_assert(sizeof(ContentDefaultParams) == 272, "ContentDefaultParams layout");

// ContentGetSupportedField's answer after the last field.
const int ContentNoMoreFields = 0;

typedef void (WINAPI* ContentSetDefaultParamsProc)(ContentDefaultParams* params);
typedef void (WINAPI* ContentPluginUnloadingProc)();
typedef int (WINAPI* ContentGetDetectStringProc)(char* detectString, int maxLen);
typedef int (WINAPI* ContentGetSupportedFieldProc)(int fieldIndex, char* fieldName, char* units, int maxLen);
