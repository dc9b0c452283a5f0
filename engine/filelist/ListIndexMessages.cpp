// The list box messages that carry an index between the host and the rows:
// host indexes in are mapped to rows, rows out are mapped to host indexes.
// The caret and the top index follow the rows while the user drags or types
// sideways, because that is what the host's own tracking needs then.
#include "TCFileList.h"
#include "EngineContext.h"
#include <windowsx.h>

LRESULT CTCFileList::OnHostIndexIn(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(message, (WPARAM)MapHostToRow((int)wParam), lParam);
}

LRESULT CTCFileList::OnRowOut()
{
    LRESULT row = Default();
    return MapRowToHost((int)row);
}

LRESULT CTCFileList::OnGetCurSel()
{
    DWORD start = ::GetTickCount();
    LRESULT result = OnRowOut();
    DWORD took = ::GetTickCount() - start;
    if (took >= 1) {
        WCHAR line[80];
        wsprintfW(line, L"Ticker %s(%d) - %d msec\n", L"OnGetCurSel", 0, (int)took);
        ::OutputDebugStringW(line);
    }
    return result;
}

int CTCFileList::RowFromPoint(int x, int y)
{
    int count = Count();
    if (count > 0xFFFF && !IsMultiColumn()) {
        // The list box answers in 16 bits: past row 65,535 the row comes
        // from the top row and the row height.
        int height = (int)Forward(LB_GETITEMHEIGHT, 0);
        int row = TopRow() + (height > 0 && y > 0 ? y / height : 0);
        return row < count ? row : count - 1;
    }
    return LOWORD(Forward(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y)));
}

LRESULT CTCFileList::OnItemFromPoint(LPARAM lParam)
{
    LRESULT packed = Default();
    int row = LOWORD(packed);
    if (Count() > 0xFFFF)
        row = RowFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    // The "outside" flag in the high word stays as the list box gave it.
    return MAKELONG(LOWORD(MapRowToHost(row)), HIWORD(packed));
}

LRESULT CTCFileList::OnSelectString(WPARAM wParam, LPARAM lParam)
{
    EnsureOrder();
    if (!IsOrdered())
        return Default();
    // Found among the strings (host order), selected in its row.
    LRESULT found = Forward(LB_FINDSTRING, wParam, lParam);
    if (found == LB_ERR)
        return LB_ERR;
    int row = MapHostToRow((int)found);
    if (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
        Forward(LB_SETSEL, TRUE, row);
        Forward(LB_SETCARETINDEX, row, FALSE);
    } else {
        Forward(LB_SETCURSEL, row);
    }
    return found;
}

LRESULT CTCFileList::OnGetSelItems(WPARAM wParam, LPARAM lParam)
{
    EnsureOrder();
    LRESULT count = Default();
    if (count > 0 && lParam && IsOrdered()) {
        int* items = reinterpret_cast<int*>(lParam);
        for (LRESULT i = 0; i < count && i < (LRESULT)wParam; ++i)
            items[i] = MapRowToHost(items[i]);
    }
    return count;
}

LRESULT CTCFileList::SetRowsSelected(int first, int last, BOOL select)
{
    for (int row = first; row <= last; ++row)
        if (Forward(LB_SETSEL, select, row) == LB_ERR)
            return LB_ERR;
    return 0;
}

LRESULT CTCFileList::OnSetSel(WPARAM wParam, LPARAM lParam)
{
    int index = (int)lParam;
    int row = m_leftDrag ? index : MapHostToRow(index);
    LRESULT result = Forward(LB_SETSEL, wParam, row);
    if (m_keyState == KeyInsert) {
        // Insert moves the caret one row down on the screen, not to the
        // next host item.
        int caret = CaretRow();
        if (caret >= 0 && caret < Count() - 1) {
            Forward(LB_SETCARETINDEX, caret + 1, FALSE);
            InvalidateRow(caret);
            InvalidateRow(caret + 1);
        }
    }
    return result;
}

LRESULT CTCFileList::OnSelItemRange(WPARAM wParam, LPARAM lParam)
{
    EnsureOrder();
    if (!IsOrdered())
        return Default();
    int first = MapHostToRow(LOWORD(lParam));
    int last = MapHostToRow(HIWORD(lParam));
    if (first > last)
        std::swap(first, last);
    int count = Count();
    return SetRowsSelected(first < 0 ? 0 : first, last < count ? last : count - 1, wParam != 0);
}

LRESULT CTCFileList::OnSelItemRangeEx(WPARAM wParam, LPARAM lParam)
{
    EnsureOrder();
    if (!IsOrdered())
        return Default();
    // wParam and lParam are whole indexes; the first above the last deselects.
    int firstIndex = (int)wParam, lastIndex = (int)lParam;
    BOOL select = (UINT)wParam <= (UINT)lParam;
    int count = Count();
    int first, last;
    if ((firstIndex == count - 1 && lastIndex == 0) || (firstIndex == 0 && lastIndex == count - 1)) {
        first = 0; // the whole list, whatever the order
        last = count - 1;
    } else {
        first = MapHostToRow(firstIndex);
        last = MapHostToRow(lastIndex);
        if (first > last)
            std::swap(first, last);
        if (first < 0)
            first = 0;
        if (last >= count)
            last = count - 1;
    }
    SetRedraw(FALSE);
    LRESULT result = SetRowsSelected(first, last, select);
    SetRedraw(TRUE);
    if (result == 0)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

LRESULT CTCFileList::OnSetTopIndex(WPARAM wParam, LPARAM lParam)
{
    int index = (int)wParam;
    int row = (m_leftButton || m_rightButton) ? index : MapHostToRow(index);
    // Taken after the mapping, which may rebuild (and forget the last top).
    m_hostTopIndex = index;
    return Forward(LB_SETTOPINDEX, row, lParam);
}

LRESULT CTCFileList::OnGetTopIndex()
{
    EnsureOrder();
    LRESULT top = Default();
    if (!IsOrdered())
        return top;
    if (m_leftDrag) {
        if (!m_rightDrag)
            return top;
        return KeyDown(VK_SHIFT) ? top : 0;
    }
    if (m_rightDrag)
        return KeyDown(VK_SHIFT) ? top : 0;
    if (m_leftButton || m_rightButton)
        return 0;
    return MapRowToHost((int)top);
}

LRESULT CTCFileList::OnGetCaretIndex()
{
    EnsureOrder();
    LRESULT row = Default();
    if (m_arrowSideways || m_leftDrag)
        return row;
    if (m_rightDrag && !KeyDown(VK_SHIFT) && row == Count() - 1) {
        // A right drag that left the list at its bottom selects on by rows.
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        if (CursorPos().y >= window.bottom)
            return row;
    }
    return MapRowToHost((int)row);
}

LRESULT CTCFileList::OnSetCaretIndex(WPARAM wParam, LPARAM lParam)
{
    EnsureOrder();
    int index = (int)wParam;
    m_lostFocusRow = index;
    if (!IsOrdered())
        return Default();
    // Insert moves the caret itself (with the selection of its row).
    if (m_keyState == KeyInsert)
        return 0;
    int row = m_arrowSideways ? index : MapHostToRow(index);
    int oldTop = TopRow(), oldCaret = CaretRow();
    SetRedraw(FALSE);
    bool topSet = false;
    int distance = index - m_hostTopIndex;
    if (m_firstCaretAfterRebuild && m_hostTopIndex >= 0 && distance >= 1) {
        // The caret keeps the distance from the top that the host asked for.
        Forward(LB_SETTOPINDEX, row - distance > 0 ? row - distance : 0);
        topSet = true;
    }
    m_firstCaretAfterRebuild = FALSE;
    m_hostTopIndex = -1;
    LRESULT result = Forward(LB_SETCARETINDEX, row, lParam);
    SetRedraw(TRUE);
    if (topSet || TopRow() != oldTop) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    } else {
        int caret = CaretRow();
        if (caret != oldCaret) {
            InvalidateRow(caret, TRUE);
            InvalidateRow(oldCaret);
        }
    }
    return result;
}
