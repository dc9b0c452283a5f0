// Where a popup opens over an edit control: under the caret of a multi-line
// edit, under the whole control otherwise. Used by the calculator's variables
// menu and the directory-menu module's snippet menus.
#pragma once
#include <windows.h>

// Screen point for a popup over `edit`, given the length of the edit's text
// and the selection start. In an ES_MULTILINE control: the position of the
// character at the selection start (the one before it when the selection
// starts at the text's end) plus 15 pixels down; the client origin when the
// text is empty. Any other control: its left edge, one pixel under its bottom.
POINT GetCaretPopupPoint(HWND edit, int textLength, int selStart);
