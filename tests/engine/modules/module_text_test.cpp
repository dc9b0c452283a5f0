// The text rules of "PluginList" and "Plugins", and finding a module by name
// or path, without loading anything.
#include <gtest/gtest.h>
#include "ModuleListText.h"
#include "ModuleTestHost.h"

TEST(WideModuleFile, ExtensionOfTheFileNameOnly)
{
    EXPECT_STREQ(L"Numbra64.dll", WideModuleFile(L"Numbra.dll"));
    EXPECT_STREQ(L"C:\\mods\\Numbra64.dll", WideModuleFile(L"C:\\mods\\Numbra.dll"));
    EXPECT_STREQ(L"C:\\mods\\Numbra.x64.dll", WideModuleFile(L"C:\\mods\\Numbra.x.dll"));
    // A dot in a folder name is not an extension.
    EXPECT_STREQ(L"C:\\my.mods\\Numbra64.dll", WideModuleFile(L"C:\\my.mods\\Numbra"));
    EXPECT_STREQ(L"Numbra64.dll", WideModuleFile(L"Numbra"));
}

TEST(ParsePluginListLine, NameKeyOrPathKey)
{
    CString name, path;
    ParsePluginListLine(L"Numbra", L"Numbra.dll", L"C:\\tc\\plugins\\", name, path);
    EXPECT_STREQ(L"Numbra", name);
    EXPECT_STREQ(L"C:\\tc\\plugins\\Numbra64.dll", path);

    // A key holding "\" is the path, taken as it is.
    ParsePluginListLine(L"D:\\x\\Other.dll", L"Other", L"C:\\tc\\", name, path);
    EXPECT_STREQ(L"Other", name);
    EXPECT_STREQ(L"D:\\x\\Other.dll", path);

    // Variables are expanded; a path relative to a folder gets the engine folder.
    SetEnvironmentVariableW(L"MODL_TEST_DIR", L"E:\\mods");
    ParsePluginListLine(L"Clock", L"%MODL_TEST_DIR%\\Horalet.dll", L"C:\\tc\\", name, path);
    EXPECT_STREQ(L"E:\\mods\\Horalet64.dll", path);
    ParsePluginListLine(L"Clock", L"sub\\Horalet.dll", L"C:\\tc\\", name, path);
    EXPECT_STREQ(L"C:\\tc\\sub\\Horalet64.dll", path);
    SetEnvironmentVariableW(L"MODL_TEST_DIR", nullptr);
}

TEST(ParsePluginsValue, CommentParameterAndBlanks)
{
    CString module;
    int parameter = -1;
    ParsePluginsValue(L"Numbra,3;calc", module, parameter);
    EXPECT_STREQ(L"Numbra", module);
    EXPECT_EQ(3, parameter);

    ParsePluginsValue(L"  Numbra  ", module, parameter);
    EXPECT_STREQ(L"Numbra", module);
    EXPECT_EQ(0, parameter);

    // Split at the last ","; a "," inside the comment does not count.
    ParsePluginsValue(L"C:\\a,b\\Mod.dll , 12 ;x,5", module, parameter);
    EXPECT_STREQ(L"C:\\a,b\\Mod.dll", module);
    EXPECT_EQ(12, parameter);

    ParsePluginsValue(L"Numbra,;", module, parameter);
    EXPECT_STREQ(L"Numbra", module);
    EXPECT_EQ(0, parameter);
}

TEST(FindModule, LastMatchPathBeforeName)
{
    CModuleFolder folder;
    CTestModuleHost host;
    host.engineFolder = folder.Path();
    host.settingsFile = folder.File(L"Merovin.ini");
    // Nothing here can be loaded: the paths name no files.
    folder.WriteIni(L"Merovin.ini",
                    L"[Config]\r\n[PluginList]\r\n"
                    L"Alpha=a.dll\r\n"
                    L"Beta=b.dll\r\n"
                    L"X:\\m\\Gamma.dll=Beta\r\n"
                    L"Y:\\n\\Alpha.dll=Alpha\r\n"
                    L"Z:\\p\\Two.dll=Two\r\n"
                    L"Z:\\q\\Mod.dll=Z:\\p\\Two.dll\r\n"
                    L"Delta=sub\\d.dll\r\n");
    CModuleLoader loader(host);
    loader.LoadModuleList();
    ASSERT_EQ(7, loader.ModuleCount());
    EXPECT_EQ(0, loader.HotkeyCount());
    EXPECT_EQ(-1, loader.FindModule(L""));
    EXPECT_EQ(-1, loader.FindModule(L"Epsilon"));
    // The last entry of a name, compared without case.
    EXPECT_EQ(3, loader.FindModule(L"ALPHA"));
    EXPECT_EQ(2, loader.FindModule(L"beta"));
    // A path match wins over a later entry's name.
    EXPECT_EQ(4, loader.FindModule(L"z:\\P\\two.DLL"));
    EXPECT_EQ(1, loader.FindModule((folder.Path() + L"B64.DLL").c_str()));
    // A text with "\" is resolved against the engine folder first; one
    // without is compared as it is.
    EXPECT_EQ(6, loader.FindModule(L"sub\\d64.dll"));
    EXPECT_EQ(-1, loader.FindModule(L".\\sub\\d64.dll"));
    EXPECT_EQ(-1, loader.FindModule(L"b64.dll"));
}
