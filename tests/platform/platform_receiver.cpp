// platform_receiver NAME EVENT: registers the window message NAME, creates a
// hidden top-level window, signals the named event EVENT and waits up to 10 s
// for the registered message. Exit code: 1 when it arrived with wParam 42 and
// lParam 4242, 2 when it arrived with other values, 3 on time-out, 4 on a
// set-up failure.
#include <windows.h>

static UINT g_message;
static int g_result = 3;

static LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_message && g_message != 0) {
        g_result = (wp == 42 && lp == 4242) ? 1 : 2;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3)
        return 4;
    g_message = RegisterWindowMessageW(argv[1]);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = inst;
    wc.lpszClassName = L"MerovinBroadcastReceiver";
    if (!g_message || !RegisterClassW(&wc))
        return 4;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"receiver", WS_OVERLAPPEDWINDOW,
                                0, 0, 100, 100, nullptr, nullptr, inst, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!hwnd || !ready)
        return 4;
    SetTimer(hwnd, 1, 10000, nullptr);
    SetEvent(ready);
    CloseHandle(ready);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == hwnd)
            break;
        DispatchMessageW(&m);
    }
    DestroyWindow(hwnd);
    LocalFree(argv);
    return g_result;
}
