// The file list's side of the band selection with the middle button.
#include "TCFileList.h"
#include "EngineContext.h"
#include "ListPeers.h"
#include "EngineSettings.h"
#include <windowsx.h>

LRESULT CTCFileList::OnMButtonDown(LPARAM lParam)
{
    if (m_tracker.StartZiravirura({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
    return Default();
}

LRESULT CTCFileList::OnMButtonUp(LPARAM lParam)
{
    if (!m_tracker.IsTracking()) {
        CListPeers* peers = m_engine.ListPeers();
        if (peers && m_engine.Settings().MClick2NewTab) {
            LRESULT packed = Forward(LB_ITEMFROMPOINT, 0, lParam);
            CString path;
            if (!HIWORD(packed) && GetItemPath(path, MapRowToHost(LOWORD(packed))))
                peers->OpenInNewTab(*this, path);
        }
        return Default();
    }
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
