#include "ColorSetting.h"
#include <cwchar>

const WCHAR ColorsSection[] = L"Colors&Styles";

COLORREF ParseColorText(LPCWSTR text, COLORREF defaultColor)
{
    if (!text || !*text)
        return defaultColor;
    if (*text == L'#')
        ++text;
    unsigned long long value = wcstoull(text, nullptr, 16);
    DWORD rgb = (DWORD)(value & 0xFFFFFF);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void FormatColorText(COLORREF color, LPWSTR text, int size)
{
    if (!text || size <= 0)
        return;
    _snwprintf(text, size, L"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    text[size - 1] = 0;
}

COLORREF ReadColorSetting(LPCWSTR key, COLORREF defaultColor, LPCWSTR section, LPCWSTR iniPath)
{
    WCHAR text[513];
    GetPrivateProfileStringW(section ? section : ColorsSection, key, L"", text, 512, iniPath);
    return ParseColorText(text, defaultColor);
}
