// The File Panels page: what OK writes (nothing, then every key in order),
// long values and grouping kept, values taken from the controls, the
// dependent controls, the mask menus and Alt+P.
#include "FilePanelsPage.h"
#include "Resource.h"
#include "SheetFixture.h"
#include "TestFiles.h"
#include <gtest/gtest.h>

namespace {

struct CPanelsFixture
{
    CPanelsFixture(LPCWSTR name, const std::string& ini) : f(name, CStringArray(), ini)
    {
        page = static_cast<CFilePanelsPage*>(f.sheet->FindPage(IDD_FILE_PANELS));
        f.sheet->SetActivePage(page);
    }
    void Click(int id)
    {
        HWND box = page->GetDlgItemHwnd(id);
        SendMessageW(box, BM_SETCHECK, SendMessageW(box, BM_GETCHECK, 0, 0) ? BST_UNCHECKED : BST_CHECKED, 0);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)box);
    }
    void Choose(int id, int index)
    {
        page->SendDlgItemMessage(id, CB_SETCURSEL, index);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)page->GetDlgItemHwnd(id));
    }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    CString Text(int id)
    {
        CString text;
        page->GetDlgItemText(id, text);
        return text;
    }
    std::string Section(const char* name) { return CModelFiles::Section(f.files.OwnIni(), name); }

    CSheetFixture f;
    CFilePanelsPage* page = nullptr;
};

std::string Hex(COLORREF c)
{
    char text[8];
    snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

} // namespace

TEST(FilePanelsPage, OkWritesNothingThenEveryKeyKeepingLongValues)
{
    const std::string groups(1500, 'g'), picture = "C:\\" + std::string(400, 'p') + ".bmp";
    const std::string ini = "[Config]\r\nFileGroups=" + groups + "\r\nBkgFile=" + picture + "\r\n";
    CPanelsFixture t(L"panels_ok", ini);
    ASSERT_TRUE(t.f.created);
    ASSERT_NE(nullptr, t.page);
    EXPECT_EQ(BST_CHECKED, t.page->IsDlgButtonChecked(IDC_PANEL_SHOW_FIRST)); // absent: grouping on
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(ini, t.f.files.OwnIni());

    // The engine stores a dragged column's width meanwhile; a change of
    // another control must not write the page's old width over it.
    WritePrivateProfileStringW(L"Config", L"ColumnsWidth0", L"333", t.f.files.Own(L"Merovin.ini"));
    t.Click(IDC_PANEL_ESC);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("FileGroups=" + groups + "\r\nBkgFile=" + picture +
                  "\r\nColumnsWidth0=333\r\nFileGroupping=1\r\nFileGroupping2=1\r\nBriefSingleColor=0\r\n"
                  "FileGroups2=\r\nZiravirura=0\r\nChangeColumns=0\r\nESCSpecial=1\r\nMClick2NewTab=0\r\n"
                  "InPlaceRename=0\r\nGotoUpFromRoot=0\r\nJumpBeginEnd=0\r\nStickyFiles=0\r\nStickySort=1\r\n"
                  "BookMarks=0\r\nPersistBookmarks=0\r\nLostFocus=0\r\n",
              t.Section("Config"));
    EXPECT_EQ("RetrColor=" + Hex(GetSysColor(COLOR_HIGHLIGHT)) + "\r\nRetrOpacity=64\r\nStickColor=" +
                  Hex(GetSysColor(COLOR_ACTIVECAPTION)) +
                  "\r\nStickStyle=2\r\nMarkPercentStick=33\r\nBookMarkColor=#E696E6\r\nBookMarkStyle=2\r\n"
                  "MarkPercentBM=33\r\nLostFocusStyle=3\r\nMarkPercentCursor=33\r\n",
              t.Section("Colors&Styles"));
}

TEST(FilePanelsPage, ValuesTakenFromTheControls)
{
    CPanelsFixture t(L"panels_values", "[Config]\r\nBkgFile=%COMMANDER_PATH%\\old.bmp\r\n");
    ASSERT_TRUE(t.f.created);
    CEnvironmentValue host(L"COMMANDER_PATH", t.f.files.Host());
    CPromptScript prompts;
    t.Click(IDC_PANEL_LOST_FOCUS);
    t.Choose(IDC_PANEL_MARK_STYLE, 1); // Frame: no fill
    EXPECT_FALSE(t.Enabled(IDC_PANEL_MARK_FILL));
    t.Choose(IDC_PANEL_MARK_STYLE, 0);
    EXPECT_TRUE(t.Enabled(IDC_PANEL_MARK_FILL));
    t.page->SetDlgItemText(IDC_PANEL_MARK_FILL, L"x");
    t.page->GetMarkButton().SendMessage(WMU_COLOR_SELENDOK, RGB(255, 128, 0));
    HWND track = t.page->GetDlgItemHwnd(IDC_PANEL_OPACITY);
    SendMessageW(track, TBM_SETPOS, TRUE, 120);
    t.page->SendMessage(WM_HSCROLL, TB_ENDTRACK, (LPARAM)track);
    struct { CString chosen; LPCWSTR left; std::string picture, width0; } rows[] = {
        { t.f.files.Host(L"pic\\a.bmp"), L"30", "%COMMANDER_PATH%\\pic\\a.bmp", "200" },
        { L"D:\\x.bmp", L"", "D:\\x.bmp", "200" },
    };
    for (const auto& row : rows) {
        prompts.AddAnswer(TRUE, row.chosen);
        INT_PTR asked = prompts.m_prompts.GetSize();
        t.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PANEL_PICTURE_BROWSE, BN_CLICKED), 0);
        ASSERT_EQ(asked + 1, prompts.m_prompts.GetSize());
        if (asked == 0) // the dialog starts at the expanded picture
            EXPECT_STREQ(t.f.files.Host(L"old.bmp"), prompts.Text(0));
        t.page->SetDlgItemText(IDC_PANEL_WIDTH_LEFT, row.left);
        t.page->SetDlgItemText(IDC_PANEL_WIDTH_RIGHT, L"50");
        t.f.sheet->ApplyAndBroadcast();
        std::string file = t.f.files.OwnIni();
        for (const std::string& line : { "BkgFile=" + row.picture, "ColumnsWidth0=" + row.width0,
                                         std::string("ColumnsWidth1=50"), std::string("LostFocus=1"),
                                         std::string("LostFocusColor=#FF8000"), std::string("LostFocusStyle=2"),
                                         std::string("MarkPercentCursor=33"), std::string("RetrOpacity=120") })
            EXPECT_NE(std::string::npos, file.find(line + "\r\n")) << line;
        EXPECT_STREQ(L"200", t.Text(IDC_PANEL_WIDTH_LEFT));
    }
}

TEST(FilePanelsPage, BoxesEnableTheirControls)
{
    CPanelsFixture t(L"panels_deps", "[Config]\r\nFileGroupping=0\r\nFileGroupping2=0\r\n");
    ASSERT_TRUE(t.f.created);
    struct { int box; std::vector<int> controls; } table[] = {
        { IDC_PANEL_SHOW_FIRST, { IDC_PANEL_FIRST_MASKS, IDC_PANEL_FIRST_BEFORE, IDC_PANEL_FIRST_AFTER } },
        { IDC_PANEL_SHOW_LAST, { IDC_PANEL_LAST_MASKS, IDC_PANEL_LAST_BEFORE, IDC_PANEL_LAST_AFTER } },
        { IDC_PANEL_LOST_FOCUS, { IDC_PANEL_MARK_COLOR, IDC_PANEL_MARK_STYLE } },
        { IDC_PANEL_ZIRAVIRURA, { IDC_PANEL_AREA_COLOR, IDC_PANEL_OPACITY } },
        { IDC_PANEL_FIXED_WIDTH, { IDC_PANEL_WIDTH_LEFT, IDC_PANEL_WIDTH_RIGHT } },
    };
    for (const auto& row : table) {
        for (bool on : { false, true, false }) {
            if (on != (t.page->IsDlgButtonChecked(row.box) == BST_CHECKED))
                t.Click(row.box);
            for (int id : row.controls)
                EXPECT_EQ(on, t.Enabled(id)) << row.box << " -> " << id;
        }
    }
}

TEST(FilePanelsPage, MaskMenusAndAltP)
{
    CPanelsFixture t(L"panels_masks", "");
    ASSERT_TRUE(t.f.created);
    t.f.files.WriteHost(L"wincmd.ini", "[Searches]\r\nDocs_SearchFor=*.doc\r\n[Selection]\r\n0=*.txt\r\n1=<x\r\n2=*.ini\r\n");
    CString shown;
    CPoint at;
    t.page->m_trackMaskMenu = [&](CMenu& menu, CPoint point, CWnd*) {
        CString text, sub;
        menu.GetMenuString(0, text, MF_BYPOSITION);
        menu.GetMenuString(2, sub, MF_BYPOSITION);
        shown.Format(L"%s,%d,%s,%d", (LPCWSTR)text, menu.GetMenuItemID(1) == 0, (LPCWSTR)sub,
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
        HWND edit = t.page->GetDlgItemHwnd(row.edit);
        SetWindowTextW(edit, L"a");
        CRect rect;
        if (row.button) {
            GetWindowRect(t.page->GetDlgItemHwnd(row.button), &rect);
            t.page->SendMessage(WM_COMMAND, MAKEWPARAM(row.button, BN_CLICKED), 0);
            EXPECT_EQ(CPoint(rect.left, rect.bottom + 1), at);
        } else {
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 1, 1);
            BYTE keys[256] = {}, old[256] = {};
            GetKeyboardState(old);
            keys[VK_MENU] = 0x80;
            SetKeyboardState(keys);
            MSG msg = { edit, WM_SYSKEYDOWN, 'P', (LPARAM)(1 << 29) };
            EXPECT_TRUE(CWnd::WalkPreTranslateTree(t.f.sheet->m_hWnd, &msg));
            SetKeyboardState(old);
            GetWindowRect(edit, &rect);
            EXPECT_EQ(rect.bottom, at.y);
        }
        EXPECT_STREQ(L"Docs,1,TC File masks,2", shown);
        CString text;
        t.page->GetDlgItemText(row.edit, text);
        EXPECT_STREQ(row.expected, text);
        shown.Empty();
    }
    EXPECT_TRUE(t.page->IsModified());
}
