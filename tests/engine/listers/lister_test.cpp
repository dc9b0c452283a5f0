// Lister windows with the engine loaded in this process over a small host
// tree: the system-menu item, closing all Listers, the question before a
// multi-file Lister closes (posted, sent and Esc) and the quick view's key.
// Wine shares no menus between processes, so the Listers live here.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include "EngineHarness.h"
#include "MiniHost.h"
#include "TCProtocol.h"

namespace {

// The id of the engine's item in a Lister's system menu.
const UINT ListerItemId = 2;

// What the test's Lister windows and their children saw.
std::map<HWND, int> g_closes;
int g_escapes = 0;
std::vector<std::pair<WPARAM, LPARAM>> g_chars;

LRESULT CALLBACK ListerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        ++g_closes[window];
        DestroyWindow(window);
        return 0;
    case WM_CHAR:
        g_chars.emplace_back(wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            ++g_escapes;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeLister(bool visible, int menuItems = 3, HWND parent = nullptr)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ListerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TLister";
    RegisterClassW(&wc);
    DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    HWND lister = CreateWindowExW(0, L"TLister", L"Lister", style, 20, 20, 300, 200, parent, nullptr, wc.hInstance,
                                  nullptr);
    if (!parent && menuItems > 0) {
        HMENU bar = CreateMenu();
        for (int i = 0; i < menuItems; ++i)
            AppendMenuW(bar, MF_STRING, 100 + i, L"Item");
        SetMenu(lister, bar);
    }
    return lister;
}

// A child that takes the Lister's keys.
HWND ListerChild(HWND lister)
{
    return CreateWindowExW(0, L"TLister", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, lister, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Message boxes captioned "Merovin" are recorded and answered from a queue.
std::vector<std::wstring> g_boxes;
std::vector<int> g_answers;

VOID CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM) -> BOOL {
        wchar_t cls[16] = {}, caption[32] = {};
        GetClassNameW(w, cls, 16);
        GetWindowTextW(w, caption, 32);
        if (wcscmp(cls, L"#32770") != 0 || wcscmp(caption, L"Merovin") != 0 || !IsWindowVisible(w))
            return TRUE;
        wchar_t text[200] = {};
        GetDlgItemTextW(w, 0xFFFF, text, 200);
        g_boxes.push_back(text);
        int answer = g_answers.empty() ? IDCANCEL : g_answers.front();
        if (!g_answers.empty())
            g_answers.erase(g_answers.begin());
        PostMessageW(w, WM_COMMAND, answer, 0);
        return FALSE;
    }, 0);
}

struct MenuItem {
    UINT id;
    bool separator;
    std::wstring text;
};

std::vector<MenuItem> SystemMenu(HWND window)
{
    std::vector<MenuItem> items;
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        items.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, text});
    }
    return items;
}

int CountId(HWND window, UINT id)
{
    int count = 0;
    for (const MenuItem& item : SystemMenu(window))
        count += item.id == id && !item.separator;
    return count;
}

class Listers : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_closes.clear();
        g_boxes.clear();
        g_answers.clear();
        g_escapes = 0;
        g_chars.clear();
        m_timer = SetTimer(nullptr, 0, 50, AnswerBoxes);
    }
    void TearDown() override { KillTimer(nullptr, m_timer); }

    void Start(const std::string& config, const char* keyboard = "")
    {
        std::string ini = "[Config]\r\nUseLLHook=0\r\n" + config + "[Keyboard]\r\n" + keyboard;
        WriteText(m_engine.SettingsFile(), ini.c_str());
        ASSERT_TRUE(m_engine.Load());
        m_engine.SetDefaultParams("");
        ASSERT_TRUE(PumpUntil(3000, [&] { return m_engine.Number(L"treeValid") == 1; }));
    }
    void Command(UINT number)
    {
        SendMessageW(Dispatcher(GetCurrentThreadId()), WM_SETTEXT, number, (LPARAM)L"");
        Pump(100);
    }

    CMiniHost m_host;
    CEngineHarness m_engine;
    UINT_PTR m_timer = 0;
};

TEST_F(Listers, MenuItemIsAddedOnceAndRemovedWithOnlyItsSeparator)
{
    HWND before = MakeLister(true);
    HWND hidden = MakeLister(false);
    size_t hostItems = SystemMenu(before).size();
    Start("CloseAllListers=1\r\n", "CloseAllListers=Ctrl+Q\r\n");
    HWND after = MakeLister(true);  // through the window watcher
    for (HWND lister : {before, hidden, after}) {
        std::vector<MenuItem> items = SystemMenu(lister);
        ASSERT_EQ(hostItems + 2, items.size());
        EXPECT_TRUE(items[hostItems].separator);
        EXPECT_EQ(ListerItemId, items.back().id);
        EXPECT_EQ(L"Close All\tCtrl+Q", items.back().text);
    }
    // A reload takes the items out and puts them back: still one each.
    SendMessageW(Dispatcher(GetCurrentThreadId()), RegisterWindowMessageW(m_engine.SettingsFile().c_str()), 0, 0);
    Pump(200);
    for (HWND lister : {before, hidden, after})
        EXPECT_EQ(1, CountId(lister, ListerItemId));

    // A host item between our separator and our item stays at teardown.
    HMENU menu = GetSystemMenu(after, FALSE);
    InsertMenuW(menu, (UINT)hostItems + 1, MF_BYPOSITION | MF_STRING, 77, L"Host");
    m_engine.Unloading();
    EXPECT_EQ(hostItems, SystemMenu(before).size());
    EXPECT_EQ(hostItems, SystemMenu(hidden).size());
    std::vector<MenuItem> kept = SystemMenu(after);
    ASSERT_EQ(hostItems + 2, kept.size());
    EXPECT_EQ(77u, kept.back().id);
    for (HWND lister : {before, hidden, after})
        DestroyWindow(lister);
}

TEST_F(Listers, CloseAllNeedsTheFocusInAListerExceptFromTheMenu)
{
    Start("CloseAllListers=1\r\nCheckCloseTC=0\r\n");
    struct Case {
        const char* name;
        int focus;        // 0 panel, 1 a Lister's child
        bool fromMenu;    // WM_SYSCOMMAND 2 posted to a Lister
        bool closed;
    } cases[] = {
        {"panel focus", 0, false, false},
        {"lister focus", 1, false, true},
        {"menu item", 0, true, true},
    };
    for (const Case& c : cases) {
        g_closes.clear();
        HWND shown = MakeLister(true), hidden = MakeLister(false);
        HWND child = ListerChild(shown);
        SetForegroundWindow(c.focus ? shown : m_host.main);
        SetFocus(c.focus ? child : m_host.panels[0].list);
        if (c.fromMenu)
            PostMessageW(hidden, WM_SYSCOMMAND, 2, 0);
        else
            Command(CmdCloseAllListers);
        Pump(200);
        EXPECT_EQ(c.closed ? 1 : 0, g_closes[shown]) << c.name;
        EXPECT_EQ(c.closed ? 1 : 0, g_closes[hidden]) << c.name;
        DestroyWindow(shown);
        DestroyWindow(hidden);
    }
}

// The host's close question counts visible Listers only (answered No, then Yes).
TEST_F(Listers, HostCloseCountsVisibleListersOnly)
{
    Start("CheckCloseTC=1\r\n");
    HWND shown = MakeLister(true), hidden = MakeLister(false);
    g_answers = {IDNO, IDYES};
    SendMessageW(m_host.main, WM_CLOSE, 0, 0);
    Pump(200);
    EXPECT_TRUE(IsWindow(m_host.main));
    SendMessageW(m_host.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil(3000, [&] { return !IsWindow(m_host.main); }));
    EXPECT_EQ(std::vector<std::wstring>(2, L"There are 1 open Lister(s).\nExit TC anyway?"), g_boxes);
    DestroyWindow(shown);
    DestroyWindow(hidden);
}

TEST_F(Listers, MultiFileListerAsksOnEveryCloseRequestOnce)
{
    Start("CloseAllListers=0\r\nCheckMultiLister=1\r\n");
    const std::wstring question = L"This Lister is open for several files.\nClose it anyway?";
    enum Path { Posted, Sent, Escape, DoubleEscape, PeekedPosted };
    struct Case {
        const char* name;
        Path path;
        int menuItems;
        int answer;
        int boxes;
        bool closed;   // WM_CLOSE reached the Lister, or Esc its child
    } cases[] = {
        {"posted ok", Posted, 7, IDOK, 1, true},
        {"posted cancel", Posted, 7, IDCANCEL, 1, false},
        {"sent ok", Sent, 7, IDOK, 1, true},
        {"sent cancel", Sent, 7, IDCANCEL, 1, false},
        {"esc ok", Escape, 7, IDOK, 1, true},
        {"esc cancel", Escape, 7, IDCANCEL, 1, false},
        {"two esc, one question", DoubleEscape, 7, IDOK, 1, true},
        {"peeked, then taken: one question", PeekedPosted, 7, IDOK, 1, true},
        {"six items sent", Sent, 6, IDCANCEL, 0, true},
        {"six items posted", Posted, 6, IDCANCEL, 0, true},
    };
    for (const Case& c : cases) {
        g_boxes.clear();
        g_closes.clear();
        g_escapes = 0;
        g_answers = {c.answer};
        HWND lister = MakeLister(true, c.menuItems);
        HWND child = ListerChild(lister);
        EXPECT_EQ(0, CountId(lister, ListerItemId)) << "the item needs CloseAllListers";
        LONG_PTR procedure = GetWindowLongPtrW(lister, GWLP_WNDPROC);
        switch (c.path) {
        case Posted:
            PostMessageW(lister, WM_CLOSE, 0, 0);
            break;
        case PeekedPosted: {
            PostMessageW(lister, WM_CLOSE, 0, 0);
            MSG peeked;
            PeekMessageW(&peeked, lister, WM_CLOSE, WM_CLOSE, PM_NOREMOVE);
            break;
        }
        case Sent:
            SendMessageW(lister, WM_CLOSE, 0, 0);
            break;
        case DoubleEscape:
            PostMessageW(child, WM_KEYDOWN, VK_ESCAPE, 0);
            // fall through
        case Escape:
            PostMessageW(child, WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        }
        Pump(400);
        EXPECT_EQ((size_t)c.boxes, g_boxes.size()) << c.name;
        if (!g_boxes.empty()) {
            EXPECT_EQ(question, g_boxes[0]) << c.name;
        }
        int arrived = c.path == Escape || c.path == DoubleEscape ? g_escapes : g_closes[lister];
        EXPECT_EQ(c.closed ? 1 : 0, arrived) << c.name;
        if (IsWindow(lister)) {
            EXPECT_EQ(procedure, GetWindowLongPtrW(lister, GWLP_WNDPROC)) << c.name;
            DestroyWindow(lister);
        }
    }
}

TEST(ListerQuickView, NextQuickViewSendsFourOrOpensTheQuickView)
{
    struct Case {
        const char* name;
        const char* config;
        bool quickView;
        bool focusInView;
        int chars;       // "4" sent to the quick view
        bool opened;     // host command 304 posted
        bool passed;     // the key went on to the focused window
    } cases[] = {
        {"quick view", "NextQuickView=1\r\n", true, false, 1, false, false},
        {"focus in view", "NextQuickView=1\r\n", true, true, 0, false, true},
        {"open", "NextQuickView=1\r\nNextQuickViewOpen=1\r\n", false, false, 0, true, false},
        {"no view", "NextQuickView=1\r\n", false, false, 0, false, true},
        {"switched off", "NextQuickView=0\r\nNextQuickViewOpen=1\r\n", true, false, 0, false, true},
    };
    for (const Case& c : cases) {
        g_chars.clear();
        CMiniHost host;
        CEngineHarness engine;
        std::string ini = std::string("[Config]\r\nUseLLHook=0\r\nCheckCloseTC=0\r\n") + c.config +
                          "[Keyboard]\r\nNextQuickView=F9\r\n";
        WriteText(engine.SettingsFile(), ini.c_str());
        ASSERT_TRUE(engine.Load());
        engine.SetDefaultParams("");
        ASSERT_TRUE(PumpUntil(3000, [&] { return engine.Number(L"treeValid") == 1; }));
        HWND view = c.quickView ? MakeLister(true, 0, host.main) : nullptr;
        HWND focus = c.focusInView ? view : host.panels[0].list;
        SetForegroundWindow(host.main);
        SetFocus(focus);
        ASSERT_EQ(focus, GetFocus()) << c.name;

        // F9 and the host command 304 as they leave the queue.
        static int s_keys, s_opened;
        s_keys = s_opened = 0;
        HHOOK spy = SetWindowsHookExW(WH_GETMESSAGE, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (code == HC_ACTION && wParam == PM_REMOVE) {
                s_keys += msg->message == WM_KEYDOWN && msg->wParam == VK_F9;
                s_opened += msg->message == HostCommandMessage && msg->wParam == 304;
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }, nullptr, GetCurrentThreadId());
        INPUT keys[2] = {{INPUT_KEYBOARD}, {INPUT_KEYBOARD}};
        for (INPUT& key : keys)
            key.ki = {VK_F9, (WORD)MapVirtualKeyW(VK_F9, MAPVK_VK_TO_VSC), DWORD(&key == &keys[1] ? KEYEVENTF_KEYUP : 0)};
        SendInput(2, keys, sizeof(INPUT));
        Pump(300);
        UnhookWindowsHookEx(spy);

        const std::vector<std::pair<WPARAM, LPARAM>> sent(c.chars, {'4', 1});
        EXPECT_EQ(sent, g_chars) << c.name;
        EXPECT_EQ(c.opened ? 1 : 0, s_opened) << c.name;
        EXPECT_EQ(c.passed ? 1 : 0, s_keys) << c.name;
        EXPECT_EQ(focus, GetFocus()) << c.name;
    }
}

} // namespace
