// The duplicates window: placement, columns, rows and visits.
#include "DupView.h"
#include "Menu.h"

CDupPlacement PlaceDuplicates(const CRect& mainWindow, int nScreenHeight)
{
    CDupPlacement place;
    place.window = CRect(mainWindow.left, mainWindow.top - 151, mainWindow.right, mainWindow.top - 1);
    place.nMainShift = 0;
    if (place.window.top < 0) {
        place.window.OffsetRect(0, -place.window.top);
        int overlap = place.window.bottom - mainWindow.top;
        if (overlap > 0 && mainWindow.bottom + overlap <= nScreenHeight)
            place.nMainShift = overlap;
    }
    return place;
}

void CDupList::AddPair(LPCWSTR lpszFirst, LPCWSTR lpszKey, LPCWSTR lpszSecond)
{
    int item = InsertItem(GetItemCount(), lpszFirst);
    if (item < 0)
        return;
    SetItemText(item, 1, lpszKey);
    SetItemText(item, 2, lpszSecond);
    FitColumns();
}

void CDupList::FitColumns()
{
    // Column 1 as wide as its widest text, never narrower than its heading.
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    int key = GetColumnWidth(1);
    if (GetItemCount() > 0) {
        SetColumnWidth(1, LVSCW_AUTOSIZE);
        if (GetColumnWidth(1) < key)
            SetColumnWidth(1, key);
        key = GetColumnWidth(1);
    }
    CRect client;
    GetClientRect(&client);
    int share = (client.Width() - key - 4) / 2;
    SetColumnWidth(0, share > 0 ? share : 0);
    SetColumnWidth(2, share > 0 ? share : 0);
}

CString CDupList::CommandAt(int nItem, int nColumn) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return CString();
    return GetItemText(nItem, nColumn == 2 ? 2 : 0);
}

BOOL CDupList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (message == WM_NOTIFY && nm && nm->code == NM_DBLCLK) {
        LVHITTESTINFO hit = {};
        hit.pt = reinterpret_cast<NMITEMACTIVATE*>(lParam)->ptAction;
        SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)&hit);
        CString command = CommandAt(hit.iItem, hit.iSubItem);
        if (!command.IsEmpty() && m_pNavigator)
            m_pNavigator->GoToCommand(command);
        *pResult = 0;
        return TRUE;
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CDupList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
        FitColumns();
        return result;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

BOOL CDupView::Create(CWnd* pOwner, HWND hWndMain, LPCWSTR lpszCaption, const LPCWSTR headings[3],
                      CCommandNavigator* pNavigator)
{
    m_hWndMain = hWndMain;
    m_bCommands = FALSE;
    CRect main;
    ::GetWindowRect(hWndMain, &main);
    CDupPlacement place = PlaceDuplicates(main, ::GetSystemMetrics(SM_CYSCREEN));
    CString windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                              (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_TOOLWINDOW, windowClass, lpszCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.window.left,
                  place.window.top, place.window.Width(), place.window.Height(), pOwner ? pOwner->m_hWnd : nullptr,
                  nullptr))
        return FALSE;
    if (place.nMainShift)
        ::SetWindowPos(hWndMain, nullptr, main.left, main.top + place.nMainShift, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CRect client;
    GetClientRect(&client);
    m_list.m_pNavigator = pNavigator;
    if (!m_list.Create(LVS_REPORT | LVS_SHOWSELALWAYS | WS_CHILD | WS_VISIBLE | WS_VSCROLL, client, this, 1)) {
        DestroyWindow();
        return FALSE;
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int i = 0; i < 3; ++i) {
        m_list.InsertColumn(i, headings[i]);
        m_list.SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
    }
    m_list.FitColumns();

    CMenu menu;
    if (menu.Attach(::GetSystemMenu(m_hWnd, FALSE))) {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, CommandsItem, L"Commands");
        menu.Detach();
    }
    return TRUE;
}

void CDupView::SetPairs(const CHKDuplicates& dups)
{
    if (!m_hWnd)
        return;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    for (INT_PTR i = 0; i < dups.GetSize(); ++i)
        m_list.AddPair(dups[i].strFirst, dups[i].strKey, dups[i].strSecond);
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

LRESULT CDupView::OnSysCommand(WPARAM wParam, LPARAM)
{
    if (wParam != CommandsItem)
        return Default();
    m_bCommands = !m_bCommands;
    ::CheckMenuItem(::GetSystemMenu(m_hWnd, FALSE), CommandsItem, MF_BYCOMMAND | (m_bCommands ? MF_CHECKED : 0));
    return 0;
}

LRESULT CDupView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (m_list.m_hWnd)
            m_list.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        CRect main;
        if (m_hWndMain && ::GetWindowRect(m_hWndMain, &main)) {
            info->ptMinTrackSize.x = main.Width();
            info->ptMinTrackSize.y = 150;
        }
        return 0;
    }
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CDupView::Refresh(const CHotKeyHolder& holder, HWND hButton)
{
    CHKDuplicates dups;
    int count = FindDuplicates(holder, dups);
    ::EnableWindow(hButton, count > 0);
    if (m_hWnd)
        SetPairs(dups);
    return count;
}

void CDupView::Open(CWnd* pPage, HWND hButton, const CHotKeyHolder& holder, const LPCWSTR headings[3],
                    CCommandNavigator* pNavigator)
{
    if (m_hWnd) {
        SetFocus();
        return;
    }
    CHKDuplicates dups;
    if (FindDuplicates(holder, dups) == 0)
        return;
    WCHAR caption[256] = {};
    ::GetWindowTextW(hButton, caption, 256);
    if (Create(pPage, ::GetParent(pPage->m_hWnd), caption, headings, pNavigator))
        SetPairs(dups);
}
