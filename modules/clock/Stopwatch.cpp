#include "Stopwatch.h"
#include <cstdio>

CDigitSlots::CDigitSlots()
{
    for (auto& slot : m_slot)
        slot.store(0, std::memory_order_relaxed);
}

BYTE CDigitSlots::Get(int slot) const
{
    if (slot < 0 || slot >= DigitSlotCount)
        return BlankGlyph;
    return m_slot[slot].load(std::memory_order_relaxed);
}

void CDigitSlots::Set(int slot, BYTE glyph)
{
    if (slot >= 0 && slot < DigitSlotCount)
        m_slot[slot].store(glyph, std::memory_order_relaxed);
}

CStopwatch::CStopwatch() : m_state(StateStopped), m_start(0), m_elapsed(0)
{
}

DWORD CStopwatch::Elapsed(DWORD now) const
{
    switch (State()) {
    case StateRunning: return now - m_start.load();
    case StatePaused: return m_elapsed.load();
    default: return 0;
    }
}

void CStopwatch::Start(DWORD now)
{
    m_elapsed.store(0);
    m_start.store(now);
    m_state.store(StateRunning);
}

bool CStopwatch::TogglePause(DWORD now)
{
    switch (State()) {
    case StateRunning:
        m_elapsed.store(now - m_start.load());
        m_state.store(StatePaused);
        return true;
    case StatePaused:
        // The start moves so that the count goes on from where it paused.
        m_start.store(now - m_elapsed.load());
        m_state.store(StateRunning);
        return true;
    default:
        return false;
    }
}

bool CStopwatch::Reset()
{
    if (State() == StateStopped)
        return false;
    m_state.store(StateStopped);
    return true;
}

static void SetTwoDigits(CDigitSlots& slots, int first, unsigned value)
{
    slots.Set(first, (BYTE)(value / 10 % 10));
    slots.Set(first + 1, (BYTE)(value % 10));
}

void CStopwatch::FillDigits(const SYSTEMTIME& time, DWORD now, CDigitSlots& slots) const
{
    SetTwoDigits(slots, 0, time.wHour);
    SetTwoDigits(slots, 2, time.wMinute);
    SetTwoDigits(slots, 4, time.wSecond);

    // The state and the start are read once, so the row is consistent even
    // when the GUI thread changes them meanwhile.
    LONG state = m_state.load();
    DWORD start = m_start.load();
    if (state == StateStopped) {
        SetTwoDigits(slots, 6, time.wDay);
        SetTwoDigits(slots, 8, time.wMonth);
        SetTwoDigits(slots, 10, time.wYear / 100);
        SetTwoDigits(slots, 12, time.wYear);
    } else if (state == StateRunning) {
        // Minutes, seconds, hundredths; from 100 minutes on the minutes take
        // three characters and the six shown characters shift.
        DWORD elapsed = now - start;
        char text[15];
        snprintf(text, sizeof(text), "%02lu%02lu%02lu", (unsigned long)(elapsed / 60000),
                 (unsigned long)(elapsed / 1000 % 60), (unsigned long)(elapsed % 1000 / 10));
        for (int i = 0; i < 6; ++i) {
            char c = text[i];
            slots.Set(6 + i, (c >= '0' && c <= '9') ? (BYTE)(c - '0') : BlankGlyph);
        }
        slots.Set(12, BlankGlyph);
        slots.Set(13, BlankGlyph);
    }
    // Paused: the top row stays as it was.
}
