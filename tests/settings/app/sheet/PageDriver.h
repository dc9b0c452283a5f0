// Drives one page of the sheet as a user does: shows it, clicks its boxes,
// chooses list entries, and reads back controls and the settings file.
#pragma once

#include "SheetFixture.h"

struct CPageDriver
{
    CSheetFixture& f;
    CPropertyPage* page = nullptr;

    template <class TPage> TPage* Show(UINT nIDTemplate)
    {
        page = f.sheet->FindPage(nIDTemplate);
        f.sheet->SetActivePage(page);
        return static_cast<TPage*>(page);
    }
    // Toggles a check box and tells the page.
    void Click(int id)
    {
        HWND box = page->GetDlgItemHwnd(id);
        SendMessageW(box, BM_SETCHECK, SendMessageW(box, BM_GETCHECK, 0, 0) ? BST_UNCHECKED : BST_CHECKED, 0);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)box);
    }
    void Choose(int id, int index)
    {
        page->SendDlgItemMessage(id, CB_SETCURSEL, index);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)page->GetDlgItemHwnd(id));
    }
    void Press(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)page->GetDlgItemHwnd(id)); }
    // A trackbar moved to a position.
    void Slide(int id, int position)
    {
        HWND track = page->GetDlgItemHwnd(id);
        SendMessageW(track, TBM_SETPOS, TRUE, position);
        page->SendMessage(WM_HSCROLL, TB_ENDTRACK, (LPARAM)track);
    }
    bool Checked(int id) { return page->IsDlgButtonChecked(id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    int Selected(int id) { return (int)page->SendDlgItemMessage(id, CB_GETCURSEL); }
    CString Text(int id)
    {
        CString text;
        page->GetDlgItemText(id, text);
        return text;
    }
    std::string Section(const char* name) { return CModelFiles::Section(f.files.OwnIni(), name); }
};

// "#RRGGBB" as the pages write a colour.
inline std::string ColourText(COLORREF c)
{
    char text[8];
    snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}
