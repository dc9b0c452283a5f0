// The Drive List page: the fill styles both ways, the automatic colour of a
// kind, the controls the list type and "Don't show Icons" switch, the key
// order, and that opening the mark and drive pages and OK write nothing.
#include "DriveListPage.h"
#include "MarkPage.h"
#include "PageInput.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

class CDriveFixture
{
public:
    CDriveFixture(LPCWSTR name, const std::string& ini) : f(name, CStringArray(), ini)
    {
        page = static_cast<CDriveListPage*>(f.sheet->FindPage(IDD_DRIVE_LIST));
        f.sheet->SetActivePage(page);
    }
    int Selected(int id) { return (int)SendMessageW(page->GetDlgItemHwnd(id), CB_GETCURSEL, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    std::string Value(const char* section, const char* key)
    {
        std::string text = CModelFiles::Section(f.files.OwnIni(), section);
        size_t at = text.find(std::string(key) + "=");
        return at == std::string::npos ? "<none>" : text.substr(at + strlen(key) + 1, text.find("\r\n", at) - at - strlen(key) - 1);
    }

    CSheetFixture f;
    CDriveListPage* page = nullptr;
};

} // namespace

TEST(DriveListPage, FillStylesShownAndWritten)
{
    struct { const char* stored; int index; } shown[] = {{"0", 2}, {"3", 0}, {"9", 1}};
    for (const auto& s : shown) {
        CDriveFixture t(L"drive_show", std::string("[Colors&Styles]\r\nMenuTextStyle=") + s.stored + "\r\n");
        ASSERT_TRUE(t.f.created);
        EXPECT_EQ(s.index, t.Selected(IDC_DRIVE_FILL_STYLE)) << s.stored;
    }
    struct { int index; const char* written; } chosen[] = {{0, "3"}, {1, "4"}, {2, "0"}, {3, "1"}, {4, "2"}};
    CDriveFixture t(L"drive_styles", "[Keyboard]\r\n");
    for (const auto& c : chosen) {
        ChooseEntry(t.page, IDC_DRIVE_FILL_STYLE, c.index);
        t.f.sheet->ApplyAndBroadcast();
        EXPECT_EQ(c.written, t.Value("Colors&Styles", "MenuTextStyle")) << c.index;
    }
}

TEST(DriveListPage, AutomaticTakesTheKindsDefaultAndKeysKeepTheirOrder)
{
    CDriveFixture t(L"drive_auto", "[Colors&Styles]\r\nMenu1stColor=#102030\r\n");
    ASSERT_TRUE(t.f.created);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), t.page->GetStartButton().GetColor());
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), t.page->GetEndButton().GetColor()) << "the 2nd colour follows the 1st";
    ChooseEntry(t.page, IDC_DRIVE_ITEM_TYPE, 1); // "Selected"
    t.page->GetStartButton().SendMessage(WMU_COLOR_SELENDOK, PopupColorAutomatic);
    EXPECT_EQ(GetSysColor(COLOR_MENUHILIGHT), t.page->GetPreview().KindColors(PreviewHighlighted).crFirst);
    t.f.sheet->ApplyAndBroadcast();
    std::string colours = CModelFiles::Section(t.f.files.OwnIni(), "Colors&Styles");
    const char* order[] = {"Menu1stColor", "Menu2ndColor", "MenuTextColor", "MenuTextStyle", "Select1stColor",
                           "Select2ndColor", "SelectTextColor", "SelectStyle", "Separator1stColor",
                           "Separator2ndColor", "SeparatorTextColor", "SeparatorStyle", "IconBarColor"};
    size_t last = 0;
    for (const char* key : order) {
        size_t at = colours.find(std::string(key) + "=");
        EXPECT_NE(std::string::npos, at) << key;
        EXPECT_GE(at, last) << key;
        last = at;
    }
    EXPECT_EQ(HexColour(GetSysColor(COLOR_MENUHILIGHT)), t.Value("Colors&Styles", "Select1stColor"));
    EXPECT_EQ("#102030", t.Value("Colors&Styles", "Menu2ndColor"));
    EXPECT_EQ("DriveList=1\r\nDontShowIcons=0\r\nUDIDriveList=1\r\nCustomDLIcons=0\r\n",
              CModelFiles::Section(t.f.files.OwnIni(), "Config"));
}

TEST(DriveListPage, ListTypeAndIconsSwitchTheControls)
{
    CDriveFixture t(L"drive_enable", "[Config]\r\nDriveList=7\r\n");
    ASSERT_TRUE(t.f.created);
    EXPECT_EQ(1, t.Selected(IDC_DRIVE_LIST_TYPE)) << "a list type out of range shows the default";
    const int others[] = {IDC_DRIVE_ITEM_TYPE, IDC_DRIVE_FILL_STYLE, IDC_DRIVE_START_COLOR, IDC_DRIVE_PREVIEW,
                          IDC_DRIVE_NO_ICONS, IDC_DRIVE_USER_ITEMS, IDC_DRIVE_CUSTOM_ICONS, IDC_DRIVE_LIST_TYPE_LABEL};
    ClickBox(t.page, IDC_DRIVE_NO_ICONS, true);
    EXPECT_FALSE(t.Enabled(IDC_DRIVE_CUSTOM_ICONS));
    EXPECT_TRUE(t.page->GetPreview().IsHidingIcons());
    ClickBox(t.page, IDC_DRIVE_NO_ICONS, false);
    EXPECT_TRUE(t.Enabled(IDC_DRIVE_CUSTOM_ICONS));
    ChooseEntry(t.page, IDC_DRIVE_LIST_TYPE, 0);
    for (int id : others)
        EXPECT_FALSE(t.Enabled(id)) << id;
    EXPECT_TRUE(t.Enabled(IDC_DRIVE_LIST_TYPE));
    ClickBox(t.page, IDC_DRIVE_NO_ICONS, true);
    ChooseEntry(t.page, IDC_DRIVE_LIST_TYPE, 2);
    EXPECT_TRUE(t.Enabled(IDC_DRIVE_ITEM_TYPE));
    EXPECT_FALSE(t.Enabled(IDC_DRIVE_CUSTOM_ICONS)) << "icons are still off";
    ChooseEntry(t.page, IDC_DRIVE_LIST_TYPE, 0);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("0", t.Value("Config", "DriveList"));
    EXPECT_EQ("1", t.Value("Config", "DontShowIcons"));
}

TEST(DriveListPage, OpeningTheDriveAndMarkPagesWritesNothing)
{
    const std::string ini = "[Config]\r\nDriveList=2\r\nBookMarks=1\r\n[Colors&Styles]\r\nMarkPercentBM=150\r\n"
                            "SelectStyle=2\r\nBookMarkColor=E696E6\r\n[Keyboard]\r\nStickIt=Ctrl+K\r\n";
    CSheetFixture f(L"drive_mark_open", CStringArray(), ini);
    ASSERT_TRUE(f.created);
    for (UINT id : {IDD_DRIVE_LIST, IDD_STICKY_FILES, IDD_BOOKMARKS, IDD_DRIVE_LIST})
        f.sheet->SetActivePage(f.sheet->FindPage(id));
    f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(ini, f.files.OwnIni());
}
