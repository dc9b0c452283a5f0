// The engine's application object: the single engine state, its start-up,
// teardown, reload and unload.
#pragma once
#include <windows.h>
#include "Framework.h"
#include "CommandExec.h"
#include "DispWnd.h"
#include "EngineHelpers.h"
#include "EngineHooks.h"
#include "EngineSettings.h"
#include "EngineTimers.h"
#include "HostCommands.h"
#include "MenuHotkeyTexts.h"
#include "ModuleHostAdapter.h"
#include "ModuleLoader.h"
#include "Attach.h"
#include "PanelObjects.h"
#include "TCInfo.h"
#include "TCWnd.h"

const int EnginePathLength = 1024;

class CMerovinApp : public CWinApp {
    friend class CCommandExecutor; // runs AttachPanels for the drive lists

public:
    CMerovinApp();
    ~CMerovinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The start-up sequence; `defaultIni` is the host's default INI path, or
    // null on a reload. Returns 1.
    int StartEngine(LPCWSTR defaultIni);
    // Undoes everything start-up and attaching acquired; the engine can start again.
    void StopEngine();
    // StopEngine, then the self-pin is released 100 ms later unless the host's
    // configuration dialog is open.
    void UnloadEngine();
    // StopEngine and StartEngine without a default path. May run inside the
    // dispatcher's own handler, which it destroys.
    void ReloadEngine();
    // Posts the reload message to every application; false when there is none.
    bool BroadcastSettingsReload() const;
    // True when the focus is inside the host's configuration dialog or the
    // plug-in configuration form.
    static bool IsHostConfigDialogOpen();

    // The host command number of a "cm_" name from this start's command table.
    int HostCommandNumber(LPCWSTR name) const { return m_hostCommands.Number(name); }
    // An engine text: localisation file, else string resource `resourceId`.
    CString LoadText(int id, UINT resourceId) const;
    // Starts an engine thread timer; all of them end with StopEngine.
    UINT_PTR StartTimer(EngineTimer kind, UINT_PTR key, UINT elapse);
    void KillTimer(EngineTimer kind, UINT_PTR key = 0) { m_timers.Kill(kind, key); }

    UINT GetReloadMessage() const { return m_reloadMessage; }
    bool IsRunning() const { return m_running; }
    // "key=value" lines of the engine's state, for tests and diagnostics.
    CString DebugDump() const;

    // State read by the engine's other parts.
    HMODULE m_selfPin = nullptr;
    HMODULE m_user32 = nullptr;
    PrivateExtractIconsProc m_extractIcons = nullptr;
    CString m_title;
    CString m_desktopName;
    HWND m_hostMain = nullptr;
    CString m_hostIni;
    CString m_userCmdIni;
    CString m_engineFolder; // with its trailing "\"
    CString m_settingsFile; // Merovin.ini
    CString m_bookmarksFile; // Merovin.bkm
    CString m_stickyFile; // Merovin.stk
    CString m_localizationFile;
    CString m_hostCommandFile;
    CHostCommandTable m_hostCommands;
    // The hotkey table, the hotkey texts the engine menu shows, and the
    // executor of hotkeys and commands.
    CKeyApprentice m_hotkeyTable;
    CMenuHotkeyTexts m_menuHotkeyTexts;
    CCommandExecutor m_commands;
    EngineSettings m_settings;
    CDispWnd m_dispWnd;
    CEngineHooks m_hooks;
    CEngineTimers m_timers;
    // The modules of "PluginList" and the engine's side of their host interface.
    CEngineModuleHost m_moduleHost;
    CModuleLoader m_modules{m_moduleHost};

    // The host's window tree and the engine's objects on it (Attach.cpp,
    // WindowWatcher.cpp, TCWnd.cpp).
    CTCInfo64 m_tree; // the live snapshot
    CPanelObjects m_panels;
    CTCWnd m_tcWnd;
    CAttachState m_attach;
    // The engine's drawing of a file list's item; the answer to WM_DRAWITEM.
    LRESULT DrawListItem(CTCWnd& owner, int side, DRAWITEMSTRUCT* item);
    // Whether the host may close now ("CheckCloseTC" with open Listers).
    bool ConfirmHostClose();
    // The window watcher's work for one message sent to a window of the thread.
    void OnWatchedMessage(const CWPSTRUCT& sent);
    // The dispatcher's panel refresh: `what` 0 the file list, 2 the tabs of `side`.
    void RefreshPanel(int side, int what);
    // Re-attaches what the host recreated since the snapshot `old`.
    void ReattachChanged(const HostTreeSnapshot& old);

    // Host values read at start-up.
    int m_dirBrackets = 1;
    int m_sizeStyle = 0;
    COLORREF m_backColor = 0;
    COLORREF m_backColor2 = 0;
    int m_inverseCursor = 0;
    CString m_hostVersion;

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
    void ReadBookmarks();
    void ReadHostValues();
    void ReadFolderRules();
    void InitIconMenu();
    void ReadHostVersion();
    void InstallHooks();
    void AddListerMenuItems();
    void AttachMainWindow();
    int AttachPanels();
    void RunStartupSequence();
    // Parts of ReadEngineSettings.
    int ReadGroupingSettings();
    void BuildKeyboardTable();
    void LoadEngineTexts();
    void ReadDriveListIcons();

    // Teardown steps.
    void RemoveListerMenuItems();
    void DetachMainWindow();
    void UnloadModules();
    void DeletePanelObjects();
    void FreeStartupTables();
    void ClearKeyboardTable();

    // Timer handlers.
    void OnAttachRetry();
    void OnTreeCheck();
    void OnDetachUnload();
    // Attaching steps.
    void CreatePanelObjects();
    void LoadModuleList();
    void AddListerMenuItem(HWND lister);
    void SubclassListerOnClose(HWND lister);
    CString AttachDump() const;

    UINT m_reloadMessage = 0; // 0: none (never matched, never broadcast)
    bool m_reloadFailureReported = false;
    bool m_running = false;
};

extern CMerovinApp theApp;
