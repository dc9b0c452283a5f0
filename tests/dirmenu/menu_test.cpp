// Menus built from the host's hotlist, the module's snippet sections and the
// host sections they name, and the section each control kind gets.
#include "PathfanFixture.h"
#include "MenuBuilder.h"
#include "MenuItems.h"
#include "IniSection.h"

namespace {

const wchar_t* const HotlistMenu = L"Work#1|-|Sub>[Docs#3|Net#4]";

class PathfanMenuTest : public PathfanFixture
{
protected:
    std::wstring Hotlist(const std::wstring& hostIni)
    {
        CMenuBuilder builder(m_pathfan.GetSettingsFile(), hostIni.c_str());
        CPopupMenu menu;
        builder.AddHotlistItems(menu.GetHandle(), 1, 1);
        return DumpMenu(menu.GetHandle());
    }
    // The menu command 2 shows for an edit of `editClass` in `parentClass`.
    std::wstring SnippetMenu(LPCWSTR editClass, LPCWSTR parentClass)
    {
        EditRequest request = Request(MakeEdit(editClass, parentClass), L"", 0, 0);
        m_services.menus.clear();
        EXPECT_EQ(2, m_pathfan.Process(&request, 2));
        return m_services.menus.empty() ? L"(none)" : m_services.menus.back();
    }
};

TEST_F(PathfanMenuTest, HotlistEntriesSubmenusAndSeparators)
{
    WriteFixtures();
    EXPECT_EQ(HotlistMenu, Hotlist(m_hostIni));

    // The items carry their paths, environment variables expanded.
    CMenuBuilder builder(m_pathfan.GetSettingsFile(), m_hostIni.c_str());
    CPopupMenu menu;
    EXPECT_EQ(4u, builder.AddHotlistItems(menu.GetHandle(), 1, 1));
    CString text;
    bool hasText = false;
    ASSERT_TRUE(FindMenuItemById(menu.GetHandle(), 3, text, hasText));
    WCHAR expected[MAX_PATH];
    ExpandEnvironmentStringsW(L"%USERPROFILE%\\Documents", expected, MAX_PATH);
    EXPECT_STREQ(expected, text);
    ASSERT_TRUE(FindMenuItemById(menu.GetHandle(), 4, text, hasText));
    EXPECT_STREQ(L"\\\\server\\share", text);
    EXPECT_FALSE(FindMenuItemById(menu.GetHandle(), 2, text, hasText));

    // A leading separator, repeated separators and a list of only separators.
    std::wstring host = m_folder.Write(L"seps.ini",
        L"[DirMenu]\nmenu1=-\nmenu2=-\nmenu3=A\ncmd3=CD c:\\a\nmenu4=-\nmenu5=-\n"
        L"menu6=B\ncmd6=cd d:\\b\n");
    EXPECT_EQ(L"-|A#1|-|B#2", Hotlist(host));
    EXPECT_EQ(L"", Hotlist(m_folder.Write(L"none.ini", L"[DirMenu]\nmenu1=-\n")));
}

TEST_F(PathfanMenuTest, HotlistFollowsTheHostsRedirections)
{
    WriteFixtures();
    // The section moved to the alternate user INI.
    std::wstring alternate = m_folder.Write(L"alt.ini", HotlistFixture);
    std::wstring main = m_folder.Write(L"main1.ini",
        L"[Configuration]\nAlternateUserIni=" + alternate + L"\n"
        L"[FileSystemPlugins]\nMainFS=x\n[Alias]\nmainAlias=y\n");
    EXPECT_EQ(HotlistMenu, Hotlist(main));

    // The section redirected to a file of its own, named host-relative.
    m_folder.Write(L"r.ini", L"[DirMenu]\nmenu1=Only\ncmd1=cd e:\\only\n");
    std::wstring redirected = m_folder.Write(L"main2.ini",
        L"[DirMenu]\nRedirectSection=%COMMANDER_PATH%\\r.ini\nmenu1=Main\ncmd1=cd c:\\main\n");
    EXPECT_EQ(L"Only#1", Hotlist(redirected));

    // Host sections of "$sec(": a fixed section stays in the main INI, the
    // others follow the alternate file.
    m_folder.Write(L"alt.ini", L"[FileSystemPlugins]\nAltFS=z\n[Alias]\naltAlias=w\n");
    m_folder.Write(L"TCPathfan.ini", L"[Menu]\nF=$sec(FileSystemPlugins)\nA=$sec(Alias)\n");
    CMenuBuilder builder(m_pathfan.GetSettingsFile(), main.c_str());
    CPopupMenu menu;
    builder.BuildMenuFromSection(menu.GetHandle(), L"Menu", 1);
    EXPECT_EQ(L"F>[MainFS#2]|A>[altAlias#4]", DumpMenu(menu.GetHandle()));
}

TEST_F(PathfanMenuTest, SnippetSectionsWithSubmenusAndSeparators)
{
    WriteFixtures();
    CMenuBuilder builder(m_pathfan.GetSettingsFile(), m_hostIni.c_str());
    CPopupMenu menu;
    EXPECT_EQ(9u, builder.BuildMenuFromSection(menu.GetHandle(), L"Menu", 1));
    EXPECT_EQ(L"Plain#1|-|-|($sub)#4|Nested>[A#6|Deeper>[B#8]]|Last#9", DumpMenu(menu.GetHandle()));

    // A section that names itself is not opened inside itself.
    m_folder.Write(L"TCPathfan.ini", L"[Menu]\nX=x\nLoop=$sub(Menu)\n");
    CPopupMenu loop;
    builder.BuildMenuFromSection(loop.GetHandle(), L"Menu", 1);
    EXPECT_EQ(L"X#1|($sub)#2", DumpMenu(loop.GetHandle()));
}

TEST_F(PathfanMenuTest, HostSectionsAndSectionLists)
{
    WriteFixtures();
    CMenuBuilder builder(m_pathfan.GetSettingsFile(), m_hostIni.c_str());
    CPopupMenu menu;
    builder.BuildMenuFromSection(menu.GetHandle(), L"ToolbarMenu", 1);
    EXPECT_EQ(L"Alias>[ll\tdir /w#2|gg\tgit status#3]|Found>[a#5|b#6]|Sec1>[a#8|b#9]|"
              L"Sec2>[r1#11|r2#12]|Sec3>[s#14]|Sec4>[dir#16|cls#18]|Sec5>[ll#20|gg#21]|"
              L"Sec6>[Work#23|-|Sub>[Docs#25|Net#26]]|Bad>[]|Other>[v1#30]",
              DumpMenu(menu.GetHandle()));
    EXPECT_FALSE(builder.IsHotlistItem(22));
    EXPECT_TRUE(builder.IsHotlistItem(23));
    EXPECT_TRUE(builder.IsHotlistItem(26));
    EXPECT_FALSE(builder.IsHotlistItem(27));

    // Item texts: data kind 2 the value, 1 the name.
    CString text;
    bool hasText = false;
    ASSERT_TRUE(FindMenuItemById(menu.GetHandle(), 3, text, hasText));
    EXPECT_STREQ(L"git status", text);
    ASSERT_TRUE(FindMenuItemById(menu.GetHandle(), 5, text, hasText));
    EXPECT_STREQ(L"a", text);
    ASSERT_TRUE(FindMenuItemById(menu.GetHandle(), 30, text, hasText));
    EXPECT_STREQ(L"k1", text);
}

// The section read once gives the values the profile functions give key by key.
TEST_F(PathfanMenuTest, SectionValuesMatchTheProfileFunctions)
{
    std::wstring file = m_folder.Write(L"values.ini",
        L"[S]\nplain=a b\n  spaced  =  x y  \nquoted=\"q r\"\nsingle='s'\nhalf=\"open\n"
        L"dup=first\nDUP=second\nnoequals\nempty=\nlong=" + std::wstring(1500, L'l') + L"\n");
    CIniSection section(IniValueLength);
    section.Load(L"S", file.c_str());
    ASSERT_EQ(9, section.KeyCount()); // "noequals" is no key
    for (int i = 0; i < section.KeyCount(); ++i) {
        WCHAR expected[IniValueLength] = {};
        GetPrivateProfileStringW(L"S", section.Key(i), L"", expected, IniValueLength, file.c_str());
        EXPECT_STREQ(expected, section.Text(i)) << (LPCWSTR)section.Key(i);
    }
    EXPECT_STREQ(L"first", section.Text(L"Dup"));
    EXPECT_STREQ(L"", section.Text(L"missing"));
}

TEST_F(PathfanMenuTest, SwatArgumentsAndPatterns)
{
    SwatArgs args;
    ASSERT_TRUE(ParseSwatArgs(L"Alias)", args));
    EXPECT_STREQ(L"Alias", args.section);
    EXPECT_EQ(1, args.captionKind);
    EXPECT_EQ(2, args.dataKind);
    EXPECT_TRUE(args.pattern.IsEmpty());
    EXPECT_EQ(0, args.group);
    EXPECT_TRUE(args.iniFile.IsEmpty());
    ASSERT_TRUE(ParseSwatArgs(L"S,,,(a(b))x,2,f.ini) tail", args));
    EXPECT_EQ(1, args.captionKind);
    EXPECT_EQ(2, args.dataKind);
    EXPECT_STREQ(L"(a(b))x", args.pattern);
    EXPECT_EQ(2, args.group);
    EXPECT_STREQ(L"f.ini", args.iniFile);
    EXPECT_FALSE(ParseSwatArgs(L"S,1,1,(a", args));
    // Pinned: a comma inside the pattern splits it.
    ASSERT_TRUE(ParseSwatArgs(L"S,1,1,a{1,3},1)", args));
    EXPECT_STREQ(L"a{1", args.pattern);

    CString group;
    EXPECT_TRUE(RegexGroup(L"a_SearchFor", L"(.+)_SearchFor", 1, group));
    EXPECT_STREQ(L"a", group);
    EXPECT_TRUE(RegexGroup(L"xay", L"a", 3, group));
    EXPECT_STREQ(L"", group);
    EXPECT_FALSE(RegexGroup(L"abc", L"[z", 0, group));
    EXPECT_FALSE(RegexGroup(L"abc", L"(", 0, group));
}

TEST_F(PathfanMenuTest, SectionOfEachControlKind)
{
    WriteFixtures();
    const std::wstring general = L"Plain#1|-|-|($sub)#4|Nested>[A#6|Deeper>[B#8]]|Last#9";
    EXPECT_EQ(general, SnippetMenu(L"TMyMemo", L"TOtherForm"));
    // "UseMenu" names the section shown instead.
    EXPECT_EQ(L"O1#1|Hot>[Work#3|-|Sub>[Docs#5|Net#6]]", SnippetMenu(L"TAltEdit", L"TInpComboDlg"));
    EXPECT_EQ(L"Pack1#1|Pack2#2", SnippetMenu(L"TEdit", L"TDLGZIP"));
    // Missing ([CmdLineMenu]) and empty ([RenameMenu]) sections fall back to [Menu].
    HWND form = MakeWindow(L"TTOTAL_CMD", nullptr);
    m_tops.push_back(form);
    EditRequest commandLine = Request(MakeWindow(L"TEdit", MakeWindow(L"TMyPanel", form)), L"", 0, 0);
    EXPECT_EQ(2, m_pathfan.Process(&commandLine, 2));
    EXPECT_EQ(3, m_pathfan.GetLastKind());
    EXPECT_EQ(general, m_services.menus.back());
    EXPECT_EQ(general, SnippetMenu(L"TInEdit", L"TOtherForm"));
    EXPECT_EQ(0u, m_services.lastFlags & TPM_RIGHTBUTTON);

    // A section with no items shows no menu.
    WriteFixtures(L"[Menu]\nUseMenu=\n");
    EXPECT_EQ(L"(none)", SnippetMenu(L"TEdit", L"TOtherForm"));
}

} // namespace
