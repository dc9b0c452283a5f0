// What the module loader needs from the rest of the engine. The engine
// implements this class once and hands it to CModuleLoader; tests give their
// own windows and a small hotkey table.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "EngineTimer.h"

class CModuleHost {
public:
    virtual ~CModuleHost() {}

    // "Merovin.ini" beside the engine.
    virtual LPCWSTR SettingsFile() = 0;
    // The engine folder, with its trailing "\".
    virtual LPCWSTR EngineFolder() = 0;
    // [Config] "EnablePlugins" of the current start.
    virtual bool PluginsEnabled() = 0;

    // The host main window.
    virtual HWND MainWindow() = 0;
    // The left (0) or right (1) file list window; null while it is not known.
    virtual HWND FileList(int side) = 0;
    // The folder-tab control window of a side; null when the side has no tab object.
    virtual HWND TabControl(int side) = 0;
    // The path shown in a side's path bar, for the notices at list load.
    virtual CString PanelPath(int side) = 0;
    // The focus classes of a window; bit 4 (value 4) marks the host's edit classes.
    virtual UINT ClassifyFocus(HWND window) = 0;

    // Appends a module hotkey to the hotkey table (after every other entry);
    // false when the text does not parse.
    virtual bool AddModuleHotkey(LPCWSTR hotkeyText, UINT commandNumber) = 0;
    // Removes every entry that AddModuleHotkey added; the other entries stay.
    virtual void RemoveModuleHotkeys() = 0;

    // Starts (or restarts) an engine thread timer with its system-given id
    // kept by the engine; when it fires the engine calls the loader's handler
    // (CModuleLoader::OnSelectionRestoreTimer for EngineTimer::SelectionRestore).
    virtual bool StartTimer(EngineTimer kind, UINT elapse) = 0;
    virtual void KillTimer(EngineTimer kind) = 0;
};
