// A stand-in for the running engine: the records, an empty panel set, a
// hotkey table the test fills, a module loader without modules and a
// message-only window as the dispatcher. Services do nothing.
#pragma once
#include <windows.h>
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "HostTreeSnapshot.h"
#include "MenuHotkeyTexts.h"
#include "ModuleTestHost.h"
#include "PanelObjects.h"

// Features that take no part in the executor's key handling.
class CNoTargets : public CCommandTargets {
public:
    int SpecialKeyFilter(const HotkeyEntry&, HWND) override { return 0; }
    void OnKeyUp(bool) override {}
    bool NextQuickViewApplies() override { return false; }
    int RunAutoCompletion(HWND) override { return 0; }
    int RunFeatureCommand(UINT) override { return 0; }
    bool IsDriveListFocus(HWND) override { return false; }
    HWND DriveComboWindow(int) override { return nullptr; }
};

class CFakeEngine : public CEngineContext {
public:
    CFakeEngine() : m_dispatcher(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~CFakeEngine() override { DestroyWindow(m_dispatcher); }

    CKeyApprentice hotkeys;
    CCommandExecutor* commands = nullptr;

    const EnginePaths& Paths() const override { return m_paths; }
    const HostValues& Host() const override { return m_host; }
    const EngineSettings& Settings() const override { return m_settings; }
    EngineSettings& Settings() override { return m_settings; }
    const HostTreeSnapshot& Tree() const override { return m_tree; }
    CPanelObjects& Panels() override { return m_panels; }
    CKeyApprentice& Hotkeys() override { return hotkeys; }
    const CMenuHotkeyTexts& MenuHotkeyTexts() const override { return m_texts; }
    CCommandExecutor& Commands() override { return *commands; }
    CModuleLoader& Modules() override { return m_modules; }
    HINSTANCE EngineInstance() const override { return GetModuleHandleW(nullptr); }
    HWND Dispatcher() const override { return m_dispatcher; }
    UINT ReloadMessage() const override { return WM_APP + 77; }
    bool BroadcastSettingsReload() const override { return true; }
    int HostCommandNumber(LPCWSTR) const override { return 0; }
    CString LoadText(int) const override { return CString(); }
    UINT_PTR StartTimer(EngineTimer, UINT_PTR, UINT) override { return 0; }
    void KillTimer(EngineTimer, UINT_PTR) override {}
    bool IsTimerRunning(EngineTimer, UINT_PTR) const override { return false; }
    int AttachPanels() override { return 0; }
    void StopEngine() override {}
    void UnloadEngine() override {}
    void ReloadEngine() override {}

private:
    HWND m_dispatcher;
    EnginePaths m_paths;
    HostValues m_host;
    EngineSettings m_settings;
    HostTreeSnapshot m_tree = {};
    CPanelObjects m_panels;
    CMenuHotkeyTexts m_texts;
    CTestModuleHost m_moduleHost;
    CModuleLoader m_modules{m_moduleHost};
};
