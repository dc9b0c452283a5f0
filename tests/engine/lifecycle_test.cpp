// The engine library inside a stand-in host thread: start-up footprint,
// repeated start, reload, unload and the host values it reads.
#include <gtest/gtest.h>
#include "EngineHarness.h"

namespace {

// A host installation: folder with command list and main INI, and the
// host's environment variables pointing at them.
class CHostInstall {
public:
    CHostInstall()
        : m_folder(L"host"),
          m_path(L"COMMANDER_PATH", m_folder.Path().c_str()),
          m_ini(L"COMMANDER_INI", m_folder.File(L"wincmd.ini").c_str())
    {
        WriteText(m_folder.File(L"totalcmd.inc"), "cm_SrcComments=300;x\r\ncm_SrcShort=301\r\ncm_SrcLong=302\r\n");
        WriteText(m_folder.File(L"wincmd.ini"),
                  "[Configuration]\r\nDirBrackets=0\r\nSizeStyle=2\r\n"
                  "[Colors]\r\nBackColor=-1\r\nBackColor2=-1\r\nInverseCursor=1\r\n");
    }
    std::wstring File(const wchar_t* name) const { return m_folder.File(name); }
    std::string DefaultIni() const
    {
        std::wstring path = m_folder.File(L"contplug.ini");
        return std::string(path.begin(), path.end());
    }

private:
    CTempFolder m_folder;
    CEnvironmentValue m_path;
    CEnvironmentValue m_ini;
};

class EngineLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_main = CreateClassWindow(L"TTOTAL_CMD");
        ASSERT_NE(nullptr, m_main);
    }
    void TearDown() override
    {
        if (m_main)
            DestroyWindow(m_main);
    }
    void ExpectFootprint(CEngineHarness& engine)
    {
        std::vector<HWND> dispatchers = ThreadWindows(L"DispIniFileClass");
        ASSERT_EQ(1u, dispatchers.size());
        HWND dispatcher = dispatchers[0];
        wchar_t caption[64] = {};
        GetWindowTextW(dispatcher, caption, 64);
        EXPECT_STREQ(L"Dispatcher", caption);
        EXPECT_FALSE(IsWindowVisible(dispatcher));
        EXPECT_EQ(nullptr, GetParent(dispatcher));
        RECT rect;
        GetWindowRect(dispatcher, &rect);
        EXPECT_EQ(0, rect.left);
        EXPECT_EQ(0, rect.top);
        EXPECT_EQ(50, rect.right - rect.left);
        EXPECT_EQ(50, rect.bottom - rect.top);
        auto dump = engine.Dump();
        EXPECT_EQ((ULONG_PTR)dispatcher, (ULONG_PTR)wcstoull(dump[L"dispatcher"].c_str(), nullptr, 16));
        EXPECT_EQ(RegisterWindowMessageW(engine.SettingsFile().c_str()), (UINT)_wtoi(dump[L"reloadMessage"].c_str()));
        EXPECT_EQ(L"1", dump[L"keyboardHook"]);
        EXPECT_EQ(L"0", dump[L"keyboardHookLowLevel"]);
        EXPECT_EQ(L"1", dump[L"watcherHook"]);
        EXPECT_EQ(L"1", dump[L"getMessageHook"]);
        EXPECT_EQ(L"1", dump[L"running"]);
        // A main window without panels: attaching retries (one timer).
        EXPECT_EQ(L"0:0", dump[L"timerList"]);
    }

    HWND m_main = nullptr;
};

} // namespace

TEST_F(EngineLifecycle, StartupFootprintAndHostValues)
{
    CHostInstall host;
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    // Loading alone starts nothing.
    EXPECT_TRUE(ThreadWindows(L"DispIniFileClass").empty());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    ExpectFootprint(engine);

    auto dump = engine.Dump();
    EXPECT_EQ((ULONG_PTR)m_main, (ULONG_PTR)wcstoull(dump[L"hostMain"].c_str(), nullptr, 16));
    EXPECT_EQ(host.File(L"wincmd.ini"), dump[L"hostIni"]);
    EXPECT_EQ(host.File(L"usercmd.ini"), dump[L"userCmdIni"]);
    EXPECT_EQ(host.File(L"totalcmd.inc"), dump[L"hostCommandFile"]);
    EXPECT_EQ(L"3", dump[L"hostCommandCount"]);
    EXPECT_EQ(engine.Folder() + L"\\", dump[L"engineFolder"]);
    EXPECT_EQ(engine.Folder() + L"\\Merovin.bkm", dump[L"bookmarksFile"]);
    EXPECT_EQ(engine.Folder() + L"\\Merovin.stk", dump[L"stickyFile"]);
    EXPECT_EQ(L"Merovin\tv1.0", dump[L"title"]);
    EXPECT_EQ(L"11.00", dump[L"hostVersion"]);
    EXPECT_EQ(L"1", dump[L"extractIcons"]);
    EXPECT_EQ(L"1", dump[L"pinned"]);
    EXPECT_EQ(L"0", dump[L"DirBrackets"]);
    EXPECT_EQ(L"2", dump[L"SizeStyle"]);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), (COLORREF)wcstoul(dump[L"BackColor"].c_str(), nullptr, 16));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), (COLORREF)wcstoul(dump[L"BackColor2"].c_str(), nullptr, 16));
    EXPECT_EQ(L"1", dump[L"InverseCursor"]);
    // Engine settings with a missing Merovin.ini: the table's defaults.
    EXPECT_EQ(L"1", dump[L"AutoCompletion"]);
    EXPECT_EQ(L"1", dump[L"tabsNeeded"]);

    // The host's first call again: the same footprint, nothing doubled.
    engine.SetDefaultParams(host.DefaultIni().c_str());
    ExpectFootprint(engine);
}

TEST_F(EngineLifecycle, HostColoursAreReadThroughTheRule)
{
    CHostInstall host;
    WriteText(host.File(L"wincmd.ini"),
              "[Configuration]\r\nAlternateUserIni=%COMMANDER_PATH%\\alt.ini\r\n"
              "[Colors]\r\nBackColor=255\r\nBackColor2=-1\r\n");
    WriteText(host.File(L"alt.ini"), "[Colors]\r\nBackColor=65280\r\nInverseCursor=1\r\n");
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    auto dump = engine.Dump();
    // [Colors] is not a fixed host section: it comes from the alternate file.
    EXPECT_EQ(L"0x0000FF00", dump[L"BackColor"]);
    EXPECT_EQ(L"0x0000FF00", dump[L"BackColor2"]);
    EXPECT_EQ(L"1", dump[L"InverseCursor"]);
    EXPECT_EQ(L"1", dump[L"DirBrackets"]);
}

TEST_F(EngineLifecycle, ReloadRestartsWithTheNewSettings)
{
    CHostInstall host;
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    HWND first = (HWND)engine.Handle(L"dispatcher");
    UINT reload = (UINT)engine.Number(L"reloadMessage");
    ASSERT_NE(0u, reload);

    std::wstring ini = engine.SettingsFile();
    WritePrivateProfileStringW(L"Config", L"UseLLHook", L"1", ini.c_str());
    WritePrivateProfileStringW(L"Config", L"CloseAllListers", L"0", ini.c_str());
    WritePrivateProfileStringW(L"Config", L"AutoCompletion", L"0", ini.c_str());
    WritePrivateProfileStringW(L"Config", L"FileGroups", L"*.txt|*.doc", ini.c_str());
    WritePrivateProfileStringW(L"Config", L"FileGroups2", L"*.bak", ini.c_str());
    DWORD recipients = BSM_APPLICATIONS;
    ASSERT_GT(BroadcastSystemMessageW(BSF_POSTMESSAGE, &recipients, reload, 0, 0), 0);
    ASSERT_TRUE(PumpUntil(2000, [&] { return (HWND)engine.Handle(L"dispatcher") != first; }));

    auto dump = engine.Dump();
    EXPECT_EQ(L"1", dump[L"running"]);
    EXPECT_EQ(L"1", dump[L"keyboardHookLowLevel"]);
    EXPECT_EQ(L"0", dump[L"getMessageHook"]);
    EXPECT_EQ(L"0", dump[L"AutoCompletion"]);
    EXPECT_EQ(L"*.txt|*.doc<*.bak", dump[L"groupingPattern"]);
    EXPECT_EQ(L"1", dump[L"groupingActive"]);
    EXPECT_EQ(reload, (UINT)_wtoi(dump[L"reloadMessage"].c_str()));
    EXPECT_EQ(host.File(L"wincmd.ini"), dump[L"hostIni"]);
    std::vector<HWND> dispatchers = ThreadWindows(L"DispIniFileClass");
    ASSERT_EQ(1u, dispatchers.size());
    wchar_t caption[64] = {};
    GetWindowTextW(dispatchers[0], caption, 64);
    EXPECT_STREQ(L"Dispatcher", caption);

    // A click on the dispatcher and a sent reload message reload as well; the
    // handler's own window is gone when it returns.
    HWND second = dispatchers[0];
    SendMessageW(second, WM_LBUTTONUP, 0, 0);
    HWND third = (HWND)engine.Handle(L"dispatcher");
    EXPECT_NE(second, third);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(1, SendMessageW(third, reload, 0, 0));
    EXPECT_FALSE(IsWindow(third));
    EXPECT_EQ(1u, ThreadWindows(L"DispIniFileClass").size());
    // A WM_SETTEXT never changes the caption.
    HWND current = (HWND)engine.Handle(L"dispatcher");
    EXPECT_EQ(TRUE, SendMessageW(current, WM_SETTEXT, 65520, (LPARAM)L""));
    GetWindowTextW(current, caption, 64);
    EXPECT_STREQ(L"Dispatcher", caption);
}

TEST_F(EngineLifecycle, ReloadKeepsTheFallbackHostIni)
{
    CHostInstall host;
    CEnvironmentValue noIni(L"COMMANDER_INI", nullptr);
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    EXPECT_EQ(host.File(L"wincmd.ini"), engine.Value(L"hostIni"));
    EXPECT_EQ(L"0", engine.Value(L"DirBrackets"));
    HWND dispatcher = (HWND)engine.Handle(L"dispatcher");
    SendMessageW(dispatcher, WM_LBUTTONUP, 0, 0);
    EXPECT_NE(dispatcher, (HWND)engine.Handle(L"dispatcher"));
    EXPECT_EQ(host.File(L"wincmd.ini"), engine.Value(L"hostIni"));
    EXPECT_EQ(L"0", engine.Value(L"DirBrackets"));
}

TEST_F(EngineLifecycle, DefaultIniPathForms)
{
    CHostInstall host;
    CEnvironmentValue noIni(L"COMMANDER_INI", nullptr);
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    // A record too short to hold the name: no default path.
    engine.SetDefaultParams("Y:\\h\\contplug.ini", 12);
    EXPECT_EQ(L"", engine.Value(L"hostIni"));
    EXPECT_EQ(L"1", engine.Value(L"running"));
    engine.SetDefaultParams("X:\\h\\contplug.ini");
    EXPECT_EQ(L"X:\\h\\wincmd.ini", engine.Value(L"hostIni"));
    EXPECT_EQ(L"1", engine.Value(L"DirBrackets"));
    engine.SetDefaultParams("contplug.ini");
    EXPECT_EQ(L"", engine.Value(L"hostIni"));
    // An unterminated name is read up to its bound.
    ContentDefaultParams params = {};
    params.size = sizeof(params);
    memset(params.defaultIniName, 'a', sizeof(params.defaultIniName));
    params.defaultIniName[3] = '\\';
    engine.SetDefaultParams(params);
    EXPECT_EQ(L"aaa\\wincmd.ini", engine.Value(L"hostIni"));
    // Without a usable path later on, the file found before stays.
    engine.SetDefaultParams("Y:\\h\\contplug.ini", 12);
    EXPECT_EQ(L"aaa\\wincmd.ini", engine.Value(L"hostIni"));
}

TEST_F(EngineLifecycle, UnloadFreesTheLibraryAndLeavesNothing)
{
    CHostInstall host;
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    engine.Unloading();
    EXPECT_TRUE(ThreadWindows(L"DispIniFileClass").empty());
    auto dump = engine.Dump();
    EXPECT_EQ(L"0", dump[L"running"]);
    EXPECT_EQ(L"0", dump[L"keyboardHook"]);
    EXPECT_EQ(L"0", dump[L"watcherHook"]);
    EXPECT_EQ(L"0", dump[L"getMessageHook"]);
    EXPECT_EQ(L"0", dump[L"timers"]);
    EXPECT_EQ(L"0", dump[L"pinned"]);
    engine.Free();
    EXPECT_TRUE(engine.IsLoaded()); // the pin holds it a little longer
    DWORD start = GetTickCount();
    ASSERT_TRUE(engine.WaitUnloaded(2000));
    EXPECT_GE(GetTickCount() - start, 50u);
    // The host goes on working.
    Pump(200);
    EXPECT_TRUE(IsWindow(m_main));
}

TEST_F(EngineLifecycle, UnloadWhileTheAttachRetryIsPending)
{
    DestroyWindow(m_main); // the host's windows do not exist yet
    m_main = nullptr;
    CHostInstall host;
    CEngineHarness engine;
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    EXPECT_EQ(L"1", engine.Value(L"timers"));
    Pump(250); // the retry runs and starts itself again
    EXPECT_EQ(L"1", engine.Value(L"timers"));
    EXPECT_EQ(0u, engine.Handle(L"hostMain"));

    // The main window appears: the next retry finds it; without panels
    // the retry goes on, still one timer (beside the tree check that the
    // window's creation started).
    m_main = CreateClassWindow(L"TTOTAL_CMD");
    ASSERT_TRUE(PumpUntil(1000, [&] { return engine.Handle(L"hostMain") == (ULONG_PTR)m_main; }));
    Pump(250);
    std::wstring timers = L"," + engine.Value(L"timerList") + L",";
    EXPECT_NE(std::wstring::npos, timers.find(L",0:0,"));
    EXPECT_EQ(timers.find(L",0:0,"), timers.rfind(L",0:0,"));

    // Without it again, then unloaded while the timer is pending.
    DestroyWindow(m_main);
    m_main = nullptr;
    engine.SetDefaultParams(host.DefaultIni().c_str());
    EXPECT_EQ(L"1", engine.Value(L"timers"));
    engine.Unloading();
    engine.Free();
    ASSERT_TRUE(engine.WaitUnloaded(2000));
    Pump(400); // a timer left behind would now call into freed code
    SUCCEED();
}

TEST_F(EngineLifecycle, ConfigurationDialogKeepsTheEngineLoaded)
{
    CHostInstall host;
    for (int variant = 0; variant < 2; ++variant) {
        CEngineHarness engine;
        ASSERT_TRUE(engine.Load());
        engine.SetDefaultParams(host.DefaultIni().c_str());
        HWND top, focus;
        if (variant == 0) {
            top = CreateClassWindow(L"TDLGCONFIGALL");
            focus = CreateClassWindow(L"TEdit", top, 0);
        } else {
            top = CreateClassWindow(L"TPluginOwner");
            HWND form = CreateClassWindow(L"TFsPluginConfigForm", top, 0);
            focus = CreateClassWindow(L"TEdit", form, 0);
        }
        ShowWindow(top, SW_SHOW);
        SetForegroundWindow(top);
        SetFocus(focus);
        ASSERT_EQ(focus, GetFocus());

        engine.Unloading();
        engine.Free();
        Pump(400);
        ASSERT_TRUE(engine.IsLoaded());
        auto dump = engine.Dump();
        EXPECT_EQ(L"0", dump[L"running"]);
        EXPECT_EQ(L"0", dump[L"keyboardHook"]);
        EXPECT_EQ(L"1", dump[L"pinned"]);
        EXPECT_TRUE(ThreadWindows(L"DispIniFileClass").empty());

        // The host loads it again: the next call starts it.
        ASSERT_TRUE(engine.Load());
        engine.SetDefaultParams(host.DefaultIni().c_str());
        EXPECT_EQ(L"1", engine.Value(L"running"));
        EXPECT_EQ(1u, ThreadWindows(L"DispIniFileClass").size());

        DestroyWindow(top);
        SetFocus(m_main);
        engine.Unloading();
        engine.Free();
        ASSERT_TRUE(engine.WaitUnloaded(2000)) << "variant " << variant;
    }
}

TEST_F(EngineLifecycle, SpecialBuildInTheTitle)
{
    CHostInstall host;
    CEngineHarness engine(L"MerovinBeta.wdx");
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams(host.DefaultIni().c_str());
    EXPECT_EQ(L"Merovin\tv1.0(beta)", engine.Value(L"title"));
}

TEST_F(EngineLifecycle, OverlongSettingsPathDisablesReload)
{
    CHostInstall host;
    CTempFolder deep(L"deep");
    std::wstring folder = deep.Path();
    while (folder.size() < 250)
        folder += L"\\a_long_folder_name";
    for (size_t at = deep.Path().size() + 1; at <= folder.size(); ++at)
        if (at == folder.size() || folder[at] == L'\\')
            CreateDirectoryW((L"\\\\?\\" + folder.substr(0, at)).c_str(), nullptr);
    CEngineHarness engine(L"Merovin.wdx", folder);
    ASSERT_GT(engine.SettingsFile().size(), 255u);
    if (!engine.Load())
        GTEST_SKIP() << "this system cannot load a library from a path this long";
    engine.SetDefaultParams(host.DefaultIni().c_str());
    EXPECT_EQ(L"0", engine.Value(L"reloadMessage"));
    HWND dispatcher = (HWND)engine.Handle(L"dispatcher");
    ASSERT_NE(nullptr, dispatcher);
    SendMessageW(dispatcher, WM_NULL, 0, 0);
    EXPECT_EQ((ULONG_PTR)dispatcher, engine.Handle(L"dispatcher"));
}
