// The bookmark menu: the bookmarks (ids from BookmarkMenuFirstId) and the
// bookmark commands (ids = command numbers), shown by "JumpBookMark" and as
// the engine menu's submenu.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

class CEngineContext;
class CIconMenu;

// Id of the first bookmark's item; bookmark n (1-based) has id 10 + n.
const UINT BookmarkMenuFirstId = 11;
// The engine's "checked" icon beside a switch that is on.
const int CheckedIconId = 4007;
// Characters of a menu item's text, its null included.
const int MenuItemTextLength = 128;

// "text\thotkey" of an engine command, always terminated; a localised text
// comes from the engine, else the built-in one.
CString CommandItemText(CEngineContext& engine, int textId, UINT command);
// The engine's "checked" icon at the small-icon size (shared: never destroyed).
HICON CheckedIcon(CEngineContext& engine);

// Fills `menu` with the bookmarks `items` and the bookmark commands.
// `currentState` -2 greys ToggleBookMark (the current item is "..").
void FillBookmarkMenu(CEngineContext& engine, CIconMenu& menu, const std::vector<CString>& items, int currentState);
