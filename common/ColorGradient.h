// Gradient fills made of 255 solid bands, whatever the size of the rectangle.
#pragma once
#include <windows.h>

class CDC;

// Band i of 255 spans trunc(i * extent / 255) to trunc((i + 1) * extent / 255)
// along the width (or, `vertical`, the height) and covers the rectangle
// across; the last band ends at the far edge. Its colour is, per channel,
// trunc(c1 + (c2 - c1) * i / 255).
void BandFill(CDC* pDC, LPCRECT rect, COLORREF c1, COLORREF c2, BOOL vertical);

// Style 1 horizontal, 2 vertical, 3 vertical to the middle and back (the
// upper part, one row more on an odd height, from c1 to c2, the lower part
// from c2 to c1); any other style draws nothing.
void FillGradient(CDC* pDC, LPCRECT rect, COLORREF c1, COLORREF c2, int style);
