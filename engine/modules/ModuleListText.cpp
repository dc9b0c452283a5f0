#include "ModuleListText.h"
#include "EngineHelpers.h"
#include <cwchar>

CString WideModuleFile(LPCWSTR path)
{
    CString file(path ? path : L"");
    int nameStart = file.ReverseFind(L'\\') + 1;
    int dot = file.ReverseFind(L'.');
    if (dot >= nameStart)
        file = file.Left(dot);
    file += L"64.dll";
    return file;
}

void ParsePluginListLine(LPCWSTR key, LPCWSTR value, LPCWSTR engineFolder,
                         CString& name, CString& path)
{
    if (wcschr(key, L'\\')) {
        path = key;
        name = value;
    } else {
        name = key;
        path = WideModuleFile(value);
    }
    ResolveModulePath(path, engineFolder);
}

void ParsePluginsValue(LPCWSTR value, CString& module, int& parameter)
{
    CString text(value ? value : L"");
    int semicolon = text.Find(L';');
    if (semicolon >= 0)
        text = text.Left(semicolon);
    parameter = 0;
    int comma = text.ReverseFind(L',');
    if (comma >= 0) {
        parameter = (int)wcstol(text.GetString() + comma + 1, nullptr, 10);
        text = text.Left(comma);
    }
    module = text.Trim(L" \t");
}
