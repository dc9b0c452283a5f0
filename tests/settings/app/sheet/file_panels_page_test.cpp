// The File Panels page: what OK writes (nothing, then every key in order),
// long values and grouping kept, values taken from the controls, the
// dependent controls, the mask menus and Alt+P.
#include "FilePanelsPage.h"
#include "PageDriver.h"
#include "Resource.h"
#include "TestFiles.h"
#include <gtest/gtest.h>

TEST(FilePanelsPage, OkWritesNothingThenEveryKeyKeepingLongValues)
{
    const std::string groups(1500, 'g'), picture = "C:\\" + std::string(400, 'p') + ".bmp";
    const std::string ini = "[Config]\r\nFileGroups=" + groups + "\r\nBkgFile=" + picture + "\r\n";
    CSheetFixture f(L"panels_ok", CStringArray(), ini);
    ASSERT_TRUE(f.created);
    CPageDriver d{ f };
    ASSERT_NE(nullptr, d.Show<CFilePanelsPage>(IDD_FILE_PANELS));
    EXPECT_TRUE(d.Checked(IDC_PANEL_SHOW_FIRST)); // absent: grouping on, as the engine reads it
    f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(ini, f.files.OwnIni());

    // The engine stores a dragged column's width meanwhile; a change of
    // another control must not write the page's old width over it.
    WritePrivateProfileStringW(L"Config", L"ColumnsWidth0", L"333", f.files.Own(L"Merovin.ini"));
    d.Click(IDC_PANEL_ESC);
    f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("FileGroups=" + groups + "\r\nBkgFile=" + picture +
                  "\r\nColumnsWidth0=333\r\nFileGroupping=1\r\nFileGroupping2=1\r\nBriefSingleColor=0\r\n"
                  "FileGroups2=\r\nZiravirura=0\r\nChangeColumns=0\r\nESCSpecial=1\r\nMClick2NewTab=0\r\n"
                  "InPlaceRename=0\r\nGotoUpFromRoot=0\r\nJumpBeginEnd=0\r\nStickyFiles=0\r\nStickySort=1\r\n"
                  "BookMarks=0\r\nPersistBookmarks=0\r\nLostFocus=0\r\n",
              d.Section("Config"));
    EXPECT_EQ("RetrColor=" + ColourText(GetSysColor(COLOR_HIGHLIGHT)) + "\r\nRetrOpacity=64\r\nStickColor=" +
                  ColourText(GetSysColor(COLOR_ACTIVECAPTION)) +
                  "\r\nStickStyle=2\r\nMarkPercentStick=33\r\nBookMarkColor=#E696E6\r\nBookMarkStyle=2\r\n"
                  "MarkPercentBM=33\r\nLostFocusStyle=3\r\nMarkPercentCursor=33\r\n",
              d.Section("Colors&Styles"));
}

TEST(FilePanelsPage, ValuesTakenFromTheControls)
{
    CSheetFixture f(L"panels_values", CStringArray(), "[Config]\r\nBkgFile=%COMMANDER_PATH%\\old.bmp\r\n");
    ASSERT_TRUE(f.created);
    CEnvironmentValue host(L"COMMANDER_PATH", f.files.Host());
    CPromptScript prompts;
    CPageDriver d{ f };
    CFilePanelsPage* page = d.Show<CFilePanelsPage>(IDD_FILE_PANELS);
    d.Click(IDC_PANEL_LOST_FOCUS);
    EXPECT_FALSE(d.Enabled(IDC_PANEL_MARK_FILL)); // Frame: no fill
    d.Choose(IDC_PANEL_MARK_STYLE, 0);
    EXPECT_TRUE(d.Enabled(IDC_PANEL_MARK_FILL));
    page->SetDlgItemText(IDC_PANEL_MARK_FILL, L"x");
    page->GetMarkButton().SendMessage(WMU_COLOR_SELENDOK, RGB(255, 128, 0));
    d.Slide(IDC_PANEL_OPACITY, 120);
    struct { CString chosen; LPCWSTR left; std::string picture; } rows[] = {
        { f.files.Host(L"pic\\a.bmp"), L"30", "%COMMANDER_PATH%\\pic\\a.bmp" },
        { L"D:\\x.bmp", L"", "D:\\x.bmp" },
    };
    for (const auto& row : rows) {
        prompts.AddAnswer(TRUE, row.chosen);
        d.Press(IDC_PANEL_PICTURE_BROWSE);
        page->SetDlgItemText(IDC_PANEL_WIDTH_LEFT, row.left);
        page->SetDlgItemText(IDC_PANEL_WIDTH_RIGHT, L"50");
        f.sheet->ApplyAndBroadcast();
        std::string file = f.files.OwnIni();
        for (std::string line : { "BkgFile=" + row.picture, std::string("ColumnsWidth0=200"),
                                  std::string("ColumnsWidth1=50"), std::string("LostFocusColor=#FF8000"),
                                  std::string("LostFocusStyle=2"), std::string("MarkPercentCursor=33"),
                                  std::string("RetrOpacity=120") })
            EXPECT_NE(std::string::npos, file.find(line + "\r\n")) << line;
    }
    EXPECT_STREQ(f.files.Host(L"old.bmp"), prompts.Text(0)); // the dialog starts at the expanded picture
}

TEST(FilePanelsPage, BoxesEnableTheirControls)
{
    CSheetFixture f(L"panels_deps", CStringArray(), "[Config]\r\nFileGroupping=0\r\nFileGroupping2=0\r\n");
    ASSERT_TRUE(f.created);
    CPageDriver d{ f };
    d.Show<CFilePanelsPage>(IDD_FILE_PANELS);
    struct { int box; std::vector<int> controls; } table[] = {
        { IDC_PANEL_SHOW_FIRST, { IDC_PANEL_FIRST_MASKS, IDC_PANEL_FIRST_BEFORE, IDC_PANEL_FIRST_AFTER } },
        { IDC_PANEL_SHOW_LAST, { IDC_PANEL_LAST_MASKS, IDC_PANEL_LAST_BEFORE, IDC_PANEL_LAST_AFTER } },
        { IDC_PANEL_LOST_FOCUS, { IDC_PANEL_MARK_COLOR, IDC_PANEL_MARK_STYLE } },
        { IDC_PANEL_ZIRAVIRURA, { IDC_PANEL_AREA_COLOR, IDC_PANEL_OPACITY } },
        { IDC_PANEL_FIXED_WIDTH, { IDC_PANEL_WIDTH_LEFT, IDC_PANEL_WIDTH_RIGHT } },
    };
    for (const auto& row : table) {
        for (bool on : { false, true, false }) {
            if (on != d.Checked(row.box))
                d.Click(row.box);
            for (int id : row.controls)
                EXPECT_EQ(on, d.Enabled(id)) << row.box << " -> " << id;
        }
    }
}

TEST(FilePanelsPage, MaskMenusAndAltP)
{
    CSheetFixture f(L"panels_masks");
    ASSERT_TRUE(f.created);
    f.files.WriteHost(L"wincmd.ini", "[Searches]\r\nDocs_SearchFor=*.doc\r\n[Selection]\r\n0=*.txt\r\n1=<x\r\n2=*.ini\r\n");
    CPageDriver d{ f };
    CFilePanelsPage* page = d.Show<CFilePanelsPage>(IDD_FILE_PANELS);
    CString shown;
    CPoint at;
    page->m_trackMaskMenu = [&](CMenu& menu, CPoint point, CWnd*) {
        CString first, sub;
        menu.GetMenuString(0, first, MF_BYPOSITION);
        menu.GetMenuString(2, sub, MF_BYPOSITION);
        shown.Format(L"%s,%d,%s,%d", (LPCWSTR)first, menu.GetMenuItemID(1) == 0, (LPCWSTR)sub,
                     GetMenuItemCount(menu.GetSubMenu(2)));
        at = point;
        return 1u; // "Docs"
    };
    struct { int button, edit; LPCWSTR expected; } rows[] = {
        { IDC_PANEL_FIRST_BEFORE, IDC_PANEL_FIRST_MASKS, L"=Docs|a" },
        { IDC_PANEL_LAST_AFTER, IDC_PANEL_LAST_MASKS, L"a|=Docs" },
        { 0, IDC_PANEL_LAST_MASKS, L"a|=Docs" }, // Alt+P with the caret at the end
    };
    for (const auto& row : rows) {
        HWND edit = page->GetDlgItemHwnd(row.edit);
        SetWindowTextW(edit, L"a");
        shown.Empty();
        CRect rect;
        if (row.button) {
            GetWindowRect(page->GetDlgItemHwnd(row.button), &rect);
            d.Press(row.button);
            EXPECT_EQ(CPoint(rect.left, rect.bottom + 1), at);
        } else {
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 1, 1);
            BYTE keys[256] = {}, old[256] = {};
            GetKeyboardState(old);
            keys[VK_MENU] = 0x80;
            SetKeyboardState(keys);
            MSG msg = { edit, WM_SYSKEYDOWN, 'P', (LPARAM)(1 << 29) };
            EXPECT_TRUE(CWnd::WalkPreTranslateTree(f.sheet->m_hWnd, &msg));
            SetKeyboardState(old);
            GetWindowRect(edit, &rect);
            EXPECT_EQ(rect.bottom, at.y);
        }
        EXPECT_STREQ(L"Docs,1,TC File masks,2", shown);
        EXPECT_STREQ(row.expected, d.Text(row.edit));
    }
    EXPECT_TRUE(page->IsModified());
}
