// The file list's side of the band selection with the middle button.
#include "TCFileList.h"
#include <windowsx.h>

LRESULT CTCFileList::OnMButtonDown(LPARAM lParam)
{
    if (m_tracker.StartZiravirura({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
    return Default();
}

LRESULT CTCFileList::OnMButtonUp()
{
    if (!m_tracker.IsTracking())
        return Default();
    m_tracker.EndZiravirura();
    return 0;
}

UINT CTCFileList::ListLayout()
{
    EnsureOrder();
    return m_layout;
}

int CTCFileList::RowAtPoint(POINT point, bool* outside)
{
    LRESULT packed = Forward(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    int row = RowFromPoint(point.x, point.y);
    if (outside)
        *outside = HIWORD(packed) != 0;
    return row;
}

bool CTCFileList::RowRect(int row, RECT* rect)
{
    return Forward(LB_GETITEMRECT, row, (LPARAM)rect) != LB_ERR;
}
