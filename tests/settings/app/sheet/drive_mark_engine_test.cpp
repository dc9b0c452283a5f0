// What the Drive List, Sticky Files and Bookmarks pages write is what the
// engine reads.
#include "DriveListPage.h"
#include "EngineSettings.h"
#include "MarkPage.h"
#include "PageInput.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

TEST(DriveMarkPagesEngine, EngineReadsWhatThePagesWrote)
{
    CSheetFixture f(L"drive_mark_engine", CStringArray(), "[Colors&Styles]\r\nMarkPercent=25\r\n");
    ASSERT_TRUE(f.created);
    auto* drives = static_cast<CDriveListPage*>(f.sheet->FindPage(IDD_DRIVE_LIST));
    f.sheet->SetActivePage(drives);
    ChooseEntry(drives, IDC_DRIVE_LIST_TYPE, 2);
    ChooseEntry(drives, IDC_DRIVE_ITEM_TYPE, 2); // "Separator"
    drives->GetTextButton().SendMessage(WMU_COLOR_SELENDOK, RGB(1, 2, 3));
    ChooseEntry(drives, IDC_DRIVE_FILL_STYLE, 0); // "Frame"
    ClickBox(drives, IDC_DRIVE_NO_ICONS, true);

    auto* sticky = static_cast<CMarkPage*>(f.sheet->FindPage(IDD_STICKY_FILES));
    f.sheet->SetActivePage(sticky);
    ClickBox(sticky, IDC_MARK_ENABLE, true);
    ChooseEntry(sticky, IDC_MARK_STYLE, 3); // "Underline"
    auto* bookmarks = static_cast<CMarkPage*>(f.sheet->FindPage(IDD_BOOKMARKS));
    f.sheet->SetActivePage(bookmarks);
    ClickBox(bookmarks, IDC_MARK_ENABLE, true);
    bookmarks->SetDlgItemText(IDC_MARK_FILL, L"60");
    bookmarks->GetColorButton().SendMessage(WMU_COLOR_SELENDOK, RGB(10, 20, 30));
    f.sheet->ApplyAndBroadcast();

    EngineSettings engine;
    ReadSettingsTable(engine, f.files.Own(L"Merovin.ini"), 0);
    EXPECT_EQ(2, engine.DriveList);
    EXPECT_EQ(1, engine.DontShowIcons);
    EXPECT_EQ(RGB(1, 2, 3), engine.menuColors.separatorText);
    EXPECT_EQ(4, engine.menuColors.separatorStyle); // framed, held as stored + 1
    EXPECT_EQ(1, engine.StickyFiles);
    EXPECT_EQ(6, engine.StickStyle); // underline: stored 5, read + 1
    EXPECT_EQ(25, engine.MarkPercentStick);
    EXPECT_EQ(1, engine.BookMarks);
    EXPECT_EQ(RGB(10, 20, 30), engine.BookMarkColor);
    EXPECT_EQ(160, engine.MarkPercentBM);
    EXPECT_EQ(0, engine.LostFocus);
}
