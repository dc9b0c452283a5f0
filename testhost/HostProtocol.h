// Messages and names shared by the stand-in host (tchost.exe) and the driver
// library the tests use. The host's messages that the engine uses come from
// the common protocol header; the stand-in's own protocol lives at
// WM_APP+0x200 and above (WM_APP+1..+4 belong to the engine).
#pragma once
#include <windows.h>
#include <cwchar>
#include "TCProtocol.h"

namespace TCHost {

// Host messages the engine uses (the host's side of them).
using ::HostQueryMessage;
using ::HostCommandMessage;
using ::CopyDataUserCommand;
using ::CopyDataGetPath;
using ::CopyDataChangePath;

// Private protocol (all sent or posted to the main window).
const UINT MsgFlush = WM_APP + 0x200;          // posted; sets the flush event, lParam logged
const UINT MsgSetFocus = WM_APP + 0x201;       // sent; wParam target: foreground + focus; returns 1 on success
const UINT MsgLogMark = WM_APP + 0x202;        // sent; returns the number of log lines written so far
const UINT MsgLoadPlugin = WM_APP + 0x203;     // sent; loads the --plugin library again; returns 1 when loaded
const UINT MsgUnloadPlugin = WM_APP + 0x204;   // sent; ContentPluginUnloading + FreeLibrary; returns 1 when freed
const UINT MsgShowWindow = WM_APP + 0x205;     // sent; wParam a WindowKind, lParam its argument; returns the window
const UINT MsgDestroyWindow = WM_APP + 0x206;  // sent; wParam a window of the host thread; returns 1 when destroyed
const UINT MsgMessageBox = WM_APP + 0x207;     // posted; the host shows a yes/no "#32770" box and logs the answer
const UINT MsgSetTabLock = WM_APP + 0x208;     // sent; wParam side, lParam MAKELPARAM(tab, lock 0..2)
const UINT MsgSetRefuseClose = WM_APP + 0x209; // sent; wParam 1 refuses WM_CLOSE, 0 allows it
const UINT MsgRecreate = WM_APP + 0x210;       // sent; wParam side (0/1), lParam a RecreatePart; returns the new window
const UINT MsgCreateWindows = WM_APP + 0x211;  // sent; wParam count, lParam interval in ms: "Window" children of the bottom bar
const UINT MsgMoveTab = WM_APP + 0x212;        // sent; wParam MAKEWPARAM(side, delete delay ms), lParam MAKELPARAM(from, to)
const UINT MsgLogDump = WM_APP + 0x213;        // sent; logs the plug-in's "MerovinDebugDump" as one "dump" line of its keys
const UINT MsgCountColour = WM_APP + 0x214;    // sent; wParam a window of the host thread, lParam a COLORREF: redraws
                                               // the window and returns how many of its client pixels have that colour
const UINT MsgCountResources = WM_APP + 0x215; // sent; wParam a ResourceKind: how many the host process holds

// Parts of a panel that MsgRecreate destroys and creates again.
enum RecreatePart {
    RecreateTabs = 1,      // tab control (created when missing)
    RecreatePathBar = 2,   // panel bar 2
    RecreateList = 3,      // file list (filled again)
    RemoveTabs = 4,        // destroy the tab control only
    AddFourthBar = 5,      // create the header bar when the layout lacks it
};

// What MsgCountResources counts.
enum ResourceKind {
    KernelHandles = 0,
    GdiObjects = 1,
    WindowObjects = 2,
    FreeTlsIndexes = 3,
};

// Windows MsgShowWindow creates on demand.
enum WindowKind {
    KindLister = 1,          // "TLister", top-level, owned by the main window, menu bar of lParam items (default 3)
    KindAssociate = 2,       // "TASSOCIATEDLG", owned, with an "Edit" child
    KindQuickSearch = 3,     // "TQUICKSEARCH", child of the main window over the focused list
    KindConfigAll = 4,       // "TDLGCONFIGALL", owned, with a "TEdit" child that gets the focus
    KindFsPluginConfig = 5,  // "TFsPluginConfigForm", owned, with a "TEdit" child that gets the focus
    KindEditInMain = 6,      // lParam 0..5: "TEdit","TAltEdit","TInEdit","TMemo","TMyMemo","TTabEdit" as a child of the main window
    KindEditInOwned = 7,     // the same edit class inside a new owned top-level window
};

// Named events the host sets; the driver creates them before the host runs.
// Names: L"tchost-<pid>-ready", L"tchost-<pid>-keys" (WM_KEYUP of VK_F24 seen),
// L"tchost-<pid>-flush" (MsgFlush handled).
inline void EventName(wchar_t* buf, int cch, DWORD pid, const wchar_t* what)
{
    _snwprintf(buf, cch, L"tchost-%lu-%ls", pid, what);
    buf[cch - 1] = 0;
}

// The sentinel key that is never bound.
const WORD SentinelKey = VK_F24;

} // namespace TCHost
