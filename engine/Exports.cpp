// The engine's exported functions: the content-plug-in life-cycle calls and
// the diagnostic dump. No exception leaves any of them.
#include "MerovinApp.h"
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
