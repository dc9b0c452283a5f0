// Attaching to the host's window tree: the main window's subclass, the panel
// objects, the retry and tree-check timers, and re-attaching what the host
// recreated.
#include "HostAttach.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "PathPeers.h"
#include <vector>

void CHostAttach::AttachMainWindow(HWND main)
{
    if (!main || m_mainWnd.GetSafeHwnd())
        return;
    m_mainWnd.m_keepTCBack = m_engine.Settings().KeepTCBack;
    m_mainWnd.m_inverseCursor = m_engine.Host().inverseCursor;
    SubclassAttach(&m_mainWnd, main);
}

void CHostAttach::DetachMainWindow()
{
    if (m_mainWnd.GetSafeHwnd())
        SubclassDetach(&m_mainWnd);
}

int CHostAttach::Attach(HWND main)
{
    ++m_state.m_attachRuns;
    // A main window that appeared after start-up gets its subclass now, unless
    // the subclass left it on purpose because the host is closing.
    if (main && !m_engine.IsTimerRunning(EngineTimer::DetachUnload))
        AttachMainWindow(main);
    if (!main || !m_tree.Rescan(main)) {
        m_state.m_attaching = true;
        m_engine.StartTimer(EngineTimer::AttachRetry, 0, 100);
        return 0;
    }
    m_state.m_attaching = false;
    m_state.ScanTaken();
    CreatePanelObjects();
    return 1;
}

void CHostAttach::CreatePanelObjects()
{
    const EngineSettings& settings = m_engine.Settings();
    CPanelObjects& p = m_panels;
    if (settings.fileListsNeeded) {
        for (int side = 0; side < 2; ++side) {
            if (!p.fileList[side])
                p.fileList[side] = new CTCFileList(m_engine, side);
            p.fileList[side]->AttachFileList(m_tree.fileList[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (!p.tabs[side]) {
            p.tabs[side] = new CMyTabs(m_engine, side);
            p.tabs[side]->m_lockQuery = [this](const CMyTabs* tabs, int position) {
                return m_mainWnd.QueryHostMenuIndex(tabs, position);
            };
        }
        CPathPeers* peers = m_engine.PathPeers();
        p.tabs[side]->m_decorations = peers ? peers->TabDecorations() : nullptr;
        if (m_tree.tabs[side])
            p.tabs[side]->InitTabs(m_tree.tabs[side]);
    }
    for (int side = 0; side < 2; ++side) {
        if (!p.pathWnd[side])
            p.pathWnd[side] = new CPathWnd(m_engine, side);
        CPathWnd& path = *p.pathWnd[side];
        path.m_autoView = settings.AutoView;
        path.m_useDesktopIni = settings.UseDesktopINI;
        path.m_overrideVisualMode = settings.OverrideVisualMode;
        path.m_keepScope = settings.KeepScope;
        path.AttachPathWindow(m_tree.bar2[side]);
    }
    if (settings.DriveList) {
        for (int side = 0; side < 2; ++side) {
            if (!p.driveCombo[side])
                p.driveCombo[side] = new CMyCombo(m_engine, side);
            CMyCombo& combo = *p.driveCombo[side];
            combo.SetStyle(settings.DriveList == 1, settings.driveListStyle);
            combo.SetMenuColors(settings.menuColors);
            combo.AttachTo(m_tree.driveCombo[side]);
        }
    }
}

void CHostAttach::DeleteAll()
{
    m_panels.DeleteAll();
    m_tree.Clear();
    m_state.m_attaching = false;
    m_state.ScanTaken();
}

void CHostAttach::OnTreeCheck(HWND main)
{
    // Waits for a quiet moment: the host builds its windows in bursts.
    if (GetTickCount() - m_state.m_lastCreationTick < 100)
        return;
    ++m_state.m_treeChecks;
    m_state.m_lastTreeCheckTick = GetTickCount();
    HostTreeSnapshot old = m_tree;
    if (main && m_tree.Rescan(main)) {
        m_engine.KillTimer(EngineTimer::TreeCheck);
        ReattachChanged(old);
    } else {
        m_tree = old;
    }
}

namespace {

// The window of an item in the old snapshot is gone (or its handle now
// names a window created since) while the live snapshot has one.
bool Recreated(HWND old, HWND live, const CAttachState& state)
{
    if (!live || !IsWindow(live))
        return false;
    bool oldStillThere = old && IsWindow(old) && !state.CreatedSinceScan(old);
    return !oldStillThere;
}

} // namespace

void CHostAttach::ReattachChanged(const HostTreeSnapshot& old)
{
    static const WCHAR* const pathTraces[2] = {L"Left Path Panel Created\n", L"Right Path Panel Created\n"};
    static const WCHAR* const tabTraces[2] = {L"Left Tab Created\n", L"Right Tab Created\n"};
    static const WCHAR* const listTraces[2] = {L"Left List Created\n", L"Right List Created\n"};
    HWND dispatcher = m_engine.Dispatcher();
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.bar2[side], m_tree.bar2[side], m_state)) {
            if (m_panels.pathWnd[side])
                m_panels.pathWnd[side]->AttachPathWindow(m_tree.bar2[side]);
            OutputDebugStringW(pathTraces[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.tabs[side], m_tree.tabs[side], m_state)) {
            if (dispatcher)
                PostMessageW(dispatcher, PanelRefreshMessage, side, 2);
            OutputDebugStringW(tabTraces[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.fileList[side], m_tree.fileList[side], m_state)) {
            if (dispatcher)
                PostMessageW(dispatcher, PanelRefreshMessage, side, 0);
            OutputDebugStringW(listTraces[side]);
        }
    }
    m_state.ScanTaken();
}

void CHostAttach::RefreshPanel(int side, int what)
{
    if (side != 0 && side != 1)
        return;
    if (what == 0) {
        CTCFileList* list = m_panels.fileList[side];
        if (list)
            list->AttachFileList(m_tree.fileList[side]);
        // The side's path bar gets its own text again (the host repaints it
        // and the path window sees it), and the list is painted anew.
        HWND bar = m_tree.bar2[side];
        if (bar && IsWindow(bar)) {
            int length = GetWindowTextLengthW(bar);
            std::vector<WCHAR> text(length + 1);
            GetWindowTextW(bar, text.data(), length + 1);
            SetWindowTextW(bar, text.data());
        }
        if (list && list->Window())
            InvalidateRect(list->Window(), nullptr, TRUE);
    } else if (what == 2) {
        WCHAR trace[40];
        wsprintfW(trace, L"CMerovinApp::InitTab %d", side);
        OutputDebugStringW(trace);
        if (m_panels.tabs[side] && m_tree.tabs[side])
            m_panels.tabs[side]->InitTabs(m_tree.tabs[side]);
    }
}

void CHostAttach::OnDetachUnload(HWND main)
{
    m_engine.KillTimer(EngineTimer::DetachUnload);
    WCHAR name[64] = {};
    if (main && IsWindow(main))
        GetClassNameW(main, name, 64);
    if (lstrcmpW(name, HostMainClassName) != 0) {
        m_engine.UnloadEngine();
        return;
    }
    // The host declined its close: the engine carries on.
    AttachMainWindow(main);
}

WatchAction CHostAttach::OnWatchedMessage(const CWPSTRUCT& sent)
{
    if (sent.message == WM_CREATE)
        m_state.RecordCreation(sent.hwnd, m_tree);
    WatchSwitches switches;
    switches.closeAllListers = m_engine.Settings().CloseAllListers != 0;
    switches.checkMultiLister = m_engine.Settings().CheckMultiLister != 0;
    WatchAction action = ClassifyWatchedMessage(sent, switches);
    switch (action) {
    case WatchAction::TreeCheck:
        m_state.m_lastCreationTick = GetTickCount();
        if (!m_engine.IsTimerRunning(EngineTimer::TreeCheck))
            m_engine.StartTimer(EngineTimer::TreeCheck, 0, 100);
        return WatchAction::None;
    case WatchAction::QuickSearch: {
        HWND focus = GetFocus();
        for (CTCFileList* list : m_panels.fileList)
            if (list && focus && list->Window() == focus)
                list->m_noLostFocusMark = TRUE;
        return WatchAction::None;
    }
    default:
        return action;
    }
}

int CHostAttach::SubclassCount() const
{
    return m_panels.AttachedCount() + (m_mainWnd.GetSafeHwnd() ? 1 : 0);
}

CString CHostAttach::Describe() const
{
    auto object = [](const CPanelWnd* o) -> CString {
        CString text;
        if (!o)
            text = L"none";
        else
            text.Format(L"%p", (void*)o->Window());
        return text;
    };
    const CPanelObjects& p = m_panels;
    CString text;
    text.AppendFormat(L"mainSubclass=%p\n", (void*)m_mainWnd.GetSafeHwnd());
    text.AppendFormat(L"treeValid=%d\n", m_tree.valid);
    text.AppendFormat(L"scanFailure=%d\n", (int)m_tree.LastFailure());
    text.AppendFormat(L"attaching=%d\n", m_state.m_attaching ? 1 : 0);
    text.AppendFormat(L"attachRuns=%d\n", m_state.m_attachRuns);
    text.AppendFormat(L"treeChecks=%d\n", m_state.m_treeChecks);
    text.AppendFormat(L"lastTreeCheckTick=%lu\n", m_state.m_lastTreeCheckTick);
    text.AppendFormat(L"lastCreationTick=%lu\n", m_state.m_lastCreationTick);
    for (int side = 0; side < 2; ++side) {
        text.AppendFormat(L"fileList%d=%s\n", side, object(p.fileList[side]).GetString());
        text.AppendFormat(L"tabs%d=%s\n", side, object(p.tabs[side]).GetString());
        text.AppendFormat(L"pathWnd%d=%s\n", side, object(p.pathWnd[side]).GetString());
        text.AppendFormat(L"driveCombo%d=%s\n", side, object(p.driveCombo[side]).GetString());
        const CMyCombo* combo = p.driveCombo[side];
        text.AppendFormat(L"driveIconsMade%d=%d\ndriveIconsFreed%d=%d\n", side, combo ? combo->IconsMade() : 0, side,
                          combo ? combo->IconsFreed() : 0);
        text.AppendFormat(L"quickSearch%d=%d\n", side, p.fileList[side] && p.fileList[side]->m_noLostFocusMark ? 1 : 0);
    }
    return text;
}
