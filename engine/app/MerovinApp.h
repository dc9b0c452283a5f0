// The engine's application object: the one engine state, its start-up,
// teardown, reload and unload. The rest of the engine sees it only as its
// CEngineContext.
#pragma once
#include <windows.h>
#include <atomic>
#include "Framework.h"
#include "CommandExec.h"
#include "DispWnd.h"
#include "EngineContext.h"
#include "EngineHooks.h"
#include "EngineModuleHost.h"
#include "EngineSettings.h"
#include "EngineTimers.h"
#include "FeatureWiring.h"
#include "HostAttach.h"
#include "HostCommands.h"
#include "MenuHotkeyTexts.h"
#include "ModuleLoader.h"

const int EnginePathLength = 1024;

class CMerovinApp : public CWinApp, public CEngineContext {
public:
    CMerovinApp();
    ~CMerovinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The start-up sequence; `defaultIni` is the host's default INI path, or
    // null on a reload. Returns 1.
    int StartEngine(LPCWSTR defaultIni);
    // True when the focus is inside the host's configuration dialog or the
    // plug-in configuration form.
    static bool IsHostConfigDialogOpen();
    bool IsRunning() const { return m_running; }
    // "key=value" lines of the engine's state, for tests and diagnostics.
    CString DebugDump() const;
    // The window watcher's work for one message sent to a window of the thread.
    void OnWatchedMessage(const CWPSTRUCT& sent);
    // The dispatcher's panel refresh: `what` 0 the file list, 2 the tabs of `side`.
    void RefreshPanel(int side, int what) { m_attach.RefreshPanel(side, what); }
    // A message the get-message hook saw.
    void OnGetMessage(MSG& message);
    // The features, for the engine's exports.
    CFeatureWiring& Features() { return m_features; }

    // CEngineContext
    const EnginePaths& Paths() const override { return m_paths; }
    CString StickyFile() const override;
    const HostValues& Host() const override { return m_host; }
    const EngineSettings& Settings() const override { return m_settings; }
    EngineSettings& Settings() override { return m_settings; }
    const HostTreeSnapshot& Tree() const override { return m_attach.Tree(); }
    CPanelObjects& Panels() override { return m_attach.Panels(); }
    CKeyApprentice& Hotkeys() override { return m_hotkeyTable; }
    const CMenuHotkeyTexts& MenuHotkeyTexts() const override { return m_menuHotkeyTexts; }
    CCommandExecutor& Commands() override { return m_commands; }
    CModuleLoader& Modules() override { return m_modules; }
    CRowMarkSource* RowMarks() override { return &m_features; }
    CListPeers* ListPeers() override { return &m_features; }
    CPathPeers* PathPeers() override { return &m_features; }
    HINSTANCE EngineInstance() const override { return m_hInstance; }
    HWND Dispatcher() const override { return m_dispWnd.GetSafeHwnd(); }
    UINT ReloadMessage() const override { return m_reloadMessage; }
    bool BroadcastSettingsReload() const override;
    int HostCommandNumber(LPCWSTR name) const override { return m_hostCommands.Number(name); }
    CString LoadText(int id) const override;
    UINT_PTR StartTimer(EngineTimer kind, UINT_PTR key, UINT elapse) override;
    void KillTimer(EngineTimer kind, UINT_PTR key = 0) override { m_timers.Kill(kind, key); }
    bool IsTimerRunning(EngineTimer kind, UINT_PTR key = 0) const override { return m_timers.IsRunning(kind, key); }
    int AttachPanels() override;
    // Undoes everything start-up and attaching acquired; the engine can start again.
    void StopEngine() override;
    // StopEngine, then the self-pin is released 100 ms later unless the host's
    // configuration dialog is open.
    void UnloadEngine() override;
    // StopEngine and StartEngine without a default path. May run inside the
    // dispatcher's own handler, which it destroys.
    void ReloadEngine() override;

private:
    static VOID CALLBACK EngineTimerProc(HWND, UINT, UINT_PTR id, DWORD);
    static DWORD WINAPI UnloadThreadProc(LPVOID pin);

    // Start-up steps.
    void BuildTitle();
    void ReadDesktopName();
    void FindHostIni(LPCWSTR defaultIni);
    HWND FindHostMainWindow() const;
    void LoadUser32();
    void BuildOwnPaths();
    void CreateDispatcher();
    void LoadHostCommands();
    void ReadEngineSettings();
    void ReadHostValues();
    void ReadHostVersion();
    void InstallHooks();
    void BuildKeyboardTable();
    // Teardown steps.
    void ClearKeyboardTable();

    HMODULE m_selfPin = nullptr;
    HMODULE m_user32 = nullptr;
    CString m_title;
    EnginePaths m_paths;
    // Held while the sticky file's path is written and copied: the columns
    // read it on the host's other threads.
    mutable CRITICAL_SECTION m_pathLock;
    HostValues m_host;
    EngineSettings m_settings;
    CHostCommandTable m_hostCommands;
    // The hotkey table and the hotkey texts the engine menu shows.
    CKeyApprentice m_hotkeyTable;
    CMenuHotkeyTexts m_menuHotkeyTexts;
    // Where the features plug into start-up, teardown and the commands.
    CFeatureWiring m_features{*this};
    CCommandExecutor m_commands{*this, m_features};
    CDispWnd m_dispWnd{*this};
    CEngineHooks m_hooks;
    CEngineTimers m_timers;
    // The modules of "PluginList" and the engine's side of their host interface.
    CEngineModuleHost m_moduleHost{*this};
    CModuleLoader m_modules{m_moduleHost};
    // The host's window tree and the engine's objects on it.
    CHostAttach m_attach{*this};

    UINT m_reloadMessage = 0; // 0: none (never matched, never broadcast)
    bool m_reloadFailureReported = false;
    std::atomic<bool> m_running{false}; // read by the columns on any thread
};

extern CMerovinApp theApp;
