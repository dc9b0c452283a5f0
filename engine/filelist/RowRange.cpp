// Scrolling by rows and selecting a band of rows, for the band selection
// with the middle button. Both act on the real list box, in row space.
#include "TCFileList.h"

bool CTCFileList::ScrollRows(int delta)
{
    int top = TopRow(), count = Count();
    int height = (int)Forward(LB_GETITEMHEIGHT, 0);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int visible = height > 0 ? (client.bottom - client.top) / height : 0;
    int newTop;
    if (m_layout == LayoutMultiColumn) {
        // Whole columns.
        SCROLLINFO info = {sizeof(info), SIF_ALL};
        if (visible <= 0 || !::GetScrollInfo(m_hWnd, SB_HORZ, &info))
            return false;
        int last = info.nMax - (info.nPage > 0 ? (int)info.nPage - 1 : 0);
        if (delta < 1 && info.nPos > info.nMin)
            newTop = top - visible;
        else if (delta >= 1 && info.nPos < last)
            newTop = top + visible;
        else
            return false;
        if (newTop < 0)
            newTop = 0;
    } else if (delta < 0) {
        newTop = top + delta;
        if (newTop < 0)
            newTop = top - 1;
        if (newTop < 0)
            return false;
    } else {
        if (top + visible + delta > count)
            delta = 1;
        if (top + visible + delta > count)
            return false;
        newTop = top + delta;
    }
    SetRedraw(FALSE);
    Forward(LB_SETTOPINDEX, newTop);
    SetRedraw(TRUE);
    RedrawWhole();
    return true;
}

void CTCFileList::SelectRowRange(int start, int end, int rowsPerColumn, UINT flags)
{
    int count = Count();
    if (count <= 0)
        return;
    start = start < 0 ? 0 : (start >= count ? count - 1 : start);
    end = end < 0 ? 0 : (end >= count ? count - 1 : end);
    if (start > end)
        std::swap(start, end);
    bool block = m_layout == LayoutMultiColumn && rowsPerColumn > 0;
    int firstColumn = 0, lastColumn = 0, firstPlace = 0, lastPlace = 0;
    if (block) {
        firstColumn = start / rowsPerColumn;
        lastColumn = end / rowsPerColumn;
        firstPlace = std::min(start % rowsPerColumn, end % rowsPerColumn);
        lastPlace = std::max(start % rowsPerColumn, end % rowsPerColumn);
    }
    for (int row = start; row <= end; ++row) {
        if (block) {
            int column = row / rowsPerColumn, place = row % rowsPerColumn;
            if (column < firstColumn || column > lastColumn || place < firstPlace || place > lastPlace)
                continue;
        }
        BOOL select;
        if (flags & 0x20000)
            select = TRUE;
        else if (flags & 0x10000)
            select = FALSE;
        else
            select = Forward(LB_GETSEL, row) <= 0;
        Forward(LB_SETSEL, select, row);
    }
}
