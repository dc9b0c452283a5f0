// The probe plug-in: see ProbeProtocol.h.
#include <windows.h>
#include <commctrl.h>
#include "ContentPlugin.h"
#include "HostMenuCapture.h"
#include "ProbeProtocol.h"
#include "TCInfo.h"

namespace {

HWND g_main;
UINT g_probeMessage;
CHostMenuCapture g_capture;
bool g_askNested;
HWND g_nestedWindow;
int g_nestedResult = -2;

BOOL CALLBACK FindMain(HWND wnd, LPARAM)
{
    wchar_t cls[64];
    ReadWindowClass(wnd, cls);
    if (lstrcmpW(cls, L"TTOTAL_CMD") == 0) {
        g_main = wnd;
        return FALSE;
    }
    return TRUE;
}

bool SameShared(const HostTreeSnapshot& a, const HostTreeSnapshot& b)
{
    for (int code = HostQueryFirstCode; code <= HostQueryLastCode; ++code) {
        bool bothFill = code != 18 && code != 19 && code != 22 && code != 23 && code != 29;
        if (bothFill && SnapshotWindowForCode(a, code) != SnapshotWindowForCode(b, code))
            return false;
    }
    return a.commandEdit == b.commandEdit && a.threadId == b.threadId && a.processId == b.processId;
}

LRESULT TimeScans(CTCInfoBase& info, LPARAM count)
{
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (LPARAM i = 0; i < count; ++i) {
        if (!info.Rescan(g_main))
            return -1;
    }
    QueryPerformanceCounter(&end);
    return (LRESULT)((end.QuadPart - start.QuadPart) * 1000000 / freq.QuadPart);
}

LRESULT OnProbe(WPARAM op, LPARAM arg)
{
    switch (op) {
    case ProbeCompareScans: {
        CTCInfoBase query;
        CTCInfo64 walk;
        LRESULT r = 0;
        if (query.Rescan(g_main)) r |= 1;
        if (walk.Rescan(g_main)) r |= 2;
        if (r == 3 && SameShared(query, walk)) r |= 4;
        return r;
    }
    case ProbeQueryMenu: {
        int flags = LOWORD(arg), position = HIWORD(arg);
        CTCInfo64 walk;
        walk.Rescan(g_main);
        HWND tabs = walk.tabs[(flags & ProbeRightSide) ? 1 : 0];
        g_askNested = (flags & ProbeAskNested) != 0;
        g_nestedWindow = tabs;
        g_nestedResult = -2;
        int result = g_capture.Query(tabs, position, (flags & ProbeReversed) != 0);
        g_askNested = false;
        return ProbeAnswerBase + result;
    }
    case ProbeNestedResult:
        return ProbeAnswerBase + g_nestedResult;
    case ProbeTimeWalk: {
        CTCInfo64 walk;
        return TimeScans(walk, arg);
    }
    case ProbeTimeQuery: {
        CTCInfoBase query;
        return TimeScans(query, arg);
    }
    }
    return 0;
}

LRESULT CALLBACK MainSubclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (msg) {
    case WM_INITMENU:
        g_capture.OnInitMenu((HMENU)wParam);
        break;
    case WM_INITMENUPOPUP:
        if (g_askNested) {
            g_askNested = false;
            g_nestedResult = g_capture.Query(g_nestedWindow, 0, false);
        }
        if (g_capture.OnInitMenuPopup((HMENU)wParam))
            return 0;
        break;
    case WM_EXITMENULOOP:
        g_capture.OnExitMenuLoop();
        break;
    default:
        if (msg == g_probeMessage && msg)
            return OnProbe(wParam, lParam);
        break;
    }
    return DefSubclassProc(wnd, msg, wParam, lParam);
}

} // namespace

extern "C" void WINAPI ContentSetDefaultParams(ContentDefaultParams*)
{
    if (g_main)
        return;
    g_probeMessage = ProbeMessage();
    EnumThreadWindows(GetCurrentThreadId(), FindMain, 0);
    if (g_main)
        SetWindowSubclass(g_main, MainSubclass, 1, 0);
}

extern "C" void WINAPI ContentPluginUnloading()
{
    if (g_main && IsWindow(g_main))
        RemoveWindowSubclass(g_main, MainSubclass, 1);
    g_main = nullptr;
}

// The two calls without which the host refuses a content plug-in.
extern "C" int WINAPI ContentGetSupportedField(int, char*, char*, int)
{
    return ContentNoMoreFields;
}

extern "C" int WINAPI ContentGetValue(char*, int, int, void*, int, int)
{
    return ContentNoSuchField;
}
