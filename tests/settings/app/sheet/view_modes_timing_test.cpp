// Apply of the View Modes page over 50 modes stays quick. Run while no
// other test runs: the bound is a wall-clock time.
#include "BenchTiming.h"
#include "ViewModesFixture.h"
#include "WinApp.h"
#include <gtest/gtest.h>

// The framework finds its windows through the application object.
CWinApp theApp(L"MerovSet");

TEST(ViewModesPage, ApplyOfFiftyModesIsQuick)
{
    std::string ini = "[ViewModes]\r\n", rules = "[AutoView]\r\n", sections;
    for (int i = 0; i < 50; ++i) {
        char text[400];
        snprintf(text, sizeof(text), "M%02d=Mode %d\r\n", i, i);
        ini += text;
        snprintf(text, sizeof(text), "M%02d=C:\\data\\%d\r\n", i, i);
        rules += text;
        snprintf(text, sizeof(text),
                 "[M%02d]\r\nActive=1\r\nView=Brief\r\nSort=1\r\nBkgColor=#102030\r\nBkgPic=C:\\p.bmp\r\n"
                 "TabIcon=C:\\i.dll,1\r\nTabColor=#405060\r\nFileGroupping=1\r\nFileGroups=*.txt\r\n"
                 "FileGroupping2=1\r\nFileGroups2=*.bak\r\nAutorun=1\r\nAutorunCmd=cm_Copy\r\n",
                 i);
        sections += text;
    }
    CModesFixture t(L"modes_timing", ini + rules + sections);
    ASSERT_EQ(50, t.list->GetCount());
    // The order of all modes changed, and one mode.
    t.page->SendMessage(WMU_DDL_CHECKED, 49, 0);
    t.Drag(0, 3);
    DWORD start = GetTickCount();
    t.page->OnApply();
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 400u);
    EXPECT_EQ("Active=0\r\n", t.Section("M49").substr(0, 10));
    printf("apply of 50 modes: %lu ms\n", took);
}
