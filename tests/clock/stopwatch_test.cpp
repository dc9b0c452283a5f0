// The stopwatch's digits for long times and across the tick counter's wrap,
// and the state changes that do nothing. (The window tests draw the digits
// of each state.)
#include <gtest/gtest.h>
#include "Stopwatch.h"
#include <vector>

namespace {

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

std::vector<int> Slots(const CDigitSlots& slots, int first, int count)
{
    std::vector<int> v;
    for (int i = first; i < first + count; ++i)
        v.push_back(slots.Get(i));
    return v;
}

const SYSTEMTIME Afternoon = MakeTime(2024, 3, 5, 14, 7, 9);

TEST(ClockDigits, RunningShowsMinutesSecondsHundredthsAndTwoBlanks)
{
    CStopwatch watch;
    CDigitSlots slots;
    watch.Start(1000);
    watch.FillDigits(Afternoon, 1000 + 62340, slots);
    EXPECT_EQ(Slots(slots, 0, 6), (std::vector<int>{1, 4, 0, 7, 0, 9}));
    EXPECT_EQ(Slots(slots, 6, 8), (std::vector<int>{0, 1, 0, 2, 3, 4, 10, 10}));

    // From 100 minutes on the minutes take three characters.
    watch.FillDigits(Afternoon, 1000 + 6000000, slots);
    EXPECT_EQ(Slots(slots, 6, 8), (std::vector<int>{1, 0, 0, 0, 0, 0, 10, 10}));
}

TEST(ClockDigits, CountingGoesOnAcrossTheTickCounterWrap)
{
    CStopwatch watch;
    CDigitSlots slots;
    DWORD start = 0xFFFFF000u;
    watch.Start(start);
    watch.FillDigits(Afternoon, start + 62340, slots); // wraps past zero
    EXPECT_EQ(Slots(slots, 6, 6), (std::vector<int>{0, 1, 0, 2, 3, 4}));
    EXPECT_EQ(watch.Elapsed(start + 62340), 62340u);
}

TEST(ClockDigits, StateChangesThatDoNothing)
{
    CStopwatch watch;
    EXPECT_FALSE(watch.TogglePause(10));
    EXPECT_FALSE(watch.Reset());
    EXPECT_EQ(watch.State(), StateStopped);

    watch.Start(10);
    watch.TogglePause(20);
    EXPECT_TRUE(watch.Reset());
    EXPECT_EQ(watch.State(), StateStopped);
    EXPECT_EQ(watch.Elapsed(500), 0u);

    // A reset returns the top row to the date at the next fill.
    CDigitSlots slots;
    watch.FillDigits(Afternoon, 500, slots);
    EXPECT_EQ(Slots(slots, 6, 8), (std::vector<int>{0, 5, 0, 3, 2, 0, 2, 4}));
}

} // namespace
