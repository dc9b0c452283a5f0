// CDDListBox: drawing, check boxes, dragging with auto-scroll, renaming.
#include "DDListBox.h"
#include <algorithm>

namespace {

const COLORREF MarkColour = RGB(0, 0, 128);
const COLORREF EraseColour = RGB(255, 255, 255);
const UINT LongestInterval = 250;

} // namespace

LRESULT CEditHelper::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            ::SendMessageW(::GetParent(m_hWnd), WMU_EDIT_DONE, wParam == VK_RETURN, 0);
        // The list may have ended the edit and destroyed this window.
        if (!m_hWnd)
            return 0;
        break;
    case WM_KILLFOCUS:
        ::SendMessageW(::GetParent(m_hWnd), WMU_EDIT_DONE, 1, 0);
        if (!m_hWnd)
            return 0;
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

int CDDListBox::GetEntryHeight() const
{
    HDC dc = ::GetDC(m_hWnd);
    HFONT font = GetFont();
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return tm.tmHeight + tm.tmExternalLeading + 2;
}

void CDDListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A dialog measures its controls before they are subclassed.
    SetItemHeight(0, GetEntryHeight());
}

void CDDListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = GetEntryHeight();
}

void CDDListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& di = *lpDrawItemStruct;
    if (di.itemID == (UINT)-1)
        return;
    HDC dc = di.hDC;
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    RECT box = { di.rcItem.left, di.rcItem.top + 1, di.rcItem.left + tm.tmHeight + tm.tmExternalLeading + 6,
                 di.rcItem.bottom - 1 };
    ::FillRect(dc, &di.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (di.itemData ? DFCS_CHECKED : 0));

    RECT text = di.rcItem;
    text.left = box.right;
    bool selected = (di.itemState & ODS_SELECTED) != 0;
    COLORREF oldBk = ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &text, nullptr, 0, nullptr);
    CString label;
    GetText((int)di.itemID, label);
    label = L" " + label;
    ::DrawTextW(dc, label, label.GetLength(), &text, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (selected && (di.itemState & ODS_FOCUS))
        ::DrawFocusRect(dc, &text);
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
}

BOOL CDDListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A double-click renames; the parent does not hear of it.
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK) {
        BeginEdit();
        return TRUE;
    }
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CDDListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_TIMER:
        if (wParam == ScrollDownTimer || wParam == ScrollUpTimer) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (another window, a message box): the
        // drag ends where it is, nothing moves.
        if (m_bDragging && (HWND)lParam != m_hWnd) {
            StopScrolling();
            m_bDragging = false;
            m_nDragItem = m_nInsertIndex = -1;
            Invalidate();
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_F2) {
            BeginEdit();
            return 0;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        EndEdit(TRUE);
        break;
    case WMU_EDIT_DONE:
        EndEdit((BOOL)wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

LRESULT CDDListBox::OnLButtonDown(WPARAM, LPARAM lParam)
{
    EndEdit(TRUE);
    StopScrolling();
    m_nDragItem = m_nInsertIndex = -1;
    m_bDragging = false;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    BOOL outside = FALSE;
    int index = (int)ItemFromPoint(point, outside);
    if (outside || index < 0 || index >= GetCount())
        return 0;
    if (point.x < GetEntryHeight() + 2) {
        int state = GetItemData(index) ? 0 : 1;
        SetItemData(index, state);
        CRect rect;
        GetItemRect(index, &rect);
        InvalidateRect(&rect, FALSE);
        NotifyParent(WMU_DDL_CHECKED, index, state);
        return 0;
    }
    LRESULT result = Default();
    m_nDragItem = index;
    return result;
}

LRESULT CDDListBox::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!(wParam & MK_LBUTTON) || m_nDragItem < 0)
        return Default();
    if (!m_bDragging) {
        SetCapture();
        m_bDragging = true;
    }
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        StopScrolling();
        BOOL outside = FALSE;
        int index = (int)ItemFromPoint(point, outside);
        SetInsertIndex(outside || index >= GetCount() ? -1 : index);
    } else if (point.y >= client.bottom) {
        AutoScroll(point.y - client.bottom, +1);
    } else if (point.y < 0) {
        AutoScroll(-point.y, -1);
    } else {
        StopScrolling();
    }
    return 0;
}

void CDDListBox::AutoScroll(int nDistance, int nStep)
{
    UINT interval = LongestInterval / (nDistance / std::max(1, GetEntryHeight()) + 1);
    if (interval == m_nScrollInterval)
        return;
    m_nScrollInterval = interval;
    KillTimer(nStep > 0 ? ScrollUpTimer : ScrollDownTimer);
    SetTimer(nStep > 0 ? ScrollDownTimer : ScrollUpTimer, interval);
    StepInsertIndex(nStep);
}

void CDDListBox::StopScrolling()
{
    KillTimer(ScrollDownTimer);
    KillTimer(ScrollUpTimer);
    m_nScrollInterval = 0;
}

void CDDListBox::OnTimer(UINT_PTR nIDEvent)
{
    StepInsertIndex(nIDEvent == ScrollDownTimer ? +1 : -1);
}

void CDDListBox::StepInsertIndex(int nStep)
{
    int count = GetCount();
    int index = (m_nInsertIndex < 0 ? count : m_nInsertIndex) + nStep;
    index = std::min(std::max(index, 0), count);
    SetTopIndex(std::max(GetTopIndex() + nStep, 0));
    SetInsertIndex(index == count ? -1 : index);
}

void CDDListBox::SetInsertIndex(int nIndex)
{
    if (nIndex == m_nInsertIndex)
        return;
    if (m_nInsertIndex != m_nDragItem)
        DrawMark(m_nInsertIndex, EraseColour);
    m_nInsertIndex = nIndex;
    if (m_nInsertIndex != m_nDragItem)
        DrawMark(m_nInsertIndex, MarkColour);
}

void CDDListBox::DrawMark(int nIndex, COLORREF colour)
{
    int count = GetCount();
    if (count == 0 || nIndex >= count)
        return;
    CRect rect;
    GetItemRect(nIndex < 0 ? count - 1 : nIndex, &rect);
    int y = nIndex < 0 ? rect.bottom - 1 : rect.top + 1;
    CRect client;
    GetClientRect(&client);
    if (y < client.top || y >= client.bottom)
        return;
    HDC dc = ::GetDC(m_hWnd);
    HPEN pen = ::CreatePen(PS_SOLID, 2, colour);
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, rect.left, y, nullptr);
    ::LineTo(dc, rect.right - 1, y);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
    ::ReleaseDC(m_hWnd, dc);
}

LRESULT CDDListBox::OnLButtonUp(WPARAM, LPARAM lParam)
{
    if (m_bDragging) {
        StopScrolling();
        m_bDragging = false;
        ::ReleaseCapture();
        CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
        CRect client;
        GetClientRect(&client);
        if (client.PtInRect(point))
            MoveEntry(m_nDragItem, m_nInsertIndex);
        else
            Invalidate();
    }
    m_nDragItem = m_nInsertIndex = -1;
    return Default();
}

void CDDListBox::MoveEntry(int nFrom, int nTo)
{
    int count = GetCount();
    if (nFrom < 0 || nFrom >= count)
        return;
    int target = nTo < 0 || nTo > count ? count : nTo;
    int moved = nFrom;
    int top = GetTopIndex();
    bool notify = false;
    // On itself or just below itself nothing moves.
    if (target != nFrom && target != nFrom + 1) {
        SetRedraw(FALSE);
        CString text;
        GetText(nFrom, text);
        DWORD_PTR data = GetItemData(nFrom);
        // The entry leaves its place only once its copy stands.
        int at = InsertString(target == count ? -1 : target, text);
        if (at >= 0) {
            SetItemData(at, data);
            DeleteString(at < nFrom ? nFrom + 1 : nFrom);
            moved = at < nFrom ? at : at - 1;
            notify = true;
        }
        SetRedraw(TRUE);
    }
    SetCurSel(moved);
    SetTopIndex(top);
    Invalidate();
    UpdateWindow();
    if (notify)
        NotifyParent(WMU_DDL_MOVED, nFrom, target == count ? -1 : target);
    NotifyParent(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), (LPARAM)m_hWnd);
}

void CDDListBox::BeginEdit()
{
    int index = GetCurSel();
    if (index < 0 || m_editor.m_hWnd)
        return;
    CRect rect;
    GetItemRect(index, &rect);
    rect.top -= 2;
    rect.bottom += 2;
    rect.left += GetEntryHeight() + 2;
    if (!m_editor.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, this, 1))
        return;
    m_nEditIndex = index;
    CString text;
    GetText(index, text);
    m_editor.SetFont(GetFont());
    m_editor.SetWindowText(text);
    m_editor.SetSel(0, -1);
    m_editor.SetFocus();
    m_editor.SetCapture();
}

void CDDListBox::EndEdit(BOOL bAccept)
{
    if (!m_editor.m_hWnd || m_bEndingEdit)
        return;
    m_bEndingEdit = true;
    int index = m_nEditIndex;
    CString oldText, newText;
    if (index >= 0) {
        GetText(index, oldText);
        newText = m_editor.GetWindowText();
    }
    bool hadFocus = ::GetFocus() == m_editor.m_hWnd;
    m_editor.DestroyWindow();
    if (hadFocus)
        SetFocus();
    if (bAccept && index >= 0 && newText != oldText &&
        ::SendMessageW(::GetParent(m_hWnd), WMU_DDL_ACCEPTNAME, index, (LPARAM)(LPCWSTR)newText)) {
        DWORD_PTR data = GetItemData(index);
        DeleteString(index);
        int at = (GetStyle() & LBS_SORT) ? AddString(newText) : InsertString(index, newText);
        if (at >= 0) {
            SetItemData(at, data);
            SetCurSel(at);
            NotifyParent(WMU_EDIT_DONE, at, (LPARAM)(LPCWSTR)oldText);
        }
    }
    m_nEditIndex = -1;
    m_bEndingEdit = false;
}

void CDDListBox::OnDestroy()
{
    StopScrolling();
    m_bEndingEdit = true; // the editor's focus loss must not end an edit now
    if (m_editor.m_hWnd)
        m_editor.DestroyWindow();
    m_bEndingEdit = false;
    m_nEditIndex = m_nDragItem = m_nInsertIndex = -1;
    m_bDragging = false;
}

void CDDListBox::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, message, wParam, lParam);
}
