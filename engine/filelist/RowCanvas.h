// A memory device context with a 32-bit DIB section of one row's size, kept
// from row to row and made again only when the row size changes.
#pragma once
#include "Framework.h"

class CRowCanvas {
public:
    // The canvas for a row of `width` x `height`; null when it cannot be made.
    CDC* Get(CDC& like, int width, int height)
    {
        if (m_dc.GetSafeHdc() && width == m_width && height == m_height)
            return &m_dc;
        Free();
        void* bits = nullptr;
        if (!m_dc.CreateCompatibleDC(&like) || !m_bitmap.CreateDIB32(width, height, &bits) || !bits) {
            Free();
            return nullptr;
        }
        m_dc.SelectObject(&m_bitmap);
        m_bits = static_cast<DWORD*>(bits);
        m_width = width;
        m_height = height;
        return &m_dc;
    }
    // The pixels (0x00RRGGBB, top-down), after GdiFlush.
    DWORD* Bits() const { return m_bits; }
    void Free()
    {
        m_dc.DeleteDC();
        m_bitmap.DeleteObject();
        m_bits = nullptr;
        m_width = m_height = 0;
    }

private:
    CBitmap m_bitmap;  // declared first: the DC lets go of it before it goes
    CDC m_dc;
    DWORD* m_bits = nullptr;
    int m_width = 0, m_height = 0;
};
