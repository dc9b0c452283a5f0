#include "MenuItems.h"

void AppendTextItem(HMENU menu, UINT id, LPCWSTR caption, LPCWSTR text)
{
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_FTYPE;
    item.fType = MFT_STRING;
    item.wID = id;
    item.dwTypeData = (LPWSTR)(caption ? caption : L"");
    item.dwItemData = text ? (ULONG_PTR) new CString(text) : 0;
    if (!InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item))
        delete (CString*)item.dwItemData;
}

void AppendSeparator(HMENU menu)
{
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void AppendSubmenu(HMENU menu, HMENU submenu, LPCWSTR caption)
{
    if (!AppendMenuW(menu, MF_POPUP | MF_STRING, (UINT_PTR)submenu, caption ? caption : L"")) {
        FreeMenuItemData(submenu);
        DestroyMenu(submenu);
    }
}

bool FindMenuItemById(HMENU menu, UINT id, CString& text, bool& hasText)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, i, TRUE, &item))
            continue;
        if (item.hSubMenu) {
            if (FindMenuItemById(item.hSubMenu, id, text, hasText))
                return true;
            continue;
        }
        if (item.fType & MFT_SEPARATOR)
            continue;
        if (item.wID == id) {
            CString* data = (CString*)item.dwItemData;
            hasText = data != nullptr;
            text = data ? *data : CString();
            return true;
        }
    }
    return false;
}

void FreeMenuItemData(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, i, TRUE, &item))
            continue;
        if (item.hSubMenu) {
            FreeMenuItemData(item.hSubMenu);
            continue;
        }
        if (item.fType & MFT_SEPARATOR)
            continue;
        if (item.dwItemData) {
            delete (CString*)item.dwItemData;
            item.fMask = MIIM_DATA;
            item.dwItemData = 0;
            SetMenuItemInfoW(menu, i, TRUE, &item);
        }
    }
}
