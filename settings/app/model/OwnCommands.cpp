// The own command list and the pages' command tables.
#include "OwnCommands.h"
#include "CommandList.h"
#include "EngineCommands.h"
#include "HotKeyHolder.h"
#include "Localizer.h"

namespace {

const OwnCommandRow kOwnRows[] = {
    { GroupStickyFiles, 0 },
    { 0, CmdStickIt },
    { 0, CmdUnStickIt },
    { 0, CmdStickConfig },
    { 0, CmdToggleStick },
    { 0, CmdUnStickAll },
    { GroupBookmarks, 0 },
    { 0, CmdToggleBookMark },
    { 0, CmdBookMarkNext },
    { 0, CmdBookMarkPrev },
    { 0, CmdJumpBookMark },
    { 0, CmdBook2Selection },
    { 0, CmdCopyBookMark },
    { 0, CmdPasteBookMark },
    { 0, CmdClearBookMark },
    { 0, CmdToggleSaveBookmark },
    { GroupMiscellaneous, 0 },
    { 0, CmdAutoCompletion },
    { 0, CmdNextQuickView },
    { 0, CmdCloseAllListers },
    { 0, CmdSelectTabColor },
    { 0, CmdChangeColumns },
    { 0, CmdUseFileGrouping },
    { 0, CmdReloadSettings },
    { 0, CmdShowMVMenu },
    { 0, CmdShowTabListLeft },
    { 0, CmdShowTabListRight },
    { 0, CmdGotoDirRelative },
};

const PageCommandRow kBookmarkRows[] = {
    { 190, CmdToggleBookMark }, { 193, CmdBookMarkNext },   { 192, CmdBookMarkPrev },
    { 191, CmdJumpBookMark },   { 196, CmdBook2Selection }, { 194, CmdCopyBookMark },
    { 195, CmdPasteBookMark },  { 197, CmdClearBookMark },  { 198, CmdToggleSaveBookmark },
};

const PageCommandRow kStickyRows[] = {
    { 182, CmdStickIt }, { 183, CmdUnStickIt }, { 184, CmdStickConfig }, { 181, CmdToggleStick },
    { 202, CmdUnStickAll },
};

} // namespace

const OwnCommandRow* OwnCommandRows()
{
    return kOwnRows;
}

int OwnCommandRowCount()
{
    return (int)(sizeof(kOwnRows) / sizeof(kOwnRows[0]));
}

const PageCommandRow* BookmarkPageCommands()
{
    return kBookmarkRows;
}

const PageCommandRow* StickyPageCommands()
{
    return kStickyRows;
}

int BookmarkPageCommandCount()
{
    return (int)(sizeof(kBookmarkRows) / sizeof(kBookmarkRows[0]));
}

int StickyPageCommandCount()
{
    return (int)(sizeof(kStickyRows) / sizeof(kStickyRows[0]));
}

CString EngineCommandName(UINT command)
{
    const EngineCommand* row = FindEngineCommand(command);
    return CString(row ? row->name : L"");
}

void BuildOwnCommandList(CCommandList& list, const CLocalizer& localizer, const CHotKeyHolder* pHolder)
{
    list.RemoveAll();
    for (const OwnCommandRow& row : kOwnRows) {
        if (row.groupTextId) {
            list.AddRow(localizer.LoadLocalizedString(row.groupTextId), L"", L"", RowGroup);
            continue;
        }
        const EngineCommand* command = FindEngineCommand(row.command);
        CString name(command ? command->name : L"");
        CString description = command ? localizer.LoadLocalizedString((UINT)command->descriptionId) : CString();
        int flags = (pHolder && pHolder->FindByCommand(name, AllSources) >= 0) ? RowOwnKey : 0;
        list.AddRow(name, L"", description, flags);
    }
}
