// The subclassing helper on windows of the current thread: chains of several
// objects and the host's own subclass, removal order, destruction, the
// default handling and re-entrancy.
#include "SubclassTestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>

using namespace subtest;

namespace {

WNDPROC g_hostSuper; // the host's own SetWindowLongPtr subclass passes on to this

LRESULT CALLBACK HostSubclassProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    LRESULT r = CallWindowProcW(g_hostSuper, h, msg, w, l);
    return msg == kPing ? r + 1000 : r;
}

TEST(SubclassNames, HookMessageAndPropertyName)
{
    EXPECT_EQ(RegisterWindowMessageW(L"SC_HOOK-{87b11ef2-4422-47f5-a560-6a1f9917f047}"), SubclassHookMessage());
    HostLog log;
    HWND h = CreateHostWindow(&log);
    CCountWnd a;
    ASSERT_EQ(1, SubclassAttach(&a, h));
    WCHAR name[128];
    swprintf(name, 128, L"SC_PROP-{cc3650cf-ee36-40b3-840f-41203a9ebf54}-%08X%08X", (UINT)(UINT_PTR)h,
             (UINT)(UINT_PTR)&a);
    auto* block = static_cast<const SubclassBlock*>(GetPropW(h, name));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(a.GetSubclassBlock(), block);
    EXPECT_EQ(SubclassBlockLive, block->magic);
    EXPECT_EQ(1u, block->refs);
    EXPECT_EQ(0u, block->calls);
    EXPECT_EQ(&a, CWnd::FromHandlePermanent(h)); // the framework finds the object
    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(nullptr, GetPropW(h, name));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    DestroyWindow(h);
}

TEST(SubclassArguments, RefusedAttachesAndHarmlessDetaches)
{
    LONG blocks = SubclassLiveBlocks();
    HostLog log;
    HWND h = CreateHostWindow(&log);
    HWND h2 = CreateHostWindow(&log);
    int props = PropCount(h);
    CCountWnd a, never;
    EXPECT_EQ(0, SubclassAttach(nullptr, h));
    EXPECT_EQ(0, SubclassAttach(&a, nullptr));
    DestroyWindow(h2);
    EXPECT_EQ(0, SubclassAttach(&a, h2)); // no longer a window
    EXPECT_EQ(nullptr, a.m_hWnd);

    ASSERT_EQ(1, SubclassAttach(&a, h));
    EXPECT_EQ(0, SubclassAttach(&a, h)); // already attached, here or elsewhere
    HWND h3 = CreateHostWindow(&log);
    EXPECT_EQ(0, SubclassAttach(&a, h3));
    EXPECT_EQ(h, a.m_hWnd);
    EXPECT_EQ(0, PropCount(h3));

    EXPECT_EQ(0, SubclassDetach(nullptr));
    EXPECT_EQ(1, SubclassDetach(&never));
    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(0, SubclassDefault(&a, kPing, 0, 0)); // no window: nothing to pass on to
    EXPECT_EQ(props, PropCount(h));
    EXPECT_EQ(blocks, SubclassLiveBlocks());
    DestroyWindow(h);
    DestroyWindow(h3);
}

// Two objects on one window, with or without the host's own subclass below
// them, removed in both orders: the rest of the chain keeps working and the
// window ends as it was.
class SubclassChain : public ::testing::TestWithParam<std::tuple<bool, bool>>
{
};

TEST_P(SubclassChain, TwoObjectsRemovedInEitherOrder)
{
    const bool firstAttachedGoesFirst = std::get<0>(GetParam());
    const bool hostSubclass = std::get<1>(GetParam());
    LONG blocks = SubclassLiveBlocks();
    HostLog log;
    HWND h = CreateHostWindow(&log);
    const LRESULT host = hostSubclass ? 1001 : 1;
    if (hostSubclass)
        g_hostSuper = (WNDPROC)SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)HostSubclassProc);
    WNDPROC original = (WNDPROC)GetWindowLongPtrW(h, GWLP_WNDPROC);
    int props = PropCount(h);

    CCountWnd a(10), b(100);
    ASSERT_EQ(1, SubclassAttach(&a, h));
    ASSERT_EQ(1, SubclassAttach(&b, h));
    EXPECT_EQ(blocks + 2, SubclassLiveBlocks());
    EXPECT_EQ(host + 110, SendMessageW(h, kPing, 0, 0));
    EXPECT_EQ(7, SendMessageW(h, kHandled, 0, 0)); // the top object keeps it
    EXPECT_EQ(1, log.Count(kPing));
    EXPECT_EQ(0, log.Count(kHandled));
    EXPECT_EQ(1, a.pings);
    EXPECT_EQ(1, b.pings);

    CCountWnd& first = firstAttachedGoesFirst ? a : b;
    CCountWnd& second = firstAttachedGoesFirst ? b : a;
    EXPECT_EQ(1, SubclassDetach(&first));
    EXPECT_EQ(nullptr, first.m_hWnd);
    EXPECT_EQ(host + second.m_tag, SendMessageW(h, kPing, 0, 0));
    EXPECT_EQ(1, first.pings);
    EXPECT_EQ(2, second.pings);
    EXPECT_EQ(2, log.Count(kPing));

    EXPECT_EQ(1, SubclassDetach(&second));
    EXPECT_EQ(host, SendMessageW(h, kPing, 0, 0));
    EXPECT_EQ(2, second.pings);
    EXPECT_EQ(3, log.Count(kPing));
    EXPECT_EQ(original, (WNDPROC)GetWindowLongPtrW(h, GWLP_WNDPROC));
    EXPECT_EQ(props, PropCount(h));
    EXPECT_EQ(blocks, SubclassLiveBlocks());
    EXPECT_EQ(0, a.hookMessages + b.hookMessages);
    DestroyWindow(h);
}

INSTANTIATE_TEST_SUITE_P(Orders, SubclassChain,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

TEST(SubclassLifetime, WindowDestroyedWhileTwoAttached)
{
    LONG blocks = SubclassLiveBlocks();
    HostLog log;
    HWND h = CreateHostWindow(&log);
    CCountWnd a(10);
    bool bDeleted = false;
    auto* b = new CCountWnd(100, &bDeleted);
    b->deleteInPostNcDestroy = true;
    ASSERT_EQ(1, SubclassAttach(&a, h));
    ASSERT_EQ(1, SubclassAttach(b, h));
    DestroyWindow(h);
    EXPECT_TRUE(bDeleted); // PostNcDestroy ran after the detach and deleted it
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(1, a.ncDestroys);
    EXPECT_EQ(1, a.postNcDestroys);
    EXPECT_EQ(nullptr, a.GetSubclassBlock());
    EXPECT_EQ(blocks, SubclassLiveBlocks());
    EXPECT_EQ(1, SubclassDetach(&a));
    // The object can go on another window afterwards.
    HWND h2 = CreateHostWindow(&log);
    EXPECT_EQ(1, SubclassAttach(&a, h2));
    EXPECT_EQ(11, SendMessageW(h2, kPing, 0, 0));
    DestroyWindow(h2);
    EXPECT_EQ(blocks, SubclassLiveBlocks());
}

TEST(SubclassLifetime, ObjectDeletedInsideItsOwnHandler)
{
    LONG blocks = SubclassLiveBlocks();
    HostLog log;
    HWND h = CreateHostWindow(&log);
    CCountWnd a(10);
    bool deleted = false;
    auto* top = new CCountWnd(100, &deleted);
    ASSERT_EQ(1, SubclassAttach(&a, h));
    ASSERT_EQ(1, SubclassAttach(top, h));
    EXPECT_EQ(5, SendMessageW(h, kDelete, 0, 0));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(blocks + 1, SubclassLiveBlocks());
    EXPECT_EQ(11, SendMessageW(h, kPing, 0, 0));

    // Deleting an attached object from outside detaches it as well.
    auto* other = new CCountWnd(100);
    ASSERT_EQ(1, SubclassAttach(other, h));
    delete other;
    EXPECT_EQ(11, SendMessageW(h, kPing, 0, 0));
    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(blocks, SubclassLiveBlocks());
    DestroyWindow(h);
}

TEST(SubclassDefaultCall, ReentrantThreeDeep)
{
    HostLog log;
    HWND h = CreateHostWindow(&log);
    CCountWnd a(10), b(100);
    a.resend = false;
    ASSERT_EQ(1, SubclassAttach(&a, h));
    ASSERT_EQ(1, SubclassAttach(&b, h));

    // The top object re-sends before passing on; both objects pass each on.
    SendMessageW(h, kRecurse, 0, 0);
    for (WPARAM depth = 0; depth <= 3; ++depth)
        EXPECT_EQ(1, log.Count(kRecurse, depth)) << depth;
    EXPECT_EQ(4, b.recurses);
    EXPECT_EQ(4, a.recurses);

    // The host re-sends while the objects' default handling runs: the nested
    // calls find their objects already in their default handling.
    SendMessageW(h, kBounce, 0, 0);
    for (WPARAM depth = 0; depth <= 3; ++depth)
        EXPECT_EQ(1, log.Count(kBounce, depth)) << depth;
    EXPECT_EQ(4, a.bounces);
    EXPECT_EQ(4, b.bounces);
    EXPECT_EQ(0, log.Count(SubclassHookMessage())); // SC_HOOK never reaches the host

    for (const CCountWnd* o : { &a, &b }) {
        const SubclassBlock* block = o->GetSubclassBlock();
        ASSERT_NE(nullptr, block);
        EXPECT_EQ(1u, block->refs);
        EXPECT_EQ(0u, block->calls);
        EXPECT_EQ(0u, block->inDefault);
    }
    EXPECT_EQ(0, a.hookMessages + b.hookMessages);
    DestroyWindow(h);
}

// Default handling asked for outside any message, from a thread timer.
CCountWnd* g_timerObject;
LRESULT g_timerResult;

VOID CALLBACK DefaultFromTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_timerResult = SubclassDefault(g_timerObject, kPing, 0, 0);
}

int g_hookDefaults;
LRESULT CALLBACK SpyHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && cwp->message == SubclassHookMessage() && cwp->wParam == SubclassHookDefault)
        ++g_hookDefaults;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(SubclassDefaultCall, FromTimerOutsideMessageReachesHostOnce)
{
    HostLog log;
    HWND h = CreateHostWindow(&log);
    CCountWnd lower(10), upper(100);
    ASSERT_EQ(1, SubclassAttach(&lower, h));
    ASSERT_EQ(1, SubclassAttach(&upper, h));
    HHOOK spy = SetWindowsHookExW(WH_CALLWNDPROC, SpyHookProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, spy);
    EXPECT_EQ(0, lower.Default()); // no message being handled

    // The lower object's default is the host; the upper one's passes the
    // lower object on the way, but never the upper one's own handling.
    struct Case { CCountWnd* object; LRESULT result; int lowerPings; };
    for (const Case& c : { Case{ &lower, 1, 0 }, Case{ &upper, 11, 1 } }) {
        g_timerObject = c.object;
        g_timerResult = -1;
        g_hookDefaults = 0;
        log.messages.clear();
        log.params.clear();
        SetTimer(nullptr, 0, 10, DefaultFromTimer);
        for (int i = 0; i < 100 && g_timerResult == -1; ++i)
            PumpFor(10);
        EXPECT_EQ(c.result, g_timerResult);
        EXPECT_EQ(1, log.Count(kPing));
        EXPECT_EQ(1, g_hookDefaults);
        EXPECT_EQ(c.lowerPings, lower.pings);
        EXPECT_EQ(0, upper.pings);
    }
    UnhookWindowsHookEx(spy);
    EXPECT_EQ(0, lower.hookMessages + upper.hookMessages);
    DestroyWindow(h);
}

} // namespace
