#include "MenuColors.h"
#include <string>

void ReadMenuColors(MenuColors& c, LPCWSTR iniPath, bool readFlatMenu)
{
    ReadMenuColorsWith(c, [iniPath](LPCWSTR key) {
        WCHAR text[513];
        GetPrivateProfileStringW(ColorsSection, key, L"", text, 512, iniPath);
        return std::wstring(text);
    }, readFlatMenu);
}
