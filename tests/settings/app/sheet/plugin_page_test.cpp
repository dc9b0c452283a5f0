// The Plugins page over real modules (ListedModule.cpp copied under several
// names): listing with localised texts and failure rows, keys of module
// commands, adding, replacing and removing modules, and the exact sections
// written, read back with the engine's own readers.
#include "EngineHelpers.h"
#include "IniSection.h"
#include "KeyPage.h"
#include "ModuleListing.h"
#include "ModuleListText.h"
#include "PluginPage.h"
#include "ResourceCounts.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

// Module files: "<name>.dll" from one of the two builds, with "<name>.ini".
struct CModuleFile
{
    LPCWSTR name;
    bool withInfo;
    const char* settings;
};
const CModuleFile kModules[] = {
    { L"TestMod", true, "" },
    { L"Extra", true, "Name=Extra\r\n" },
    { L"Null", true, "NullInfo=1\r\n" },
    { L"Huge", true, "Count=100000\r\n" },
    { L"Neg", true, "Count=-1\r\n" },
    { L"NoArr", true, "NullCommands=1\r\n" },
    { L"Unterm", true, "Unterminated=1\r\n" },
    { L"NoInfo", false, "" },
    { L"Twin", true, "Name=EXTRA\r\n" },
};

class CPluginFixture
{
public:
    CPluginFixture(LPCWSTR name, const std::string& pluginList, const std::string& plugins = std::string(),
                   const std::string& config = std::string())
        : mods(CString(name) + L"_mods"), other(CString(name) + L"_other")
    {
        for (const CModuleFile& m : kModules) {
            CString from = ExeFolder() + (m.withInfo ? L"\\ListedMod.dll" : L"\\NoInfoMod.dll");
            CopyFileW(from, mods.Path(CString(m.name) + L".dll"), FALSE);
            mods.Write(CString(m.name) + L".ini", std::string("[Module]\r\n") + m.settings);
        }
        CopyFileW(ExeFolder() + L"\\ListedMod.dll", other.Path(L"TestMod.dll"), FALSE);
        CString lang = mods.Write(L"lang.ini", "[TestMod]\r\n0=Test Module\r\n7=Seventh, localised\r\n");
        std::string ini = "[Config]\r\n" + config + "Localizator=" + Narrow(lang) + "\r\n[PluginList]\r\n" +
                          Expand(pluginList) + "[Plugins]\r\n" + plugins;
        sheet.reset(new CSheetFixture(name, CStringArray(), ini));
        // Listed by its file name alone: the page lists it from its own folder.
        CopyFileW(ExeFolder() + L"\\ListedMod.dll", sheet->files.Own(L"Short.dll"), FALSE);
        page = sheet->sheet->GetPluginPage();
        sheet->sheet->SetActivePage(page);
    }

    // "$" stands for the modules' folder, "%" for the other one.
    std::string Expand(const std::string& text) const
    {
        std::string out;
        for (char c : text)
            out += c == '$' ? Narrow(mods.Path()) : c == '%' ? Narrow(other.Path()) : std::string(1, c);
        return out;
    }
    std::string Section(const char* section) const
    {
        return CModelFiles::Section(sheet->files.OwnIni(), section);
    }
    // The list as shown: "name|number|flags" per entry (group and own-key flags).
    std::string Rows() const
    {
        std::string out;
        CCatList& list = page->GetList();
        for (int i = 0; i < list.GetCount(); ++i) {
            const _CLItem& row = page->GetRows().GetAt((int)list.GetItemData(i));
            out += Narrow(row.strName) + "|" + Narrow(row.strNumber) + "|" +
                   std::to_string(row.nFlags & (RowGroup | RowOwnKey)) + "\n";
        }
        return out;
    }
    void Select(LPCWSTR command) { ASSERT_TRUE(page->SelectCommand(command)) << Narrow(command); }

    CTestFolder mods, other;
    std::unique_ptr<CSheetFixture> sheet;
    CPluginPage* page = nullptr;
};

const char kFaultyModules[] = "NullInfo=$\\Null.dll\r\nHuge=$\\Huge.dll\r\nNeg=$\\Neg.dll\r\nNoArr=$\\NoArr.dll\r\n"
                              "Unterm=$\\Unterm.dll\r\nNoInfo=$\\NoInfo.dll\r\n";

} // namespace

TEST(PluginPage, ListsModulesAndWritesThemBackForTheEngine)
{
    const std::string listed = std::string("TestMod=$\\TestMod.dll\r\nShort=Short.dll\r\n$\\Gone.dll=Gone\r\n") +
                               kFaultyModules;
    CPluginFixture f(L"plug_list", listed,
                     "Ctrl+1=TestMod,2 ;note\r\n");
    ASSERT_TRUE(f.sheet->created);
    EXPECT_EQ(f.Expand("Test Module ($\\TestMod.dll)|TestMod|1\nFirst|1|0\nSecond|2|2\nSeventh, localised|7|0\n"
                       "Short (Short.dll)|Short|1\nFirst|1|0\nSecond|2|0\nSeventh|7|0\n"
                       "Gone (does not load: $\\Gone.dll)|Gone|1\n"
                       "NullInfo (gives no command list: $\\Null.dll)|NullInfo|1\n"
                       "Huge (gives no command list: $\\Huge.dll)|Huge|1\n"
                       "Neg (gives no command list: $\\Neg.dll)|Neg|1\n"
                       "NoArr (gives no command list: $\\NoArr.dll)|NoArr|1\n"
                       "Unterm (gives no command list: $\\Unterm.dll)|Unterm|1\n"
                       "NoInfo (gives no command list: $\\NoInfo.dll)|NoInfo|1\n"),
              f.Rows());
    EXPECT_EQ((UINT)BST_CHECKED, ::IsDlgButtonChecked(f.page->m_hWnd, IDC_PLUGIN_ENABLE));
    EXPECT_TRUE(::IsWindowEnabled(f.page->GetDlgItemHwnd(IDC_PLUGIN_REMOVE)));
    EXPECT_FALSE(::IsWindowEnabled(f.page->GetDlgItemHwnd(IDC_PLUGIN_DUPLICATES)));

    // The hotkey fields follow the selection: a command row, then a group row.
    f.Select(L"TestMod,2");
    CString current;
    f.page->GetDlgItemText(IDC_PLUGIN_CURRENT, current);
    EXPECT_STREQ(L"Ctrl+1", current);
    EXPECT_TRUE(::IsWindowEnabled(f.page->GetHotKeyBox().m_hWnd));
    f.page->GetList().SetCurSel(0);
    f.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_LIST, LBN_SELCHANGE), 0);
    EXPECT_FALSE(::IsWindowEnabled(f.page->GetHotKeyBox().m_hWnd));

    // Unticking "Enable" rewrites the list in the forms it was read in.
    ::SendDlgItemMessageW(f.page->m_hWnd, IDC_PLUGIN_ENABLE, BM_CLICK, 0, 0);
    f.sheet->sheet->ApplyAndBroadcast();
    EXPECT_EQ(std::string("EnablePlugins=0\r\n"), f.Section("Config").substr(f.Section("Config").find("Enable")));
    std::string written = f.Section("PluginList");
    EXPECT_EQ(f.Expand(listed), written);
    EXPECT_EQ("Ctrl+1=TestMod,2 ;note\r\n", f.Section("Plugins"));

    // The engine's reader: the 64-bit build for a name as key, a path as key as written.
    CIniSection lines;
    lines.Load(L"PluginList", f.sheet->files.Own(L"Merovin.ini"));
    CString engineFolder = f.sheet->files.Own() + L"\\";
    ASSERT_EQ(9, lines.KeyCount());
    for (int i = 0; i < lines.KeyCount(); ++i) {
        CString name, path;
        ParsePluginListLine(lines.Key(i), lines.Text(i), engineFolder, name, path);
        bool pathKey = i == 2;
        EXPECT_STREQ(pathKey ? lines.Text(i) : lines.Key(i), name);
        CString file = pathKey ? lines.Key(i) : WideModuleFile(lines.Text(i));
        EXPECT_STREQ(i == 1 ? engineFolder + file : file, path);
    }
}

TEST(PluginPage, BindsAndClearsKeysOfModuleCommands)
{
    CPluginFixture f(L"plug_keys", "TestMod=$\\TestMod.dll\r\n", "Ctrl+1=TestMod,2 ;note\r\n");
    ASSERT_TRUE(f.sheet->created);
    CPromptScript prompts;
    CHotKeyExCtrl& box = f.page->GetHotKeyBox();
    struct Step
    {
        LPCWSTR command;
        LPCWSTR key;  // NULL: cleared
        int answer;   // to "already assigned", 0: not asked
        LPCWSTR current;
        bool duplicates;
    };
    const Step steps[] = {
        { L"TestMod,7", L"Alt+F9", 0, L"Alt+F9", false },
        { L"TestMod,1", L"Ctrl+Alt+X", IDNO, L"", false }, // the host's own key for cm_Edit
        { L"TestMod,1", L"Alt+F9", IDYES, L"Alt+F9", true },
        { L"TestMod,7", nullptr, 0, L"", false },
        { L"TestMod,2", L"Ctrl+2", 0, L"Ctrl+2", false }, // keeps the line's comment
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Narrow(s.command));
        f.Select(s.command);
        INT_PTR asked = prompts.m_prompts.GetSize();
        if (s.answer)
            prompts.AddAnswer(s.answer);
        box.SetHotkeyText(s.key ? s.key : L"");
        f.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_HOTKEY, s.key ? HKXN_CHANGED : HKXN_CLEARED),
                            (LPARAM)box.m_hWnd);
        EXPECT_EQ(s.answer ? 1 : 0, prompts.m_prompts.GetSize() - asked);
        CString current;
        f.page->GetDlgItemText(IDC_PLUGIN_CURRENT, current);
        EXPECT_STREQ(s.current, current);
        EXPECT_EQ(s.duplicates, ::IsWindowEnabled(f.page->GetDlgItemHwnd(IDC_PLUGIN_DUPLICATES)) != FALSE);
    }
    EXPECT_EQ(f.Expand("Test Module ($\\TestMod.dll)|TestMod|1\nFirst|1|2\nSecond|2|2\nSeventh, localised|7|0\n"),
              f.Rows());
    f.sheet->sheet->ApplyAndBroadcast();
    std::string plugins = f.Section("Plugins");
    EXPECT_EQ("Alt+F9=TestMod,1\r\nCtrl+2=TestMod,2 ;note\r\n", plugins);
    // The engine finds the module and the command of every line.
    CIniSection lines;
    lines.Load(L"Plugins", f.sheet->files.Own(L"Merovin.ini"));
    const int ids[] = { 1, 2 };
    for (int i = 0; i < lines.KeyCount(); ++i) {
        CString module;
        int parameter = 0;
        ParsePluginsValue(lines.Text(i), module, parameter);
        EXPECT_STREQ(L"TestMod", module);
        EXPECT_EQ(ids[i], parameter);
    }
    // A pair of the duplicates window leads back to the command on this page.
    f.page->GetList().SetCurSel(-1);
    f.sheet->sheet->GoToCommand(L"TestMod,1");
    EXPECT_EQ(f.page->m_hWnd, (HWND)f.sheet->sheet->SendMessage(PSM_GETCURRENTPAGEHWND));
    ASSERT_TRUE(f.page->GetList().SelectedItem());
    EXPECT_STREQ(L"TestMod,1", f.page->GetList().SelectedItem()->strExtra);
}

TEST(PluginPage, AddsReplacesAndRemovesModules)
{
    CPluginFixture f(L"plug_add", "TestMod=$\\TestMod.dll\r\n", "Ctrl+1=TestMod,2\r\nCtrl+3=Other,1\r\n");
    ASSERT_TRUE(f.sheet->created);
    CPromptScript prompts;
    struct Step
    {
        const char* file;  // chosen in the open-file dialog; NULL: "-" on the first module
        int answer;        // to the question asked, 0: none
        const char* told;  // the prompt's text
        const char* groups; // the group rows afterwards
    };
    const Step steps[] = {
        { "$\\NoInfo.dll", 0, "Cannot load '$\\NoInfo.dll'", "Test Module ($\\TestMod.dll)\n" },
        { "%\\TestMod.dll", IDNO, "Replace current plugin file\n$\\TestMod.dll\nby\n%\\TestMod.dll?",
          "Test Module ($\\TestMod.dll)\n" },
        { "%\\TestMod.dll", IDYES, "Replace current plugin file\n$\\TestMod.dll\nby\n%\\TestMod.dll?",
          "Test Module (%\\TestMod.dll)\n" },
        { "$\\Extra.dll", 0, nullptr, "Test Module (%\\TestMod.dll)\nExtra ($\\Extra.dll)\n" },
        // Another file that names itself as a listed module: refused.
        { "$\\Twin.dll", 0, "The module name 'EXTRA' is already used by $\\Extra.dll.",
          "Test Module (%\\TestMod.dll)\nExtra ($\\Extra.dll)\n" },
        { nullptr, IDNO, "Remove plugin 'TestMod'?", "Test Module (%\\TestMod.dll)\nExtra ($\\Extra.dll)\n" },
        { nullptr, IDYES, "Remove plugin 'TestMod'?", "Extra ($\\Extra.dll)\n" },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.file ? s.file : "remove");
        INT_PTR asked = prompts.m_prompts.GetSize();
        if (s.file) {
            prompts.AddAnswer(TRUE, CString(f.Expand(s.file).c_str()));
            if (s.answer)
                prompts.AddAnswer(s.answer);
            f.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_ADD, BN_CLICKED), 0);
        } else {
            f.Select(L"TestMod,7");
            prompts.AddAnswer(s.answer);
            f.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_REMOVE, BN_CLICKED), 0);
        }
        ASSERT_EQ(1 + (s.file && s.told ? 1 : 0), prompts.m_prompts.GetSize() - asked);
        if (s.file) {
            EXPECT_EQ((DWORD)OFN_FILEMUSTEXIST, prompts.m_prompts[asked].type & OFN_FILEMUSTEXIST);
        }
        if (s.told) {
            EXPECT_EQ(f.Expand(s.told), Narrow(prompts.Text((int)prompts.m_prompts.GetSize() - 1)));
        }
        std::string groups;
        for (int i = 0; i < f.page->GetRows().GetCount(); ++i) {
            if (f.page->GetRows().GetAt(i).nFlags & RowGroup)
                groups += Narrow(f.page->GetRows().GetAt(i).strName) + "\n";
        }
        EXPECT_EQ(f.Expand(s.groups), groups);
    }
    f.sheet->sheet->ApplyAndBroadcast();
    EXPECT_EQ(f.Expand("Extra=$\\Extra.dll\r\n"), f.Section("PluginList"));
    EXPECT_EQ("Ctrl+3=Other,1\r\n", f.Section("Plugins"));
}

TEST(PluginPage, DuplicatesFollowEitherPage)
{
    CPluginFixture f(L"plug_dups", "TestMod=$\\TestMod.dll\r\n");
    ASSERT_TRUE(f.sheet->created);
    CPromptScript prompts;
    CMainSheet& sheet = *f.sheet->sheet;
    CKeyPage* keys = sheet.GetKeyPage();
    struct Step
    {
        bool onKeys;    // the page acted on; the other one is shown afterwards
        LPCWSTR command;
        LPCWSTR key;    // NULL: cleared
        int pairs;
    };
    const Step steps[] = {
        { false, L"TestMod,1", L"Ctrl+Alt+X", 1 }, // the host's key of cm_Edit
        { true, L"cm_Copy", L"Ctrl+Shift+F1", 2 },  // the default key of cm_Thumbs
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Narrow(s.command));
        CPropertyPage* acting = s.onKeys ? static_cast<CPropertyPage*>(keys) : f.page;
        sheet.SetActivePage(acting);
        if (s.onKeys)
            ASSERT_TRUE(keys->SelectCommand(0, s.command));
        else
            f.Select(s.command);
        CHotKeyExCtrl& box = s.onKeys ? keys->GetHotKeyBox() : f.page->GetHotKeyBox();
        if (s.key)
            prompts.AddAnswer(IDYES);
        box.SetHotkeyText(s.key ? s.key : L"");
        acting->SendMessage(WM_COMMAND, MAKEWPARAM(s.onKeys ? IDC_KEY_HOTKEY : IDC_PLUGIN_HOTKEY,
                                                   s.key ? HKXN_CHANGED : HKXN_CLEARED), (LPARAM)box.m_hWnd);
        sheet.SetActivePage(s.onKeys ? static_cast<CPropertyPage*>(f.page) : keys);
        // Both pages' buttons and open windows show the pairs as they are now.
        const struct
        {
            CPropertyPage* page;
            CDupView& view;
            int button;
        } shown[] = { { keys, keys->GetDupView(), IDC_KEY_DUPLICATES },
                      { f.page, f.page->GetDupView(), IDC_PLUGIN_DUPLICATES } };
        for (const auto& p : shown) {
            SCOPED_TRACE(p.button);
            EXPECT_EQ(s.pairs > 0, ::IsWindowEnabled(p.page->GetDlgItemHwnd(p.button)) != FALSE);
            if (p.view.m_hWnd)
                EXPECT_EQ(s.pairs, p.view.GetList().GetItemCount());
            else
                p.page->SendMessage(WM_COMMAND, MAKEWPARAM(p.button, BN_CLICKED), 0);
        }
    }
    EXPECT_TRUE(keys->GetDupView().m_hWnd && f.page->GetDupView().m_hWnd);
}

TEST(PluginPage, FortyLongModuleLinesSurviveAddingOne)
{
    std::string list;
    for (int i = 0; i < 40; ++i) {
        std::string path = "$\\" + std::string(300, char('a' + i % 26)) + "\\Module" + std::to_string(i) + ".dll";
        list += i % 2 ? "M" + std::to_string(i) + "=" + path + "\r\n" : path + "=M" + std::to_string(i) + "\r\n";
    }
    CPluginFixture f(L"plug_forty", list, "", "EnablePlugins=0\r\n");
    ASSERT_TRUE(f.sheet->created);
    EXPECT_EQ((UINT)BST_UNCHECKED, ::IsDlgButtonChecked(f.page->m_hWnd, IDC_PLUGIN_ENABLE));
    f.page->AddModule(CString(f.Expand("$\\Extra.dll").c_str()));
    f.sheet->sheet->ApplyAndBroadcast();
    EXPECT_EQ(f.Expand(list + "Extra=$\\Extra.dll\r\n"), f.Section("PluginList"));
    EXPECT_NE(std::string::npos, f.Section("Config").find("EnablePlugins=0\r\n"));
}

TEST(PluginPage, HotKeyBoxMenusSpeakTheLanguageFile)
{
    // The box of either page; a missing or empty text keeps the English one.
    const struct
    {
        const char* language; // [Prefector] lines; NULL: no language file
        bool pluginPage;
        LPCWSTR texts[4];     // menu commands 1, 2, 3 and 5
    } cases[] = {
        { "161=Bearbeiten|Tastenmodus|Seite merken\r\n230=Taste entfernen\r\n", true,
          { L"Bearbeiten", L"Tastenmodus", L"Seite merken", L"Taste entfernen" } },
        { "161=Bearbeiten||Seite merken\r\n", false,
          { L"Bearbeiten", L"HotKey Mode", L"Seite merken", L"Clear Hotkey" } },
        { nullptr, true, { L"Edit Mode", L"HotKey Mode", L"Remember Side", L"Clear Hotkey" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language ? c.language : "none");
        CTestFolder lang(L"box_lang");
        std::string ini = "[Keyboard]\r\n";
        if (c.language) {
            CString file = lang.Write(L"lang.ini", std::string("[Prefector]\r\n") + c.language);
            ini = "[Config]\r\nLocalizator=" + Narrow(file) + "\r\n";
        }
        CSheetFixture f(L"box_menu", CStringArray(), ini);
        ASSERT_TRUE(f.created);
        if (c.pluginPage)
            f.sheet->SetActivePage(f.sheet->GetPluginPage());
        CHotKeyExCtrl& box = c.pluginPage ? f.sheet->GetPluginPage()->GetHotKeyBox()
                                          : f.sheet->GetKeyPage()->GetHotKeyBox();
        CMenu menu;
        ASSERT_TRUE(box.BuildMenu(menu));
        const UINT commands[] = { CHotKeyExCtrl::MenuEditMode, CHotKeyExCtrl::MenuHotKeyMode,
                                  CHotKeyExCtrl::MenuRememberSide, CHotKeyExCtrl::MenuClearHotkey };
        for (int i = 0; i < 4; ++i) {
            CString text;
            menu.GetMenuString(commands[i], text, MF_BYCOMMAND);
            EXPECT_STREQ(c.texts[i], text);
        }
    }
}

// The suite's own modules in this program's width (MerovSet, a 32-bit
// program, lists their 32-bit builds): their commands under their keys.
TEST(ModuleListing, TheSuitesModulesListTheirCommands)
{
    const struct
    {
        LPCWSTR module;
        int commands;
        const char* last; // caption and key of the last command
    } modules[] = {
        { L"Numbra", 6, "Science|Numbra,6" },
        { L"TCPathfan", 3, "Set/Reset Counter|TCPathfan,3" },
        { L"Horalet", 3, "Show/Hide|Horalet,3" },
    };
    CLocalizer builtIn;
    // Under Wine the multimedia library Horalet links leaves registry keys
    // open each time it is freed: kept loaded, the counts are the modules' own.
    HMODULE multimedia = LoadLibraryW(L"winmm.dll");
    for (const auto& m : modules) {
        SCOPED_TRACE(Narrow(m.module));
        CString key = m.module, path = OwnWidthModule(m.module);
        CModuleRows rows;
        ASSERT_EQ(ModuleListed, ListModule(key, path, L"", builtIn, rows));
        ASSERT_EQ(1 + m.commands, rows.GetSize());
        const _CLItem& last = rows.GetAt(m.commands);
        EXPECT_EQ(m.last, Narrow(last.strName) + "|" + Narrow(last.strExtra));
        // Each listing loads and frees the library: nothing stays behind.
        long handles = ResourceCount::KernelHandles();
        for (int i = 0; i < 20; ++i) {
            CModuleRows again;
            ListModule(key, path, L"", builtIn, again);
        }
        EXPECT_LE(ResourceCount::KernelHandles(), handles + 4);
    }
    FreeLibrary(multimedia);
}
