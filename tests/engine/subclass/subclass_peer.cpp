// A window in another process for the subclassing helper tests. Prints its
// window handle on stdout, answers the property count of its window and
// ends on WM_CLOSE (or after 60 s).
#include <windows.h>
#include <cstdio>

namespace {

const UINT kPropCount = WM_APP + 9;

BOOL CALLBACK CountProp(HWND, LPWSTR, HANDLE, ULONG_PTR param)
{
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

LRESULT CALLBACK PeerProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case kPropCount: {
        int n = 0;
        EnumPropsExW(h, CountProp, (LPARAM)&n);
        return n;
    }
    case WM_APP + 1:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, msg, w, l);
}

} // namespace

int wmain()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SubclassPeer";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, L"SubclassPeer", L"peer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
    if (!h)
        return 1;
    printf("%llX\n", (unsigned long long)(UINT_PTR)h);
    fflush(stdout);
    SetTimer(h, 1, 60000, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == h)
            DestroyWindow(h);
        DispatchMessageW(&m);
    }
    return 0;
}
