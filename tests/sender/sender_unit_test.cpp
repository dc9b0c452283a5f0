// Parts of the sender that a process chain cannot reach: the end of the
// ancestor walk, the denied send, bounded copies.
#include "CommandLine.h"
#include "Delivery.h"
#include "EngineFinder.h"
#include "RunLevel.h"
#include "SenderTestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// A fake process tree for the walk.
std::map<DWORD, DWORD> g_parents;
std::map<DWORD, HWND> g_dispatchers;
int g_lookups = 0;

bool FakeParent(DWORD pid, DWORD* parent)
{
    ++g_lookups;
    auto it = g_parents.find(pid);
    *parent = it == g_parents.end() ? 0 : it->second;
    return true;
}

HWND FakeDispatcher(DWORD pid)
{
    auto it = g_dispatchers.find(pid);
    return it == g_dispatchers.end() ? nullptr : it->second;
}

bool FailingSnapshot(DWORD, DWORD*)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
}

FindResult Walk(DWORD start, HWND* found, DWORD* error = nullptr)
{
    DWORD ignored = 0;
    g_lookups = 0;
    return FindEngineDispatcher(start, found, error ? error : &ignored, FakeParent, FakeDispatcher);
}

HWND Fake(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(n)); }

TEST(SenderWalk, NearestAncestorWithDispatcherAndTheEndsOfTheWalk)
{
    HWND found = nullptr;
    g_parents = {{10, 20}, {20, 30}, {30, 40}};
    g_dispatchers = {{30, Fake(3)}, {40, Fake(4)}};
    EXPECT_EQ(Walk(10, &found), FindResult::Found);
    EXPECT_EQ(found, Fake(3));

    // The process itself is never taken as the host.
    g_dispatchers = {{10, Fake(1)}};
    EXPECT_EQ(Walk(10, &found), FindResult::NotFound);
    EXPECT_EQ(found, nullptr);

    // A loop of reused ids ends the walk.
    g_parents = {{10, 20}, {20, 30}, {30, 20}};
    g_dispatchers.clear();
    EXPECT_EQ(Walk(10, &found), FindResult::NotFound);
    EXPECT_LE(g_lookups, 4);

    // A chain longer than the limit ends after kMaxAncestorSteps steps.
    g_parents.clear();
    for (DWORD pid = 100; pid < 1100; ++pid)
        g_parents[pid] = pid + 1;
    g_dispatchers = {{1000, Fake(9)}};
    EXPECT_EQ(Walk(100, &found), FindResult::NotFound);
    EXPECT_EQ(g_lookups, kMaxAncestorSteps);
    g_dispatchers = {{100 + kMaxAncestorSteps, Fake(8)}};
    EXPECT_EQ(Walk(100, &found), FindResult::Found);
    EXPECT_EQ(found, Fake(8));

    DWORD error = 0;
    EXPECT_EQ(FindEngineDispatcher(10, &found, &error, FailingSnapshot, FakeDispatcher),
              FindResult::SnapshotFailed);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(SenderWalk, RealSnapshotGivesTheParentOfThisProcess)
{
    DWORD parent = 0;
    ASSERT_TRUE(GetParentProcessId(GetCurrentProcessId(), &parent));
    EXPECT_NE(parent, 0u);
    EXPECT_NE(parent, GetCurrentProcessId());
    ASSERT_TRUE(GetParentProcessId(0xFFFFFFF0, &parent));
    EXPECT_EQ(parent, 0u);
}

// Sends that leave a chosen last error behind.
LRESULT WINAPI DeniedSend(HWND, UINT, WPARAM, LPARAM)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

LRESULT WINAPI QuietSend(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}

TEST(SenderDelivery, OnlyADeniedSendShowsTheSystemText)
{
    SenderCommand command = {65520, L""};

    CBoxWatcher denied(GetCurrentProcessId());
    DeliverCommand(nullptr, command, DeniedSend);
    std::vector<SeenBox> boxes = denied.Stop();
    wchar_t system[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_ACCESS_DENIED, 0, system, 512, nullptr);
    std::wstring expected = std::wstring(L"SendMessage: ") + system;
    expected.erase(expected.find_last_not_of(L"\r\n ") + 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Merovcall Error");
    EXPECT_EQ(boxes[0].text, expected);

    // An error left over from before the send is not the send's.
    CBoxWatcher stale(GetCurrentProcessId());
    SetLastError(ERROR_ACCESS_DENIED);
    DeliverCommand(nullptr, command, QuietSend);
    EXPECT_TRUE(stale.Stop().empty());
}

TEST(SenderCommandLine, CopiesAndValuesAreBounded)
{
    wchar_t line[kMaxCommandLine + 1];
    CopyCommandLine(std::wstring(400, L'k').c_str(), line);
    EXPECT_EQ(lstrlenW(line), kMaxCommandLine);
    CopyCommandLine(nullptr, line);
    EXPECT_EQ(line[0], L'\0');

    // A "PluginList" value longer than the buffer still counts as listed.
    CSenderFolder folder;
    std::string ini = "[PluginList]\r\nLong=" + std::string(900, 'v') + "\r\n";
    folder.WriteIni(ini.c_str());
    SenderCommand command;
    ASSERT_TRUE(ParseCommandLine(L"Long,7", folder.Path(L"merovin.ini").c_str(), &command));
    EXPECT_EQ(command.number, 7);
    EXPECT_STREQ(command.text, L"Long");
}

}  // namespace

// Its manifest asks to run as the invoker, so no file virtualisation
// redirects what it reads from its folder.
TEST(SenderProgram, ManifestRunsAsInvoker)
{
    CSenderFolder folder;
    EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, ManifestRunLevel(folder.Sender().c_str()));
}
