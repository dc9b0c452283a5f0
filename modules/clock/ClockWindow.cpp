#include "ClockWindow.h"
#include "ClockLayout.h"
#include <mmsystem.h>

namespace {
const UINT TimerPeriod = 50;     // ms
const UINT TimerResolution = 10; // ms
}

CClockSW::CClockSW()
    : m_icon(nullptr), m_iconRect{0, 0, 0, 0}, m_size{0, 0}, m_host(nullptr), m_placePending(true),
      m_timer(0), m_window(nullptr), m_source(&m_systemClock), m_tickDelay(0), m_ticksDone(0)
{
}

CClockSW::~CClockSW()
{
    KillClockTimer();
}

bool CClockSW::LoadResources(HINSTANCE instance)
{
    bool loaded = m_images.Load(instance);
    m_icon = m_images.Icon(StateStopped);
    m_size = m_images.Size();
    m_iconRect = StateIconRect(m_size.cx);
    return loaded;
}

void CClockSW::SetClockSource(CClockSource* source)
{
    m_source = source ? source : &m_systemClock;
}

bool CClockSW::CreateClockWindow(HWND host)
{
    if (m_hWnd)
        return true;
    m_host = host;
    m_placePending = true;
    RECT rc = {0, 0, 0, 0};
    if (host)
        ::GetWindowRect(host, &rc);
    if (!CreateEx(WS_EX_TOOLWINDOW, nullptr, L"", WS_POPUP, rc.right - m_size.cx,
                  rc.bottom - m_size.cy, m_size.cx, m_size.cy, host, nullptr))
        return false;
    HDC dc = ::GetDC(m_hWnd);
    m_images.CreateDCs(dc);
    ::ReleaseDC(m_hWnd, dc);
    m_window.store(m_hWnd);
    // A kill waits for a tick in progress, so no tick runs once the timer
    // is gone (the module may be unmapped right after "Unload").
    m_timer.store(timeSetEvent(TimerPeriod, TimerResolution, TimerProc, (DWORD_PTR)this,
                               TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS));
    return true;
}

void CClockSW::KillClockTimer()
{
    UINT id = m_timer.exchange(0);
    if (id)
        timeKillEvent(id);
}

void CClockSW::DestroyClockWindow()
{
    KillClockTimer();
    if (m_hWnd)
        DestroyWindow();
    m_window.store(nullptr);
    m_images.DeleteDCs();
}

void CALLBACK CClockSW::TimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    reinterpret_cast<CClockSW*>(user)->UpdateDigits();
}

void CClockSW::UpdateDigits()
{
    SYSTEMTIME time;
    m_source->GetLocalTime(&time);
    DWORD now = m_source->GetTickCount();
    m_stopwatch.FillDigits(time, now, m_slots);
    DWORD delay = m_tickDelay.load();
    if (delay)
        Sleep(delay);
    HWND window = m_window.load();
    if (window)
        ::InvalidateRect(window, nullptr, TRUE);
    ++m_ticksDone;
}

void CClockSW::Render(HDC target)
{
    m_images.Render(target, m_slots, m_icon, m_iconRect);
}

void CClockSW::SetStateIcon()
{
    m_icon = m_images.Icon(m_stopwatch.State());
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CClockSW::InvalidateIcon()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, &m_iconRect, TRUE);
}

void CClockSW::Start()
{
    m_stopwatch.Start(Now());
    SetStateIcon();
}

void CClockSW::TogglePause()
{
    if (m_stopwatch.TogglePause(Now()))
        SetStateIcon();
}

void CClockSW::Reset()
{
    if (m_stopwatch.Reset())
        SetStateIcon();
}

void CClockSW::PlaceAtHostCorner()
{
    if (!m_placePending)
        return;
    m_placePending = false;
    RECT rc;
    if (m_hWnd && m_host && ::GetWindowRect(m_host, &rc))
        ::MoveWindow(m_hWnd, rc.right - m_size.cx, rc.bottom - m_size.cy, m_size.cx, m_size.cy, TRUE);
}

void CClockSW::HideClock()
{
    if (m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

int CClockSW::RunCommand(int command)
{
    switch (command) {
    case 1:
        PlaceAtHostCorner();
        if (m_hWnd)
            ::ShowWindow(m_hWnd, SW_SHOW);
        if (State() == StateStopped)
            Start();
        else
            Reset();
        break;
    case 2:
        if (State() == StateStopped)
            return 3;
        TogglePause();
        break;
    case 3:
        if (m_hWnd && ::IsWindowVisible(m_hWnd)) {
            Reset();
            HideClock();
        } else {
            PlaceAtHostCorner();
            if (m_hWnd)
                ::ShowWindow(m_hWnd, SW_SHOW);
        }
        break;
    default:
        return 3;
    }
    InvalidateIcon();
    return 2;
}

LRESULT CClockSW::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        // The whole window is a caption: it drags the window, and clicks
        // arrive as non-client messages.
        return HTCAPTION;
    case WM_LBUTTONDOWN:
        OnLButtonDown(pt);
        break;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(pt);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        OnLButtonDblClk();
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk();
        return 0;
    case WM_NCRBUTTONDBLCLK:
        OnNcRButtonDblClk();
        return 0;
    case WM_NCRBUTTONUP:
        // No default handling: it would open the system menu.
        OnNcRButtonUp();
        return 0;
    case WM_NCMBUTTONUP:
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CClockSW::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (dc)
        Render(dc);
    ::EndPaint(m_hWnd, &ps);
}

void CClockSW::OnLButtonDown(POINT point)
{
    if (!PtInRect(&m_iconRect, point))
        return;
    if (State() == StateStopped)
        Start();
    else
        TogglePause();
    InvalidateIcon();
}

void CClockSW::OnNcLButtonDown(POINT screenPoint)
{
    ::ScreenToClient(m_hWnd, &screenPoint);
    OnLButtonDown(screenPoint);
}

void CClockSW::OnLButtonDblClk()
{
    Reset();
}

void CClockSW::OnRButtonDblClk()
{
    OutputDebugStringA("CClockSW::OnRButtonDblClk");
    Reset();
    HideClock();
}

void CClockSW::OnNcRButtonDblClk()
{
    OutputDebugStringA("CClockSW::OnNcRButtonDblClk");
    OnRButtonDblClk();
}

void CClockSW::OnNcRButtonUp()
{
    OutputDebugStringA("CClockSW::OnNcRButtonUp");
    Reset();
    HideClock();
}

void CClockSW::OnDestroy()
{
    KillClockTimer();
    m_window.store(nullptr);
}
