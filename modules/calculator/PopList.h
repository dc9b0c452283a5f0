// A list-view control used as a temporary popup list under (or above) an
// owner edit control. Run shows it, pumps the thread's messages until a row
// is chosen or the list is cancelled, and destroys it.
#pragma once
#include "Framework.h"
#include <commctrl.h>

class CPopList : public CWnd {
public:
    // Replaces the message loop (tests answer it without real input).
    typedef void (*LoopProc)(CPopList& list);

    CPopList(HWND owner, int maxRows = 15, int minWidth = 250);

    // Creates the popup list at the owner's screen rectangle.
    BOOL CreateAtOwner();
    // Places, fits, shows and runs the list; returns the chosen row or -1.
    int Run(LoopProc loop = nullptr);

    void PlaceAtOwner();
    void FitColumns();
    // The default loop: GetMessageW until done. A WM_QUIT taken here is
    // posted again for the host's own loop.
    void RunMessageLoop();

    // Ends the loop with the row (-1: cancelled).
    void EndWith(int row);
    BOOL IsDone() const { return m_done; }
    int GetChosenRow() const { return m_chosenRow; }
    HWND GetOwnerEdit() const { return m_owner; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    int FirstSelectedRow() const;

    HWND m_owner;
    int m_chosenRow = -1;
    BOOL m_done = FALSE;
    int m_maxRows;
    int m_minWidth;
};
