// Popup menu items that carry a text of their own (the text inserted when the
// item is chosen), and the menu object that releases those texts and the menu.
#pragma once
#include "Framework.h"

// Appends an item; `text` null gives an item that inserts nothing.
void AppendTextItem(HMENU menu, UINT id, LPCWSTR caption, LPCWSTR text);
void AppendSeparator(HMENU menu);
// Appends a filled submenu; one the system refuses (nested too deep) is
// released with its item texts.
void AppendSubmenu(HMENU menu, HMENU submenu, LPCWSTR caption);

// Looks for the item with `id` in the menu and its submenus. Returns false
// when there is none; `text` receives its text and `hasText` whether it has one.
bool FindMenuItemById(HMENU menu, UINT id, CString& text, bool& hasText);

// Releases the texts of all items of the menu and its submenus.
void FreeMenuItemData(HMENU menu);

// A popup menu that releases its item texts and itself.
class CPopupMenu
{
public:
    CPopupMenu() : m_menu(CreatePopupMenu()) {}
    ~CPopupMenu()
    {
        FreeMenuItemData(m_menu);
        DestroyMenu(m_menu);
    }
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    HMENU GetHandle() const { return m_menu; }
    int GetItemCount() const { return GetMenuItemCount(m_menu); }

private:
    HMENU m_menu;
};
