// A program that waits for the engine's reload broadcast: it registers the
// message named by the settings path (argument 1), tells the test it is
// ready (event argument 2), and sets event argument 3 when the message comes.
#include <windows.h>

namespace {
UINT g_reload = 0;
HANDLE g_got = nullptr;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_reload && message == g_reload) {
        SetEvent(g_got);
        PostQuitMessage(0);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 4)
        return 2;
    g_reload = RegisterWindowMessageW(args[1]);
    g_got = OpenEventW(EVENT_MODIFY_STATE, FALSE, args[3]);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, args[2]);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ListenerProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ReloadListener";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"ReloadListener", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  instance, nullptr);
    if (!window || !g_got || !ready)
        return 3;
    SetEvent(ready);
    SetTimer(window, 1, 10000, nullptr); // gives up after 10 s
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            break;
        DispatchMessageW(&msg);
    }
    return 0;
}
