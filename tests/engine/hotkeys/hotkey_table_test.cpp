#include <gtest/gtest.h>
#include "HotkeyTable.h"
#include <array>
#include <initializer_list>
#include <string>

namespace {

typedef std::array<BYTE, 256> KeyState;

// A keyboard state with the given keys down.
KeyState Down(std::initializer_list<BYTE> keys)
{
    KeyState state{};
    for (BYTE key : keys)
        state[key] = 0x80;
    return state;
}

// Index of the match for an event of key `vk` with `held` down.
int Find(const CKeyApprentice& table, UINT vk, std::initializer_list<BYTE> held)
{
    KeyState state = Down(held);
    return table.FindHotkey(vk, state.data());
}

TEST(HotkeyTable, AddKeepsOrderAndRefusesBadTexts)
{
    CKeyApprentice table;
    EXPECT_TRUE(table.AddHotkey(L"Ctrl+Shift+F5", 524, nullptr, 0));
    EXPECT_TRUE(table.AddNamedHotkey(L"Ctrl+U", L"em_foo"));
    EXPECT_TRUE(table.AddHotkey(L"ESC", 2001, nullptr, 1));
    // Refused: an unknown token, a token after the key, and texts without a key.
    for (const WCHAR* text : {L"Foo+A", L"A+Ctrl", L"Ctrl+", L"Ctrl+Ctrl", L"", L"+"})
        EXPECT_FALSE(table.AddHotkey(text, 1, nullptr, 0)) << testing::PrintToString(std::wstring(text));
    EXPECT_FALSE(table.AddHotkey(nullptr, 1, nullptr, 0));
    ASSERT_EQ(table.GetCount(), 3);

    const HotkeyEntry* first = table.Entry(0);
    EXPECT_EQ(first->code, 0x6674u);
    EXPECT_EQ(first->command, 524u);
    EXPECT_EQ(first->fixed, 0u);
    EXPECT_STREQ(first->name, L"");
    EXPECT_STREQ(first->text, L"Ctrl+Shift+F5");
    EXPECT_EQ(table.Entry(1)->command, 0u);
    EXPECT_STREQ(table.Entry(1)->name, L"em_foo");
    EXPECT_EQ(table.Entry(2)->fixed, 1u);
    EXPECT_EQ(table.Entry(3), nullptr);
    EXPECT_EQ(table.Entry(-1), nullptr);
}

TEST(HotkeyTable, LongTextsAndNamesAreCutToTheirFields)
{
    CKeyApprentice table;
    // Empty tokens are skipped, so this long text still parses as Ctrl+A.
    std::wstring text = L"Ctrl" + std::wstring(300, L'+') + L"A";
    std::wstring name = L"em_" + std::wstring(197, L'x');
    ASSERT_TRUE(table.AddHotkey(text.c_str(), 0, name.c_str(), 0));
    const HotkeyEntry* entry = table.Entry(0);
    EXPECT_EQ(entry->code, 0x4441u);
    EXPECT_EQ(std::wstring(entry->text), text.substr(0, HotkeyFieldLength - 1));
    EXPECT_EQ(std::wstring(entry->name), name.substr(0, HotkeyFieldLength - 1));
    EXPECT_EQ(entry->text[HotkeyFieldLength - 1], 0);
    EXPECT_EQ(entry->name[HotkeyFieldLength - 1], 0);
}

TEST(HotkeyTable, TextOfCommandTakesTheLastEntryWithoutCase)
{
    CKeyApprentice table;
    table.AddNamedHotkey(L"Ctrl+U", L"em_foo");
    table.AddHotkey(L"F2", 2002, nullptr, 0);
    table.AddNamedHotkey(L"Alt+U", L"EM_Foo");
    EXPECT_STREQ(table.HotkeyTextOfCommand(L"em_FOO"), L"Alt+U");
    EXPECT_EQ(table.HotkeyTextOfCommand(L"em_bar"), nullptr);
    EXPECT_EQ(table.HotkeyTextOfCommand(L""), nullptr); // entries bound by number have no name
    EXPECT_EQ(table.HotkeyTextOfCommand(nullptr), nullptr);
}

TEST(HotkeyTable, ClearStartsANewGeneration)
{
    CKeyApprentice table;
    table.AddHotkey(L"F2", 2002, nullptr, 0);
    UINT before = table.Generation();
    EXPECT_EQ(table.Entry(0, before)->command, 2002u);

    table.ClearHotkeys();
    EXPECT_EQ(table.GetCount(), 0);
    table.AddHotkey(L"F3", 2003, nullptr, 0);
    // An index taken before the rebuild names nothing, though index 0 exists again.
    EXPECT_EQ(table.Entry(0, before), nullptr);
    EXPECT_EQ(table.Entry(0, table.Generation())->command, 2003u);
    EXPECT_EQ(table.Entry(1, table.Generation()), nullptr);
}

TEST(HotkeyTable, RemoveFromDropsTheTailOnly)
{
    CKeyApprentice table;
    table.AddHotkey(L"F2", 2002, nullptr, 0);
    table.AddHotkey(L"Ctrl+Q", 65499, nullptr, 0);
    table.AddHotkey(L"Ctrl+W", 65498, nullptr, 0);
    UINT before = table.Generation();

    // Outside the table: nothing goes and posted indexes stay valid.
    table.RemoveFrom(3);
    table.RemoveFrom(-1);
    EXPECT_EQ(table.GetCount(), 3);
    EXPECT_EQ(table.Generation(), before);

    table.RemoveFrom(1);
    ASSERT_EQ(table.GetCount(), 1);
    EXPECT_EQ(table.Entry(0)->command, 2002u);
    EXPECT_NE(table.Generation(), before);
    // The same tail added again is found, and an index posted before names nothing.
    table.AddHotkey(L"Ctrl+Q", 65499, nullptr, 0);
    EXPECT_EQ(table.Entry(1, before), nullptr);
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    EXPECT_EQ(table.FindHotkey('Q', state), 1);
    EXPECT_EQ(table.FindHotkey('W', state), HotkeyNotFound);

    table.RemoveFrom(0);
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.FindHotkey('Q', state), HotkeyNotFound);
}

TEST(HotkeyMatcher, ModifierWithoutSideMatchesEitherSide)
{
    CKeyApprentice table;
    table.AddHotkey(L"Ctrl+Shift+F5", 1, nullptr, 0);
    EXPECT_EQ(Find(table, VK_F5, {VK_LCONTROL, VK_LSHIFT}), 0);
    EXPECT_EQ(Find(table, VK_F5, {VK_RCONTROL, VK_RSHIFT}), 0);
    EXPECT_EQ(Find(table, VK_F5, {VK_LCONTROL, VK_RCONTROL, VK_LSHIFT}), 0);
    EXPECT_EQ(Find(table, VK_F5, {VK_LCONTROL, VK_LSHIFT, VK_LMENU}), HotkeyNotFound);
    EXPECT_EQ(Find(table, VK_F5, {VK_LCONTROL, VK_LSHIFT, VK_RWIN}), HotkeyNotFound);
    EXPECT_EQ(Find(table, VK_F5, {VK_LCONTROL}), HotkeyNotFound);
    EXPECT_EQ(Find(table, VK_F6, {VK_LCONTROL, VK_LSHIFT}), HotkeyNotFound);
}

TEST(HotkeyMatcher, SidedModifierNeedsThatSide)
{
    CKeyApprentice table;
    table.AddHotkey(L"LCtrl+X", 1, nullptr, 0);
    table.AddHotkey(L"RAlt+X", 2, nullptr, 0);
    table.AddHotkey(L"Alt+Y", 3, nullptr, 0);
    EXPECT_EQ(Find(table, 'X', {VK_LCONTROL}), 0);
    EXPECT_EQ(Find(table, 'X', {VK_RCONTROL}), HotkeyNotFound);
    EXPECT_EQ(Find(table, 'X', {VK_LCONTROL, VK_RCONTROL}), HotkeyNotFound);
    EXPECT_EQ(Find(table, 'X', {VK_RMENU}), 1);
    EXPECT_EQ(Find(table, 'X', {VK_LMENU}), HotkeyNotFound);
    EXPECT_EQ(Find(table, 'Y', {VK_LMENU}), 2);
    EXPECT_EQ(Find(table, 'Y', {VK_RMENU}), 2);
    EXPECT_EQ(Find(table, 'Y', {VK_LMENU, VK_RMENU}), 2);
}

TEST(HotkeyMatcher, KeyWithoutModifiersFailsWhileAnyModifierIsHeld)
{
    CKeyApprentice table;
    table.AddHotkey(L"F5", 1, nullptr, 0);
    EXPECT_EQ(Find(table, VK_F5, {}), 0);
    for (BYTE modifier : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
        EXPECT_EQ(Find(table, VK_F5, {modifier}), HotkeyNotFound) << int(modifier);
}

TEST(HotkeyMatcher, NumberPadFiveMatchesClear)
{
    CKeyApprentice table;
    table.AddHotkey(L"Ctrl+NUM5", 1, nullptr, 0);
    EXPECT_EQ(Find(table, VK_CLEAR, {VK_CLEAR, VK_LCONTROL}), 0);
    EXPECT_EQ(Find(table, VK_NUMPAD5, {VK_NUMPAD5, VK_RCONTROL}), 0);
    EXPECT_EQ(Find(table, VK_CLEAR, {VK_CLEAR}), HotkeyNotFound);
    EXPECT_TRUE(table.BindsKey(VK_CLEAR));
    // Only the number pad's 5 stands for VK_CLEAR.
    CKeyApprentice other;
    other.AddHotkey(L"Ctrl+5", 1, nullptr, 0);
    EXPECT_EQ(Find(other, VK_CLEAR, {VK_CLEAR, VK_LCONTROL}), HotkeyNotFound);
}

TEST(HotkeyMatcher, FirstAddedOfEqualHotkeysWins)
{
    CKeyApprentice table;
    table.AddHotkey(L"Ctrl+A", 1, nullptr, 0);
    table.AddHotkey(L"LCtrl+A", 2, nullptr, 0);
    table.AddHotkey(L"CTRL+a", 3, nullptr, 0);
    EXPECT_EQ(Find(table, 'A', {VK_LCONTROL}), 0);
    EXPECT_EQ(Find(table, 'A', {VK_RCONTROL}), 0);

    CKeyApprentice sided;
    sided.AddHotkey(L"LCtrl+A", 2, nullptr, 0);
    sided.AddHotkey(L"Ctrl+A", 1, nullptr, 0);
    EXPECT_EQ(Find(sided, 'A', {VK_LCONTROL}), 0);
    EXPECT_EQ(Find(sided, 'A', {VK_RCONTROL}), 1);
}

// The event's key decides, not which keys the state shows down: a held bound
// key does not fire again when another key goes down, and a state that does
// not yet show the event's key (as in a thread hook under Wine) still matches.
TEST(HotkeyMatcher, MatchesTheEventKeyOnly)
{
    CKeyApprentice table;
    table.AddHotkey(L"X", 2001, nullptr, 0);
    table.AddHotkey(L"Ctrl+F8", 2002, nullptr, 0);
    EXPECT_EQ(Find(table, 'X', {'X'}), 0);
    EXPECT_EQ(Find(table, VK_F8, {'X', VK_F8}), HotkeyNotFound);
    EXPECT_EQ(Find(table, VK_F8, {'X', VK_F8, VK_LCONTROL}), 1);
    EXPECT_EQ(Find(table, 'X', {}), 0);
    EXPECT_EQ(Find(table, 0x158, {}), HotkeyNotFound); // not a virtual key
    // Whether a key is bound at all, whatever its modifiers.
    for (UINT vk : {UINT('X'), UINT(VK_F8)})
        EXPECT_TRUE(table.BindsKey(vk)) << vk;
    for (UINT vk : {UINT(VK_F9), UINT(VK_CLEAR), 0x158u})
        EXPECT_FALSE(table.BindsKey(vk)) << vk;
}

TEST(HotkeyMatcher, EmptyTableAndThreadState)
{
    CKeyApprentice table;
    EXPECT_EQ(table.FindHotkey(VK_F5, nullptr), HotkeyNotFound);
    table.AddHotkey(L"F5", 1, nullptr, 0);
    // This thread has no keyboard input: its own state has no modifier down.
    EXPECT_EQ(table.FindHotkey(VK_F5, nullptr), 0);
    EXPECT_EQ(table.FindHotkey(VK_F6, nullptr), HotkeyNotFound);
}

TEST(HotkeyMatcher, PressedModifiersAndFillIn)
{
    KeyState state = Down({VK_LSHIFT, VK_RCONTROL, VK_RMENU, VK_LWIN, VK_SHIFT, VK_CONTROL});
    EXPECT_EQ(PressedModifiers(state.data()), HotkeyLShift | HotkeyRCtrl | HotkeyRAlt | HotkeyLWin);
    // The generic codes alone give nothing: only the sided ones count.
    EXPECT_EQ(PressedModifiers(Down({VK_SHIFT, VK_CONTROL, VK_MENU}).data()), 0);
    state = KeyState{};
    state[VK_LCONTROL] = 0x01; // toggled, not down
    EXPECT_EQ(PressedModifiers(state.data()), 0);

    EXPECT_TRUE(ModifiersMatch(HotkeyCtrl | HotkeyLAlt, HotkeyRCtrl | HotkeyLAlt));
    EXPECT_FALSE(ModifiersMatch(HotkeyCtrl | HotkeyLAlt, HotkeyRCtrl | HotkeyRAlt));
    EXPECT_FALSE(ModifiersMatch(HotkeyCtrl, 0));
    EXPECT_TRUE(ModifiersMatch(0, 0));
}

} // namespace
