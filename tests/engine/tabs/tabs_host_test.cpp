// The folder tabs in the stand-in host with the engine loaded: a colour chosen
// in the popup follows the host's tab move and is saved at teardown, after a
// reload and after the tab control was recreated; ChronoTabs commits on the
// Shift release with either keyboard hook; the tab menu is sorted and its
// choice switches the host's tab; the wheel in a file list scrolls the strip.
#include <gtest/gtest.h>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include "TCProtocol.h"
#include <commctrl.h>

using namespace TCHost;

namespace {

// A visible top-level window of the host's process whose class starts with `prefix`.
HWND HostPopup(HWND main, const wchar_t* prefix)
{
    struct Find {
        DWORD pid;
        const wchar_t* prefix;
        HWND found;
    } find = {0, prefix, nullptr};
    GetWindowThreadProcessId(main, &find.pid);
    EnumWindows([](HWND w, LPARAM p) -> BOOL {
        auto* f = (Find*)p;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (pid == f->pid && IsWindowVisible(w) && !wcsncmp(name, f->prefix, wcslen(f->prefix))) {
            f->found = w;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&find);
    return find.found;
}

class HostTabs : public ::testing::TestWithParam<int> {
protected:
    bool Start(const std::string& config, const std::string& keyboard)
    {
        CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=" + std::to_string(GetParam()) + "\r\n" + config +
                                               "[Keyboard]\r\n" + keyboard,
                                           {L"--tabs=both"});
        setup.leftFiles = {L"a\\", L"b\\", L"c\\", L"x.txt", L"first long folder name\\",
                           L"second long folder name\\", L"third long folder name\\"};
        return m_host.Start(setup);
    }
    // Opens a folder of the left panel in a new tab, as the host's "CD" request does.
    void NewTab(const wchar_t* name)
    {
        std::wstring path = m_host.DataDir(0) + L"\\" + name;
        std::string bytes = "\xEF\xBB\xBF";
        char utf8[MAX_PATH * 3];
        int n = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
        bytes.append(utf8, n - 1);
        bytes.append("\r\0T", 4); // the left path, then the new-tab flag
        COPYDATASTRUCT data = {CopyDataChangePath, (DWORD)bytes.size(), &bytes[0]};
        SendMessageW(m_host.Main(), WM_COPYDATA, 0, (LPARAM)&data);
    }
    std::wstring SavedColour(const wchar_t* key) const
    {
        wchar_t value[32] = {};
        GetPrivateProfileStringW(L"LeftTabColors", key, L"", value, 32, (m_host.PluginDir() + L"\\Merovin.ini").c_str());
        return value;
    }
    CHostDriver m_host;
};

} // namespace

TEST_P(HostTabs, ChosenColourFollowsTheMoveAndIsSavedAcrossReloadAndRecreation)
{
    ASSERT_TRUE(Start("KeepTabColors=1\r\n", "SelectTabColor=Ctrl+F11\r\n")) << m_host.LastError();
    NewTab(L"a");
    NewTab(L"b");
    NewTab(L"c"); // tabs: left, a, b, c; c is current
    ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    ASSERT_TRUE(m_host.Chord({VK_LCONTROL}, VK_F11));
    HWND popup = nullptr;
    ASSERT_TRUE(WaitFor(3000, [&] { return (popup = HostPopup(m_host.Main(), L"FwWnd.")) != nullptr; }));
    // From the default box to box 0, then on to red (16).
    for (int i = 0; i < 17; ++i)
        PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitFor(3000, [&] { return !IsWindow(popup); }));
    ASSERT_EQ(1, SendMessageW(m_host.Main(), MsgMoveTab, MAKEWPARAM(0, 0), MAKELPARAM(3, 0)));
    ASSERT_TRUE(m_host.Flush());

    struct { const wchar_t* what; std::function<void()> act; } rounds[] = {
        {L"teardown", [] {}},
        {L"reload", [&] { ASSERT_TRUE(m_host.LoadPlugin()); }},
        {L"recreated control", [&] {
             ASSERT_TRUE(m_host.LoadPlugin());
             Sleep(500); // attached
             ASSERT_TRUE(m_host.Recreate(0, RecreateTabs));
             ASSERT_TRUE(m_host.Flush());
         }},
    };
    for (auto& round : rounds) {
        round.act();
        Sleep(300); // the engine attaches by timer
        m_host.UnloadPlugin(); // the engine tears down; it frees itself a little later
        EXPECT_EQ(L"#FF0000", SavedColour(L"L0")) << round.what;
        EXPECT_EQ(L"", SavedColour(L"L3")) << round.what;
        Sleep(300);
    }
}

TEST_P(HostTabs, ChronoTabsCommitsOnShiftReleaseAndTheTabMenuIsSorted)
{
    ASSERT_TRUE(Start("TabsToFav=1\r\nSortTabList=1\r\n",
                      "ChronoTabs=Shift+F12\r\nShowTabListLeft=Ctrl+F10\r\n")) << m_host.LastError();
    NewTab(L"b");
    NewTab(L"a"); // tabs: left, b, a; a is current
    ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    size_t mark = m_host.LogMark();
    ASSERT_TRUE(m_host.Chord({VK_LSHIFT}, VK_F12));
    ASSERT_TRUE(m_host.Flush());
    EXPECT_EQ(std::vector<long long>{5002}, Commands(m_host.LogSince(mark)));
    HWND tabs = m_host.Query(26);
    EXPECT_EQ(1, SendMessageW(tabs, TCM_GETCURSEL, 0, 0));

    // Sorted: a (id 3), b (2), left (1); Down, Enter takes the first.
    ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    mark = m_host.LogMark();
    ASSERT_TRUE(m_host.Chord({VK_LCONTROL}, VK_F10));
    ASSERT_TRUE(WaitFor(3000, [&] { return HostPopup(m_host.Main(), L"#32768") != nullptr; }));
    Sleep(200);
    ASSERT_TRUE(m_host.Press(VK_DOWN));
    ASSERT_TRUE(m_host.Press(VK_RETURN));
    ASSERT_TRUE(WaitFor(3000, [&] { return HostPopup(m_host.Main(), L"#32768") == nullptr; }));
    ASSERT_TRUE(m_host.Flush());
    EXPECT_EQ(std::vector<long long>{5203}, Commands(m_host.LogSince(mark)));
    EXPECT_EQ(2, SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) << "the host switched to the chosen tab";
}

// "TabsWheel": the wheel turned in a file list over the tab row scrolls the
// strip by one tab; elsewhere it scrolls the list as before.
class HostTabsWheel : public HostTabs {};

TEST_P(HostTabsWheel, WheelInTheFileListOverTheTabRowScrollsTheStrip)
{
    // The engine takes the file lists only with a setting of their own.
    ASSERT_TRUE(Start("TabsWheel=1\r\nMClick2NewTab=1\r\n", "")) << m_host.LastError();
    for (const wchar_t* name : {L"first long folder name", L"second long folder name", L"third long folder name"})
        NewTab(name);
    ASSERT_TRUE(m_host.Flush());
    HWND tabs = m_host.Query(26), list = m_host.Query(1);
    HWND arrows = FindWindowExW(tabs, nullptr, L"msctls_updown32", nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));
    RECT strip, rows;
    GetWindowRect(tabs, &strip);
    GetWindowRect(list, &rows);
    SendMessageW(tabs, TCM_SETCURSEL, 0, 0); // the strip scrolls back to the first tab
    ASSERT_EQ(0, LOWORD(SendMessageW(arrows, UDM_GETPOS, 0, 0)));
    struct { int delta; POINT at; int position; } turns[] = {
        {120, {strip.left + 5, strip.top + 5}, 1}, {120, {strip.left + 5, strip.top + 5}, 2},
        {-120, {strip.left + 5, strip.top + 5}, 1}, {120, {rows.left + 20, rows.top + 20}, 1},
    };
    for (const auto& t : turns) {
        SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, t.delta), MAKELPARAM(t.at.x, t.at.y));
        EXPECT_EQ(t.position, LOWORD(SendMessageW(arrows, UDM_GETPOS, 0, 0))) << t.delta << " at " << t.at.y;
    }
}

INSTANTIATE_TEST_SUITE_P(ThreadHook, HostTabsWheel, ::testing::Values(0));

INSTANTIATE_TEST_SUITE_P(Hooks, HostTabs, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param ? "LowLevelHook" : "ThreadHook";
                         });
