// The icon a folder's "desktop.ini" names: key order by Windows version,
// relative files, network folders, disconnected drives, resource ids.
#include <gtest/gtest.h>
#include <string>
#include "DesktopIni.h"
#include "RuleDecorations.h"
#include "TestFiles.h"

namespace {

bool g_down = false;
bool FakeDisconnected(LPCWSTR) { return g_down; }

} // namespace

TEST(DesktopIni, IconSources)
{
    CTempFolder folder(L"dini");
    std::wstring f = folder.Path();
    struct Case {
        const char* ini;
        bool resourceFirst;
        bool skip, down;
        const wchar_t* file; // relative to the folder when led by "+"; null: none
        int index;
    } cases[] = {
        {"IconResource=icons.dll,-5\nIconFile=other.ico\nIconIndex=2\n", true, false, false, L"+icons.dll", -5},
        {"IconResource=icons.dll,-5\nIconFile=other.ico\nIconIndex=2\n", false, false, false, L"+other.ico", 2},
        {"IconFile=C:\\x\\a.ico\n", true, false, false, L"C:\\x\\a.ico", 0},
        {"IconResource=\\\\srv\\i.dll,3\n", true, false, false, L"\\\\srv\\i.dll", 3},
        {"IconResource=a,b.dll,7\n", true, false, false, L"+a,b.dll", 7},
        {"InfoTip=none\n", true, false, false, nullptr, 0},
        {"IconFile=a.ico\n", true, true, true, nullptr, 0},   // drive known to be down
        {"IconFile=a.ico\n", true, true, false, L"+a.ico", 0}, // not known to be down
        {"IconFile=a.ico\n", true, false, true, L"+a.ico", 0}, // not asked
    };
    for (const Case& c : cases) {
        WriteText(folder.File(L"desktop.ini"), (std::string("[.ShellClassInfo]\n") + c.ini).c_str());
        CDesktopIniOptions options;
        options.iconResourceFirst = c.resourceFirst;
        options.skipDisconnected = c.skip;
        options.disconnected = FakeDisconnected;
        g_down = c.down;
        CString file;
        int index = 99;
        bool found = DesktopIniIconSource(f.c_str(), options, file, index);
        ASSERT_EQ(c.file != nullptr, found) << c.ini;
        if (!found)
            continue;
        std::wstring expected = c.file[0] == L'+' ? f + L"\\" + (c.file + 1) : c.file;
        EXPECT_EQ(CString(expected.c_str()), file) << c.ini;
        EXPECT_EQ(c.index, index) << c.ini;
    }
    CString file;
    int index = 0;
    EXPECT_FALSE(DesktopIniIconSource(L"\\\\srv\\share", CDesktopIniOptions(), file, index));
    // A plug-in or FTP folder ("\pub\x") is on no drive: not read, even when
    // the current drive holds such a folder with a "desktop.ini".
    WCHAR current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryW(f.c_str()));
    EXPECT_TRUE(DesktopIniIconSource(f.c_str(), CDesktopIniOptions(), file, index));
    EXPECT_FALSE(DesktopIniIconSource(f.substr(2).c_str(), CDesktopIniOptions(), file, index));
    SetCurrentDirectoryW(current);
}

TEST(DesktopIni, ResourceIdGivesASmallIcon)
{
    CTempFolder folder(L"dinires");
    WriteText(folder.File(L"desktop.ini"), "[.ShellClassInfo]\nIconResource=%SystemRoot%\\system32\\shell32.dll,-4\n");
    HICON icon = DesktopIniIcon(folder.Path().c_str(), CDesktopIniOptions(), nullptr);
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), bitmap.bmWidth);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
}

TEST(DesktopIni, TabDecorationChoice)
{
    CTempFolder folder(L"dinitab");
    std::wstring f = folder.Path();
    WriteText(folder.File(L"desktop.ini"), "[.ShellClassInfo]\nIconResource=%SystemRoot%\\system32\\shell32.dll,-4\n");
    std::string settings = "[AutoView]\nWithIcon=?" + std::string(f.begin(), f.end()) +
                           "\nPlain=?*\n[WithIcon]\nTabIcon=%SystemRoot%\\system32\\shell32.dll,3\nTabColor=#0000FF\n";
    WriteText(folder.File(L"Merovin.ini"), settings.c_str());
    PrivateExtractIconsProc extract =
        (PrivateExtractIconsProc)GetProcAddress(GetModuleHandleW(L"user32.dll"), "PrivateExtractIconsW");
    CFolderRules rules;
    ASSERT_EQ(2, rules.Read(folder.File(L"Merovin.ini").c_str(), L"", extract));
    ASSERT_NE(nullptr, rules.Rule(0).tabIcon);

    enum { None, RuleIcon, IniIcon };
    struct Case {
        int rule;
        bool useDesktopIni, overrideVisualMode;
        int icon;
        COLORREF colour;
    } cases[] = {
        {0, false, false, RuleIcon, 0xFF0000}, {0, true, false, RuleIcon, 0xFF0000},
        {0, true, true, IniIcon, 0xFF0000},    {0, false, true, RuleIcon, 0xFF0000},
        {1, false, false, None, TabNoColor},   {1, true, false, IniIcon, TabNoColor},
        {-1, true, false, IniIcon, TabNoColor}, {-1, false, false, None, TabNoColor},
    };
    for (const Case& c : cases) {
        CDecorationOptions options;
        options.useDesktopIni = c.useDesktopIni;
        options.overrideVisualMode = c.overrideVisualMode;
        options.extract = extract;
        TabDecoration d = ChooseTabDecoration(rules, c.rule, f.c_str(), options);
        SCOPED_TRACE(testing::Message() << c.rule << c.useDesktopIni << c.overrideVisualMode);
        EXPECT_EQ(c.colour, d.colour);
        EXPECT_EQ(c.icon == IniIcon, d.iconOwned);
        if (c.icon == RuleIcon) {
            EXPECT_EQ(rules.Rule(0).tabIcon, d.icon);
        } else if (c.icon == None) {
            EXPECT_EQ(nullptr, d.icon);
        }
        if (d.iconOwned)
            DestroyIcon(d.icon);
    }
}
