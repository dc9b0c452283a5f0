// What a user does on a page, sent as messages: ticking a box, choosing a
// combo entry; and a colour as the settings file holds it.
#pragma once

#include <windows.h>
#include <string>
#include "Wnd.h"

inline void ClickBox(CWnd* page, int id, bool on)
{
    HWND box = page->GetDlgItemHwnd(id);
    SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)box);
}

inline void ChooseEntry(CWnd* page, int id, int index)
{
    HWND combo = page->GetDlgItemHwnd(id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

inline std::string HexColour(COLORREF c)
{
    char text[8];
    snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}
