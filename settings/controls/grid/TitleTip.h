// CTitleTip: a small popup (window class "ZTitleTip") that shows the whole
// text of a grid cell whose text is clipped, over the cell, while the mouse
// stays on the cell. It holds the mouse while shown: a move off the cell, a
// button press or a key hides it and passes the message on to the window
// under the cursor (key presses to the grid).
#pragma once

#include "Framework.h"

class CTitleTip : public CWnd
{
    DECLARE_DYNAMIC(CTitleTip)
public:
    CTitleTip();
    ~CTitleTip() override;

    // The grid the tip belongs to (its window need not exist yet).
    void SetParentWnd(CWnd* pParentWnd) { m_parent = pParentWnd; }
    // Registers "ZTitleTip" once (throws CResourceException when the system
    // refuses) and makes the hidden popup.
    BOOL Create(CWnd* pParentWnd);
    BOOL IsCreated() const { return m_created; }

    // Shows pszText with a blank before and after it at the top-left of
    // rectTitle, when it does not fit into rectTitle. Both rectangles are in
    // the parent's client coordinates; the tip stays while the mouse is in
    // rectHover (or rectTitle). CLR_DEFAULT colours: the window's own.
    void Show(const CRect& rectTitle, LPCWSTR pszText, const CRect* pHoverRect = nullptr,
              const LOGFONTW* pFont = nullptr, COLORREF crText = CLR_DEFAULT, COLORREF crBack = CLR_DEFAULT);
    void Hide();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override { m_created = FALSE; }

private:
    LRESULT OnPaint();
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    // Posts a mouse message to the window under the screen point (the grid
    // when that is the tip), as a client or non-client message by its hit
    // test.
    void PassOn(UINT message, WPARAM wParam, POINT screen);
    // Selects the tip's font (its record, else the grid's) into dc.
    void SelectTextFont(CDC& dc, CFont& font);

    CWnd* m_parent = nullptr;
    CRect m_hoverRect; // screen coordinates
    DWORD m_lastClickTick = (DWORD)-1;
    UINT m_doubleClickTime;
    BOOL m_created = FALSE;
    CString m_text;
    LOGFONTW m_font = {};
    BOOL m_hasFont = FALSE;
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_background = CLR_DEFAULT;
};
