#include <gtest/gtest.h>
#include "HotkeyText.h"
#include <string>

namespace {

HotkeyCode Parse(const WCHAR* text, const KeyNameRow* table = EngineKeyNameTable())
{
    HotkeyCode code = 0xDEADBEEF;
    EXPECT_TRUE(ParseHotkeyText(text, table, &code)) << "text: " << testing::PrintToString(std::wstring(text ? text : L"(null)"));
    return code;
}

bool Refused(const WCHAR* text, const KeyNameRow* table = EngineKeyNameTable())
{
    HotkeyCode code = 0xDEADBEEF;
    bool ok = ParseHotkeyText(text, table, &code);
    EXPECT_EQ(code, 0xDEADBEEFu) << "a refused text must leave the code alone";
    return !ok;
}

TEST(KeyNameTable, EngineAndSettingsTables)
{
    const KeyNameRow* engine = EngineKeyNameTable();
    const KeyNameRow* settings = SettingsKeyNameTable();
    ASSERT_EQ(KeyNameCount(engine), 61u);
    ASSERT_EQ(KeyNameCount(settings), 57u);
    EXPECT_STREQ(engine[0].name, L"BACK");
    EXPECT_STREQ(engine[60].name, L"PAUSE");

    // The settings table is the engine's, in the same order, less four rows.
    const std::wstring engineOnly[] = {L"Context", L"MINUS", L"SCROLLLOCK", L"PAUSE"};
    size_t s = 0;
    for (size_t e = 0; e < 61; ++e) {
        bool skipped = false;
        for (const std::wstring& name : engineOnly)
            skipped = skipped || name == engine[e].name;
        if (skipped)
            continue;
        ASSERT_LT(s, 57u);
        EXPECT_STREQ(settings[s].name, engine[e].name);
        EXPECT_EQ(settings[s].key, engine[e].key);
        ++s;
    }
    EXPECT_EQ(s, 57u);
}

TEST(HotkeyText, EveryKeyNameParsesWithoutCase)
{
    for (const KeyNameRow* row = EngineKeyNameTable(); row->name[0]; ++row) {
        std::wstring lower = row->name;
        for (WCHAR& c : lower)
            c = WCHAR(towlower(c));
        EXPECT_EQ(Parse(row->name), row->key) << testing::PrintToString(std::wstring(row->name));
        EXPECT_EQ(Parse(lower.c_str()), row->key);
        EXPECT_EQ(Parse((L"Ctrl+" + lower).c_str()), 0x4400u | row->key);
    }
    // The four engine-only names are refused with the settings table.
    for (const WCHAR* name : {L"Context", L"minus", L"ScrollLock", L"PAUSE"})
        EXPECT_TRUE(Refused(name, SettingsKeyNameTable()));
    EXPECT_EQ(Parse(L"Ctrl+Shift+F5", SettingsKeyNameTable()), 0x6674u);
}

TEST(HotkeyText, ModifiersAndCodes)
{
    EXPECT_EQ(Parse(L"Ctrl+Shift+F5"), 0x6674u);
    EXPECT_EQ(Parse(L"ALT+CTRL+A"), 0x5541u);
    EXPECT_EQ(Parse(L"Ctrl+Alt+A"), 0x5541u);
    EXPECT_EQ(Parse(L"RAlt+X"), 0x1058u);
    EXPECT_EQ(Parse(L"LCtrl+LEFT"), 0x0425u);
    EXPECT_EQ(Parse(L"rshift+lwin+F1"), 0x2870u);
    EXPECT_EQ(Parse(L"win+r"), 0x8852u);
    EXPECT_EQ(Parse(L"ctrl+num*"), 0x446Au);
    // Names that begin with L or R are keys, not sided modifiers.
    EXPECT_EQ(Parse(L"Left"), 0x0025u);
    EXPECT_EQ(Parse(L"RALT+RIGHT"), 0x1027u);
}

TEST(HotkeyText, EmptyTokensAndKeylessTexts)
{
    EXPECT_EQ(Parse(L""), 0u);
    EXPECT_EQ(Parse(nullptr), 0u);
    EXPECT_EQ(Parse(L"Ctrl+"), 0x4400u);
    EXPECT_EQ(Parse(L"Ctrl+Ctrl"), 0x4400u);
    EXPECT_EQ(Parse(L"Ctrl++"), 0x4400u);
    EXPECT_EQ(Parse(L"++Alt++F2++"), 0x1171u);
}

TEST(HotkeyText, RefusedTexts)
{
    EXPECT_TRUE(Refused(L"A+Ctrl"));
    EXPECT_TRUE(Refused(L"F5+F6"));
    EXPECT_TRUE(Refused(L"Foo+A"));
    EXPECT_TRUE(Refused(L"LFoo+A"));
    EXPECT_TRUE(Refused(L"Control+A"));
    EXPECT_EQ(Parse(L"Ctrl+A", nullptr), 0x4441u); // single characters need no table
    EXPECT_TRUE(Refused(L"Ctrl+F5", nullptr));
    // Overlong texts and tokens are read in place, without a copy.
    std::wstring longModifiers;
    for (int i = 0; i < 1000; ++i)
        longModifiers += L"Ctrl+";
    EXPECT_EQ(Parse((longModifiers + L"A").c_str()), 0x4441u);
    EXPECT_TRUE(Refused(std::wstring(5000, L'X').c_str()));
    EXPECT_TRUE(Refused((longModifiers + L"A+" + std::wstring(5000, L'B')).c_str()));
}

// The single-character path follows the keyboard layout; the expected codes
// are taken from the layout so that the test holds on any of them.
TEST(HotkeyText, SingleCharacterThroughTheLayout)
{
    for (WCHAR c : std::wstring(L"aZ7%|\\~,")) {
        SHORT scan = VkKeyScanW(c);
        if (scan == -1)
            continue;
        HotkeyCode expected;
        if (scan == 0x01DC) {
            expected = VK_OEM_102;
        } else {
            BYTE mods = 0;
            if (HIBYTE(scan) & 2)
                mods |= HotkeyCtrl;
            if (HIBYTE(scan) & 4)
                mods |= HotkeyAlt;
            expected = MakeHotkeyCode(mods, LOBYTE(scan));
        }
        const WCHAR text[] = {c, 0};
        EXPECT_EQ(Parse(text), expected) << "character " << char(c);
        const WCHAR withShift[] = {L'S', L'h', L'i', L'f', L't', L'+', c, 0};
        EXPECT_EQ(Parse(withShift), expected | 0x2200u);
    }
    // On the US layout (Wine's default) '|' is the shifted backslash key.
    if (VkKeyScanW(L'|') == 0x01DC) {
        EXPECT_EQ(Parse(L"|"), 0x00E2u);
    }
    EXPECT_EQ(Parse(L"a"), Parse(L"A"));
}

TEST(HotkeyText, ValidUserText)
{
    const KeyNameRow* settings = SettingsKeyNameTable();
    EXPECT_TRUE(IsValidHotkeyText(L"Ctrl+Q", settings));
    EXPECT_TRUE(IsValidHotkeyText(L"F5", settings));
    EXPECT_FALSE(IsValidHotkeyText(L"Q", settings));
    EXPECT_FALSE(IsValidHotkeyText(L"Ctrl+", settings));
    EXPECT_FALSE(IsValidHotkeyText(L"Q+Q", settings));
    EXPECT_FALSE(IsValidHotkeyText(nullptr, settings));
    EXPECT_FALSE(IsValidHotkeyText(L"Ctrl+Context", settings));
    EXPECT_TRUE(IsValidHotkeyText(L"Ctrl+Context", EngineKeyNameTable()));
}

} // namespace
