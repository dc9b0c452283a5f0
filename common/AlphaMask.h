// A picture of one colour whose opacity fades from left to right, blended
// onto a device context: the gradient marks of file-list rows, the folder
// tabs' highlight and the settings utility's previews.
#pragma once
#include "Framework.h"

class AlphaMask : public CObject {
    DECLARE_DYNAMIC(AlphaMask)
public:
    // `constantAlpha` is the blend's constant alpha (the engine 255, the
    // settings utility's previews 191).
    explicit AlphaMask(BYTE constantAlpha = 255) : m_constantAlpha(constantAlpha) {}

    // Mode 0 (linear) limits the width: percent 0..100 makes it
    // width * percent / 100 + 1, percent 101 or more min(percent - 100, width) + 1;
    // alpha falls from 255 at the left edge to 255 / width at the right.
    // Mode 1 (curved) keeps the width; alpha falls along a hyperbola from 128
    // to 0. Replaces an earlier picture; FALSE (and no picture) for an empty size.
    BOOL Build(CDC* pDC, LPCRECT rect, COLORREF color, int percent, int mode);
    // Blends the picture at `point` in its own size; nothing without a picture.
    void Draw(CDC* pDC, POINT point);

    COLORREF GetColor() const { return m_color; }
    // The rectangle built for, its right edge after the width rule.
    const CRect& GetRect() const { return m_rect; }
    const CBitmap& GetBitmap() const { return m_bitmap; }

private:
    COLORREF m_color = 0;
    CBitmap m_bitmap;
    CRect m_rect;
    BYTE m_constantAlpha;
};
