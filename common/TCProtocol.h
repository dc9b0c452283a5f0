// The protocol around the host: the host main window's messages and copy-data
// records, the engine's reserved command numbers and its own window messages,
// the dispatcher window's names and the focus-class bits. The engine, the
// modules, the command sender and the stand-in host all take them from here.
#pragma once
#include <windows.h>

// Sent to the host main window with a query code; the answer is a child window.
const UINT HostQueryMessage = WM_USER + 50;
// Sent or posted to the host main window with a host command number as wParam.
const UINT HostCommandMessage = WM_USER + 51;

// Query codes of HostQueryMessage the engine asks by name (the tree scan asks
// every code from the first to the last).
const int HostQueryFirstCode = 1;
const int HostQueryLastCode = 29;
const int QueryLeftList = 1;
const int QueryRightList = 2;
const int QueryLeftDrive = 13;
const int QueryRightDrive = 14;
const int QueryCommandLine = 20;

// WM_COPYDATA record types the host understands.
const ULONG_PTR CopyDataUserCommand = 0x4D45; // "em_" user command name, 8-bit text with its null
const ULONG_PTR CopyDataChangePath = 0x4443;  // "CD": change a panel's folder
const ULONG_PTR CopyDataGetPath = 0x5747;     // "GW": ask for a panel's path

// Host commands the engine itself sends.
const UINT HostLeftDriveList = 131;
const UINT HostRightDriveList = 231;
const WPARAM HostTabMenuCommand = 3009;

// Command numbers: module hotkeys count down from LastModuleCommand; the
// engine's commands run from FirstEngineCommand to LastEngineCommand (65500
// and 65521 are not assigned); 0 means "run by name".
const UINT LastModuleCommand = 65499;
const UINT FirstEngineCommand = 65501;
const UINT LastEngineCommand = 65529;

enum EngineCommandNumber : UINT {
    CmdToggleBookMark = 65501,
    CmdBookMarkNext = 65502,
    CmdBookMarkPrev = 65503,
    CmdJumpBookMark = 65504,
    CmdBook2Selection = 65505,
    CmdCopyBookMark = 65506,
    CmdPasteBookMark = 65507,
    CmdCloseAllListers = 65508,
    CmdStickConfig = 65509,
    CmdStickIt = 65510,
    CmdToggleStick = 65511,
    CmdUnStickIt = 65512,
    CmdUnStickAll = 65513,
    CmdAutoCompletion = 65514,
    CmdNextQuickView = 65515,
    CmdSelectTabColor = 65516,
    CmdChronoTabs = 65517,
    CmdClearBookMark = 65518,
    CmdToggleSaveBookmark = 65519,
    CmdReloadSettings = 65520,
    CmdChangeColumns = 65522,
    CmdUseFileGrouping = 65523,
    CmdShowMVMenu = 65524,
    CmdShowTabListLeft = 65525,
    CmdShowTabListRight = 65526,
    CmdPanelOperationLeft = 65527,
    CmdPanelOperationRight = 65528,
    CmdGotoDirRelative = 65529,
};

// The engine's messages. Posted to the host main window once its close check
// passed: the engine's subclass leaves and the engine unloads a second later.
const UINT DetachAndUnloadMessage = WM_APP + 1;
// Posted to the dispatcher with a hotkey-table index (low-level hook).
const UINT DeferredHotkeyMessage = WM_APP + 2;
// Posted to the dispatcher: wParam a side, lParam 0 the file list, 2 the tabs.
const UINT PanelRefreshMessage = WM_APP + 3;
// Posted by a path window to its own bar after a rule's view and sort
// commands: the rule's autorun list runs once those reached the host.
const UINT RuleAutorunMessage = WM_APP + 4;

// The engine's hidden dispatcher window: commands from outside arrive as
// WM_SETTEXT with the command number as wParam.
constexpr WCHAR DispatcherClassName[] = L"DispIniFileClass";
constexpr WCHAR DispatcherCaption[] = L"Dispatcher";
// The host main window's class.
constexpr WCHAR HostMainClassName[] = L"TTOTAL_CMD";

// Bits of the focus classification.
const UINT FocusOtherTopLevel = 1; // inside a top-level window other than the host main window
const UINT FocusHostMain = 2;      // inside the host main window
const UINT FocusEdit = 4;          // one of the host's edit classes
