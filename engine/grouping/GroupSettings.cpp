#include "GroupSettings.h"
#include "IniSection.h"

int ReadGroupPattern(LPCWSTR section, LPCWSTR iniPath, CString& spec)
{
    CIniSection keys;
    keys.Load(section, iniPath);
    CString text;
    if (keys.Int(L"FileGroupping", 1) != 0)
        text = keys.Text(L"FileGroups");
    if (keys.Int(L"FileGroupping2", 1) != 0) {
        CString bottom = keys.Text(L"FileGroups2");
        if (!bottom.IsEmpty())
            text += L"<" + bottom;
    }
    spec = text;
    return spec.IsEmpty() ? 0 : 1;
}
