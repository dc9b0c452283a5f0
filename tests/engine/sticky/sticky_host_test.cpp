// The sticky commands in the stand-in host: the rows the host is asked to
// draw and the caret after each command, the file's sections, the refused
// items; and the host's load log of the engine's columns.
#include <gtest/gtest.h>
#include <map>
#include "EngineHost.h"
#include "HostCommand.h"
#include "HostTestSupport.h"
#include "TCProtocol.h"
#include "TestFiles.h"
#include "DrawnRows.h"

namespace {

std::wstring Section(const std::wstring& file, const std::wstring& folder)
{
    std::wstring names;
    for (int key = 1;; ++key) {
        wchar_t value[1024] = {};
        GetPrivateProfileStringW(folder.c_str(), std::to_wstring(key).c_str(), L"", value, 1024, file.c_str());
        if (!value[0])
            return names;
        names += (key > 1 ? L"," : L"") + std::wstring(value);
    }
}

class StickyInHost : public ::testing::Test {
protected:
    void Start(const char* settings)
    {
        CHostSetup setup = EngineHostSetup(settings);
        setup.leftFiles = {L"a.txt", L"b.txt", L"z.txt"}; // host: .., a.txt, b.txt, z.txt
        setup.pluginTexts[L"Merovin.stk"] = "[C:\\Other]\r\n1=keep.txt\r\n";
        ASSERT_TRUE(m_host.Start(setup)) << m_host.LastError();
        m_list = m_host.Query(1);
        m_file = m_host.PluginDir() + L"\\Merovin.stk";
        ASSERT_TRUE(WaitFor(5000, [&] { return Dispatcher(m_host.ThreadId()) != nullptr; }));
        ASSERT_TRUE(m_host.Focus(m_list));
    }
    void Command(UINT number, int caret)
    {
        SendMessageW(m_list, LB_SETCARETINDEX, caret, 0);
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(Dispatcher(m_host.ThreadId()), WM_SETTEXT, number, (LPARAM)L"", SMTO_NORMAL, 10000, &answer);
        m_host.Flush();
    }
    std::map<int, std::wstring> DrawnRows() { return ::DrawnRows(m_host, m_list); }
    std::wstring Folder() { return m_host.DataDir(0); }

    CHostDriver m_host;
    HWND m_list = nullptr;
    std::wstring m_file;
};

TEST_F(StickyInHost, CommandsReorderTheRowsAndMoveTheCaret)
{
    Start("[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nStickySort=0\r\nCheckCloseTC=0\r\n");
    struct Step {
        UINT command;
        int caret;                  // host index of the caret item
        const wchar_t* section;     // the left folder's names afterwards
        const wchar_t* rows;        // rows 1..3 as drawn
        int caretAfter;             // host index under the caret afterwards
    } steps[] = {
        {CmdStickIt, 3, L"z.txt", L"z.txt,a.txt,b.txt", 3},
        {CmdToggleStick, 2, L"b.txt,z.txt", L"b.txt,z.txt,a.txt", 1},  // row 3 now shows a.txt
        {CmdStickIt, 3, L"z.txt,b.txt", L"z.txt,b.txt,a.txt", 3},
        {CmdStickIt, 0, L"z.txt,b.txt", L"z.txt,b.txt,a.txt", 0},      // "..": nothing
        {CmdUnStickIt, 1, L"z.txt,b.txt", L"z.txt,b.txt,a.txt", 1},    // a.txt is not sticky
        {CmdUnStickIt, 3, L"b.txt", L"b.txt,a.txt,z.txt", 2},          // row 1 now shows b.txt
        {CmdUnStickAll, 2, L"", L"a.txt,b.txt,z.txt", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_wstring(s.command) + L" on " + std::to_wstring(s.caret));
        Command(s.command, s.caret);
        EXPECT_EQ(s.section, Section(m_file, Folder()));
        std::map<int, std::wstring> rows = DrawnRows();
        EXPECT_EQ(L"..", rows[0]);
        EXPECT_EQ(s.rows, rows[1] + L"," + rows[2] + L"," + rows[3]);
        EXPECT_EQ(s.caretAfter, SendMessageW(m_list, LB_GETCARETINDEX, 0, 0));
    }
    EXPECT_EQ(L"keep.txt", Section(m_file, L"C:\\Other"));
    // The host listed the three columns, each a 32-bit number, and nothing after them.
    std::wstring listed;
    for (const CHostLogEntry& e : m_host.LogSince(0, L"plugin"))
        if (e.Get(L"action") == L"field")
            listed += e.Get(L"name") + L"/" + e.Get(L"type") + L" ";
    EXPECT_EQ(L"Order/1 Mark/1 Autostart/1 ", listed);
}

// The settings question comes up in the host while the command runs, so it is
// answered from outside the sending thread; without the file list's focus
// the command is not the engine's and asks nothing.
TEST_F(StickyInHost, StickConfigFirstSaysTheNamesAreSorted)
{
    Start("[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nStickySort=1\r\nCheckCloseTC=0\r\n");
    struct Case {
        HWND focus;
        std::vector<std::wstring> prompts;
    } cases[] = {
        // The note, then the dialog (a dialog box without a text of its own),
        // closed with OK and nothing changed.
        {m_list, {L"Sticked files are sorted automatically.\r\nDisable sorting to set file order manually.", L""}},
        {FindWindowExW(m_host.Query(QueryCommandLine), nullptr, L"Edit", nullptr), {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_host.Focus(c.focus));
        EXPECT_EQ(c.prompts, RunCommand(m_host, CmdStickConfig));
        EXPECT_EQ(L"keep.txt", Section(m_file, L"C:\\Other"));
        EXPECT_EQ(L"", Section(m_file, Folder()));
    }
}

} // namespace
