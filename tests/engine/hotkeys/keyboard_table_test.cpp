#include <gtest/gtest.h>
#include "KeyboardTable.h"
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Host command numbers from a fixed list, compared without case.
class CFakeHostCommands : public IHostCommandLookup {
public:
    std::map<std::wstring, int> numbers = {{L"cm_clearall", 524}, {L"cm_opendrives", 2122}, {L"cm_copy", 3101}};

    int HostCommandNumber(LPCWSTR name) const override
    {
        std::wstring key(name);
        for (WCHAR& c : key)
            c = WCHAR(towlower(c));
        auto it = numbers.find(key);
        return it == numbers.end() ? 0 : it->second;
    }
};

// A settings file in a fresh temporary folder, removed at the end.
class CIniFile {
public:
    explicit CIniFile(const std::string& text)
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        m_path = std::wstring(temp) + L"hkt_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                 std::to_wstring(++serial) + L".ini";
        HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~CIniFile() { DeleteFileW(m_path.c_str()); }
    LPCWSTR Path() const { return m_path.c_str(); }

private:
    std::wstring m_path;
};

struct Bound {
    UINT command;
    std::wstring text;
    std::wstring name;
    UINT fixed;
    bool operator==(const Bound& o) const
    {
        return command == o.command && text == o.text && name == o.name && fixed == o.fixed;
    }
};

void PrintTo(const Bound& b, std::ostream* os)
{
    *os << "{" << b.command << ", " << testing::PrintToString(b.text) << ", "
        << testing::PrintToString(b.name) << ", fixed " << b.fixed << "}";
}

std::vector<Bound> Entries(const CKeyApprentice& table)
{
    std::vector<Bound> entries;
    for (int i = 0; i < table.GetCount(); ++i) {
        const HotkeyEntry* e = table.Entry(i);
        entries.push_back({e->command, e->text, e->name, e->fixed});
    }
    return entries;
}

std::set<UINT> Numbers(const CKeyApprentice& table)
{
    std::set<UINT> numbers;
    for (int i = 0; i < table.GetCount(); ++i)
        numbers.insert(table.Entry(i)->command);
    return numbers;
}

struct Built {
    CKeyApprentice table;
    CMenuHotkeyTexts menu;
};

void Build(Built& built, const CIniFile& ini, const KeyboardSwitches& switches,
           const CFakeHostCommands& commands = CFakeHostCommands())
{
    BuildKeyboardTable(built.table, built.menu, ini.Path(), switches, commands);
}

TEST(EngineCommands, NumbersNamesAndLookups)
{
    ASSERT_EQ(EngineCommandCount(), 28);
    std::set<UINT> numbers;
    for (int i = 0; i < EngineCommandCount(); ++i) {
        const EngineCommand& command = EngineCommands()[i];
        numbers.insert(command.number);
        EXPECT_EQ(FindEngineCommand(command.number), &command);
        if (command.name[0]) {
            EXPECT_EQ(FindEngineCommandByName(command.name), &command);
        }
    }
    EXPECT_EQ(numbers.size(), 28u);
    for (UINT unassigned : {65500u, 65521u, 65530u, 0u, 524u})
        EXPECT_FALSE(IsEngineCommandNumber(unassigned)) << unassigned;
    EXPECT_EQ(FindEngineCommandByName(L"reloadsettings")->number, 65520u);
    EXPECT_EQ(FindEngineCommandByName(L"CHRONOTABS")->number, 65517u);
    EXPECT_EQ(FindEngineCommand(65527)->boundWhen, EngineSwitch::Never);
    EXPECT_EQ(FindEngineCommandByName(L""), nullptr);
    EXPECT_EQ(FindEngineCommandByName(nullptr), nullptr);
    EXPECT_EQ(FindEngineCommandByName(L"StickItNow"), nullptr);
    EXPECT_EQ(FindEngineCommand(65510)->descriptionId, 113);
    EXPECT_EQ(FindEngineCommand(65529)->group, GroupMiscellaneous);
}

TEST(KeyboardTable, ResolvesEachKindOfKeyInFileOrder)
{
    CIniFile ini(
        "[Config]\r\nBookMarks=0\r\n"
        "[Keyboard]\r\n"
        "65501=Ctrl+B\r\n"
        "ToggleBookMark=Ctrl+T\r\n"
        "cm_ClearAll=Ctrl+E\r\n"
        "em_foo=Ctrl+U\r\n"
        "Bogus=Ctrl+Y\r\n"
        "2001=Foo+A\r\n"
        "reloadsettings=Alt+R\r\n"
        "CM_COPY=\"F5\"\r\n"
        "EM_Bar=Ctrl+Shift+U\r\n"
        "0=F9\r\n"
        "[Other]\r\n"
        "9=F1\r\n");
    Built built;
    Build(built, ini, KeyboardSwitches());
    std::vector<Bound> expected = {
        {65501, L"Ctrl+B", L"", 0},
        {524, L"Ctrl+E", L"", 0},
        {0, L"Ctrl+U", L"em_foo", 0},
        {65520, L"Alt+R", L"", 0},
        {3101, L"F5", L"", 0},
        {0, L"Ctrl+Shift+U", L"EM_Bar", 0},
    };
    EXPECT_EQ(Entries(built.table), expected);
    EXPECT_STREQ(built.table.HotkeyTextOfCommand(L"EM_FOO"), L"Ctrl+U");
    // The menu keeps ToggleBookMark's text although the command is not bound.
    EXPECT_STREQ(built.menu.Text(65501), L"Ctrl+T");
    EXPECT_STREQ(built.menu.Text(65520), L"Alt+R");
}

// Each engine command bound by name, with the setting that allows it.
TEST(KeyboardTable, EngineNamesAreBoundOnlyUnderTheirCondition)
{
    struct Row {
        const char* name;
        UINT number;
        int KeyboardSwitches::*condition; // null: always
    };
    const Row rows[] = {
        {"StickIt", 65510, &KeyboardSwitches::StickyFiles}, {"ToggleStick", 65511, &KeyboardSwitches::StickyFiles},
        {"StickConfig", 65509, &KeyboardSwitches::StickyFiles}, {"UnStickIt", 65512, &KeyboardSwitches::StickyFiles},
        {"UnStickAll", 65513, &KeyboardSwitches::StickyFiles},
        {"ToggleBookMark", 65501, &KeyboardSwitches::BookMarks}, {"BookMarkNext", 65502, &KeyboardSwitches::BookMarks},
        {"BookMarkPrev", 65503, &KeyboardSwitches::BookMarks}, {"JumpBookMark", 65504, &KeyboardSwitches::BookMarks},
        {"Book2Selection", 65505, &KeyboardSwitches::BookMarks}, {"CopyBookMark", 65506, &KeyboardSwitches::BookMarks},
        {"PasteBookMark", 65507, &KeyboardSwitches::BookMarks}, {"ClearBookMark", 65518, &KeyboardSwitches::BookMarks},
        {"ToggleSaveBookmark", 65519, &KeyboardSwitches::BookMarks},
        {"CloseAllListers", 65508, &KeyboardSwitches::CloseAllListers},
        {"AutoCompletion", 65514, &KeyboardSwitches::AutoCompletion},
        {"ShowTabListLeft", 65525, &KeyboardSwitches::TabsToFav}, {"ShowTabListRight", 65526, &KeyboardSwitches::TabsToFav},
        {"ChangeColumns", 65522, &KeyboardSwitches::ChangeColumns},
        {"NextQuickView", 65515, nullptr}, {"SelectTabColor", 65516, nullptr}, {"ChronoTabs", 65517, nullptr},
        {"ReloadSettings", 65520, nullptr}, {"ShowMVMenu", 65524, nullptr}, {"UseFileGrouping", 65523, nullptr},
        {"GotoDirRelative", 65529, nullptr},
    };
    std::string text = "[Keyboard]\r\n";
    int f = 0;
    for (const Row& row : rows) {
        text += std::string(row.name) + (f < 24 ? "=Ctrl+F" : "=Alt+F") + std::to_string(f % 24 + 1) + "\r\n";
        ++f;
    }
    CIniFile ini(text);

    KeyboardSwitches off;
    off.CloseAllListers = 0;
    off.AutoCompletion = 0;
    std::set<UINT> always;
    for (const Row& row : rows) {
        if (!row.condition)
            always.insert(row.number);
    }
    Built none;
    Build(none, ini, off);
    EXPECT_EQ(Numbers(none.table), always);

    for (int KeyboardSwitches::*condition : {&KeyboardSwitches::StickyFiles, &KeyboardSwitches::BookMarks,
                                             &KeyboardSwitches::CloseAllListers, &KeyboardSwitches::AutoCompletion,
                                             &KeyboardSwitches::TabsToFav, &KeyboardSwitches::ChangeColumns}) {
        KeyboardSwitches on = off;
        on.*condition = 1;
        std::set<UINT> expected = always;
        for (const Row& row : rows) {
            if (row.condition == condition)
                expected.insert(row.number);
        }
        Built built;
        Build(built, ini, on);
        EXPECT_EQ(Numbers(built.table), expected);
    }
}

TEST(KeyboardTable, MenuTextsAreKeptWhetherBoundOrNot)
{
    CIniFile ini(
        "[Keyboard]\r\n"
        "StickIt=Ctrl+S\r\n"
        "ToggleStick=Foo+Bar\r\n"
        "ClearBookMark=Ctrl+Alt+Shift+Win+F12+++++++++++++++++++++++\r\n"
        "CloseAllListers=Alt+F4\r\n"
        "ChangeColumns=Ctrl+F11\r\n"
        "UseFileGrouping=Ctrl+G\r\n"
        "ShowMVMenu=Ctrl+M\r\n"
        "AutoCompletion=Ctrl+Space\r\n"
        "65510=Alt+S\r\n");
    KeyboardSwitches off;
    off.CloseAllListers = 0;
    Built built;
    Build(built, ini, off);
    EXPECT_STREQ(built.menu.Text(65510), L"Ctrl+S");
    EXPECT_STREQ(built.menu.Text(65511), L"Foo+Bar"); // kept although it does not parse
    EXPECT_STREQ(built.menu.Text(65518), L"Ctrl+Alt+Shift+Win+F12+++++++++"); // 31 characters
    EXPECT_STREQ(built.menu.Text(65508), L"Alt+F4");
    EXPECT_STREQ(built.menu.Text(65522), L"Ctrl+F11");
    EXPECT_STREQ(built.menu.Text(65523), L"Ctrl+G");
    // Commands outside the engine's menus keep nothing; a number binds without a menu text.
    EXPECT_STREQ(built.menu.Text(65524), L"");
    EXPECT_STREQ(built.menu.Text(65514), L"");
    EXPECT_STREQ(built.menu.Text(65512), L"");
    EXPECT_STREQ(built.menu.Text(65500), L"");
    // Bound: the number line, ShowMVMenu, UseFileGrouping, AutoCompletion.
    EXPECT_EQ(Numbers(built.table), (std::set<UINT>{65510, 65523, 65524, 65514}));

    // A rebuild starts from nothing.
    CIniFile empty("[Keyboard]\r\n");
    Build(built, empty, off);
    EXPECT_STREQ(built.menu.Text(65510), L"");
    EXPECT_EQ(built.table.GetCount(), 0);
}

TEST(KeyboardTable, FixedBindingsFollowTheSection)
{
    CIniFile ini("[Keyboard]\r\nESC=F1\r\n65520=ESC\r\nem_back=Back\r\n");
    KeyboardSwitches switches;
    switches.ESCSpecial = 1;
    switches.GotoUpFromRoot = 1;
    Built built;
    Build(built, ini, switches);
    std::vector<Bound> expected = {
        {65520, L"ESC", L"", 0},
        {0, L"Back", L"em_back", 0},
        {524, L"ESC", L"", 1},
        {2122, L"Ctrl+PgUp", L"", 1},
        {2122, L"Back", L"", 1},
    };
    EXPECT_EQ(Entries(built.table), expected);
    // A [Keyboard] binding of the same key comes first and wins.
    BYTE state[256] = {};
    EXPECT_EQ(built.table.FindHotkey(VK_ESCAPE, state), 0);
    EXPECT_EQ(built.table.FindHotkey(VK_BACK, state), 1);
    state[VK_RCONTROL] = 0x80;
    EXPECT_EQ(built.table.FindHotkey(VK_PRIOR, state), 3);

    // Each switch alone; a host list without the command binds nothing.
    switches.ESCSpecial = 0;
    Build(built, ini, switches);
    EXPECT_EQ(Numbers(built.table), (std::set<UINT>{65520, 0, 2122}));
    CFakeHostCommands noDrives;
    noDrives.numbers.erase(L"cm_opendrives");
    switches.ESCSpecial = 1;
    Build(built, ini, switches, noDrives);
    EXPECT_EQ(Numbers(built.table), (std::set<UINT>{65520, 0, 524}));
    // No settings file: only the fixed bindings.
    BuildKeyboardTable(built.table, built.menu, nullptr, switches, CFakeHostCommands());
    EXPECT_EQ(Entries(built.table), (std::vector<Bound>{{524, L"ESC", L"", 1}, {2122, L"Ctrl+PgUp", L"", 1}, {2122, L"Back", L"", 1}}));
}

// The section is read at once; the result must be what reading the key list
// and then each key's value with the profile functions gives.
TEST(KeyboardTable, SectionReadAgreesWithPerKeyReads)
{
    CIniFile ini(
        "[Keyboard]\r\n"
        "; em_comment=Ctrl+K\r\n"
        "em_a = Ctrl+A \r\n"
        "  em_b=\"Ctrl+B\"\r\n"
        "em_c='Alt+C'\r\n"
        "em_d=\"Alt+D\r\n"
        "em_noequals\r\n"
        "EM_A=Ctrl+Z\r\n"
        "em_e=Shift+E=F\r\n"
        "em_f=Ctrl+F\r\n"
        "em_f=Alt+F\r\n"
        "\r\n"
        "em_g==Ctrl+G\r\n"
        "[keyboard]\r\n"
        "em_h=Ctrl+H\r\n");
    std::vector<Bound> expected;
    std::vector<WCHAR> keys(4096);
    GetPrivateProfileStringW(L"Keyboard", nullptr, L"", keys.data(), DWORD(keys.size()), ini.Path());
    for (const WCHAR* key = keys.data(); *key; key += wcslen(key) + 1) {
        WCHAR value[256] = {};
        GetPrivateProfileStringW(L"Keyboard", key, L"", value, 256, ini.Path());
        HotkeyCode code = 0;
        if (ParseHotkeyText(value, EngineKeyNameTable(), &code) && HotkeyKey(code))
            expected.push_back({0, value, key, 0});
    }
    ASSERT_GE(expected.size(), 6u);
    Built built;
    Build(built, ini, KeyboardSwitches());
    EXPECT_EQ(Entries(built.table), expected);
}

TEST(KeyboardTable, LongValuesNamesAndKeyLists)
{
    // 300 keys: a key list far longer than the first buffer.
    std::string text = "[Keyboard]\r\n";
    for (int i = 0; i < 300; ++i)
        text += "em_user_command_with_a_long_name_" + std::to_string(i) + "=Ctrl+U\r\n";
    std::string longName = "em_" + std::string(197, 'n');
    text += longName + "=Alt+N\r\n";
    // A 5000-character value that still parses as A (empty tokens are skipped).
    text += "2001=A" + std::string(4994, '+') + "\r\n";
    CIniFile ini(text);
    Built built;
    Build(built, ini, KeyboardSwitches());
    ASSERT_EQ(built.table.GetCount(), 302);
    EXPECT_STREQ(built.table.Entry(0)->name, L"em_user_command_with_a_long_name_0");
    EXPECT_STREQ(built.table.Entry(299)->name, L"em_user_command_with_a_long_name_299");
    const HotkeyEntry* named = built.table.Entry(300);
    EXPECT_EQ(std::wstring(named->name), std::wstring(longName.begin(), longName.begin() + 63));
    const HotkeyEntry* numbered = built.table.Entry(301);
    EXPECT_EQ(numbered->command, 2001u);
    EXPECT_EQ(numbered->code, UINT('A'));
    EXPECT_EQ(std::wstring(numbered->text), L"A" + std::wstring(62, L'+'));
}

} // namespace
