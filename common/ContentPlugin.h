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

// Field types and results of the column calls.
const int ContentFieldNumeric32 = 1;    // ft_numeric_32: a 32-bit integer value
const int ContentSetSuccess = 0;        // ft_setsuccess
const int ContentNoSuchField = -1;      // ft_nosuchfield
const int ContentFieldEmpty = -3;       // ft_fieldempty: the file has no value
const int ContentSetCancel = -6;        // ft_setcancel

typedef int (WINAPI* ContentGetSupportedFieldFlagsProc)(int fieldIndex);
typedef int (WINAPI* ContentGetValueProc)(char* fileName, int fieldIndex, int unitIndex, void* fieldValue,
                                          int maxLen, int flags);
typedef int (WINAPI* ContentSetValueProc)(char* fileName, int fieldIndex, int unitIndex, int fieldType,
                                          void* fieldValue, int flags);
typedef int (WINAPI* ContentEditValueProc)(HWND parent, int fieldIndex, int unitIndex, int fieldType,
                                           void* fieldValue, int maxLen, int flags, char* langIdentifier);
