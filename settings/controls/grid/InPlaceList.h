// CInPlaceList: the drop-down list over a combo cell of a grid while its
// option is chosen. It drops down at once; closing the list, Tab, Enter,
// Esc (which puts the starting choice back), Ctrl with a page or arrow key
// and, for a drop-down list, losing the focus end the edit: the
// end-of-edit record (GridDisplayInfo, LVN_ENDLABELEDITW, user value = the
// chosen option's index, -1 for none) goes to the grid and the list
// closes. The object deletes itself when its window is gone.
// CComboEdit: the edit child of an editable drop-down, passing the keys
// that end the edit on to its list.
#pragma once

#include "GridTypes.h"

class CComboEdit : public CEdit
{
    DECLARE_DYNAMIC(CComboEdit)
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override { delete this; }
};

class CInPlaceList : public CComboBox
{
    DECLARE_DYNAMIC(CInPlaceList)
public:
    // Makes the list over rect (grown by room for four more rows) with the
    // options, the one equal to pszText chosen, dropped down and focused.
    // NULL when the window could not be made.
    static CInPlaceList* Begin(CWnd* pGrid, CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                               COLORREF crText, COLORREF crBack, const CStringArray& options, LPCWSTR pszText,
                               UINT nFirstChar);

    // Tells the grid and closes; once only.
    void EndEdit();
    // The widest option plus a scroll bar and a digit, at most 200.
    int DropWidth();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    CInPlaceList(int nRow, int nCol, LPCWSTR pszText, COLORREF crText, COLORREF crBack);
    BOOL IsDropDownList() const { return (GetStyle() & 3) == CBS_DROPDOWNLIST; }
    // Gives the focus back to the grid, which ends the edit.
    void Finish();
    // Esc: the starting choice (or text) back.
    void Restore();

    int m_row;
    int m_col;
    CString m_initText;
    int m_initIndex = -1;
    UINT m_lastChar = 0;
    BOOL m_exitOnArrows = FALSE;
    COLORREF m_textColour;
    COLORREF m_background;
    BOOL m_ending = FALSE;
    BOOL m_selfDeleting = FALSE;
};
