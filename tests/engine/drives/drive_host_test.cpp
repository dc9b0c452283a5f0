// The drive menu in the stand-in host.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
#include "EngineHost.h"
#include "HostTestSupport.h"

namespace {

// A visible top-level window of the class on the thread.
HWND VisibleOf(DWORD thread, LPCWSTR windowClass)
{
    struct Search { LPCWSTR name; HWND found; } search = {windowClass, nullptr};
    EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        WCHAR name[16] = {};
        if (IsWindowVisible(window) && GetClassNameW(window, name, 16) && lstrcmpW(name, s->name) == 0) {
            s->found = window;
            return FALSE;
        }
        return TRUE;
    }, LPARAM(&search));
    return search.found;
}

HWND MenuWindowOf(DWORD thread)
{
    return VisibleOf(thread, L"#32768");
}

} // namespace

TEST(DriveMenuHost, ClickDropsTheMenuTypedLetterSwitchesDeviceChangeCloses)
{
    CHostDriver host;
    CHostSetup setup = EngineHostSetup("[Config]\r\nDriveList=1\r\n");
    ASSERT_TRUE(host.Start(setup)) << host.LastError();
    HWND list = host.Query(1), combo = host.Query(13);
    ASSERT_TRUE(host.Focus(list));
    int zIndex = int(SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"[-z-]")));
    ASSERT_GE(zIndex, 0);

    // A click: the host is asked to open its list and the engine's menu drops instead.
    size_t mark = host.LogMark();
    PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor(5000, [&] { return (menu = MenuWindowOf(host.ThreadId())) != nullptr; }));
    EXPECT_EQ(nullptr, VisibleOf(host.ThreadId(), L"ComboLBox"));
    auto commands = host.LogSince(mark, L"cmd");
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(131, commands[0].Int(L"n"));

    // "z" typed into the menu closes it; the host's entry is chosen 100 ms later.
    PostMessageW(menu, WM_CHAR, L'z', 0);
    ASSERT_TRUE(WaitFor(5000, [&] { return !host.LogSince(mark, L"drivesel").empty(); }));
    auto chosen = host.LogSince(mark, L"drivesel");
    EXPECT_EQ(0, chosen[0].Int(L"side"));
    EXPECT_EQ(1001, chosen[0].Int(L"id"));
    EXPECT_EQ(zIndex, chosen[0].Int(L"index"));
    auto focus = [&] {
        GUITHREADINFO gui = {sizeof gui};
        GetGUIThreadInfo(host.ThreadId(), &gui);
        return gui.hwndFocus;
    };
    EXPECT_TRUE(WaitFor(2000, [&] { return focus() == list; }));

    // Escape: nothing chosen, the focus goes back to the command line's edit box.
    HWND edit = GetWindow(host.Query(20), GW_CHILD);
    ASSERT_TRUE(host.Focus(edit));
    Sleep(200);
    mark = host.LogMark();
    PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ASSERT_TRUE(WaitFor(5000, [&] { return (menu = MenuWindowOf(host.ThreadId())) != nullptr; }));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor(5000, [&] { return MenuWindowOf(host.ThreadId()) == nullptr; }));
    EXPECT_TRUE(WaitFor(2000, [&] { return focus() == edit; }));
    Sleep(200);
    EXPECT_TRUE(host.LogSince(mark, L"drivesel").empty());

    // A device change closes an open menu; nothing is chosen.
    Sleep(200);
    mark = host.LogMark();
    PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ASSERT_TRUE(WaitFor(5000, [&] { return MenuWindowOf(host.ThreadId()) != nullptr; }));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(combo, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG, 3000, &answer);
    EXPECT_TRUE(WaitFor(5000, [&] { return MenuWindowOf(host.ThreadId()) == nullptr; }));
    Sleep(300);
    EXPECT_TRUE(host.LogSince(mark, L"drivesel").empty());
}

TEST(DriveMenuHost, ReopenDelayCommandLineSelectionAndIconsOverManyDropDowns)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(EngineHostSetup("[Config]\r\nDriveList=1\r\n"))) << host.LastError();
    HWND combo = host.Query(13), edit = GetWindow(host.Query(20), GW_CHILD);
    HWND menu = nullptr;
    auto open = [&] {
        Sleep(150); // past the reopen delay of the last close
        PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        return WaitFor(5000, [&] { return (menu = MenuWindowOf(host.ThreadId())) != nullptr; });
    };
    // Gone, and the host done with it (the close time is taken after the menu).
    auto closed = [&] {
        return WaitFor(5000, [&] { return MenuWindowOf(host.ThreadId()) == nullptr; }) && host.Flush();
    };

    // A click right after the menu closed is the click that closed it: it
    // opens nothing. A later one asks the host again.
    ASSERT_TRUE(host.Focus(host.Query(1)));
    for (DWORD pause : {0, 150}) {
        ASSERT_TRUE(open());
        size_t mark = host.LogMark();
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        if (pause) {
            ASSERT_TRUE(closed());
            Sleep(pause);
        }
        PostMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ASSERT_TRUE(host.Flush() && host.Flush()); // the click, then what it posted
        EXPECT_EQ(pause ? 1u : 0u, host.LogSince(mark, L"cmd").size()) << pause;
        if (pause) {
            ASSERT_TRUE(WaitFor(5000, [&] { return (menu = MenuWindowOf(host.ThreadId())) != nullptr; }));
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        ASSERT_TRUE(closed());
    }

    // From the command line: Escape, or the user command listed last; the
    // edit gets its focus back with the selection cleared.
    struct { std::vector<WPARAM> keys; const wchar_t* command; } closes[] = {
        {{VK_ESCAPE}, nullptr}, {{VK_END, VK_RETURN}, L"em_mvdl_data"}};
    for (auto& c : closes) {
        ASSERT_TRUE(host.Focus(edit));
        ASSERT_TRUE(open());
        size_t mark = host.LogMark();
        for (WPARAM key : c.keys)
            PostMessageW(menu, WM_KEYDOWN, key, 0);
        ASSERT_TRUE(closed());
        ASSERT_TRUE(host.WaitForLog(mark, L"setsel"));
        auto selection = host.LogSince(mark, L"setsel").back();
        EXPECT_EQ(-1, selection.Int(L"start"));
        EXPECT_EQ(0, selection.Int(L"end"));
        if (c.command) {
            EXPECT_TRUE(host.WaitForLog(mark, L"copydata", L"name", c.command));
        }
        ASSERT_TRUE(host.Flush());
        EXPECT_EQ(c.command ? 1u : 0u, host.LogSince(mark, L"copydata").size());
    }

    // 200 drop-downs: every icon a menu build made is destroyed after it.
    ASSERT_TRUE(host.Focus(host.Query(1)));
    auto icons = [&](const wchar_t* key) {
        size_t mark = host.LogMark();
        host.Send(TCHost::MsgLogDump);
        auto dump = host.LogSince(mark, L"dump");
        return dump.empty() ? -1 : dump[0].Int(key);
    };
    long long made = icons(L"driveIconsMade0");
    for (int i = 0; i < 200; ++i) {
        host.Post(HostCommandMessage, 131, 0);
        host.Post(WM_KEYDOWN, VK_ESCAPE, 0); // taken by the menu's loop
        ASSERT_TRUE(host.Flush(20000)) << i;
    }
    EXPECT_GE(icons(L"driveIconsMade0") - made, 200);
    EXPECT_EQ(icons(L"driveIconsMade0"), icons(L"driveIconsFreed0"));
    EXPECT_EQ(nullptr, MenuWindowOf(host.ThreadId()));
}
