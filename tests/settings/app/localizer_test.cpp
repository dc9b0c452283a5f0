// The localiser: texts from the language file or the string table, dialog
// items, and the list of language files.
#include "AppTestFiles.h"
#include "Localizer.h"
#include "Wnd.h"
#include "app_test_res.h"
#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char* name;
    UINT id;
    LPCWSTR section;
    BOOL fallback;
    bool withFile;
    CString expected;
};

TEST(CLocalizer, TextsComeFromTheFileElseTheStringTable)
{
    CTestFolder folder(L"loc");
    std::string longValue(70000, 'w');
    CString file = folder.Write(L"DE.ini", "[Prefector]\r\nTitle=Deutsch\r\n504=Tastatur\r\n505=\r\n"
                                           "1001=First|Second\r\n9=" + longValue + "\r\n"
                                           "[Merovin]\r\n504=Engine text\r\n");
    const TextCase cases[] = {
        { "FromTheFile", IDS_TEST_KEYBOARD, nullptr, TRUE, true, L"Tastatur" },
        { "EmptyValueFallsBack", IDS_TEST_MISC, nullptr, TRUE, true, L"Miscellaneous" },
        { "MissingKeyFallsBack", IDS_TEST_PLUGINS, nullptr, TRUE, true, L"Plugins" },
        { "NoFallback", IDS_TEST_MISC, nullptr, FALSE, true, L"" },
        { "OtherSection", IDS_TEST_KEYBOARD, L"Merovin", TRUE, true, L"Engine text" },
        { "LongValueWhole", 9, nullptr, TRUE, true, CString(L'w', 70000) },
        { "NoFile", IDS_TEST_KEYBOARD, nullptr, TRUE, false, L"Keyboard Mapping" },
        { "Neither", 777, nullptr, TRUE, true, L"" },
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        CLocalizer localizer(c.withFile ? (LPCWSTR)file : L"");
        EXPECT_EQ(c.expected, localizer.LoadLocalizedString(c.id, c.section, c.fallback));
    }

    // Dialog items: "|" is a line break; no text leaves the control alone.
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"dialog", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND first = CreateWindowExW(0, L"STATIC", L"old", WS_CHILD, 0, 0, 50, 20, dialog, (HMENU)1001, nullptr, nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"keep", WS_CHILD, 0, 0, 50, 20, dialog, (HMENU)1002, nullptr, nullptr);
    CLocalizer localizer(file);
    localizer.LocalizeDlgItem(1001, &dialog);
    localizer.LocalizeDlgItem(1002, &dialog);
    EXPECT_EQ(CString(L"First\nSecond"), CWnd(first).GetWindowText());
    EXPECT_EQ(CString(L"keep"), CWnd(other).GetWindowText());
    dialog.DestroyWindow();
}

TEST(CLocalizer, LanguageFilesAreListedByTitle)
{
    CTestFolder folder(L"lang");
    CreateDirectoryW(folder.Path(L"Language"), nullptr);
    folder.Write(L"Language\\DE.ini", "[Prefector]\r\nTitle=Deutsch\r\n");
    folder.Write(L"Language\\WCMD_X.ini", "[Prefector]\r\n504=x\r\n");
    struct
    {
        CString current;
        int selected;
    } cases[] = {
        { folder.Path(L"LANGUAGE\\DE.ini"), 1 },
        { folder.Path(L"language\\wcmd_x.INI"), 2 },
        { L"", 0 },
        { folder.Path(L"Language\\..\\LANGUAGE\\de.ini"), 1 },
        // A file elsewhere, readable or not, is listed last and chosen.
        { folder.Write(L"Deutsch.ini", "[Prefector]\r\nTitle=Deutsch (Host)\r\n"), 3 },
        { folder.Path(L"LANGUAGE\\FR.ini"), 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        CArray<CLanguageEntry, const CLanguageEntry&> entries;
        EXPECT_EQ(c.selected, BuildLanguageList(folder.Path(), L"Default (English)", c.current, entries));
        ASSERT_EQ(c.selected == 3 ? 4 : 3, entries.GetSize());
        if (c.selected == 3) {
            EXPECT_EQ(c.current, entries[3].path);
            EXPECT_EQ(CString(c.current.Right(6) == L"FR.ini" ? L"FR <FR.ini>" : L"Deutsch (Host) <Deutsch.ini>"),
                      entries[3].text);
        }
        EXPECT_EQ(CString(L"Default (English)"), entries[0].text);
        EXPECT_TRUE(entries[0].path.IsEmpty());
        EXPECT_EQ(CString(L"Deutsch <DE.ini>"), entries[1].text);
        EXPECT_EQ(folder.Path(L"LANGUAGE\\DE.ini"), entries[1].path);
        EXPECT_EQ(CString(L"WCMD_X <WCMD_X.ini>"), entries[2].text);
    }
}

} // namespace
