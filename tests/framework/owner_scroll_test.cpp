// CWnd's owner, scroll-bar and subclass hooks; the typed pointer array.
#include "Framework.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CHookedWnd : public CWnd
{
public:
    std::vector<bool> calls; // whether the object was bound at each call
    void PreSubclassWindow() override { calls.push_back(FromHandlePermanent(m_hWnd) == this); }
};

TEST(CWndHooks, PreSubclassWindowOnceForEveryWayOfBinding)
{
    CHookedWnd made, control, subclassed;
    ASSERT_TRUE(made.CreateEx(0, nullptr, L"made", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_TRUE(control.CreateEx(0, L"STATIC", L"control", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(subclassed.SubclassWindow(plain));
    for (CHookedWnd* w : { &made, &control, &subclassed }) {
        EXPECT_EQ(std::vector<bool>{ true }, w->calls);
        w->DestroyWindow();
    }
}

TEST(CWndHooks, OwnerAndScrollLimit)
{
    CWnd parent, owner, child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_VSCROLL, CRect(0, 0, 100, 100), &parent, 5));
    EXPECT_EQ(nullptr, child.GetOwnerHwnd());
    child.SetOwner(&owner);
    EXPECT_EQ(owner.m_hWnd, child.GetOwnerHwnd());
    EXPECT_EQ(&owner, child.GetOwner());
    EXPECT_EQ(parent.m_hWnd, ::GetParent(child.m_hWnd)); // the parent stays
    child.SetOwner(nullptr);
    EXPECT_EQ(nullptr, child.GetOwnerHwnd());

    SCROLLINFO si = { sizeof(si), SIF_RANGE | SIF_PAGE, 0, 99, 10 };
    child.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(90, child.GetScrollLimit(SB_VERT));
    si.nPage = 0;
    child.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(99, child.GetScrollLimit(SB_VERT));
    CRect before, after;
    child.GetClientRect(&before);
    child.ShowScrollBar(SB_VERT, FALSE);
    child.GetClientRect(&after);
    EXPECT_EQ(before.Width() + ::GetSystemMetrics(SM_CXVSCROLL), after.Width());
    parent.DestroyWindow();
    owner.DestroyWindow();
}

TEST(CTypedPtrArrayTest, KeepsItsPointerType)
{
    struct Item
    {
        int value;
    };
    Item a{ 1 }, b{ 2 }, c{ 3 };
    CTypedPtrArray<CPtrArray, Item*> items;
    EXPECT_EQ(0, items.Add(&a));
    items.Add(&c);
    items.InsertAt(1, &b);
    items.SetAtGrow(4, &a);
    ASSERT_EQ(5, items.GetSize());
    const int want[] = { 1, 2, 3, 0, 1 };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(want[i], items[i] ? items[i]->value : 0) << i;
    items.SetAt(3, &c);
    items.RemoveAt(0, 2);
    EXPECT_EQ(&c, items.GetAt(0));
    EXPECT_EQ(3, items[1]->value);
}

} // namespace
