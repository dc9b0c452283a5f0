// What the pages write, read back with the engine's own readers: each row
// is a value the engine gets after one Apply of changes on several pages.
#include "EngineSettings.h"
#include "GroupSettings.h"
#include "PageDriver.h"
#include "Resource.h"
#include <gtest/gtest.h>

TEST(SettingsPages, EngineReadsWhatThePagesWrote)
{
    CSheetFixture f(L"engine_reads", CStringArray(), "[Config]\r\nFileGroups=*.txt\r\n");
    ASSERT_TRUE(f.created);
    CPageDriver d{ f };
    d.Show<CPropertyPage>(IDD_MISCELLANEOUS);
    d.Click(IDC_MISC_AUTO_COMPLETION);
    d.Choose(IDC_MISC_KEEP_BACK, 2);
    d.Click(IDC_MISC_NEXT_QUICKVIEW);
    d.Show<CPropertyPage>(IDD_FILE_PANELS);
    d.Click(IDC_PANEL_ZIRAVIRURA);
    d.Slide(IDC_PANEL_OPACITY, 120);
    d.Click(IDC_PANEL_LOST_FOCUS);
    d.Choose(IDC_PANEL_MARK_STYLE, 3);
    d.page->SetDlgItemText(IDC_PANEL_LAST_MASKS, L"*.bak");
    d.page->SetDlgItemText(IDC_PANEL_PICTURE, L"C:\\pic.bmp");
    d.Show<CPropertyPage>(IDD_TAB_OPTIONS);
    d.Click(IDC_TAB_HIGHLIGHT_ACTIVE);
    f.sheet->ApplyAndBroadcast();

    CString ini = f.files.Own(L"Merovin.ini");
    EngineSettings s;
    ReadSettingsTable(s, ini, 0);
    CString pattern;
    int grouping = ReadGroupPattern(L"Config", ini, pattern);
    struct { const char* name; long long got, expected; } rows[] = {
        { "AutoCompletion", s.AutoCompletion, 0 },
        { "KeepTCBack", s.KeepTCBack, 2 },
        { "NextQuickView", s.NextQuickView, 1 },
        { "CheckCloseTC", s.CheckCloseTC, 1 },
        { "Ziravirura", s.Ziravirura, 1 },
        { "RetrOpacity", s.RetrOpacity, 120 },
        { "RetrColor", s.RetrColor, GetSysColor(COLOR_HIGHLIGHT) },
        { "LostFocus", s.LostFocus, 1 },
        { "LostFocusStyle", s.LostFocusStyle, 3 + 2 + 1 }, // index + 2 stored, + 1 held
        // No colour chosen: no key, the engine's default.
        { "LostFocusColor", s.LostFocusColor, GetSysColor(COLOR_GRADIENTACTIVECAPTION) },
        { "MarkPercentCursor", s.MarkPercentCursor, 33 },
        { "ColumnsWidth0", s.ColumnsWidth0, 200 },
        { "grouping", grouping, 1 },
        { "EnableATC", s.EnableATC, 1 },
        { "ActiveTabColor", s.ActiveTabColor, 0xB4E6E6 },
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, row.got) << row.name;
    EXPECT_STREQ(L"C:\\pic.bmp", s.BkgFile);
    EXPECT_STREQ(L"*.txt<*.bak", pattern);
}
