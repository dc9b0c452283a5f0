// One item of an icon menu, held as the owner-drawn item's data and owned by
// the menu.
#pragma once
#include <windows.h>
#include "Framework.h"

struct IconMenuItem {
    HICON icon = nullptr;    // drawn in the icon bar; never destroyed by the menu
    CString caption;         // "&" marks the mnemonic; the menu's tab character splits it
    CString data;            // a command name, a path or empty: for the menu's user
    UINT_PTR tag = 0;        // the user's value; a submenu item's submenu object
    int position = 0;        // the item's position in its menu
    UINT state = 0;          // the item's menu state at its last drawing
    int mark = -1;           // above 0: a strip in the mark colour beside the caption
    COLORREF markColor = 0;
    UINT type = 0;           // MF_SEPARATOR and MF_POPUP of the flags it was inserted with

    bool IsSeparator() const { return (type & MF_SEPARATOR) != 0 && (type & MF_POPUP) == 0; }
};
