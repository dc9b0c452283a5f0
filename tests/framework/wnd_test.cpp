// CWnd: message routing, creation parameters, subclassing chains,
// reflection and self-deleting objects.
#include "Framework.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const UINT WM_TEST_ADD = WM_APP + 1;
const UINT WM_TEST_UNHANDLED = WM_APP + 2;
const UINT WM_RAW = WM_APP + 5;    // answered by the raw procedure (500)
const UINT WM_OURS = WM_APP + 6;   // answered by the CWnd subclass (600)
const UINT WM_OTHER = WM_APP + 7;  // answered by a foreign subclass (700)

class CRouteWnd : public CWnd
{
public:
    LPVOID createParam = nullptr;
    bool boundAtCreate = false;
    std::vector<CString> texts;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_CREATE:
            return OnCreate(wParam, lParam);
        case WM_TEST_ADD:
            return OnTestAdd(wParam, lParam);
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }

    LRESULT OnCreate(WPARAM, LPARAM lParam)
    {
        createParam = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
        boundAtCreate = FromHandlePermanent(m_hWnd) == this;
        return Default();
    }
    LRESULT OnTestAdd(WPARAM wParam, LPARAM lParam) { return (LRESULT)(wParam + lParam); }
    LRESULT OnSetText(WPARAM, LPARAM lParam)
    {
        texts.push_back(reinterpret_cast<LPCWSTR>(lParam));
        return Default(); // lets the default procedure store the text
    }
};

TEST(CWndRouting, HandlersDefaultAndCreateParam)
{
    CRouteWnd w;
    int param = 0;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"first", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, &param));
    EXPECT_EQ(&param, w.createParam);
    EXPECT_TRUE(w.boundAtCreate);
    EXPECT_EQ(&w, CWnd::FromHandlePermanent(w.m_hWnd));
    EXPECT_TRUE(GetClassLongW(w.m_hWnd, GCL_STYLE) & CS_DBLCLKS);

    EXPECT_EQ(5, w.SendMessage(WM_TEST_ADD, 2, 3));
    EXPECT_EQ(0, w.SendMessage(WM_TEST_UNHANDLED, 1, 1));
    w.SetWindowText(L"second");
    ASSERT_EQ(1u, w.texts.size()); // WM_SETTEXT during creation goes to WM_NCCREATE's default
    EXPECT_STREQ(L"second", (LPCWSTR)w.texts[0]);
    EXPECT_STREQ(L"second", (LPCWSTR)w.GetWindowText());

    HWND h = w.m_hWnd;
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(nullptr, w.m_hWnd);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
}

// A class with a chain of its own (as the engine's subclass objects) passes
// messages on its own way, also when called through a CWnd.
class COwnDefault : public CWnd
{
public:
    LRESULT Default() override { return 77; }
};

TEST(CWndRouting, DefaultIsReachedThroughTheBase)
{
    COwnDefault own;
    CWnd& base = own;
    EXPECT_EQ(77, base.Default());
}

TEST(CWndPlacement, CenterWindowOverOwnerOrInParent)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr));
    const struct
    {
        const char* name;
        DWORD style;
        HWND parent;
        CRect expected; // screen coordinates
    } cases[] = {
        { "OwnedPopup", WS_POPUP, owner.m_hWnd, CRect(250, 200, 350, 300) },
        { "Child", WS_CHILD, owner.m_hWnd, CRect(250, 200, 350, 300) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWnd w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, L"w", c.style, 0, 0, 100, 100, c.parent, nullptr));
        w.CenterWindow();
        CRect r;
        w.GetWindowRect(&r);
        EXPECT_EQ(c.expected, r);
        w.DestroyWindow();
    }
    owner.DestroyWindow();
}

TEST(CWndRouting, FromHandleOfForeignWindowIsTemporary)
{
    HWND h = CreateWindowExW(0, L"STATIC", L"foreign", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(h);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    CWnd* t = CWnd::FromHandle(h);
    ASSERT_NE(nullptr, t);
    EXPECT_EQ(h, t->m_hWnd);
    EXPECT_EQ(t, CWnd::FromHandle(h));
    EXPECT_STREQ(L"foreign", (LPCWSTR)t->GetWindowText());
    DestroyWindow(h);
    AfxGetApp()->DeleteTempMap(true);
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
}

// A window with a procedure of its own, as the host's windows have.
LRESULT CALLBACK RawProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_RAW)
        return 500;
    return DefWindowProcW(h, msg, w, l);
}

WNDPROC g_otherPrev = nullptr;
LRESULT CALLBACK OtherProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_OTHER)
        return 700;
    return CallWindowProcW(g_otherPrev, h, msg, w, l);
}

HWND CreateRaw()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RawProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FwTestRaw";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"FwTestRaw", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class COursWnd : public CWnd
{
public:
    int ncDestroyed = 0;
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        if (msg == WM_OURS)
            return 600;
        return CWnd::WindowProc(msg, w, l);
    }
    void PostNcDestroy() override { ++ncDestroyed; }
};

TEST(CWndSubclass, UnsubclassRestoresWhenStillOurs)
{
    HWND h = CreateRaw();
    ASSERT_TRUE(h);
    COursWnd w;
    ASSERT_TRUE(w.SubclassWindow(h));
    EXPECT_EQ(600, SendMessageW(h, WM_OURS, 0, 0));
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));
    COursWnd second;
    EXPECT_FALSE(second.SubclassWindow(h)); // one object per window
    EXPECT_EQ(h, w.UnsubclassWindow());
    EXPECT_EQ((LONG_PTR)RawProc, GetWindowLongPtrW(h, GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessageW(h, WM_OURS, 0, 0));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    DestroyWindow(h);
    EXPECT_EQ(0, w.ncDestroyed);
}

TEST(CWndSubclass, ForeignSubclassAfterOursKeepsTheChain)
{
    HWND h = CreateRaw();
    ASSERT_TRUE(h);
    COursWnd w;
    ASSERT_TRUE(w.SubclassWindow(h));
    // Someone else (like the engine's subclassing helper) chains after us.
    g_otherPrev = (WNDPROC)SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)OtherProc);
    EXPECT_EQ(700, SendMessageW(h, WM_OTHER, 0, 0));
    EXPECT_EQ(600, SendMessageW(h, WM_OURS, 0, 0));
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));

    // Our unsubclass must not cut the other party's chain.
    EXPECT_EQ(h, w.UnsubclassWindow());
    EXPECT_EQ((LONG_PTR)OtherProc, GetWindowLongPtrW(h, GWLP_WNDPROC));
    EXPECT_EQ(700, SendMessageW(h, WM_OTHER, 0, 0));
    EXPECT_EQ(0, SendMessageW(h, WM_OURS, 0, 0));
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));

    // The other party unsubclasses too; what is left still reaches the raw proc.
    SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)g_otherPrev);
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));
    w.SetWindowText(L"unused"); // w is detached: a no-op on a NULL handle
    DestroyWindow(h);
    EXPECT_EQ(0, w.ncDestroyed);
}

TEST(CWndSubclass, AttachDetachBindLookupOnly)
{
    HWND h = CreateRaw();
    ASSERT_TRUE(h);
    COursWnd w;
    ASSERT_TRUE(w.Attach(h));
    EXPECT_EQ(&w, CWnd::FromHandlePermanent(h));
    EXPECT_EQ(0, SendMessageW(h, WM_OURS, 0, 0)); // not routed through the object
    EXPECT_EQ(h, w.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));

    // Detaching a subclassed window leaves a pass-through procedure.
    ASSERT_TRUE(w.SubclassWindow(h));
    EXPECT_EQ(h, w.Detach());
    EXPECT_EQ(nullptr, w.m_pfnSuper);
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));
    EXPECT_EQ(0, SendMessageW(h, WM_OURS, 0, 0));
    DestroyWindow(h);
    EXPECT_EQ(0, w.ncDestroyed);
}

TEST(CWndSubclass, DestroyedUnderAForeignSubclass)
{
    HWND h = CreateRaw();
    ASSERT_TRUE(h);
    COursWnd w;
    ASSERT_TRUE(w.SubclassWindow(h));
    g_otherPrev = (WNDPROC)SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)OtherProc);
    DestroyWindow(h);
    EXPECT_EQ(1, w.ncDestroyed);
    EXPECT_EQ(nullptr, w.m_hWnd);
}

TEST(CWndSubclass, ObjectDestroyedWhileSubclassed)
{
    HWND h = CreateRaw();
    ASSERT_TRUE(h);
    {
        COursWnd w;
        ASSERT_TRUE(w.SubclassWindow(h));
        g_otherPrev = (WNDPROC)SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)OtherProc);
    }
    // The object is gone; its procedure stays in the chain and passes on.
    EXPECT_EQ(700, SendMessageW(h, WM_OTHER, 0, 0));
    EXPECT_EQ(500, SendMessageW(h, WM_RAW, 0, 0));
    EXPECT_EQ(0, SendMessageW(h, WM_OURS, 0, 0));
    EXPECT_TRUE(DestroyWindow(h));
}

// Reflection: notifications to the parent go to the child's object first.
class CChildWnd : public CWnd
{
public:
    bool take = true;
    std::vector<UINT> got;
    BOOL OnChildNotify(UINT msg, WPARAM, LPARAM, LRESULT* pResult) override
    {
        got.push_back(msg);
        if (!take)
            return FALSE;
        *pResult = msg == WM_NOTIFY ? 42 : 0;
        return TRUE;
    }
};

class CParentWnd : public CWnd
{
public:
    int commands = 0;
    int notifies = 0;
    int drawItems = 0;
    BOOL OnCommand(WPARAM, LPARAM) override { ++commands; return TRUE; }
    BOOL OnNotify(WPARAM, LPARAM, LRESULT* pResult) override { ++notifies; *pResult = 7; return TRUE; }
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        switch (msg) {
        case WM_DRAWITEM:
            ++drawItems;
            return TRUE;
        }
        return CWnd::WindowProc(msg, w, l);
    }
};

TEST(CWndReflection, ChildSeesItsNotificationsFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    CChildWnd button;
    ASSERT_TRUE(button.Create(L"BUTTON", L"ok", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 80, 24), &parent, 100));
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));

    // A real click: the button sends WM_COMMAND/BN_CLICKED to the parent.
    button.SendMessage(BM_CLICK);
    ASSERT_FALSE(button.got.empty());
    EXPECT_EQ((UINT)WM_COMMAND, button.got.back());
    EXPECT_EQ(0, parent.commands);

    NMHDR nm = { button.m_hWnd, 100, (UINT)-2 }; // NM_CLICK
    EXPECT_EQ(42, parent.SendMessage(WM_NOTIFY, 100, (LPARAM)&nm));
    EXPECT_EQ(0, parent.notifies);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 100;
    dis.hwndItem = button.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, 100, (LPARAM)&dis);
    EXPECT_EQ((UINT)WM_DRAWITEM, button.got.back());
    EXPECT_EQ(0, parent.drawItems);

    // A child that declines passes the notification on to the parent.
    button.take = false;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(1, parent.commands);
    EXPECT_EQ(7, parent.SendMessage(WM_NOTIFY, 100, (LPARAM)&nm));
    EXPECT_EQ(1, parent.notifies);
    parent.SendMessage(WM_DRAWITEM, 100, (LPARAM)&dis);
    EXPECT_EQ(1, parent.drawItems);

    // Menu commands (no control handle) are the parent's own.
    size_t before = button.got.size();
    parent.SendMessage(WM_COMMAND, 5, 0);
    EXPECT_EQ(2, parent.commands);
    EXPECT_EQ(before, button.got.size());
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, button.m_hWnd);
}

// Self-deleting windows. The objects live in a private arena that the
// deleting operator poisons instead of freeing, so any write to a deleted
// object shows up.
alignas(16) unsigned char g_arena[4][256];
int g_arenaNext = 0;
const unsigned char kPoison = 0xDD;

class CSelfDeleting : public CWnd
{
public:
    static int alive;
    CSelfDeleting() { ++alive; }
    ~CSelfDeleting() override { --alive; }
    static void* operator new(size_t n)
    {
        EXPECT_LE(n, sizeof(g_arena[0]));
        return g_arena[g_arenaNext++];
    }
    static void operator delete(void* p) { memset(p, kPoison, sizeof(g_arena[0])); }

    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        switch (msg) {
        case WM_CLOSE:
            return OnClose(w, l);
        }
        return CWnd::WindowProc(msg, w, l);
    }
    // Destroys itself from inside its own handler; the object is gone when
    // DestroyWindow returns.
    LRESULT OnClose(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 0;
    }
    void PostNcDestroy() override { delete this; }
};
int CSelfDeleting::alive = 0;

bool Poisoned(int slot)
{
    for (unsigned char c : g_arena[slot])
        if (c != kPoison)
            return false;
    return true;
}

TEST(CWndDestruction, SelfDeletingObjectIsNeverTouchedAgain)
{
    g_arenaNext = 0;
    auto* w = new CSelfDeleting;
    ASSERT_TRUE(w->CreateEx(0, nullptr, L"self", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    HWND h = w->m_hWnd;
    EXPECT_EQ(0, SendMessageW(h, WM_CLOSE, 0, 0));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(0, CSelfDeleting::alive);
    EXPECT_TRUE(Poisoned(0));

    // A self-deleting child goes with its parent.
    CRouteWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    auto* child = new CSelfDeleting;
    ASSERT_TRUE(child->Create(nullptr, L"c", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    parent.DestroyWindow();
    EXPECT_EQ(0, CSelfDeleting::alive);
    EXPECT_TRUE(Poisoned(1));
}

// A window whose WM_CREATE fails: the creation reports failure and the
// self-deleting object is already gone.
class CFailCreate : public CSelfDeleting
{
public:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        if (msg == WM_CREATE)
            return -1;
        return CSelfDeleting::WindowProc(msg, w, l);
    }
};

TEST(CWndDestruction, FailedCreationOfSelfDeletingObject)
{
    g_arenaNext = 2;
    auto* w = new CFailCreate;
    EXPECT_FALSE(w->CreateEx(0, nullptr, L"fail", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(0, CSelfDeleting::alive);
    EXPECT_TRUE(Poisoned(2));
}

} // namespace
