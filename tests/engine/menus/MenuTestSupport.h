// Shared by the icon-menu tests: colours that tell every part apart, the
// colours the gradients give, this thread's menu windows and thread timers
// (they also fire inside menu loops).
#pragma once
#include <windows.h>
#include <functional>
#include <map>
#include <vector>
#include "IconMenu.h"

inline MenuColors TestColors(int style)
{
    return {RGB(250, 240, 200), RGB(10, 120, 60), RGB(255, 0, 0), RGB(0, 0, 200), RGB(200, 200, 0),
            RGB(255, 255, 255), RGB(90, 0, 90), RGB(0, 250, 250), RGB(0, 0, 0), RGB(30, 60, 90),
            style, style, style, 1};
}

// 0x00RRGGBB of band `band` of 255 from c1 to c2.
inline DWORD BandColor(COLORREF c1, COLORREF c2, int band)
{
    auto channel = [band](int a, int b) { return (DWORD)(int)((float)a + (float)(b - a) * (float)band / 255.0f); };
    return (channel(GetRValue(c1), GetRValue(c2)) << 16) | (channel(GetGValue(c1), GetGValue(c2)) << 8) |
           channel(GetBValue(c1), GetBValue(c2));
}

inline DWORD Hex(COLORREF c)
{
    return BandColor(c, c, 0);
}

// Pixel `p` of a gradient over `extent` pixels (bands narrower than a pixel cover none).
inline DWORD GradientAt(COLORREF c1, COLORREF c2, int extent, int p)
{
    float step = (float)extent / 255.0f;
    for (int band = 0; band < 255; ++band) {
        if ((int)((float)band * step) <= p && p < (band == 254 ? extent : (int)((float)(band + 1) * step)))
            return BandColor(c1, c2, band);
    }
    return 0xFFFFFFFF;
}

// Visible menu windows of this thread, the newest first.
inline std::vector<HWND> MenuWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        WCHAR name[16] = {};
        if (IsWindowVisible(window) && GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32768") == 0)
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
    }, (LPARAM)&found);
    return found;
}

inline HWND MenuWindowOf(HMENU menu)
{
    for (HWND window : MenuWindows())
        if ((HMENU)SendMessageW(window, MN_GETHMENU, 0, 0) == menu)
            return window;
    return nullptr;
}

// Runs `work` once from a thread timer after `ms`; ClearTimers drops the rest.
inline std::map<UINT_PTR, std::function<void()>>& PendingTimers()
{
    static std::map<UINT_PTR, std::function<void()>> pending;
    return pending;
}

inline void After(UINT ms, std::function<void()> work)
{
    UINT_PTR id = SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR fired, DWORD) {
        KillTimer(nullptr, fired);
        auto it = PendingTimers().find(fired);
        if (it == PendingTimers().end())
            return;
        auto run = std::move(it->second);
        PendingTimers().erase(it);
        run();
    });
    PendingTimers()[id] = std::move(work);
}

inline void ClearTimers()
{
    for (auto& timer : PendingTimers())
        KillTimer(nullptr, timer.first);
    PendingTimers().clear();
}
