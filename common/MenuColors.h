// Colours and styles of the engine's owner-drawn menus, read from
// [Colors&Styles] of the engine's settings file.
#pragma once
#include <windows.h>

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
