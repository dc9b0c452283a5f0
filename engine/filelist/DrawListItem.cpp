// The host draws each row of the list at its main window's WM_DRAWITEM; the
// engine gives it the host index of the row to draw.
#include "TCFileList.h"

LRESULT CTCFileList::DrawListItem(CSubclassWnd& host, DRAWITEMSTRUCT* item)
{
    // The engine's own recording of a row goes to the host unchanged.
    if (item && IsCaptureDraw(item->hDC))
        return host.Default();
    if (!item || !m_hWnd || m_capturing || m_redrawSuspended || item->itemID == (UINT)-1)
        return (LRESULT)m_hWnd;
    if (m_layout == LayoutThumbnails)
        return host.Default();
    // The item data at a row is the data of the row's host item already
    // (LB_SETITEMDATA is mapped); only the item changes.
    UINT row = item->itemID;
    item->itemID = (UINT)MapRowToHost((int)row);
    LRESULT result = host.Default();
    item->itemID = row;
    return result;
}
