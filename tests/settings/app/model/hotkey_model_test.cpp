// The hotkey model: every source, lookups, assignment and clearing, what
// [Keyboard] and [Plugins] hold after a save, duplicates, and the engine's
// readers binding what the model wrote.
#include "Duplicates.h"
#include "EngineCommands.h"
#include "HostCommands.h"
#include "IniSection.h"
#include "KeyboardTable.h"
#include "ModelFiles.h"
#include "ModuleListText.h"
#include <gtest/gtest.h>

namespace {

// Host commands, every host hotkey source, and own keys of every kind. Three
// keys are bound twice: F3 (default and host, cm_Y), Ctrl+K (cm_Copy and
// ToggleBookMark), Ctrl+Shift+S (StickIt and a module command).
void WriteFixture(const CModelFiles& files)
{
    files.WriteHost(L"totalcmd.inc", "[_____Files_____]=0\r\ncm_Copy=3101;Copy files\r\ncm_Edit=904;Edit\r\n"
                                     "cm_Y=6;Y command\r\ncm_Z=7;Z command\r\n");
    // [ShortcutsWin] and [User] live in the alternate INI.
    files.WriteHost(L"wincmd.ini", "[Configuration]\r\nAlternateUserIni=%COMMANDER_PATH%\\alt.ini\r\n"
                                   "[Shortcuts]\r\nRedirectSection=0\r\nCA+X=cm_Copy\r\nF3=cm_Y\r\nC+OEM_.=cm_Z\r\n"
                                   "S+F9=cm_Unknown\r\n[ShortcutsWin]\r\nRedirectSection=1\r\nS+E=cm_Copy\r\n");
    files.WriteHost(L"alt.ini", "[ShortcutsWin]\r\nS+E=cm_Edit\r\n[User]\r\nkey3=14\r\nmenu3=Notepad\r\nkey4=30\r\n");
    files.WriteOwn(L"tc default hotkeys.hky", "[TC Default Hotkeys]\r\ncm_Copy=F5=Ctrl+C\r\ncm_Y=F3\r\n3101=Num+\r\n");
    files.WriteOwn(L"Merovin.ini", "[Keyboard]\r\ncm_Copy=Ctrl+K\r\nStickIt=Ctrl+Shift+S\r\nToggleBookMark=ctrl+K\r\n"
                                   "65501=Ctrl+B\r\nChronoTabs=Ctrl+Tab\r\nCM_EDIT=F9\r\nem_missing=F8\r\n"
                                   "[PluginList]\r\nCalculator=C:\\m\\calc.dll\r\nNumbra=Numbra.dll\r\n"
                                   "[Plugins]\r\nCtrl+1=C:\\m\\calc.dll,3 ;sum\r\nCtrl+Q=Numbra,3;calc\r\n"
                                   "Shift+Ctrl+S=Numbra,1\r\n");
}

int HostRow(const CSettingsModel& model, LPCWSTR name)
{
    return model.m_hostList.FindCommand(name);
}

int OwnRow(const CSettingsModel& model, LPCWSTR name)
{
    for (int i = 0; i < model.m_ownList.GetCount(); ++i)
        if (model.m_ownList.GetAt(i).strName == name)
            return i;
    return -1;
}

CString Collected(const CHotKeyHolder& holder, LPCWSTR command, int mask = 0)
{
    CString text;
    holder.CollectHotkeys(command, text, mask);
    return text;
}

std::string Dups(const CHotKeyHolder& holder)
{
    CHKDuplicates dups;
    FindDuplicates(holder, dups);
    std::string text;
    for (INT_PTR i = 0; i < dups.GetSize(); ++i)
        text += CStringA(dups[i].strFirst + L" " + dups[i].strKey + L" " + dups[i].strSecond + L"|").GetString();
    return text;
}

// Builds the fixture's model, assigns, clears and saves [Keyboard].
std::unique_ptr<CSettingsModel> AssignAndSave(const CModelFiles& files, CPromptScript& script)
{
    WriteFixture(files);
    std::unique_ptr<CSettingsModel> model = files.Build();
    CHotKeyHolder& holder = model->m_holder;
    EXPECT_EQ(1, holder.Assign(L"Ctrl+J", EntryHostCommand, HostRow(*model, L"cm_Copy")));
    script.AddAnswer(IDNO);
    EXPECT_EQ(0, holder.Assign(L"Ctrl+Alt+X", EntryEngineCommand, OwnRow(*model, L"StickIt")));
    holder.SetKey(holder.FindEntryToChange(L"StickIt"), L"");
    // Two own entries of one command: the later one is written.
    holder.AddByIndex(EntryHostCommand, HostRow(*model, L"cm_Z"), L"Alt+1", SourceOwn);
    holder.AddByIndex(EntryHostCommand, HostRow(*model, L"cm_Z"), L"Alt+2", SourceOwn);
    EXPECT_TRUE(holder.Save(1));
    return model;
}

class CHostNumbers : public IHostCommandLookup
{
public:
    explicit CHostNumbers(LPCWSTR file) { m_table.Load(file); }
    int HostCommandNumber(LPCWSTR name) const override { return m_table.Number(name); }

private:
    CHostCommandTable m_table;
};

} // namespace

TEST(HotKeyModel, EverySourceLoadsInOrder)
{
    CModelFiles files(L"hk_sources");
    WriteFixture(files);
    CPromptScript script;
    script.AddAnswer(IDYES);
    script.AddAnswer(IDYES);
    script.AddAnswer(IDNO); // no more questions about undefined commands
    std::unique_ptr<CSettingsModel> model = files.Build();
    const CHotKeyHolder& holder = model->m_holder;

    const struct
    {
        LPCWSTR key, command;
        int source, type;
        LPCWSTR comment;
    } expected[] = {
        { L"F5", L"cm_Copy", 1, 0, L"" },           { L"Ctrl+C", L"cm_Copy", 1, 0, L"" },
        { L"F3", L"cm_Y", 1, 0, L"" },              { L"NumPlus", L"cm_Copy", 1, 0, L"" },
        { L"Alt+Ctrl+X", L"cm_Copy", 2, 0, L"" },   { L"F3", L"cm_Y", 2, 0, L"" },
        { L"Ctrl+Dot", L"cm_Z", 2, 0, L"" },        { L"Win+Shift+E", L"cm_Edit", 2, 0, L"" },
        { L"Alt+Ctrl+Shift+F2", L"Notepad", 2, 2, L"" },
        { L"Ctrl+K", L"cm_Copy", 4, 0, L"" },       { L"Ctrl+Shift+S", L"StickIt", 4, 1, L"" },
        { L"Ctrl+K", L"ToggleBookMark", 4, 1, L"" }, { L"Ctrl+B", L"65501", 4, 3, L"" },
        { L"Ctrl+Tab", L"ChronoTabs", 4, 3, L"" },  { L"F9", L"CM_EDIT", 4, 3, L"" },
        { L"F8", L"em_missing", 4, 3, L"" },        { L"Ctrl+1", L"Calculator,3", 4, 2, L"sum" },
        { L"Ctrl+Q", L"Numbra,3", 4, 2, L"calc" },  { L"Ctrl+Shift+S", L"Numbra,1", 4, 2, L"" },
    };
    ASSERT_EQ((int)(sizeof(expected) / sizeof(expected[0])), holder.GetCount());
    for (int i = 0; i < holder.GetCount(); ++i) {
        const CHKEntry& entry = holder.GetAt(i);
        EXPECT_STREQ(expected[i].key, entry.strKey) << i;
        EXPECT_STREQ(expected[i].command, holder.CommandText(i)) << i;
        EXPECT_EQ(expected[i].source, entry.nSource) << i;
        EXPECT_EQ(expected[i].type, entry.nType) << i;
        EXPECT_STREQ(expected[i].comment, entry.strComment) << i;
    }
    EXPECT_FALSE(holder.IsModified());

    // Undefined commands are asked about until the user answers No.
    ASSERT_EQ(3, script.m_prompts.GetSize());
    EXPECT_STREQ(L"Hotkey 'Shift+F9' is assigned to the undefined command 'cm_Unknown'. Continue checking?",
                 script.Text(0));
    EXPECT_STREQ(L"Hotkey 'Ctrl+Tab' is assigned to the undefined command 'ChronoTabs'. Continue checking?",
                 script.Text(2));

    // Lookups by key: a default yields to the host's own key for its command;
    // a kept line holds its key too.
    const struct
    {
        LPCWSTR key;
        int entry;
    } byKey[] = { { L"F5", -1 }, { L"f3", 5 }, { L"ctrl+k", 11 }, { L"Ctrl+B", 12 }, { L"Alt+Ctrl+Shift+F2", 8 } };
    for (const auto& k : byKey)
        EXPECT_EQ(k.entry, holder.FindByKey(k.key)) << CStringA(k.key).GetString();

    EXPECT_STREQ(L"F5; Ctrl+C; NumPlus; Alt+Ctrl+X; Ctrl+K", Collected(holder, L"cm_Copy"));
    EXPECT_STREQ(L"Ctrl+C; Alt+Ctrl+X; Ctrl+K", Collected(holder, L"CM_COPY", 2));
    EXPECT_EQ(RowGroup, model->m_hostList.GetAt(0).nFlags);
    EXPECT_EQ(RowDefaultKey | RowHostKey | RowOwnKey | RowMultiKey,
              model->m_hostList.GetAt(HostRow(*model, L"cm_Copy")).nFlags);
    EXPECT_EQ(RowHostKey, model->m_hostList.GetAt(HostRow(*model, L"cm_Edit")).nFlags);
    EXPECT_EQ(RowDefaultKey | RowHostKey, model->m_hostList.GetAt(HostRow(*model, L"cm_Y")).nFlags);
    EXPECT_EQ(RowOwnKey, model->m_ownList.GetAt(OwnRow(*model, L"StickIt")).nFlags);
    EXPECT_EQ("cm_Y F3 cm_Y|cm_Copy Ctrl+K ToggleBookMark|StickIt Ctrl+Shift+S Numbra,1|", Dups(holder));

    // "F1" is no copy of "Ctrl+F1"; three entries with one key give three pairs.
    CHotKeyHolder& edit = model->m_holder;
    for (LPCWSTR key : { L"Ctrl+F1", L"F1", L"Alt+U", L"Alt+U" })
        edit.AddByIndex(EntryHostCommand, HostRow(*model, L"cm_Z"), key, SourceOwn);
    edit.AddByIndex(EntryEngineCommand, OwnRow(*model, L"UnStickAll"), L"alt+u", SourceOwn);
    CString keys;
    EXPECT_EQ(4, edit.CollectHotkeys(L"cm_Z", keys));
    EXPECT_STREQ(L"Ctrl+Dot; Ctrl+F1; F1; Alt+U", keys);
    EXPECT_NE(std::string::npos, Dups(edit).find("cm_Z Alt+U cm_Z|cm_Z Alt+U UnStickAll|cm_Z Alt+U UnStickAll|"));
}

TEST(HotKeyModel, AssignClearAndSaveKeepWhatTheUtilityCannotRead)
{
    CModelFiles files(L"hk_assign");
    CPromptScript script;
    std::unique_ptr<CSettingsModel> model = AssignAndSave(files, script);
    const CHotKeyHolder& holder = model->m_holder;

    // The declined assignment asked once; the old own key is gone, the host
    // keys stay shown.
    ASSERT_LE(1, script.m_prompts.GetSize());
    EXPECT_STREQ(L"Hotkey 'Alt+Ctrl+X' already assigned to 'cm_Copy' command.\nAssign it anyway?",
                 script.Text((int)script.m_prompts.GetSize() - 1));
    EXPECT_STREQ(L"F5; Ctrl+C; NumPlus; Alt+Ctrl+X; Ctrl+J", Collected(holder, L"cm_Copy"));
    EXPECT_EQ(-1, holder.FindByCommand(L"StickIt", AllSources));
    EXPECT_EQ("cm_Y F3 cm_Y|", Dups(holder));

    std::string ini = files.OwnIni();
    EXPECT_EQ("ToggleBookMark=Ctrl+K\r\n65501=Ctrl+B\r\nChronoTabs=Ctrl+Tab\r\nCM_EDIT=F9\r\nem_missing=F8\r\n"
              "cm_Copy=Ctrl+J\r\ncm_Z=Alt+2\r\n",
              CModelFiles::Section(ini, "Keyboard"));
    EXPECT_EQ("Ctrl+1=Calculator,3 ;sum\r\nCtrl+Q=Numbra,3 ;calc\r\nShift+Ctrl+S=Numbra,1\r\n",
              CModelFiles::Section(ini, "Plugins"));

    // The Plugins page's save: [Plugins] anew, [Keyboard] as it was.
    std::string keyboard = CModelFiles::Section(ini, "Keyboard");
    EXPECT_EQ(2, model->m_holder.RemoveModuleEntries(L"numbra"));
    EXPECT_EQ(1, model->m_holder.Assign(L"Ctrl+2", EntryLiteral, -1, L"Calculator,4", L"mean"));
    EXPECT_TRUE(model->m_holder.Save(2));
    ini = files.OwnIni();
    EXPECT_EQ("Ctrl+1=Calculator,3 ;sum\r\nCtrl+2=Calculator,4 ;mean\r\n", CModelFiles::Section(ini, "Plugins"));
    EXPECT_EQ(keyboard, CModelFiles::Section(ini, "Keyboard"));
}

TEST(HotKeyModel, DeclinedAssignmentWritesNothing)
{
    CModelFiles files(L"hk_declined");
    WriteFixture(files);
    // A kept line as a user wrote it: its modifiers in another order.
    WritePrivateProfileStringW(L"Keyboard", L"65502", L"Shift+Alt+W", files.Own(L"Merovin.ini"));
    CPromptScript script;
    std::unique_ptr<CSettingsModel> model = files.Build();
    std::string before = files.OwnIni();
    // Every key taken asks first, kept lines' keys included.
    const struct
    {
        LPCWSTR key, owner;
    } taken[] = { { L"F3", L"cm_Y" }, { L"Ctrl+B", L"65501" }, { L"Alt+Shift+W", L"65502" } };
    for (const auto& t : taken) {
        INT_PTR asked = script.m_prompts.GetSize();
        script.AddAnswer(IDNO);
        EXPECT_EQ(0, model->m_holder.Assign(t.key, EntryHostCommand, HostRow(*model, L"cm_Edit")));
        ASSERT_EQ(asked + 1, script.m_prompts.GetSize());
        EXPECT_STREQ(CString(L"Hotkey '") + t.key + L"' already assigned to '" + t.owner +
                         L"' command.\nAssign it anyway?",
                     script.Text((int)asked));
    }
    EXPECT_FALSE(model->m_holder.Save(1));
    EXPECT_FALSE(model->m_holder.Save(2));
    EXPECT_EQ(before, files.OwnIni());
}

TEST(HotKeyModel, TheEngineBindsWhatTheModelWrote)
{
    CModelFiles files(L"hk_engine");
    CPromptScript script;
    std::unique_ptr<CSettingsModel> model = AssignAndSave(files, script);
    CString ini = files.Own(L"Merovin.ini");

    KeyboardSwitches on;
    on.StickyFiles = on.BookMarks = on.CloseAllListers = on.AutoCompletion = on.TabsToFav = on.ChangeColumns = 1;
    on.ESCSpecial = on.GotoUpFromRoot = 1;
    CKeyApprentice table;
    CMenuHotkeyTexts menuTexts;
    CHostNumbers host(files.Host(L"totalcmd.inc"));
    ASSERT_EQ(7, BuildKeyboardTable(table, menuTexts, ini, on, host));
    const struct
    {
        LPCWSTR text;
        UINT command;
        LPCWSTR name;
    } bound[] = {
        { L"Ctrl+K", CmdToggleBookMark, L"" }, { L"Ctrl+B", 65501, L"" }, { L"Ctrl+Tab", CmdChronoTabs, L"" },
        { L"F9", 904, L"" },                   { L"F8", 0, L"em_missing" }, { L"Ctrl+J", 3101, L"" },
        { L"Alt+2", 7, L"" },
    };
    for (int i = 0; i < 7; ++i) {
        EXPECT_STREQ(bound[i].text, table.Entry(i)->text) << i;
        EXPECT_EQ(bound[i].command, table.Entry(i)->command) << i;
        EXPECT_STREQ(bound[i].name, table.Entry(i)->name) << i;
    }

    // Every own command name is the engine's.
    for (int i = 0; i < model->m_ownList.GetCount(); ++i) {
        const _CLItem& row = model->m_ownList.GetAt(i);
        if (!(row.nFlags & RowGroup)) {
            EXPECT_NE(nullptr, FindEngineCommandByName(row.strName)) << CStringA(row.strName).GetString();
        }
    }

    // Each [Plugins] line finds the module it was bound to, as the loader
    // matches a path (with "\") or else a name.
    CIniSection list, plugins;
    list.Load(L"PluginList", ini);
    plugins.Load(L"Plugins", ini);
    ASSERT_EQ(3, plugins.KeyCount());
    LPCWSTR modules[] = { L"Calculator", L"Numbra", L"Numbra" };
    for (int i = 0; i < plugins.KeyCount(); ++i) {
        CString module, found;
        int parameter = 0;
        ParsePluginsValue(plugins.Text(i), module, parameter);
        for (int m = list.KeyCount() - 1; m >= 0 && found.IsEmpty(); --m) {
            CString name, path;
            ParsePluginListLine(list.Key(m), list.Text(m), files.Own(), name, path);
            if (module.Find(L'\\') < 0 ? name.CompareNoCase(module) == 0 : path.CompareNoCase(module) == 0)
                found = name;
        }
        EXPECT_STREQ(modules[i], found) << i;
    }
}
