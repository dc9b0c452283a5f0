#include "EngineText.h"
#include <vector>

CString LoadEngineText(int id, UINT resourceId, LPCWSTR localizationFile, HINSTANCE instance)
{
    CString text;
    if (localizationFile && *localizationFile) {
        WCHAR key[16];
        wsprintfW(key, L"%d", id);
        std::vector<WCHAR> buffer(1024);
        for (;;) {
            DWORD read = GetPrivateProfileStringW(L"Merovin", key, L"", buffer.data(),
                                                  (DWORD)buffer.size(), localizationFile);
            if (read + 1 < buffer.size() || buffer.size() >= 1024 * 1024) {
                text = CString(buffer.data(), (int)read);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
    if (text.IsEmpty() && resourceId != 0) {
        LPCWSTR resource = nullptr;
        int length = LoadStringW(instance, resourceId, reinterpret_cast<LPWSTR>(&resource), 0);
        if (length > 0 && resource)
            text = CString(resource, length);
    }
    return text;
}
