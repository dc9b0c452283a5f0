#include "FeatureWiring.h"
#include "ActiveFileList.h"
#include "TCFileList.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "GoToPath.h"
#include "GroupSettings.h"
#include "IconMenuShared.h"
#include "HostTreeSnapshot.h"
#include "MyCombo.h"
#include "PanelObjects.h"
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

} // namespace

// Every settings load: file grouping's keys of [Config].
int CFeatureWiring::ReadGroupingSettings(CString& spec)
{
    return ReadGroupPattern(L"Config", m_engine.Paths().settingsFile, spec);
}

// Start-up: the engine menu's texts come from the localisation file when shown.
void CFeatureWiring::LoadEngineTexts() {}
// Start-up: each drive combo object loads the custom drive icons
// ("CustomDLIcons") when attaching gives it its style, and frees them with
// itself at teardown.
void CFeatureWiring::ReadDriveListIcons() {}
// Start-up (and every reload): the bookmarks file is merged into the list.
void CFeatureWiring::ReadBookmarks()
{
    m_bookmarks.Load();
}
// Start-up with "AutoView": no folder rules are read.
void CFeatureWiring::ReadFolderRules() {}
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
// Teardown: the completion's directory search is closed.
void CFeatureWiring::FreeStartupTables()
{
    m_completion.Reset();
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

// Every host-command hotkey runs and its key is swallowed until the engine
// menu's filter of the fixed bindings exists.
int CFeatureWiring::SpecialKeyFilter(const HotkeyEntry&, HWND)
{
    return SpecialKeyRunSwallow;
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

// The engine commands of the features; those of features not built yet
// (grouping, engine menu) are not handled, so the key goes on to the host.
int CFeatureWiring::RunFeatureCommand(UINT number)
{
    switch (number) {
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

// The sticky commands on the focused file list's caret item.
int CFeatureWiring::RunStickyCommand(int op)
{
    CTCFileList* list = ActiveFileList(m_engine);
    return list ? list->StickyCommand(op, m_sticky) : 0;
}

// Sticky items by their rows, bookmarks by the item's full path.
// With "TabsWheel", the wheel over the client area of either tab control.
bool CFeatureWiring::OfferWheelToTabs(WPARAM wParam, LPARAM lParam)
{
    if (!m_engine.Settings().TabsWheel)
        return false;
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    for (CMyTabs* tabs : m_engine.Panels().tabs) {
        HWND window = tabs ? tabs->Window() : nullptr;
        if (window && ::WindowFromPoint(point) == window &&
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
