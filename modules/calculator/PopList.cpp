#include "PopList.h"
#include <windowsx.h>

namespace {

const DWORD PopListStyle = 0x80804005; // popup, border, no header, single selection, report
const DWORD PopListExtendedStyle = WS_EX_TOOLWINDOW;

} // namespace

CPopList::CPopList(HWND owner, int maxRows, int minWidth)
    : m_owner(owner), m_maxRows(maxRows), m_minWidth(minWidth)
{
}

BOOL CPopList::CreateAtOwner()
{
    RECT rect = {};
    ::GetWindowRect(m_owner, &rect);
    return CreateEx(PopListExtendedStyle, WC_LISTVIEWW, L"", PopListStyle, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
}

LRESULT CPopList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wParam, lParam);
    case WM_KILLFOCUS:
        return OnKillFocus(wParam, lParam);
    case WM_DESTROY:
        return OnDestroy(wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CPopList::FirstSelectedRow() const
{
    return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

void CPopList::EndWith(int row)
{
    m_chosenRow = row;
    m_done = TRUE;
}

LRESULT CPopList::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (wParam) {
    case VK_ESCAPE:
        EndWith(-1);
        return 0;
    case VK_RETURN:
        EndWith(FirstSelectedRow());
        return 0;
    }
    return Default();
}

LRESULT CPopList::OnLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    LRESULT result = Default();
    if (!::IsWindow(m_hWnd))
        return result;
    LVHITTESTINFO hit = {};
    hit.pt.x = GET_X_LPARAM(lParam);
    hit.pt.y = GET_Y_LPARAM(lParam);
    SendMessage(LVM_HITTEST, 0, (LPARAM)&hit);
    if (hit.flags & LVHT_ONITEMLABEL)
        EndWith(FirstSelectedRow());
    return result;
}

// A click elsewhere cancels unless a row was chosen first.
LRESULT CPopList::OnKillFocus(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    m_done = TRUE;
    return Default();
}

LRESULT CPopList::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    m_done = TRUE;
    return Default();
}

void CPopList::PlaceAtOwner()
{
    int count = (int)SendMessage(LVM_GETITEMCOUNT);
    int rows = count < m_maxRows ? count : m_maxRows;
    RECT item = {};
    item.left = LVIR_BOUNDS;
    SendMessage(LVM_GETITEMRECT, 0, (LPARAM)&item);
    int height = rows * (item.bottom - item.top);
    HWND header = (HWND)SendMessage(LVM_GETHEADER);
    RECT headerRect = {};
    if (header && ::GetWindowRect(header, &headerRect))
        height += headerRect.bottom - headerRect.top;

    RECT owner = {};
    ::GetWindowRect(m_owner, &owner);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(m_owner, MONITOR_DEFAULTTONEAREST), &monitor);
    int top = owner.bottom;
    if (height >= monitor.rcWork.bottom - owner.bottom)
        top = owner.top - height; // no room below: above the owner
    RECT self = {};
    ::GetWindowRect(m_hWnd, &self);
    int width = self.right - self.left;
    if (width < m_minWidth)
        width = m_minWidth;
    ::MoveWindow(m_hWnd, owner.left, top, width, height, FALSE);
}

void CPopList::FitColumns()
{
    SendMessage(WM_SETREDRAW, FALSE);
    HWND header = (HWND)SendMessage(LVM_GETHEADER);
    int columns = header ? (int)::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    int others = 0;
    for (int i = 0; i < columns; ++i) {
        SendMessage(LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
        int content = (int)SendMessage(LVM_GETCOLUMNWIDTH, i);
        SendMessage(LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
        int withHeader = (int)SendMessage(LVM_GETCOLUMNWIDTH, i);
        int width = (i == columns - 1 || withHeader < content) ? content : withHeader;
        SendMessage(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(width, 0));
        if (i > 0)
            others += width;
    }
    if (columns > 0) {
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        int first = client.right - client.left - others;
        int count = (int)SendMessage(LVM_GETITEMCOUNT);
        if (count > (int)SendMessage(LVM_GETCOUNTPERPAGE))
            first -= GetSystemMetrics(SM_CXVSCROLL);
        SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(first, 0));
    }
    SendMessage(WM_SETREDRAW, TRUE);
}

void CPopList::RunMessageLoop()
{
    MSG msg;
    while (!m_done) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        if (got == -1)
            break;
        // Done while a sent message (focus taken away) was handled inside
        // GetMessageW: the list's own message is dropped, anything else
        // (the host's click) still goes where it belongs.
        if (m_done && msg.hwnd == m_hWnd)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int CPopList::Run(LoopProc loop)
{
    PlaceAtOwner();
    FitColumns();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    m_chosenRow = -1;
    m_done = FALSE;
    if (loop)
        loop(*this);
    else
        RunMessageLoop();
    if (::IsWindow(m_hWnd)) {
        SendMessage(LVM_DELETEALLITEMS);
        DestroyWindow();
    }
    return m_chosenRow;
}
