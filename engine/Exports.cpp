// The engine's exported functions: the content-plug-in life-cycle calls, the
// content columns and the diagnostic dump. No exception leaves any of them,
// and the columns answer also while the engine is stopped.
#include "MerovinApp.h"
#include "ContentColumns.h"
#include "ContentPlugin.h"
#include <cstring>

extern "C" {

__declspec(dllexport) void WINAPI ContentSetDefaultParams(ContentDefaultParams* params)
{
    try {
        WCHAR path[EnginePathLength + 1] = {};
        bool havePath = false;
        if (params && params->size >= (INT)sizeof(ContentDefaultParams)) {
            size_t length = strnlen(params->defaultIniName, ContentIniNameLength - 1);
            int converted = MultiByteToWideChar(CP_ACP, 0, params->defaultIniName, (int)length,
                                                path, EnginePathLength);
            path[converted > 0 ? converted : 0] = 0;
            havePath = true;
        }
        theApp.StartEngine(havePath ? path : nullptr);
    } catch (...) {
    }
}

__declspec(dllexport) void WINAPI ContentPluginUnloading()
{
    try {
        theApp.UnloadEngine();
    } catch (...) {
    }
}

__declspec(dllexport) int WINAPI ContentGetDetectString(char* detectString, int maxLen)
{
    return CContentColumns::DetectString(detectString, maxLen);
}

__declspec(dllexport) int WINAPI ContentGetSupportedField(int fieldIndex, char* fieldName, char* units, int maxLen)
{
    return CContentColumns::SupportedField(fieldIndex, fieldName, units, maxLen);
}

__declspec(dllexport) int WINAPI ContentGetSupportedFieldFlags(int fieldIndex)
{
    return CContentColumns::SupportedFieldFlags(fieldIndex);
}

__declspec(dllexport) int WINAPI ContentGetValue(char* fileName, int fieldIndex, int, void* fieldValue, int maxLen,
                                                 int)
{
    try {
        return theApp.Features().Columns().GetValue(fileName, fieldIndex, fieldValue, maxLen, theApp.IsRunning());
    } catch (...) {
        return ContentFieldEmpty;
    }
}

__declspec(dllexport) int WINAPI ContentSetValue(char* fileName, int fieldIndex, int, int, void* fieldValue, int)
{
    try {
        return theApp.Features().Columns().SetValue(fileName, fieldIndex, fieldValue, theApp.IsRunning());
    } catch (...) {
        return ContentSetSuccess;
    }
}

__declspec(dllexport) int WINAPI ContentEditValue(HWND parent, int fieldIndex, int, int, void* fieldValue,
                                                  int maxLen, int, char*)
{
    try {
        return theApp.Features().Columns().EditValue(parent, fieldIndex, fieldValue, maxLen);
    } catch (...) {
        return ContentSetCancel;
    }
}

// Copies "key=value" lines of the engine's state into `buffer` (at most
// `size` characters with the null) and returns the full length of the text.
__declspec(dllexport) int WINAPI MerovinDebugDump(LPWSTR buffer, int size)
{
    try {
        CString text = theApp.DebugDump();
        if (buffer && size > 0)
            lstrcpynW(buffer, text, size);
        return text.GetLength();
    } catch (...) {
        if (buffer && size > 0)
            buffer[0] = 0;
        return 0;
    }
}

} // extern "C"
