// Pins the facts about the platform (Wine) that the suite's code relies on.
// When a Wine update changes one of them, the test that fails names it.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

// Thread timers (no window): the system picks the id and ignores the one
// passed in, so code must keep the returned id. Passing a returned id again
// re-arms that timer; WM_TIMER carries the returned id.
TEST(Platform, ThreadTimerIdIsChosenBySystem)
{
    UINT_PTR first = SetTimer(nullptr, 9876, 10, nullptr);
    UINT_PTR second = SetTimer(nullptr, 9876, 5000, nullptr);
    SCOPED_TRACE(testing::Message() << "ids " << first << ", " << second);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, 9876u);
    EXPECT_NE(second, first);
    EXPECT_FALSE(KillTimer(nullptr, 9876));
    EXPECT_EQ(SetTimer(nullptr, second, 5000, nullptr), second);

    UINT_PTR fired = 0;
    DWORD start = GetTickCount();
    MSG m;
    while (!fired && GetTickCount() - start < 2000) {
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_TIMER && m.hwnd == nullptr)
                fired = m.wParam;
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    EXPECT_EQ(fired, first);
    EXPECT_TRUE(KillTimer(nullptr, first));
    EXPECT_TRUE(KillTimer(nullptr, second));
}

// Names up to 255 characters register; longer ones give 0.
TEST(Platform, RegisterWindowMessageRejectsLongNames)
{
    std::wstring name255(255, L'm');
    std::wstring name256(256, L'm');
    UINT a = RegisterWindowMessageW(name255.c_str());
    UINT b = RegisterWindowMessageW(name256.c_str());
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(b, 0u);
}

// The host's command line is a CBS_DROPDOWN combo box whose "Edit" child the
// engine looks for; a drive combo box (CBS_DROPDOWNLIST) has no child at all.
bool HasChildOfClass(HWND parent, const wchar_t* cls)
{
    struct Search { const wchar_t* cls; bool found; } s = {cls, false};
    EnumChildWindows(parent, [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (lstrcmpiW(name, s->cls) == 0) {
            s->found = true;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

TEST(Platform, DropDownComboHasEditChildDropDownListHasNone)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 300, 300,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND drop = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN,
                                0, 0, 200, 200, parent, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                                0, 30, 200, 200, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(drop, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(HasChildOfClass(drop, L"Edit"));
    EXPECT_FALSE(HasChildOfClass(list, L"Edit"));
    EXPECT_EQ(GetWindow(list, GW_CHILD), nullptr);
    DestroyWindow(parent);
}

// Inside a WH_KEYBOARD hook the thread's keyboard state still shows the state
// before the key that the hook is called for; it is updated once the key
// message has been retrieved. The engine's hook therefore reads the current
// key from the hook arguments, not from GetKeyboardState.
struct HookProbe {
    int downCalls = 0;
    int upCalls = 0;
    BYTE stateAtDown = 0xFF;   // GetKeyboardState of the key inside the hook, at the press
    SHORT keyStateAtDown = -1; // GetKeyState of the key inside the hook, at the press
    BYTE stateAtUp = 0;        // GetKeyboardState of the key inside the hook, at the release
};
HookProbe g_hookProbe;
const WORD kProbeKey = 'Q';

LRESULT CALLBACK ProbeKeyboardHook(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && wp == kProbeKey) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        if (lp & 0x80000000) {
            ++g_hookProbe.upCalls;
            g_hookProbe.stateAtUp = state[kProbeKey];
        } else {
            ++g_hookProbe.downCalls;
            g_hookProbe.stateAtDown = state[kProbeKey];
            g_hookProbe.keyStateAtDown = GetKeyState(kProbeKey);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void SendProbeKey(bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = kProbeKey;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(kProbeKey, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Pumps until pred() holds or the time runs out.
template <class Pred>
bool PumpUntil(Pred pred, DWORD ms)
{
    DWORD start = GetTickCount();
    MSG m;
    while (!pred()) {
        if (GetTickCount() - start > ms)
            return false;
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    return true;
}

TEST(Platform, KeyboardStateLagsCurrentKeyInsideKeyboardHook)
{
    HWND wnd = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               10, 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    SetForegroundWindow(wnd);
    SetFocus(wnd);
    PumpUntil([] { return false; }, 50);
    ASSERT_EQ(GetForegroundWindow(), wnd);

    g_hookProbe = HookProbe();
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, ProbeKeyboardHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    SendProbeKey(false);
    bool pressed = PumpUntil([] { return g_hookProbe.downCalls > 0; }, 2000);
    bool downAfter = (GetKeyState(kProbeKey) & 0x8000) != 0;
    SendProbeKey(true);
    bool released = PumpUntil([] { return g_hookProbe.upCalls > 0; }, 2000);
    UnhookWindowsHookEx(hook);
    DestroyWindow(wnd);

    ASSERT_TRUE(pressed);
    ASSERT_TRUE(released);
    EXPECT_EQ(g_hookProbe.stateAtDown & 0x80, 0) << "key already down inside the hook";
    EXPECT_EQ(g_hookProbe.keyStateAtDown & 0x8000, 0);
    EXPECT_TRUE(downAfter) << "key not down after its message was retrieved";
    EXPECT_NE(g_hookProbe.stateAtUp & 0x80, 0) << "key already up inside the hook";
}

// A broadcast posted to all applications reaches a hidden top-level window of
// another process (the settings utility's reload message to the engines).
TEST(Platform, BroadcastReachesHiddenWindowOfAnotherProcess)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    wchar_t suffix[32];
    wsprintfW(suffix, L"%lu", GetCurrentProcessId());
    std::wstring name = std::wstring(L"C:\\merovin\\platform\\broadcast") + suffix + L".ini";
    std::wstring eventName = std::wstring(L"MerovinPlatformReady") + suffix;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    std::wstring cmd = L"\"" + dir + L"platform_receiver.exe\" \"" + name + L"\" " + eventName;
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HANDLE both[2] = {ready, pi.hProcess};
    DWORD w = WaitForMultipleObjects(2, both, FALSE, 10000);
    EXPECT_EQ(w, WAIT_OBJECT_0) << "receiver did not get ready";

    UINT msg = RegisterWindowMessageW(name.c_str());
    DWORD recipients = BSM_APPLICATIONS;
    LONG sent = BroadcastSystemMessageW(BSF_POSTMESSAGE, &recipients, msg, 42, 4242);
    EXPECT_GT(sent, 0);

    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 1u) << "1 received, 2 wrong values, 3 nothing arrived, 4 set-up failed";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(ready);
}

}  // namespace
