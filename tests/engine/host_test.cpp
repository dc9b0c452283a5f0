// The engine inside the stand-in host process: what another process sees of
// its start-up, reload and unload.
#include <gtest/gtest.h>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include "TestFiles.h"

namespace {

std::vector<HWND> Dispatchers(DWORD thread)
{
    std::vector<HWND> found;
    EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcscmp(name, L"DispIniFileClass") == 0)
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

class EngineInHost : public ::testing::Test {
protected:
    bool StartHost(std::vector<std::wstring> args = {})
    {
        return m_host.Start(EngineHostSetup("[Config]\r\nUseLLHook=0\r\n", args));
    }
    CHostDriver m_host;
};

} // namespace

TEST_F(EngineInHost, StartReloadAndUnload)
{
    ASSERT_TRUE(StartHost()) << m_host.LastError();
    ASSERT_TRUE(EngineMapped(m_host.PluginDir()));
    std::vector<HWND> dispatchers = Dispatchers(m_host.ThreadId());
    ASSERT_EQ(1u, dispatchers.size());
    HWND first = dispatchers[0];
    wchar_t caption[64] = {};
    GetWindowTextW(first, caption, 64);
    EXPECT_STREQ(L"Dispatcher", caption);
    EXPECT_FALSE(IsWindowVisible(first));
    RECT rect;
    GetWindowRect(first, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(50, rect.right - rect.left);
    EXPECT_EQ(50, rect.bottom - rect.top);

    // The settings utility's broadcast, named by the full path of the settings file.
    UINT reload = RegisterWindowMessageW((m_host.PluginDir() + L"\\Merovin.ini").c_str());
    WritePrivateProfileStringW(L"Config", L"UseLLHook", L"1", (m_host.PluginDir() + L"\\Merovin.ini").c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, (m_host.PluginDir() + L"\\Merovin.ini").c_str());
    DWORD recipients = BSM_APPLICATIONS;
    ASSERT_GT(BroadcastSystemMessageW(BSF_POSTMESSAGE | BSF_IGNORECURRENTTASK, &recipients, reload, 0, 0), 0);
    ASSERT_TRUE(WaitFor(3000, [&] {
        auto now = Dispatchers(m_host.ThreadId());
        return now.size() == 1 && now[0] != first;
    }));
    EXPECT_FALSE(IsWindow(first));

    // Keys still reach the host with the engine's hooks installed.
    ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    EXPECT_TRUE(m_host.Sync());

    // Unloading: the pin keeps the library for about 100 ms, then it is gone.
    EXPECT_FALSE(m_host.UnloadPlugin());
    EXPECT_TRUE(Dispatchers(m_host.ThreadId()).empty());
    ASSERT_TRUE(WaitFor(2000, [&] { return !EngineMapped(m_host.PluginDir()); }));
    Sleep(200);
    EXPECT_TRUE(m_host.Running());
    EXPECT_TRUE(m_host.Sync());
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineInHost, LateWindowsThenUnload)
{
    ASSERT_TRUE(StartHost({L"--late-windows"})) << m_host.LastError();
    ASSERT_EQ(1u, Dispatchers(m_host.ThreadId()).size());
    Sleep(300); // the attach retry finds the main window that came later
    EXPECT_FALSE(m_host.UnloadPlugin());
    ASSERT_TRUE(WaitFor(2000, [&] { return !EngineMapped(m_host.PluginDir()); }));
    Sleep(300);
    EXPECT_TRUE(m_host.Running());
    EXPECT_TRUE(m_host.Flush());
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineInHost, OpenConfigurationDialogKeepsTheEngine)
{
    ASSERT_TRUE(StartHost()) << m_host.LastError();
    for (int kind : {TCHost::KindConfigAll, TCHost::KindFsPluginConfig}) {
        HWND dialog = m_host.ShowWindow(kind);
        ASSERT_NE(nullptr, dialog);
        EXPECT_FALSE(m_host.UnloadPlugin());
        Sleep(400);
        EXPECT_TRUE(EngineMapped(m_host.PluginDir())) << kind;
        EXPECT_TRUE(Dispatchers(m_host.ThreadId()).empty());
        // The host loads it again: the engine starts.
        ASSERT_TRUE(m_host.LoadPlugin());
        EXPECT_EQ(1u, Dispatchers(m_host.ThreadId()).size());
        m_host.Send(TCHost::MsgDestroyWindow, (WPARAM)dialog);
        ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    }
    EXPECT_FALSE(m_host.UnloadPlugin());
    ASSERT_TRUE(WaitFor(2000, [&] { return !EngineMapped(m_host.PluginDir()); }));
    EXPECT_TRUE(m_host.Flush());
    EXPECT_EQ(0, m_host.Stop());
}

// A file name without a folder that the profile functions would join to the
// Windows folder past MAX_PATH counts as no file, at start and at reload:
// "Localizator" gives the built-in texts, the host's "AlternateUserIni" and a
// section's "RedirectSection" give the defaults, even with a file of that name
// in the Windows folder. The engine stays up and its key still posts its command.
TEST(OverlongBareFileNames, CountAsNoFile)
{
    const std::string name = "q" + std::to_string(GetCurrentProcessId()) + std::string(3000, 'q');
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const size_t hostLength = 250; // within the host's 260 and the file system's names
    std::wstring planted = L"\\\\?\\" + std::wstring(windows) + L"\\" +
                           std::wstring(name.begin(), name.begin() + hostLength);
    WriteText(planted, "[Colors]\r\nBackColor=255\r\n");
    struct Case {
        const char* section;
        const char* key;
        bool hostIni;
    } cases[] = {{"Config", "Localizator", false},
                 {"Configuration", "AlternateUserIni", true},
                 {"Colors", "RedirectSection", true}};
    for (const Case& c : cases) {
        std::string value = c.hostIni ? name.substr(0, hostLength) : name;
        for (bool reload : {false, true}) {
            SCOPED_TRACE(std::string(c.key) + (reload ? " at reload" : " at start"));
            std::string line = std::string(c.key) + "=" + value + "\r\n";
            bool now = !reload;
            CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=0\r\n" + (now && !c.hostIni ? line : "") +
                                               "[Keyboard]\r\ncm_ClearAll=Ctrl+E\r\n");
            if (now && c.hostIni)
                setup.homeFiles[L"wincmd.ini"] = "[" + std::string(c.section) + "]\r\n" + line;
            CHostDriver host;
            ASSERT_TRUE(host.Start(setup)) << host.LastError();
            if (reload) {
                std::wstring file = c.hostIni ? host.Home() + L"\\wincmd.ini" : host.PluginDir() + L"\\Merovin.ini";
                std::wstring section(c.section, c.section + strlen(c.section)), key(c.key, c.key + strlen(c.key));
                WritePrivateProfileStringW(section.c_str(), key.c_str(), std::wstring(value.begin(), value.end()).c_str(),
                                           file.c_str());
                WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
                HWND before = Dispatcher(host.ThreadId());
                DWORD_PTR answer = 0;
                SendMessageTimeoutW(before, WM_SETTEXT, 65520, (LPARAM)L"", SMTO_NORMAL, 10000, &answer);
                EXPECT_TRUE(WaitFor(3000, [&] { return !host.Running() || Dispatcher(host.ThreadId()) != before; }));
            }
            ASSERT_TRUE(host.Running());
            ASSERT_TRUE(host.Flush());
            size_t mark = host.LogMark();
            host.Send(TCHost::MsgLogDump);
            auto dump = host.LogSince(mark, L"dump");
            ASSERT_EQ(1u, dump.size());
            EXPECT_EQ(L"", dump[0].Get(L"localizationFile"));
            EXPECT_EQ((long long)GetSysColor(COLOR_WINDOW), dump[0].Int(L"BackColor"));
            ASSERT_TRUE(host.Focus(host.Query(1)));
            mark = host.LogMark();
            ASSERT_TRUE(host.Chord({VK_LCONTROL}, 'E'));
            ASSERT_TRUE(host.Flush());
            EXPECT_EQ(std::vector<long long>{524}, Commands(host.LogSince(mark)));
        }
    }
    DeleteFileW(planted.c_str());
}
