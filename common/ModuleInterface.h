// The records and exports shared by the engine and its modules. The layout is
// fixed: modules of either width are listed by the settings utility and
// loaded by the engine, so field order and sizes never change.
#pragma once
#include <windows.h>
#include <cstddef>

// Bits of ModuleInfo::flags.
enum ModuleFlags : UINT {
    EditOnly = 0x01,   // commands run only in one of the host's edit controls
    OwnWindow = 0x04,  // the module shows a window of its own (width x height)
    PanelOnly = 0x08,  // commands run only in the left or right file list
    PathEvents = 0x10, // the module receives panel-path notices
};

// What "Process" returns and what the engine then does.
enum ProcessResult : int {
    ResultNone = 0,          // nothing
    ResultDone = 1,          // nothing more
    ResultSetText = 2,       // write the text back, restore the selection 100 ms later
    ResultSelectAndBeep = 3, // focus the control, select the range, beep
};

const int ModuleNameLength = 32;
const int ModuleTextLength = 1024;

// One command of a module: a caption and a description separated by the last "|".
struct ModuleCommand {
    INT id;
    WCHAR text[ModuleTextLength];
};

// Static data owned by the module, valid while it stays loaded.
struct ModuleInfo {
    WCHAR name[ModuleNameLength];
    UINT flags;
    INT width;  // -1 when the module has no window of its own
    INT height; // -1 when the module has no window of its own
    INT commandCount;
    ModuleCommand* commands;
};

// Code of an EditRequest.
const INT_PTR RequestCommand = 0;
const INT_PTR RequestPathNotice = 2;

// The request the engine passes to "Process". The module may change the text
// and the selection.
struct EditRequest {
    INT_PTR code;                 // RequestCommand or RequestPathNotice
    WCHAR text[ModuleTextLength]; // the control's text, or the panel path
    INT selStart;                 // for a path notice: the side, 0 left, 1 right
    INT selEnd;                   // 0 for a path notice
    HWND window;                  // the control (or the panel's tab control)
};

// The four exports every module has, bound by name.
typedef ModuleInfo* (WINAPI* ModuleGetInfoProc)();
typedef void (WINAPI* ModuleLoadProc)(HWND parent, POINT* point);
typedef void (WINAPI* ModuleUnloadProc)();
typedef INT (WINAPI* ModuleProcessProc)(EditRequest* request, INT parameter);

static_assert(sizeof(ModuleCommand) == 4 + 2 * 1024, "ModuleCommand layout");
static_assert(offsetof(ModuleInfo, flags) == 64, "ModuleInfo layout");
static_assert(offsetof(ModuleInfo, width) == 68, "ModuleInfo layout");
static_assert(offsetof(ModuleInfo, height) == 72, "ModuleInfo layout");
static_assert(offsetof(ModuleInfo, commandCount) == 76, "ModuleInfo layout");
static_assert(offsetof(ModuleInfo, commands) == 80, "ModuleInfo layout");
static_assert(offsetof(EditRequest, text) == sizeof(INT_PTR), "EditRequest layout");
static_assert(offsetof(EditRequest, selStart) == sizeof(INT_PTR) + 2048, "EditRequest layout");
static_assert(offsetof(EditRequest, selEnd) == sizeof(INT_PTR) + 2052, "EditRequest layout");
#ifdef _WIN64
static_assert(sizeof(ModuleInfo) == 88, "ModuleInfo layout (64-bit)");
static_assert(offsetof(EditRequest, window) == 2064, "EditRequest layout (64-bit)");
static_assert(sizeof(EditRequest) == 2072, "EditRequest layout (64-bit)");
#else
static_assert(sizeof(ModuleInfo) == 84, "ModuleInfo layout (32-bit)");
static_assert(offsetof(EditRequest, window) == 2060, "EditRequest layout (32-bit)");
static_assert(sizeof(EditRequest) == 2064, "EditRequest layout (32-bit)");
#endif
