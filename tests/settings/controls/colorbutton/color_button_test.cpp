// The colour button: what its parent hears for a choice, a cancel, the same
// colour and tracked hovering; and the swatch it draws.
#include <gtest/gtest.h>
#include <vector>
#include "ColorButton.h"
#include "MemoryCanvas.h"

CWinApp theApp(L"ColorButtonTests");

namespace {

const UINT ButtonId = 1208;

struct Heard {
    UINT message;
    COLORREF colour;
    bool operator==(const Heard& o) const { return message == o.message && colour == o.colour; }
};

class CRecordingParent : public CWnd
{
public:
    std::vector<Heard> heard;
    int clicks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WMU_COLOR_SELCHANGE && message <= WMU_COLOR_SELENDCANCEL && lParam == (LPARAM)ButtonId)
            heard.push_back({message, (COLORREF)wParam});
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            ++clicks;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const COLORREF Red = RGB(255, 0, 0), LightOrange = RGB(255, 173, 91);
const UINT Drop = WMU_COLOR_DROPDOWN, Close = WMU_COLOR_CLOSEUP, Ok = WMU_COLOR_SELENDOK,
           Cancel = WMU_COLOR_SELENDCANCEL, Change = WMU_COLOR_SELCHANGE;

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

} // namespace

TEST(ColorButton, ParentHearsTheChoice)
{
    struct Case {
        const char* name;
        bool track;
        std::vector<UINT> keys;
        std::vector<Heard> heard;
        COLORREF after;
    } cases[] = {
        {"choice", false, {VK_RIGHT, VK_RETURN},
         {{Drop, Red}, {Close, LightOrange}, {Ok, LightOrange}, {Change, LightOrange}}, LightOrange},
        {"cancel", false, {VK_RIGHT, VK_ESCAPE}, {{Drop, Red}, {Close, Red}, {Cancel, Red}}, Red},
        {"same colour", false, {VK_RETURN}, {{Drop, Red}, {Close, Red}, {Ok, Red}}, Red},
        {"tracked choice", true, {VK_RIGHT, VK_RETURN},
         {{Drop, Red}, {Change, LightOrange}, {Close, LightOrange}, {Ok, LightOrange}}, LightOrange},
        {"tracked cancel", true, {VK_RIGHT, VK_ESCAPE},
         {{Drop, Red}, {Change, LightOrange}, {Close, Red}, {Cancel, Red}}, Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingParent parent;
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                    100, 300, 120, nullptr, nullptr));
        CColorButton button;
        ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 70, 34), &parent,
                                  ButtonId));
        EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
        button.SetColor(Red);
        button.SetTrackSelection(c.track);

        button.SendMessage(BM_CLICK);
        HWND popup = GetCapture();
        ASSERT_NE(nullptr, popup);
        ASSERT_NE(button.GetSafeHwnd(), popup);
        EXPECT_TRUE(button.IsPopupOpen());
        for (UINT key : c.keys)
            SendMessageW(popup, WM_KEYDOWN, key, 0);

        EXPECT_FALSE(IsWindow(popup));
        EXPECT_FALSE(button.IsPopupOpen());
        EXPECT_EQ(c.heard, parent.heard);
        EXPECT_EQ(c.after, button.GetColor());
        EXPECT_EQ(0, parent.clicks); // the button keeps its own click
        parent.DestroyWindow();
    }
}

TEST(ColorButton, SwatchShowsTheColourOrHatching)
{
    const COLORREF Face = GetSysColor(COLOR_BTNFACE), Default = RGB(10, 200, 30);
    struct Case {
        const char* name;
        COLORREF colour;
        bool noColor;
        UINT state;
        bool hatched;
        COLORREF centre; // when not hatched
    } cases[] = {
        {"colour", Red, false, 0, false, Red},
        {"automatic", PopupColorAutomatic, false, 0, false, Default},
        {"no colour", PopupColorAutomatic, true, 0, true, 0},
        {"undefined", (COLORREF)-1, false, 0, true, 0},
        {"disabled shows no swatch", Red, false, ODS_DISABLED, false, Face},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CColorButton button;
        button.SetDefaultColor(Default);
        if (c.noColor) {
            button.SetNoColorText();
            EXPECT_EQ(CString(L"No Color"), button.GetDefaultText());
        }
        button.SetColor(c.colour);
        CMemoryCanvas canvas(60, 24);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hDC = canvas.dc;
        dis.itemState = c.state;
        SetRect(&dis.rcItem, 0, 0, 60, 24);
        button.DrawItem(&dis);

        // The swatch takes the left two thirds; its centre row from x 8 to 30.
        int black = 0, other = 0;
        for (int x = 8; x <= 30; ++x)
            (canvas.At(x, 12) == 0 ? black : other)++;
        if (c.hatched) {
            EXPECT_GT(black, 0);
            EXPECT_GT(other, 0);
        } else {
            EXPECT_EQ(Rgb(c.centre), canvas.At(20, 12));
            EXPECT_EQ(0, black);
        }
    }
}
