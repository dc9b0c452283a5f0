#include "FeatureWiring.h"
#include "ActiveFileList.h"
#include "TCFileList.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "GoToPath.h"
#include "GroupSettings.h"
#include "IconMenuShared.h"
#include "HostTreeSnapshot.h"
#include "MyCombo.h"
#include "PanelObjects.h"
#include "SpecialKeyFilter.h"
#include "CommandExec.h"
#include "FocusClass.h"
#include "DesktopIni.h"
#include "TCProtocol.h"

namespace {

HWND QueryHost(HWND main, int code)
{
    if (!main)
        return nullptr;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(main, HostQueryMessage, WPARAM(code), 0, SMTO_ABORTIFHUNG, 1000, &answer))
        return nullptr;
    HWND window = reinterpret_cast<HWND>(answer);
    return IsWindow(window) ? window : nullptr;
}

// The folder-tab object of the panel that holds the focus (left unless the
// focus is in the right panel), or null.
CMyTabs* FocusedTabs(CEngineContext& engine)
{
    const HostTreeSnapshot& tree = engine.Tree();
    HWND focus = GetFocus();
    int side = tree.valid && focus && (focus == tree.fileList[1] || IsChild(tree.panel[1], focus)) ? 1 : 0;
    CMyTabs* tabs = engine.Panels().tabs[side];
    return tabs && tabs->Window() ? tabs : nullptr;
}

// A side's folder as its path bar shows it: through the engine's path
// window, or from the host's bar itself when the engine has none there.
CString SideFolder(CEngineContext& engine, int side)
{
    CPathWnd* path = engine.Panels().pathWnd[side];
    if (path && path->Window())
        return path->GetPathFromWindow();
    const HostTreeSnapshot& tree = engine.Tree();
    HWND bar = tree.valid ? tree.bar2[side] : nullptr;
    WCHAR text[SnapshotTextLength] = {};
    if (bar && ::IsWindow(bar))
        ::GetWindowTextW(bar, text, SnapshotTextLength);
    return FolderOfPathText(text);
}

} // namespace

// Every settings load: file grouping's keys of [Config].
int CFeatureWiring::ReadGroupingSettings(CString& pattern)
{
    m_engine.Settings().groupingOn = 1;
    return ReadGroupPattern(L"Config", m_engine.Paths().settingsFile, pattern);
}

// Every start: the engine's texts from the localisation file and the string
// table, and the column widths as the settings give them.
void CFeatureWiring::LoadEngineTexts()
{
    m_texts.Load(m_engine.Paths().localizationFile, m_engine.EngineInstance());
    m_menu.Reset();
}
// Start-up: each drive combo object loads the custom drive icons
// ("CustomDLIcons") when attaching gives it its style, and frees them with
// itself at teardown.
void CFeatureWiring::ReadDriveListIcons() {}
// Start-up (and every reload): the bookmarks file is merged into the list.
void CFeatureWiring::ReadBookmarks()
{
    m_bookmarks.Load();
}
// Start-up with "AutoView": the folder rules. A rule that groups files makes
// grouping in use, so the file lists are attached for it.
void CFeatureWiring::ReadFolderRules()
{
    m_folderRules.Read(m_engine.Paths().settingsFile, m_engine.Paths().hostIni, m_engine.Host().extractIcons);
    if (m_folderRules.AnyGrouping()) {
        EngineSettings& settings = m_engine.Settings();
        settings.groupingActive = 1;
        settings.stickyOrGrouping = 1;
        settings.fileListsNeeded = 1;
    }
}
// Attaching: the tabs look up folders in the rules, with this start's
// "desktop.ini" switches.
CTabDecorationSource* CFeatureWiring::TabDecorations()
{
    const EngineSettings& settings = m_engine.Settings();
    CDecorationOptions options;
    options.useDesktopIni = settings.UseDesktopINI != 0;
    options.overrideVisualMode = settings.OverrideVisualMode != 0;
    options.desktopIni.skipDisconnected = settings.SkipDisconnected != 0;
    options.desktopIni.iconResourceFirst = IconResourceFirst();
    options.extract = m_engine.Host().extractIcons;
    m_tabDecorations.SetOptions(options);
    return &m_tabDecorations;
}

// Start-up: whether visual styles are active, for the icon menus' windows.
void CFeatureWiring::InitIconMenu()
{
    CIconMenuShared::ReadVisualStyles();
}
// Start-up with the get-message hook: with "CloseAllListers" every open
// Lister gets the engine's system-menu item.
void CFeatureWiring::AddListerMenuItems()
{
    m_listers.AddMenuItems();
}

// Teardown: the Listers' items go, and no Lister keeps a procedure of ours.
void CFeatureWiring::RemoveListerMenuItems()
{
    m_listers.RemoveMenuItems();
}
// Teardown: the completion's directory search is closed; the folder rules
// and their icons go.
void CFeatureWiring::FreeStartupTables()
{
    m_completion.Reset();
    m_folderRules.Free();
}

// Watcher: a new Lister gets the system-menu item.
void CFeatureWiring::AddListerMenuItem(HWND lister)
{
    m_listers.AddMenuItem(lister);
}
// Watcher: a WM_CLOSE sent to a Lister gets the multi-file check.
void CFeatureWiring::SubclassListerOnClose(HWND lister)
{
    m_listers.CheckSentClose(lister);
}
// Get-message hook: the Listers' close requests and the close-all item.
void CFeatureWiring::OnGetMessage(MSG& message)
{
    m_listers.OnGetMessage(message);
}

// The drive switch (key: the side) runs once; a tab's timed icon (the key
// names the side in its low bit).
bool CFeatureWiring::OnTimer(EngineTimer kind, UINT_PTR key)
{
    if (kind == EngineTimer::DriveSwitch) {
        m_engine.KillTimer(kind, key);
        CMyCombo* combo = key < 2 ? m_engine.Panels().driveCombo[key] : nullptr;
        if (combo)
            combo->OnDriveSwitchTimer();
        return true;
    }
    if (kind != EngineTimer::TabApply)
        return false;
    CMyTabs* tabs = m_engine.Panels().tabs[key & 1];
    return tabs && tabs->OnTimedIcon(key);
}

// The fixed bindings' filter (Esc sequence, GotoUpFromRoot, End) on the
// state of the focused file list.
int CFeatureWiring::SpecialKeyFilter(const HotkeyEntry& entry, HWND focus)
{
    if (!entry.fixed)
        return SpecialKeyRunSwallow;
    const EngineSettings& settings = m_engine.Settings();
    const HostTreeSnapshot& tree = m_engine.Tree();
    CCommandExecutor& commands = m_engine.Commands();
    SpecialKeyInput in;
    in.gotoUpFromRoot = settings.GotoUpFromRoot != 0;
    in.escSpecial = settings.ESCSpecial != 0;
    UINT focusClass = ClassifyFocus(focus);
    in.editOutsideHost = (focusClass & FocusEdit) && (focusClass & FocusOtherTopLevel);
    in.driveListOpen = commands.IsDriveListOpen();
    CString path;
    for (int side = 0; side < 2 && tree.valid; ++side)
        if (focus && focus == tree.fileList[side])
            in.listSide = side;
    if (in.listSide >= 0) {
        path = SideFolder(m_engine, in.listSide);
        in.selectedCount = (int)::SendMessageW(focus, LB_GETSELCOUNT, 0, 0);
        in.itemHeight = (int)::SendMessageW(focus, LB_GETITEMHEIGHT, 0, 0);
    }
    in.path = path;
    SpecialKeyAction action = SpecialKeyNoAction;
    int answer = FilterSpecialKey(entry, in, commands.m_escCount, action);
    if (action == SpecialKeyRestoreSelection) {
        commands.RunCommandByName(L"cm_RestoreSelection", false);
    } else if (action == SpecialKeyLeftListToEnd && tree.valid && tree.fileList[0]) {
        HWND left = tree.fileList[0];
        int count = (int)::SendMessageW(left, LB_GETCOUNT, 0, 0);
        if (count > 0)
            ::SendMessageW(left, LB_SETCARETINDEX, count - 1, 0);
        ::InvalidateRect(left, nullptr, FALSE);
    }
    return answer;
}

int CFeatureWiring::ShowEngineMenu(int side, POINT point)
{
    return m_menu.Show(side, point);
}

// Key-up: a pending "ChronoTabs" switch commits once Shift is up.
void CFeatureWiring::OnKeyUp(bool shiftDown)
{
    for (CMyTabs* tabs : m_engine.Panels().tabs)
        if (tabs)
            tabs->ChronoTabsKeyUp(shiftDown);
}

bool CFeatureWiring::NextQuickViewApplies()
{
    return m_listers.NextQuickViewApplies();
}

int CFeatureWiring::RunAutoCompletion(HWND focus)
{
    return m_completion.Complete(focus);
}

// The engine commands of the features.
int CFeatureWiring::RunFeatureCommand(UINT number)
{
    switch (number) {
    case CmdUseFileGrouping:
        return UseFileGrouping();
    case CmdJumpBookMark:
        return m_bookmarks.Jump();
    case CmdShowMVMenu:
        return m_menu.Show(-1, POINT{});
    case CmdChangeColumns:
        return m_menu.ChangeColumns();
    case CmdGotoDirRelative:
        return m_menu.GotoDirRelative();
    case CmdToggleBookMark:
        return m_bookmarks.Toggle();
    case CmdBookMarkNext:
    case CmdBookMarkPrev:
        return m_bookmarks.Step(number == CmdBookMarkNext);
    case CmdBook2Selection:
    case CmdCopyBookMark:
        return m_bookmarks.Copy(number == CmdBook2Selection);
    case CmdPasteBookMark:
        return m_bookmarks.Paste();
    case CmdClearBookMark:
        return m_bookmarks.Clear();
    case CmdUnStickIt:
        return RunStickyCommand(0);
    case CmdUnStickAll:
        return RunStickyCommand(1);
    case CmdStickIt:
        return RunStickyCommand(2);
    case CmdStickConfig:
        return RunStickyCommand(3);
    case CmdToggleStick:
        return RunStickyCommand(4);
    case CmdSelectTabColor:
    case CmdChronoTabs: {
        CMyTabs* tabs = FocusedTabs(m_engine);
        if (!tabs || (number == CmdSelectTabColor && !m_engine.Settings().ColoredTabs))
            return 0;
        if (number == CmdChronoTabs)
            return tabs->ChronoTabs() ? 1 : 0;
        tabs->OpenColourPopup(-1);
        return 1;
    }
    case CmdShowTabListLeft:
    case CmdShowTabListRight: {
        int side = number == CmdShowTabListLeft ? 0 : 1;
        CMyTabs* tabs = m_engine.Panels().tabs[side];
        HWND path = m_engine.Tree().valid ? m_engine.Tree().bar2[side] : nullptr;
        if (!tabs || !tabs->Window() || !path)
            return 0;
        RECT r;
        GetWindowRect(path, &r);
        tabs->ShowTabList(POINT{r.right + 1, r.bottom + 1});
        return 1;
    }
    case CmdCloseAllListers:
        return m_listers.CloseAll(true);
    case CmdNextQuickView:
        return m_listers.NextQuickView();
    default:
        return 0;
    }
}

// Flips the engine's grouping switch and each list's own, each list
// ordered again.
int CFeatureWiring::UseFileGrouping()
{
    int& on = m_engine.Settings().groupingOn;
    on = on ? 0 : 1;
    for (CTCFileList* list : m_engine.Panels().fileList)
        if (list && list->Window())
            list->ToggleGrouping();
    return 1;
}

// The sticky commands on the focused file list's caret item.
int CFeatureWiring::RunStickyCommand(int op)
{
    CTCFileList* list = ActiveFileList(m_engine);
    return list ? list->StickyCommand(op, m_sticky) : 0;
}

// Sticky items by their rows, bookmarks by the item's full path.
// With "TabsWheel", the wheel over the client area of either tab control:
// the point lies in the control's window, which answers HTCLIENT only over
// its tabs.
bool CFeatureWiring::OfferWheelToTabs(WPARAM wParam, LPARAM lParam)
{
    if (!m_engine.Settings().TabsWheel)
        return false;
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    for (CMyTabs* tabs : m_engine.Panels().tabs) {
        HWND window = tabs ? tabs->Window() : nullptr;
        RECT area;
        if (window && ::IsWindowVisible(window) && ::GetWindowRect(window, &area) && ::PtInRect(&area, point) &&
            ::SendMessageW(window, WM_NCHITTEST, 0, lParam) == HTCLIENT)
            return tabs->ScrollByWheel(wParam, lParam);
    }
    return false;
}

void CFeatureWiring::OpenInNewTab(CTCFileList& list, LPCWSTR path)
{
    GoToPath(m_engine, path, list.Side() == 1 ? GoToRight : GoToLeft, true);
}

UINT CFeatureWiring::RowMarks(CTCFileList& list, int index)
{
    const EngineSettings& settings = m_engine.Settings();
    UINT marks = IsStickyItem(settings.StickyFiles != 0, list, index) ? MarkSticky : 0;
    CString path;
    if (settings.BookMarks && list.GetItemPath(path, index) && m_bookmarks.IndexOf(path) > 0)
        marks |= MarkBookmark;
    return marks;
}

// The focus is the left or right file list (while the engine has file-list
// objects), or inside the host's command-line combo box.
bool CFeatureWiring::IsDriveListFocus(HWND focus)
{
    if (!focus)
        return false;
    HWND main = m_engine.Host().mainWindow;
    if (m_engine.Settings().fileListsNeeded &&
        (focus == QueryHost(main, QueryLeftList) || focus == QueryHost(main, QueryRightList)))
        return true;
    HWND commandLine = QueryHost(main, QueryCommandLine);
    return commandLine && IsChild(commandLine, focus);
}

HWND CFeatureWiring::DriveComboWindow(int side)
{
    return QueryHost(m_engine.Host().mainWindow, side == 0 ? QueryLeftDrive : QueryRightDrive);
}
