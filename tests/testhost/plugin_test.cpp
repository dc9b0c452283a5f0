// Loading a content plug-in as the host does, the environment it sees, and
// the host's version resource.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include "HostScan.h"

using namespace TCHost;

namespace {

std::vector<std::string> PluginNotes(const CHostDriver& host)
{
    std::string path;
    std::wstring w = host.PluginDir() + L"\\TestPlugin.log";
    path.assign(w.begin(), w.end());
    std::ifstream in(path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

CHostSetup PluginSetup(std::vector<std::wstring> args = {})
{
    CHostSetup s;
    s.args = args;
    s.pluginFiles = {TestBinFolder() + L"\\TestPlugin.dll"};
    s.plugin = L"TestPlugin.dll";
    return s;
}

TEST(Plugin, CalledInTheHostsOrderAndFreedOnRequest)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(PluginSetup()));
    std::vector<std::string> notes = PluginNotes(host);
    std::string home = Narrow(host.Home());
    std::vector<std::string> expected = {
        "attach",
        "params size=272 low=10 high=2 ini=" + home + "\\contplug.ini path=" + home + " commander_ini=" + home + "\\wincmd.ini",
        "detect", "field 0", "field 1", "field 2",
    };
    EXPECT_EQ(notes, expected);

    size_t mark = host.LogMark();
    EXPECT_TRUE(host.UnloadPlugin());
    notes = PluginNotes(host);
    ASSERT_GE(notes.size(), 8u);
    EXPECT_EQ(notes[6], "unloading");
    EXPECT_EQ(notes[7], "detach");
    std::vector<CHostLogEntry> log = host.LogSince(mark, L"plugin");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Int(L"freed"), 1);

    // Loaded again on request: the record comes first again.
    EXPECT_TRUE(host.LoadPlugin());
    notes = PluginNotes(host);
    ASSERT_GE(notes.size(), 10u);
    EXPECT_EQ(notes[8], "attach");
    EXPECT_EQ(notes[9].substr(0, 12), "params size=");

    // The host's own log names the fields the plug-in offered.
    int fields = 0;
    for (const CHostLogEntry& e : host.ReadLog())
        if (e.m_kind == L"plugin" && e.Get(L"action") == L"field")
            ++fields;
    EXPECT_EQ(fields, 4);  // two per load
}

TEST(Plugin, WithoutCommanderIniTheVariableIsUnset)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(PluginSetup({L"--no-commander-ini"})));
    std::vector<std::string> notes = PluginNotes(host);
    ASSERT_GE(notes.size(), 2u);
    EXPECT_NE(notes[1].find(" path=" + Narrow(host.Home()) + " commander_ini="), std::string::npos);
    EXPECT_EQ(notes[1].substr(notes[1].size() - 15), " commander_ini=");
}

TEST(Plugin, MissingLibraryIsLoggedAndTheHostRuns)
{
    CHostDriver host;
    CHostSetup s;
    s.plugin = L"Missing.wdx";
    ASSERT_TRUE(host.Start(s));
    bool logged = false;
    for (const CHostLogEntry& e : host.ReadLog())
        if (e.m_kind == L"plugin" && e.Get(L"action") == L"load")
            logged = e.Int(L"ok") == 0;
    EXPECT_TRUE(logged);
    EXPECT_FALSE(host.UnloadPlugin());
    EXPECT_NE(host.Query(1), nullptr);
}

TEST(Plugin, LibraryWithoutTheColumnCallsIsRefused)
{
    CHostDriver host;
    CHostSetup s;
    WCHAR system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    s.plugin = std::wstring(system) + L"\\version.dll"; // a library, but no content plug-in
    ASSERT_TRUE(host.Start(s));
    std::wstring reason;
    for (const CHostLogEntry& e : host.ReadLog())
        if (e.m_kind == L"plugin" && e.Get(L"action") == L"refuse")
            reason = e.Get(L"reason");
    EXPECT_EQ(L"missing ContentGetSupportedField", reason);
    EXPECT_FALSE(host.UnloadPlugin());
}

TEST(Installation, HostCarriesVersionAndIniFiles)
{
    CHostDriver host;
    ASSERT_TRUE(host.Start(CHostSetup()));
    std::wstring exe = host.Home() + L"\\tchost.exe";
    DWORD handle = 0, size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
    wchar_t* value = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\FileVersion", (void**)&value, &len));
    EXPECT_STREQ(value, L"11.00");
    for (const wchar_t* f : {L"wincmd.ini", L"usercmd.ini", L"totalcmd.inc"})
        EXPECT_NE(GetFileAttributesW((host.Home() + L"\\" + f).c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(f);
    wchar_t number[32] = L"";
    std::wstring inc = host.Home() + L"\\totalcmd.inc";
    std::ifstream in(Narrow(inc));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("cm_ClearAll=524"), std::string::npos);
    EXPECT_NE(text.str().find("cm_SrcActivateLeft=2034"), std::string::npos);
    (void)number;
}

} // namespace
