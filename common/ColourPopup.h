// The colour popup: a palette window of 40 named colours in 8 columns, with
// an optional default box (automatic / no colour) and an optional custom box
// that opens the common colour dialog. It holds the mouse capture while it is
// open, reports to its owner window and deletes itself when its window goes.
// The settings utility's colour button and the engine's folder tabs use it.
#pragma once
#include <windows.h>
#include "Framework.h"

// Messages from the popup to its owner (wParam the colour, lParam 0) and from
// a colour button to its parent (lParam the button's id).
const UINT WMU_COLOR_SELCHANGE = WM_USER + 1001;    // 2025: the hot box changed
const UINT WMU_COLOR_DROPDOWN = WM_USER + 1002;     // 2026: a button opened its popup
const UINT WMU_COLOR_CLOSEUP = WM_USER + 1003;      // 2027: the popup closed
const UINT WMU_COLOR_SELENDOK = WM_USER + 1004;     // 2028: a colour was chosen
const UINT WMU_COLOR_SELENDCANCEL = WM_USER + 1005; // 2029: cancelled; wParam the initial colour

// 0xFF000000: automatic or no colour (the default box).
const COLORREF PopupColorAutomatic = 0xFF000000;

struct ColourTableEntry {
    COLORREF colour;
    LPCWSTR name;
};
const int ColourCount = 40;
const int ColourColumns = 8;
extern const ColourTableEntry ColourTable[ColourCount];

// Box indexes besides the table's 0..39.
const int BoxNone = -1;
const int BoxCustom = -2;
const int BoxDefault = -3;

class CColourPopup : public CWnd {
    DECLARE_DYNAMIC(CColourPopup)
public:
    CColourPopup();
    ~CColourPopup() override;

    // Opens the popup at (x, y) (screen) for `owner`, which receives the
    // colour messages. An empty text leaves its box out. FALSE when the
    // window could not be made (the object is then still the caller's).
    BOOL Create(COLORREF initial, HWND owner, LPCWSTR defaultText, LPCWSTR customText, int x, int y);

    // The box a colour starts on.
    static int InitialIndex(COLORREF colour, bool hasDefault, bool hasCustom);
    // The box a navigation key (VK_LEFT/UP/RIGHT/DOWN) leads to from `from`.
    static int NextBox(int from, UINT vk, bool hasDefault, bool hasCustom);
    // `window` moved inside `work`: shifted left past the right edge, to the
    // left edge before it, above `owner` past the bottom.
    static CRect KeepOnScreen(const CRect& window, const RECT& work, const RECT& owner);

    int HotIndex() const { return m_hotIndex; }
    int ChosenIndex() const { return m_chosenIndex; }
    COLORREF ChosenColour() const { return m_chosenColour; }
    // A box's rectangle in client coordinates (empty for a missing box).
    CRect BoxRect(int index) const;
    // Paints the whole popup into `dc`.
    void Draw(CDC* dc);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    // Runs the common colour dialog of the custom box; IDOK when a colour was chosen.
    virtual INT_PTR RunColourDialog(CColorDialog& dialog) { return dialog.DoModal(); }

private:
    LRESULT OnPaint();
    LRESULT OnMouseMove(LPARAM lParam);
    LRESULT OnLButtonUp(LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam);
    LRESULT OnActivateApp(WPARAM wParam);

    void Layout(int x, int y);
    void AddTooltips();
    int HitBox(POINT point) const;
    void ChangeHot(int index);
    void EndOk();
    void EndCancel();
    void DrawColourBox(CDC* dc, int index);
    void DrawTextBox(CDC* dc, int index);
    void InvalidateBox(int index);

    int m_boxSize;
    int m_margin;
    int m_rows;
    int m_gridTop = 0; // the colour grid's offset below the default box
    int m_hotIndex = BoxNone;
    int m_chosenIndex = BoxNone;
    CString m_defaultText;
    CString m_customText;
    CRect m_customRect;
    CRect m_defaultRect;
    CRect m_windowRect;
    CFont m_font;
    CPalette m_palette;
    COLORREF m_initialColour = PopupColorAutomatic;
    COLORREF m_chosenColour = PopupColorAutomatic;
    HWND m_owner = nullptr;
    bool m_dialogOpen = false;
    bool m_ended = false;
    CToolTipCtrl m_toolTip;
};
