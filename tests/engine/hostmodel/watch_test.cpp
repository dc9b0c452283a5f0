// The window watcher's decision: which creations start a tree check, which
// start nothing and which have their own handling.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include "WindowWatch.h"

namespace {

TEST(Watch, CreationsAndClosesByClass)
{
    WatchSwitches off, on;
    on.closeAllListers = true;
    on.checkMultiLister = true;
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"#32770", on), WatchAction::None);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"Edit", on), WatchAction::None);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"EDIT", off), WatchAction::None);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"TLister", on), WatchAction::AddListerItems);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"tlister", on), WatchAction::AddListerItems);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"TLister", off), WatchAction::TreeCheck);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"TQUICKSEARCH", off), WatchAction::QuickSearch);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, L"TQuickSearch", on), WatchAction::QuickSearch);
    for (const wchar_t* cls : {L"Window", L"SysTabControl32", L"LCLListBox", L"LCLComboBox", L"TEdit", L"Edit2", L""})
        EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, cls, off), WatchAction::TreeCheck);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CREATE, nullptr, off), WatchAction::TreeCheck);

    EXPECT_EQ(ClassifyWatchedMessage(WM_CLOSE, L"TLister", on), WatchAction::SubclassLister);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CLOSE, L"TLister", off), WatchAction::None);
    EXPECT_EQ(ClassifyWatchedMessage(WM_CLOSE, L"Window", on), WatchAction::None);
    for (UINT msg : {(UINT)WM_NCCREATE, (UINT)WM_DESTROY, (UINT)WM_SETTEXT, (UINT)WM_SHOWWINDOW})
        EXPECT_EQ(ClassifyWatchedMessage(msg, L"Window", on), WatchAction::None);
}

// The hooked form reads the class of the window being created.
std::map<std::wstring, WatchAction> g_seen;
HHOOK g_hook;

LRESULT CALLBACK Watcher(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT& sent = *(const CWPSTRUCT*)lParam;
        WatchAction action = ClassifyWatchedMessage(sent, WatchSwitches());
        if (sent.message == WM_CREATE) {
            wchar_t cls[64] = L"";
            GetClassNameW(sent.hwnd, cls, 64);
            g_seen[cls] = action;
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST(Watch, HookedCreationsOfThisThread)
{
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, Watcher, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, L"ListBox", L"", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_seen[L"Edit"], WatchAction::None);
    EXPECT_EQ(g_seen[L"#32770"], WatchAction::None);
    ASSERT_TRUE(g_seen.count(L"ListBox"));
    EXPECT_EQ(g_seen[L"ListBox"], WatchAction::TreeCheck);
    EXPECT_EQ(g_seen[L"Static"], WatchAction::TreeCheck);
    for (HWND w : {list, dialog, edit, top})
        DestroyWindow(w);
}

} // namespace
