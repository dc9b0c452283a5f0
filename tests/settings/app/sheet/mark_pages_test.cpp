// The Sticky Files and Bookmarks pages: what Apply writes, the fill text,
// the enabling, the hotkey lists and their button, the backgrounds, and
// that opening them and OK write nothing.
#include "KeyPage.h"
#include "MarkPage.h"
#include "PageInput.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

// A white 24-bit BMP file's bytes.
std::string WhiteBmp(int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    std::string file(54 + stride * h, '\xFF');
    BITMAPFILEHEADER fh = {0x4D42, (DWORD)file.size(), 0, 0, 54};
    BITMAPINFOHEADER ih = {sizeof(ih), w, h, 1, 24, BI_RGB, (DWORD)(stride * h), 0, 0, 0, 0};
    memcpy(&file[0], &fh, 14);
    memcpy(&file[14], &ih, 40);
    return file;
}

class CMarkFixture
{
public:
    CMarkFixture(LPCWSTR name, const std::string& ini, std::vector<LPCWSTR> backgrounds = {})
        : f(name, CStringArray(), ini.empty() ? "[Keyboard]\r\nStickIt=Ctrl+K\r\n" : ini)
    {
        for (LPCWSTR file : backgrounds)
            f.files.WriteOwn(file, WhiteBmp(60, 90));
        if (!backgrounds.empty()) { // the model lists the backgrounds found at start
            f.model->m_backgrounds.RemoveAll();
            f.model->m_marks.nBackground = BuildPreviewBackgrounds(f.model->m_strOwnFolder, L"<Default>",
                                                                   f.model->m_strOwnIni, f.model->m_backgrounds);
        }
    }
    CMarkPage* Show(UINT id)
    {
        auto* page = static_cast<CMarkPage*>(f.sheet->FindPage(id));
        f.sheet->SetActivePage(page);
        return page;
    }
    std::string Section(const char* name) { return CModelFiles::Section(f.files.OwnIni(), name); }

    CSheetFixture f;
};

} // namespace

TEST(MarkPages, ApplyWritesEveryMarkInOrder)
{
    CMarkFixture t(L"marks_apply", "[Colors&Styles]\r\nStickStyle=1\r\nMarkPercent=40\r\nBookMarkColor=E696E6\r\n");
    ASSERT_TRUE(t.f.created);
    CMarkPage* page = t.Show(IDD_BOOKMARKS);
    ClickBox(page, IDC_MARK_ENABLE, true);
    ChooseEntry(page, IDC_MARK_STYLE, 2); // "Solid"
    page->GetColorButton().SendMessage(WMU_COLOR_SELENDOK, RGB(255, 128, 0));
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("StickyFiles=0\r\nStickySort=1\r\nBookMarks=1\r\nPersistBookmarks=0\r\nLostFocus=0\r\n",
              t.Section("Config"));
    EXPECT_EQ("StickStyle=2\r\nMarkPercent=40\r\nBookMarkColor=#FF8000\r\nStickColor=" +
                  HexColour(GetSysColor(COLOR_ACTIVECAPTION)) +
                  "\r\nMarkPercentStick=40\r\nBookMarkStyle=4\r\nMarkPercentBM=40\r\nLostFocusStyle=3\r\n"
                  "MarkPercentCursor=40\r\n",
              t.Section("Colors&Styles"));
}

TEST(MarkPages, FillTextEnablingAndSort)
{
    CMarkFixture t(L"marks_fill", "[Config]\r\nStickyFiles=1\r\n[Colors&Styles]\r\nMarkPercentStick=150\r\n");
    ASSERT_TRUE(t.f.created);
    CMarkPage* page = t.Show(IDD_STICKY_FILES);
    EXPECT_FALSE(page->IsModified());
    ClickBox(page, IDC_STICKY_SORT, false);
    EXPECT_TRUE(page->IsModified()) << "the sort box alone";
    CString shown;
    page->GetDlgItemText(IDC_MARK_FILL, shown);
    EXPECT_STREQ(L"50", (LPCWSTR)shown);
    struct { LPCWSTR text; int fill; } fills[] = {{L"50", 150}, {L" 40 % ", 40}, {L"abc", 33}, {L"40x", 33}, {L"7%", 7}};
    for (const auto& c : fills) {
        page->SetDlgItemText(IDC_MARK_FILL, c.text);
        EXPECT_EQ(c.fill, t.f.model->m_marks.sticky.nFill) << Narrow(c.text);
    }
    auto Enabled = [&](int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; };
    for (bool on : {false, true}) {
        ClickBox(page, IDC_MARK_ENABLE, on);
        for (int id : {IDC_STICKY_SORT, IDC_MARK_COLOR, IDC_MARK_STYLE, IDC_MARK_KEYS, IDC_MARK_KEYS_BUTTON,
                       IDC_MARK_PREVIEW_LABEL, IDC_MARK_FILL})
            EXPECT_EQ(on, Enabled(id)) << id;
    }
    ChooseEntry(page, IDC_MARK_STYLE, 1);
    EXPECT_FALSE(Enabled(IDC_MARK_FILL)) << "only Alpha-Grad has a fill";
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_NE(std::string::npos, t.Section("Config").find("StickySort=0\r\n"));
}

TEST(MarkPages, HotkeyListsAndTheirButton)
{
    struct Case { UINT page; int rows; int boundRow; const char* key; LPCWSTR filter; } cases[] = {
        {IDD_BOOKMARKS, 9, 0, "Ctrl+B", L"Book"},
        {IDD_STICKY_FILES, 5, 1, "Alt+U", L"Stick"},
    };
    for (const Case& c : cases) {
        CMarkFixture t(L"marks_keys", "[Keyboard]\r\nToggleBookMark=Ctrl+B\r\nUnStickIt=Alt+U\r\n");
        ASSERT_TRUE(t.f.created);
        CMarkPage* page = t.Show(c.page);
        CListCtrl& list = page->GetKeyList();
        ASSERT_EQ(c.rows, list.GetItemCount());
        for (int row = 0; row < c.rows; ++row)
            EXPECT_EQ(row == c.boundRow ? c.key : "", Narrow(list.GetItemText(row, 1))) << row;
        HWND button = page->GetDlgItemHwnd(IDC_MARK_KEYS_BUTTON);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MARK_KEYS_BUTTON, BN_CLICKED), (LPARAM)button);
        CKeyPage* keys = t.f.sheet->GetKeyPage();
        EXPECT_EQ(keys, t.f.sheet->GetActivePage());
        EXPECT_EQ(1, keys->GetSet());
        CString filter;
        keys->GetDlgItemText(IDC_KEY_FILTER, filter);
        EXPECT_STREQ(c.filter, (LPCWSTR)filter);
    }
}

TEST(MarkPages, BackgroundsAreSharedByBothPages)
{
    CMarkFixture t(L"marks_backgrounds", "[Keyboard]\r\n", {L"files-40-18.bkg.bmp"});
    ASSERT_TRUE(t.f.created);
    ASSERT_EQ(2, t.f.model->m_backgrounds.GetSize());
    CMarkPage* sticky = t.Show(IDD_STICKY_FILES);
    HWND combo = sticky->GetDlgItemHwnd(IDC_MARK_BACKGROUND);
    EXPECT_TRUE(IsWindowVisible(combo));
    WCHAR name[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, 1, (LPARAM)name);
    EXPECT_STREQ(L"files", name);
    // Chosen on Sticky Files, kept by the Bookmarks page shown before and after.
    CMarkPage* bookmarks = t.Show(IDD_BOOKMARKS);
    sticky = t.Show(IDD_STICKY_FILES);
    ChooseEntry(sticky, IDC_MARK_BACKGROUND, 1);
    EXPECT_EQ(40, sticky->GetPreview().GetFirstTop());
    bookmarks = t.Show(IDD_BOOKMARKS);
    EXPECT_EQ(18, bookmarks->GetPreview().GetRowHeight());
    ClickBox(bookmarks, IDC_BOOKMARKS_PERSIST, true);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_NE(std::string::npos, t.Section("Config").find("DefPreviewFile=files-40-18.bkg.bmp\r\n"));
    ChooseEntry(bookmarks, IDC_MARK_BACKGROUND, 0);
    EXPECT_EQ(38, bookmarks->GetPreview().GetFirstTop()) << "the built-in picture's own layout";
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(std::string::npos, t.Section("Config").find("DefPreviewFile"));

    CMarkFixture none(L"marks_no_backgrounds", "");
    EXPECT_FALSE(IsWindowVisible(none.Show(IDD_BOOKMARKS)->GetDlgItemHwnd(IDC_MARK_BACKGROUND)));
}
