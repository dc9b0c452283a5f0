// CClockSW: the clock's borderless popup window, owned by the host window,
// with the stopwatch, the digit slots and the multimedia timer that fills
// them every 50 ms on the system's timer thread.
#pragma once
#include "Framework.h"
#include "ClockImages.h"
#include "ClockSource.h"
#include "Stopwatch.h"
#include <atomic>

class CClockSW : public CWnd
{
public:
    CClockSW();
    ~CClockSW() override;

    // Loads the pictures and icons of the module; sets the window size and
    // the icon rectangle.
    bool LoadResources(HINSTANCE instance);
    // Creates the hidden window at the bottom-right corner of the host
    // window and starts the timer; nothing when the window exists.
    bool CreateClockWindow(HWND host);
    // Stops the timer (waiting for a tick in progress) and destroys the window.
    void DestroyClockWindow();
    // Forgets the timer without stopping it (at process end, when its
    // thread is gone).
    void AbandonTimer() { m_timer.store(0); }

    // A module command: 2 (handled), or 3 (unknown, or refused).
    int RunCommand(int command);

    void Start();
    void TogglePause();
    void Reset();
    // Moves the window to the host window's bottom-right corner, at the
    // first show after creation only.
    void PlaceAtHostCorner();

    // One timer tick: the time and the stopwatch into the slots.
    void UpdateDigits();
    // Draws the current frame (as a paint does) into any device context.
    void Render(HDC target);

    StopwatchState State() const { return m_stopwatch.State(); }
    const CDigitSlots& Slots() const { return m_slots; }
    SIZE Size() const { return m_size; }
    RECT IconRect() const { return m_iconRect; }
    HICON CurrentIcon() const { return m_icon; }
    HICON StateIcon(StopwatchState state) const { return m_images.Icon(state); }
    bool TimerRunning() const { return m_timer.load() != 0; }

    // Seams: the time source (set before the window is created; null: the
    // system's), extra work per tick, and the number of finished ticks.
    void SetClockSource(CClockSource* source);
    void SetTickDelay(DWORD milliseconds) { m_tickDelay.store(milliseconds); }
    LONG TicksDone() const { return m_ticksDone.load(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnLButtonDown(POINT point);
    void OnNcLButtonDown(POINT screenPoint);
    void OnLButtonDblClk();
    void OnRButtonDblClk();
    void OnNcRButtonDblClk();
    void OnNcRButtonUp();
    void OnDestroy();

private:
    static void CALLBACK TimerProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    void KillClockTimer();
    void SetStateIcon();
    void InvalidateIcon();
    void HideClock();
    DWORD Now() { return m_source->GetTickCount(); }

    CClockImages m_images;
    CStopwatch m_stopwatch;
    CDigitSlots m_slots;
    HICON m_icon;
    RECT m_iconRect;
    SIZE m_size;
    HWND m_host;
    bool m_placePending;
    std::atomic<UINT> m_timer;
    std::atomic<HWND> m_window; // the window as the timer thread sees it
    CSystemClock m_systemClock;
    CClockSource* m_source;
    std::atomic<DWORD> m_tickDelay;
    std::atomic<LONG> m_ticksDone;
};
