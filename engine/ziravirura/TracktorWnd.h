// The band of the band selection: a layered, topmost tool window showing a
// rectangle of one colour, its one-pixel border opaque and its inside
// translucent by the opacity.
#pragma once
#include "Framework.h"

// Fills a 32-bit top-down picture of `width` x `height` (premultiplied
// alpha): the border pixels `color` fully opaque, every inner pixel the
// colour at alpha `opacity` (each channel times opacity / 255).
void BuildBandPixels(DWORD* bits, int width, int height, COLORREF color, int opacity);

class CTracktorWnd : public CWnd {
    DECLARE_DYNAMIC(CTracktorWnd)
public:
    CTracktorWnd(COLORREF fill, int opacity) : m_fill(fill), m_opacity(opacity) {}

    // Creates the band hidden at `point`, 110 by 110 pixels.
    BOOL CreateBand(POINT point);
    // Moves and sizes the band to a screen rectangle and repaints it.
    void ShowBand(const RECT& screen);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    // The layered picture for the current size; false when no pixels can be had.
    bool UpdateLayered();

    COLORREF m_fill;
    COLORREF m_frame = 0;
    int m_opacity;
    CBitmap m_picture;  // kept while the size stays
    SIZE m_pictureSize = {};
    RECT m_screen = {};
};
