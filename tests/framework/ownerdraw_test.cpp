// Owner-drawn controls and menus: the creation hook gives a control its
// object before the control's first message, so even the WM_MEASUREITEM it
// sends while it is created reaches the object; a class that draws nothing
// itself leaves the messages to the parent; menu items reach the object of
// the menu that holds them.
#include "Framework.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CDrawParent : public CWnd
{
public:
    int measured = 0;
    int drawn = 0;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_MEASUREITEM:
            ++measured;
            reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->itemHeight = 25;
            return TRUE;
        case WM_DRAWITEM:
            ++drawn;
            return TRUE;
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

template <class Base>
class CCounting : public Base
{
public:
    bool draws = true; // false: leave it to the parent
    int measured = 0;
    int drawn = 0;
    bool attachedAtFirstMeasure = false;
    void MeasureItem(LPMEASUREITEMSTRUCT p) override
    {
        if (!draws)
            return Base::MeasureItem(p);
        if (measured++ == 0)
            attachedAtFirstMeasure = CWnd::FromHandlePermanent(this->m_hWnd) == this;
        p->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT p) override
    {
        if (!draws)
            return Base::DrawItem(p);
        ++drawn;
    }
};

struct OwnerDrawCase
{
    const char* name;
    bool combo;
    bool draws;
    int itemHeight;
};

TEST(CreationHook, OwnerDrawnControlsGetTheirMessages)
{
    const OwnerDrawCase cases[] = {
        { "ListBoxDraws", false, true, 20 },
        { "ListBoxLeavesItToTheParent", false, false, 25 },
        { "ComboBoxDraws", true, true, 20 },
        { "ComboBoxLeavesItToTheParent", true, false, 25 },
    };
    for (const OwnerDrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        CDrawParent parent;
        ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                                    nullptr));
        CCounting<CListBox> list;
        CCounting<CComboBox> combo;
        list.draws = combo.draws = c.draws;
        CRect rc(0, 0, 200, 200);
        if (c.combo) {
            ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, rc, &parent, 7));
            combo.AddString(L"one");
            combo.SetCurSel(0);
        } else {
            ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rc, &parent, 7));
            list.AddString(L"one");
            list.AddString(L"two");
        }
        int createdMeasures = c.combo ? combo.measured : list.measured;
        parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

        int measured = c.combo ? combo.measured : list.measured;
        int drawn = c.combo ? combo.drawn : list.drawn;
        if (c.draws) {
            EXPECT_GE(createdMeasures, 1); // sent while the control was created
            EXPECT_TRUE(c.combo ? combo.attachedAtFirstMeasure : list.attachedAtFirstMeasure);
            EXPECT_GE(drawn, 1);
            EXPECT_EQ(0, parent.measured);
            EXPECT_EQ(0, parent.drawn);
        } else {
            EXPECT_EQ(0, measured);
            EXPECT_EQ(0, drawn);
            EXPECT_GE(parent.measured, 1);
            EXPECT_GE(parent.drawn, 1);
        }
        EXPECT_EQ(c.itemHeight, c.combo ? combo.GetItemHeight(0) : list.GetItemHeight(0));
        parent.DestroyWindow();
    }
}

class CCountingMenu : public CMenu
{
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT p) override
    {
        measured.push_back(p->itemID);
        p->itemWidth = 80;
        p->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT p) override { drawn.push_back(p->itemID); }
};

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

bool Has(const std::vector<UINT>& v, UINT id)
{
    for (UINT x : v) {
        if (x == id)
            return true;
    }
    return false;
}

TEST(CMenuOwnerDraw, ItemsReachTheObjectOfTheirMenu)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                               nullptr));
    owner.SetForegroundWindow();
    CCountingMenu top, sub;
    ASSERT_TRUE(top.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    EXPECT_EQ(&top, CMenu::FromHandlePermanent(top.m_hMenu));
    top.AppendMenu(MF_OWNERDRAW, 101, reinterpret_cast<LPCWSTR>(1));
    top.AppendMenu(MF_OWNERDRAW, 102, reinterpret_cast<LPCWSTR>(2));
    top.AppendMenu(MF_OWNERDRAW | MF_POPUP, (UINT_PTR)sub.m_hMenu, reinterpret_cast<LPCWSTR>(3));
    sub.AppendMenu(MF_OWNERDRAW, 201, reinterpret_cast<LPCWSTR>(4));

    UINT_PTR close = SetTimer(nullptr, 0, 300, CloseMenu);
    UINT_PTR safety = SetTimer(nullptr, 0, 3000, CloseMenu);
    EXPECT_EQ(0, top.TrackPopupMenu(TPM_RETURNCMD, 20, 20, &owner));
    KillTimer(nullptr, close);
    KillTimer(nullptr, safety);

    EXPECT_TRUE(Has(top.measured, 101));
    EXPECT_TRUE(Has(top.measured, 102));
    EXPECT_TRUE(Has(top.drawn, 101));
    // The popup item is measured by its submenu, whose handle is its id.
    UINT subId = (UINT)(UINT_PTR)sub.m_hMenu;
    EXPECT_TRUE(Has(sub.measured, subId));
    EXPECT_FALSE(Has(top.measured, subId));
    EXPECT_EQ(nullptr, AfxGetThreadState()->hTrackingMenu);

    // Detached objects are no longer found; the menu stays for its owner.
    top.RemoveMenu(2, MF_BYPOSITION);
    HMENU h = top.Detach();
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(h));
    EXPECT_TRUE(IsMenu(h));
    DestroyMenu(h);
    owner.DestroyWindow();
}

} // namespace

namespace {

// The program's manifest asks for comctl32 version 6, whose buttons (unlike
// user32's) know their ideal size.
TEST(Manifest, ButtonsComeFromCommonControls6)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CButton button;
    ASSERT_TRUE(button.Create(L"Button", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 24), &parent, 1));
    SIZE ideal = {};
    EXPECT_TRUE(button.SendMessage(BCM_GETIDEALSIZE, 0, (LPARAM)&ideal));
    EXPECT_GT(ideal.cx, 0);
    parent.DestroyWindow();
}

} // namespace
