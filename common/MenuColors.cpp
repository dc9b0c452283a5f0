#include "MenuColors.h"
#include "ColorSetting.h"

void ReadMenuColors(MenuColors& c, LPCWSTR iniPath, bool readFlatMenu)
{
    c.menu1st = ReadColorSetting(L"Menu1stColor", GetSysColor(COLOR_MENU), nullptr, iniPath);
    c.menu2nd = ReadColorSetting(L"Menu2ndColor", c.menu1st, nullptr, iniPath);
    c.menuText = ReadColorSetting(L"MenuTextColor", GetSysColor(COLOR_MENUTEXT), nullptr, iniPath);
    c.select1st = ReadColorSetting(L"Select1stColor", GetSysColor(COLOR_MENUHILIGHT), nullptr, iniPath);
    c.select2nd = ReadColorSetting(L"Select2ndColor", c.select1st, nullptr, iniPath);
    c.selectText = ReadColorSetting(L"SelectTextColor", GetSysColor(COLOR_MENUTEXT), nullptr, iniPath);
    c.separator1st = ReadColorSetting(L"Separator1stColor", GetSysColor(COLOR_3DDKSHADOW), nullptr, iniPath);
    c.separator2nd = ReadColorSetting(L"Separator2ndColor", c.separator1st, nullptr, iniPath);
    c.separatorText = ReadColorSetting(L"SeparatorTextColor", GetSysColor(COLOR_MENU), nullptr, iniPath);
    c.iconBar = ReadColorSetting(L"IconBarColor", GetSysColor(COLOR_BTNHIGHLIGHT), nullptr, iniPath);
    c.separatorStyle = (int)GetPrivateProfileIntW(ColorsSection, L"SeparatorStyle", 4, iniPath) + 1;
    c.selectStyle = (int)GetPrivateProfileIntW(ColorsSection, L"SelectStyle", 4, iniPath) + 1;
    c.menuTextStyle = (int)GetPrivateProfileIntW(ColorsSection, L"MenuTextStyle", 0, iniPath) + 1;
    c.flatMenu = readFlatMenu ? (int)GetPrivateProfileIntW(ColorsSection, L"FlatMenu", 1, iniPath) : 1;
}
