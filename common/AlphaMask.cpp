#include "AlphaMask.h"
#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_DYNAMIC(AlphaMask, CObject)

namespace {

// One row of premultiplied pixels; every row of the picture is the same.
void FillRow(DWORD* row, int width, COLORREF color, int mode)
{
    double half = 0.0, d = 0.0;
    if (mode == 1) {
        double w = (double)(float)width;
        half = w / 2.0;
        d = std::sqrt(half * half + 1500.0 * w) - half;
    }
    for (int x = 0; x < width; ++x) {
        float a;
        if (mode == 1)
            a = (float)(1500.0 / ((double)x + d) + 1.0 - 1500.0 / d) * 128.0f;
        else
            a = (float)(width - x) / (float)width * 255.0f;
        DWORD alpha = (DWORD)(int)a & 0xFF;
        float f = (float)alpha / 255.0f;
        DWORD red = (DWORD)(int)((float)GetRValue(color) * f) & 0xFF;
        DWORD green = (DWORD)(int)((float)GetGValue(color) * f) & 0xFF;
        DWORD blue = (DWORD)(int)((float)GetBValue(color) * f) & 0xFF;
        row[x] = alpha << 24 | red << 16 | green << 8 | blue;
    }
}

} // namespace

// A DIB section does not depend on the device, so the DC is not needed to make it.
BOOL AlphaMask::Build(CDC*, LPCRECT rect, COLORREF color, int percent, int mode)
{
    m_bitmap.DeleteObject();
    m_color = color;
    m_rect = rect ? CRect(*rect) : CRect();
    if (mode == 0) {
        LONGLONG width = (LONGLONG)m_rect.right - m_rect.left;
        LONGLONG limited = percent <= 100 ? width * percent / 100 + 1 : std::min<LONGLONG>(percent - 100, width) + 1;
        m_rect.right = (LONG)std::min<LONGLONG>(m_rect.left + limited, LONG_MAX);
    }
    LONGLONG w = (LONGLONG)m_rect.right - m_rect.left, h = (LONGLONG)m_rect.bottom - m_rect.top;
    if (w <= 0 || h <= 0 || w * h * 4 > INT_MAX)
        return FALSE;
    void* bits = nullptr;
    if (!m_bitmap.CreateDIB32((int)w, (int)h, &bits))
        return FALSE;
    DWORD* pixels = static_cast<DWORD*>(bits);
    FillRow(pixels, (int)w, color, mode);
    for (LONGLONG y = 1; y < h; ++y)
        std::copy(pixels, pixels + w, pixels + y * w);
    return TRUE;
}

void AlphaMask::Draw(CDC* pDC, POINT point)
{
    if (!pDC || !m_bitmap.GetSafeHandle())
        return;
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    memory.SelectObject(&m_bitmap);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_constantAlpha, AC_SRC_ALPHA};
    pDC->AlphaBlend(point.x, point.y, m_rect.Width(), m_rect.Height(), &memory, 0, 0, m_rect.Width(),
                    m_rect.Height(), blend);
}
