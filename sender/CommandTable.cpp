#include "CommandTable.h"

#include <windows.h>
#include "TCProtocol.h"

namespace {

struct EngineCommandName {
    const wchar_t* name;
    int number;
};

const EngineCommandName kEngineCommands[] = {
    {L"StickConfig", CmdStickConfig},
    {L"StickIt", CmdStickIt},
    {L"ToggleStick", CmdToggleStick},
    {L"UnstickIt", CmdUnStickIt},
    {L"UnstickAll", CmdUnStickAll},
    {L"ToggleBookMark", CmdToggleBookMark},
    {L"BookMarkNext", CmdBookMarkNext},
    {L"BookMarkPrev", CmdBookMarkPrev},
    {L"Book2Selection", CmdBook2Selection},
    {L"CopyBookMark", CmdCopyBookMark},
    {L"PasteBookMark", CmdPasteBookMark},
    {L"ClearBookMark", CmdClearBookMark},
    {L"ToggleSaveBookMark", CmdToggleSaveBookmark},
    {L"JumpBookMark", CmdJumpBookMark},
    {L"NextQuickView", CmdNextQuickView},
    {L"SelectTabColor", CmdSelectTabColor},
    {L"ReloadSettings", CmdReloadSettings},
    {L"UseFileGrouping", CmdUseFileGrouping},
    {L"ShowMVMenu", CmdShowMVMenu},
    {L"GotoDirRelative", CmdGotoDirRelative},
};

}  // namespace

int FindEngineCommand(const wchar_t* name)
{
    // Searched from the last row to the first.
    for (int i = static_cast<int>(sizeof kEngineCommands / sizeof kEngineCommands[0]) - 1; i >= 0; --i) {
        if (CompareStringOrdinal(name, -1, kEngineCommands[i].name, -1, TRUE) == CSTR_EQUAL)
            return kEngineCommands[i].number;
    }
    return 0;
}
