// The calculator module end to end: listed in "PluginList" beside the engine
// in the stand-in host, its hotkeys of "Plugins" pressed over the host's edit
// controls; evaluation, error selection, the variables menu and the history
// list, each result read back from the control.
#include "ModuleHostFixture.h"

namespace {

// Ctrl+M opens the variables menu: the menu would take that key, if it read
// it again, as Enter and close at once.
const char CalcKeys[] =
    "[PluginList]\r\nNumbra=Numbra.dll\r\n"
    "[Plugins]\r\n"
    "Ctrl+Q=Numbra,2\r\n"
    "Ctrl+H=Numbra,1\r\n"
    "Ctrl+M=Numbra,4\r\n"
    "Ctrl+L=Numbra,5\r\n";

const char CalcIni[] =
    "[Config]\r\nCommentDelimiter=;\r\n"
    "[Functions]\r\nhyp(a,b)=sqrt(a*a+b*b)\r\n";

// The visible history list (a top-level "SysListView32") of a thread, or null.
HWND OpenList(DWORD thread)
{
    HWND found = nullptr;
    EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (wcscmp(name, L"SysListView32") != 0 || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Types text as Unicode key input into whatever has the focus.
bool TypeText(const wchar_t* text)
{
    std::vector<INPUT> inputs;
    for (const wchar_t* c = text; *c; ++c) {
        for (bool up : {false, true}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = *c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    return SendKeys(inputs);
}

std::vector<INPUT> Keys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        inputs.push_back(MakeKeyInput(vk, false));
        inputs.push_back(MakeKeyInput(vk, true));
    }
    return inputs;
}

class CalculatorInHost : public ModulesInHost {
protected:
    ~CalculatorInHost() override { CancelPopups(); }

    bool StartCalculator()
    {
        return Start(CalcKeys, {{L"Numbra64.dll", ""}}, {}, "", {{L"Numbra.ini", CalcIni}});
    }

    // Ctrl+`vk` in `target`, then time for the engine's selection restore
    // (100 ms after a written result; it also moves the focus back), so it
    // cannot land in the next step.
    std::vector<CHostLogEntry> Calc(HWND target, WORD vk)
    {
        std::vector<CHostLogEntry> log = ChordIn(target, {VK_LCONTROL}, vk);
        Sleep(500);
        return log;
    }

    // Evaluates `text` in `edit` with the decimal command; returns the edit's text.
    std::wstring Evaluate(HWND edit, const wchar_t* text)
    {
        SetWindowTextW(edit, text);
        Calc(edit, 'Q');
        return Text(edit);
    }

    // Opens a popup command over `edit` (its chord sent without a sync, as the
    // popup runs inside the command), waits for `open`, then sends `keys`.
    // True when the popup opened and closed again.
    template <typename Open>
    bool RunPopup(HWND edit, WORD vk, Open open, const std::vector<INPUT>& keys)
    {
        if (!m_host.Focus(edit) || !SendKeys(BuildChord({VK_LCONTROL}, vk)))
            return false;
        if (!WaitFor(3000, open)) {
            ADD_FAILURE() << "the popup did not open";
            return false;
        }
        if (!SendKeys(keys))
            return false;
        bool closed = WaitFor(3000, [&] { return !open(); });
        if (!closed)
            ADD_FAILURE() << "the popup stayed open";
        bool synced = m_host.Sync();
        Sleep(500);  // the selection restore after a written choice
        return synced && closed;
    }

    // Safety for a wrong result: closes any menu or list still open, so the
    // host's thread leaves the module's modal loop instead of hanging.
    void CancelPopups()
    {
        if (!m_host.Running())
            return;
        for (int attempt = 0; attempt < 20; ++attempt) {
            HWND menu = OpenMenu(m_host.ThreadId());
            HWND list = OpenList(m_host.ThreadId());
            if (!menu && !list)
                return;
            if (menu)
                PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            if (list)
                PostMessageW(list, WM_CLOSE, 0, 0);
            Sleep(100);
        }
    }

    bool MenuOpen() { return OpenMenu(m_host.ThreadId()) != nullptr; }
    bool ListOpen() { return OpenList(m_host.ThreadId()) != nullptr; }
};

} // namespace

TEST_F(CalculatorInHost, ResultReplacesTheTextWithTheCaretAtTheStart)
{
    ASSERT_TRUE(StartCalculator()) << m_host.LastError();
    HWND edit = ShowEdit(L"1+2");
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(edit, EM_SETSEL, 1, 3);
    auto log = Calc(edit, 'Q');
    EXPECT_EQ(L"3", Text(edit));
    EXPECT_FALSE(KeyReached(log, 'Q'));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(edit) == std::make_pair(0, 0); })) << Selection(edit).first;

    // Another format through its own hotkey; text typed by keys.
    SetWindowTextW(edit, L"");
    ASSERT_TRUE(m_host.Focus(edit));
    ASSERT_TRUE(TypeText(L"200+55"));
    ASSERT_TRUE(m_host.Sync());
    ASSERT_EQ(L"200+55", Text(edit));
    log = Calc(edit, 'H');
    EXPECT_EQ(L"0xFF", Text(edit));
    EXPECT_FALSE(KeyReached(log, 'H'));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(edit) == std::make_pair(0, 0); }));

    // The host's command line.
    HWND combo = m_host.Query(20);
    HWND commandLine = combo ? GetWindow(combo, GW_CHILD) : nullptr;
    ASSERT_NE(nullptr, commandLine);
    ASSERT_TRUE(m_host.Focus(commandLine));
    ASSERT_TRUE(TypeText(L"6*7"));
    ASSERT_TRUE(m_host.Sync());
    ASSERT_EQ(L"6*7", Text(commandLine));
    SendMessageW(commandLine, EM_SETSEL, 0, 3);
    log = Calc(commandLine, 'Q');
    EXPECT_EQ(L"42", Text(commandLine));
    EXPECT_FALSE(KeyReached(log, 'Q'));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(commandLine) == std::make_pair(0, 0); }));
    EXPECT_TRUE(m_host.Running());
}

TEST_F(CalculatorInHost, BadExpressionSelectsTheErrorPositionOrPassesTheKey)
{
    ASSERT_TRUE(StartCalculator()) << m_host.LastError();
    HWND edit = ShowEdit(L"1+2)*3");
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(edit, EM_SETSEL, 0, 6);
    // Select and beep: the text stays, the selection marks the fault.
    auto log = Calc(edit, 'Q');
    EXPECT_EQ(L"1+2)*3", Text(edit));
    EXPECT_EQ(std::make_pair(3, 3), Selection(edit));
    EXPECT_EQ(edit, FocusOf(m_host.ThreadId()));
    EXPECT_FALSE(KeyReached(log, 'Q'));

    // A fault at position 0 does nothing: text and selection stay, the key goes on.
    SetWindowTextW(edit, L"*2");
    SendMessageW(edit, EM_SETSEL, 1, 2);
    log = Calc(edit, 'Q');
    EXPECT_EQ(L"*2", Text(edit));
    EXPECT_EQ(std::make_pair(1, 2), Selection(edit));
    EXPECT_TRUE(KeyReached(log, 'Q', edit));

    // The calculator still works afterwards.
    EXPECT_EQ(L"7", Evaluate(edit, L"3+4"));
    EXPECT_TRUE(m_host.Running());
}

TEST_F(CalculatorInHost, VariablesMenuInsertsTheChosenName)
{
    ASSERT_TRUE(StartCalculator()) << m_host.LastError();
    HWND edit = ShowEdit(L"");
    ASSERT_NE(nullptr, edit);
    ASSERT_EQ(L"5", Evaluate(edit, L"x=5"));

    // Main menu: "muParser" >, separator, hyp, separator, x, separator, _e, _pi.
    SetWindowTextW(edit, L"+1");
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(edit, EM_SETSEL, 0, 0);
    ASSERT_TRUE(RunPopup(edit, 'M', [&] { return MenuOpen(); }, Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})));
    EXPECT_EQ(L"x+1", Text(edit));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(edit) == std::make_pair(1, 1); }));
    EXPECT_EQ(L"6", Evaluate(edit, L"x+1"));

    // A user function over the selection.
    SetWindowTextW(edit, L"abc");
    ASSERT_TRUE(m_host.Focus(edit));
    SendMessageW(edit, EM_SETSEL, 1, 2);
    ASSERT_TRUE(RunPopup(edit, 'M', [&] { return MenuOpen(); }, Keys({VK_DOWN, VK_DOWN, VK_RETURN})));
    EXPECT_EQ(L"ahyp(a,b)c", Text(edit));

    // The library's functions in the submenu: the first is "abs".
    SetWindowTextW(edit, L"");
    ASSERT_TRUE(RunPopup(edit, 'M', [&] { return MenuOpen(); }, Keys({VK_DOWN, VK_RIGHT, VK_RETURN})));
    EXPECT_EQ(L"abs", Text(edit));

    // Dismissed: the text stays.
    SetWindowTextW(edit, L"keep");
    ASSERT_TRUE(RunPopup(edit, 'M', [&] { return MenuOpen(); }, Keys({VK_ESCAPE})));
    EXPECT_EQ(L"keep", Text(edit));
    EXPECT_TRUE(m_host.Running());
}

TEST_F(CalculatorInHost, HistoryListPutsTheChosenExpressionInTheEdit)
{
    ASSERT_TRUE(StartCalculator()) << m_host.LastError();
    HWND edit = ShowEdit(L"");
    ASSERT_NE(nullptr, edit);
    ASSERT_EQ(L"3", Evaluate(edit, L"1+2"));
    ASSERT_EQ(L"42", Evaluate(edit, L"6*7"));
    ASSERT_EQ(L"9", Evaluate(edit, L"4+5"));

    // Oldest first: the second row is "6*7", the caret after it.
    SetWindowTextW(edit, L"other");
    ASSERT_TRUE(RunPopup(edit, 'L', [&] { return ListOpen(); }, Keys({VK_DOWN, VK_DOWN, VK_RETURN})));
    EXPECT_EQ(L"6*7", Text(edit));
    EXPECT_TRUE(WaitFor(1000, [&] { return Selection(edit) == std::make_pair(3, 3); }));

    // Escape leaves the text.
    SetWindowTextW(edit, L"other");
    ASSERT_TRUE(RunPopup(edit, 'L', [&] { return ListOpen(); }, Keys({VK_DOWN, VK_ESCAPE})));
    EXPECT_EQ(L"other", Text(edit));
    EXPECT_TRUE(m_host.Running());
}
