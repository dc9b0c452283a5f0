// The host popup capture: the walk over a popup's items with a request that
// plays the host, and QueryHostMenuIndex against the stand-in host's own
// tab popup (through the probe plug-in inside the host).
#include <gtest/gtest.h>
#include "HostMenuCapture.h"
#include "HostStart.h"

using namespace TCHost;

namespace {

enum Item { Plain, Checked, Separator };

HMENU BuildMenu(std::initializer_list<Item> items)
{
    HMENU menu = CreatePopupMenu();
    UINT id = 1;
    for (Item i : items) {
        if (i == Separator)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING | (i == Checked ? MF_CHECKED : 0), id++, L"item");
    }
    return menu;
}

// Plays the host: on the request it "opens" a popup, which the capture sees
// as the main window's subclass would, and records what it was sent.
class CFakeHost : public CHostMenuRequest {
public:
    CHostMenuCapture* capture = nullptr;
    HMENU popup = nullptr;           // null: no popup comes
    int sends = 0;
    HWND lastWindow = nullptr;
    LPARAM lastParam = 0;
    int nested = -2;                 // a query asked while the popup is up
    bool askNested = false;
    int itemsLeft = -1;

    void Send(HWND window, LPARAM lParam) override
    {
        ++sends;
        lastWindow = window;
        lastParam = lParam;
        if (askNested)
            nested = capture->Query(window, 0, false);
        if (popup) {
            EXPECT_TRUE(capture->OnInitMenuPopup(popup));
            itemsLeft = GetMenuItemCount(popup);
            // A second popup in the same request is not taken.
            EXPECT_FALSE(capture->OnInitMenuPopup(popup));
        }
    }
};

class MenuCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        host.capture = &capture;
        capture.SetRequest(&host);
    }
    void TearDown() override
    {
        if (host.popup)
            DestroyMenu(host.popup);
        DestroyWindow(window);
    }
    int Ask(std::initializer_list<Item> items, int position = 0, bool reversed = false)
    {
        if (host.popup)
            DestroyMenu(host.popup);
        host.popup = BuildMenu(items);
        return capture.Query(window, position, reversed);
    }

    HWND window = nullptr;
    CHostMenuCapture capture;
    CFakeHost host;
};

TEST_F(MenuCapture, FirstCheckedItemBeforeTheFirstSeparator)
{
    EXPECT_EQ(Ask({Plain, Checked, Separator, Plain}), 1);
    EXPECT_EQ(host.itemsLeft, 0);  // the popup opens empty
    EXPECT_EQ(Ask({Checked, Checked, Plain}), 0);
    EXPECT_EQ(Ask({Plain, Plain, Plain, Checked}), 3);
    EXPECT_EQ(Ask({Plain, Separator, Checked}), 0);  // checked only after a separator
    EXPECT_EQ(Ask({Plain, Plain, Separator, Plain}), 0);  // none checked
    EXPECT_EQ(Ask({}), 0);
    EXPECT_FALSE(capture.IsCapturing());
}

TEST_F(MenuCapture, RefusedWithoutWindowOrWhileRunningAndMinusOneWithoutPopup)
{
    EXPECT_EQ(capture.Query(nullptr, 0, false), -1);
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(capture.Query(gone, 0, false), -1);
    EXPECT_EQ(host.sends, 0);

    host.popup = nullptr;
    EXPECT_EQ(capture.Query(window, 0, false), -1);  // the host showed no popup
    EXPECT_EQ(host.sends, 1);

    host.askNested = true;
    EXPECT_EQ(Ask({Checked}), 0);
    EXPECT_EQ(host.nested, -1);
    EXPECT_EQ(host.sends, 2);  // the nested query sent nothing

    // A popup outside a query is left alone.
    HMENU other = BuildMenu({Checked, Plain});
    EXPECT_FALSE(capture.OnInitMenuPopup(other));
    EXPECT_EQ(GetMenuItemCount(other), 2);
    DestroyMenu(other);
}

TEST_F(MenuCapture, InitMenuTakesTheLastCheckedItemOnlyWithTheSwitch)
{
    HMENU menu = BuildMenu({Checked, Separator, Plain, Checked, Plain});
    capture.OnInitMenu(menu);
    EXPECT_TRUE(capture.m_menuActive);
    EXPECT_EQ(capture.m_lastMenuIndex, -1);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    capture.OnExitMenuLoop();
    EXPECT_FALSE(capture.m_menuActive);

    capture.m_captureSwitch = true;
    capture.OnInitMenu(menu);
    EXPECT_EQ(capture.m_lastMenuIndex, 3);
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    DestroyMenu(menu);
    menu = BuildMenu({Plain, Plain});
    capture.OnInitMenu(menu);
    EXPECT_EQ(capture.m_lastMenuIndex, -1);
    DestroyMenu(menu);
}

// Against the stand-in host: its tab popup has "Lock" and "Lock with dir
// changes" at positions 2 and 3 before a separator, checked by the tab's lock state.
LRESULT AskHost(const CHostDriver& host, int flags, int position)
{
    LRESULT r = Probe(host, ProbeQueryMenu, MAKELPARAM(flags, position));
    return r ? r - ProbeAnswerBase : -100;
}

TEST(HostMenu, QueryHostMenuIndexReadsTheHostsTabPopup)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(HostSetup({L"--tabs=both"}, true))) << Narrow(host.LastError());
    size_t mark = host.LogMark();
    EXPECT_EQ(AskHost(host, 0, 0), 0);  // not locked: nothing checked
    ASSERT_EQ(host.Send(MsgSetTabLock, 0, MAKELPARAM(0, 1)), 1);
    EXPECT_EQ(AskHost(host, 0, 0), 2);  // "Lock"
    ASSERT_EQ(host.Send(MsgSetTabLock, 1, MAKELPARAM(0, 2)), 1);
    EXPECT_EQ(AskHost(host, ProbeRightSide | ProbeReversed, 0), 3);  // "Lock with dir changes"
    EXPECT_EQ(AskHost(host, ProbeRightSide, 0), 3);

    std::vector<CHostLogEntry> sent = host.LogSince(mark, L"tabcmd");
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].Int(L"n"), 3009);
    EXPECT_EQ(sent[0].Int(L"lparam"), 1);
    EXPECT_EQ(sent[2].Int(L"lparam"), -1);
    EXPECT_EQ(sent[2].Get(L"tabs"), sent[3].Get(L"tabs"));
    EXPECT_NE(sent[0].Get(L"tabs"), sent[2].Get(L"tabs"));
    // The host's popup came and went for each query.
    EXPECT_EQ(host.LogSince(mark, L"tabmenu").size(), 4u);

    // While a capture runs a second query is refused.
    EXPECT_EQ(AskHost(host, ProbeAskNested, 0), 2);
    EXPECT_EQ(Probe(host, ProbeNestedResult) - ProbeAnswerBase, -1);
}

TEST(HostMenu, NoSideWindowNoQuery)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(HostSetup({L"--tabs=right"}, true))) << Narrow(host.LastError());
    size_t mark = host.LogMark();
    EXPECT_EQ(AskHost(host, 0, 0), -1);  // the left panel has no tab control
    EXPECT_TRUE(host.LogSince(mark, L"tabcmd").empty());
    EXPECT_EQ(AskHost(host, ProbeRightSide, 0), 0);
}

} // namespace
