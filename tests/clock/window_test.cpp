// The clock window: commands, mouse actions sent as client messages, the
// timer, and frames drawn into memory for a given time and state.
#include <gtest/gtest.h>
#include "ClockWindow.h"
#include "ClockPixels.h"
#include <atomic>
#include <string>
#include <vector>

namespace {

class CFakeClock : public CClockSource
{
public:
    SYSTEMTIME time = {2024, 3, 2, 5, 14, 7, 9, 0};
    std::atomic<DWORD> tick{100000};
    void GetLocalTime(SYSTEMTIME* t) override { *t = time; }
    DWORD GetTickCount() override { return tick.load(); }
};

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcW(h, m, w, l);
}

HWND MakeHost()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClockWindowTestHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 640, 480,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

// Debug texts of this process, caught as the exception OutputDebugString
// raises when no debugger is attached.
std::vector<std::string>* g_debugTexts = nullptr;

LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->ExceptionCode != DBG_PRINTEXCEPTION_C || r->NumberParameters < 2 || !g_debugTexts)
        return EXCEPTION_CONTINUE_SEARCH;
    g_debugTexts->emplace_back((const char*)r->ExceptionInformation[1]);
    return EXCEPTION_CONTINUE_EXECUTION;
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

class ClockWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = MakeHost();
        ASSERT_NE(host, nullptr);
        clock.SetClockSource(&source);
        ASSERT_TRUE(clock.LoadResources(GetModuleHandleW(nullptr)));
        ASSERT_TRUE(clock.CreateClockWindow(host));
        wnd = clock.GetSafeHwnd();
        ASSERT_NE(wnd, nullptr);
    }
    void TearDown() override
    {
        clock.DestroyClockWindow();
        DestroyWindow(host);
    }
    bool Visible() const { return IsWindowVisible(wnd) != FALSE; }
    LRESULT Send(UINT message, LPARAM lParam = 0) { return SendMessageW(wnd, message, 0, lParam); }
    void ExpectIconOfState()
    {
        EXPECT_EQ(clock.CurrentIcon(), clock.StateIcon(clock.State()));
    }

    CFakeClock source;
    CClockSW clock;
    HWND host = nullptr;
    HWND wnd = nullptr;
};

TEST_F(ClockWindow, CommandsChangeStateAndVisibility)
{
    EXPECT_FALSE(Visible());
    struct Step { int command, result; StopwatchState state; bool visible; } steps[] = {
        {1, 2, StateRunning, true},
        {2, 2, StatePaused, true},
        {2, 2, StateRunning, true},
        {3, 2, StateStopped, false},
        {2, 3, StateStopped, false},
        {3, 2, StateStopped, true},
        {1, 2, StateRunning, true},
        {1, 2, StateStopped, true},
        {0, 3, StateStopped, true},
        {4, 3, StateStopped, true},
        {9, 3, StateStopped, true},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        EXPECT_EQ(clock.RunCommand(s.command), s.result);
        EXPECT_EQ(clock.State(), s.state);
        EXPECT_EQ(Visible(), s.visible);
        ExpectIconOfState();
    }
    // Command 1 on a paused clock shows it and resets it.
    clock.RunCommand(1);
    clock.RunCommand(2);
    clock.RunCommand(3);
    ASSERT_EQ(clock.State(), StateStopped);
    clock.RunCommand(1);
    clock.RunCommand(2);
    ASSERT_EQ(clock.State(), StatePaused);
    EXPECT_EQ(clock.RunCommand(1), 2);
    EXPECT_EQ(clock.State(), StateStopped);
    EXPECT_TRUE(Visible());
}

TEST_F(ClockWindow, MouseActions)
{
    EXPECT_EQ(Send(WM_NCHITTEST, Point(60, 60)), HTCAPTION);
    RECT icon = clock.IconRect();
    LPARAM inIcon = Point(icon.left + 3, icon.top + 3);

    // A click beside the icon changes nothing; on it: start, pause, resume.
    Send(WM_LBUTTONDOWN, Point(20, 40));
    EXPECT_EQ(clock.State(), StateStopped);
    Send(WM_LBUTTONDOWN, inIcon);
    EXPECT_EQ(clock.State(), StateRunning);
    Send(WM_LBUTTONDOWN, inIcon);
    EXPECT_EQ(clock.State(), StatePaused);
    Send(WM_LBUTTONDOWN, Point(icon.right, icon.bottom)); // just outside
    EXPECT_EQ(clock.State(), StatePaused);
    Send(WM_LBUTTONDOWN, inIcon);
    EXPECT_EQ(clock.State(), StateRunning);
    ExpectIconOfState();

    // Non-client clicks carry screen points (sent here with HTNOWHERE, so
    // the default handling starts no drag).
    POINT screen = {icon.left + 3, icon.top + 3};
    ClientToScreen(wnd, &screen);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTNOWHERE, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(clock.State(), StatePaused);
    POINT beside = {20, 40};
    ClientToScreen(wnd, &beside);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTNOWHERE, MAKELPARAM(beside.x, beside.y));
    EXPECT_EQ(clock.State(), StatePaused);
    SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTNOWHERE, MAKELPARAM(beside.x, beside.y));
    EXPECT_EQ(clock.State(), StateStopped);
    clock.Start();

    // Left double click: reset, the window stays.
    clock.RunCommand(3);
    ASSERT_TRUE(Visible());
    Send(WM_LBUTTONDBLCLK, Point(30, 30));
    EXPECT_EQ(clock.State(), StateStopped);
    EXPECT_TRUE(Visible());

    // Right double click (client and non-client) and the non-client right
    // button up: reset and hide. The middle button up is swallowed.
    const UINT hiding[3] = {WM_RBUTTONDBLCLK, WM_NCRBUTTONDBLCLK, WM_NCRBUTTONUP};
    std::vector<std::string> texts;
    g_debugTexts = &texts;
    PVOID handler = AddVectoredExceptionHandler(1, CatchDebugText);
    for (UINT message : hiding) {
        SCOPED_TRACE(message);
        if (!Visible())
            clock.RunCommand(3);
        clock.Start();
        ASSERT_TRUE(Visible());
        EXPECT_EQ(Send(message, Point(70, 120)), 0);
        EXPECT_EQ(clock.State(), StateStopped);
        EXPECT_FALSE(Visible());
        ExpectIconOfState();
    }
    RemoveVectoredExceptionHandler(handler);
    g_debugTexts = nullptr;
    EXPECT_EQ(texts, (std::vector<std::string>{"CClockSW::OnRButtonDblClk", "CClockSW::OnNcRButtonDblClk",
                                               "CClockSW::OnRButtonDblClk", "CClockSW::OnNcRButtonUp"}));
    clock.RunCommand(1);
    EXPECT_EQ(Send(WM_NCMBUTTONUP, Point(70, 120)), 0);
    EXPECT_EQ(clock.State(), StateRunning);
    EXPECT_TRUE(Visible());
}

TEST_F(ClockWindow, FramesShowTheDigitsOfTimeAndState)
{
    CClockPictures pictures;
    auto check = [&](const std::vector<int>& glyphs, DWORD iconColour) {
        clock.UpdateDigits();
        CMemoryCanvas canvas(165, 72);
        clock.Render(canvas.dc);
        for (int i = 0; i < DigitSlotCount; ++i)
            EXPECT_EQ(pictures.SlotMismatches(canvas, i, glyphs[i]), 0) << "slot " << i;
        RECT icon = clock.IconRect();
        EXPECT_EQ(canvas.At(icon.left + 5, icon.top + 7), iconColour);
    };
    {
        SCOPED_TRACE("stopped");
        check({1, 4, 0, 7, 0, 9, 0, 5, 0, 3, 2, 0, 2, 4}, Rgb(230, 60, 50));
    }
    clock.Start();
    source.tick += 62340;
    {
        SCOPED_TRACE("running");
        check({1, 4, 0, 7, 0, 9, 0, 1, 0, 2, 3, 4, 10, 10}, Rgb(80, 240, 120));
    }
    clock.TogglePause();
    source.tick += 10000;
    {
        SCOPED_TRACE("paused");
        check({1, 4, 0, 7, 0, 9, 0, 1, 0, 2, 3, 4, 10, 10}, Rgb(250, 200, 40));
    }
    clock.TogglePause();
    source.tick += 1000;
    {
        SCOPED_TRACE("resumed");
        check({1, 4, 0, 7, 0, 9, 0, 1, 0, 3, 3, 4, 10, 10}, Rgb(80, 240, 120));
    }
}

TEST_F(ClockWindow, TimerTicksFromCreationUntilTheWindowIsGone)
{
    ASSERT_TRUE(clock.TimerRunning());
    DWORD start = GetTickCount();
    while (clock.TicksDone() < 3 && GetTickCount() - start < 2000)
        Sleep(10);
    EXPECT_GE(clock.TicksDone(), 3); // also while hidden
    // The ticks filled the slots from the source.
    EXPECT_EQ(clock.Slots().Get(5), 9);
    EXPECT_EQ(clock.Slots().Get(13), 4);

    // The window goes with its owner: the timer stops with it.
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_FALSE(clock.TimerRunning());
    LONG done = clock.TicksDone();
    Sleep(150);
    EXPECT_EQ(clock.TicksDone(), done);
}

} // namespace
