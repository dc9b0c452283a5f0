// The module as the engine sees it: the DLL loaded with LoadLibrary, its four
// exports, and a host-like top-level window of the test's own.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ModuleInterface.h"
#include "PumpMessages.h"

namespace {

std::wstring BesideTest(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + name;
}

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcW(h, m, w, l);
}

// A stand-in for the host: a top-level window with a file-list-like child.
struct Host {
    HWND main = nullptr, list = nullptr;
    Host()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ClockTestHost";
        RegisterClassW(&wc);
        main = CreateWindowExW(0, L"ClockTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80,
                               700, 520, nullptr, nullptr, wc.hInstance, nullptr);
        list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 180, 10, 498, 480, main, nullptr,
                               wc.hInstance, nullptr);
    }
    ~Host() { DestroyWindow(main); }
};

// The module with its exports bound.
struct Module {
    HMODULE dll = nullptr;
    ModuleGetInfoProc getInfo = nullptr;
    ModuleLoadProc load = nullptr;
    ModuleUnloadProc unload = nullptr;
    ModuleProcessProc process = nullptr;

    explicit Module(const wchar_t* name)
    {
        dll = LoadLibraryW(BesideTest(name).c_str());
        if (!dll)
            return;
        getInfo = (ModuleGetInfoProc)(void*)GetProcAddress(dll, "GetInfo");
        load = (ModuleLoadProc)(void*)GetProcAddress(dll, "Load");
        unload = (ModuleUnloadProc)(void*)GetProcAddress(dll, "Unload");
        process = (ModuleProcessProc)(void*)GetProcAddress(dll, "Process");
    }
    ~Module()
    {
        if (dll)
            FreeLibrary(dll);
    }
    bool Bound() const { return dll && getInfo && load && unload && process; }
    int Run(int command)
    {
        EditRequest request = {};
        return process(&request, command);
    }
};

// The clock window: the popup of this thread owned by the host window.
HWND ClockWindowOf(HWND owner)
{
    struct Find { HWND owner, found; } f = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
        Find* f = (Find*)lp;
        if (GetWindow(h, GW_OWNER) == f->owner && (GetWindowLongW(h, GWL_STYLE) & WS_POPUP)) {
            f->found = h;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&f);
    return f.found;
}

RECT WindowRect(HWND h)
{
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
}

POINT ListPoint(HWND list)
{
    RECT rc;
    GetClientRect(list, &rc);
    POINT pt = {rc.right - 165, rc.bottom - 72};
    return pt;
}

TEST(ClockModule, InfoBeforeLoad)
{
    Module m(L"Horalet64.dll");
    ASSERT_TRUE(m.Bound());
    ModuleInfo* info = m.getInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->name, L"Stopwatch");
    EXPECT_EQ(info->flags, 0x04u);
    EXPECT_EQ(info->width, 165);
    EXPECT_EQ(info->height, 72);
    ASSERT_EQ(info->commandCount, 3);
    EXPECT_EQ(info->commands[0].id, 1);
    EXPECT_STREQ(info->commands[0].text, L"Start/Stop|Start or Reset Stopwatch timer");
    EXPECT_EQ(info->commands[1].id, 2);
    EXPECT_STREQ(info->commands[1].text, L"Pause/Resume|Pause or Resume Stopwatch timer");
    EXPECT_EQ(info->commands[2].id, 3);
    EXPECT_STREQ(info->commands[2].text, L"Show/Hide|Show or Hide Stopwatch timer");
    // Written at every call.
    info->width = info->height = -1;
    EXPECT_EQ(m.getInfo()->width, 165);
    EXPECT_EQ(m.getInfo()->height, 72);
}

TEST(ClockModule, CommandResultsAndVisibility)
{
    Host host;
    Module m(L"Horalet64.dll");
    ASSERT_TRUE(m.Bound());
    POINT pt = ListPoint(host.list);
    m.load(host.list, &pt);
    HWND clock = ClockWindowOf(host.main);
    ASSERT_NE(clock, nullptr);
    EXPECT_FALSE(IsWindowVisible(clock));
    EXPECT_TRUE(GetWindowLongW(clock, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    struct Step { int command, result; bool visible; } steps[] = {
        {1, 2, true},   // shows, starts
        {2, 2, true},   // pauses
        {2, 2, true},   // resumes
        {3, 2, false},  // resets, hides
        {2, 3, false},  // stopped: refused
        {3, 2, true},   // shows
        {1, 2, true},   // starts
        {1, 2, true},   // resets
        {2, 3, true},   // stopped again: refused
        {0, 3, true}, {4, 3, true}, {9, 3, true}, {-1, 3, true},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        EXPECT_EQ(m.Run(s.command), s.result);
        PumpQueued();
        EXPECT_EQ(IsWindowVisible(clock) != FALSE, s.visible);
    }
    m.unload();
    EXPECT_FALSE(IsWindow(clock));
}

TEST(ClockModule, FirstShowAtTheHostCornerAlsoAfterTheHostMoved)
{
    Host host;
    Module m(L"Horalet64.dll");
    ASSERT_TRUE(m.Bound());
    POINT pt = ListPoint(host.list);
    m.load(host.list, &pt);
    HWND clock = ClockWindowOf(host.main);
    ASSERT_NE(clock, nullptr);
    // Made at the corner of the window it was given, not at the point.
    RECT list = WindowRect(host.list);
    RECT rc = WindowRect(clock);
    EXPECT_EQ(rc.left, list.right - 165);
    EXPECT_EQ(rc.top, list.bottom - 72);
    EXPECT_EQ(rc.right - rc.left, 165);
    EXPECT_EQ(rc.bottom - rc.top, 72);

    // The host moves before the first show: the clock follows at the show.
    SetWindowPos(host.main, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    list = WindowRect(host.list);
    EXPECT_EQ(m.Run(3), 2);
    rc = WindowRect(clock);
    EXPECT_EQ(rc.left, list.right - 165);
    EXPECT_EQ(rc.top, list.bottom - 72);

    // Later shows keep the place the clock has (the user may have dragged it).
    EXPECT_EQ(m.Run(3), 2);
    SetWindowPos(clock, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(host.main, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(m.Run(1), 2);
    rc = WindowRect(clock);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 20);
    m.unload();
}

// The colour the window shows at a client point, read from its own DC.
DWORD WindowPixel(HWND h, int x, int y)
{
    UpdateWindow(h);
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

TEST(ClockModule, TheShownWindowPaintsTheStateIcon)
{
    Host host;
    Module m(L"Horalet64.dll");
    ASSERT_TRUE(m.Bound());
    m.load(host.list, nullptr);
    HWND clock = ClockWindowOf(host.main);
    ASSERT_NE(clock, nullptr);
    const int x = 139 + 5, y = 3 + 7; // inside the icon rectangle
    EXPECT_EQ(m.Run(1), 2);
    EXPECT_EQ(WindowPixel(clock, x, y), RGB(80, 240, 120)); // running
    EXPECT_EQ(m.Run(2), 2);
    EXPECT_EQ(WindowPixel(clock, x, y), RGB(250, 200, 40)); // paused
    EXPECT_EQ(m.Run(1), 2);
    EXPECT_EQ(WindowPixel(clock, x, y), RGB(230, 60, 50)); // stopped
    m.unload();
}

TEST(ClockModule, WithoutWindowNoTimerAndNoCrash)
{
    for (int i = 0; i < 5; ++i) {
        Module m(L"horalet_slow.dll");
        ASSERT_TRUE(m.Bound());
        auto ticksDone = (LONG(WINAPI*)())(void*)GetProcAddress(m.dll, "TestTicksDone");
        ASSERT_NE(ticksDone, nullptr);
        // Not a window: creation fails, so no timer may start.
        m.load((HWND)(ULONG_PTR)0x7FFF1230, nullptr);
        EXPECT_EQ(m.Run(1), 2);
        EXPECT_EQ(m.Run(2), 2);
        Sleep(120);
        EXPECT_EQ(ticksDone(), 0);
        m.unload();
    }
}

// Unload while a tick is in progress, then FreeLibrary at once: no tick may
// run in the unmapped module. Each tick of this build sleeps 30 ms of its 50.
TEST(ClockModule, UnloadWhileTheTimerRunsThenFreeLibrary)
{
    Host host;
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        HMODULE dll = LoadLibraryW(BesideTest(L"horalet_slow.dll").c_str());
        ASSERT_NE(dll, nullptr);
        auto load = (ModuleLoadProc)(void*)GetProcAddress(dll, "Load");
        auto unload = (ModuleUnloadProc)(void*)GetProcAddress(dll, "Unload");
        auto process = (ModuleProcessProc)(void*)GetProcAddress(dll, "Process");
        auto setDelay = (void(WINAPI*)(DWORD))(void*)GetProcAddress(dll, "TestSetTickDelay");
        auto ticksDone = (LONG(WINAPI*)())(void*)GetProcAddress(dll, "TestTicksDone");
        ASSERT_TRUE(load && unload && process && setDelay && ticksDone);
        setDelay(30);
        load(host.list, nullptr);
        EditRequest request = {};
        if (i % 2)
            process(&request, 1);
        bool check = i % 10 == 0;
        if (check) {
            // A tick has finished and the next one is under way.
            DWORD start = GetTickCount();
            while (ticksDone() == 0 && GetTickCount() - start < 3000)
                Sleep(5);
            ASSERT_GT(ticksDone(), 0);
            Sleep(25);
        } else {
            Sleep(60 + (i * 7) % 50);
        }
        PumpQueued();
        unload();
        LONG done = ticksDone();
        if (check) {
            Sleep(120);
            EXPECT_EQ(ticksDone(), done) << "a tick ran after Unload";
        }
        EXPECT_TRUE(FreeLibrary(dll));
    }
    // Still here, and the host window still works.
    PumpQueued();
    EXPECT_TRUE(IsWindow(host.main));
    Sleep(150);
}

// A module freed without "Unload" takes its window and timer with it.
TEST(ClockModule, FreedWithoutUnload)
{
    Host host;
    for (int i = 0; i < 5; ++i) {
        Module* m = new Module(L"horalet_slow.dll");
        ASSERT_TRUE(m->Bound());
        auto setDelay = (void(WINAPI*)(DWORD))(void*)GetProcAddress(m->dll, "TestSetTickDelay");
        setDelay(30);
        m->load(host.list, nullptr);
        m->Run(1);
        HWND clock = ClockWindowOf(host.main);
        Sleep(70);
        delete m;
        EXPECT_FALSE(IsWindow(clock));
        PumpQueued();
        Sleep(100);
        PumpQueued();
    }
    EXPECT_TRUE(IsWindow(host.main));
}

} // namespace
