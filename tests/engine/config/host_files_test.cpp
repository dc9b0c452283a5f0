// The host INI redirection, the INI readers, the host command list and the
// engine's small helpers.
#include <gtest/gtest.h>
#include "HostIniRedirect.h"
#include "IniReaders.h"
#include "HostCommands.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "EngineText.h"
#include "TestFiles.h"

namespace {

std::wstring HostRead(const wchar_t* section, const wchar_t* key, const std::wstring& mainIni)
{
    wchar_t text[261];
    ReadHostIniString(section, key, L"", text, 260, mainIni.c_str());
    return text;
}

} // namespace

TEST(HostIniRedirect, EveryBranchOfTheRule)
{
    CTempFolder folder(L"redirect");
    std::wstring mainIni = folder.File(L"wincmd.ini");
    std::wstring alternate = folder.File(L"alt.ini");
    std::wstring third = folder.File(L"r.ini");
    CEnvironmentValue path(L"COMMANDER_PATH", folder.Path().c_str());
    std::string text = "[Configuration]\r\nAlternateUserIni=" + std::string(alternate.begin(), alternate.end()) +
                       "\r\nDirBrackets=0\r\n"
                       "[Shortcuts]\r\nK=main\r\n"
                       "[lefttabs]\r\nK=main\r\n"
                       "[Zero]\r\nRedirectSection=0\r\nK=main\r\n"
                       "[One]\r\nRedirectSection=1\r\nK=main\r\n"
                       "[Path]\r\nRedirectSection=%COMMANDER_PATH%\\r.ini\r\nK=main\r\n";
    WriteText(mainIni, text.c_str());
    WriteText(alternate, "[Shortcuts]\r\nK=alt\r\n[lefttabs]\r\nK=alt\r\n[Zero]\r\nK=alt\r\n[One]\r\nK=alt\r\n[Path]\r\nK=alt\r\n");
    WriteText(third, "[Path]\r\nK=third\r\n");

    EXPECT_EQ(L"main", HostRead(L"Shortcuts", L"K", mainIni));
    EXPECT_EQ(L"main", HostRead(L"SHORTCUTS", L"K", mainIni));
    EXPECT_EQ(L"alt", HostRead(L"lefttabs", L"K", mainIni));
    EXPECT_EQ(L"alt", HostRead(L"LEFTTABS", L"K", mainIni));
    EXPECT_EQ(L"main", HostRead(L"Zero", L"K", mainIni));
    EXPECT_EQ(L"alt", HostRead(L"One", L"K", mainIni));
    EXPECT_EQ(L"third", HostRead(L"Path", L"K", mainIni));
    EXPECT_EQ(0, ReadHostIniInt(L"Configuration", L"DirBrackets", 1, mainIni.c_str()));
    EXPECT_EQ(7, ReadHostIniInt(L"Configuration", L"Missing", 7, mainIni.c_str()));
    // No main INI at all: the default.
    EXPECT_EQ(7, ReadHostIniInt(L"Configuration", L"DirBrackets", 7, L""));

    // ReadIniString applies the rule only to the host's main INI.
    wchar_t buffer[64];
    ReadIniString(L"lefttabs", L"K", L"", buffer, 64, mainIni.c_str(), mainIni.c_str());
    EXPECT_STREQ(L"alt", buffer);
    std::wstring upper = mainIni;
    CharUpperBuffW(&upper[0], (DWORD)upper.size());
    ReadIniString(L"lefttabs", L"K", L"", buffer, 64, upper.c_str(), mainIni.c_str());
    EXPECT_STREQ(L"alt", buffer);
    ReadIniString(L"lefttabs", L"K", L"", buffer, 64, mainIni.c_str(), L"");
    EXPECT_STREQ(L"main", buffer);
}

TEST(HostIniRedirect, RelativeTargetsAreTakenFromTheMainIniFolder)
{
    CTempFolder folder(L"redirect");
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);
    std::wstring mainIni = folder.File(L"wincmd.ini");
    CEnvironmentValue name(L"MEROVIN_REDIRECT_NAME", L"own.ini");
    WriteText(mainIni, "[Configuration]\r\nAlternateUserIni=alt.ini\r\n"
                       "[lefttabs]\r\nK=main\r\n"
                       "[Sub]\r\nRedirectSection=sub\\own.ini\r\nK=main\r\n"
                       "[Dot]\r\nRedirectSection=.\\%MEROVIN_REDIRECT_NAME%\r\nK=main\r\n");
    WriteText(folder.File(L"alt.ini"), "[lefttabs]\r\nK=alt\r\n");
    WriteText(folder.File(L"sub\\own.ini"), "[Sub]\r\nK=sub\r\n");
    WriteText(folder.File(L"own.ini"), "[Dot]\r\nK=dot\r\n");
    const struct {
        const wchar_t* section;
        const wchar_t* expected;
    } cases[] = {{L"lefttabs", L"alt"}, {L"Sub", L"sub"}, {L"Dot", L"dot"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, HostRead(c.section, L"K", mainIni)) << c.section;
}

TEST(HostIniRedirect, WithoutAlternateFileTheMainIniServes)
{
    CTempFolder folder(L"redirect");
    std::wstring mainIni = folder.File(L"wincmd.ini");
    WriteText(mainIni, "[lefttabs]\r\nK=main\r\n");
    EXPECT_EQ(L"main", HostRead(L"lefttabs", L"K", mainIni));
}

TEST(ReadIniSection, LongValuesAndKeyListsAndTheSizeRule)
{
    CTempFolder folder(L"section");
    std::wstring ini = folder.File(L"s.ini");
    std::string text = "[Long]\r\nValue=" + std::string(5000, 'x') + "\r\n[Keys]\r\n";
    for (int i = 0; i < 300; ++i)
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    WriteText(ini, text.c_str());

    std::vector<WCHAR> buffer;
    EXPECT_EQ(5000, ReadIniSection(L"Long", L"Value", L"", buffer, 0, ini.c_str()));
    EXPECT_EQ(std::wstring(5000, L'x'), std::wstring(buffer.data()));

    int length = ReadIniSection(L"Keys", nullptr, L"", buffer, 1024, ini.c_str());
    int count = 0;
    for (const WCHAR* key = buffer.data(); *key; key += wcslen(key) + 1)
        ++count;
    EXPECT_EQ(300, count);
    EXPECT_GT(length, 300 * 4);
    EXPECT_EQ(L"Key299", std::wstring(buffer.data() + length - 7));

    // A size outside 1023..1025 reads nothing and says so.
    EXPECT_EQ(0, ReadIniSection(L"Long", L"Value", L"", buffer, 100, ini.c_str()));
    ASSERT_GE(buffer.size(), 2u);
    EXPECT_EQ(0, buffer[0]);
    EXPECT_EQ(0, buffer[1]);
    EXPECT_EQ(3, ReadIniSection(L"None", L"Value", L"def", buffer, 1025, ini.c_str()));
    EXPECT_STREQ(L"def", buffer.data());
}

TEST(HostCommands, TableLookup)
{
    CTempFolder folder(L"commands");
    std::wstring inc = folder.File(L"totalcmd.inc");
    WriteText(inc, "[_______Files_______]\r\ncm_Copy=3101;Copy files\r\ncm_x=12;comment\r\nCM_COPY=9\r\n"
                   "cm_Empty=\r\ncm_Split=\r\n42\r\nnoequals\r\ncm_Last=77");
    CHostCommandTable table;
    ASSERT_TRUE(table.Load(inc.c_str()));
    EXPECT_EQ(3101, table.Number(L"cm_copy"));
    EXPECT_EQ(3101, table.Number(L"CM_Copy"));
    EXPECT_EQ(12, table.Number(L"cm_x"));
    EXPECT_EQ(0, table.Number(L"cm_Unknown"));
    EXPECT_EQ(0, table.Number(L"cm_Split")); // the number on the next line is not its own
    EXPECT_EQ(77, table.Number(L"cm_Last"));
    EXPECT_EQ(0, table.Number(L""));

    EXPECT_FALSE(table.Load(folder.File(L"missing.inc").c_str()));
    EXPECT_EQ(0, table.Number(L"cm_Copy"));
    EXPECT_FALSE(table.Load(L""));
}

TEST(HostCommands, ByteOrderMarks)
{
    CTempFolder folder(L"commands");
    std::wstring utf16 = folder.File(L"u16.inc");
    WriteUtf16(utf16, L"cm_Kopieren=3101;Kopieren \u00e4\u00f6\r\ncm_\u00dcbersicht=500\r\n");
    CHostCommandTable table;
    ASSERT_TRUE(table.Load(utf16.c_str()));
    EXPECT_EQ(3101, table.Number(L"cm_Kopieren"));
    EXPECT_EQ(500, table.Number(L"cm_\u00fcbersicht"));

    std::wstring utf8 = folder.File(L"u8.inc");
    WriteText(utf8, "\xEF\xBB\xBF" "cm_First=11;\xC3\xA4\r\n");
    ASSERT_TRUE(table.Load(utf8.c_str()));
    EXPECT_EQ(11, table.Number(L"cm_First"));
}

TEST(HostCommands, FindTheCommandFile)
{
    CRegistryOverride registry;
    CTempFolder host(L"host");
    CTempFolder other(L"other");
    CTempFolder third(L"third");
    WriteText(host.File(L"totalcmd.inc"), "cm_A=1\r\n");
    WriteText(host.File(L"wincmd.inc"), "cm_A=2\r\n");
    WriteText(other.File(L"wincmd.inc"), "cm_A=3\r\n");
    {
        CEnvironmentValue path(L"COMMANDER_PATH", host.Path().c_str());
        EXPECT_STREQ(host.File(L"totalcmd.inc").c_str(), FindHostCommandFile().GetString());
        CEnvironmentValue path2(L"COMMANDER_PATH", (other.Path() + L"\\").c_str());
        EXPECT_STREQ(other.File(L"wincmd.inc").c_str(), FindHostCommandFile().GetString());
        CEnvironmentValue path3(L"COMMANDER_PATH", third.Path().c_str());
        EXPECT_TRUE(FindHostCommandFile().IsEmpty());
    }
    CEnvironmentValue unset(L"COMMANDER_PATH", nullptr);
    EXPECT_TRUE(FindHostCommandFile().IsEmpty());
    CRegistryOverride::SetInstallDir(HKEY_LOCAL_MACHINE, other.Path().c_str());
    EXPECT_STREQ(other.File(L"wincmd.inc").c_str(), FindHostCommandFile().GetString());
    CRegistryOverride::SetInstallDir(HKEY_CURRENT_USER, host.Path().c_str());
    EXPECT_STREQ(host.File(L"totalcmd.inc").c_str(), FindHostCommandFile().GetString());
    // A value of the wrong type is refused; HKLM is asked next.
    CRegistryOverride::SetInstallDir(HKEY_CURRENT_USER, nullptr, REG_DWORD);
    EXPECT_STREQ(other.File(L"wincmd.inc").c_str(), FindHostCommandFile().GetString());
    CRegistryOverride::ClearInstallDir(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(FindHostCommandFile().IsEmpty());
}

TEST(EngineHelpers, ResolveModulePath)
{
    CEnvironmentValue t(L"MEROVIN_T", L"C:\\tools");
    CEnvironmentValue r(L"MEROVIN_R", L"sub");
    const wchar_t* folder = L"D:\\engine\\";
    CString path(L"Numbra64.dll");
    ResolveModulePath(path, folder);
    EXPECT_STREQ(L"D:\\engine\\Numbra64.dll", path.GetString());
    for (const wchar_t* same : {L"C:\\x\\y.dll", L".\\y.dll", L"\\\\srv\\s\\y.dll"}) {
        path = same;
        ResolveModulePath(path, folder);
        EXPECT_STREQ(same, path.GetString());
    }
    path = L"%MEROVIN_T%\\y.dll";
    ResolveModulePath(path, folder);
    EXPECT_STREQ(L"C:\\tools\\y.dll", path.GetString());
    path = L"%MEROVIN_R%\\y.dll"; // the expansion starts with a folder name
    ResolveModulePath(path, folder);
    EXPECT_STREQ(L"D:\\engine\\sub\\y.dll", path.GetString());
}

TEST(EngineHelpers, SmallHelpers)
{
    EXPECT_EQ(4, ViewModeWord(L"Thumbnails"));
    EXPECT_EQ(6, ViewModeWord(L"Custom"));
    EXPECT_EQ(-1, ViewModeWord(L"Cu"));
    EXPECT_EQ(1, ViewModeWord(L"Briefly"));
    EXPECT_EQ(0, ViewModeWord(L"Comment"));
    EXPECT_EQ(-1, ViewModeWord(L""));
    EXPECT_EQ(2034, ViewModeTable[5].values[0]);

    EXPECT_TRUE(IsDotsName(L""));
    EXPECT_TRUE(IsDotsName(L"."));
    EXPECT_TRUE(IsDotsName(L".."));
    EXPECT_FALSE(IsDotsName(L"..a"));
    EXPECT_FALSE(IsDotsName(L"a"));

    EngineSettings s;
    s.LockedTabColor = 0x111111;
    s.LockedDCATabColor = 0x222222;
    EXPECT_EQ(0x111111u, LockedTabColorOf(2, s));
    EXPECT_EQ(0x222222u, LockedTabColorOf(3, s));
    EXPECT_EQ(0xFF000000u, LockedTabColorOf(1, s));
}

TEST(EngineHelpers, IconFromText)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto extract = reinterpret_cast<PrivateExtractIconsProc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "PrivateExtractIconsW")));
    ASSERT_NE(nullptr, extract);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring text = std::wstring(system) + L"\\shell32.dll,3";
    HICON icon = IconFromText(text.c_str(), extract);
    EXPECT_NE(nullptr, icon);
    if (icon)
        DestroyIcon(icon);
    EXPECT_EQ(nullptr, IconFromText(L"", extract));
    EXPECT_EQ(nullptr, IconFromText(text.c_str(), nullptr));
    EXPECT_EQ(nullptr, IconFromText(L"C:\\no\\such\\file.dll,1", extract));
}

TEST(EngineText, OverrideThenResource)
{
    CTempFolder folder(L"text");
    std::wstring language = folder.File(L"lang.lng");
    WriteText(language, "[Merovin]\r\n51=Override\r\n52=\r\n");
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_STREQ(L"Override", LoadEngineText(51, 5051, language.c_str(), self).GetString());
    EXPECT_STREQ(L"Resource text", LoadEngineText(52, 5052, language.c_str(), self).GetString());
    EXPECT_STREQ(L"Resource text", LoadEngineText(52, 5052, L"", self).GetString());
    EXPECT_STREQ(L"Resource fifty-one", LoadEngineText(51, 5051, L"", self).GetString());
    EXPECT_TRUE(LoadEngineText(53, 0, language.c_str(), self).IsEmpty());
    std::string longText = "[Merovin]\r\n60=" + std::string(3000, 'y') + "\r\n";
    WriteText(folder.File(L"long.lng"), longText.c_str());
    EXPECT_EQ(3000, LoadEngineText(60, 0, folder.File(L"long.lng").c_str(), self).GetLength());
}
