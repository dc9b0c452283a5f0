// The engine's side of the module loader's host interface: settings, windows
// and focus classes of the running engine, the module hotkeys as the tail of
// the engine's hotkey table, and the engine's thread timers.
#pragma once
#include <windows.h>
#include "ModuleHost.h"

class CEngineContext;

class CEngineModuleHost : public CModuleHost {
public:
    explicit CEngineModuleHost(CEngineContext& engine) : m_engine(engine) {}

    LPCWSTR SettingsFile() override;
    LPCWSTR EngineFolder() override;
    bool PluginsEnabled() override;

    HWND MainWindow() override;
    HWND FileList(int side) override;
    HWND TabControl(int side) override;
    CString PanelPath(int side) override;
    UINT ClassifyFocus(HWND window) override;

    bool AddModuleHotkey(LPCWSTR hotkeyText, UINT commandNumber) override;
    void RemoveModuleHotkeys() override;

    bool StartTimer(EngineTimer kind, UINT elapse) override;
    void KillTimer(EngineTimer kind) override;

private:
    CEngineContext& m_engine;
    // Index of the first module hotkey in the table, -1 while there is none,
    // and the table generation it belongs to: a table cleared since then
    // holds none of them any more.
    int m_firstHotkey = -1;
    UINT m_generation = 0;
};
