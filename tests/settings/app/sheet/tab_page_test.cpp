// The Tab Options page: what showing it and OK write, the controls each box
// enables, colours chosen through its buttons, and what the engine reads.
#include "EngineSettings.h"
#include "Resource.h"
#include "SheetFixture.h"
#include "TabPage.h"
#include <gtest/gtest.h>

namespace {

class CTabFixture
{
public:
    CTabFixture(LPCWSTR name, const std::string& ini) : f(name, CStringArray(), ini)
    {
        page = static_cast<CTabPage*>(f.sheet->FindPage(IDD_TAB_OPTIONS));
        f.sheet->SetActivePage(page);
    }
    void Click(int id, bool on)
    {
        HWND box = page->GetDlgItemHwnd(id);
        SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)box);
    }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    std::string Section(const char* name) { return CModelFiles::Section(f.files.OwnIni(), name); }

    CSheetFixture f;
    CTabPage* page = nullptr;
};

std::string Hex(COLORREF c)
{
    char text[8];
    snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

} // namespace

TEST(TabPage, ShowingAndOkWritesEveryKeyWithItsDefault)
{
    // A stored mark side out of range is written back as the first side.
    CTabFixture t(L"tab_defaults", "[Colors&Styles]\r\nLockedTabMark=5\r\n");
    ASSERT_TRUE(t.f.created);
    ASSERT_NE(nullptr, t.page);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("ReturnTabs=0\r\nUseDesktopINI=0\r\nOverrideVisualMode=0\r\nSkipDisconnected=0\r\nColoredTabs=1\r\n"
              "KeepTabColors=0\r\nDblClickGotoDir=1\r\nTabsToFav=0\r\nTabsWheel=0\r\nSortTabList=0\r\n"
              "MarkLockedTabs=0\r\nEnableATC=0\r\n",
              t.Section("Config"));
    EXPECT_EQ("LockedTabMark=0\r\nLockedTabColor=" + Hex(GetSysColor(COLOR_INACTIVECAPTIONTEXT)) +
                  "\r\nLockedDCATabColor=" + Hex(GetSysColor(COLOR_INACTIVECAPTION)) +
                  "\r\nActiveTabColor=#E6E6B4\r\nColorPriority=0\r\n",
              t.Section("Colors&Styles"));
}

TEST(TabPage, BoxesEnableTheirControls)
{
    CTabFixture t(L"tab_deps", "[Config]\r\nColoredTabs=0\r\n");
    ASSERT_TRUE(t.f.created);
    struct { int box; std::vector<int> controls; } table[] = {
        {IDC_TAB_COLORED, {IDC_TAB_KEEP_COLORS}},
        {IDC_TAB_DESKTOP_INI, {IDC_TAB_OVERRIDE_VISUAL, IDC_TAB_SKIP_DISCONNECTED}},
        {IDC_TAB_LIST, {IDC_TAB_SORT_LIST}},
        {IDC_TAB_MARK_LOCKED, {IDC_TAB_MARK_SIDE, IDC_TAB_LOCKED_COLOR, IDC_TAB_LOCKED_DCA_COLOR}},
        {IDC_TAB_HIGHLIGHT_ACTIVE, {IDC_TAB_ACTIVE_COLOR, IDC_TAB_PRIORITY}},
    };
    for (const auto& row : table) {
        for (int id : row.controls)
            EXPECT_FALSE(t.Enabled(id)) << row.box << " off at start: " << id;
        t.Click(row.box, true);
        for (int id : row.controls)
            EXPECT_TRUE(t.Enabled(id)) << row.box << " on: " << id;
        t.Click(row.box, false);
        for (int id : row.controls)
            EXPECT_FALSE(t.Enabled(id)) << row.box << " off: " << id;
    }
}

TEST(TabPage, ChosenColoursReachTheFileAndTheEngine)
{
    CTabFixture t(L"tab_colours", "[Colors&Styles]\r\nActiveTabColor=#102030\r\n");
    ASSERT_TRUE(t.f.created);
    t.Click(IDC_TAB_MARK_LOCKED, true);
    t.Click(IDC_TAB_HIGHLIGHT_ACTIVE, true);
    // The locked colour as a popup reports it to its button.
    t.page->GetLockedButton().SendMessage(WMU_COLOR_SELENDOK, RGB(1, 2, 3));
    // "No Color" on the Tab Color button through its popup: from the custom
    // box (a colour outside the table) Right leads to the default box.
    HWND active = t.page->GetDlgItemHwnd(IDC_TAB_ACTIVE_COLOR);
    t.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TAB_ACTIVE_COLOR, BN_CLICKED), (LPARAM)active);
    HWND popup = GetCapture();
    ASSERT_NE(nullptr, popup);
    SendMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    t.f.sheet->ApplyAndBroadcast();

    std::string colours = t.Section("Colors&Styles");
    EXPECT_NE(std::string::npos, colours.find("LockedTabColor=#010203\r\n")) << colours;
    EXPECT_EQ(std::string::npos, colours.find("ActiveTabColor")) << colours;

    EngineSettings engine;
    ReadSettingsTable(engine, t.f.files.Own(L"Merovin.ini"), 0);
    EXPECT_EQ(1, engine.MarkLockedTabs);
    EXPECT_EQ(1, engine.EnableATC);
    EXPECT_EQ(RGB(1, 2, 3), engine.LockedTabColor);
    EXPECT_EQ((COLORREF)0xB4E6E6, engine.ActiveTabColor); // the engine's default for the removed key
}
