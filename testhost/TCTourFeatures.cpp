// The tour's steps for the engine's bookmark menu, file grouping, the tab
// list and TCPathfan's snippets: each presses the demo's key and waits for
// the menu's items or the list's order it should show.
#include "TCHostApp.h"
#include "TCTour.h"
#include <commctrl.h>
#include <vector>

namespace {

// The popup menu open on the host's thread, or null.
HMENU OpenMenu(CTour& tour)
{
    HWND popup = tour.Popup(L"#32768");
    return popup ? (HMENU)SendMessageW(popup, MN_GETHMENU, 0, 0) : nullptr;
}

bool MenuHasId(HMENU menu, UINT id)
{
    for (int i = 0, count = menu ? GetMenuItemCount(menu) : 0; i < count; ++i)
        if (GetMenuItemID(menu, i) == id)
            return true;
    return false;
}

bool MenuHasText(HMENU menu, const wchar_t* text)
{
    wchar_t item[128];
    for (int i = 0, count = menu ? GetMenuItemCount(menu) : 0; i < count; ++i)
        if (GetMenuStringW(menu, i, item, 128, MF_BYPOSITION) && wcscmp(item, text) == 0)
            return true;
    return false;
}

// Focuses `target`, presses the key and waits until the open menu passes `shows`.
bool OpenMenuWith(CTour& tour, HWND target, std::initializer_list<WORD> modifiers, WORD vk,
                  const std::function<bool(HMENU)>& shows, const wchar_t* what, std::wstring& why)
{
    if (!tour.Focus(target)) {
        why = std::wstring(L"the focus does not go to the window for ") + what;
        return false;
    }
    tour.Keys(modifiers, vk);
    if (!tour.WaitFor(5000, [&] { return OpenMenu(tour) != nullptr; })) {
        why = std::wstring(what) + L" did not open";
        return false;
    }
    if (!tour.WaitFor(3000, [&] { return shows(OpenMenu(tour)); })) {
        why = std::wstring(what) + L" opened without its items";
        return false;
    }
    Sleep(300);  // drawn completely
    return true;
}

// The name in each row of `list` under the ".." row, as the list draws
// them: the item under each row's middle, through the item the list maps there.
std::vector<std::wstring> DrawnNames(HWND list)
{
    std::vector<std::wstring> names;
    int height = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int row = 1; height > 0 && row < count; ++row) {
        LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(20, row * height + height / 2));
        int length = HIWORD(hit) ? LB_ERR : (int)SendMessageW(list, LB_GETTEXTLEN, LOWORD(hit), 0);
        if (length == LB_ERR)
            break;
        std::wstring text(length + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, LOWORD(hit), (LPARAM)&text[0]);
        std::wstring name = text.c_str();
        names.push_back(name.substr(0, name.find(L'\t')));
    }
    return names;
}

std::wstring Joined(const std::vector<std::wstring>& names)
{
    std::wstring text;
    for (const std::wstring& name : names)
        text += (text.empty() ? L"" : L", ") + name;
    return text;
}

// Waits for the right list of C:\data\right\Sources to be drawn in `order`.
bool WaitForSourcesOrder(CTour& tour, const std::vector<std::wstring>& order, std::wstring& why)
{
    HWND list = TheApp().Main().m_panels[1].m_list;
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    if (!tour.WaitFor(5000, [&] { return DrawnNames(list) == order; })) {
        why = L"the list of Sources shows " + Joined(DrawnNames(list)) + L" instead of " + Joined(order);
        return false;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(300);
    return true;
}

} // namespace

// Ctrl+Alt+J on the left list: the menu lists the demo's two bookmarks
// (Merovin.bkm) above the bookmark commands.
bool ShowBookmarkMenu(CTour& tour, std::wstring& why)
{
    const UINT firstBookmark = 11;
    return OpenMenuWith(tour, TheApp().Main().m_panels[0].m_list, {VK_LCONTROL, VK_LMENU}, 'J',
                        [&](HMENU menu) { return MenuHasId(menu, firstBookmark) && MenuHasId(menu, firstBookmark + 1); },
                        L"the bookmark menu", why);
}

// The right panel opens C:\data\right\Sources in a new tab: the demo's mode
// Sources lists the .cpp files, then the .h files, then the others.
bool ShowFileGroups(CTour& tour, std::wstring& why)
{
    tour.OnHost([] {
        CTCPanel& right = TheApp().Main().m_panels[1];
        right.AddTab(L"C:\\data\\right\\Sources");
        right.SetFolder(L"C:\\data\\right\\Sources");
    });
    return WaitForSourcesOrder(tour, {L"main.cpp", L"util.cpp", L"main.h", L"util.h", L"build.cmd", L"readme.txt"}, why);
}

// Ctrl+Alt+G (UseFileGrouping) switches grouping off: the host's order by name.
bool ShowGroupingOff(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(TheApp().Main().m_panels[1].m_list)) {
        why = L"the right file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'G');
    return WaitForSourcesOrder(tour, {L"build.cmd", L"main.cpp", L"main.h", L"readme.txt", L"util.cpp", L"util.h"}, why);
}

// Switches grouping on again, as the demo's settings have it.
void RestoreGrouping(CTour& tour)
{
    if (tour.Focus(TheApp().Main().m_panels[1].m_list))
        tour.Keys({VK_LCONTROL, VK_LMENU}, 'G');
}

// Ctrl+Alt+B (ShowTabListLeft): the menu of the left panel's tabs.
bool ShowTabList(CTour& tour, std::wstring& why)
{
    const CTCPanel& left = TheApp().Main().m_panels[0];
    int tabs = (int)SendMessageW(left.m_tabs, TCM_GETITEMCOUNT, 0, 0);
    return OpenMenuWith(tour, left.m_list, {VK_LCONTROL, VK_LMENU}, 'B',
                        [&](HMENU menu) { return tabs > 1 && GetMenuItemCount(menu) == tabs; }, L"the tab list", why);
}

// Ctrl+Alt+P (TCPathfan, 2) in the command line: the snippets of the
// general [Menu] in the demo's TCPathfan.ini, as the host's command line has
// no section of its own there.
bool ShowSnippets(CTour& tour, std::wstring& why)
{
    return OpenMenuWith(tour, TheApp().Main().m_cmdEdit, {VK_LCONTROL, VK_LMENU}, 'P',
                        [](HMENU menu) {
                            return MenuHasText(menu, L"Today's date") && MenuHasText(menu, L"List the folder");
                        },
                        L"the command line's snippet menu", why);
}
