#include "TabVisibility.h"
#include <commctrl.h>

namespace {

const int MinVisibleTab = 30;

HWND VisibleArrows(HWND tabs)
{
    for (HWND child = ::GetWindow(tabs, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        WCHAR name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, UPDOWN_CLASSW) == 0 && ::IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

} // namespace

void EnsureTabVisible(HWND tabs)
{
    if (!tabs || !::IsWindow(tabs))
        return;
    int count = (int)::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    HWND arrows = VisibleArrows(tabs);
    if (count < 2 || !arrows)
        return;
    int current = (int)::SendMessageW(tabs, TCM_GETCURSEL, 0, 0);
    RECT tab, client, arrowRect;
    if (current < 0 || !::SendMessageW(tabs, TCM_GETITEMRECT, current, (LPARAM)&tab))
        return;
    ::GetClientRect(tabs, &client);
    ::GetWindowRect(arrows, &arrowRect);
    ::MapWindowPoints(nullptr, tabs, (POINT*)&arrowRect, 2);
    client.right = arrowRect.left;
    RECT visible;
    if (::IntersectRect(&visible, &tab, &client) && visible.right - visible.left >= MinVisibleTab)
        return;
    ::SendMessageW(tabs, TCM_SETCURSEL, current == 0 ? 1 : current - 1, 0);
    ::SendMessageW(tabs, TCM_SETCURSEL, current, 0);
}
