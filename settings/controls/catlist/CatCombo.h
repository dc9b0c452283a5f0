// CCatCombo: an owner-drawn drop-down list combo (CBS_OWNERDRAWFIXED |
// CBS_HASSTRINGS) whose entries with item data bit GroupEntry are bold,
// underlined headings that cannot be chosen: arrowing onto one moves on to
// the entry after it, and clicks on one in the drop-down list are
// swallowed. The combo keeps CBN_SELCHANGE to itself; Space closes the
// list, clears the selection and sends CBN_SELENDOK to the parent.
#pragma once

#include <windows.h>
#include "Controls.h"
#include "Gdi.h"

// The entry height of the category controls: the window's font (the GUI
// font when it has none), its height and leading plus 2.
int CatEntryHeight(HWND hWnd, HFONT hFont);

class CCatCombo : public CComboBox
{
public:
    static const DWORD_PTR GroupEntry = 0x01;

    CCatCombo();
    ~CCatCombo() override;

    BOOL IsGroupEntry(int nIndex) const;
    // The drop-down list window once it is subclassed, else NULL.
    HWND GetDropList() const { return m_list.m_hWnd; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

protected:
    // The drop-down list: button messages on a heading go nowhere.
    class CDropList : public CWnd
    {
    public:
        CCatCombo* m_pCombo = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    void SubclassDropList(HWND hList);
    int EntryHeight();
    HFONT HeadingFont();

    CDropList m_list;
    CFont m_font;
};
