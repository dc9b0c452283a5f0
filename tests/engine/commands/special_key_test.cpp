// The special-key filter of the fixed bindings: the Esc sequence, Back and
// Ctrl+PgUp at a drive's root, End, and the Esc counter counting every press
// once when the low-level hook defers the command.
#include <gtest/gtest.h>
#include <vector>
#include "FakeEngine.h"
#include "HotkeyText.h"
#include "SpecialKeyFilter.h"

namespace {

HotkeyEntry Entry(BYTE modifiers, BYTE key, UINT fixed = 1)
{
    HotkeyEntry entry = {};
    entry.fixed = fixed;
    entry.code = MakeHotkeyCode(modifiers, key);
    entry.command = 524;
    return entry;
}

const HotkeyEntry Esc = Entry(0, VK_ESCAPE), Back = Entry(0, VK_BACK), CtrlPgUp = Entry(HotkeyCtrl, VK_PRIOR);

SpecialKeyInput InList(int selected, int height, LPCWSTR path = L"C:\\Dir")
{
    SpecialKeyInput in;
    in.escSpecial = true;
    in.listSide = 0;
    in.selectedCount = selected;
    in.itemHeight = height;
    in.path = path;
    return in;
}

} // namespace

TEST(SpecialKeyFilter, EscSequence)
{
    struct Case {
        const char* name;
        SpecialKeyInput in;
        std::vector<int> answers;
    } cases[] = {
        {"short rows", InList(0, 16), {2, 2, 0, 2, 0}},
        {"tall rows", InList(0, 49), {2, 1, 0, 1, 0}},
        {"selection", InList(3, 16), {1, 1, 1}},
    };
    for (const Case& c : cases) {
        int count = 0;
        for (size_t press = 0; press < c.answers.size(); ++press) {
            SpecialKeyAction action;
            EXPECT_EQ(c.answers[press], FilterSpecialKey(Esc, c.in, count, action)) << c.name << " press " << press;
            bool restores = c.answers[press] == 0;
            EXPECT_EQ(restores ? SpecialKeyRestoreSelection : SpecialKeyNoAction, action) << c.name;
        }
    }
}

TEST(SpecialKeyFilter, OtherRules)
{
    SpecialKeyInput upOn = InList(0, 16, L"C:");
    upOn.gotoUpFromRoot = true;
    SpecialKeyInput upInDir = upOn;
    upInDir.path = L"C:\\Dir";
    SpecialKeyInput upOutside = upOn;
    upOutside.listSide = -1;
    SpecialKeyInput plain = InList(0, 16);
    plain.escSpecial = false;
    SpecialKeyInput driveMenu = InList(0, 16);
    driveMenu.driveListOpen = true;
    SpecialKeyInput endInDialog = plain;
    endInDialog.editOutsideHost = true;
    struct Case {
        const char* name;
        HotkeyEntry entry;
        SpecialKeyInput in;
        int answer;
        int countAfter;
    } cases[] = {
        {"Back at a root", Back, upOn, 1, 5},
        {"Ctrl+PgUp at a root", CtrlPgUp, upOn, 1, 5},
        {"Back in a folder", Back, upInDir, 2, 5},
        {"Back outside the lists", Back, upOutside, 2, 5},
        {"Esc with GotoUpFromRoot goes on to the Esc rule", Esc, upOn, 2, 6},
        {"not a fixed binding", Entry(0, VK_ESCAPE, 0), InList(0, 16), 3, 5},
        {"ESCSpecial off", Esc, plain, 1, 5},
        {"drive menu open", Esc, driveMenu, 2, 5},
        {"another fixed key resets the count", Back, InList(0, 16), 2, 0},
        {"End outside a host dialog", Entry(0, VK_END), plain, 2, 5},
        {"End in a host dialog's edit box", Entry(0, VK_END), endInDialog, 0, 5},
    };
    for (const Case& c : cases) {
        int count = 5;
        SpecialKeyAction action;
        EXPECT_EQ(c.answer, FilterSpecialKey(c.entry, c.in, count, action)) << c.name;
        EXPECT_EQ(c.countAfter, count) << c.name;
    }
}

namespace {

// Features whose filter is the real one over a list without a selection.
class CFilterTargets : public CNoTargets {
public:
    CCommandExecutor* executor = nullptr;
    std::vector<int> answers;

    int SpecialKeyFilter(const HotkeyEntry& entry, HWND) override
    {
        SpecialKeyAction action;
        answers.push_back(FilterSpecialKey(entry, InList(0, 16), executor->m_escCount, action));
        return answers.back();
    }
};

} // namespace

TEST(SpecialKeyFilter, DeferredPressesCountOnce)
{
    CFakeEngine engine;
    CFilterTargets targets;
    CCommandExecutor executor(engine, targets);
    engine.commands = targets.executor = &executor;
    ASSERT_TRUE(engine.hotkeys.AddHotkey(L"Esc", 524, nullptr, 1));
    for (int press = 0; press < 3; ++press) {
        executor.ExecuteHotkey(0, false); // the low-level hook
        executor.RunDeferredHotkey(0, engine.hotkeys.Generation());
    }
    EXPECT_EQ((std::vector<int>{2, 2, 0}), targets.answers);
    EXPECT_EQ(3, executor.m_escCount);
}
