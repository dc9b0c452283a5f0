// The Miscellaneous page: defaults, the switches written in order, the
// language list by file, and the start-up sequence shared with the Keyboard
// Mapping page.
#include "KeyPage.h"
#include "MiscPage.h"
#include "PageDriver.h"
#include "Resource.h"
#include <gtest/gtest.h>

TEST(MiscPage, DefaultsThenEverySwitchWrittenInOrder)
{
    const std::string ini = "[Other]\r\nx=1\r\n";
    CSheetFixture f(L"misc_switches", CStringArray(), ini);
    ASSERT_TRUE(f.created);
    CPageDriver d{ f };
    ASSERT_NE(nullptr, d.Show<CMiscPage>(IDD_MISCELLANEOUS));
    EXPECT_TRUE(d.Checked(IDC_MISC_AUTO_COMPLETION) && d.Checked(IDC_MISC_CLOSE_LISTERS) &&
                d.Checked(IDC_MISC_CHECK_CLOSE));
    EXPECT_EQ(0, d.Selected(IDC_MISC_KEEP_BACK) + d.Selected(IDC_MISC_LANGUAGE));
    EXPECT_FALSE(d.Enabled(IDC_MISC_STARTUP_TEXT) || d.Enabled(IDC_MISC_QUICKVIEW_OPEN));
    f.sheet->ApplyAndBroadcast();
    EXPECT_EQ(ini, f.files.OwnIni());

    for (int id : { IDC_MISC_AUTO_COMPLETION, IDC_MISC_LL_HOOK, IDC_MISC_CLOSE_LISTERS, IDC_MISC_STARTUP,
                    IDC_MISC_CHECK_CLOSE, IDC_MISC_NEXT_QUICKVIEW, IDC_MISC_QUICKVIEW_OPEN, IDC_MISC_MULTI_LISTER })
        d.Click(id);
    d.Choose(IDC_MISC_KEEP_BACK, 2);
    EXPECT_TRUE(d.Enabled(IDC_MISC_STARTUP_TEXT) && d.Enabled(IDC_MISC_QUICKVIEW_OPEN));
    f.sheet->ApplyAndBroadcast();
    // No sequence and the built-in language: neither key is written.
    EXPECT_EQ("AutoCompletion=0\r\nKeepTCBack=2\r\nCloseAllListers=0\r\nUseLLHook=1\r\nEnableStartupSequence=1\r\n"
              "CheckCloseTC=0\r\nCheckMultiLister=1\r\nNextQuickView=1\r\nNextQuickViewOpen=1\r\n",
              d.Section("Config"));
}

TEST(MiscPage, LanguageWrittenAsTheListedFile)
{
    CSheetFixture f(L"misc_language", CStringArray(), "[Config]\r\nKeepTCBack=7\r\n");
    ASSERT_TRUE(f.created);
    CreateDirectoryW(f.files.Own(L"Language"), nullptr);
    // A title with "<" and a file name with two dots: neither can be parsed
    // back out of the shown text.
    f.files.WriteOwn(L"Language\\DE.ini", "[Prefector]\r\nTitle=Deutsch <de>\r\n");
    f.files.WriteOwn(L"Language\\WCMD.X.ini", "[Other]\r\n");
    CString own = f.files.Own();
    f.model->m_localizer.SetFile(own + L"\\language\\wcmd.x.ini");
    CPageDriver d{ f };
    CMiscPage* page = d.Show<CMiscPage>(IDD_MISCELLANEOUS);
    ASSERT_EQ(3, page->GetLanguages().GetSize());
    EXPECT_STREQ(L"Deutsch <de> <DE.ini>", page->GetLanguages()[1].text);
    EXPECT_STREQ(L"WCMD.X <WCMD.X.ini>", page->GetLanguages()[2].text);
    EXPECT_EQ(2, d.Selected(IDC_MISC_LANGUAGE)); // the current file, without case
    struct { int item; CString written; } rows[] = {
        { 1, L"Localizator=" + own + L"\\LANGUAGE\\DE.ini\r\n" },
        { 2, L"Localizator=" + own + L"\\LANGUAGE\\WCMD.X.ini\r\n" },
        { 0, L"" },
    };
    for (const auto& row : rows) {
        d.Choose(IDC_MISC_LANGUAGE, row.item);
        f.sheet->ApplyAndBroadcast();
        std::string config = d.Section("Config");
        size_t at = config.find("Localizator=");
        EXPECT_EQ(Narrow(row.written), at == std::string::npos ? "" : config.substr(at)) << row.item;
        EXPECT_EQ(0u, config.find("KeepTCBack=0\r\n")); // out of range: the first entry
    }
}

TEST(MiscPage, LanguageFileElsewhereListedChosenAndKeptAsWritten)
{
    const std::string host = "%COMMANDER_PATH%\\LANGUAGE\\Merovin_deu.ini", bare(700, 'a');
    const CString bareName(L'a', 700);
    const struct
    {
        const char* name;
        std::string value; // [Config] "Localizator"
        const char* file;  // the language file's text; none: it cannot be read
        CString text;
    } rows[] = {
        { "readable", host, "[Prefector]\r\nTitle=Deutsch\r\n", L"Deutsch <Merovin_deu.ini>" },
        { "missing", host, nullptr, L"Merovin_deu <Merovin_deu.ini>" },
        // Too long to be joined to the Windows folder: no file at all.
        { "overlong bare name", bare, nullptr, bareName + L" <" + bareName + L">" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string setting = "Localizator=" + row.value + "\r\n";
        CSheetFixture f(L"misc_language_host", CStringArray(), "[Config]\r\n" + setting);
        ASSERT_TRUE(f.created);
        CreateDirectoryW(f.files.Own(L"Language"), nullptr);
        f.files.WriteOwn(L"Language\\DE.ini", "[Prefector]\r\nTitle=Own\r\n");
        CreateDirectoryW(f.files.Host(L"LANGUAGE"), nullptr);
        if (row.file)
            f.files.WriteHost(L"LANGUAGE\\Merovin_deu.ini", row.file);
        CPageDriver d{ f };
        CMiscPage* page = d.Show<CMiscPage>(IDD_MISCELLANEOUS);
        ASSERT_EQ(3, page->GetLanguages().GetSize());
        EXPECT_EQ(row.text, page->GetLanguages()[2].text);
        EXPECT_EQ(2, d.Selected(IDC_MISC_LANGUAGE));
        EXPECT_STREQ(L"Default (English)", page->GetLanguages()[0].text);

        // Another switch, then the language chosen away and back: the
        // setting stays as the user wrote it.
        d.Click(IDC_MISC_AUTO_COMPLETION);
        f.sheet->ApplyAndBroadcast();
        EXPECT_NE(std::string::npos, d.Section("Config").find(setting)) << d.Section("Config");
        d.Choose(IDC_MISC_LANGUAGE, 1);
        d.Choose(IDC_MISC_LANGUAGE, 2);
        f.sheet->ApplyAndBroadcast();
        EXPECT_NE(std::string::npos, d.Section("Config").find(setting)) << d.Section("Config");
    }
}

TEST(MiscPage, StartupSequenceAdditionsFromBothPagesSurviveOneApply)
{
    CSheetFixture f(L"misc_startup", CStringArray(), "[Config]\r\nStartupSequence=old\r\n");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    CPageDriver d{ f };
    CMiscPage* page = d.Show<CMiscPage>(IDD_MISCELLANEOUS);
    EXPECT_STREQ(L"old", d.Text(IDC_MISC_STARTUP_TEXT));
    page->m_chooseCommand = [](CWnd*, CString& command) {
        command = L"cm_X";
        return TRUE;
    };
    d.Press(IDC_MISC_BROWSE);
    d.Press(IDC_MISC_BROWSE);
    EXPECT_STREQ(L"old|cm_X|cm_X", d.Text(IDC_MISC_STARTUP_TEXT));

    // Typed here, then a command added on the Keyboard Mapping page.
    page->SetDlgItemText(IDC_MISC_STARTUP_TEXT, L"A");
    CKeyPage* keys = f.sheet->GetKeyPage();
    f.sheet->SetActivePage(keys);
    ASSERT_TRUE(keys->SelectCommand(0, L"cm_Copy"));
    prompts.AddAnswer(IDYES);
    keys->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_COMMANDS, LBN_DBLCLK), 0);
    f.sheet->ApplyAndBroadcast();
    EXPECT_NE(std::string::npos, d.Section("Config").find("StartupSequence=A|cm_Copy\r\n")) << d.Section("Config");
    f.sheet->SetActivePage(page);
    EXPECT_STREQ(L"A|cm_Copy", d.Text(IDC_MISC_STARTUP_TEXT));
}
