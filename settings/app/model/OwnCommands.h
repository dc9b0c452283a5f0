// The engine's commands as the settings utility lists them: 28 rows in three
// groups, each command a row of the engine's own command table (names, text
// ids), and the command tables of the Bookmarks and Sticky Files pages.
#pragma once

#include <windows.h>
#include "Strings.h"

class CCommandList;
class CHotKeyHolder;
class CLocalizer;

// One row of the own list: a group caption's text id, or an engine command.
struct OwnCommandRow
{
    UINT groupTextId; // non-zero for a group row
    UINT command;     // the engine command number (EngineCommandNumber)
};

const OwnCommandRow* OwnCommandRows();
int OwnCommandRowCount(); // 28

// One row of a page's "Current Hotkeys" list.
struct PageCommandRow
{
    UINT captionId;
    UINT command;
};

const PageCommandRow* BookmarkPageCommands(); // 9 rows
const PageCommandRow* StickyPageCommands();   // 5 rows
int BookmarkPageCommandCount();
int StickyPageCommandCount();

// The engine name of a command number; empty when it has none.
CString EngineCommandName(UINT command);

// Fills the own list: group rows with their localised captions, command rows
// with the engine's names and localised descriptions. A command the holder
// already binds (any source) gets RowOwnKey.
void BuildOwnCommandList(CCommandList& list, const CLocalizer& localizer, const CHotKeyHolder* pHolder);
