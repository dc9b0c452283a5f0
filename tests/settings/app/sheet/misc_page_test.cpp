// The Miscellaneous page: defaults, the switches written in order, the
// language list by file, and the start-up sequence shared with the Keyboard
// Mapping page.
#include "KeyPage.h"
#include "MiscPage.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

struct CMiscFixture
{
    CMiscFixture(LPCWSTR name, const std::string& ini) : f(name, CStringArray(), ini) {}
    CMiscPage* Show()
    {
        page = static_cast<CMiscPage*>(f.sheet->FindPage(IDD_MISCELLANEOUS));
        f.sheet->SetActivePage(page);
        return page;
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
    CString Text(int id)
    {
        CString text;
        page->GetDlgItemText(id, text);
        return text;
    }
    bool On(int id) { return page->IsDlgButtonChecked(id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    std::string Config() { return CModelFiles::Section(f.files.OwnIni(), "Config"); }

    CSheetFixture f;
    CMiscPage* page = nullptr;
};

} // namespace

TEST(MiscPage, DefaultsThenEverySwitchWrittenInOrder)
{
    const std::string ini = "[Other]\r\nx=1\r\n";
    CMiscFixture t(L"misc_switches", ini);
    ASSERT_TRUE(t.f.created);
    ASSERT_NE(nullptr, t.Show());
    EXPECT_TRUE(t.On(IDC_MISC_AUTO_COMPLETION) && t.On(IDC_MISC_CLOSE_LISTERS) && t.On(IDC_MISC_CHECK_CLOSE));
    EXPECT_EQ(0, (int)t.page->SendDlgItemMessage(IDC_MISC_KEEP_BACK, CB_GETCURSEL));
    EXPECT_EQ(0, (int)t.page->SendDlgItemMessage(IDC_MISC_LANGUAGE, CB_GETCURSEL));
    EXPECT_FALSE(t.Enabled(IDC_MISC_STARTUP_TEXT) || t.Enabled(IDC_MISC_QUICKVIEW_OPEN));
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(ini, t.f.files.OwnIni());

    for (int id : { IDC_MISC_AUTO_COMPLETION, IDC_MISC_LL_HOOK, IDC_MISC_CLOSE_LISTERS, IDC_MISC_STARTUP,
                    IDC_MISC_CHECK_CLOSE, IDC_MISC_NEXT_QUICKVIEW, IDC_MISC_QUICKVIEW_OPEN, IDC_MISC_MULTI_LISTER })
        t.Click(id);
    t.Choose(IDC_MISC_KEEP_BACK, 2);
    EXPECT_TRUE(t.Enabled(IDC_MISC_STARTUP_TEXT) && t.Enabled(IDC_MISC_QUICKVIEW_OPEN));
    t.f.sheet->ApplyAndBroadcast();
    // No sequence and the built-in language: neither key is written.
    EXPECT_EQ("AutoCompletion=0\r\nKeepTCBack=2\r\nCloseAllListers=0\r\nUseLLHook=1\r\nEnableStartupSequence=1\r\n"
              "CheckCloseTC=0\r\nCheckMultiLister=1\r\nNextQuickView=1\r\nNextQuickViewOpen=1\r\n",
              t.Config());
}

TEST(MiscPage, LanguageWrittenAsTheListedFile)
{
    CMiscFixture t(L"misc_language", "[Config]\r\nKeepTCBack=7\r\n");
    ASSERT_TRUE(t.f.created);
    CreateDirectoryW(t.f.files.Own(L"Language"), nullptr);
    // A title with "<" and a file name with two dots: neither can be parsed
    // back out of the shown text.
    t.f.files.WriteOwn(L"Language\\DE.ini", "[Prefector]\r\nTitle=Deutsch <de>\r\n");
    t.f.files.WriteOwn(L"Language\\WCMD.X.ini", "[Other]\r\n");
    CString own = t.f.files.Own();
    t.f.model->m_localizer.SetFile(own + L"\\language\\wcmd.x.ini");
    ASSERT_NE(nullptr, t.Show());
    const auto& languages = t.page->GetLanguages();
    ASSERT_EQ(3, languages.GetSize());
    EXPECT_STREQ(L"Deutsch <de> <DE.ini>", languages[1].text);
    EXPECT_STREQ(L"WCMD.X <WCMD.X.ini>", languages[2].text);
    EXPECT_EQ(2, (int)t.page->SendDlgItemMessage(IDC_MISC_LANGUAGE, CB_GETCURSEL)); // without case
    struct { int item; CString written; } rows[] = {
        { 1, L"Localizator=" + own + L"\\LANGUAGE\\DE.ini\r\n" },
        { 2, L"Localizator=" + own + L"\\LANGUAGE\\WCMD.X.ini\r\n" },
        { 0, L"" },
    };
    for (const auto& row : rows) {
        t.Choose(IDC_MISC_LANGUAGE, row.item);
        t.f.sheet->ApplyAndBroadcast();
        std::string config = t.Config();
        size_t at = config.find("Localizator=");
        EXPECT_EQ(Narrow(row.written), at == std::string::npos ? "" : config.substr(at)) << row.item;
        // A stored KeepTCBack out of range is written as the first entry.
        EXPECT_EQ(0u, config.find("KeepTCBack=0\r\n"));
    }
}

TEST(MiscPage, StartupSequenceAdditionsFromBothPagesSurviveOneApply)
{
    CMiscFixture t(L"misc_startup", "[Config]\r\nStartupSequence=old\r\n");
    ASSERT_TRUE(t.f.created);
    CPromptScript prompts;
    ASSERT_NE(nullptr, t.Show());
    EXPECT_STREQ(L"old", t.Text(IDC_MISC_STARTUP_TEXT));
    t.page->m_chooseCommand = [](CWnd*, CString& command) {
        command = L"cm_X";
        return TRUE;
    };
    for (int i = 0; i < 2; ++i)
        t.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MISC_BROWSE, BN_CLICKED), 0);
    EXPECT_STREQ(L"old|cm_X|cm_X", t.Text(IDC_MISC_STARTUP_TEXT));

    // Typed here, then a command added on the Keyboard Mapping page.
    t.page->SetDlgItemText(IDC_MISC_STARTUP_TEXT, L"A");
    CKeyPage* keys = t.f.sheet->GetKeyPage();
    t.f.sheet->SetActivePage(keys);
    ASSERT_TRUE(keys->SelectCommand(0, L"cm_Copy"));
    prompts.AddAnswer(IDYES);
    keys->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_COMMANDS, LBN_DBLCLK), 0);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_NE(std::string::npos, t.Config().find("StartupSequence=A|cm_Copy\r\n")) << t.Config();
    t.f.sheet->SetActivePage(t.page);
    EXPECT_STREQ(L"A|cm_Copy", t.Text(IDC_MISC_STARTUP_TEXT));
}
