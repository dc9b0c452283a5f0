#include "HostMenuCapture.h"

void CHostMenuRequest::Send(HWND sideWindow, LPARAM lParam)
{
    SendMessageW(sideWindow, HostCommandMessage, HostTabMenuCommand, lParam);
}

namespace {

void RemoveAll(HMENU menu, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!RemoveMenu(menu, 0, MF_BYPOSITION))
            break;
    }
}

} // namespace

int TakeFirstCheckedBeforeSeparator(HMENU popup)
{
    int count = GetMenuItemCount(popup);
    if (count <= 0)
        return 0;
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
        UINT state = GetMenuState(popup, i, MF_BYPOSITION);
        if (state == (UINT)-1)
            continue;
        if (state & MF_SEPARATOR)
            break;
        if (state & MF_CHECKED)
            found = i;
    }
    RemoveAll(popup, count);
    return found < 0 ? 0 : found;
}

int TakeLastChecked(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    if (count <= 0)
        return -1;
    int found = -1;
    for (int i = 0; i < count; ++i) {
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (state != (UINT)-1 && !(state & MF_SEPARATOR) && (state & MF_CHECKED))
            found = i;
    }
    RemoveAll(menu, count);
    return found;
}

int CHostMenuCapture::Query(HWND sideWindow, int position, bool reversed)
{
    if (m_running || !sideWindow || !IsWindow(sideWindow))
        return -1;
    m_running = true;
    m_pending = true;
    m_result = -1;
    LPARAM lParam = (LPARAM)position + 1;
    if (reversed)
        lParam = -lParam;
    (m_request ? m_request : &m_hostRequest)->Send(sideWindow, lParam);
    m_pending = false;
    m_running = false;
    return m_result;
}

void CHostMenuCapture::OnInitMenu(HMENU menu)
{
    m_menuActive = true;
    if (m_captureSwitch)
        m_lastMenuIndex = TakeLastChecked(menu);
}

bool CHostMenuCapture::OnInitMenuPopup(HMENU popup)
{
    if (!m_pending)
        return false;
    m_result = TakeFirstCheckedBeforeSeparator(popup);
    m_pending = false;
    return true;
}
