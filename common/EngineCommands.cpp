#include "EngineCommands.h"
#include <cwchar>

namespace {

const EngineCommand Commands[] = {
    {CmdToggleBookMark, L"ToggleBookMark", 116, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdBookMarkNext, L"BookMarkNext", 117, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdBookMarkPrev, L"BookMarkPrev", 118, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdJumpBookMark, L"JumpBookMark", 119, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdBook2Selection, L"Book2Selection", 120, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdCopyBookMark, L"CopyBookMark", 168, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdPasteBookMark, L"PasteBookMark", 169, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdCloseAllListers, L"CloseAllListers", 123, GroupMiscellaneous, EngineSwitch::CloseAllListers, true},
    {CmdStickConfig, L"StickConfig", 115, GroupStickyFiles, EngineSwitch::StickyFiles, true},
    {CmdStickIt, L"StickIt", 113, GroupStickyFiles, EngineSwitch::StickyFiles, true},
    {CmdToggleStick, L"ToggleStick", 185, GroupStickyFiles, EngineSwitch::StickyFiles, true},
    {CmdUnStickIt, L"UnStickIt", 114, GroupStickyFiles, EngineSwitch::StickyFiles, true},
    {CmdUnStickAll, L"UnStickAll", 201, GroupStickyFiles, EngineSwitch::StickyFiles, true},
    {CmdAutoCompletion, L"AutoCompletion", 121, GroupMiscellaneous, EngineSwitch::AutoCompletion, false},
    {CmdNextQuickView, L"NextQuickView", 122, GroupMiscellaneous, EngineSwitch::Always, false},
    {CmdSelectTabColor, L"SelectTabColor", 124, GroupMiscellaneous, EngineSwitch::Always, false},
    {CmdChronoTabs, L"ChronoTabs", 0, GroupNone, EngineSwitch::Always, false},
    {CmdClearBookMark, L"ClearBookMark", 176, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdToggleSaveBookmark, L"ToggleSaveBookmark", 189, GroupBookmarks, EngineSwitch::BookMarks, true},
    {CmdReloadSettings, L"ReloadSettings", 200, GroupMiscellaneous, EngineSwitch::Always, true},
    {CmdChangeColumns, L"ChangeColumns", 209, GroupMiscellaneous, EngineSwitch::ChangeColumns, true},
    {CmdUseFileGrouping, L"UseFileGrouping", 170, GroupMiscellaneous, EngineSwitch::Always, true},
    {CmdShowMVMenu, L"ShowMVMenu", 172, GroupMiscellaneous, EngineSwitch::Always, false},
    {CmdShowTabListLeft, L"ShowTabListLeft", 173, GroupMiscellaneous, EngineSwitch::TabsToFav, false},
    {CmdShowTabListRight, L"ShowTabListRight", 174, GroupMiscellaneous, EngineSwitch::TabsToFav, false},
    {CmdPanelOperationLeft, L"", 0, GroupNone, EngineSwitch::Never, false},
    {CmdPanelOperationRight, L"", 0, GroupNone, EngineSwitch::Never, false},
    {CmdGotoDirRelative, L"GotoDirRelative", 175, GroupMiscellaneous, EngineSwitch::Always, false},
};

const int CommandCount = int(sizeof(Commands) / sizeof(Commands[0]));

} // namespace

const EngineCommand* EngineCommands()
{
    return Commands;
}

int EngineCommandCount()
{
    return CommandCount;
}

const EngineCommand* FindEngineCommand(UINT number)
{
    if (number < FirstEngineCommand || number > LastEngineCommand)
        return nullptr;
    for (const EngineCommand& command : Commands) {
        if (command.number == number)
            return &command;
    }
    return nullptr;
}

const EngineCommand* FindEngineCommandByName(LPCWSTR name)
{
    if (!name || !name[0])
        return nullptr;
    for (const EngineCommand& command : Commands) {
        if (command.name[0] && _wcsicmp(command.name, name) == 0)
            return &command;
    }
    return nullptr;
}
