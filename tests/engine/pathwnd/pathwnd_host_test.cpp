// Folder changes in the stand-in host with the engine loaded: each change
// applies the folder's rule once (view, sort, the autorun list in order),
// custom views by title, "KeepScope", the modules' path notices, the sticky
// order in both of the host's orders of refill and path text, and
// UseFileGrouping switching the list to the host's order and back, the
// middle click opening the engine menu below its bar, and what the tab and
// the list show: icons by rule and "desktop.ini", the rule's background.
#include <gtest/gtest.h>
#include "ModuleHostFixture.h"
#include "DrawnRows.h"
#include "TestFiles.h"

namespace {

const char Rules[] =
    "AutoView=1\r\nKeepScope=1\r\nStickyFiles=1\r\nCheckCloseTC=0\r\n"
    "[Keyboard]\r\nUseFileGrouping=Ctrl+F9\r\n"
    "[PluginList]\r\nTestMod=TestMod.dll\r\n"
    "[AutoView]\r\nPhotos=?*\\PHOTOS*|^*\\PHOTOS\\RAW*\r\nCustom=?*\\CUSTOM\r\nOdd=?*\\ODD\r\n"
    "[Photos]\r\nView=Brief\r\nSort=3\r\nAutorunCmd=em_One|em_Two\r\nFileGroups=*.jpg\r\n"
    "[Custom]\r\nView=Photos\r\n"
    "[Odd]\r\nView=NoSuchView\r\nSort=2\r\n";

// Shows a left folder the host's "CD" way; the host's log lines of it.
std::vector<CHostLogEntry> ShowLeftFolder(CHostDriver& host, const std::wstring& name)
{
    size_t mark = host.LogMark();
    std::string bytes = "\xEF\xBB\xBF" + Narrow(host.DataDir(0) + L"\\" + name);
    bytes.append("\r\0\0", 3); // the left path, no flags
    COPYDATASTRUCT data = {CopyDataChangePath, (DWORD)bytes.size(), &bytes[0]};
    SendMessageW(host.Main(), WM_COPYDATA, 0, (LPARAM)&data);
    host.Flush();
    return host.LogSince(mark);
}

class PathWindowsInHost : public ModulesInHost, public ::testing::WithParamInterface<bool> {
protected:
    void StartRules()
    {
        std::vector<std::wstring> args = {L"--tabs=both"};
        if (GetParam())
            args.push_back(L"--refill-first");
        CHostSetup setup = EngineHostSetup(std::string("[Config]\r\nUseLLHook=0\r\n") + Rules, args);
        setup.homeFiles[L"wincmd.ini"] = "[CustomFields]\r\nTitles=A|B|Photos\r\n";
        setup.leftFiles = {L"Photos\\a.txt", L"Photos\\b.jpg", L"Photos\\2020\\", L"Photos\\RAW\\",
                           L"Custom\\", L"Odd\\", L"Plain\\a.txt", L"Plain\\z.txt"};
        setup.pluginFiles.push_back(BinFile(L"TestMod64.dll"));
        setup.pluginTexts[L"TestMod64.ini"] = "[Module]\r\nFlags=16\r\nLogFile=" + Narrow(m_logFile) + "\r\n";
        ASSERT_TRUE(m_host.Start(setup)) << m_host.LastError();
        std::wstring folder = m_host.DataDir(0) + L"\\Plain";
        WriteText(m_host.PluginDir() + L"\\Merovin.stk", ("[" + Narrow(folder) + "]\r\n1=z.txt\r\n").c_str());
        ASSERT_TRUE(WaitFor(5000, [&] { return CallsOf(L"TestMod64", L"Process").size() >= 2; }));
    }
    // Shows a left folder the host's "CD" way; the commands the host
    // received then (host numbers, "em_" names) and the module's notices.
    std::vector<std::wstring> ChangeTo(const std::wstring& name, size_t& notices)
    {
        size_t before = CallsOf(L"TestMod64", L"Process").size();
        std::vector<std::wstring> seen;
        for (const CHostLogEntry& e : ShowLeftFolder(m_host, name))
            if (e.m_kind == L"cmd")
                seen.push_back(std::to_wstring(e.Int(L"n")));
            else if (e.m_kind == L"copydata" && e.Has(L"name"))
                seen.push_back(e.Get(L"name"));
        notices = CallsOf(L"TestMod64", L"Process").size() - before;
        return seen;
    }
};

} // namespace

TEST_P(PathWindowsInHost, EachFolderChangeAppliesItsRuleOnce)
{
    StartRules();
    typedef std::vector<std::wstring> Seen;
    struct Step {
        const wchar_t* folder;
        Seen seen;
        size_t notices;
    } steps[] = {
        {L"Photos", {L"101", L"125", L"6203", L"em_One", L"em_Two"}, 1},
        {L"Photos", {}, 0},                  // the same folder again
        {L"PHOTOS", {}, 0},                  // letter case only
        {L"Photos\\2020", {}, 1},            // the same rule stays in scope
        {L"Photos\\RAW", {}, 1},             // excluded: no rule
        {L"Custom", {L"73"}, 1},             // third custom title
        {L"Odd", {L"125", L"6202"}, 1},      // no such view: the sort only
        {L"Plain", {}, 1},
    };
    for (const Step& step : steps) {
        size_t notices = 0;
        // The autorun names follow the view and sort commands.
        EXPECT_EQ(step.seen, ChangeTo(step.folder, notices)) << step.folder;
        EXPECT_EQ(step.notices, notices) << step.folder;
    }
    std::vector<std::wstring> names;
    for (const CHostLogEntry& e : m_host.LogSince(0, L"copydata"))
        if (e.Has(L"name"))
            names.push_back(e.Get(L"name"));
    EXPECT_EQ((std::vector<std::wstring>{L"em_One", L"em_Two"}), names);

    // Plain's sticky name leads whichever the host did first.
    HWND list = m_host.Query(1);
    std::map<int, std::wstring> rows = DrawnRows(m_host, list);
    EXPECT_EQ(L"z.txt", rows[1]);
    EXPECT_EQ(L"a.txt", rows[2]);

    // Photos groups *.jpg first; UseFileGrouping gives the host's order and back.
    size_t notices = 0;
    ChangeTo(L"Photos", notices);
    const std::wstring grouped[] = {L"b.jpg", L"a.txt"}, host[] = {L"a.txt", L"b.jpg"};
    for (const std::wstring* expected : {grouped, host, grouped}) {
        rows = DrawnRows(m_host, list);
        EXPECT_EQ(expected[0], rows[3]);
        EXPECT_EQ(expected[1], rows[4]);
        ASSERT_TRUE(m_host.Focus(list));
        ASSERT_TRUE(m_host.Chord({VK_LCONTROL}, VK_F9));
    }
}

// A middle click on a path bar opens the engine menu of that side, just
// below the bar.
TEST_P(PathWindowsInHost, MiddleClickOpensTheEngineMenuBelowItsBar)
{
    if (GetParam())
        GTEST_SKIP() << "the host's order of refill and path text plays no part";
    StartRules();
    LONG lefts[2] = {};
    for (int code : {9, 10}) { // the left and right path bars
        HWND bar = m_host.Query(code);
        ASSERT_TRUE(bar);
        RECT area;
        GetWindowRect(bar, &area);
        PostMessageW(bar, WM_MBUTTONUP, 0, MAKELPARAM(6, 4));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor(5000, [&] { return (menu = OpenMenu(m_host.ThreadId())) != nullptr; })) << code;
        RECT shown;
        GetWindowRect(menu, &shown);
        EXPECT_GE(shown.top, area.bottom) << code;
        lefts[code - 9] = shown.left;
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitFor(5000, [&] { return OpenMenu(m_host.ThreadId()) == nullptr; })) << code;
    }
    EXPECT_LT(lefts[0], lefts[1]); // each at its own bar
}

INSTANTIATE_TEST_SUITE_P(HostOrders, PathWindowsInHost, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "RefillThenPathText" : "PathTextThenRefill";
                         });

namespace {

// Body colours of three icons of the drive icon library: the rule's (by
// position 0), resource id 4 and position 5.
const COLORREF RuleIcon = RGB(90, 110, 140), ResourceIcon = RGB(60, 150, 90), FileIcon = RGB(80, 80, 90);
const COLORREF RuleBack = RGB(0xD6, 0xF4, 0xFF);

class RuleDecorationsInHost : public ModulesInHost, public ::testing::WithParamInterface<bool> {
protected:
    // Which of the three icons the left tab shows (0: none).
    COLORREF TabIcon()
    {
        COLORREF shown = 0;
        for (COLORREF icon : {RuleIcon, ResourceIcon, FileIcon})
            if (m_host.ColourCount(m_host.Query(26), icon) >= 40)
                shown = shown ? CLR_INVALID : icon;
        return shown;
    }
};

} // namespace

// A folder change decorates the tab through the 200 ms timer: the rule's icon,
// or the "desktop.ini" one ("IconResource" before "IconFile", a negative index
// a resource id) as "OverrideVisualMode" decides; the rule's folders get its
// background colour.
TEST_P(RuleDecorationsInHost, TabIconAndListColourFollowTheFolder)
{
    std::string icons = Narrow(BinFile(L"mvdl.icl"));
    std::string settings = std::string("AutoView=1\r\nUseDesktopINI=1\r\nCheckCloseTC=0\r\nOverrideVisualMode=") +
                           (GetParam() ? "1" : "0") + "\r\n[AutoView]\r\nGreen=?*\\GREEN*\r\n[Green]\r\nView=Brief\r\n" +
                           "TabIcon=" + icons + ",0\r\nBkgColor=#D6F4FF\r\n";
    CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\n" + settings, {L"--tabs=both"});
    setup.leftFiles = {L"Green\\a.txt", L"GreenBare\\", L"Both\\", L"FileOnly\\", L"Plain\\"};
    ASSERT_TRUE(m_host.Start(setup)) << m_host.LastError();
    const std::string both = "IconResource=" + icons + ",-4\r\nIconFile=" + icons + "\r\nIconIndex=5\r\n";
    for (const auto& ini : std::map<std::wstring, std::string>{
             {L"Green", both}, {L"Both", both}, {L"FileOnly", "IconFile=" + icons + "\r\nIconIndex=5\r\n"}})
        WriteText(m_host.DataDir(0) + L"\\" + ini.first + L"\\desktop.ini",
                  ("[.ShellClassInfo]\r\n" + ini.second).c_str());

    struct Row {
        const wchar_t* folder;
        COLORREF icon, overridden; // without and with "OverrideVisualMode"
        bool ruleBack;
    } rows[] = {
        {L"Green", RuleIcon, ResourceIcon, true},
        {L"GreenBare", RuleIcon, 0, true}, // the rule's, no "desktop.ini"
        {L"Both", ResourceIcon, ResourceIcon, false},
        {L"FileOnly", FileIcon, FileIcon, false},
        {L"Plain", 0, 0, false},
    };
    HWND list = m_host.Query(1);
    COLORREF before = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        COLORREF icon = GetParam() ? row.overridden : row.icon;
        DWORD start = GetTickCount();
        ShowLeftFolder(m_host, row.folder);
        COLORREF early = TabIcon();
        if (icon != before && GetTickCount() - start < 150) {
            EXPECT_EQ(before, early); // the timer has not fired yet
        }
        EXPECT_TRUE(WaitFor(3000, [&] { return TabIcon() == icon; })) << TabIcon();
        int back = m_host.ColourCount(list, RuleBack);
        EXPECT_EQ(row.ruleBack, back > 1000) << back;
        before = icon;
    }
}

INSTANTIATE_TEST_SUITE_P(VisualMode, RuleDecorationsInHost, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "OverrideVisualMode" : "RuleIconFirst";
                         });
