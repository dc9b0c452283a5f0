// The engine's modules inside the stand-in host: the modules of "PluginList"
// loaded beside the engine, their hotkeys of "Plugins" run through the
// thread keyboard hook on the host's controls, commands sent to the
// dispatcher, path notices, own-window placement and the unload at
// teardown; then the real calculator, directory-menu and clock modules.
#include <gtest/gtest.h>
#include "ModuleHostFixture.h"

namespace {

const char TestModules[] =
    "[PluginList]\r\n"
    "TestMod=TestMod.dll\r\n"
    "%COMMANDER_PATH%\\plugins\\wdx\\Merovin\\TestModB64.dll=Second\r\n"
    "NoProcess=NoProcess.dll\r\n"
    "NullInfo=NullInfo.dll\r\n"
    "[Plugins]\r\n"
    "Ctrl+Q=TestMod,3;calc\r\n"
    "Ctrl+W=Missing,1\r\n"
    "Ctrl+E=Second\r\n"
    "Ctrl+R=NoProcess\r\n";

} // namespace

TEST_F(ModulesInHost, ListFormsLoadOnceAndTeardownUnloadsBeforeFreeing)
{
    ASSERT_TRUE(Start(TestModules, {{L"TestMod64.dll", ""}, {L"TestModB64.dll", ""}, {L"NoProcess64.dll", ""},
                                    {L"NullInfo64.dll", ""}}))
        << m_host.LastError();
    // The name form takes the engine folder's 64-bit build, the path form its path as given.
    std::wstring load = L"Load " + Hex(m_host.Main()) + L"|null";
    ASSERT_TRUE(WaitFor(3000, [&] { return Calls(L"TestModB64").size() >= 2; }));
    EXPECT_EQ((std::vector<std::wstring>{L"GetInfo", load}), Calls(L"TestMod64"));
    EXPECT_EQ((std::vector<std::wstring>{L"GetInfo", load}), Calls(L"TestModB64"));
    // Incomplete modules are freed again without a call.
    EXPECT_EQ(std::vector<std::wstring>{L"Detach"}, Calls(L"NoProcess64"));
    EXPECT_EQ((std::vector<std::wstring>{L"GetInfo", L"Detach"}), Calls(L"NullInfo64"));

    HWND left = m_host.Query(1);
    auto log = ChordIn(left, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(std::vector<std::wstring>{L"Process 0|3|0,0|" + Hex(left) + L"|"}, CallsOf(L"TestMod64", L"Process"));
    EXPECT_FALSE(KeyReached(log, 'Q'));
    log = ChordIn(left, {VK_LCONTROL}, 'E');
    EXPECT_EQ(1u, CallsOf(L"TestModB64", L"Process").size());
    EXPECT_FALSE(KeyReached(log, 'E'));
    // A line whose module is not listed binds nothing; an incomplete module's
    // key passes on, and the module is tried again at each of its commands.
    log = ChordIn(left, {VK_LCONTROL}, 'W');
    EXPECT_TRUE(KeyReached(log, 'W', left));
    log = ChordIn(left, {VK_LCONTROL}, 'R');
    EXPECT_TRUE(KeyReached(log, 'R', left));
    EXPECT_EQ((std::vector<std::wstring>{L"Detach", L"Detach"}), Calls(L"NoProcess64"));

    // Teardown: "Unload", then the library goes; nothing for modules never loaded.
    EXPECT_FALSE(m_host.UnloadPlugin());
    std::vector<std::wstring> calls = Calls(L"TestMod64");
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ((std::vector<std::wstring>{L"Unload", L"Detach"}), std::vector<std::wstring>(calls.end() - 2, calls.end()));
    calls = Calls(L"TestModB64");
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ((std::vector<std::wstring>{L"Unload", L"Detach"}), std::vector<std::wstring>(calls.end() - 2, calls.end()));
    EXPECT_TRUE(CallsOf(L"NoProcess64", L"Unload").empty());
    EXPECT_TRUE(CallsOf(L"NullInfo64", L"Unload").empty());
    EXPECT_TRUE(m_host.Running());
}

TEST_F(ModulesInHost, HotkeyRunsProcessOnTheFocusedEditAndActsOnItsResult)
{
    ASSERT_TRUE(Start("[PluginList]\r\nTestMod=TestMod.dll\r\n[Plugins]\r\nCtrl+Q=TestMod,3;calc\r\n",
                      {{L"TestMod64.dll", "Flags=1\r\nResult=2\r\nText=3\r\nSelStart=0\r\nSelEnd=1\r\n"}}))
        << m_host.LastError();
    HWND edit = ShowEdit(L"1+2");
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(edit, EM_SETSEL, 1, 3);

    // SetText: the text at once, the module's selection 100 ms later.
    auto log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(std::vector<std::wstring>{L"Process 0|3|1,3|" + Hex(edit) + L"|1+2"}, CallsOf(L"TestMod64", L"Process"));
    EXPECT_EQ(L"3", Text(edit));
    EXPECT_FALSE(KeyReached(log, 'Q'));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(edit) == std::make_pair(0, 1); }));

    // SelectAndBeep: the control gets the focus and the range.
    SetModule(L"TestMod64", L"Result", L"3");
    SetModule(L"TestMod64", L"Text", nullptr);
    SetWindowTextW(edit, L"abcd");
    SetModule(L"TestMod64", L"SelStart", L"1");
    SetModule(L"TestMod64", L"SelEnd", L"3");
    log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(L"abcd", Text(edit));
    EXPECT_EQ(std::make_pair(1, 3), Selection(edit));
    EXPECT_EQ(edit, FocusOf(m_host.ThreadId()));
    EXPECT_FALSE(KeyReached(log, 'Q'));

    // None: the key goes on to the edit.
    SetModule(L"TestMod64", L"Result", L"0");
    log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_TRUE(KeyReached(log, 'Q', edit));

    // An edit-only command in a file list is not run and its key passes.
    HWND left = m_host.Query(1);
    size_t before = CallsOf(L"TestMod64", L"Process").size();
    log = ChordIn(left, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(before, CallsOf(L"TestMod64", L"Process").size());
    EXPECT_TRUE(KeyReached(log, 'Q', left));

    // A module that throws counts as 0 and the host goes on; the next call works.
    SetModule(L"TestMod64", L"Throw", L"Process");
    SetModule(L"TestMod64", L"Result", L"2");
    SetModule(L"TestMod64", L"Text", L"after");
    log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(before + 1, CallsOf(L"TestMod64", L"Process").size());
    EXPECT_TRUE(KeyReached(log, 'Q', edit));
    EXPECT_TRUE(m_host.Running());
    SetModule(L"TestMod64", L"Throw", nullptr);
    ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(L"after", Text(edit));
}

TEST_F(ModulesInHost, PanelOnlyRequestCarriesTheSideTabControl)
{
    ASSERT_TRUE(Start("[PluginList]\r\nTestMod=TestMod.dll\r\n[Plugins]\r\nCtrl+Q=TestMod\r\n",
                      {{L"TestMod64.dll", "Flags=8\r\n"}}, {L"--tabs=both"}))
        << m_host.LastError();
    HWND right = m_host.Query(2);
    auto log = ChordIn(right, {VK_LCONTROL}, 'Q');
    std::vector<std::wstring> process = CallsOf(L"TestMod64", L"Process");
    ASSERT_EQ(1u, process.size());
    EXPECT_NE(std::wstring::npos, process[0].find(L"|" + Hex(m_host.Query(27)) + L"|")) << process[0];
    EXPECT_FALSE(KeyReached(log, 'Q'));

    // In an edit box the command does nothing and the key passes.
    HWND edit = ShowEdit(L"text");
    log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(1u, CallsOf(L"TestMod64", L"Process").size());
    EXPECT_TRUE(KeyReached(log, 'Q', edit));
}

TEST_F(ModulesInHost, OwnWindowPlacementAndPathNoticesAtListLoad)
{
    ASSERT_TRUE(Start("[PluginList]\r\nTestMod=TestMod.dll\r\nSecond=TestModB.dll\r\n",
                      {{L"TestMod64.dll", "Flags=20\r\nWidth=120\r\nHeight=80\r\n"},
                       {L"TestModB64.dll", "Flags=16\r\n"}}))
        << m_host.LastError();
    ASSERT_TRUE(WaitFor(3000, [&] { return CallsOf(L"TestModB64", L"Process").size() >= 2; }));
    HWND right = m_host.Query(2);
    RECT client;
    ASSERT_TRUE(GetClientRect(right, &client));
    EXPECT_EQ(std::vector<std::wstring>{L"Load " + Hex(right) + L"|" + std::to_wstring(client.right - 120) + L"," +
                                        std::to_wstring(client.bottom - 80)},
              CallsOf(L"TestMod64", L"Load"));

    // One notice per side for each module: code 2, the side in the selection start.
    for (const wchar_t* module : {L"TestMod64", L"TestModB64"}) {
        std::vector<std::wstring> notices = CallsOf(module, L"Process");
        ASSERT_EQ(2u, notices.size()) << module;
        for (int side = 0; side < 2; ++side) {
            std::wstring head = L"Process 2|0|" + std::to_wstring(side) + L",0|";
            EXPECT_EQ(0u, notices[side].find(head)) << notices[side];
            std::wstring path = notices[side].substr(notices[side].rfind(L'|') + 1);
            EXPECT_EQ(0, _wcsicmp(m_host.DataDir(side).c_str(), path.c_str())) << path;
        }
    }
}

TEST_F(ModulesInHost, DispatcherTextRunsAModuleCommandByName)
{
    ASSERT_TRUE(Start("[PluginList]\r\nTestMod=TestMod.dll\r\nSecond=TestModB.dll\r\n",
                      {{L"TestMod64.dll", ""}, {L"TestModB64.dll", "Result=2\r\nText=done\r\n"}}))
        << m_host.LastError();
    HWND edit = ShowEdit(L"input");
    ASSERT_TRUE(m_host.Focus(edit));
    HWND dispatcher = Dispatcher(m_host.ThreadId());
    ASSERT_NE(nullptr, dispatcher);
    SendMessageW(dispatcher, WM_SETTEXT, 7, (LPARAM)L"second");
    EXPECT_EQ(std::vector<std::wstring>{L"Process 0|7|0,0|" + Hex(edit) + L"|input"},
              CallsOf(L"TestModB64", L"Process"));
    EXPECT_EQ(L"done", Text(edit));
    // An unknown name and a text not beginning with a letter run nothing.
    SendMessageW(dispatcher, WM_SETTEXT, 1, (LPARAM)L"Unknown");
    SendMessageW(dispatcher, WM_SETTEXT, 1, (LPARAM)L"1Second");
    EXPECT_EQ(1u, CallsOf(L"TestModB64", L"Process").size());
    EXPECT_TRUE(CallsOf(L"TestMod64", L"Process").empty());
    EXPECT_TRUE(m_host.Running());
}

TEST_F(ModulesInHost, NothingLoadsWithModulesDisabled)
{
    ASSERT_TRUE(Start("EnablePlugins=0\r\n[PluginList]\r\nTestMod=TestMod.dll\r\n[Plugins]\r\nCtrl+Q=TestMod\r\n",
                      {{L"TestMod64.dll", ""}}))
        << m_host.LastError();
    HWND left = m_host.Query(1);
    auto log = ChordIn(left, {VK_LCONTROL}, 'Q');
    EXPECT_TRUE(KeyReached(log, 'Q', left));
    SendMessageW(Dispatcher(m_host.ThreadId()), WM_SETTEXT, 1, (LPARAM)L"TestMod");
    EXPECT_TRUE(Calls(L"TestMod64").empty());
}

TEST_F(ModulesInHost, CalculatorEvaluatesTheFocusedEdit)
{
    ASSERT_TRUE(Start("[PluginList]\r\nNumbra=Numbra.dll\r\n[Plugins]\r\nCtrl+Q=Numbra,2\r\n",
                      {{L"Numbra64.dll", ""}}))
        << m_host.LastError();
    HWND edit = ShowEdit(L"1+2");
    ASSERT_NE(nullptr, edit);
    auto log = ChordIn(edit, {VK_LCONTROL}, 'Q');
    EXPECT_EQ(L"3", Text(edit));
    EXPECT_FALSE(KeyReached(log, 'Q'));

    // Through the dispatcher, as the command sender sends it.
    SetWindowTextW(edit, L"6*7");
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(Dispatcher(m_host.ThreadId()), WM_SETTEXT, 2, (LPARAM)L"Numbra");
    EXPECT_EQ(L"42", Text(edit));
    EXPECT_TRUE(m_host.Running());
}

TEST_F(ModulesInHost, DirectoryMenuHotlistChangesTheFocusedEdit)
{
    ASSERT_TRUE(Start("[PluginList]\r\nTCPathfan=TCPathfan.dll\r\n[Plugins]\r\nCtrl+Q=TCPathfan,1\r\n",
                      {{L"TCPathfan64.dll", ""}}, {}, "[DirMenu]\r\nmenu1=Work\r\ncmd1=cd C:\\work\r\n"
                                                     "menu2=Other\r\ncmd2=cd D:\\other\r\n"))
        << m_host.LastError();
    HWND edit = ShowEdit(L"c:\\a");
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(m_host.Focus(edit));
    // The hotlist is a menu running inside the module's command: no sync until it closes.
    ASSERT_TRUE(SendKeys(BuildChord({VK_LCONTROL}, 'Q')));
    auto menuOpen = [&] { return OpenMenu(m_host.ThreadId()) != nullptr; };
    ASSERT_TRUE(WaitFor(3000, menuOpen));
    ASSERT_TRUE(SendKeys({MakeKeyInput(VK_DOWN, false), MakeKeyInput(VK_DOWN, true), MakeKeyInput(VK_DOWN, false),
                          MakeKeyInput(VK_DOWN, true), MakeKeyInput(VK_RETURN, false), MakeKeyInput(VK_RETURN, true)}));
    EXPECT_TRUE(WaitFor(3000, [&] { return !menuOpen(); }));
    EXPECT_TRUE(m_host.Sync());
    EXPECT_EQ(0, _wcsnicmp(L"D:\\other", Text(edit).c_str(), 8)) << Text(edit);
}

TEST_F(ModulesInHost, ClockOpensAtTheRightListsCorner)
{
    ASSERT_TRUE(Start("[PluginList]\r\nHoralet=Horalet.dll\r\n", {{L"Horalet64.dll", ""}})) << m_host.LastError();
    // Its window is a hidden tool window of the host thread until "Show/Hide" (3).
    auto clockWindow = [&]() -> HWND {
        HWND found = nullptr;
        EnumThreadWindows(m_host.ThreadId(), [](HWND window, LPARAM data) -> BOOL {
            if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        }, reinterpret_cast<LPARAM>(&found));
        return found;
    };
    HWND clock = nullptr;
    ASSERT_TRUE(WaitFor(3000, [&] { return (clock = clockWindow()) != nullptr; }));
    SendMessageW(Dispatcher(m_host.ThreadId()), WM_SETTEXT, 3, (LPARAM)L"Horalet");
    ASSERT_TRUE(WaitFor(1000, [&] { return IsWindowVisible(clock) != FALSE; }));
    RECT list, box;
    GetWindowRect(m_host.Query(2), &list);
    GetWindowRect(clock, &box);
    EXPECT_EQ(list.right, box.right);
    EXPECT_EQ(list.bottom, box.bottom);

    EXPECT_FALSE(m_host.UnloadPlugin());
    EXPECT_FALSE(IsWindow(clock));
    EXPECT_TRUE(m_host.Running());
}

TEST_F(ModulesInHost, ReloadsLeaveNoHandlesBehind)
{
    ASSERT_TRUE(Start("[PluginList]\r\nNumbra=Numbra.dll\r\nTCPathfan=TCPathfan.dll\r\nHoralet=Horalet.dll\r\n",
                      {{L"Numbra64.dll", ""}, {L"TCPathfan64.dll", ""}, {L"Horalet64.dll", ""}}))
        << m_host.LastError();
    UINT reload = RegisterWindowMessageW((m_host.PluginDir() + L"\\Merovin.ini").c_str());
    auto reloads = [&](int count) {
        for (int i = 0; i < count; ++i) {
            HWND before = Dispatcher(m_host.ThreadId());
            PostMessageW(before, reload, 0, 0);
            if (!WaitFor(3000, [&] { HWND now = Dispatcher(m_host.ThreadId()); return now && now != before; }))
                return false;
        }
        return true;
    };
    // The host frees the engine and loads it again.
    auto engineLoads = [&](int count) {
        for (int i = 0; i < count; ++i) {
            m_host.UnloadPlugin();
            if (!WaitFor(3000, [&] { return !EngineMapped(m_host.PluginDir()); }) || !m_host.LoadPlugin())
                return false;
        }
        return true;
    };
    ASSERT_TRUE(reloads(5));
    ASSERT_TRUE(engineLoads(1));
    const ResourceKind kinds[] = {KernelHandles, GdiObjects, WindowObjects};
    long before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = m_host.CountResources(kinds[i]);
    long freeTls = m_host.CountResources(FreeTlsIndexes);
    ASSERT_TRUE(reloads(200));
    ASSERT_TRUE(engineLoads(10));
    ASSERT_TRUE(WaitFor(3000, [&] { return Dispatcher(m_host.ThreadId()) != nullptr; }));
    // A few may come and go with the host's own work; none per reload.
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(m_host.CountResources(kinds[i]), before[i] + 8) << "kind " << i << ", before: " << before[i];
    // An index used up per load would end the host once they run out.
    EXPECT_GE(m_host.CountResources(FreeTlsIndexes), freeTls - 8);
}
