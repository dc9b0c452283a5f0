// Name completion on real folders in a real edit box: the names visited in
// one cycle (as a set: Wine lists folders unsorted), the wrap-around, the
// folder part found after blanks and environment variables, a restart after
// typing, texts without a folder, a very long text; and the executor's gate
// with the engine loaded in this process.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "AutoCompletion.h"
#include "EngineHarness.h"
#include "MiniHost.h"
#include "TCProtocol.h"
#include "TestFiles.h"

namespace {

HWND MakeEdit(const wchar_t* cls = L"Edit")
{
    return CreateWindowExW(0, cls, L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 400, 20, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void SetText(HWND edit, const std::wstring& text)
{
    SetWindowTextW(edit, text.c_str());
    SendMessageW(edit, EM_SETSEL, text.size(), text.size());
}

std::wstring Text(HWND edit)
{
    wchar_t text[4096] = {};
    GetWindowTextW(edit, text, 4096);
    return text;
}

class Completion : public ::testing::Test {
protected:
    Completion() : m_folder(L"complete"), m_edit(MakeEdit())
    {
        for (const wchar_t* dir : {L"Win", L"Sub Dir"})
            CreateDirectoryW(m_folder.File(dir).c_str(), nullptr);
        for (const wchar_t* file : {L"WinA", L"winb.txt", L"Other", L"Sub Dir\\First.txt"})
            WriteText(m_folder.File(file), "x");
    }
    ~Completion() override { DestroyWindow(m_edit); }

    // The texts after each of `presses` key presses.
    std::vector<std::wstring> Press(int presses)
    {
        std::vector<std::wstring> texts;
        for (int i = 0; i < presses; ++i) {
            EXPECT_EQ(1, m_completion.Complete(m_edit));
            texts.push_back(Text(m_edit));
        }
        return texts;
    }

    CTempFolder m_folder;
    HWND m_edit;
    CAutoCompletion m_completion;
};

TEST_F(Completion, CyclesThroughLongerMatchesAndWraps)
{
    std::wstring base = m_folder.Path() + L"\\";
    SetText(m_edit, base + L"Win");
    std::vector<std::wstring> texts = Press(3);
    std::set<std::wstring> visited(texts.begin(), texts.begin() + 2);
    EXPECT_EQ((std::set<std::wstring>{base + L"WinA", base + L"winb.txt"}), visited);
    EXPECT_EQ(texts[0], texts[2]); // after the last match the first again
}

TEST_F(Completion, FindsTheFolderPartOrLeavesTheTextAlone)
{
    CEnvironmentValue myt(L"MYT", m_folder.Path().c_str());
    std::wstring longText(3000, L'x');
    struct Case {
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        {L"cd %MYT%\\Oth", L"cd %MYT%\\Other"},
        {L"cd " + m_folder.Path() + L"\\Sub Dir\\Fi", L"cd " + m_folder.Path() + L"\\Sub Dir\\First.txt"},
        {L"no folder here", L"no folder here"},
        {L"cd Q:\\missing\\Wi", L"cd Q:\\missing\\Wi"},
        {longText, longText},
        {L"cd " + longText + L"\\" + m_folder.Path() + L"\\Oth", L"cd " + longText + L"\\" + m_folder.Path() + L"\\Other"},
    };
    for (const Case& c : cases) {
        m_completion.Reset();
        SetText(m_edit, c.text);
        EXPECT_EQ(c.expected, Press(1)[0]) << std::string(c.text.begin(), c.text.begin() + std::min<size_t>(40, c.text.size()));
    }
}

TEST_F(Completion, TypingBetweenPressesStartsANewCycle)
{
    std::wstring base = m_folder.Path() + L"\\";
    SetText(m_edit, base + L"Win");
    EXPECT_NE(base + L"Win", Press(1)[0]);
    // The user types: the cycle starts from the new text.
    SetText(m_edit, base + L"O");
    EXPECT_EQ(base + L"Other", Press(1)[0]);
}

// The executor runs completion only in the host's three edit classes and
// with "AutoCompletion" on.
TEST(CompletionGate, OnlyInEditClassesAndWhenSwitchedOn)
{
    CTempFolder files(L"gate");
    WriteText(files.File(L"Alpha.txt"), "x");
    std::wstring typed = files.Path() + L"\\Al";
    struct Case {
        const char* setting;
        const wchar_t* cls;
        bool completes;
    } cases[] = {
        {"1", L"Edit", true},     {"1", L"TEdit", true}, {"1", L"TAltEdit", true},
        {"1", L"TMemo", false},   {"0", L"Edit", false},
    };
    for (const Case& c : cases) {
        CMiniHost host;
        CEngineHarness engine;
        std::string ini = std::string("[Config]\r\nUseLLHook=0\r\nCheckCloseTC=0\r\nAutoCompletion=") + c.setting + "\r\n";
        WriteText(engine.SettingsFile(), ini.c_str());
        ASSERT_TRUE(engine.Load());
        engine.SetDefaultParams("");
        WNDCLASSW edit = {};
        GetClassInfoW(nullptr, L"Edit", &edit);
        edit.hInstance = GetModuleHandleW(nullptr);
        edit.lpszClassName = c.cls;
        RegisterClassW(&edit);
        HWND box = CreateWindowExW(0, c.cls, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 300, 20, host.main, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(host.main);
        SetFocus(box);
        SetText(box, typed);
        SendMessageW(Dispatcher(GetCurrentThreadId()), WM_SETTEXT, CmdAutoCompletion, (LPARAM)L"");
        EXPECT_EQ(c.completes ? files.Path() + L"\\Alpha.txt" : typed, Text(box)) << c.setting << " " << c.cls;
        DestroyWindow(box);
    }
}

} // namespace
