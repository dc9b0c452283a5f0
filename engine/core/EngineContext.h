// What every part of the engine may ask of the running engine: the records of
// this start (paths, host values, settings, the host's window tree and the
// panel objects), the engine's services (timers, texts, host commands, the
// dispatcher) and its life-cycle requests. The application object implements
// it; each part is handed the reference when it is made, so a part never
// reaches into the application object and tests can give their own.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "EngineTimer.h"

struct EngineSettings;
struct HostTreeSnapshot;
struct CPanelObjects;
class CKeyApprentice;
class CMenuHotkeyTexts;
class CCommandExecutor;
class CModuleLoader;
class CRowMarkSource;
class CListPeers;
class CPathPeers;

typedef UINT (WINAPI* PrivateExtractIconsProc)(LPCWSTR file, int index, int cx, int cy,
                                                HICON* icons, UINT* ids, UINT count, UINT flags);

// The engine's own files and the host's files found at start-up.
struct EnginePaths {
    CString engineFolder;     // with its trailing "\"
    CString settingsFile;     // "Merovin.ini"
    CString bookmarksFile;    // "Merovin.bkm"
    CString stickyFile;       // "Merovin.stk"
    CString localizationFile; // [Config] "Localizator", expanded
    CString hostIni;          // the host's main INI file
    CString userCmdIni;       // the host's "usercmd.ini"
    CString hostCommandFile;  // the host's command list
};

// What the engine knows of the host.
struct HostValues {
    HWND mainWindow = nullptr; // "TTOTAL_CMD" of the engine's thread
    CString version;           // the host program's file version
    CString desktopName;       // display name of the shell's desktop
    int dirBrackets = 1;
    int sizeStyle = 0;
    COLORREF backColor = 0;
    COLORREF backColor2 = 0;
    int inverseCursor = 0;
    int useRightButton = 1;     // [Configuration] "UseRightButton"
    int thumbWidthNoCache = 96; // [Configuration] "ThumbWidthNoCache"
    // "PrivateExtractIconsW" of user32, or null.
    PrivateExtractIconsProc extractIcons = nullptr;
};

class CEngineContext {
public:
    virtual ~CEngineContext() {}

    // Records of this start.
    virtual const EnginePaths& Paths() const = 0;
    // A copy of the sticky file's path, safe on any thread while a reload
    // rebuilds the paths.
    virtual CString StickyFile() const { return Paths().stickyFile; }
    virtual const HostValues& Host() const = 0;
    virtual const EngineSettings& Settings() const = 0;
    virtual EngineSettings& Settings() = 0;
    // The live snapshot of the host's window tree (valid after attaching).
    virtual const HostTreeSnapshot& Tree() const = 0;
    // The engine's objects on the panels' windows; each null until attached.
    virtual CPanelObjects& Panels() = 0;

    // The engine's parts that other parts call.
    virtual CKeyApprentice& Hotkeys() = 0;
    virtual const CMenuHotkeyTexts& MenuHotkeyTexts() const = 0;
    virtual CCommandExecutor& Commands() = 0;
    virtual CModuleLoader& Modules() = 0;
    // Where the file lists learn which rows are sticky or bookmarked; null
    // when nothing marks rows.
    virtual CRowMarkSource* RowMarks() { return nullptr; }
    // The features a file list hands the wheel and middle clicks to; null
    // keeps them in the list.
    virtual CListPeers* ListPeers() { return nullptr; }
    // The folder rules, tab decorations and engine menu the path windows
    // use; null: the path windows only follow the folder.
    virtual CPathPeers* PathPeers() { return nullptr; }

    // Services.
    virtual HINSTANCE EngineInstance() const = 0;
    virtual HWND Dispatcher() const = 0;
    // The registered reload message; 0 when none could be registered.
    virtual UINT ReloadMessage() const = 0;
    // Posts the reload message to every application; false when there is none.
    virtual bool BroadcastSettingsReload() const = 0;
    // The host command number of a "cm_" name; 0 when unknown.
    virtual int HostCommandNumber(LPCWSTR name) const = 0;
    // Engine text `id`: the localisation file, else string resource id + 5000.
    virtual CString LoadText(int id) const = 0;
    // Engine thread timers; all of them end at teardown.
    virtual UINT_PTR StartTimer(EngineTimer kind, UINT_PTR key, UINT elapse) = 0;
    virtual void KillTimer(EngineTimer kind, UINT_PTR key = 0) = 0;
    virtual bool IsTimerRunning(EngineTimer kind, UINT_PTR key = 0) const = 0;

    // Life cycle. Attaches to the host's panels (retrying until complete);
    // 1 when the tree is complete now.
    virtual int AttachPanels() = 0;
    // The host main window is being destroyed: the engine lets go of it.
    virtual void StopEngine() = 0;
    // The host declined its close or went away after a detach request.
    virtual void UnloadEngine() = 0;
    virtual void ReloadEngine() = 0;
};
