// CIconDialog: picks an icon (a file and an icon index in it) through the
// shell's pick-icon dialog, run by the prompt service, and adds to that
// dialog a "Clear" button that asks to remove the icon. While the shell's
// dialog runs, a call-window-procedure hook on this thread adds the button
// when the dialog initialises and ends the dialog when it is clicked.
#pragma once

#include <windows.h>
#include "CommonDialogs.h"

class CIconDialog : public CCommonDialog
{
public:
    enum Result
    {
        IconChosen = 1,
        IconCancelled = 2, // also when the shell has no pick-icon dialog
        IconCleared = 3,
    };
    // Id of the added button; it lines up with the shell dialog's control
    // AnchorId.
    static const int ClearButtonId = 3;
    static const int AnchorId = 0x3009;

    // An empty path leaves the path empty; any other is stored with its
    // environment variables expanded.
    CIconDialog(LPCWSTR lpszPath, int nIndex, CWnd* pParentWnd = nullptr);
    ~CIconDialog() override;

    // One of Result.
    INT_PTR DoModal() override;

    LPCWSTR GetPath() const { return m_szPath; }
    int GetIndex() const { return m_nIndex; }
    // The chosen icon (owned by the dialog; NULL when none could be had).
    HICON GetIcon() const { return m_hIcon; }
    // How many icons the chosen file holds.
    UINT GetIconCount() const { return m_nIconCount; }
    // The added button's caption ("Clear" unless set).
    void SetClearText(LPCWSTR lpszText) { m_strClearText = lpszText; }

    // Whether a picker's hook is installed on this thread.
    static bool IsPicking();

    // The environment-expanded path into a MAX_PATH buffer. When the
    // expansion does not fit, the path is kept unexpanded, or emptied when
    // that does not fit either.
    static void ExpandPath(LPCWSTR lpszPath, LPWSTR lpszBuffer);

private:
    static LRESULT CALLBACK CallWndHook(int nCode, WPARAM wParam, LPARAM lParam);
    void AddClearButton(HWND hDialog);

    WCHAR m_szPath[MAX_PATH] = {};
    int m_nIndex = 0;
    HICON m_hIcon = nullptr;
    UINT m_nIconCount = 0;
    CString m_strClearText = L"Clear";
    // State of a run.
    HHOOK m_hHook = nullptr;
    HWND m_hClearButton = nullptr;
    HWND m_hShellDialog = nullptr;
    bool m_bClearPressed = false;
};
