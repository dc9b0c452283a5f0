// A cached gradient mark of file-list rows: one per mark bit, style, colour
// and row size.
#pragma once
#include "AlphaMask.h"

class ItemMark : public CObject {
    DECLARE_DYNAMIC(ItemMark)
public:
    ItemMark(UINT id, UINT style, COLORREF color) : m_id(id), m_style(style), m_color(color) {}

    bool Fits(UINT style, COLORREF color, int width, int height) const
    {
        return m_style == style && m_color == color && m_width == width && m_height == height;
    }
    BOOL Build(CDC* dc, const RECT& row, int percent);

    UINT m_id;
    UINT m_style;
    COLORREF m_color;
    int m_width = 0, m_height = 0;  // of the row built for
    AlphaMask m_mask;
};
