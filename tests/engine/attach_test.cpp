// The engine attaching to a host window tree built in the test process:
// panel objects, the retry timer, the window watcher's tree checks,
// re-attaching recreated parts, the main window's subclass (close flow,
// destruction, keeping the host behind) and a teardown that leaves the
// host's windows as they were.
#include <gtest/gtest.h>
#include "EngineHarness.h"
#include "TCProtocol.h"
#include "MiniHost.h"

namespace {


struct PostedRefresh {
    HWND window;
    WPARAM side;
    LPARAM what;
};
std::vector<PostedRefresh> g_refreshes;

LRESULT CALLBACK SpyGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == PanelRefreshMessage)
        g_refreshes.push_back({msg->hwnd, msg->wParam, msg->lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Texts set on windows of this thread, in order.
std::vector<std::pair<HWND, std::wstring>> g_texts;

LRESULT CALLBACK SpySetText(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SETTEXT && sent->lParam)
        g_texts.push_back({sent->hwnd, reinterpret_cast<LPCWSTR>(sent->lParam)});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class EngineAttach : public ::testing::Test {
protected:
    void Start(CEngineHarness& engine, const char* config)
    {
        std::string ini = std::string("[Config]\r\nUseLLHook=0\r\n") + config;
        WriteText(engine.SettingsFile(), ini.c_str());
        ASSERT_TRUE(engine.Load());
        engine.SetDefaultParams("");
    }
    // Attaching is done at start-up, or by a retry soon after.
    static bool Attached(CEngineHarness& engine)
    {
        return PumpUntil(3000, [&] { return engine.Number(L"treeValid") == 1; });
    }
    static HWND Window(CEngineHarness& engine, const wchar_t* key) { return (HWND)engine.Handle(key); }
    // Number of running timers of an engine timer kind (0 retry, 1 tree check, 2 detach-unload).
    static int TimersOf(CEngineHarness& engine, int kind)
    {
        std::wstring list = engine.Value(L"timerList");
        std::wstring want = std::to_wstring(kind) + L":";
        int count = 0;
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(L',', start);
            std::wstring item = list.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            if (item.compare(0, want.size(), want) == 0)
                ++count;
            if (end == std::wstring::npos)
                break;
            start = end + 1;
        }
        return count;
    }
};

} // namespace

TEST_F(EngineAttach, PanelObjectsSitOnTheirHostWindows)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "StickyFiles=1\r\nDriveList=1\r\n");
    ASSERT_TRUE(Attached(engine));
    EXPECT_EQ(0, engine.Number(L"attaching"));
    EXPECT_EQ(0, TimersOf(engine, 0));
    EXPECT_EQ(host.main, Window(engine, L"mainSubclass"));
    for (int side = 0; side < 2; ++side) {
        const CMiniHost::Panel& p = host.panels[side];
        std::wstring n = std::to_wstring(side);
        EXPECT_EQ(p.list, Window(engine, (L"fileList" + n).c_str())) << side;
        EXPECT_EQ(p.tabs, Window(engine, (L"tabs" + n).c_str())) << side;
        EXPECT_EQ(p.bars[1], Window(engine, (L"pathWnd" + n).c_str())) << side;
        EXPECT_EQ(p.drive, Window(engine, (L"driveCombo" + n).c_str())) << side;
        for (HWND w : {p.list, p.tabs, p.bars[1], p.drive})
            EXPECT_TRUE(CMiniHost::HasEngineProperty(w));
    }
    EXPECT_EQ(9, engine.Number(L"subclasses"));

    // The host still draws its list items and everything else owner-drawn.
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.hwndItem = host.panels[1].list;
    EXPECT_EQ(TRUE, SendMessageW(host.main, WM_DRAWITEM, 0, (LPARAM)&item));
    item.hwndItem = host.buttonBar;
    EXPECT_EQ(TRUE, SendMessageW(host.main, WM_DRAWITEM, 0, (LPARAM)&item));
    EXPECT_EQ(2, host.drawItems);

    // Messages still reach the host's controls through the chain.
    SendMessageW(host.panels[0].tabs, TCM_INSERTITEMW, 0, (LPARAM) & (const TCITEMW&)TCITEMW{TCIF_TEXT, 0, 0, (LPWSTR)L"c:", 0, 0, 0});
    EXPECT_EQ(1, (int)SendMessageW(host.panels[0].tabs, TCM_GETITEMCOUNT, 0, 0));
}

TEST_F(EngineAttach, OnlyTheNeededObjectsAreCreated)
{
    CMiniHostOptions options;
    options.tabs = false;
    CMiniHost host(options);
    CEngineHarness engine;
    Start(engine, "StickyFiles=0\r\nDriveList=0\r\n");
    ASSERT_TRUE(Attached(engine));
    EXPECT_EQ(L"none", engine.Value(L"fileList0"));
    EXPECT_EQ(L"none", engine.Value(L"driveCombo1"));
    // Tab objects exist for a later tab control, without a window now.
    EXPECT_EQ(nullptr, Window(engine, L"tabs0"));
    EXPECT_NE(L"none", engine.Value(L"tabs0"));
    EXPECT_EQ(host.panels[1].bars[1], Window(engine, L"pathWnd1"));

    // A tab control appearing later is taken on through the dispatcher.
    HWND tabs = CMiniHost::Child(WC_TABCONTROLW, host.panels[1].panel, 100, 0, 300, 20);
    ASSERT_TRUE(PumpUntil(3000, [&] { return Window(engine, L"tabs1") == tabs; }));
    EXPECT_EQ(nullptr, Window(engine, L"tabs0"));
}

TEST_F(EngineAttach, IncompleteTreeRetriesWithOneTimerUntilTheBarExists)
{
    CMiniHostOptions options;
    options.bars = 3;
    CMiniHost host(options);
    CEngineHarness engine;
    Start(engine, "StickyFiles=1\r\n");
    EXPECT_EQ(0, engine.Number(L"treeValid"));
    EXPECT_EQ(1, engine.Number(L"attaching"));
    int runs = engine.Number(L"attachRuns");
    for (int i = 0; i < 5; ++i) {
        Pump(110);
        EXPECT_EQ(1, TimersOf(engine, 0)) << i;
        EXPECT_EQ(1, engine.Number(L"timers")) << i;
    }
    EXPECT_GE(engine.Number(L"attachRuns") - runs, 2);
    EXPECT_EQ(L"none", engine.Value(L"fileList0"));

    for (int side = 0; side < 2; ++side)
        CMiniHost::Child(L"Window", host.panels[side].panel, 0, CMiniHost::BarTop(3), 400, 20);
    DWORD added = GetTickCount();
    ASSERT_TRUE(PumpUntil(3000, [&] { return engine.Number(L"treeValid") == 1; }));
    EXPECT_LE(GetTickCount() - added, 600u); // a retry or two, with room for a busy machine
    EXPECT_EQ(host.panels[0].list, Window(engine, L"fileList0"));
    EXPECT_EQ(0, engine.Number(L"attaching"));
    ASSERT_TRUE(PumpUntil(3000, [&] { return engine.Number(L"timers") == 0; }));
}

TEST_F(EngineAttach, TwoInvisibleBarsFailUntilOneIsShown)
{
    CMiniHostOptions options;
    options.hiddenBars = 2;
    CMiniHost host(options);
    CEngineHarness engine;
    Start(engine, "");
    Pump(300);
    EXPECT_EQ(0, engine.Number(L"treeValid"));
    EXPECT_EQ(1, TimersOf(engine, 0));

    // One invisible bar is allowed and sorts first.
    ShowWindow(host.panels[0].bars[0], SW_SHOWNA);
    ASSERT_TRUE(Attached(engine));
    EXPECT_EQ(host.panels[0].bars[0], Window(engine, L"pathWnd0"));
    EXPECT_EQ(host.panels[1].bars[1], Window(engine, L"pathWnd1"));
    EXPECT_EQ(0, TimersOf(engine, 0));
}

TEST_F(EngineAttach, WatcherChecksTheTreeAfterQuietCreations)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "");
    ASSERT_TRUE(Attached(engine));
    int checks = engine.Number(L"treeChecks");

    // An edit and a dialog start nothing.
    HWND edit = CMiniHost::Child(L"Edit", host.bottomBar, 0, 20, 50, 20);
    HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 50, 50, host.main, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(edit && dialog);
    EXPECT_EQ(0, TimersOf(engine, 1));
    Pump(300);
    EXPECT_EQ(checks, engine.Number(L"treeChecks"));
    DestroyWindow(dialog);

    // Five windows 50 ms apart: one check, at least 100 ms after the last
    // (a busy machine may stretch a pause past 100 ms: one check more each).
    DWORD beforeLast = 0;
    int longPauses = 0;
    for (int i = 0; i < 5; ++i) {
        DWORD now = GetTickCount();
        if (i > 0 && now - beforeLast >= 100)
            ++longPauses;
        beforeLast = now;
        CMiniHost::Child(L"Window", host.bottomBar, 60 + i * 10, 20, 5, 5);
        EXPECT_EQ(1, TimersOf(engine, 1));
        Pump(50);
    }
    ASSERT_TRUE(PumpUntil(3000, [&] { return TimersOf(engine, 1) == 0; }));
    Pump(300);
    EXPECT_LE(checks + 1, engine.Number(L"treeChecks"));
    EXPECT_GE(checks + 1 + longPauses, engine.Number(L"treeChecks"));
    DWORD created = (DWORD)engine.Number(L"lastCreationTick");
    DWORD checked = (DWORD)_wtoi64(engine.Value(L"lastTreeCheckTick").c_str());
    EXPECT_GE(created, beforeLast);
    EXPECT_GE(checked - created, 100u);
}

TEST_F(EngineAttach, ListerAndQuickSearchHaveTheirOwnHandling)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "StickyFiles=1\r\nCloseAllListers=1\r\n");
    ASSERT_TRUE(Attached(engine));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    for (const wchar_t* name : {L"TLister", L"TQUICKSEARCH"}) {
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
    HWND lister = CreateWindowExW(0, L"TLister", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, lister);
    EXPECT_EQ(0, TimersOf(engine, 1));

    SetForegroundWindow(host.main);
    SetFocus(host.panels[1].list);
    ASSERT_EQ(host.panels[1].list, GetFocus());
    HWND search = CMiniHost::Child(L"TQUICKSEARCH", host.main, 400, 300, 100, 20);
    ASSERT_NE(nullptr, search);
    EXPECT_EQ(0, TimersOf(engine, 1));
    EXPECT_EQ(0, engine.Number(L"quickSearch0"));
    EXPECT_EQ(1, engine.Number(L"quickSearch1"));
    DestroyWindow(lister);
}

TEST_F(EngineAttach, RecreatedPartsAreAttachedAgain)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "StickyFiles=1\r\n");
    ASSERT_TRUE(Attached(engine));
    HWND dispatcher = Window(engine, L"dispatcher");
    g_refreshes.clear();
    HHOOK spy = SetWindowsHookExW(WH_GETMESSAGE, SpyGetMessage, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, spy);

    CMiniHost::Panel& left = host.panels[0];
    DestroyWindow(left.tabs);
    left.tabs = CMiniHost::Child(WC_TABCONTROLW, left.panel, 100, 0, 300, 20);
    EXPECT_TRUE(PumpUntil(3000, [&] { return Window(engine, L"tabs0") == left.tabs; }));

    DestroyWindow(left.bars[1]);
    left.bars[1] = CMiniHost::Child(L"Window", left.panel, 0, CMiniHost::BarTop(1), 400, 20);
    EXPECT_TRUE(PumpUntil(3000, [&] { return Window(engine, L"pathWnd0") == left.bars[1]; }));

    // A new list: the side's path bar is given its own text again.
    CMiniHost::Panel& right = host.panels[1];
    SetWindowTextW(right.bars[1], L"C:\\Right\\*.*");
    g_texts.clear();
    HHOOK textSpy = SetWindowsHookExW(WH_CALLWNDPROC, SpySetText, nullptr, GetCurrentThreadId());
    DestroyWindow(right.list);
    right.list = CMiniHost::Child(L"LCLListBox", right.panel, 0, 110, 400, 360);
    EXPECT_TRUE(PumpUntil(3000, [&] { return Window(engine, L"fileList1") == right.list; }));
    Pump(200);
    UnhookWindowsHookEx(spy);
    UnhookWindowsHookEx(textSpy);
    std::vector<std::pair<HWND, std::wstring>> texts = {{right.bars[1], L"C:\\Right\\*.*"}};
    EXPECT_EQ(texts, g_texts);

    ASSERT_EQ(2u, g_refreshes.size());
    EXPECT_EQ(dispatcher, g_refreshes[0].window);
    EXPECT_EQ(0u, g_refreshes[0].side);
    EXPECT_EQ(2, g_refreshes[0].what);
    EXPECT_EQ(dispatcher, g_refreshes[1].window);
    EXPECT_EQ(1u, g_refreshes[1].side);
    EXPECT_EQ(0, g_refreshes[1].what);
    // The untouched parts keep their objects.
    EXPECT_EQ(left.list, Window(engine, L"fileList0"));
    EXPECT_EQ(right.tabs, Window(engine, L"tabs1"));
    EXPECT_EQ(right.bars[1], Window(engine, L"pathWnd1"));
}

TEST_F(EngineAttach, CloseDetachesFirstAndUnloadsASecondLater)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "CheckCloseTC=0\r\n");
    ASSERT_EQ(host.main, Window(engine, L"mainSubclass"));
    DWORD posted = GetTickCount();
    PostMessageW(host.main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil(3000, [&] { return !IsWindow(host.main); }));
    // The host saw one close, after the subclass had left its window.
    EXPECT_EQ(1, host.closes);
    EXPECT_EQ(0, host.closesWithSubclass);
    EXPECT_EQ(1, TimersOf(engine, 2));
    EXPECT_EQ(1, engine.Number(L"pinned"));
    ASSERT_TRUE(PumpUntil(3000, [&] { return engine.Number(L"pinned") == 0; }));
    EXPECT_GE(GetTickCount() - posted, 950u);
    EXPECT_EQ(0, engine.Number(L"running"));
    EXPECT_EQ(0, engine.Number(L"timers"));
}

TEST_F(EngineAttach, HostRefusingItsCloseKeepsTheEngine)
{
    CMiniHost host;
    host.refuseClose = true;
    CEngineHarness engine;
    Start(engine, "CheckCloseTC=0\r\n");
    PostMessageW(host.main, WM_CLOSE, 0, 0);
    Pump(300);
    EXPECT_EQ(1, host.closes);
    EXPECT_EQ(0, host.closesWithSubclass);
    EXPECT_EQ(nullptr, Window(engine, L"mainSubclass"));
    // A second later the subclass is back and the engine carries on.
    ASSERT_TRUE(PumpUntil(3000, [&] { return Window(engine, L"mainSubclass") == host.main; }));
    EXPECT_EQ(1, engine.Number(L"pinned"));
    EXPECT_EQ(1, engine.Number(L"running"));
    EXPECT_EQ(0, TimersOf(engine, 2));

    // The next close goes through the subclass again.
    host.refuseClose = false;
    PostMessageW(host.main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil(3000, [&] { return !IsWindow(host.main); }));
    EXPECT_EQ(2, host.closes);
    EXPECT_EQ(0, host.closesWithSubclass);
}

TEST_F(EngineAttach, OpenListerNeedsTheUsersYes)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "CheckCloseTC=1\r\n");
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TLister";
    RegisterClassW(&wc);
    HWND lister = CreateWindowExW(0, L"TLister", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, lister);

    // A thread timer answers the box: No keeps the host, then Yes closes it.
    static std::wstring s_text;
    static int s_answer;
    s_answer = IDNO;
    UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) {
                wchar_t text[200] = {};
                GetDlgItemTextW(w, 0xFFFF, text, 200);
                s_text = text;
                PostMessageW(w, WM_COMMAND, s_answer, 0);
                return FALSE;
            }
            return TRUE;
        }, 0);
    });
    SendMessageW(host.main, WM_CLOSE, 0, 0);
    Pump(200);
    EXPECT_EQ(L"There are 1 open Lister(s).\nExit TC anyway?", s_text);
    EXPECT_EQ(0, host.closes);
    EXPECT_TRUE(IsWindow(host.main));
    EXPECT_EQ(host.main, Window(engine, L"mainSubclass"));

    s_answer = IDYES;
    SendMessageW(host.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil(3000, [&] { return !IsWindow(host.main); }));
    KillTimer(nullptr, timer);
    EXPECT_EQ(1, host.closes);
    DestroyWindow(lister);
}

TEST_F(EngineAttach, DestroyedMainWindowStopsTheEngineWhichCanStartAgain)
{
    CEngineHarness engine;
    {
        CMiniHost host;
        Start(engine, "StickyFiles=1\r\n");
        ASSERT_TRUE(Attached(engine));
        DestroyWindow(host.main);
        auto dump = engine.Dump();
        EXPECT_EQ(L"0", dump[L"running"]);
        EXPECT_EQ(L"0", dump[L"watcherHook"]);
        EXPECT_EQ(L"0", dump[L"keyboardHook"]);
        EXPECT_EQ(L"0", dump[L"timers"]);
        EXPECT_EQ(L"0", dump[L"subclasses"]);
        EXPECT_TRUE(ThreadWindows(L"DispIniFileClass").empty());
    }
    CMiniHost host;
    engine.SetDefaultParams("");
    EXPECT_EQ(1, engine.Number(L"running"));
    ASSERT_TRUE(Attached(engine));
    EXPECT_EQ(host.panels[1].list, Window(engine, L"fileList1"));
    EXPECT_EQ(host.main, Window(engine, L"mainSubclass"));
}

TEST_F(EngineAttach, TeardownLeavesTheHostWindowsAsTheyWere)
{
    CMiniHost host;
    std::vector<HWND> windows = host.AllWindows();
    std::vector<std::vector<std::wstring>> props;
    std::vector<LONG_PTR> procs;
    for (HWND w : windows) {
        props.push_back(CMiniHost::Properties(w));
        procs.push_back(GetWindowLongPtrW(w, GWLP_WNDPROC));
    }
    CEngineHarness engine;
    Start(engine, "StickyFiles=1\r\n");
    ASSERT_EQ(9, engine.Number(L"subclasses"));
    // Start a tree check and leave it running into the teardown.
    CMiniHost::Child(L"Window", host.bottomBar, 0, 30, 5, 5);
    EXPECT_EQ(1, TimersOf(engine, 1));

    engine.Unloading();
    auto dump = engine.Dump();
    EXPECT_EQ(L"0", dump[L"timers"]);
    EXPECT_EQ(L"0", dump[L"watcherHook"]);
    EXPECT_EQ(L"0", dump[L"subclasses"]);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(props[i], CMiniHost::Properties(windows[i])) << i;
        EXPECT_EQ(procs[i], GetWindowLongPtrW(windows[i], GWLP_WNDPROC)) << i;
    }
    engine.Free();
    ASSERT_TRUE(engine.WaitUnloaded(2000));
    // Nothing of the library is called any more.
    for (HWND w : windows)
        SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    CMiniHost::Child(L"Window", host.bottomBar, 0, 40, 5, 5);
    Pump(250);

    // Loaded again, it attaches again.
    ASSERT_TRUE(engine.Load());
    engine.SetDefaultParams("");
    EXPECT_TRUE(Attached(engine));
    EXPECT_EQ(host.main, Window(engine, L"mainSubclass"));
}

TEST_F(EngineAttach, KeepTCBackHoldsTheHostsPlaceWhileTheButtonIsDown)
{
    CMiniHost host;
    CEngineHarness engine;
    Start(engine, "KeepTCBack=1\r\n");
    auto press = [](bool down) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(1, &input, sizeof(input));
        Pump(50);
    };
    auto zOrderKept = [&]() {
        host.posFlags.clear();
        SetWindowPos(host.main, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return !host.posFlags.empty() && (host.posFlags.back() & SWP_NOZORDER) != 0;
    };
    // A plain window takes the clicks (on the host's caption they would start
    // a move loop). The cursor cannot be moved on the test's desktop:
    // whatever lies under it decides, as it does for the engine.
    HWND other = CreateWindowExW(0, L"Window", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    bool overList = under == host.panels[0].list || under == host.panels[1].list;
    bool overHost = under == host.main;

    press(true);
    ASSERT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    EXPECT_EQ(overList, zOrderKept());   // 1: only over the file lists
    press(false);
    EXPECT_FALSE(zOrderKept());          // button up

    // 2: anywhere but over the host itself.
    WritePrivateProfileStringW(L"Config", L"KeepTCBack", L"2", engine.SettingsFile().c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, engine.SettingsFile().c_str());
    SendMessageW(Window(engine, L"dispatcher"), RegisterWindowMessageW(engine.SettingsFile().c_str()), 0, 0);
    ASSERT_EQ(L"2", engine.Value(L"KeepTCBack"));
    press(true);
    EXPECT_EQ(!overHost, zOrderKept());

    // A click on the host brings it up all the same.
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(host.main, WM_MOUSEACTIVATE, (WPARAM)host.main, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    HWND first = nullptr;
    for (HWND w = GetTopWindow(nullptr); w && !first; w = GetWindow(w, GW_HWNDNEXT))
        if (w == host.main || w == other)
            first = w;
    EXPECT_EQ(host.main, first);
    press(false);
    EXPECT_FALSE(zOrderKept());
    DestroyWindow(other);
}
