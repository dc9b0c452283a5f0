// The popups with real windows: the history list's placement and rows, and
// the real menu and list driven with keys from a thread timer (inside the
// modal loops), over edits of a visible foreground window. Runs on a
// desktop of its own.
#include "NumbraFixture.h"
#include "NumbraLoader.h"
#include "PopList.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// Steps run one per timer tick inside whatever modal loop is running; a
// safety timer closes any menu, list or message box left open.
std::vector<std::function<void()>> g_steps;
size_t g_nextStep = 0;
UINT_PTR g_stepTimer = 0;
UINT_PTR g_safetyTimer = 0;
std::wstring g_messageText;

BOOL CALLBACK FindThreadWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(param);
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && wcscmp(name, search->first) == 0) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

HWND ThreadWindow(const wchar_t* className)
{
    std::pair<const wchar_t*, HWND> search(className, nullptr);
    EnumThreadWindows(GetCurrentThreadId(), FindThreadWindow, (LPARAM)&search);
    return search.second;
}

void PostKey(HWND window, UINT key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_nextStep < g_steps.size())
        g_steps[g_nextStep++]();
}

void CALLBACK SafetyTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
    if (HWND list = ThreadWindow(L"SysListView32"))
        PostMessageW(list, WM_CLOSE, 0, 0);
    if (HWND box = ThreadWindow(L"#32770"))
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

void Drive(std::vector<std::function<void()>> steps)
{
    g_steps = std::move(steps);
    g_nextStep = 0;
    g_stepTimer = SetTimer(nullptr, 0, 150, StepTimer);
    g_safetyTimer = SetTimer(nullptr, 0, 5000, SafetyTimer);
}

void StopDriving()
{
    KillTimer(nullptr, g_stepTimer);
    KillTimer(nullptr, g_safetyTimer);
}

// Key presses to the open menu window.
std::function<void()> MenuKey(UINT key)
{
    return [key] {
        if (HWND menu = ThreadWindow(L"#32768"))
            PostKey(menu, key);
    };
}

std::function<void()> ListKey(UINT key)
{
    return [key] {
        if (HWND list = ThreadWindow(L"SysListView32"))
            PostKey(list, key);
    };
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// A visible foreground window holding a multi-line and a single-line edit.
class CHostWindow {
public:
    CHostWindow()
    {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = HostProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"NumbraPopupHost";
        RegisterClassW(&cls);
        window = CreateWindowExW(0, L"NumbraPopupHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
            500, 300, nullptr, nullptr, cls.hInstance, nullptr);
        memo = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, 10, 10, 300,
            100, window, nullptr, cls.hInstance, nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 150, 100, 24, window,
            nullptr, cls.hInstance, nullptr);
        SetForegroundWindow(window);
        SetFocus(edit);
    }
    ~CHostWindow() { DestroyWindow(window); }

    // The request the engine builds from a control.
    EditRequest Request(HWND control, const wchar_t* text, int selStart, int selEnd)
    {
        SetWindowTextW(control, text);
        EditRequest request = {};
        GetWindowTextW(control, request.text, ModuleTextLength);
        request.selStart = selStart;
        request.selEnd = selEnd;
        request.window = control;
        return request;
    }

    HWND window = nullptr;
    HWND memo = nullptr;
    HWND edit = nullptr;
};

// What the answering loop saw of the list.
struct CListSeen {
    int rows = 0;
    RECT rect = {};
    int rowHeight = 0;
    int headerHeight = 0;
    DWORD style = 0;
    std::vector<std::wstring> expressions;
};
CListSeen g_seen;
int g_answerRow = -1;

void AnswerList(CPopList& list)
{
    g_seen = CListSeen();
    g_seen.rows = (int)list.SendMessage(LVM_GETITEMCOUNT);
    GetWindowRect(list, &g_seen.rect);
    RECT item = {};
    item.left = LVIR_BOUNDS;
    list.SendMessage(LVM_GETITEMRECT, 0, (LPARAM)&item);
    g_seen.rowHeight = item.bottom - item.top;
    RECT header = {};
    if (GetWindowRect((HWND)list.SendMessage(LVM_GETHEADER), &header))
        g_seen.headerHeight = header.bottom - header.top;
    g_seen.style = (DWORD)GetWindowLongPtrW(list, GWL_STYLE);
    for (int row = 0; row < g_seen.rows; ++row) {
        WCHAR text[1024] = L"";
        LVITEMW get = {};
        get.pszText = text;
        get.cchTextMax = 1024;
        list.SendMessage(LVM_GETITEMTEXTW, row, (LPARAM)&get);
        g_seen.expressions.push_back(text);
    }
    list.EndWith(g_answerRow);
}

class CalcPopups : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetForegroundWindow(), host.window);
        calculator.Initialize(ini.ModuleFile().c_str());
    }
    void Evaluate(int count)
    {
        for (int i = 0; i < count; ++i)
            RunText(calculator, (std::to_wstring(i) + L"+1").c_str());
    }
    int History(HWND control, EditRequest& request)
    {
        request = host.Request(control, L"abc", 1, 2);
        return calculator.Process(&request, CommandHistory);
    }

    CHostWindow host;
    CFixtureIni ini{"[Config]\nReverseHistory=0\n"};
    CCalculator calculator;
};

} // namespace

TEST_F(CalcPopups, HistoryListPlacementRowsAndWidth)
{
    Evaluate(20);
    calculator.SetPopListLoop(AnswerList);
    EditRequest request;
    g_answerRow = -1;
    EXPECT_EQ(History(host.edit, request), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(request.selStart, 1);
    ASSERT_EQ(g_seen.rows, 20);
    ASSERT_GT(g_seen.rowHeight, 0);
    RECT edit;
    GetWindowRect(host.edit, &edit);
    EXPECT_EQ(g_seen.rect.left, edit.left);
    EXPECT_EQ(g_seen.rect.top, edit.bottom);
    EXPECT_EQ(g_seen.rect.right - g_seen.rect.left, 250); // the edit is 100 pixels wide
    EXPECT_EQ(g_seen.rect.bottom - g_seen.rect.top, 15 * g_seen.rowHeight + g_seen.headerHeight);
    EXPECT_TRUE(g_seen.style & WS_VSCROLL);
    EXPECT_EQ(g_seen.style & 0x80800000u, 0x80800000u);
    EXPECT_EQ(g_seen.style & 0xFFFFu, 0x4005u);
    // Oldest pair on top.
    EXPECT_EQ(g_seen.expressions.front(), L"0+1");
    EXPECT_EQ(g_seen.expressions.back(), L"19+1");

    // A few pairs: one row each; the wide memo keeps its width.
    CCalculator few;
    few.Initialize(ini.ModuleFile().c_str());
    few.SetPopListLoop(AnswerList);
    RunText(few, L"1+2");
    RunText(few, L"2*(3");
    request = host.Request(host.memo, L"abc", 1, 2);
    g_answerRow = 1;
    EXPECT_EQ(few.Process(&request, CommandHistory), ResultSetText);
    EXPECT_EQ(g_seen.rows, 2);
    EXPECT_EQ(g_seen.rect.bottom - g_seen.rect.top, 2 * g_seen.rowHeight + g_seen.headerHeight);
    RECT memo;
    GetWindowRect(host.memo, &memo);
    EXPECT_EQ(g_seen.rect.right - g_seen.rect.left, memo.right - memo.left);
    EXPECT_STREQ(request.text, L"2*(3");
    EXPECT_EQ(request.selStart, 4);
    EXPECT_EQ(request.selEnd, 4);
}

TEST_F(CalcPopups, HistoryListOpensAboveAnEditAtTheBottomOfTheWorkArea)
{
    Evaluate(3);
    calculator.SetPopListLoop(AnswerList);
    MONITORINFO monitor = {sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(host.window, MONITOR_DEFAULTTONEAREST), &monitor);
    HWND low = CreateWindowExW(WS_EX_TOOLWINDOW, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 20,
        monitor.rcWork.bottom - 30, 300, 24, host.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(low, nullptr);
    EditRequest request;
    g_answerRow = -1;
    History(low, request);
    RECT edit;
    GetWindowRect(low, &edit);
    EXPECT_EQ(g_seen.rect.bottom, edit.top);
    EXPECT_EQ(g_seen.rect.top, edit.top - (3 * g_seen.rowHeight + g_seen.headerHeight));
    DestroyWindow(low);
}

TEST_F(CalcPopups, HistoryListWithKeys)
{
    Evaluate(3); // 0+1, 1+1, 2+1
    EditRequest request;
    // Enter on the second row: oldest first.
    Drive({ListKey(VK_DOWN), ListKey(VK_DOWN), ListKey(VK_RETURN)});
    EXPECT_EQ(History(host.edit, request), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"1+1");
    EXPECT_EQ(request.selStart, 3);
    EXPECT_EQ(ThreadWindow(L"SysListView32"), nullptr);

    // Newest first with ReverseHistory=1: the first row is the newest pair.
    ini.Write("[Config]\nReverseHistory=1\n");
    Drive({ListKey(VK_DOWN), ListKey(VK_RETURN)});
    History(host.edit, request);
    StopDriving();
    EXPECT_STREQ(request.text, L"2+1");

    // A double click on a row's label chooses it (newest first: row 2 is 0+1).
    Drive({[] {
        HWND list = ThreadWindow(L"SysListView32");
        if (!list)
            return;
        LVITEMW state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 2, (LPARAM)&state);
        RECT label = {};
        label.left = LVIR_LABEL;
        SendMessageW(list, LVM_GETITEMRECT, 2, (LPARAM)&label);
        LPARAM at = MAKELPARAM(label.left + 2, (label.top + label.bottom) / 2);
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }});
    History(host.edit, request);
    StopDriving();
    EXPECT_STREQ(request.text, L"0+1");

    // Escape, and losing the focus, cancel.
    Drive({ListKey(VK_DOWN), ListKey(VK_ESCAPE)});
    EXPECT_EQ(History(host.edit, request), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"abc");
    HWND edit = host.edit;
    Drive({ListKey(VK_DOWN), [edit] { SetFocus(edit); }});
    EXPECT_EQ(History(host.edit, request), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(ThreadWindow(L"SysListView32"), nullptr);
}

TEST_F(CalcPopups, QuitWhileTheListIsOpenReachesTheHostsLoop)
{
    Evaluate(2);
    EditRequest request;
    Drive({[] { PostQuitMessage(7); }});
    EXPECT_EQ(History(host.edit, request), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"abc");
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(CalcPopups, SecondPopupCommandWhileOneIsOpenDoesNothing)
{
    Evaluate(2);
    int inner = -1;
    CCalculator* calc = &calculator;
    HWND edit = host.edit;
    Drive({[&inner, calc, edit] {
               EditRequest nested = {};
               wcscpy(nested.text, L"x");
               nested.window = edit;
               inner = calc->Process(&nested, CommandVarConst);
           },
        ListKey(VK_ESCAPE)});
    EditRequest request;
    History(host.edit, request);
    StopDriving();
    EXPECT_EQ(inner, ResultNone);
}

// The module library itself: the real menu and list over the host's edits.
TEST(NumbraDllPopups, MenuAndHistoryChoicesLandInTheRequest)
{
    CHostWindow host;
    ASSERT_EQ(GetForegroundWindow(), host.window);
    CNumbraLoader numbra(FixtureText);
    ASSERT_NE(numbra.process, nullptr);

    // Down to the first user function (below "muParser"), Enter.
    EditRequest request = host.Request(host.memo, L"1+", 2, 2);
    Drive({MenuKey(VK_DOWN), MenuKey(VK_DOWN), MenuKey(VK_RETURN)});
    EXPECT_EQ(numbra.process(&request, CommandVarConst), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"1+hyp(a,b)");
    EXPECT_EQ(request.selStart, 10);

    // Escape dismisses: unchanged.
    request = host.Request(host.edit, L"abc", 1, 2);
    Drive({MenuKey(VK_DOWN), MenuKey(VK_ESCAPE), MenuKey(VK_ESCAPE)});
    EXPECT_EQ(numbra.process(&request, CommandVarConst), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(request.selStart, 1);

    for (const wchar_t* text : {L"3#4", L"hyp(6,8)"}) {
        request = host.Request(host.edit, text, 0, 0);
        EXPECT_EQ(numbra.process(&request, CommandDecimal), ResultSetText);
    }
    EXPECT_STREQ(request.text, L"10");
    request = host.Request(host.edit, L"abc", 0, 0);
    Drive({ListKey(VK_DOWN), ListKey(VK_RETURN)});
    EXPECT_EQ(numbra.process(&request, CommandHistory), ResultSetText);
    StopDriving();
    EXPECT_STREQ(request.text, L"3#4");
    EXPECT_EQ(request.selStart, 3);
}

// A definition the parser refuses: the message box shows the parser's
// message and the library does not load.
TEST(NumbraDllPopups, RefusedOperatorStopsTheLibraryFromLoading)
{
    g_messageText.clear();
    Drive({[] {
        if (HWND box = ThreadWindow(L"#32770")) {
            WCHAR text[512] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            g_messageText = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }});
    {
        CNumbraLoader numbra("[Functions]\nsq(x)=x*x\n[Operators1]\nsq=!\n");
        EXPECT_EQ(numbra.Module(), nullptr);
    }
    StopDriving();
    EXPECT_NE(g_messageText.find(L"Name conflict"), std::wstring::npos) << g_messageText.c_str();
}
