// The engine's command executor inside this test's thread, with a recording
// window of the host's main class: engine commands by number, deferred
// hotkeys across a reload, the start-up sequence, a reload held while a
// command runs, and the reload reaching other processes and the sender.
#include <gtest/gtest.h>
#include "EngineHarness.h"
#include "TCProtocol.h"

namespace {


// What the host main window received.
struct CReceived {
    std::vector<std::wstring> events; // "post:524", "send:524", "copy:em_foo:7"
    HWND dispatcherDuringCopy = nullptr;
    bool reloadFromCopy = false;
    UINT reloadMessage = 0;
};
CReceived g_received;

LRESULT CALLBACK HostMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HostCommandMessage) {
        g_received.events.push_back((InSendMessage() ? L"send:" : L"post:") + std::to_wstring(wParam));
        return 1;
    }
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string text(static_cast<const char*>(data->lpData), data->cbData);
        g_received.events.push_back(L"copy:" + std::wstring(text.begin(), text.end() - 1) + L":" +
                                    std::to_wstring(data->dwData == CopyDataUserCommand ? data->cbData : 0));
        if (g_received.reloadFromCopy) {
            // A reload arriving while the command runs must wait for it.
            g_received.reloadFromCopy = false;
            std::vector<HWND> dispatchers = ThreadWindows(L"DispIniFileClass");
            if (!dispatchers.empty()) {
                SendMessageW(dispatchers[0], g_received.reloadMessage, 0, 0);
                g_received.dispatcherDuringCopy = IsWindow(dispatchers[0]) ? dispatchers[0] : nullptr;
            }
        }
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class EngineCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_received = CReceived();
        SetEnvironmentVariableW(L"COMMANDER_PATH", m_hostFolder.Path().c_str());
        SetEnvironmentVariableW(L"COMMANDER_INI", m_hostFolder.File(L"wincmd.ini").c_str());
        WriteText(m_hostFolder.File(L"totalcmd.inc"), "cm_ClearAll=524\r\ncm_OpenDrives=2122\r\n");
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostMainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TTOTAL_CMD";
        RegisterClassW(&wc);
        m_main = CreateWindowExW(0, L"TTOTAL_CMD", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_main);
    }
    void TearDown() override
    {
        if (m_main)
            DestroyWindow(m_main);
        SetEnvironmentVariableW(L"COMMANDER_PATH", nullptr);
        SetEnvironmentVariableW(L"COMMANDER_INI", nullptr);
    }
    void Start(const char* ini)
    {
        WriteText(m_engine.SettingsFile(), ini);
        ASSERT_TRUE(m_engine.Load());
        m_engine.SetDefaultParams("c:\\x\\contplug.ini");
        Pump(50);
    }
    HWND Dispatcher()
    {
        std::vector<HWND> found = ThreadWindows(L"DispIniFileClass");
        return found.size() == 1 ? found[0] : nullptr;
    }
    UINT ReloadMessage() { return RegisterWindowMessageW(m_engine.SettingsFile().c_str()); }

    CTempFolder m_hostFolder{L"host"};
    CEngineHarness m_engine;
    HWND m_main = nullptr;
};

} // namespace

TEST_F(EngineCommands, EngineCommandsByNumberFromTheDispatcher)
{
    Start("[Config]\r\nBookMarks=1\r\nPersistBookmarks=0\r\n");
    HWND dispatcher = Dispatcher();
    ASSERT_NE(nullptr, dispatcher);
    EXPECT_EQ(TRUE, SendMessageW(dispatcher, WM_SETTEXT, 65519, (LPARAM)L""));
    EXPECT_EQ(L"1", m_engine.Value(L"PersistBookmarks"));
    EXPECT_EQ(TRUE, SendMessageW(dispatcher, WM_SETTEXT, 65519, 0)); // a null text is empty
    EXPECT_EQ(L"0", m_engine.Value(L"PersistBookmarks"));
    // Not an engine command, or a text that begins with a digit: nothing.
    SendMessageW(dispatcher, WM_SETTEXT, 65521, (LPARAM)L"");
    SendMessageW(dispatcher, WM_SETTEXT, 65519, (LPARAM)L"9x");
    EXPECT_EQ(L"0", m_engine.Value(L"PersistBookmarks"));
    wchar_t caption[64] = {};
    GetWindowTextW(dispatcher, caption, 64);
    EXPECT_STREQ(L"Dispatcher", caption);
    EXPECT_TRUE(g_received.events.empty());

    // A reload reads the setting again.
    SendMessageW(dispatcher, WM_SETTEXT, 65519, (LPARAM)L"");
    SendMessageW(dispatcher, ReloadMessage(), 0, 0);
    EXPECT_EQ(L"0", m_engine.Value(L"PersistBookmarks"));
}

TEST_F(EngineCommands, DeferredHotkeyOfAnEarlierTableRunsNothing)
{
    Start("[Config]\r\n[Keyboard]\r\ncm_ClearAll=Ctrl+E\r\n2122=Ctrl+D\r\n");
    ASSERT_EQ(2, m_engine.Number(L"hotkeyCount"));
    UINT generation = (UINT)m_engine.Number(L"hotkeyGeneration");
    PostMessageW(Dispatcher(), DeferredHotkeyMessage, 1, generation);
    Pump(50);
    EXPECT_EQ(std::vector<std::wstring>{L"post:2122"}, g_received.events);

    // The table is built again by a reload: the same index and generation name nothing now.
    g_received.events.clear();
    SendMessageW(Dispatcher(), ReloadMessage(), 0, 0);
    ASSERT_NE(generation, (UINT)m_engine.Number(L"hotkeyGeneration"));
    PostMessageW(Dispatcher(), DeferredHotkeyMessage, 1, generation);
    PostMessageW(Dispatcher(), DeferredHotkeyMessage, 2, m_engine.Number(L"hotkeyGeneration"));
    Pump(50);
    EXPECT_TRUE(g_received.events.empty());
}

TEST_F(EngineCommands, StartupSequenceRunsItsPartsInOrder)
{
    Start("[Config]\r\nEnableStartupSequence=1\r\n"
          "StartupSequence=cm_ClearAll||em_foo|2122|bogus|CM_ClearAll|EM_bar\r\n");
    // The user commands are sent at once, the host commands posted in order.
    std::vector<std::wstring> expected = {L"copy:em_foo:7", L"copy:EM_bar:7", L"post:524", L"post:2122"};
    EXPECT_EQ(expected, g_received.events);

    g_received.events.clear();
    WritePrivateProfileStringW(L"Config", L"EnableStartupSequence", L"0", m_engine.SettingsFile().c_str());
    SendMessageW(Dispatcher(), ReloadMessage(), 0, 0);
    Pump(50);
    EXPECT_TRUE(g_received.events.empty());
}

TEST_F(EngineCommands, ReloadWaitsForTheRunningCommand)
{
    g_received.reloadFromCopy = true;
    g_received.reloadMessage = ReloadMessage();
    Start("[Config]\r\nEnableStartupSequence=1\r\nStartupSequence=em_foo\r\n");
    // The reload sent inside the command left the dispatcher alone...
    ASSERT_NE(nullptr, g_received.dispatcherDuringCopy);
    // ...and ran once the command returned: a new dispatcher, the sequence again.
    ASSERT_TRUE(PumpUntil(2000, [&] { return Dispatcher() && Dispatcher() != g_received.dispatcherDuringCopy; }));
    EXPECT_FALSE(IsWindow(g_received.dispatcherDuringCopy));
    EXPECT_EQ(2u, g_received.events.size());
}

TEST_F(EngineCommands, ReloadSettingsReachesAListenerAndTheSenderRunsIt)
{
    Start("[Config]\r\n");
    HWND dispatcher = Dispatcher();
    ASSERT_NE(nullptr, dispatcher);

    // A listener in another process registered with the same settings path.
    wchar_t ready[64], got[64];
    _snwprintf(ready, 64, L"merovin-listener-ready-%lu", GetCurrentProcessId());
    _snwprintf(got, 64, L"merovin-listener-got-%lu", GetCurrentProcessId());
    HANDLE readyEvent = CreateEventW(nullptr, TRUE, FALSE, ready);
    HANDLE gotEvent = CreateEventW(nullptr, TRUE, FALSE, got);
    std::wstring command = L"\"" + BinFile(L"reload_listener.exe") + L"\" \"" + m_engine.SettingsFile() +
                           L"\" " + ready + L" " + got;
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION listener = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &listener));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(readyEvent, 10000));

    SendMessageW(dispatcher, WM_SETTEXT, 65520, (LPARAM)L"");
    EXPECT_TRUE(PumpUntil(5000, [&] { return WaitForSingleObject(gotEvent, 0) == WAIT_OBJECT_0; }));
    EXPECT_TRUE(PumpUntil(2000, [&] { return Dispatcher() && Dispatcher() != dispatcher; }));
    WaitForSingleObject(listener.hProcess, 5000);
    CloseHandle(listener.hThread);
    CloseHandle(listener.hProcess);
    CloseHandle(readyEvent);
    CloseHandle(gotEvent);

    // The command sender, started from this "host", sends ReloadSettings by name.
    dispatcher = Dispatcher();
    command = L"\"" + BinFile(L"Merovcall.exe") + L"\" ReloadSettings";
    PROCESS_INFORMATION sender = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &sender));
    EXPECT_TRUE(PumpUntil(10000, [&] { return WaitForSingleObject(sender.hProcess, 0) == WAIT_OBJECT_0; }));
    DWORD exitCode = 99;
    GetExitCodeProcess(sender.hProcess, &exitCode);
    EXPECT_EQ(1u, exitCode); // the sender's code after a delivery (0 follows its unknown-command box)
    EXPECT_TRUE(PumpUntil(2000, [&] { return Dispatcher() && Dispatcher() != dispatcher; }));
    TerminateProcess(sender.hProcess, 1);
    CloseHandle(sender.hThread);
    CloseHandle(sender.hProcess);
}

TEST_F(EngineCommands, ThreadHookRunsAtOnceInTheHostThread)
{
    Start("[Config]\r\nBookMarks=1\r\n[Keyboard]\r\nToggleSaveBookmark=Ctrl+G\r\ncm_ClearAll=Ctrl+E\r\n");
    ShowWindow(m_main, SW_SHOW);
    SetForegroundWindow(m_main);
    SetFocus(m_main);
    ASSERT_EQ(m_main, GetForegroundWindow());
    INPUT keys[4] = {};
    WORD vks[4] = {VK_LCONTROL, 'G', 'G', VK_LCONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vks[i];
        keys[i].ki.wScan = (WORD)MapVirtualKeyW(vks[i], MAPVK_VK_TO_VSC);
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ASSERT_EQ(4u, SendInput(4, keys, sizeof(INPUT)));
    Pump(200);
    EXPECT_EQ(L"1", m_engine.Value(L"PersistBookmarks"));
    keys[1].ki.wVk = keys[2].ki.wVk = 'E';
    keys[1].ki.wScan = keys[2].ki.wScan = (WORD)MapVirtualKeyW('E', MAPVK_VK_TO_VSC);
    ASSERT_EQ(4u, SendInput(4, keys, sizeof(INPUT)));
    Pump(200);
    EXPECT_EQ(std::vector<std::wstring>{L"post:524"}, g_received.events);
}
