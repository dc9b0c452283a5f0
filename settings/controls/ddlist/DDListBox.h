// CDDListBox: an owner-drawn list box whose entries carry a check box (the
// entry's item data, 0 or 1), can be reordered by dragging with the mouse
// (scrolling by itself while the mouse is held above or below it) and can
// be renamed in place (F2 released, or a double-click). The parent learns
// of every change through the messages below; after every drop inside the
// list it also receives LBN_SELCHANGE. The list needs LBS_OWNERDRAWFIXED
// and LBS_HASSTRINGS.
#pragma once

#include <windows.h>
#include "Framework.h"

// List to parent, after a drag moved an entry: wParam the old index, lParam
// the index it was inserted before (-1: the end).
const UINT WMU_DDL_MOVED = WM_USER + 1010;
// List to parent, after a check box was clicked: wParam the index, lParam
// the new state.
const UINT WMU_DDL_CHECKED = WM_USER + 1011;
// Editor to list: wParam 1 accept, 0 cancel. List to parent, after a rename
// was taken: wParam the entry's new index, lParam its old text.
const UINT WMU_EDIT_DONE = WM_USER + 1012;
// List to parent, before a changed text is taken: wParam the index, lParam
// the new text; a non-zero answer takes it.
const UINT WMU_DDL_ACCEPTNAME = WM_USER + 1013;

// The in-place editor: Enter accepts, Escape cancels, losing the focus
// accepts; each is reported to the parent list as WMU_EDIT_DONE.
class CEditHelper : public CEdit
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CDDListBox : public CListBox
{
public:
    static const UINT_PTR ScrollDownTimer = 100;
    static const UINT_PTR ScrollUpTimer = 101;

    // Starts renaming the selected entry.
    void BeginEdit();
    // Ends renaming; with bAccept a changed text is offered to the parent.
    void EndEdit(BOOL bAccept);

    int GetDragItem() const { return m_nDragItem; }
    int GetInsertIndex() const { return m_nInsertIndex; }
    bool IsDragging() const { return m_bDragging; }
    UINT GetScrollInterval() const { return m_nScrollInterval; }
    int GetEditedIndex() const { return m_nEditIndex; }
    CEditHelper& GetEditor() { return m_editor; }
    // Text height + external leading + 2 of the list's font.
    int GetEntryHeight() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void AutoScroll(int nDistance, int nStep);
    void StopScrolling();
    // Moves the insertion index by nStep (-1 counted as the entry count,
    // kept within the entries) and scrolls the list by the same.
    void StepInsertIndex(int nStep);
    void SetInsertIndex(int nIndex);
    void DrawMark(int nIndex, COLORREF colour);
    void MoveEntry(int nFrom, int nTo);
    void NotifyParent(UINT message, WPARAM wParam, LPARAM lParam);

    int m_nDragItem = -1;
    int m_nInsertIndex = -1;
    bool m_bDragging = false;
    UINT m_nScrollInterval = 0;
    CEditHelper m_editor;
    int m_nEditIndex = -1;
    bool m_bEndingEdit = false;
};
