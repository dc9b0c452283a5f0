// The command executor against a fake engine and fake features: a command
// that throws leaves no command running, so later hotkeys run and a reload
// (also one held while the command ran) is not kept back.
#include <gtest/gtest.h>
#include <stdexcept>
#include "CommandExec.h"
#include "FakeEngine.h"

namespace {

class CFakeTargets : public CCommandTargets {
public:
    int runs = 0;
    bool throwNext = false;
    CCommandExecutor* holdReloadIn = nullptr;

    int SpecialKeyFilter(const HotkeyEntry&, HWND) override { return SpecialKeyRunSwallow; }
    void OnKeyUp(bool) override {}
    bool NextQuickViewApplies() override { return true; }
    int RunAutoCompletion(HWND) override { return 0; }
    int RunFeatureCommand(UINT) override
    {
        ++runs;
        if (holdReloadIn)
            holdReloadIn->HoldReload();
        if (throwNext) {
            throwNext = false;
            throw std::runtime_error("command failed");
        }
        return 1;
    }
    bool IsDriveListFocus(HWND) override { return false; }
    HWND DriveComboWindow(int) override { return nullptr; }
};

bool ReloadPosted(HWND dispatcher)
{
    MSG message;
    return PeekMessageW(&message, dispatcher, WM_APP + 77, WM_APP + 77, PM_REMOVE) != FALSE;
}

TEST(CommandExecutor, ACommandThatThrowsLeavesNothingRunning)
{
    // Each way into an engine command; the feature throws once.
    struct Case {
        const char* name;
        void (*run)(CCommandExecutor&, CFakeEngine&);
    };
    const Case cases[] = {
        {"dispatcher text", [](CCommandExecutor& e, CFakeEngine&) { e.RunTextCommand(CmdStickIt, L""); }},
        {"hotkey", [](CCommandExecutor& e, CFakeEngine&) { e.ExecuteHotkey(0, true); }},
        {"deferred hotkey", [](CCommandExecutor& e, CFakeEngine& f) { e.RunDeferredHotkey(0, f.hotkeys.Generation()); }},
    };
    for (const Case& c : cases) {
        for (bool held : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (held ? ", reload held" : ""));
            CFakeEngine engine;
            CFakeTargets targets;
            CCommandExecutor executor(engine, targets);
            engine.commands = &executor;
            ASSERT_TRUE(engine.hotkeys.AddHotkey(L"Ctrl+Q", CmdStickIt, nullptr, 0));
            targets.throwNext = true;
            targets.holdReloadIn = held ? &executor : nullptr;
            EXPECT_THROW(c.run(executor, engine), std::runtime_error);
            EXPECT_FALSE(executor.IsCommandRunning());
            // A reload held by the failed command is posted all the same.
            EXPECT_EQ(held, ReloadPosted(engine.Dispatcher()));
            targets.holdReloadIn = nullptr;
            EXPECT_FALSE(executor.HoldReload()) << "a reload now runs at once";
            EXPECT_EQ(1, executor.ExecuteHotkey(0, true)) << "the next hotkey runs";
            EXPECT_EQ(2, targets.runs);
        }
    }
}

TEST(CommandExecutor, PanelOperationsPassTheirKeyAndMenuIdsAreNoCommands)
{
    CFakeEngine engine;
    CFakeTargets targets;
    CCommandExecutor executor(engine, targets);
    engine.commands = &executor;
    ASSERT_TRUE(engine.hotkeys.AddHotkey(L"Ctrl+Q", CmdPanelOperationLeft, nullptr, 0));
    ASSERT_TRUE(engine.hotkeys.AddHotkey(L"Ctrl+W", CmdPanelOperationRight, nullptr, 0));
    EXPECT_EQ(0, executor.ExecuteHotkey(0, true));
    EXPECT_EQ(0, executor.ExecuteHotkey(1, true));
    for (UINT menuOnly : {65500u, 65521u})
        EXPECT_EQ(0, executor.ExecuteEngineCommand(menuOnly)) << menuOnly;
    EXPECT_EQ(0, targets.runs);
}

} // namespace
