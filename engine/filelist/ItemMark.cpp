#include "ItemMark.h"

IMPLEMENT_DYNAMIC(ItemMark, CObject)

BOOL ItemMark::Build(CDC* dc, const RECT& row, int percent)
{
    m_width = row.right - row.left;
    m_height = row.bottom - row.top;
    return m_mask.Build(dc, &row, m_color, percent, 0);
}
