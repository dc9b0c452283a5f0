// Hotkeys pressed in the stand-in host, with the thread keyboard hook and
// with the low-level hook: what reaches the host's windows and which
// commands the host receives.
#include <gtest/gtest.h>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include "TCProtocol.h"

using namespace TCHost;

namespace {

bool KeyReached(const std::vector<CHostLogEntry>& log, WORD vk, HWND window = nullptr)
{
    for (const CHostLogEntry& e : log) {
        if (e.m_kind != L"key" || e.Int(L"vk") != vk)
            continue;
        if (e.Get(L"msg") != L"keydown" && e.Get(L"msg") != L"syskeydown")
            continue;
        if (!window || e.Int(L"wnd") == (long long)(ULONG_PTR)window)
            return true;
    }
    return false;
}

// Parameter: UseLLHook.
class HostKeys : public ::testing::TestWithParam<int> {
protected:
    bool Start(const std::string& config, const std::string& keyboard)
    {
        CHostSetup setup = EngineHostSetup("[Config]\r\nUseLLHook=" + std::to_string(GetParam()) + "\r\n" + config +
                                           "[Keyboard]\r\n" + keyboard);
        setup.leftFiles = {L"a.txt", L"b.txt"};
        return m_host.Start(setup);
    }
    // Presses a chord with the focus on `target`; returns the log lines it caused.
    std::vector<CHostLogEntry> ChordIn(HWND target, std::initializer_list<WORD> modifiers, WORD vk)
    {
        EXPECT_TRUE(m_host.Focus(target));
        size_t mark = m_host.LogMark();
        EXPECT_TRUE(m_host.Chord(modifiers, vk));
        EXPECT_TRUE(m_host.Flush()); // a deferred command is posted after the key
        return m_host.LogSince(mark);
    }
    std::wstring IniPath() const { return m_host.PluginDir() + L"\\Merovin.ini"; }

    CHostDriver m_host;
};

} // namespace

TEST_P(HostKeys, BoundKeyRunsOnceAndUnboundKeyPasses)
{
    ASSERT_TRUE(Start("", "cm_ClearAll=Ctrl+E\r\nem_demo=Ctrl+U\r\n")) << m_host.LastError();
    HWND left = m_host.Query(1);

    auto log = ChordIn(left, {VK_LCONTROL}, 'E');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));
    for (const CHostLogEntry& e : log)
        if (e.m_kind == L"cmd") {
            EXPECT_EQ(0, e.Int(L"sent")); // posted
        }
    EXPECT_FALSE(KeyReached(log, 'E'));

    // The right Ctrl matches a Ctrl written without side.
    log = ChordIn(left, {VK_RCONTROL}, 'E');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));

    // Unbound: E without Ctrl, and Ctrl+Shift+E (a modifier the entry does not name).
    log = ChordIn(left, {}, 'E');
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, 'E', left));
    log = ChordIn(left, {VK_LCONTROL, VK_LSHIFT}, 'E');
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, 'E', left));

    // A user command goes to the host as WM_COPYDATA with its 8-bit name.
    log = ChordIn(left, {VK_LCONTROL}, 'U');
    int copies = 0;
    for (const CHostLogEntry& e : log) {
        if (e.m_kind != L"copydata")
            continue;
        ++copies;
        EXPECT_EQ((long long)CopyDataUserCommand, e.Int(L"dw"));
        EXPECT_EQ(8, e.Int(L"cb"));
        EXPECT_EQ(1, e.Int(L"ok"));
        EXPECT_EQ(L"em_demo", e.Get(L"name"));
    }
    EXPECT_EQ(1, copies);
    EXPECT_FALSE(KeyReached(log, 'U'));
}

TEST_P(HostKeys, HeldBoundKeyDoesNotFireAgainWithAnotherKey)
{
    ASSERT_TRUE(Start("", "524=X\r\n")) << m_host.LastError();
    HWND left = m_host.Query(1);
    ASSERT_TRUE(m_host.Focus(left));
    size_t mark = m_host.LogMark();
    ASSERT_TRUE(SendKeys({MakeKeyInput('X', false), MakeKeyInput(VK_F8, false), MakeKeyInput(VK_F8, true),
                          MakeKeyInput('X', true)}));
    ASSERT_TRUE(m_host.Sync());
    ASSERT_TRUE(m_host.Flush());
    auto log = m_host.LogSince(mark);
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));
    EXPECT_TRUE(KeyReached(log, VK_F8, left));
    EXPECT_FALSE(KeyReached(log, 'X'));
}

TEST_P(HostKeys, FocusClassDecidesWhatRuns)
{
    ASSERT_TRUE(Start("BookMarks=1\r\n", "cm_ClearAll=Ctrl+E\r\nToggleSaveBookmark=Ctrl+G\r\n2122=END\r\n"))
        << m_host.LastError();
    HWND left = m_host.Query(1);
    // An engine command is swallowed in the list but passes in a host edit box.
    auto log = ChordIn(left, {VK_LCONTROL}, 'G');
    EXPECT_FALSE(KeyReached(log, 'G'));
    HWND mainEdit = m_host.ShowWindow(KindEditInMain, 0); // "TEdit" in the main window
    ASSERT_NE(nullptr, mainEdit);
    log = ChordIn(mainEdit, {VK_LCONTROL}, 'G');
    EXPECT_TRUE(KeyReached(log, 'G', mainEdit));
    // A host command runs from an edit box of the main window.
    log = ChordIn(mainEdit, {VK_LCONTROL}, 'E');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));
    EXPECT_FALSE(KeyReached(log, 'E'));

    // In an edit box of a host dialog the host command passes, except a plain END.
    HWND box = m_host.ShowWindow(KindEditInOwned, 0);
    ASSERT_NE(nullptr, box);
    HWND dialogEdit = GetWindow(box, GW_CHILD);
    ASSERT_NE(nullptr, dialogEdit);
    log = ChordIn(dialogEdit, {VK_LCONTROL}, 'E');
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, 'E', dialogEdit));
    log = ChordIn(dialogEdit, {}, VK_END);
    EXPECT_EQ(std::vector<long long>{2122}, Commands(log));
    EXPECT_FALSE(KeyReached(log, VK_END));
}

TEST_P(HostKeys, DriveListHotkeyOpensTheDriveBoxOnlyWithDriveList)
{
    ASSERT_TRUE(Start("DriveList=1\r\nBookMarks=1\r\n", "131=Alt+F1\r\n")) << m_host.LastError();
    HWND left = m_host.Query(1);
    // The engine's drive menu replaces the host's list: the click on the box
    // asks the host to open its list (131), and the engine's menu drops.
    auto menuOpen = [&] {
        return WaitFor(5000, [&] { return FindWindowExW(nullptr, nullptr, L"#32768", nullptr) &&
                                          IsWindowVisible(FindWindowExW(nullptr, nullptr, L"#32768", nullptr)); });
    };
    auto closeMenu = [&] {
        PostMessageW(FindWindowExW(nullptr, nullptr, L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
        WaitFor(3000, [&] { return !IsWindowVisible(FindWindowExW(nullptr, nullptr, L"#32768", nullptr)); });
    };
    EXPECT_TRUE(m_host.Focus(left));
    size_t mark = m_host.LogMark();
    EXPECT_TRUE(m_host.Chord({VK_LMENU}, VK_F1));
    EXPECT_TRUE(menuOpen());
    closeMenu();
    auto log = m_host.LogSince(mark);
    EXPECT_EQ(std::vector<long long>{131}, Commands(log));
    EXPECT_FALSE(KeyReached(log, VK_F1));
    // From the command line's edit box as well.
    HWND commandLine = GetWindow(m_host.Query(20), GW_CHILD);
    ASSERT_NE(nullptr, commandLine);
    Sleep(200);
    EXPECT_TRUE(m_host.Focus(commandLine));
    mark = m_host.LogMark();
    EXPECT_TRUE(m_host.Chord({VK_LMENU}, VK_F1));
    EXPECT_TRUE(menuOpen());
    closeMenu();
    log = m_host.LogSince(mark);
    EXPECT_EQ(std::vector<long long>{131}, Commands(log));
    EXPECT_FALSE(KeyReached(log, VK_F1));
    m_host.Stop();

    ASSERT_TRUE(Start("DriveList=0\r\nBookMarks=1\r\n", "131=Alt+F1\r\n")) << m_host.LastError();
    left = m_host.Query(1);
    log = ChordIn(left, {VK_LMENU}, VK_F1);
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, VK_F1, left));
}

TEST_P(HostKeys, ReloadHotkeyBringsTheNewTableOnly)
{
    ASSERT_TRUE(Start("", "ReloadSettings=Ctrl+R\r\ncm_ClearAll=Ctrl+E\r\n")) << m_host.LastError();
    HWND left = m_host.Query(1);
    HWND before = Dispatcher(m_host.ThreadId());
    ASSERT_NE(nullptr, before);
    WritePrivateProfileStringW(L"Keyboard", L"cm_ClearAll", L"Ctrl+Y", IniPath().c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, IniPath().c_str());
    auto log = ChordIn(left, {VK_LCONTROL}, 'R');
    EXPECT_FALSE(KeyReached(log, 'R'));
    ASSERT_TRUE(WaitFor(3000, [&] { return Dispatcher(m_host.ThreadId()) != before; }));
    log = ChordIn(left, {VK_LCONTROL}, 'E');
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, 'E', left));
    log = ChordIn(left, {VK_LCONTROL}, 'Y');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));
}

TEST_P(HostKeys, DispatcherTakesCommandsFromAnotherProcess)
{
    ASSERT_TRUE(Start("", "cm_ClearAll=Ctrl+E\r\n")) << m_host.LastError();
    HWND dispatcher = Dispatcher(m_host.ThreadId());
    ASSERT_NE(nullptr, dispatcher);
    size_t mark = m_host.LogMark();
    DWORD_PTR answer = 0;
    // A text beginning with a digit and an unassigned number do nothing. (A null
    // text is not carried across processes; the in-process tests cover it.)
    ASSERT_TRUE(SendMessageTimeoutW(dispatcher, WM_SETTEXT, 5, (LPARAM)L"1abc", SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(TRUE, (BOOL)answer);
    ASSERT_TRUE(SendMessageTimeoutW(dispatcher, WM_SETTEXT, 65540, (LPARAM)L"", SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(TRUE, (BOOL)answer);
    // A deferred hotkey of an index the table does not have, or of another generation.
    ASSERT_TRUE(PostMessageW(dispatcher, DeferredHotkeyMessage, 7, 1));
    ASSERT_TRUE(PostMessageW(dispatcher, DeferredHotkeyMessage, 0, 0));
    ASSERT_TRUE(m_host.Flush());
    EXPECT_TRUE(Commands(m_host.LogSince(mark)).empty());
    EXPECT_EQ(dispatcher, Dispatcher(m_host.ThreadId()));
    wchar_t caption[64] = {};
    GetWindowTextW(dispatcher, caption, 64);
    EXPECT_STREQ(L"Dispatcher", caption);

    // An empty text runs the engine command of the number: ReloadSettings.
    ASSERT_TRUE(SendMessageTimeoutW(dispatcher, WM_SETTEXT, 65520, (LPARAM)L"", SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(TRUE, (BOOL)answer);
    EXPECT_TRUE(WaitFor(3000, [&] { return Dispatcher(m_host.ThreadId()) != dispatcher; }));
}

// A settings file with only "GotoUpFromRoot": no file-list object, so the
// side's folder comes from its path bar. Backspace and Ctrl+PgUp at a drive
// root open the drive list (cm_OpenDrives); in a folder the key goes on.
TEST(GotoUpFromRoot, DriveRootOpensTheDrivesWithOnlyThatKeySet)
{
    CHostDriver host;
    CHostSetup setup = EngineHostSetup("[Config]\r\nGotoUpFromRoot=1\r\n");
    setup.leftFiles = {L"sub\\a.txt"};
    ASSERT_TRUE(host.Start(setup)) << host.LastError();
    HWND left = host.Query(1);
    struct {
        std::wstring folder;
        WORD modifier, vk;
        bool opens;
    } presses[] = {
        {L"C:\\", VK_LCONTROL, VK_PRIOR, true},
        {L"C:\\", 0, VK_BACK, true},
        {host.DataDir(0) + L"\\sub", 0, VK_BACK, false},
        {host.DataDir(0) + L"\\sub", VK_LCONTROL, VK_PRIOR, false},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.folder + L" " + std::to_wstring(p.vk));
        std::string bytes = "\xEF\xBB\xBF" + std::string(p.folder.begin(), p.folder.end());
        bytes.append("\r\0\0", 3); // the left path, no flags
        COPYDATASTRUCT data = {CopyDataChangePath, (DWORD)bytes.size(), &bytes[0]};
        SendMessageW(host.Main(), WM_COPYDATA, 0, (LPARAM)&data);
        ASSERT_TRUE(host.Focus(left));
        size_t mark = host.LogMark();
        ASSERT_TRUE(p.modifier ? host.Chord({p.modifier}, p.vk) : host.Press(p.vk));
        ASSERT_TRUE(host.Flush());
        auto log = host.LogSince(mark);
        EXPECT_EQ(p.opens ? std::vector<long long>{2122} : std::vector<long long>{}, Commands(log));
        EXPECT_EQ(!p.opens, KeyReached(log, p.vk, left));
    }
}

INSTANTIATE_TEST_SUITE_P(BothHooks, HostKeys, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param ? "LowLevel" : "Thread");
                         });

// Only the low-level hook sees keys in windows the host owns outside its
// main window, and keys of other programs.
class LowLevelKeys : public HostKeys {};

TEST_P(LowLevelKeys, HostOwnedWindowsAndOtherPrograms)
{
    ASSERT_TRUE(Start("", "cm_ClearAll=Ctrl+E\r\n2122=RCtrl+D\r\n2033=RShift+S\r\n")) << m_host.LastError();
    HWND lister = m_host.ShowWindow(KindLister);
    ASSERT_NE(nullptr, lister);
    auto log = ChordIn(lister, {VK_LCONTROL}, 'E');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));
    HWND associate = m_host.ShowWindow(KindAssociate);
    ASSERT_NE(nullptr, associate);
    log = ChordIn(associate, {VK_LCONTROL}, 'E');
    EXPECT_EQ(std::vector<long long>{524}, Commands(log));

    // Sided modifiers, also when a generic Ctrl code is injected.
    HWND left = m_host.Query(1);
    log = ChordIn(left, {VK_RCONTROL}, 'D');
    EXPECT_EQ(std::vector<long long>{2122}, Commands(log));
    log = ChordIn(left, {VK_LCONTROL}, 'D');
    EXPECT_TRUE(Commands(log).empty());
    EXPECT_TRUE(KeyReached(log, 'D', left));
    size_t mark = m_host.LogMark();
    ASSERT_TRUE(SendKeys({MakeKeyInput(VK_CONTROL, false), MakeKeyInput('E', false), MakeKeyInput('E', true),
                          MakeKeyInput(VK_CONTROL, true)}));
    ASSERT_TRUE(m_host.Sync());
    ASSERT_TRUE(m_host.Flush());
    EXPECT_EQ(std::vector<long long>{524}, Commands(m_host.LogSince(mark)));
    // A generic Ctrl with the extended flag is the right one; a generic Shift
    // with the right Shift's scan code is the right Shift.
    INPUT rightCtrl = MakeKeyInput(VK_CONTROL, false);
    rightCtrl.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    INPUT rightCtrlUp = rightCtrl;
    rightCtrlUp.ki.dwFlags |= KEYEVENTF_KEYUP;
    INPUT rightShift = MakeKeyInput(VK_SHIFT, false);
    rightShift.ki.wScan = 0x36;
    INPUT rightShiftUp = rightShift;
    rightShiftUp.ki.dwFlags |= KEYEVENTF_KEYUP;
    mark = m_host.LogMark();
    ASSERT_TRUE(SendKeys({rightCtrl, MakeKeyInput('D', false), MakeKeyInput('D', true), rightCtrlUp, rightShift,
                          MakeKeyInput('S', false), MakeKeyInput('S', true), rightShiftUp}));
    ASSERT_TRUE(m_host.Sync());
    ASSERT_TRUE(m_host.Flush());
    EXPECT_EQ((std::vector<long long>{2122, 2033}), Commands(m_host.LogSince(mark)));

    // A window of this process in the foreground: the key is its own.
    static int received = 0;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_KEYDOWN && wp == 'E')
            ++received;
        return DefWindowProcW(w, m, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ForeignKeys";
    RegisterClassW(&wc);
    HWND foreign = CreateWindowExW(0, L"ForeignKeys", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, foreign);
    SetForegroundWindow(foreign);
    SetFocus(foreign);
    ASSERT_EQ(foreign, GetForegroundWindow());
    mark = m_host.LogMark();
    std::vector<INPUT> keys = BuildChord({VK_LCONTROL}, 'E');
    ASSERT_TRUE(SendKeys(keys));
    DWORD start = GetTickCount();
    while (received == 0 && GetTickCount() - start < 2000) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    EXPECT_EQ(1, received);
    ASSERT_TRUE(m_host.Flush());
    EXPECT_TRUE(Commands(m_host.LogSince(mark)).empty());
    DestroyWindow(foreign);
}

INSTANTIATE_TEST_SUITE_P(Hook, LowLevelKeys, ::testing::Values(1),
                         [](const ::testing::TestParamInfo<int>&) { return std::string("LowLevel"); });
