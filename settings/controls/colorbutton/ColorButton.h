// The colour button: an owner-drawn push button showing a colour swatch and
// a drop-down arrow. A click opens the colour popup below the button; what
// the popup reports reaches the button's parent as the colour messages
// (wParam the colour, lParam the button's id):
//   WMU_COLOR_DROPDOWN when the popup opens,
//   WMU_COLOR_CLOSEUP then WMU_COLOR_SELENDOK or WMU_COLOR_SELENDCANCEL when
//   it closes, and WMU_COLOR_SELCHANGE when the button's colour changed.
// The parent does not receive the button's BN_CLICKED.
#pragma once

#include <windows.h>
#include "Framework.h"
#include "ColourPopup.h"

class CColorButton : public CButton
{
    DECLARE_DYNCREATE(CColorButton)
public:
    CColorButton();

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);
    // The colour drawn for PopupColorAutomatic while the automatic flag is on.
    COLORREF GetDefaultColor() const { return m_defaultColor; }
    void SetDefaultColor(COLORREF color);
    void SetDefaultText(LPCWSTR text) { m_defaultText = text ? text : L""; }
    void SetCustomText(LPCWSTR text) { m_customText = text ? text : L""; }
    const CString& GetDefaultText() const { return m_defaultText; }
    const CString& GetCustomText() const { return m_customText; }
    // On: every colour the user moves over in the popup becomes the button's
    // colour at once and is reported.
    void SetTrackSelection(bool track) { m_trackSelection = track; }
    // PopupColorAutomatic then means "no colour" (drawn hatched); the
    // default box shows `text`, or "No Color" when none is given.
    void SetNoColorText(LPCWSTR text = nullptr);
    bool IsAutomatic() const { return m_automatic; }
    // The colour the button stands for: the default colour while it shows
    // automatic, else its colour.
    COLORREF GetShownColor() const
    { return m_color == PopupColorAutomatic && m_automatic ? m_defaultColor : m_color; }
    bool IsPopupOpen() const { return m_popupOpen; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnClicked();
    LRESULT OnSelEndOk(COLORREF color);
    LRESULT OnSelEndCancel(COLORREF color);
    LRESULT OnSelChange(COLORREF color);
    void NotifyParent(UINT message, COLORREF color);
    void Repaint();
    void DrawSwatch(CDC* dc, const CRect& rect);

    COLORREF m_color = PopupColorAutomatic;
    COLORREF m_defaultColor;
    CString m_defaultText;
    CString m_customText;
    bool m_popupOpen = false;
    bool m_trackSelection = false;
    bool m_automatic = true;
};
