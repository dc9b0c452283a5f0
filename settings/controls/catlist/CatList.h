// CCatList: an owner-drawn list box (LBS_OWNERDRAWFIXED, no strings) that
// shows the rows of a command list by category: group rows as bold
// headings, command rows in three columns (name, number, description),
// coloured by the kind of hotkey the command has, with a filter and
// tooltips. Each entry's item data is its row index in the command list.
//
// The parent may answer two messages (SendMessage; 0 when it does not):
//   WMU_CATLIST_TOOLTIP    wParam const _CLItem* under the mouse, lParam
//                          CString* to fill with extra tip text; non-zero
//                          when it gave text;
//   WMU_CATLIST_MATCHKEYS  wParam const _CLItem* being filtered, lParam the
//                          modifier mask of the filter text (W 1, C 2, A 4,
//                          S 8); non-zero when the row passes.
#pragma once

#include <windows.h>
#include "CommandList.h"
#include "CommonControls.h"
#include "Controls.h"
#include "Gdi.h"

const UINT WMU_CATLIST_TOOLTIP = WM_APP + 10;
const UINT WMU_CATLIST_MATCHKEYS = WM_APP + 11;

class CCatList : public CListBox
{
public:
    CCatList();
    ~CCatList() override;

    // The rows shown (not owned; NULL: none).
    void SetCommandList(CCommandList* pList);
    CCommandList* GetCommandList() const { return m_pList; }

    // Appends a row to the command list; returns its row index (-1: no list).
    int AddItem(int nFlags, LPCWSTR lpszName, LPCWSTR lpszNumber, LPCWSTR lpszDescription);
    // "name=number;description", split as the command list splits it.
    int AddItemText(LPCWSTR lpszText, int nFlags);
    // Removes the row and the rows after it up to the next group row;
    // returns how many went.
    int RemoveGroup(int nRow);

    // The row record, NULL for a row out of range.
    const _CLItem* ItemAt(int nRow) const;
    // The row of a list entry (-1: the selection); NULL without a selection
    // and for item data 0, the list's first row.
    const _CLItem* SelectedItem(int nIndex = -1) const;
    // The row index SelectedItem stands for, -1 for none.
    int SelectedRow(int nIndex = -1) const;
    // From the last row back: the first whose name equals the text (bExact)
    // or holds it, without case; -1 when none.
    int FindItem(LPCWSTR lpszText, BOOL bExact) const;
    // From the last row back: the first whose extra text equals it without case.
    int FindItemByExtra(LPCWSTR lpszText) const;
    // The nearest group row at or above the row; -1 when none.
    int FindGroupRow(int nRow) const;
    // The list entry showing the row, -1 when it is not shown.
    int FindEntry(int nRow) const;

    // Refills the list with the rows that pass the filter and restores the
    // selection by row; returns the selected entry (-1: none).
    int FillFiltered(LPCWSTR lpszFilter, DWORD dwMask, BOOL bModifiers, BOOL bHideEmptyGroups);
    // The flag mask (with the sign bit: none of the bits, else any of them),
    // then the parent's answer (modifier mode) or the text in name,
    // description or number without case.
    BOOL RowPassesFilter(DWORD dwMask, LPCWSTR lpszFilter, int nRow, BOOL bModifiers);

    // The tooltip's current text.
    const CString& GetTipText() const { return m_strTip; }
    // The width of the name column (measured on the first drawing).
    int GetNameColumnWidth() const { return m_nNameWidth; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PreSubclassWindow() override;

protected:
    BOOL PassesUpper(DWORD dwMask, const CString& upperFilter, int nModifierMask, int nRow, BOOL bModifiers);
    int EntryHeight();
    void MeasureNameColumn(HDC hDC);
    // The entry under a client point, -1 when the point is on none.
    int EntryAt(CPoint point) const;
    void EnsureTip();
    void UpdateTip(CPoint point);
    HFONT BoldFont();

    CCommandList* m_pList = nullptr;
    BOOL m_bWidthPending = TRUE;
    int m_nNameWidth = 50;
    CToolTipCtrl m_tip;
    CString m_strTip;
    CFont m_boldFont;
};
