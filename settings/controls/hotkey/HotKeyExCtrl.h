// CHotKeyExCtrl: an edit box for a hotkey text ("Ctrl+Shift+F5"), typed or
// captured. A square at the box's right end shows the mode and switches it:
// "E" edit mode (typing), "H" hotkey mode (the next key pressed anywhere is
// captured through a low-level keyboard hook), "S" hotkey mode that writes
// the modifiers' sides, "X" a disabled box. A left click on the square
// cycles E -> H -> S -> E, a right click opens the mode menu.
//
// The parent is told (WM_COMMAND, SendMessage) of an accepted hotkey with
// HKXN_CHANGED and of a cleared one with HKXN_CLEARED. A typed text counts
// only when the user typed it: text the program sets (the page showing a
// command's key, the box's own "<NONE>" and "Press any key...") never
// leads to HKXN_CHANGED, and after it was sent the text counts as shown,
// so a later focus change does not send it again.
#pragma once

#include <windows.h>
#include "CommonControls.h"
#include "Controls.h"
#include "Gdi.h"
#include "Menu.h"

// Notification codes of WM_COMMAND to the parent.
const WORD HKXN_CHANGED = 0x301;
const WORD HKXN_CLEARED = 0x302;
// Posted by the hook to the capturing box: wParam the keyboard message,
// lParam the virtual key.
const UINT WMU_HOTKEY_CAPTURED = WM_APP + 1;

class CHotKeyExCtrl : public CEdit
{
public:
    // The commands of the mode menu.
    enum MenuCommand
    {
        MenuEditMode = 1,
        MenuHotKeyMode = 2,
        MenuRememberSide = 3,
        MenuClearHotkey = 5,
    };

    CHotKeyExCtrl();
    ~CHotKeyExCtrl() override;

    // The hotkey, or an empty text for "<NONE>".
    CString GetHotkeyText() const;
    // Shows a hotkey; an empty text shows "<NONE>".
    void SetHotkeyText(LPCWSTR lpszText);

    // Hotkey mode: installs the hook for this box unless a box holds it.
    // FALSE when this box does not capture afterwards.
    BOOL StartCapture();
    // Back to edit mode; without a captured key the text from before the
    // capture comes back.
    void EndCapture();
    BOOL IsCapturing() const { return m_bCapturing; }
    BOOL GetRememberSide() const { return m_bRememberSide; }
    // The left click on the indicator square and the menu's commands.
    void CycleMode();
    void OnMenuCommand(UINT nCommand);

    // Indicator icons (16x16, not owned; NULL: the mode's colour).
    void SetIndicatorIcons(HICON hEdit, HICON hHotKey, HICON hSide, BOOL bUseIcons);
    // The menu's texts in the user's language: the three mode names
    // "Edit Mode|HotKey Mode|Remember Side" and "Clear Hotkey". A missing or
    // empty text (or part) keeps the English one.
    void SetMenuTexts(LPCWSTR lpszModes, LPCWSTR lpszClear);
    // The mode menu as a right click on the square shows it.
    BOOL BuildMenu(CMenu& menu) const;
    // 0: silent; otherwise the MessageBeep sound played on a capture.
    void SetBeepType(UINT nBeep) { m_nBeep = nBeep; }
    // The indicator square in client coordinates.
    CRect GetIndicatorRect() const;

    static const WCHAR NoneText[];    // "<NONE>"
    static const WCHAR PressText[];   // "Press any key..."
    static const WCHAR TipText[];

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

protected:
    // The font, "<NONE>" in an empty box and the formatting rectangle.
    void Setup();
    LRESULT OnCaptured(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTextChanged();
    void ShowMenu(CPoint point);
    void DrawIndicator(HDC hDC);
    void UpdateFormatRect();
    void Notify(WORD nCode);
    // Sets the text as the box's own (never a user edit).
    void SetOwnText(LPCWSTR lpszText);
    BOOL HasNoneText() const;

    CToolTipCtrl m_tip;
    CString m_strModes[3] = { L"Edit Mode", L"HotKey Mode", L"Remember Side" };
    CString m_strClear = L"Clear Hotkey";
    COLORREF m_crEdit = RGB(0, 128, 0);
    COLORREF m_crHotKey = RGB(128, 0, 0);
    COLORREF m_crSide = RGB(0, 0, 128);
    HICON m_hIconEdit = nullptr;
    HICON m_hIconHotKey = nullptr;
    HICON m_hIconSide = nullptr;
    UINT m_nBeep = 0;
    BOOL m_bUseIcons = FALSE;
    CFont m_font;
    BOOL m_bCaptured = FALSE;
    BOOL m_bCapturing = FALSE;
    BOOL m_bRememberSide = FALSE;
    bool m_keyDown[256] = {};
    CString m_strSaved;
    BOOL m_bTyped = FALSE;
    int m_nOwnText = 0; // > 0 while the box sets its own text
};
