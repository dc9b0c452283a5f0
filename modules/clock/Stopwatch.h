// The stopwatch states and the 14 digit slots the clock shows.
//
// The timer thread fills the slots and reads the state, the start tick and
// the elapsed time while the GUI thread changes them; these are atomics, with
// no lock: a paint may show digits of two successive ticks, nothing else
// depends on it.
#pragma once
#include <windows.h>
#include <atomic>

enum StopwatchState : LONG {
    StateStopped = 0,
    StateRunning = 1,
    StatePaused = 2,
};

const int DigitSlotCount = 14;
const BYTE BlankGlyph = 10; // the blank small digit

// Slots 0-5: hour, minute, second (two digits each); 6-13: the top row, the
// date (day, month, four-digit year) or the stopwatch.
class CDigitSlots
{
public:
    CDigitSlots();
    BYTE Get(int slot) const;
    void Set(int slot, BYTE glyph);

private:
    std::atomic<BYTE> m_slot[DigitSlotCount];
};

class CStopwatch
{
public:
    CStopwatch();

    StopwatchState State() const { return (StopwatchState)m_state.load(); }
    // Milliseconds counted so far at the tick now.
    DWORD Elapsed(DWORD now) const;

    // Running from 0 on.
    void Start(DWORD now);
    // Running <-> paused; false (nothing done) when stopped.
    bool TogglePause(DWORD now);
    // Stopped; false (nothing done) when already stopped.
    bool Reset();

    // Writes the time into slots 0-5 and, unless paused, the top row.
    void FillDigits(const SYSTEMTIME& time, DWORD now, CDigitSlots& slots) const;

private:
    std::atomic<LONG> m_state;
    std::atomic<DWORD> m_start;
    std::atomic<DWORD> m_elapsed; // while paused: the milliseconds counted until the pause
};
