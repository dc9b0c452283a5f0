#include "TCTour.h"
#include "TCHostApp.h"
#include "TCShot.h"
#include <cstdio>

// Runs the message loop for a while, so timers and posted work happen.
static void Pump(DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    while ((int)(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

static void Shot(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder + L"\\" + name;
    bool ok = SaveWindowPng(TheApp().Main().hwnd, path);
    TheApp().Log(CTCLogLine(L"shot").Add(L"path", path).Add(L"ok", ok ? 1 : 0));
    wprintf(L"%ls %ls\n", ok ? L"screenshot" : L"screenshot FAILED", path.c_str());
    fflush(stdout);
}

void RunTour(const std::wstring& folder)
{
    CTCMainWnd& main = TheApp().Main();
    CreateDirectoryW(folder.c_str(), nullptr);
    Pump(1500);  // the engine attaches by timer
    Shot(folder, L"01-panels.png");

    // Select a few files on the left, then open the first folder on the right.
    CTCPanel& left = main.panels[0];
    int count = (int)SendMessageW(left.list, LB_GETCOUNT, 0, 0);
    for (int i = 1; i < count && i < 4; ++i)
        SendMessageW(left.list, LB_SETSEL, TRUE, i);
    CTCPanel& right = main.panels[1];
    SetFocus(right.list);
    for (int i = 0, n = (int)SendMessageW(right.list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        std::wstring name = right.ItemName(i);
        std::wstring path = right.folder + L"\\" + name;
        DWORD a = GetFileAttributesW(path.c_str());
        if (name != L".." && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
            right.SetFolder(path);
            break;
        }
    }
    Pump(500);
    Shot(folder, L"02-selection.png");

    // Quick view over the inactive panel.
    SendMessageW(main.hwnd, WM_USER + 51, 304, 0);
    Pump(300);
    Shot(folder, L"03-quickview.png");
    SendMessageW(main.hwnd, WM_USER + 51, 304, 0);
    main.refuseClose = false;
    PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
}
