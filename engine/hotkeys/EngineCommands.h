// The engine's own commands: names as bound from [Keyboard], numbers,
// description texts, groups and the setting that must be on for a [Keyboard]
// binding by name to take effect. The executor, the dispatcher and the
// engine menu all read this one table.
#pragma once
#include <windows.h>

// Range of the engine's command numbers (65500 and 65521 are not assigned).
const UINT FirstEngineCommand = 65501;
const UINT LastEngineCommand = 65529;

// Numbers the engine itself refers to.
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
