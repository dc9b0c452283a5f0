// The engine's own commands: names as bound from [Keyboard], numbers,
// description texts, groups and the setting that must be on for a [Keyboard]
// binding by name to take effect. The engine's executor, dispatcher and menu
// read this one table, and the settings utility lists its commands from it.
#pragma once
#include <windows.h>
#include "TCProtocol.h"

// The setting that must be on for a binding by name to be made.
enum class EngineSwitch {
    Always,
    StickyFiles,
    BookMarks,
    CloseAllListers,
    AutoCompletion,
    TabsToFav,
    ChangeColumns,
    Never, // commands without a name: reached by number only
};

// Group of a command in command lists; the value is the group caption's text id.
enum EngineCommandGroup : int {
    GroupNone = 0,
    GroupStickyFiles = 125,
    GroupBookmarks = 126,
    GroupMiscellaneous = 127,
};

struct EngineCommand {
    UINT number;
    const WCHAR* name;        // empty for the two commands reached by number only
    int descriptionId;        // engine text id of the description; 0 when none
    EngineCommandGroup group;
    EngineSwitch boundWhen;
    bool menuHotkey;          // the engine's menus show this command's hotkey text
};

// The 28 rows in number order.
const EngineCommand* EngineCommands();
int EngineCommandCount();

// The row of a number, or null when the number is not an engine command.
const EngineCommand* FindEngineCommand(UINT number);
// The row whose name equals `name` without case, or null (also for an empty name).
const EngineCommand* FindEngineCommandByName(LPCWSTR name);

inline bool IsEngineCommandNumber(UINT number)
{
    return FindEngineCommand(number) != nullptr;
}
