// The "Duplicated Hotkeys" window: every pair of commands that share a key,
// in a report list (1st command, hotkey, 2nd command). It sits above the
// settings sheet, is refilled while keys are edited, and a double-click on
// a pair visits the page where that command's key can be changed.
#pragma once

#include <windows.h>
#include "CommonControls.h"
#include "Duplicates.h"
#include "Wnd.h"

// Visits a command by name (the sheet: the page that edits its key).
class CCommandNavigator
{
public:
    virtual ~CCommandNavigator() {}
    virtual void GoToCommand(LPCWSTR lpszCommand) = 0;
    // Brings every page's duplicates button and open window up to date
    // (a page's keys change the pairs the other page shows).
    virtual void RefreshDuplicates() = 0;
};

// Where the window goes: the main window's width, 150 pixels high, ending
// one pixel above the main window. Moved down onto the screen when it would
// start above it; the main window then moves down by the overlap when it
// still fits on the screen that way.
struct CDupPlacement
{
    CRect window;
    int nMainShift; // how far the main window moves down
};
CDupPlacement PlaceDuplicates(const CRect& mainWindow, int nScreenHeight);

class CDupList : public CListCtrl
{
public:
    // Column 1 fits its widest text (never narrower than its heading);
    // columns 0 and 2 share the rest of the width.
    void AddPair(LPCWSTR lpszFirst, LPCWSTR lpszKey, LPCWSTR lpszSecond);
    void FitColumns();
    // The command a double-click on the row's column names: column 2's for
    // column 2, else column 0's.
    CString CommandAt(int nItem, int nColumn) const;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CCommandNavigator* m_pNavigator = nullptr;
};

class CDupView : public CWnd
{
public:
    static const UINT CommandsItem = 2; // the system menu's "Commands" item

    // The window over the main window, owned by pOwner; the column headings
    // are given (texts 186, 187, 188).
    BOOL Create(CWnd* pOwner, HWND hWndMain, LPCWSTR lpszCaption, const LPCWSTR headings[3],
                CCommandNavigator* pNavigator);
    // Replaces every row.
    void SetPairs(const CHKDuplicates& dups);
    // Finds the commands of `holder` that share a key, enables `hButton`
    // (the page's "Duplicated Hotkeys" button) while there are any and
    // refills the window when it is open; returns the number of pairs.
    int Refresh(const CHotKeyHolder& holder, HWND hButton);
    // Brings the open window forward, or opens it over the sheet `pPage` sits
    // in when there are pairs, with the button's text as its caption.
    void Open(CWnd* pPage, HWND hButton, const CHotKeyHolder& holder, const LPCWSTR headings[3],
              CCommandNavigator* pNavigator);
    CDupList& GetList() { return m_list; }
    BOOL IsCommandsChecked() const { return m_bCommands; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);

    CDupList m_list;
    HWND m_hWndMain = nullptr;
    BOOL m_bCommands = FALSE;
};
