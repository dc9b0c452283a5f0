// CPropPageFrameEx: the page frame window of the tree property sheet
// (window class "PropPageFrameEx"). With visual styles it draws the pane of
// a tab control behind the pages; without, the button face. Its caption is
// a gradient from the inactive caption colour with an icon and the page's
// title.
#pragma once

#include "ImageList.h"
#include "PropPageFrame.h"
#include "ThemeLibEx.h"
#include "Wnd.h"

namespace TreePropSheet
{

class CPropPageFrameEx : public CWnd, public CPropPageFrame
{
public:
    CPropPageFrameEx() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pwndParent, UINT nID) override;
    CWnd* GetWnd() override { return this; }

    void SetCaption(LPCWSTR lpszCaption, HICON hIcon = nullptr) override;
    CRect CalcMessageRect() override;
    CRect CalcCaptionRect() override;
    void DrawCaption(CDC* pDc, CRect rect, LPCWSTR lpszCaption, HICON hIcon) override;
    virtual void DrawBackground(CDC* pDc);

    // TRUE when drawing with visual styles (the library is there and the
    // application has an active theme).
    virtual BOOL IsThemed() const { return m_themeLib.IsThemed(); }
    const CImageList& GetCaptionImages() const { return m_images; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    // WM_PRINTCLIENT: the same drawing into the given DC.
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void FillGradientRectH(CDC* pDc, const RECT& rect, COLORREF clrLeft, COLORREF clrRight);
    // The theme's content rectangle of the tab pane inside the client area.
    CRect ThemeContentRect();

    CImageList m_images;
    CThemeLibEx m_themeLib;
};

} // namespace TreePropSheet
