// The module's three popup menus: where they open, which section they show
// and how the chosen text goes into the request.
#include "Pathfan.h"
#include "CaretPopupPoint.h"
#include "EditClassifier.h"
#include "IniSection.h"
#include "MenuBuilder.h"
#include "MenuItems.h"
#include "TokenExpander.h"

namespace {

bool SectionHasKeys(LPCWSTR file, LPCWSTR section)
{
    WCHAR keys[4] = {};
    GetPrivateProfileStringW(section, nullptr, L"", keys, 4, file);
    return keys[0] != 0;
}

// Left edge, one pixel under the bottom edge of the window.
POINT BelowWindow(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT point = {rect.left, rect.bottom + 1};
    return point;
}

} // namespace

int CPathfan::ShowHotlistMenu(EditRequest* request)
{
    if (!m_hostIni[0] || m_hostIni[0] == L'%')
        return 0;
    EditRequest saved = *request;
    KeepCopyDialogTail(request);

    bool changed = false;
    {
        CMenuBuilder builder(m_settingsFile, m_hostIni);
        CPopupMenu menu;
        builder.AddHotlistItems(menu.GetHandle(), 1, 1);
        if (menu.GetItemCount() > 0) {
            UINT id = m_services->TrackMenu(menu.GetHandle(), 0, BelowWindow(request->window),
                                            request->window);
            CString text;
            bool hasText = false;
            if (id && FindMenuItemById(menu.GetHandle(), id, text, hasText) && hasText) {
                CTokenExpander expander(*m_services, m_host, m_counter);
                if (expander.ExpandTokens(text, nullptr)) {
                    InsertAtSelection(request, text);
                    changed = true;
                }
            }
        }
    }
    if (!changed)
        *request = saved;
    return 1;
}

int CPathfan::ShowEditMenu(EditRequest* request, int kind)
{
    // The control kind's section when it has keys (or the section its
    // "UseMenu" names), else the general one.
    LPCWSTR own = MenuSectionName(kind);
    WCHAR section[32] = L"Menu";
    if (SectionHasKeys(m_settingsFile, own)) {
        WCHAR useMenu[16] = {};
        GetPrivateProfileStringW(own, L"UseMenu", L"", useMenu, 16, m_settingsFile);
        lstrcpynW(section, useMenu[0] ? useMenu : own, 32);
    }

    CString text = RequestText(request);
    POINT point = GetCaretPopupPoint(request->window, text.GetLength(), request->selStart);

    CMenuBuilder builder(m_settingsFile, m_hostIni);
    builder.ClearHotlistRange();
    CPopupMenu menu;
    builder.BuildMenuFromSection(menu.GetHandle(), section, 1);
    if (menu.GetItemCount() == 0)
        return 1;
    UINT id = m_services->TrackMenu(menu.GetHandle(), 0, point, request->window);
    CString chosen;
    bool hasText = false;
    if (!id || !FindMenuItemById(menu.GetHandle(), id, chosen, hasText) || !hasText)
        return 1;
    int selectionEnd = request->selEnd;
    if (builder.IsHotlistItem(id))
        KeepCopyDialogTail(request);
    CTokenExpander expander(*m_services, m_host, m_counter);
    if (!expander.ExpandTokens(chosen, request)) {
        request->selEnd = selectionEnd;
        return 0;
    }
    InsertAtSelection(request, chosen);
    return 1;
}

int CPathfan::ShowContextMenu(EditRequest* request)
{
    LPCWSTR section = MenuSectionName(MenuContext);
    if (!SectionHasKeys(m_settingsFile, section))
        return 0;
    CMenuBuilder builder(m_settingsFile, m_hostIni);
    CPopupMenu menu;
    builder.BuildMenuFromSection(menu.GetHandle(), section, 1);
    UINT id = m_services->TrackMenu(menu.GetHandle(), TPM_RIGHTBUTTON, m_services->GetCursorPos(),
                                    request->window);
    CString chosen;
    bool hasText = false;
    if (!id || !FindMenuItemById(menu.GetHandle(), id, chosen, hasText) || !hasText)
        return 1;
    CTokenExpander expander(*m_services, m_host, m_counter);
    if (!expander.ExpandTokens(chosen, nullptr))
        return 1;
    lstrcpynW(request->text, chosen, ModuleTextLength);
    int length = lstrlenW(request->text);
    int start, end;
    ClampSelection(request, length, start, end);
    request->selStart = start;
    request->selEnd = end;
    return 1;
}
