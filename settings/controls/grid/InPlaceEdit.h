// CInPlaceEdit: the edit control over a grid cell while its text is edited.
// It ends the edit on Enter, Tab, Esc (which puts the starting text back),
// on the page and arrow keys when it was started by a key (or with Ctrl),
// and when it loses the focus: the end-of-edit record (GridDisplayInfo,
// LVN_ENDLABELEDITW, user value = the key that ended it, 0 when the focus
// simply left) goes to the grid, then the editor closes. The object
// deletes itself when its window is gone.
#pragma once

#include "GridTypes.h"

// Tells the editor's parent (the grid) that the edit of (row, col) ended:
// LVN_ENDLABELEDITW with the text and the value (a key or an option index).
void SendEndEditRecord(HWND hEditor, int nRow, int nCol, int nValue, const CString& strText);

class CInPlaceEdit : public CEdit
{
    DECLARE_DYNAMIC(CInPlaceEdit)
public:
    // Makes the editor over rect (the grid's client coordinates) with the
    // cell's text and the focus, started by nFirstChar: VK_LBUTTON or Enter
    // put the caret after the text, Backspace removes the last character,
    // Tab and a restart (a key with GridMoveRestart) select the whole text,
    // any other character replaces it. NULL when the window could not be made.
    static CInPlaceEdit* Begin(CWnd* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                               LPCWSTR pszText, UINT nFirstChar);

    // Tells the grid and closes; once only.
    void EndEdit();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

private:
    CInPlaceEdit(int nRow, int nCol, LPCWSTR pszText, UINT nFirstChar, const CRect& rect);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    // Ends the edit with nKey by giving the focus back to the grid.
    void FinishWith(UINT nKey);
    // Widens the editor to its text plus two blanks, up to the grid's
    // right edge.
    void Grow();

    int m_row;
    int m_col;
    CString m_initText;
    UINT m_lastChar = 0;
    BOOL m_exitOnArrows;
    CRect m_rect;
    BOOL m_ending = FALSE;
    BOOL m_selfDeleting = FALSE; // set once the window exists
};

// Page and arrow keys: those that end an edit when moving is asked for.
inline bool IsGridMoveKey(UINT nKey)
{
    return nKey == VK_PRIOR || nKey == VK_NEXT || (nKey >= VK_LEFT && nKey <= VK_DOWN);
}
