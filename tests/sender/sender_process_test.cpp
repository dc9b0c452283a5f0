// The sender as a child of fake hosts: what reaches the dispatcher, which
// boxes it shows and its exit codes.
#include "SenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kCaption[] = L"Merovcall Error";
const char kPluginList[] = "[PluginList]\r\nNumbra=Numbra.dll\r\nEmpty=\r\n";

struct HostRun {
    ChainResult chain;
    HostReport host;
};

// host -> sender with the given command line.
HostRun RunInHost(CSenderFolder& folder, const std::wstring& arguments)
{
    HostRun run;
    DeleteFileW(folder.Path(L"host.txt").c_str());  // no stale report from an earlier run
    run.chain = RunChain(folder.Host(L"host.txt") + L" \"" + folder.Sender() + L"\" " + arguments);
    run.host = folder.Report(L"host.txt");
    return run;
}

void ExpectUnknown(const HostRun& run, const std::wstring& commandLine)
{
    ASSERT_TRUE(run.host.written) << "host exit code " << run.chain.exitCode;
    EXPECT_TRUE(run.host.received.empty()) << "nothing may be sent";
    EXPECT_EQ(run.host.childExit, 0);
    ASSERT_EQ(run.chain.boxes.size(), 1u);
    EXPECT_EQ(run.chain.boxes[0].caption, kCaption);
    EXPECT_EQ(run.chain.boxes[0].text, L"Unknown command <" + commandLine + L">");
}

TEST(SenderProcess, EveryEngineNameReachesTheDispatcherWithItsNumber)
{
    const struct { const wchar_t* name; long long number; } names[] = {
        {L"StickConfig", 65509}, {L"StickIt", 65510}, {L"ToggleStick", 65511},
        {L"UnstickIt", 65512}, {L"UnstickAll", 65513}, {L"ToggleBookMark", 65501},
        {L"BookMarkNext", 65502}, {L"BookMarkPrev", 65503}, {L"Book2Selection", 65505},
        {L"CopyBookMark", 65506}, {L"PasteBookMark", 65507}, {L"ClearBookMark", 65518},
        {L"ToggleSaveBookMark", 65519}, {L"JumpBookMark", 65504}, {L"NextQuickView", 65515},
        {L"SelectTabColor", 65516}, {L"ReloadSettings", 65520}, {L"UseFileGrouping", 65523},
        {L"ShowMVMenu", 65524}, {L"GotoDirRelative", 65529},
        {L"togglebookmark", 65501}, {L"RELOADSETTINGS", 65520},
    };
    CSenderFolder folder;
    for (const auto& row : names) {
        SCOPED_TRACE(testing::Message() << row.name);
        HostRun run = RunInHost(folder, row.name);
        ASSERT_TRUE(run.host.written) << "host exit code " << run.chain.exitCode;
        EXPECT_EQ(run.host.received, (std::vector<SetText>{{row.number, L""}}));
        EXPECT_EQ(run.host.childExit, 1);
        EXPECT_TRUE(run.chain.boxes.empty());
    }
}

TEST(SenderProcess, UnknownNamesShowTheBoxAndExitWithZero)
{
    CSenderFolder folder;
    folder.WriteIni(kPluginList);
    // Not in the sender's table, although the engine knows it.
    ExpectUnknown(RunInHost(folder, L"ChronoTabs"), L"ChronoTabs");
    // Quotes are not stripped: a quoted name is unknown.
    ExpectUnknown(RunInHost(folder, L"\"ReloadSettings\""), L"\"ReloadSettings\"");
    ExpectUnknown(RunInHost(folder, L"ReloadSettings,1"), L"ReloadSettings,1");
    ExpectUnknown(RunInHost(folder, L""), L"");
    ExpectUnknown(RunInHost(folder, L",3"), L",3");
}

TEST(SenderProcess, ModuleCommandNeedsItsKeyInPluginListBesideTheSender)
{
    CSenderFolder folder;
    folder.WriteIni(kPluginList);
    HostRun listed = RunInHost(folder, L"Numbra,3");
    EXPECT_EQ(listed.host.received, (std::vector<SetText>{{3, L"Numbra"}}));
    EXPECT_EQ(listed.host.childExit, 1);
    EXPECT_TRUE(listed.chain.boxes.empty());

    ExpectUnknown(RunInHost(folder, L"Other,2"), L"Other,2");
    ExpectUnknown(RunInHost(folder, L"Empty,2"), L"Empty,2");
    ExpectUnknown(RunInHost(folder, L"Numbra,-1"), L"Numbra,-1");

    CSenderFolder noIni;
    ExpectUnknown(RunInHost(noIni, L"Numbra,3"), L"Numbra,3");
}

TEST(SenderProcess, OverlongCommandLineIsCutAndUnknown)
{
    CSenderFolder folder;
    HostRun run = RunInHost(folder, std::wstring(300, L'x'));
    ASSERT_TRUE(run.host.written) << "host exit code " << run.chain.exitCode;
    EXPECT_TRUE(run.host.received.empty());
    EXPECT_EQ(run.host.childExit, 0);
    ASSERT_EQ(run.chain.boxes.size(), 1u);
    EXPECT_EQ(run.chain.boxes[0].caption, kCaption);
    EXPECT_EQ(run.chain.boxes[0].text.compare(0, 17, L"Unknown command <"), 0);
}

TEST(SenderProcess, WithoutHostAmongTheAncestorsItCannotFindTheEngine)
{
    CSenderFolder folder;
    ChainResult run = RunChain(L"\"" + folder.Sender() + L"\" ReloadSettings");
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, kCaption);
    EXPECT_EQ(run.boxes[0].text, L"Cannot find Merovin.");
}

TEST(SenderProcess, TheNearestAncestorWithADispatcherGetsTheCommand)
{
    CSenderFolder folder;
    const std::wstring sender = L" \"" + folder.Sender() + L"\" ReloadSettings";
    const std::vector<SetText> reload = {{65520, L""}};

    // host A -> host B -> sender: B's dispatcher.
    ChainResult nested = RunChain(folder.Host(L"a.txt") + L" " + folder.Host(L"b.txt") + sender);
    EXPECT_EQ(nested.exitCode, 1u);
    EXPECT_TRUE(folder.Report(L"a.txt").received.empty());
    EXPECT_EQ(folder.Report(L"b.txt").received, reload);

    // host -> launcher (not a host) -> sender: the host's dispatcher.
    ChainResult launched = RunChain(folder.Host(L"c.txt") + L" " + Beside(L"sender_launcher.exe") + sender);
    EXPECT_EQ(launched.exitCode, 1u);
    EXPECT_EQ(folder.Report(L"c.txt").received, reload);

    // host D (dispatcher) -> host E (no dispatcher) -> sender: D's dispatcher.
    ChainResult skipped = RunChain(folder.Host(L"d.txt") + L" " + folder.Host(L"e.txt", false) + sender);
    EXPECT_EQ(skipped.exitCode, 1u);
    EXPECT_EQ(folder.Report(L"d.txt").received, reload);
    EXPECT_TRUE(folder.Report(L"e.txt").received.empty());
    EXPECT_TRUE(nested.boxes.empty() && launched.boxes.empty() && skipped.boxes.empty());
}

}  // namespace
