// Functions the settings pages share: number fields, host paths, re-decoded
// UTF-8, the minimum-width exchange and the file-mask menu.
#include "AppTestFiles.h"
#include "Controls.h"
#include "DataExchange.h"
#include "MaskMenu.h"
#include "Menu.h"
#include "PageFunctions.h"
#include <gtest/gtest.h>

namespace {

TEST(PageFunctions, NumberFieldsHostPathsAndUtf8)
{
    const struct
    {
        LPCWSTR text;
        BOOL ok;
        int value;
    } numbers[] = {
        { L" 40 % ", TRUE, 40 }, { L"40", TRUE, 140 }, { L"7%", TRUE, 7 },  { L"0", TRUE, 100 },
        { L"40x", FALSE, -1 },   { L"", FALSE, -1 },   { L"%", FALSE, -1 }, { L"4 0", FALSE, -1 },
        { L"-5", FALSE, -1 },    { L"99999999999", FALSE, -1 },
    };
    for (const auto& c : numbers) {
        int value = -1;
        EXPECT_EQ(c.ok, ParseNumberField(c.text, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }

    const struct
    {
        LPCWSTR host; // NULL: the variable is not set
        LPCWSTR path;
        LPCWSTR shortened;
    } paths[] = {
        { L"C:\\TC", L"c:\\tc\\Plugins\\x.dll", L"%COMMANDER_PATH%\\Plugins\\x.dll" },
        { L"C:\\TC", L"D:\\Other\\x.dll", L"D:\\Other\\x.dll" },
        { L"", L"D:\\Other\\x.dll", L"D:\\Other\\x.dll" },
        { nullptr, L"%COMMANDER_PATH%\\x.dll", L"%COMMANDER_PATH%\\x.dll" },
    };
    for (const auto& c : paths) {
        SetEnvironmentVariableW(L"COMMANDER_PATH", c.host);
        EXPECT_EQ(CString(c.shortened), ShortenHostPath(c.path)) << c.path;
    }
    SetEnvironmentVariableW(L"COMMANDER_PATH", nullptr);

    // UTF-8 bytes of a Russian word decoded in the ANSI code page, and back.
    const char utf8[] = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
    WCHAR wrong[32] = {};
    MultiByteToWideChar(CP_ACP, 0, utf8, -1, wrong, 32);
    CString text(wrong);
    RedecodeUtf8(text);
    EXPECT_EQ(CString(L"\x041F\x0440\x0438\x0432\x0435\x0442"), text);
}

TEST(PageFunctions, MinWidthExchangeKeepsFiftyAndUp)
{
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"dialog", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 80, 20, dialog, (HMENU)1185, nullptr, nullptr);
    const struct
    {
        BOOL save;
        LPCWSTR text;  // control before
        int value;     // member before
        LPCWSTR after; // control after
        int result;    // member after
    } cases[] = {
        { TRUE, L"", 0, L"200", 200 },      { TRUE, L"30", 0, L"200", 200 },   { TRUE, L"49", 0, L"200", 200 },
        { TRUE, L"50", 0, L"50", 50 },      { TRUE, L" 120 ", 0, L" 120 ", 120 }, { TRUE, L"abc", 0, L"200", 200 },
        { FALSE, L"", 10, L"200", 200 },    { FALSE, L"", 60, L"60", 60 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetWindowTextW(edit, c.text);
        int value = c.value;
        CDataExchange dx(&dialog, c.save);
        DDXMinWidth(&dx, 1185, value);
        EXPECT_FALSE(dx.m_bFailed);
        EXPECT_EQ(c.result, value);
        EXPECT_EQ(CString(c.after), CWnd(edit).GetWindowText());
    }
    dialog.DestroyWindow();
}

TEST(PageFunctions, BackgroundNamesAndTheirCombo)
{
    const struct { LPCWSTR file, shown; } names[] = {
        { L"paper-40-18.bkg.bmp", L"paper" }, { L"my-paper-40-18.bkg.bmp", L"my-paper" },
        { L"-dark-1.bkg.bmp", L"-dark" },     { L"plain.bkg.bmp", L"plain.bkg.bmp" },
    };
    for (const auto& n : names)
        EXPECT_EQ(CString(n.shown), BackgroundDisplayName(n.file));

    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"dialog", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 80, 90, dialog,
                                 (HMENU)1160, nullptr, nullptr);
    CWnd box(combo);
    auto Shown = [&] { return (GetWindowLongW(combo, GWL_STYLE) & WS_VISIBLE) != 0; };
    CStringArray list;
    list.Add(L"<Default>");
    FillBackgroundCombo(&box, list, 0);
    EXPECT_FALSE(Shown()); // only the default: nothing to choose
    list.Add(L"paper-40-18.bkg.bmp");
    FillBackgroundCombo(&box, list, 1);
    EXPECT_TRUE(Shown() && IsWindowEnabled(combo));
    EXPECT_EQ(1, (int)SendMessageW(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(2, (int)SendMessageW(combo, CB_GETCOUNT, 0, 0));
    dialog.DestroyWindow();
}

TEST(MaskMenu, ItemsFromTheHostAndTheThreeInsertModes)
{
    CTestFolder folder(L"mask");
    CString mainIni = folder.Write(L"wincmd.ini", "[Configuration]\r\nAlternateUserIni=alt.ini\r\n"
                                                  "[Selection]\r\nRedirectSection=0\r\n0=*.txt\r\n1=<skipped\r\n"
                                                  "2=*.doc\r\n3=\r\n4=*.never\r\n");
    folder.Write(L"alt.ini", "[Searches]\r\nDocs_SearchFor=*.doc\r\nEmpty_SearchFor=\r\n_SearchFor=x\r\n"
                             "Other=1\r\npics_searchfor=*.png\r\n"
                             "[Selection]\r\n0=*.alt\r\n");
    CMaskMenuItems items;
    ReadMaskMenuItems(mainIni, items);
    ASSERT_EQ(2, items.searches.GetSize());
    EXPECT_EQ(CString(L"Docs"), items.searches[0]);
    EXPECT_EQ(CString(L"pics"), items.searches[1]);
    ASSERT_EQ(2, items.masks.GetSize());
    EXPECT_EQ(CString(L"*.txt"), items.masks[0]);
    EXPECT_EQ(CString(L"*.doc"), items.masks[1]);

    // Searches first; with searches the masks go into a submenu.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(BuildMaskMenu(menu, items, L"TC File masks"));
    ASSERT_EQ(4, menu.GetMenuItemCount());
    EXPECT_EQ(2u, menu.GetMenuItemID(1));
    CString caption;
    menu.GetMenuString(3, caption, MF_BYPOSITION);
    EXPECT_EQ(CString(L"TC File masks"), caption);
    HMENU sub = menu.GetSubMenu(3);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(3u, GetMenuItemID(sub, 0));
    EXPECT_EQ(CString(L"=Docs"), MaskMenuText(items, 1));
    EXPECT_EQ(CString(L"*.doc"), MaskMenuText(items, 4));
    EXPECT_EQ(CString(), MaskMenuText(items, 5));
    CMenu plain;
    plain.CreatePopupMenu();
    CMaskMenuItems masksOnly;
    masksOnly.masks.Add(L"*.txt");
    ASSERT_TRUE(BuildMaskMenu(plain, masksOnly, L"TC File masks"));
    EXPECT_EQ(1, plain.GetMenuItemCount());
    CMaskMenuItems none;
    EXPECT_FALSE(BuildMaskMenu(plain, none, L"TC File masks"));

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"page", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr, nullptr));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 200, 20), &parent, 1));
    const struct
    {
        LPCWSTR text;
        int selStart, selEnd;
        int mode;
        LPCWSTR joined;
        int insertedAt;
    } inserts[] = {
        { L"", 0, 0, MaskBefore, L"*.x", 0 },
        { L"a", 0, 0, MaskBefore, L"*.x|a", 0 },
        { L"a", 0, 0, MaskAfter, L"a|*.x", 2 },
        { L"a|b", 0, 0, MaskAtSelection, L"*.x|a|b", 0 },
        { L"a|b", 3, 3, MaskAtSelection, L"a|b|*.x", 4 },
        { L"a|b", 1, 1, MaskAtSelection, L"a|*.x|b", 2 },
        { L"a|b", 2, 2, MaskAtSelection, L"a|*.x|b", 2 },
        { L"a|b|c", 2, 3, MaskAtSelection, L"a|*.x|c", 2 },
        { L"ab", 1, 1, MaskAtSelection, L"a|*.x|b", 2 },
    };
    for (const auto& c : inserts) {
        SCOPED_TRACE(c.joined);
        edit.SetWindowText(c.text);
        edit.SetSel(c.selStart, c.selEnd);
        InsertMask(&edit, L"*.x", c.mode);
        EXPECT_EQ(CString(c.joined), edit.GetWindowText());
        int start = -1, end = -1;
        edit.GetSel(start, end);
        EXPECT_EQ(c.insertedAt, start);
        EXPECT_EQ(c.insertedAt + 3, end);
    }
    parent.DestroyWindow();
}

} // namespace
