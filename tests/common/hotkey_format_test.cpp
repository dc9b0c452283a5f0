#include <gtest/gtest.h>
#include "HotkeyFormat.h"
#include "HostKeyText.h"

namespace {

std::wstring Modifiers(BYTE modifiers, bool withSides)
{
    std::wstring text;
    FormatHotkeyModifiers(modifiers, withSides, text);
    return text;
}

std::wstring Host(const WCHAR* hostKey, const WCHAR* before = L"")
{
    std::wstring text = before;
    TranslateHostKey(hostKey, text);
    return text;
}

TEST(HotkeyFormat, ModifiersInFixedOrder)
{
    EXPECT_EQ(Modifiers(0xFF, false), L"Win+Alt+Ctrl+Shift+");
    EXPECT_EQ(Modifiers(HotkeyRShift | HotkeyLCtrl, false), L"Ctrl+Shift+");
    EXPECT_EQ(Modifiers(HotkeyRShift | HotkeyLCtrl, true), L"LCtrl+RShift+");
    EXPECT_EQ(Modifiers(HotkeyCtrl | HotkeyRWin, true), L"RWin+LCtrl+RCtrl+");
    EXPECT_EQ(Modifiers(0, true), L"");
}

TEST(HotkeyFormat, CodesReadBackByTheParser)
{
    EXPECT_EQ(FormatHotkeyCode(0x6674, false), L"Ctrl+Shift+F5");
    EXPECT_EQ(FormatHotkeyCode(0x0674, true), L"LCtrl+LShift+F5");
    EXPECT_EQ(FormatHotkeyCode(0x4400, false), L"Ctrl+");
    EXPECT_EQ(FormatHotkeyCode(0x00E2, false), L"|");
    EXPECT_EQ(FormatHotkeyCode(VK_CLEAR, false), L"NUM5");

    // Keys with fixed names, letters and digits come back as the same code
    // through the engine's table, with and without sides.
    BYTE keys[] = {VK_BACK, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_INSERT, VK_DELETE, VK_APPS,
                   VK_NUMPAD0, VK_NUMPAD9, VK_MULTIPLY, VK_ADD, VK_SUBTRACT, VK_DECIMAL,
                   VK_DIVIDE, VK_SCROLL, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS,
                   VK_OEM_PERIOD, 'A', 'Q', '0', '9', VK_F1, VK_F12};
    for (BYTE key : keys) {
        for (BYTE mods : {BYTE(0), BYTE(0x66), BYTE(0x81)}) {
            HotkeyCode code = MakeHotkeyCode(mods, key);
            std::wstring text = FormatHotkeyCode(code, mods == 0x81);
            HotkeyCode back = 0;
            EXPECT_TRUE(ParseHotkeyText(text.c_str(), EngineKeyNameTable(), &back)) << testing::PrintToString(text);
            EXPECT_EQ(back, code) << testing::PrintToString(text);
        }
    }
}

TEST(HotkeyFormat, EveryCaptureKeyReadsBackWithTheEngineTable)
{
    // Keys the table names are written in its English words, whatever the
    // layout calls them; Clear keeps "NUM5", the number pad's 5.
    EXPECT_EQ(FormatHotkeyCode(VK_RETURN, false), L"Enter");
    EXPECT_EQ(FormatHotkeyCode(VK_F13, false), L"F13");
    EXPECT_EQ(FormatHotkeyCode(VK_PAUSE, false), L"Pause");
    EXPECT_EQ(FormatHotkeyCode(VK_HOME, false), L"Home");
    int named = 0;
    for (int key = 1; key < 256; ++key) {
        if (!IsCaptureKey(BYTE(key)))
            continue;
        std::wstring text = FormatHotkeyCode(MakeHotkeyCode(HotkeyCtrl, BYTE(key)), false);
        if (text == L"Ctrl+")
            continue; // no name at all (the separator key): never captured
        ++named;
        HotkeyCode back = 0;
        EXPECT_TRUE(ParseHotkeyText(text.c_str(), EngineKeyNameTable(), &back)) << testing::PrintToString(text);
        EXPECT_EQ(HotkeyKey(back), key == VK_CLEAR ? VK_NUMPAD5 : key) << testing::PrintToString(text);
        EXPECT_EQ(text.find(L'\0'), std::wstring::npos) << key;
    }
    EXPECT_GE(named, 100);
}

TEST(HotkeyFormat, CaptureKeys)
{
    for (BYTE key : {BYTE('A'), BYTE('Z'), BYTE('5'), BYTE(VK_NUMPAD0), BYTE(VK_DIVIDE), BYTE(VK_CLEAR),
                     BYTE(VK_PAUSE), BYTE(VK_SPACE), BYTE(VK_DOWN), BYTE(VK_APPS), BYTE(VK_F24),
                     BYTE(VK_SCROLL), BYTE(VK_OEM_1), BYTE(VK_OEM_3), BYTE(VK_OEM_4),
                     BYTE(VK_OEM_7), BYTE(VK_OEM_102)})
        EXPECT_TRUE(IsCaptureKey(key)) << int(key);
    for (BYTE key : {BYTE(VK_SHIFT), BYTE(VK_LCONTROL), BYTE(VK_RMENU), BYTE(VK_LWIN),
                     BYTE(VK_NUMLOCK), BYTE(VK_CAPITAL), BYTE(VK_SNAPSHOT), BYTE(0xC1),
                     BYTE(VK_OEM_8), BYTE(0)})
        EXPECT_FALSE(IsCaptureKey(key)) << int(key);
}

TEST(HostKeyText, WacsLettersAndOemNames)
{
    EXPECT_EQ(Host(L"CS+F1"), L"Ctrl+Shift+F1");
    EXPECT_EQ(Host(L"F5"), L"F5");
    EXPECT_EQ(Host(L"CA+X"), L"Alt+Ctrl+X");
    EXPECT_EQ(Host(L" S C A W + Z "), L"Win+Alt+Ctrl+Shift+Z");
    EXPECT_EQ(Host(L"S+E", L"Win+"), L"Win+Shift+E");
    EXPECT_EQ(Host(L"A+OEM_."), L"Alt+Dot");
    EXPECT_EQ(Host(L"OEM_+"), L"Plus");
    EXPECT_EQ(Host(L"C+OEM_+"), L"Ctrl+Plus");
    EXPECT_EQ(Host(L"C+OEM_US\\|"), L"Ctrl+|");
    EXPECT_EQ(Host(L"A+OEM_<\\>}"), L"Alt+\\");
    EXPECT_EQ(Host(L"CS+OEM_.+OEM_."), L"Ctrl+Shift+Dot+OEM_.");
    EXPECT_EQ(Host(nullptr, L"x"), L"x");

    // Translated texts parse as the same hotkeys.
    HotkeyCode code = 0;
    EXPECT_TRUE(ParseHotkeyText(Host(L"CS+F1").c_str(), SettingsKeyNameTable(), &code));
    EXPECT_EQ(code, 0x6670u);
    EXPECT_TRUE(ParseHotkeyText(Host(L"AC+OEM_,").c_str(), SettingsKeyNameTable(), &code));
    EXPECT_EQ(code, 0x55BCu);
}

} // namespace
