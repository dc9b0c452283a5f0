// The special-key filter of the fixed bindings: the Esc sequence, Back and
// Ctrl+PgUp at a drive's root, End; the Esc counter counts every press once,
// also when the low-level hook defers the command.
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

// Focus in the left list of `path`; `flags`: u GotoUpFromRoot, e ESCSpecial,
// d drive menu open, o an edit box outside the host, n no list focused.
SpecialKeyInput In(const char* flags, int selected = 0, int height = 16, LPCWSTR path = L"C:\\Dir")
{
    SpecialKeyInput in;
    in.gotoUpFromRoot = strchr(flags, 'u') != nullptr;
    in.escSpecial = strchr(flags, 'e') != nullptr;
    in.driveListOpen = strchr(flags, 'd') != nullptr;
    in.editOutsideHost = strchr(flags, 'o') != nullptr;
    in.listSide = strchr(flags, 'n') ? -1 : 0;
    in.selectedCount = selected;
    in.itemHeight = height;
    in.path = path;
    return in;
}

} // namespace

TEST(SpecialKeyFilter, Outcomes)
{
    const HotkeyEntry esc = Entry(0, VK_ESCAPE), back = Entry(0, VK_BACK), end = Entry(0, VK_END);
    struct Case {
        const char* name;
        HotkeyEntry entry;
        SpecialKeyInput in;
        std::vector<int> answers; // one per press, from a count of 0
        int countAfter;
    } cases[] = {
        {"Esc, short rows", esc, In("e"), {2, 2, 0, 2, 0}, 5},
        {"Esc, tall rows", esc, In("e", 0, 49), {2, 1, 0, 1, 0}, 5},
        {"Esc with a selection", esc, In("e", 3), {1, 1}, 2},
        {"Esc outside the lists", esc, In("en"), {2, 2}, 0},
        {"Esc while the drive menu is open", esc, In("ed"), {2}, 0},
        {"ESCSpecial off", esc, In(""), {1}, 0},
        {"not a fixed binding", Entry(0, VK_ESCAPE, 0), In("e"), {3}, 0},
        {"Back at a root", back, In("ue", 0, 16, L"C:"), {1}, 0},
        {"Ctrl+PgUp at a root", Entry(HotkeyCtrl, VK_PRIOR), In("u", 0, 16, L"D:"), {1}, 0},
        {"Back in a folder", back, In("u"), {2}, 0},
        {"Back outside the lists", back, In("un", 0, 16, L"C:"), {2}, 0},
        {"Esc with GotoUpFromRoot goes on", esc, In("ue", 0, 16, L"C:"), {2, 2, 0}, 3},
        {"End outside a host dialog", end, In(""), {2}, 0},
        {"End in a host dialog's edit box", end, In("o"), {0}, 0},
    };
    for (const Case& c : cases) {
        int count = 0;
        for (size_t press = 0; press < c.answers.size(); ++press) {
            SpecialKeyAction action;
            EXPECT_EQ(c.answers[press], FilterSpecialKey(c.entry, c.in, count, action)) << c.name << " #" << press;
            bool restores = c.answers[press] == 0 && HotkeyKey(c.entry.code) == VK_ESCAPE;
            EXPECT_EQ(restores, action == SpecialKeyRestoreSelection) << c.name;
        }
        EXPECT_EQ(c.countAfter, count) << c.name;
    }
    int count = 4; // another fixed key ends the sequence
    SpecialKeyAction action;
    EXPECT_EQ(2, FilterSpecialKey(back, In("e"), count, action));
    EXPECT_EQ(0, count);
}

namespace {

class CFilterTargets : public CNoTargets {
public:
    CCommandExecutor* executor = nullptr;
    std::vector<int> answers;
    int SpecialKeyFilter(const HotkeyEntry& entry, HWND) override
    {
        SpecialKeyAction action;
        answers.push_back(FilterSpecialKey(entry, In("e"), executor->m_escCount, action));
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
