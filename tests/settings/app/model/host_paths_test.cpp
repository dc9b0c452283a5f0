// Finding the host, the command line, the title and the reload message.
#include "BuildPaths.h"
#include "ModelFiles.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

void SetHostValue(LPCWSTR name, LPCWSTR value, DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ghisler\\Total Commander", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value),
                   (DWORD)((wcslen(value) + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
}

CString BinFile(LPCWSTR name)
{
    WCHAR exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    CString path(exe);
    return path.Left(path.ReverseFind(L'\\') + 1) + name;
}

} // namespace

TEST(HostPaths, FoundThroughEnvironmentRegistryOrNotAtAll)
{
    CModelFiles files(L"hp_find");
    CreateDirectoryW(files.Host(L"LANGUAGE"), nullptr);
    files.WriteHost(L"wincmd.inc", "cm_Copy=3101;Copy\r\n");
    files.WriteHost(L"wincmd.ini", "[Configuration]\r\nLanguageINI=WCMD_X.LNG\r\n");
    CPromptScript script;

    // The environment: without "totalcmd.inc" the engine's "wincmd.inc" serves.
    std::unique_ptr<CSettingsModel> model = files.Build();
    const CHostPaths& paths = model->m_hostPaths;
    EXPECT_EQ(files.Host(), paths.strHostFolder);
    EXPECT_EQ(files.Host(L"wincmd.inc"), paths.strCommandFile);
    EXPECT_EQ(files.Host(L"wincmd.ini"), paths.strHostIni);
    EXPECT_EQ(files.Host(L"usercmd.ini"), paths.strUserCommandFile);
    EXPECT_EQ(files.Host(L"LANGUAGE\\WCMD_X.inc"), paths.strTranslatedFile);
    EXPECT_EQ(files.Host(L"LANGUAGE\\WCMD_X.ini"), paths.strTranslatedIni);
    EXPECT_EQ(0, script.m_prompts.GetSize());
    files.WriteHost(L"totalcmd.inc", "cm_Copy=3101;Copy\r\n");
    EXPECT_EQ(files.Host(L"totalcmd.inc"), files.Build()->m_hostPaths.strCommandFile);

    CEnvironmentValue path(L"COMMANDER_PATH", nullptr), ini(L"COMMANDER_INI", nullptr);
    CRegistryOverride registry;
    // The registry: "InstallDir", and ".\" in "IniFileName" is the host folder.
    SetHostValue(L"InstallDir", files.Host());
    SetHostValue(L"IniFileName", L".\\wincmd.ini");
    CSettingsModel found;
    found.StartUp(files.Own(L"MerovSet.exe"), CStringArray());
    EXPECT_EQ(files.Host(), found.m_hostPaths.strHostFolder);
    EXPECT_EQ(files.Host(L"wincmd.ini"), found.m_hostPaths.strHostIni);
    EXPECT_EQ(0, found.m_hostList.FindCommand(L"cm_Copy"));
    EXPECT_EQ(0, script.m_prompts.GetSize());

    // Started outside the host: the folder found in the registry stands for
    // "%COMMANDER_PATH%" in every path read after it, the language file's
    // too. A missing usercmd.ini is no fault; a missing host INI is.
    files.WriteHost(L"wincmd.ini", "[Configuration]\r\nLanguageINI=WCMD_X.LNG\r\n[Shortcuts]\r\nCA+X=cm_Copy\r\n");
    files.WriteHost(L"usercmd.ini", "[em_tool]\r\nmenu=Tool\r\n");
    files.WriteHost(L"LANGUAGE\\lang.ini", "[Prefector]\r\n139=<Keiner>\r\n");
    files.WriteOwn(L"Merovin.ini", "[Config]\r\nLocalizator=%COMMANDER_PATH%\\LANGUAGE\\lang.ini\r\n");
    const struct
    {
        LPCWSTR iniName;
        DWORD type;
        bool userFile;
        int prompts;
    } outside[] = {
        { L"%COMMANDER_PATH%\\wincmd.ini", REG_SZ, true, 0 },
        { L"%COMMANDER_PATH%\\wincmd.ini", REG_EXPAND_SZ, true, 0 },
        { L"%COMMANDER_PATH%\\wincmd.ini", REG_SZ, false, 0 },
        { L"%COMMANDER_PATH%\\none.ini", REG_SZ, true, 1 },
    };
    for (const auto& c : outside) {
        SCOPED_TRACE(CStringA(c.iniName).GetString() + std::to_string(c.type) + std::to_string(c.userFile));
        CEnvironmentValue unset(L"COMMANDER_PATH", nullptr);
        SetHostValue(L"IniFileName", c.iniName, c.type);
        if (!c.userFile)
            MoveFileW(files.Host(L"usercmd.ini"), files.Host(L"usercmd.off"));
        script.m_prompts.RemoveAll();
        CSettingsModel outer;
        outer.StartUp(files.Own(L"MerovSet.exe"), CStringArray());
        if (!c.userFile)
            MoveFileW(files.Host(L"usercmd.off"), files.Host(L"usercmd.ini"));
        EXPECT_EQ(files.Host(), ExpandText(L"%COMMANDER_PATH%"));
        EXPECT_STREQ(L"<Keiner>", outer.m_texts.strNone);
        ASSERT_EQ(c.prompts, script.m_prompts.GetSize());
        if (c.prompts) {
            EXPECT_STREQ(L"Cannot find TC ini file.", script.Text(0));
            continue;
        }
        EXPECT_EQ(files.Host(L"wincmd.ini"), outer.m_hostPaths.strHostIni);
        EXPECT_EQ(c.userFile ? 1 : -1, outer.m_hostList.FindCommand(L"em_tool") >= 0 ? 1 : -1);
        EXPECT_LE(0, outer.m_holder.FindByKey(L"Alt+Ctrl+X"));
    }
    script.m_prompts.RemoveAll();
    SetEnvironmentVariableW(L"COMMANDER_PATH", nullptr);

    // Nothing: both messages, and the model is built all the same.
    CRegistryOverride::ClearInstallDir(HKEY_CURRENT_USER);
    CSettingsModel lost;
    lost.StartUp(files.Own(L"MerovSet.exe"), CStringArray());
    ASSERT_EQ(2, script.m_prompts.GetSize());
    EXPECT_STREQ(L"Cannot find TC location.", script.Text(0));
    EXPECT_STREQ(L"Cannot find TC ini file.", script.Text(1));
    EXPECT_EQ((DWORD)(MB_OK | MB_ICONERROR), script.m_prompts[0].type);
    EXPECT_EQ(0, lost.m_hostList.GetCount());
    EXPECT_EQ(28, lost.m_ownList.GetCount());
}

TEST(HostPaths, CommandLine)
{
    WCHAR temp[MAX_PATH];
    GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    const struct
    {
        std::vector<LPCWSTR> args;
        int set;
        LPCWSTR filter;
        CString translated;
    } cases[] = {
        { { L"/merov=Stick" }, 1, L"Stick", L"" },
        { { L"/merov=Stick", L"/tcmd" }, 0, L"", L"" },
        { { L"/inc=%TEMP%\\x.inc", L"/merov" }, 0, L"", CString(temp) + L"\\x.inc" },
        { { L"/merovX" }, 1, L"", L"" },
        { { L"/Merov=Stick", L"other" }, 0, L"", L"" },
        { { L"/tcmd=cm_", L"/merov=", L"/inc=a.inc" }, 1, L"", L"a.inc" },
    };
    for (const auto& c : cases) {
        CStringArray args;
        for (LPCWSTR arg : c.args)
            args.Add(arg);
        CStartOptions options = ParseCommandLine(args);
        EXPECT_EQ(c.set, options.nCommandSet) << CStringA(c.args[0]).GetString();
        EXPECT_STREQ(c.filter, options.strFilter) << CStringA(c.args[0]).GetString();
        EXPECT_STREQ(c.translated, options.strTranslatedFile) << CStringA(c.args[0]).GetString();
    }
}

TEST(HostPaths, TitleTextsAndReloadMessage)
{
    CModelFiles files(L"hp_title");
    files.WriteHost(L"wincmd.ini", "[Configuration]\r\n");
    files.WriteOwn(L"lang.ini", "[Prefector]\r\n139=<Keiner>\r\n57344=Prefector\r\n");
    const std::string sequence(3000, 'x');
    files.WriteOwn(L"Merovin.ini", "[Config]\r\nLocalizator=%COMMANDER_PATH%\\..\\own\\lang.ini\r\n"
                                   "StartupSequence=" + sequence + "\r\n");
    CopyFileW(BinFile(L"MerovSet.exe"), files.Own(L"MerovSet.exe"), FALSE);

    std::unique_ptr<CSettingsModel> model = files.Build();
    EXPECT_STREQ(L"Prefector v0.0 (1.0)", model->m_strTitle);
    EXPECT_STREQ(L"<Keiner>", model->m_texts.strNone);
    EXPECT_STREQ(L"<Default>", model->m_texts.strDefault);
    EXPECT_STREQ(L"2nd Command", model->m_texts.strSecondCommand);
    EXPECT_EQ(files.Own(L"Merovin.wdx"), model->m_strEngineFile);
    EXPECT_EQ(3000, model->m_strStartupSequence.GetLength());
    CopyFileW(CString(MEROVIN_X64_BIN) + L"\\Merovin.wdx", files.Own(L"Merovin.wdx"), FALSE);
    EXPECT_STREQ(L"Prefector v1.0 (1.0)", files.Build()->m_strTitle);

    // Engines register the settings file's path; so does the utility.
    EXPECT_EQ(RegisterWindowMessageW(CString(files.Own(L"Merovin.ini")).MakeUpper()), model->m_nReloadMessage);
    CSettingsModel tooLong;
    tooLong.SetOwnPaths(L"C:\\" + CString(L'x', 250) + L"\\MerovSet.exe");
    tooLong.RegisterReloadMessage();
    EXPECT_EQ(0u, tooLong.m_nReloadMessage);
}
