// Colours and styles of the engine's owner-drawn menus, read from
// [Colors&Styles] of the engine's settings file.
#pragma once
#include <windows.h>
#include <cwchar>
#include "ColorSetting.h"

struct MenuColors {
    COLORREF menu1st;
    COLORREF menu2nd;
    COLORREF menuText;
    COLORREF select1st;
    COLORREF select2nd;
    COLORREF selectText;
    COLORREF separator1st;
    COLORREF separator2nd;
    COLORREF separatorText;
    COLORREF iconBar;
    int separatorStyle; // the setting plus 1
    int selectStyle;    // the setting plus 1
    int menuTextStyle;  // the setting plus 1
    int flatMenu;
};

// Reads every field; "FlatMenu" only when `readFlatMenu` is set (the settings
// utility leaves it at 1).
void ReadMenuColors(MenuColors& colors, LPCWSTR iniPath, bool readFlatMenu);

// The same from a reader of [Colors&Styles] texts: `textOf(key)` gives the
// key's text as a null-terminated wide string, empty when the key is missing.
template <typename TextOf>
void ReadMenuColorsWith(MenuColors& c, TextOf textOf, bool readFlatMenu)
{
    auto color = [&](LPCWSTR key, COLORREF value) { return ParseColorText(textOf(key).c_str(), value); };
    auto number = [&](LPCWSTR key, int value) {
        auto text = textOf(key);
        return text.empty() ? value : (int)wcstol(text.c_str(), nullptr, 10);
    };
    c.menu1st = color(L"Menu1stColor", GetSysColor(COLOR_MENU));
    c.menu2nd = color(L"Menu2ndColor", c.menu1st);
    c.menuText = color(L"MenuTextColor", GetSysColor(COLOR_MENUTEXT));
    c.select1st = color(L"Select1stColor", GetSysColor(COLOR_MENUHILIGHT));
    c.select2nd = color(L"Select2ndColor", c.select1st);
    c.selectText = color(L"SelectTextColor", GetSysColor(COLOR_MENUTEXT));
    c.separator1st = color(L"Separator1stColor", GetSysColor(COLOR_3DDKSHADOW));
    c.separator2nd = color(L"Separator2ndColor", c.separator1st);
    c.separatorText = color(L"SeparatorTextColor", GetSysColor(COLOR_MENU));
    c.iconBar = color(L"IconBarColor", GetSysColor(COLOR_BTNHIGHLIGHT));
    c.separatorStyle = number(L"SeparatorStyle", 4) + 1;
    c.selectStyle = number(L"SelectStyle", 4) + 1;
    c.menuTextStyle = number(L"MenuTextStyle", 0) + 1;
    c.flatMenu = readFlatMenu ? number(L"FlatMenu", 1) : 1;
}
