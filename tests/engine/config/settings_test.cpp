// The engine's settings table, the colour text and the menu colours.
#include <gtest/gtest.h>
#include "EngineSettings.h"
#include "ColorSetting.h"
#include "MenuColors.h"
#include "IniSection.h"
#include "TestFiles.h"

TEST(EngineSettings, MissingFileGivesEveryDefault)
{
    CTempFolder folder(L"settings");
    EngineSettings s;
    s.AutoCompletion = 7; // overwritten by the reader
    ReadSettingsTable(s, folder.File(L"Merovin.ini").c_str(), 0);

    EXPECT_EQ(1, s.AutoCompletion);
    EXPECT_EQ(1, s.EnablePlugins);
    EXPECT_EQ(0, s.AutoView);
    EXPECT_EQ(1, s.KeepScope);
    EXPECT_EQ(1, s.DriveList);
    EXPECT_EQ(1, s.CloseAllListers);
    EXPECT_EQ(0, s.BookMarks);
    EXPECT_EQ(1, s.ColoredTabs);
    EXPECT_EQ(0, s.KeepTCBack);
    EXPECT_EQ(0, s.UseLLHook);
    EXPECT_EQ(1, s.DblClickGotoDir);
    EXPECT_EQ(1, s.CheckCloseTC);
    EXPECT_EQ(0, s.CheckMultiLister);
    EXPECT_EQ(1, s.DrivesAnyLanguage);
    EXPECT_EQ(1, s.UDIDriveList);
    EXPECT_EQ(0, s.KeepTabColors);
    EXPECT_EQ(1, s.StickySort);
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), s.StickColor);
    EXPECT_EQ(1, s.StickStyle);
    EXPECT_EQ(0xE696E6u, s.BookMarkColor);
    EXPECT_EQ(1, s.BookMarkStyle);
    EXPECT_EQ(0, s.LostFocus);
    EXPECT_EQ(0x80000000u, s.LostFocusColor);
    EXPECT_EQ(4, s.LostFocusStyle);
    EXPECT_EQ(33, s.MarkPercent);
    EXPECT_EQ(33, s.MarkPercentCursor);
    EXPECT_EQ(33, s.MarkPercentStick);
    EXPECT_EQ(33, s.MarkPercentBM);
    EXPECT_EQ(1, s.KeepSelection);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), s.RetrColor);
    EXPECT_EQ(64, s.RetrOpacity);
    EXPECT_TRUE(s.BkgFile.IsEmpty());
    EXPECT_EQ(200, s.ColumnsWidth0);
    EXPECT_EQ(200, s.ColumnsWidth1);
    EXPECT_EQ(0xB4E6E6u, s.ActiveTabColor);
    EXPECT_EQ(0, s.ColorPriority);
    EXPECT_EQ(0, s.LockedTabMark);
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTIONTEXT), s.LockedTabColor);
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), s.LockedDCATabColor);
    EXPECT_EQ(0, s.EnableStartupSequence);
    // Derived: the tabs are needed (coloured tabs, double-click), the file lists are not.
    EXPECT_EQ(0, s.groupingActive);
    EXPECT_EQ(0, s.stickyOrGrouping);
    EXPECT_EQ(0, s.fileListsNeeded);
    EXPECT_EQ(1, s.tabsNeeded);
    EXPECT_EQ(1u | 4u, s.driveListStyle);
}

TEST(EngineSettings, ConditionalKeysAreReadOnlyWithTheirSwitch)
{
    CTempFolder folder(L"settings");
    std::wstring ini = folder.File(L"Merovin.ini");
    const char* withoutSwitches =
        "[Config]\r\nColoredTabs=0\r\nKeepTabColors=1\r\nLostFocus=0\r\nEnableATC=0\r\nMarkLockedTabs=0\r\n"
        "[Colors&Styles]\r\nLostFocusColor=#102030\r\nActiveTabColor=#405060\r\nColorPriority=3\r\n"
        "LockedTabMark=2\r\nLockedTabColor=#010203\r\nLockedDCATabColor=#040506\r\n";
    WriteText(ini, withoutSwitches);
    EngineSettings s;
    ReadSettingsTable(s, ini.c_str(), 0);
    EXPECT_EQ(0, s.KeepTabColors);
    EXPECT_EQ(0x80000000u, s.LostFocusColor);
    EXPECT_EQ(0xB4E6E6u, s.ActiveTabColor);
    EXPECT_EQ(0, s.ColorPriority);
    EXPECT_EQ(0, s.LockedTabMark);
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTIONTEXT), s.LockedTabColor);

    const char* withSwitches =
        "[Config]\r\nColoredTabs=1\r\nKeepTabColors=1\r\nLostFocus=1\r\nEnableATC=1\r\nMarkLockedTabs=1\r\n"
        "[Colors&Styles]\r\nLostFocusColor=#102030\r\nActiveTabColor=#405060\r\nColorPriority=3\r\n"
        "LockedTabMark=2\r\nLockedTabColor=#010203\r\nLockedDCATabColor=#040506\r\n";
    ini = folder.File(L"Merovin2.ini");
    WriteText(ini, withSwitches);
    ReadSettingsTable(s, ini.c_str(), 0);
    EXPECT_EQ(1, s.KeepTabColors);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), s.LostFocusColor);
    EXPECT_EQ(RGB(0x40, 0x50, 0x60), s.ActiveTabColor);
    EXPECT_EQ(3, s.ColorPriority);
    EXPECT_EQ(2, s.LockedTabMark);
    EXPECT_EQ(RGB(1, 2, 3), s.LockedTabColor);
    EXPECT_EQ(RGB(4, 5, 6), s.LockedDCATabColor);
    EXPECT_EQ(1, s.fileListsNeeded); // LostFocus
}

TEST(EngineSettings, StylesPercentsAndOutOfRangeLockedMark)
{
    CTempFolder folder(L"settings");
    std::wstring ini = folder.File(L"Merovin.ini");
    WriteText(ini,
              "[Config]\r\nMarkLockedTabs=1\r\nStickyFiles=1\r\nBkgFile=%MEROVIN_TEST_BKG%\\b.png\r\n"
              "[Colors&Styles]\r\nLockedTabMark=5\r\nStickStyle=2\r\nBookMarkStyle=0\r\nLostFocusStyle=1\r\n"
              "MarkPercent=50\r\nMarkPercentBM=10\r\n");
    CEnvironmentValue bkg(L"MEROVIN_TEST_BKG", L"C:\\pics");
    EngineSettings s;
    ReadSettingsTable(s, ini.c_str(), 1);
    EXPECT_EQ(0, s.LockedTabMark);
    EXPECT_EQ(3, s.StickStyle);
    EXPECT_EQ(1, s.BookMarkStyle);
    EXPECT_EQ(2, s.LostFocusStyle);
    EXPECT_EQ(50, s.MarkPercentCursor);
    EXPECT_EQ(50, s.MarkPercentStick);
    EXPECT_EQ(10, s.MarkPercentBM);
    EXPECT_STREQ(L"C:\\pics\\b.png", s.BkgFile.GetString());
    EXPECT_EQ(1, s.groupingActive);
    EXPECT_EQ(1, s.stickyOrGrouping);
    EXPECT_EQ(1, s.fileListsNeeded);
    EXPECT_EQ(1u | 4u, s.driveListStyle); // grouping leaves the drive-list flags alone
}

TEST(ColorSetting, TextForms)
{
    EXPECT_EQ(0x000080FFu, ParseColorText(L"FF8000", 5));
    EXPECT_EQ(0x000080FFu, ParseColorText(L"#FF8000", 5));
    EXPECT_EQ(5u, ParseColorText(L"", 5));
    EXPECT_EQ(5u, ParseColorText(nullptr, 5));
    EXPECT_EQ(0x000080FFu, ParseColorText(L"1FF8000", 5)); // low 24 bits
    EXPECT_EQ(0x00563412u, ParseColorText(L"#123456", 5));
    wchar_t text[16];
    FormatColorText(0x00563412, text, 16);
    EXPECT_STREQ(L"#123456", text);
    EXPECT_EQ(0x00563412u, ParseColorText(text, 0));
}

TEST(ColorSetting, ReadsItsSection)
{
    CTempFolder folder(L"color");
    std::wstring ini = folder.File(L"c.ini");
    WriteText(ini, "[Colors&Styles]\r\nA=#010203\r\n[Other]\r\nA=040506\r\n");
    EXPECT_EQ(RGB(1, 2, 3), ReadColorSetting(L"A", 0, nullptr, ini.c_str()));
    EXPECT_EQ(RGB(4, 5, 6), ReadColorSetting(L"A", 0, L"Other", ini.c_str()));
    EXPECT_EQ(0xFF000000u, ReadColorSetting(L"B", 0xFF000000, nullptr, ini.c_str()));
}

TEST(MenuColors, DefaultsFollowFirstColoursAndStylesArePlusOne)
{
    CTempFolder folder(L"menu");
    std::wstring ini = folder.File(L"Merovin.ini");
    WriteText(ini, "[Colors&Styles]\r\nMenu1stColor=#112233\r\nSeparator2ndColor=#445566\r\nSelectStyle=1\r\nFlatMenu=0\r\n");
    MenuColors c;
    ReadMenuColors(c, ini.c_str(), true);
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), c.menu1st);
    EXPECT_EQ(c.menu1st, c.menu2nd);
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), c.menuText);
    EXPECT_EQ(GetSysColor(COLOR_MENUHILIGHT), c.select1st);
    EXPECT_EQ(c.select1st, c.select2nd);
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), c.separator1st);
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), c.separator2nd);
    EXPECT_EQ(GetSysColor(COLOR_MENU), c.separatorText);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), c.iconBar);
    EXPECT_EQ(5, c.separatorStyle);
    EXPECT_EQ(2, c.selectStyle);
    EXPECT_EQ(1, c.menuTextStyle);
    EXPECT_EQ(0, c.flatMenu);

    ReadMenuColors(c, ini.c_str(), false); // the settings utility's reader
    EXPECT_EQ(1, c.flatMenu);
}

// The in-memory section gives what the profile calls give, key by key.
TEST(IniSection, AgreesWithTheProfileCalls)
{
    CTempFolder folder(L"section");
    std::wstring ini = folder.File(L"s.ini");
    WriteText(ini, "[Config]\r\nPlain=abc\r\n  Spaced  =  some text  \r\nQuoted=\"in quotes\"\r\n"
                   "Single='single'\r\nEmpty=\r\nNegative=-12\r\nTrailing=42abc\r\nWord=abc\r\n"
                   "Dup=first\r\nDUP=second\r\n;Comment=x\r\n[Other]\r\nPlain=other\r\n");
    CIniSection section;
    section.Load(L"config", ini.c_str());
    for (const wchar_t* key : {L"Plain", L"plain", L"Spaced", L"Quoted", L"Single", L"Empty", L"Negative",
                               L"Trailing", L"Dup", L"Missing"}) {
        wchar_t text[256];
        GetPrivateProfileStringW(L"Config", key, L"default", text, 256, ini.c_str());
        EXPECT_STREQ(text, section.Text(key, L"default")) << key;
        EXPECT_EQ((int)GetPrivateProfileIntW(L"Config", key, 7, ini.c_str()), section.Int(key, 7)) << key;
    }
    EXPECT_EQ(0, section.Int(L"Word", 7));
    CIniSection missing;
    missing.Load(L"Config", folder.File(L"none.ini").c_str());
    EXPECT_EQ(7, missing.Int(L"Plain", 7));
}
