// CIconMenu: the engine's owner-drawn popup menu. Every item has an icon in a
// bar down the left side, a caption (a tab splits off a right-aligned part)
// and a data text; the menu is painted in the user's menu colours and styles,
// with titled separators and the default item in bold.
//
// A menu lives for one drop-down: constructed (its popup menu is made then),
// filled, tracked once, destroyed. Destroying it deletes its item records and
// its submenu objects (given with AddSubmenu, made with new); icons stay
// with whoever made them.
#pragma once
#include <windows.h>
#include "Framework.h"
#include "IconMenuItem.h"
#include "MenuColors.h"

class CIconMenuWnd;

class CIconMenu : public CMenu {
    DECLARE_DYNAMIC(CIconMenu)
public:
    CIconMenu();
    ~CIconMenu() override;

    void SetColors(const MenuColors& colors) { m_colors = colors; }
    const MenuColors& GetColors() const { return m_colors; }
    void SetIconSize(int size) { m_iconSize = size; }
    int GetIconSize() const { return m_iconSize; }
    void SetNoIcons(BOOL noIcons) { m_noIcons = noIcons; }
    void SetIndent(int indent) { m_indent = indent; }
    int GetIndent() const { return m_indent; }
    // The position shown highlighted when the menu opens (-1: none).
    void SetHighlight(int position) { m_highlight = position; }

    // A normal item (flags 0) or, with MF_SEPARATOR, a separator titled with
    // the caption (empty: a plain line), appended.
    BOOL AddItem(LPCWSTR caption, UINT id, UINT flags = 0);
    // An item whose hint is shown right-aligned ("caption\thint").
    BOOL AddItemWithHint(LPCWSTR caption, LPCWSTR hint, UINT id);
    // Appends `submenu` (made with new; this menu deletes it) under an item
    // with the caption and icon.
    BOOL AddSubmenu(CIconMenu* submenu, LPCWSTR caption, HICON icon = nullptr);
    // Inserts an item record (made with new; this menu owns it from now on,
    // also when the insert fails) at `position` (-1: the end) with the flags
    // plus MF_OWNERDRAW | MF_BYPOSITION. MFS_DEFAULT in the flags makes it the
    // default item.
    BOOL InsertItem(UINT_PTR id, IconMenuItem* item, UINT flags, int position = -1);

    // Items inserted so far.
    int GetItemCount() const { return m_itemCount; }
    // The record of an item by position or by command id; null when none.
    IconMenuItem* GetItem(UINT item, BOOL byPosition) const;
    CIconMenu* GetParentMenu() const { return m_pParent; }
    // The hidden owner window while the menu is tracked, else null.
    CIconMenuWnd* GetOwnerWnd() const { return m_pWnd; }

    // Shows the menu through the tracker (CIconMenuShared) and returns what
    // it returns: with TPM_RETURNCMD the chosen id, 0 for none.
    int Track(UINT flags, int x, int y, CWnd* pOwner);
    // Shows the menu for real: a hidden owner window, whose owner is pOwner,
    // and the hook that paints the menu windows' background. A second menu
    // while one is tracked is refused (0).
    int TrackModal(UINT flags, int x, int y, CWnd* pOwner);

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // The icon menu bound to a menu handle, or null.
    static CIconMenu* FromHandle(HMENU hMenu);
    // Whether an owner-draw message (WM_DRAWITEM, WM_MEASUREITEM) is about
    // an item of an icon menu: the menu it names, or for WM_MEASUREITEM the
    // icon menu being tracked, holds an item with that data.
    static BOOL IsIconMenuItem(UINT message, LPARAM lParam);

private:
    enum CaptionMode { CaptionNormal, CaptionSelected, CaptionSeparator };

    // The menu that holds `item` when this menu measures it: the parent for
    // this menu's own item in its parent.
    const CIconMenu* HolderOf(UINT itemId) const;
    // This menu's record of an item with that id and data; null when the
    // data is no record of this menu.
    IconMenuItem* FindRecord(UINT itemId, ULONG_PTR data) const;
    BOOL IsDefaultItem(const IconMenuItem* item) const;
    void DrawCaption(CDC* pDC, CRect rect, const IconMenuItem* item, CaptionMode mode) const;
    void FillBelow(CDC* pDC, const CRect& item) const;
    void RenumberItems();
    void DestroyItems();

    CIconMenuWnd* m_pWnd = nullptr;
    CIconMenu* m_pParent = nullptr;
    MenuColors m_colors;
    int m_itemCount = 0;
    int m_iconSize = 32;
    WCHAR m_tabChar = L'\t';
    int m_highlight = -1;
    BOOL m_noIcons = FALSE;
    int m_indent = 0;
};
