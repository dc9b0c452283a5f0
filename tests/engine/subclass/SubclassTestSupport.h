// Host windows and engine objects for the subclassing helper tests.
#pragma once

#include "Subclass.h"
#include <vector>

namespace subtest {

const UINT kPing = WM_APP + 1;    // each object adds its tag to the answer; the host answers 1
const UINT kHandled = WM_APP + 2; // objects answer 7 without passing it on
const UINT kRecurse = WM_APP + 3; // the object re-sends wParam+1 below 3, then passes it on
const UINT kBounce = WM_APP + 4;  // the host re-sends wParam+1 below 3 while handling it
const UINT kDelete = WM_APP + 5;  // the object deletes itself and answers 5
const UINT kPropCount = WM_APP + 9; // the peer process answers its window's property count

// What the host's own window procedure saw.
struct HostLog
{
    std::vector<UINT> messages;
    std::vector<WPARAM> params;
    int Count(UINT message, WPARAM wParam = (WPARAM)-1) const
    {
        int n = 0;
        for (size_t i = 0; i < messages.size(); ++i)
            if (messages[i] == message && (wParam == (WPARAM)-1 || params[i] == wParam))
                ++n;
        return n;
    }
};

// The host's window procedure: logs messages from WM_APP up and the
// SC_HOOK message; GWLP_USERDATA holds the HostLog.
inline LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* log = reinterpret_cast<HostLog*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (log && (message >= WM_APP || message == SubclassHookMessage())) {
        log->messages.push_back(message);
        log->params.push_back(wParam);
    }
    if (message == kPing)
        return 1;
    if (message == kBounce && wParam < 3)
        SendMessageW(hWnd, kBounce, wParam + 1, 0);
    if (message >= WM_APP && message < WM_APP + 16)
        return 1;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

inline HWND CreateHostWindow(HostLog* log)
{
    static ATOM atom;
    if (!atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SubclassTestHost";
        atom = RegisterClassW(&wc);
    }
    HWND h = CreateWindowExW(0, L"SubclassTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(h, GWLP_USERDATA, (LONG_PTR)log);
    return h;
}

// An engine object that counts what reaches it.
class CCountWnd : public CSubclassWnd
{
public:
    explicit CCountWnd(LRESULT tag = 10, bool* deletedFlag = nullptr) : m_tag(tag), m_deletedFlag(deletedFlag) {}
    ~CCountWnd() override
    {
        if (m_deletedFlag)
            *m_deletedFlag = true;
    }

    LRESULT m_tag;
    bool* m_deletedFlag;
    int pings = 0;
    int recurses = 0;
    int bounces = 0;
    int hookMessages = 0;
    int ncDestroys = 0;
    int postNcDestroys = 0;
    bool deleteInPostNcDestroy = false;
    bool resend = true; // kRecurse re-sent by this object
    DWORD lastThread = 0;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        lastThread = GetCurrentThreadId();
        if (msg == SubclassHookMessage())
            ++hookMessages;
        switch (msg) {
        case kPing:
            ++pings;
            return Default() + m_tag;
        case kHandled:
            return 7;
        case kRecurse:
            ++recurses;
            if (resend && wParam < 3)
                ::SendMessageW(m_hWnd, kRecurse, wParam + 1, 0);
            return Default();
        case kBounce:
            ++bounces;
            return Default();
        case kDelete:
            delete this;
            return 5;
        case WM_NCDESTROY:
            ++ncDestroys;
            break;
        }
        return CSubclassWnd::WindowProc(msg, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        ++postNcDestroys;
        if (deleteInPostNcDestroy)
            delete this;
    }
};

inline BOOL CALLBACK CountPropProc(HWND, LPWSTR, HANDLE, ULONG_PTR param)
{
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

inline int PropCount(HWND h)
{
    int n = 0;
    EnumPropsExW(h, CountPropProc, (LPARAM)&n);
    return n;
}

inline void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace subtest
