// The hotkey entry box: captured chords (posted and through the real hook),
// the mode cycle and its indicator, the menu, typing, and the notifications
// its parent gets.
#include "HostDriver.h"
#include "HotKeyExCtrl.h"
#include "MemoryCanvas.h"
#include "WinApp.h"
#include <gtest/gtest.h>
#include <map>
#include <vector>
#include "PumpMessages.h"

CWinApp theApp(L"HotKeyTest");

namespace {

const UINT kBoxId = 1049;

// A top-level window with the box and a second edit to move the focus to.
class CBoxParent : public CWnd
{
public:
    CHotKeyExCtrl box;
    CEdit other;
    std::vector<WORD> codes;   // HKXN_ notifications, in order
    std::vector<CString> texts; // the box's text at each notification

    CBoxParent()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 120, nullptr,
                 nullptr);
        box.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, CRect(10, 10, 210, 32), this, kBoxId);
        other.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 40, 210, 62), this, kBoxId + 1);
        SetForegroundWindow();
    }
    ~CBoxParent() override { DestroyWindow(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kBoxId && (HIWORD(wParam) == HKXN_CHANGED || HIWORD(wParam) == HKXN_CLEARED)) {
            codes.push_back(HIWORD(wParam));
            texts.push_back(box.GetWindowText());
            return TRUE;
        }
        return CWnd::OnCommand(wParam, lParam);
    }

    void Post(const std::vector<std::pair<UINT, BYTE>>& keys)
    {
        for (const auto& k : keys)
            box.SendMessage(WMU_HOTKEY_CAPTURED, k.first, k.second);
    }
};

// Whether the indicator square shows pixels of the colour (drawn into
// memory). Letters are drawn smoothed: a pixel counts when it is the colour
// laid over the square's background at least half opaque.
bool IndicatorShows(CHotKeyExCtrl& box, COLORREF colour)
{
    CRect client;
    box.GetClientRect(&client);
    CMemoryCanvas canvas(client.Width(), client.Height());
    box.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc, PRF_CLIENT);
    CRect square = box.GetIndicatorRect();
    std::map<DWORD, int> counts;
    for (int y = square.top; y < square.bottom; ++y)
        for (int x = square.left; x < square.right; ++x)
            ++counts[canvas.At(x, y)];
    DWORD back = 0;
    for (const auto& c : counts)
        if (c.second > counts[back])
            back = c.first;
    const int want[3] = { GetRValue(colour), GetGValue(colour), GetBValue(colour) };
    const int bg[3] = { int(back >> 16) & 0xFF, int(back >> 8) & 0xFF, int(back) & 0xFF };
    for (const auto& c : counts) {
        const int px[3] = { int(c.first >> 16) & 0xFF, int(c.first >> 8) & 0xFF, int(c.first) & 0xFF };
        bool match = true;
        double alpha = -1;
        for (int i = 0; i < 3 && match; ++i) {
            int span = want[i] - bg[i];
            if (span == 0) {
                match = abs(px[i] - bg[i]) <= 8;
                continue;
            }
            double a = double(px[i] - bg[i]) / span;
            if (alpha < 0 && abs(span) > 32)
                alpha = a;
            match = a >= 0.5 && a <= 1.05 && (alpha < 0 || abs(px[i] - (bg[i] + alpha * span)) <= 10);
        }
        if (match && alpha >= 0.5)
            return true;
    }
    return false;
}

} // namespace

TEST(HotKeyBox, CapturedChordsBecomeTextAndOneNotification)
{
    const struct
    {
        const char* name;
        BOOL rememberSide;
        std::vector<std::pair<UINT, BYTE>> keys;
        LPCWSTR text;
        size_t notifications;
    } cases[] = {
        { "CtrlShiftF5", FALSE, { { WM_KEYDOWN, VK_LCONTROL }, { WM_KEYDOWN, VK_RSHIFT }, { WM_KEYDOWN, VK_F5 } },
          L"Ctrl+Shift+F5", 1 },
        { "Sides", TRUE, { { WM_KEYDOWN, VK_LCONTROL }, { WM_KEYDOWN, VK_LSHIFT }, { WM_KEYDOWN, VK_F5 } },
          L"LCtrl+LShift+F5", 1 },
        { "ModifiersAlone", FALSE, { { WM_KEYDOWN, VK_LCONTROL }, { WM_SYSKEYDOWN, VK_LMENU } }, L"Alt+Ctrl+", 0 },
        { "Released", FALSE, { { WM_KEYDOWN, VK_LCONTROL }, { WM_KEYUP, VK_LCONTROL }, { WM_KEYDOWN, VK_F2 } },
          L"F2", 1 },
        { "PgUp", FALSE, { { WM_KEYDOWN, VK_PRIOR } }, L"PgUp", 1 },
        { "NumPad", FALSE, { { WM_KEYDOWN, VK_NUMPAD0 } }, L"NUM0", 1 },
        { "NumStar", FALSE, { { WM_KEYDOWN, VK_MULTIPLY } }, L"Num*", 1 },
        { "Plus", FALSE, { { WM_KEYDOWN, VK_OEM_PLUS } }, L"Plus", 1 },
        { "Context", FALSE, { { WM_SYSKEYDOWN, VK_RMENU }, { WM_SYSKEYDOWN, VK_APPS } }, L"Alt+Context", 1 },
        { "Bar", FALSE, { { WM_KEYDOWN, VK_OEM_102 } }, L"|", 1 },
        { "Esc", FALSE, { { WM_KEYDOWN, VK_ESCAPE } }, L"Esc", 1 },
        { "F13", FALSE, { { WM_KEYDOWN, VK_F13 } }, L"F13", 1 },
        { "NoName", FALSE, { { WM_KEYDOWN, VK_LWIN }, { WM_KEYDOWN, VK_SEPARATOR } }, L"Win+", 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBoxParent parent;
        ASSERT_TRUE(parent.box.StartCapture());
        if (c.rememberSide)
            parent.box.CycleMode();
        EXPECT_STREQ(CHotKeyExCtrl::PressText, parent.box.GetWindowText());
        parent.Post(c.keys);
        EXPECT_STREQ(c.text, parent.box.GetWindowText());
        EXPECT_EQ(c.notifications, parent.codes.size());
        EXPECT_EQ(c.notifications == 0, (bool)parent.box.IsCapturing());
        // A shown key is never sent again when the focus moves on.
        parent.other.SetFocus();
        EXPECT_EQ(c.notifications, parent.codes.size());
        parent.box.EndCapture();
    }
}

TEST(HotKeyBox, TheHookCapturesRealKeysAndLetsGoAfterwards)
{
    CBoxParent parent, second;
    parent.SetForegroundWindow();
    ASSERT_EQ(parent.m_hWnd, GetForegroundWindow());
    ASSERT_TRUE(parent.box.StartCapture());
    // One box captures at a time.
    EXPECT_FALSE(second.box.StartCapture());

    // Num Lock passes on and is not captured.
    ASSERT_TRUE(SendKeys({ MakeKeyInput(VK_NUMLOCK, false), MakeKeyInput(VK_NUMLOCK, true) }));
    PumpFor(150);
    EXPECT_TRUE(parent.box.IsCapturing());
    EXPECT_TRUE(parent.codes.empty());
    SendKeys({ MakeKeyInput(VK_NUMLOCK, false), MakeKeyInput(VK_NUMLOCK, true) });

    ASSERT_TRUE(SendKeys(BuildChord({ VK_LCONTROL, VK_RSHIFT }, VK_F5)));
    PumpFor(300);
    EXPECT_STREQ(L"Ctrl+Shift+F5", parent.box.GetWindowText());
    ASSERT_EQ(1u, parent.codes.size());
    EXPECT_EQ(HKXN_CHANGED, parent.codes[0]);
    EXPECT_FALSE(parent.box.IsCapturing());

    // The hook is gone: the next key reaches the focused box as typing, and
    // the other box can capture now.
    parent.box.SetWindowText(L"");
    parent.box.SetFocus();
    ASSERT_TRUE(SendKeys(BuildChord({}, 'Q')));
    PumpFor(200);
    EXPECT_STREQ(L"q", parent.box.GetWindowText());
    EXPECT_TRUE(second.box.StartCapture());
    second.box.EndCapture();
}

TEST(HotKeyBox, ModeCycleIndicatorAndMenu)
{
    CBoxParent parent;
    parent.box.SetHotkeyText(L"Ctrl+K");
    const struct
    {
        BOOL capturing;
        BOOL side;
        COLORREF colour;
    } cycle[] = { { TRUE, FALSE, RGB(128, 0, 0) }, { TRUE, TRUE, RGB(0, 0, 128) }, { FALSE, FALSE, RGB(0, 128, 0) } };
    EXPECT_TRUE(IndicatorShows(parent.box, RGB(0, 128, 0)));
    for (const auto& step : cycle) {
        // A left click on the square, as the non-client message comes.
        CRect square = parent.box.GetIndicatorRect();
        CPoint centre = square.CenterPoint();
        parent.box.ClientToScreen(&centre);
        EXPECT_EQ(HTBORDER, parent.box.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)));
        parent.box.SendMessage(WM_NCLBUTTONUP, HTBORDER, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(step.capturing, parent.box.IsCapturing());
        EXPECT_EQ(step.side, parent.box.GetRememberSide());
        EXPECT_TRUE(IndicatorShows(parent.box, step.colour));
    }
    // Back in edit mode without a captured key: the text from before.
    EXPECT_STREQ(L"Ctrl+K", parent.box.GetWindowText());
    EXPECT_TRUE(parent.codes.empty());
    parent.box.EnableWindow(FALSE);
    EXPECT_TRUE(IndicatorShows(parent.box, RGB(128, 128, 128)));
    parent.box.EnableWindow(TRUE);

    // "Remember Side" from the menu clears the hotkey.
    parent.box.OnMenuCommand(CHotKeyExCtrl::MenuRememberSide);
    EXPECT_TRUE(parent.box.GetRememberSide());
    EXPECT_STREQ(CHotKeyExCtrl::NoneText, parent.box.GetWindowText());
    ASSERT_EQ(1u, parent.codes.size());
    EXPECT_EQ(HKXN_CLEARED, parent.codes[0]);
    parent.box.OnMenuCommand(CHotKeyExCtrl::MenuHotKeyMode);
    EXPECT_TRUE(parent.box.IsCapturing());
    parent.box.OnMenuCommand(CHotKeyExCtrl::MenuEditMode);
    EXPECT_FALSE(parent.box.IsCapturing());
}

TEST(HotKeyBox, TypingNotifiesOnceAndOwnTextNever)
{
    const struct
    {
        const char* name;
        LPCWSTR shown;  // set by the owner first
        LPCWSTR typed;  // typed over the selection (NULL: nothing typed)
        LPCWSTR text;   // the box's text after the focus left
        std::vector<WORD> codes;
    } cases[] = {
        { "Valid", L"", L"Ctrl+Q", L"Ctrl+Q", { HKXN_CHANGED } },
        { "EngineNames", L"", L"Alt+Context", L"Alt+Context", { HKXN_CHANGED } },
        { "KeyAfterKey", L"", L"Q+Q", L"Q+Q", {} },
        { "Deleted", L"F5", L"", CHotKeyExCtrl::NoneText, { HKXN_CLEARED } },
        { "ShownOnly", L"Ctrl+K", nullptr, L"Ctrl+K", {} },
        { "NoneEmptiedOnFocus", L"", nullptr, CHotKeyExCtrl::NoneText, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBoxParent parent;
        parent.box.SetHotkeyText(c.shown);
        parent.box.SetFocus();
        if (!*c.shown) {
            EXPECT_STREQ(L"", parent.box.GetWindowText()); // "<NONE>" gives way to typing
        }
        if (c.typed) {
            parent.box.SetSel(0, -1);
            parent.box.ReplaceSel(c.typed);
        }
        parent.other.SetFocus();
        parent.box.SetFocus();
        parent.other.SetFocus();
        EXPECT_STREQ(c.text, parent.box.GetWindowText());
        EXPECT_EQ(c.codes, parent.codes);
    }
}

TEST(HotKeyBox, FocusLossDuringCaptureRestoresTheText)
{
    CBoxParent parent;
    parent.box.SetHotkeyText(L"Alt+F1");
    ASSERT_TRUE(parent.box.StartCapture());
    parent.Post({ { WM_KEYDOWN, VK_LCONTROL } });
    EXPECT_STREQ(L"Ctrl+", parent.box.GetWindowText());
    parent.other.SetFocus();
    EXPECT_FALSE(parent.box.IsCapturing());
    EXPECT_STREQ(L"Alt+F1", parent.box.GetWindowText());
    EXPECT_TRUE(parent.codes.empty());
}
