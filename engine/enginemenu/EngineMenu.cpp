#include "EngineMenu.h"
#include "ActiveFileList.h"
#include "BookmarkMenu.h"
#include "Bookmarks.h"
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "EngineTexts.h"
#include "FileVersionInfo.h"
#include "GoToPath.h"
#include "HostTreeSnapshot.h"
#include "IconMenu.h"
#include "ListLayout.h"
#include "PanelObjects.h"
#include "RelativeFolder.h"
#include "StickyFile.h"
#include "TCProtocol.h"
#include <shellapi.h>

namespace {

// The data "GW" asks with.
const ULONG_PTR AskPathData = 0x5747;

CString EngineTitle(HINSTANCE instance)
{
    CFileVersionInfo version;
    version.Create(instance);
    CString title;
    title.Format(L"Merovin\tv%d.%d", (int)version.GetFileVersion(3), (int)version.GetFileVersion(2));
    return title;
}

CString TextOf(CEngineContext& engine, int id)
{
    CString text = engine.LoadText(id);
    return text.IsEmpty() ? CString(DefaultEngineText(id)) : text;
}

} // namespace

void BuildEngineMenu(CEngineContext& engine, CIconMenu& menu, const EngineMenuState& state,
                     const std::vector<CString>& bookmarks)
{
    menu.AddItem(state.title, 0, MF_SEPARATOR);
    struct Sticky {
        int text;
        UINT command;
    };
    const Sticky sticky[] = {{TextToggleStick, CmdToggleStick}, {TextStickIt, CmdStickIt},
                             {TextUnStickIt, CmdUnStickIt},     {TextStickConfig, CmdStickConfig},
                             {TextUnStickAll, CmdUnStickAll}};
    bool grey[5] = {};
    if (!state.stickyFiles || !state.hasList) {
        for (bool& g : grey)
            g = true;
    } else {
        grey[3] = state.stickyFileShort;
        if (state.stickyCount == 0)
            grey[4] = grey[2] = true;
        else if (state.current < 0)
            grey[0] = grey[1] = grey[2] = true;
        else
            (state.currentSticky ? grey[1] : grey[2]) = true;
    }
    for (int i = 0; i < 5; ++i)
        menu.AddItem(CommandItemText(engine, sticky[i].text, sticky[i].command), sticky[i].command,
                     grey[i] ? MF_GRAYED : 0);
    menu.AddItem(L"", 0, MF_SEPARATOR);

    if (state.bookmarks) {
        CIconMenu* submenu = new CIconMenu;
        submenu->SetColors(menu.GetColors());
        submenu->SetIconSize(menu.GetIconSize());
        FillBookmarkMenu(engine, *submenu, bookmarks, state.current);
        if (!menu.AddSubmenu(submenu, TextOf(engine, TextBookmarks)))
            delete submenu; // not taken: still ours
    } else {
        menu.AddItem(TextOf(engine, TextBookmarks), MenuBookmarksOff, MF_GRAYED);
    }
    menu.AddItem(L"", 0, MF_SEPARATOR);

    HICON checked = CheckedIcon(engine);
    menu.AddItem(CommandItemText(engine, TextChangeColumns, CmdChangeColumns), CmdChangeColumns,
                 state.columnsEnabled ? 0 : MF_GRAYED);
    IconMenuItem* item = menu.GetItem(CmdChangeColumns, FALSE);
    if (state.customColumns && item)
        item->icon = checked;
    menu.AddItem(CommandItemText(engine, TextUseFileGrouping, CmdUseFileGrouping), CmdUseFileGrouping,
                 state.groupingAvailable ? 0 : MF_GRAYED);
    item = menu.GetItem(CmdUseFileGrouping, FALSE);
    if (state.groupingAvailable && state.groupingOn && item)
        item->icon = checked;
    menu.AddItem(CommandItemText(engine, TextReloadSettings, CmdReloadSettings), CmdReloadSettings);
    menu.AddItem(TextOf(engine, TextRunSettings), MenuRunSettings);
}

EngineMenuState CEngineMenu::ReadState(CTCFileList* list)
{
    const EngineSettings& settings = m_engine.Settings();
    EngineMenuState state;
    state.title = EngineTitle(m_engine.EngineInstance());
    state.stickyFiles = settings.StickyFiles != 0;
    state.bookmarks = settings.BookMarks != 0;
    state.customColumns = CustomColumns();
    state.groupingAvailable = settings.groupingActive != 0;
    state.groupingOn = state.groupingAvailable && settings.groupingOn != 0;
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    state.stickyFileShort = !GetFileAttributesExW(m_engine.Paths().stickyFile, GetFileExInfoStandard, &file) ||
                            (file.nFileSizeHigh == 0 && file.nFileSizeLow < 3);
    if (!list || !list->Window())
        return state;
    state.hasList = true;
    state.stickyCount = (int)list->Sticky().GetSize();
    state.current = (int)::SendMessageW(list->Window(), LB_GETCURSEL, 0, 0);
    CString name;
    if (state.current >= 0 && list->GetItemName(name, state.current) && name == L"..")
        state.current = -2;
    state.currentSticky = state.current >= 0 && IsStickyItem(state.stickyFiles, *list, state.current);
    state.columnsEnabled = settings.ChangeColumns && list->ListLayout() == LayoutMultiColumn;
    return state;
}

int CEngineMenu::Show(int side, POINT point)
{
    if (side > 1)
        return 0;
    CTCFileList* list = nullptr;
    bool fromCommand = side < 0;
    if (fromCommand) {
        list = ActiveFileList(m_engine);
        if (!list)
            return 0;
        side = list->Side();
    } else {
        list = m_engine.Panels().fileList[side];
        if (list && !list->Window())
            list = nullptr;
        AskPanelPath(side);
    }
    const HostTreeSnapshot& tree = m_engine.Tree();
    HWND path = tree.valid ? tree.bar2[side] : nullptr;
    RECT bar = {};
    if (path && ::GetWindowRect(path, &bar)) {
        if (fromCommand)
            point.x = (bar.left + bar.right) / 2;
        point.y = bar.bottom + 1;
    }
    if (list)
        ::SetFocus(list->Window());

    EngineMenuState state = ReadState(list);
    std::vector<CString> items = m_bookmarks.Items();
    CIconMenu menu;
    menu.SetColors(m_engine.Settings().menuColors);
    menu.SetIconSize(GetSystemMetrics(SM_CXSMICON));
    BuildEngineMenu(m_engine, menu, state, items);
    UINT id = (UINT)menu.Track(TPM_CENTERALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, list);
    RunChoice(id, items);
    return 1;
}

void CEngineMenu::RunChoice(UINT id, const std::vector<CString>& items)
{
    if (id == MenuRunSettings) {
        CString program = m_engine.Paths().engineFolder + SettingsUtilityName;
        ShellExecuteW(nullptr, L"open", program, nullptr, m_engine.Paths().engineFolder, SW_SHOWNORMAL);
    } else if (id >= BookmarkMenuFirstId && id < BookmarkMenuFirstId + items.size()) {
        // Every bookmark goes to its path; none becomes a host command.
        GoToPath(m_engine, items[id - BookmarkMenuFirstId], GoToSource, false);
    } else if (id >= FirstEngineCommand && id <= LastEngineCommand) {
        m_engine.Commands().ExecuteEngineCommand(id);
    }
}

bool CEngineMenu::CustomColumns() const
{
    return m_customColumns < 0 ? m_engine.Settings().ChangeColumns != 0 : m_customColumns != 0;
}

int CEngineMenu::ChangeColumns()
{
    bool on = !CustomColumns();
    m_customColumns = on ? 1 : 0;
    const EngineSettings& settings = m_engine.Settings();
    for (int side = 0; side < 2; ++side) {
        CTCFileList* list = m_engine.Panels().fileList[side];
        if (list && list->Window())
            list->UseColumnsWidth(on ? (side == 0 ? settings.ColumnsWidth0 : settings.ColumnsWidth1) : 0);
    }
    return 1;
}

int CEngineMenu::GotoDirRelative()
{
    CTCFileList* list = ActiveFileList(m_engine);
    if (!list)
        return 0;
    const HostTreeSnapshot& tree = m_engine.Tree();
    HWND otherBar = tree.valid ? tree.bar2[1 - list->Side()] : nullptr;
    WCHAR text[SnapshotTextLength] = {};
    if (otherBar)
        ::GetWindowTextW(otherBar, text, SnapshotTextLength);
    CString folder;
    if (!RelativeFolder(list->GetPanelPath(), FolderOfPathText(text), folder)) {
        MessageBeep(MB_ICONASTERISK);
        return 1;
    }
    GoToPath(m_engine, folder, GoToTarget, false);
    return 1;
}

void CEngineMenu::AskPanelPath(int side)
{
    HWND main = m_engine.Host().mainWindow;
    if (!main || side < 0 || side > 1)
        return;
    char data[2] = {side == 0 ? 'L' : 'R', 'P'};
    COPYDATASTRUCT block = {AskPathData, sizeof(data), data};
    ::SendMessageW(main, WM_COPYDATA, (WPARAM)m_engine.Dispatcher(), (LPARAM)&block);
}
