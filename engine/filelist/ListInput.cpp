// Keys and scrolling of the file list. The default handling of a scroll runs
// with redrawing off (the list box would paint rows in its own order in
// between); afterwards the list is redrawn whole when its top row or caret
// moved, and the empty space the list box leaves unpainted is invalidated.
#include "TCFileList.h"
#include "EngineContext.h"
#include "ListPeers.h"
#include "EngineSettings.h"

LRESULT CTCFileList::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    UINT vk = (UINT)wParam;
    m_keyState = KeyPressed;
    bool control = KeyDown(VK_CONTROL);
    if (vk == VK_INSERT && !control && !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU))
        m_keyState = KeyInsert;
    if ((vk == VK_LEFT || vk == VK_RIGHT) && !control)
        m_arrowSideways = TRUE;
    if ((vk == VK_UP || vk == VK_DOWN) && vk == m_lastKeyDown) {
        // An auto-repeated arrow: the host sees each repeat end first.
        LPARAM up = ((LPARAM)::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16) | (LPARAM)0xD0000000;
        for (int repeat = LOWORD(lParam); repeat > 0; --repeat)
            ::SendMessageW(m_hWnd, WM_KEYUP, vk, up);
    }
    m_lastKeyDown = vk;
    bool picture = HasBackgroundPicture();
    if (picture)
        SetRedraw(FALSE);
    int top = TopRow(), caret = CaretRow();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    LRESULT result = Default();
    if (picture) {
        SetRedraw(TRUE);
        RECT now;
        ::GetClientRect(m_hWnd, &now);
        int newCaret = CaretRow();
        if (TopRow() != top) {
            RedrawWhole();
        } else if (newCaret == caret) {
            if (!::EqualRect(&now, &client))
                RedrawWhole();
        } else {
            InvalidateRow(caret);
            InvalidateRow(newCaret);
            ::UpdateWindow(m_hWnd);
        }
    }
    m_keyState = KeyIdle;
    m_arrowSideways = FALSE;
    return result;
}

LRESULT CTCFileList::OnKeyUp()
{
    m_lastKeyDown = 0;
    return Default();
}

LRESULT CTCFileList::DefaultWithRedrawOff(bool* moved)
{
    int top = TopRow(), caret = CaretRow();
    SetRedraw(FALSE);
    m_redrawSuspended = TRUE;
    LRESULT result = Default();
    m_redrawSuspended = FALSE;
    SetRedraw(TRUE);
    *moved = TopRow() != top || CaretRow() != caret;
    return result;
}

void CTCFileList::InvalidateBelowBottomRow()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int row = RowFromPoint(client.left, client.bottom - 1);
    RECT rect;
    if (row < 0 || Forward(LB_GETITEMRECT, row, (LPARAM)&rect) == LB_ERR || rect.bottom >= client.bottom)
        return;
    RECT below = {rect.left, rect.bottom, client.right, client.bottom};
    ::InvalidateRect(m_hWnd, &below, TRUE);
}

void CTCFileList::InvalidateEmptyColumns()
{
    int count = Count(), top = TopRow();
    int height = (int)Forward(LB_GETITEMHEIGHT, 0);
    RECT client, last;
    ::GetClientRect(m_hWnd, &client);
    if (count <= 0 || height <= 0 || Forward(LB_GETITEMRECT, count - 1, (LPARAM)&last) == LB_ERR)
        return;
    int width = last.right - last.left;
    int rowsPerColumn = (client.bottom - client.top) / height;
    int columns = width > 0 ? (client.right - client.left + width - 1) / width : 0;
    if (rowsPerColumn <= 0 || count - top >= rowsPerColumn * columns)
        return;
    RECT below = {last.left, last.bottom, last.right, client.bottom};
    RECT right = {last.right, client.top, client.right, client.bottom};
    ::InvalidateRect(m_hWnd, &below, TRUE);
    ::InvalidateRect(m_hWnd, &right, TRUE);
}

LRESULT CTCFileList::OnVScroll(WPARAM wParam)
{
    int code = LOWORD(wParam);
    if (code == SB_ENDSCROLL)
        return 0;
    UINT position = HIWORD(wParam);
    if ((code == SB_THUMBPOSITION || code == SB_THUMBTRACK) && position == m_lastScrollPos)
        return 0;
    m_lastScrollPos = position;
    bool moved;
    LRESULT result = DefaultWithRedrawOff(&moved);
    if (moved)
        RedrawWhole();
    if (m_layout != LayoutMultiColumn)
        InvalidateBelowBottomRow();
    return result;
}

LRESULT CTCFileList::OnHScroll()
{
    bool extent = Forward(LB_GETHORIZONTALEXTENT) > 0;
    int position = ::GetScrollPos(m_hWnd, SB_HORZ);
    bool moved;
    LRESULT result = DefaultWithRedrawOff(&moved);
    if (moved || (extent && ::GetScrollPos(m_hWnd, SB_HORZ) != position))
        RedrawWhole();
    InvalidateEmptyColumns();
    return result;
}

LRESULT CTCFileList::OnMouseWheel(WPARAM wParam, LPARAM lParam)
{
    CListPeers* peers = m_engine.ListPeers();
    if (peers && peers->OfferWheelToTabs(wParam, lParam))
        return 1;
    int top = TopRow();
    int vertical = ::GetScrollPos(m_hWnd, SB_VERT), horizontal = ::GetScrollPos(m_hWnd, SB_HORZ);
    SetRedraw(FALSE);
    Default();
    SetRedraw(TRUE);
    if (TopRow() != top || ::GetScrollPos(m_hWnd, SB_VERT) != vertical ||
        ::GetScrollPos(m_hWnd, SB_HORZ) != horizontal)
        RedrawWhole();
    return 1;
}
