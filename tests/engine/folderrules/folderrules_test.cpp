// Folder rules: matching order and pattern kinds, the engine's defaults, the
// view and sort commands, pictures relative to a folder and long key lists.
#include <gtest/gtest.h>
#include <string>
#include "FolderRules.h"
#include "TestFiles.h"

namespace {

struct CRulesFixture {
    CTempFolder folder{L"rules"};
    CFolderRules rules;
    explicit CRulesFixture(const char* settings, const char* hostIni = "")
    {
        WriteText(folder.File(L"Merovin.ini"), settings);
        WriteText(folder.File(L"wincmd.ini"), hostIni);
        rules.Read(folder.File(L"Merovin.ini").c_str(), folder.File(L"wincmd.ini").c_str(), nullptr);
    }
};

} // namespace

TEST(FolderRules, FirstActiveMatchingRuleWins)
{
    CRulesFixture f("[AutoView]\nPhotos=?*\\PHOTOS*|^*\\PHOTOS\\RAW*\nOnlyNot=!C:\\*\nOff=?C:\\OFF*\n"
                    "Empty=\nDocs=?*\\docs|?*\\docs\\*\nSecond=?*\\docs*\nDead=X*|?C:\\DEAD\n"
                    "[Off]\nActive=0\n");
    ASSERT_EQ(7, f.rules.Count());
    struct Case {
        const wchar_t* folder;
        int rule;
    } cases[] = {
        {L"C:\\PHOTOS\\2020", 0}, {L"c:\\photos\\2020", 0}, {L"C:\\PHOTOS\\RAW", -1},
        {L"C:\\anything", -1},    {L"C:\\OFF\\x", -1},      {L"D:\\DOCS", 4},
        {L"d:\\docs\\a", 4},      {L"D:\\docsX", 5},        {L"C:\\DEAD", 6},
        {L"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule, f.rules.FindFolderRule(c.folder)) << c.folder;
}

TEST(FolderRules, DefaultsAndViewCommands)
{
    CRulesFixture f("[AutoView]\nPlain=?A*\nPhotos=?B*\nSorted=?C*\nThumbs=?D*\nBr=?E*\nMine=?F*\n"
                    "Run=?G*\nGroup=?H*\n"
                    "[Sorted]\nView=brief\nSort=3\nBkgColor=#102030\nTabColor=FF0000\n"
                    "[Thumbs]\nView=Thumbnails\n[Br]\nView=Branch\n[Mine]\nView=Mine\nSort=2\n"
                    "[Run]\nAutorunCmd=em_Foo|cm_Bar\n[Group]\nFileGroups=*.txt\n",
                    "[CustomFields]\nTitles=A|B|Photos\n");
    const FolderRule& plain = f.rules.Rule(0);
    EXPECT_EQ(CString(L"Plain"), plain.viewName);
    EXPECT_EQ(6, plain.viewKind);
    EXPECT_EQ(0x80000000u, plain.backColor);
    EXPECT_EQ(0xFF000000u, plain.tabColor);
    EXPECT_EQ(1, plain.active);
    EXPECT_EQ(0, plain.autorun);
    EXPECT_EQ(0, plain.grouping);
    EXPECT_EQ(0x302010u, f.rules.Rule(2).backColor);
    EXPECT_EQ(0x0000FFu, f.rules.Rule(2).tabColor);
    EXPECT_EQ(1, f.rules.Rule(6).autorun);
    EXPECT_EQ(CString(L"*.txt"), f.rules.Rule(7).groupMasks);
    EXPECT_TRUE(f.rules.AnyGrouping());

    struct Case {
        int rule;
        std::vector<UINT> left, right;
    } cases[] = {
        {0, {}, {}},                               // custom name that is no title
        {1, {73}, {173}},                          // the third custom view
        {2, {101, 125, 6203}, {201, 225, 6303}},
        {3, {69}, {169}},
        {4, {2034}, {2035}},
        {5, {125, 6202}, {225, 6302}},             // no view command, the sort still
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.left, f.rules.ViewCommands(c.rule, 0)) << c.rule;
        EXPECT_EQ(c.right, f.rules.ViewCommands(c.rule, 1)) << c.rule;
    }
}

TEST(FolderRules, PicturesRelativeToTheFolder)
{
    CTempFolder root(L"pics");
    std::wstring r = root.Path();
    CreateDirectoryW((r + L"\\R").c_str(), nullptr);
    CreateDirectoryW((r + L"\\R\\a").c_str(), nullptr);
    CreateDirectoryW((r + L"\\R\\a\\b").c_str(), nullptr);
    WriteText(r + L"\\R\\bg.bmp", "x");
    std::string settings = "[AutoView]\nR=?" + std::string(r.begin(), r.end()) + "\\R*\n";
    CRulesFixture f(settings.c_str());
    std::wstring deep = r + L"\\R\\a\\b";
    EXPECT_EQ(CString((r + L"\\R\\bg.bmp").c_str()), f.rules.ResolveRulePicture(L".\\bg.bmp", 0, deep.c_str()));
    EXPECT_EQ(CString(), f.rules.ResolveRulePicture(L".\\none.bmp", 0, deep.c_str()));
    EXPECT_EQ(CString(), f.rules.ResolveRulePicture(L".\\bg.bmp", 0, r.c_str())); // the root does not match the rule

    std::wstring rooted = r.substr(2) + L"\\R\\bg.bmp"; // the same file from the drive's root
    EXPECT_EQ(CString((r.substr(0, 2) + rooted).c_str()), f.rules.ResolveRulePicture(rooted.c_str(), 0, deep.c_str()));
    EXPECT_EQ(CString(L"D:\\x.bmp"), f.rules.ResolveRulePicture(L"D:\\x.bmp", 0, deep.c_str()));
    EXPECT_EQ(CString(L"\\\\srv\\x.bmp"), f.rules.ResolveRulePicture(L"\\\\srv\\x.bmp", 0, deep.c_str()));
}

TEST(FolderRules, LongKeyLists)
{
    struct Case {
        int rules;
        int expected;
    } cases[] = {{200, 200}, {2000, 0}}; // 2000 keys pass 32767 characters
    for (const Case& c : cases) {
        std::string text = "[AutoView]\n";
        for (int i = 0; i < c.rules; ++i)
            text += "RuleNumber" + std::to_string(100000 + i) + "=?C:\\X" + std::to_string(i) + "\n";
        CRulesFixture f(text.c_str());
        EXPECT_EQ(c.expected, f.rules.Count()) << c.rules;
    }
}
