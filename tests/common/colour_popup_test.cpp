// The colour popup: starting box, keyboard table, placement, the messages its
// owner receives, the colour dialog behind the custom box, and its swatches
// drawn into memory.
#include <gtest/gtest.h>
#include <vector>
#include "ColourPopup.h"
#include "../support/MemoryCanvas.h"

CWinApp theApp(L"ColourPopupTests");

namespace {

struct Received {
    UINT message;
    COLORREF colour;
};
std::vector<Received> g_received;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WMU_COLOR_SELCHANGE && msg <= WMU_COLOR_SELENDCANCEL)
        g_received.push_back({msg, (COLORREF)wParam});
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class ColourPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PopupOwner";
        RegisterClassW(&wc);
        owner = CreateWindowExW(0, L"PopupOwner", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
        g_received.clear();
    }
    void TearDown() override
    {
        if (popup && IsWindow(hwnd))
            DestroyWindow(hwnd);
        DestroyWindow(owner);
    }
    void Open(COLORREF initial, LPCWSTR defaultText = L"No Color", LPCWSTR customText = L"More Colors",
              int x = 100, int y = 120)
    {
        popup = new CColourPopup;
        ASSERT_TRUE(popup->Create(initial, owner, defaultText, customText, x, y));
        hwnd = popup->GetSafeHwnd();
    }
    std::vector<UINT> Messages() const
    {
        std::vector<UINT> list;
        for (const Received& r : g_received)
            list.push_back(r.message);
        return list;
    }
    HWND owner = nullptr;
    CColourPopup* popup = nullptr;
    HWND hwnd = nullptr;
};

const COLORREF Red = RGB(255, 0, 0);
const COLORREF Odd = RGB(1, 2, 3);

} // namespace

TEST(ColourPopupRules, InitialBoxAndKeyTable)
{
    struct { COLORREF colour; bool def, custom; int index; } initial[] = {
        {PopupColorAutomatic, true, true, BoxDefault}, {PopupColorAutomatic, false, false, BoxNone},
        {Red, true, true, 16}, {RGB(255, 255, 255), false, false, 39},
        {Odd, true, true, BoxCustom}, {Odd, true, false, BoxNone},
    };
    for (const auto& c : initial)
        EXPECT_EQ(c.index, CColourPopup::InitialIndex(c.colour, c.def, c.custom)) << c.colour;

    struct { int from; UINT vk; bool def, custom; int to; } keys[] = {
        {9, VK_LEFT, true, true, 8},        {8, VK_LEFT, true, true, 7},
        {0, VK_LEFT, true, true, BoxDefault}, {0, VK_LEFT, false, true, BoxCustom}, {0, VK_LEFT, false, false, 39},
        {BoxDefault, VK_LEFT, true, true, BoxCustom}, {BoxDefault, VK_LEFT, true, false, 39},
        {BoxCustom, VK_LEFT, true, true, 39},
        {12, VK_UP, true, true, 4},         {4, VK_UP, true, true, BoxDefault}, {4, VK_UP, false, true, BoxCustom},
        {4, VK_UP, false, false, 39},       {BoxDefault, VK_UP, true, true, BoxCustom},
        {BoxCustom, VK_UP, true, true, 39},
        {7, VK_RIGHT, true, true, 8},       {39, VK_RIGHT, true, true, BoxCustom},
        {39, VK_RIGHT, true, false, BoxDefault}, {39, VK_RIGHT, false, false, 0},
        {BoxDefault, VK_RIGHT, true, true, 0}, {BoxCustom, VK_RIGHT, true, true, BoxDefault},
        {BoxCustom, VK_RIGHT, false, true, 0},
        {3, VK_DOWN, true, true, 11},       {35, VK_DOWN, true, true, BoxCustom}, {35, VK_DOWN, true, false, BoxDefault},
        {35, VK_DOWN, false, false, 0},     {BoxDefault, VK_DOWN, true, true, 0},
        {BoxCustom, VK_DOWN, true, true, BoxDefault},
    };
    for (const auto& k : keys)
        EXPECT_EQ(k.to, CColourPopup::NextBox(k.from, k.vk, k.def, k.custom)) << k.from << " vk " << k.vk;
}

TEST(ColourPopupRules, KeptOnTheWorkArea)
{
    RECT work = {0, 0, 1024, 768}, button = {900, 700, 1000, 720};
    struct { CRect window; CRect expected; } cases[] = {
        {CRect(1000, 720, 1150, 900), CRect(874, 520, 1024, 700)}, // right and bottom edges
        {CRect(-20, 10, 130, 190), CRect(0, 10, 150, 190)},
        {CRect(10, 10, 160, 190), CRect(10, 10, 160, 190)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CColourPopup::KeepOnScreen(c.window, work, button));
}

TEST_F(ColourPopupTest, LayoutAndSwatchPixels)
{
    Open(Red);
    EXPECT_EQ(16, popup->ChosenIndex());
    int margin = GetSystemMetrics(SM_CXEDGE), box = std::max(18, 2 * margin + 7);
    CRect first = popup->BoxRect(0), last = popup->BoxRect(39), def = popup->BoxRect(BoxDefault),
          custom = popup->BoxRect(BoxCustom);
    EXPECT_EQ(box, first.Width());
    EXPECT_EQ(margin + def.Height() + margin, first.top);
    EXPECT_EQ(first.left + 7 * box, last.left);
    EXPECT_EQ(first.top + 4 * box, last.top);
    EXPECT_GE(custom.top, last.bottom);
    CRect client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(custom.bottom + 2 * margin, client.bottom);

    CMemoryCanvas canvas(client.Width(), client.Height());
    CDC dc;
    dc.Attach(canvas.dc);
    popup->Draw(&dc);
    dc.Detach();
    GdiFlush();
    for (int i = 0; i < ColourCount; ++i) {
        CPoint centre = popup->BoxRect(i).CenterPoint();
        COLORREF c = ColourTable[i].colour;
        EXPECT_EQ((DWORD)RGB(GetBValue(c), GetGValue(c), GetRValue(c)), canvas.bits[centre.y * canvas.width + centre.x])
            << ColourTable[i].name;
    }
}

TEST_F(ColourPopupTest, KeysAndMouseReachTheOwner)
{
    struct Step {
        COLORREF initial;
        std::vector<UINT> keys;
        std::vector<Received> expected;
    } steps[] = {
        // Right from the chosen red, then Enter: the hot colour is chosen.
        {Red, {VK_RIGHT, VK_RETURN},
         {{WMU_COLOR_SELCHANGE, ColourTable[17].colour}, {WMU_COLOR_SELENDOK, ColourTable[17].colour}}},
        // Moving over colours and Esc: cancelled with the initial colour.
        {Red, {VK_DOWN, VK_DOWN, VK_ESCAPE},
         {{WMU_COLOR_SELCHANGE, ColourTable[24].colour}, {WMU_COLOR_SELCHANGE, ColourTable[32].colour},
          {WMU_COLOR_SELENDCANCEL, Red}}},
        // From the default box down to box 0; Space ends with OK.
        {PopupColorAutomatic, {VK_DOWN, VK_UP, VK_SPACE},
         {{WMU_COLOR_SELCHANGE, ColourTable[0].colour}, {WMU_COLOR_SELCHANGE, PopupColorAutomatic},
          {WMU_COLOR_SELENDOK, PopupColorAutomatic}}},
        // Enter with no hot box: the initial colour.
        {Odd, {VK_RETURN}, {{WMU_COLOR_SELENDOK, Odd}}},
    };
    for (const Step& step : steps) {
        g_received.clear();
        Open(step.initial);
        for (UINT vk : step.keys)
            SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
        EXPECT_FALSE(IsWindow(hwnd));
        ASSERT_EQ(step.expected.size(), g_received.size());
        for (size_t i = 0; i < g_received.size(); ++i) {
            EXPECT_EQ(step.expected[i].message, g_received[i].message) << i;
            EXPECT_EQ(step.expected[i].colour, g_received[i].colour) << i;
        }
    }

    // A release on a box chooses it; one outside the popup cancels.
    g_received.clear();
    Open(Red);
    CPoint blue = popup->BoxRect(13).CenterPoint();
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(blue.x, blue.y));
    EXPECT_EQ((std::vector<UINT>{WMU_COLOR_SELCHANGE, WMU_COLOR_SELENDOK}), Messages());
    EXPECT_EQ(RGB(0, 0, 255), g_received.back().colour);
    g_received.clear();
    Open(Red);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    EXPECT_EQ((std::vector<UINT>{WMU_COLOR_SELENDCANCEL}), Messages());
    EXPECT_FALSE(IsWindow(hwnd));
}

namespace {

int g_dialogAnswer = IDOK;
HHOOK g_hook = nullptr;

// Ends the colour dialog with g_dialogAnswer as soon as it is activated.
LRESULT CALLBACK AnswerDialog(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        WCHAR name[16] = {};
        GetClassNameW((HWND)wParam, name, 16);
        if (!wcscmp(name, L"#32770"))
            PostMessageW((HWND)wParam, WM_COMMAND, MAKEWPARAM(g_dialogAnswer, BN_CLICKED),
                         (LPARAM)GetDlgItem((HWND)wParam, g_dialogAnswer));
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

TEST_F(ColourPopupTest, CustomBoxRunsTheColourDialog)
{
    g_hook = SetWindowsHookExW(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
    struct { int answer; UINT end; } cases[] = {{IDOK, WMU_COLOR_SELENDOK}, {IDCANCEL, WMU_COLOR_SELENDCANCEL}};
    for (const auto& c : cases) {
        g_dialogAnswer = c.answer;
        g_received.clear();
        Open(Odd);
        EXPECT_EQ(BoxCustom, popup->ChosenIndex());
        SendMessageW(hwnd, WM_KEYDOWN, VK_LEFT, 0); // custom box -> last colour
        SendMessageW(hwnd, WM_KEYDOWN, VK_RIGHT, 0); // back on the custom box
        g_received.clear();
        SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_EQ(1u, g_received.size()) << c.answer;
        EXPECT_EQ(c.end, g_received[0].message);
        EXPECT_EQ(Odd, g_received[0].colour);
        EXPECT_FALSE(IsWindow(hwnd));
    }
    UnhookWindowsHookEx(g_hook);
}
