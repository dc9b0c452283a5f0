// COGMemDC: double-buffered drawing. Drawing goes into a memory bitmap of a
// rectangle of the target DC (the target's clip box unless given), filled
// first with the target's background colour, and is copied to the target
// when the object goes. Printer and metafile DCs are drawn into directly.
#pragma once

#include "Dc.h"

class COGMemDC : public CDC
{
public:
    explicit COGMemDC(CDC* pDC, const RECT* pRect = nullptr);
    ~COGMemDC() override;

private:
    CDC* m_pDC;
    CRect m_rect;
    CBitmap m_bitmap;
    BOOL m_bMemDC = FALSE;
};
