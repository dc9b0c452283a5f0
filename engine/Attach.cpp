// Attaching to the host's window tree: the main window's subclass, the panel
// objects, the retry and tree-check timers, re-attaching what the host
// recreated, and the close of the host.
#include "MerovinApp.h"

void CAttachState::RecordCreation(HWND window, const HostTreeSnapshot& live)
{
    const HWND watched[] = {live.bar2[0], live.bar2[1], live.tabs[0], live.tabs[1], live.fileList[0], live.fileList[1]};
    for (HWND w : watched)
        if (w && w == window && !CreatedSinceScan(window))
            m_reborn.push_back(window);
}

bool CAttachState::CreatedSinceScan(HWND window) const
{
    for (HWND reborn : m_reborn)
        if (reborn == window)
            return true;
    return false;
}

void CMerovinApp::AttachMainWindow()
{
    if (!m_hostMain || m_tcWnd.GetSafeHwnd())
        return;
    m_tcWnd.keepTCBack = m_settings.KeepTCBack;
    m_tcWnd.inverseCursor = m_inverseCursor;
    SubclassAttach(&m_tcWnd, m_hostMain);
}

void CMerovinApp::DetachMainWindow()
{
    if (m_tcWnd.GetSafeHwnd())
        SubclassDetach(&m_tcWnd);
}

int CMerovinApp::AttachPanels()
{
    ++m_attach.attachRuns;
    if (!m_hostMain || !IsWindow(m_hostMain))
        m_hostMain = FindHostMainWindow();
    // A main window that appeared after start-up gets its subclass now, unless
    // the subclass left it on purpose because the host is closing.
    if (m_hostMain && !m_timers.IsRunning(EngineTimer::DetachUnload))
        AttachMainWindow();
    if (!m_hostMain || !m_tree.Rescan(m_hostMain)) {
        m_attach.attaching = true;
        StartTimer(EngineTimer::AttachRetry, 0, 100);
        return 0;
    }
    m_attach.attaching = false;
    m_attach.ScanTaken();
    CreatePanelObjects();
    LoadModuleList();
    return 1;
}

void CMerovinApp::CreatePanelObjects()
{
    CPanelObjects& p = m_panels;
    if (m_settings.fileListsNeeded) {
        for (int side = 0; side < 2; ++side) {
            if (!p.fileList[side])
                p.fileList[side] = new CTCFileList(side);
            p.fileList[side]->AttachFileList(m_tree.fileList[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (!p.tabs[side])
            p.tabs[side] = new CMyTabs(side);
        if (m_tree.tabs[side])
            p.tabs[side]->InitTabs(m_tree.tabs[side]);
    }
    for (int side = 0; side < 2; ++side) {
        if (!p.pathWnd[side])
            p.pathWnd[side] = new CPathWnd(side);
        CPathWnd& path = *p.pathWnd[side];
        path.autoView = m_settings.AutoView;
        path.useDesktopIni = m_settings.UseDesktopINI;
        path.overrideVisualMode = m_settings.OverrideVisualMode;
        path.keepScope = m_settings.KeepScope;
        path.AttachTo(m_tree.bar2[side]);
    }
    if (m_settings.DriveList) {
        for (int side = 0; side < 2; ++side) {
            if (!p.driveCombo[side])
                p.driveCombo[side] = new CMyCombo(side);
            CMyCombo& combo = *p.driveCombo[side];
            combo.driveListMenu = m_settings.DriveList == 1;
            combo.style = m_settings.driveListStyle;
            combo.colors = m_settings.menuColors;
            combo.AttachTo(m_tree.driveCombo[side]);
        }
    }
}

void CMerovinApp::DeletePanelObjects()
{
    m_panels.DeleteAll();
    m_tree.Clear();
    m_attach.attaching = false;
    m_attach.ScanTaken();
}

void CMerovinApp::OnTreeCheck()
{
    // Waits for a quiet moment: the host builds its windows in bursts.
    if (GetTickCount() - m_attach.lastCreationTick < 100)
        return;
    ++m_attach.treeChecks;
    m_attach.lastTreeCheckTick = GetTickCount();
    HostTreeSnapshot old = m_tree;
    if (m_hostMain && m_tree.Rescan(m_hostMain)) {
        m_timers.Kill(EngineTimer::TreeCheck);
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

void CMerovinApp::ReattachChanged(const HostTreeSnapshot& old)
{
    static const WCHAR* const pathTraces[2] = {L"Left Path Panel Created\n", L"Right Path Panel Created\n"};
    static const WCHAR* const tabTraces[2] = {L"Left Tab Created\n", L"Right Tab Created\n"};
    static const WCHAR* const listTraces[2] = {L"Left List Created\n", L"Right List Created\n"};
    HWND dispatcher = m_dispWnd.GetSafeHwnd();
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.bar2[side], m_tree.bar2[side], m_attach)) {
            if (m_panels.pathWnd[side])
                m_panels.pathWnd[side]->AttachTo(m_tree.bar2[side]);
            OutputDebugStringW(pathTraces[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.tabs[side], m_tree.tabs[side], m_attach)) {
            if (dispatcher)
                PostMessageW(dispatcher, PanelRefreshMessage, side, 2);
            OutputDebugStringW(tabTraces[side]);
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (Recreated(old.fileList[side], m_tree.fileList[side], m_attach)) {
            if (dispatcher)
                PostMessageW(dispatcher, PanelRefreshMessage, side, 0);
            OutputDebugStringW(listTraces[side]);
        }
    }
    m_attach.ScanTaken();
}

void CMerovinApp::RefreshPanel(int side, int what)
{
    if (side != 0 && side != 1)
        return;
    if (what == 0) {
        if (m_panels.fileList[side])
            m_panels.fileList[side]->AttachFileList(m_tree.fileList[side]);
    } else if (what == 2) {
        WCHAR trace[40];
        wsprintfW(trace, L"CMerovinApp::InitTab %d", side);
        OutputDebugStringW(trace);
        if (m_panels.tabs[side] && m_tree.tabs[side])
            m_panels.tabs[side]->InitTabs(m_tree.tabs[side]);
    }
}

void CMerovinApp::OnDetachUnload()
{
    m_timers.Kill(EngineTimer::DetachUnload);
    WCHAR name[64] = {};
    if (m_hostMain && IsWindow(m_hostMain))
        GetClassNameW(m_hostMain, name, 64);
    if (lstrcmpW(name, L"TTOTAL_CMD") != 0) {
        UnloadEngine();
        return;
    }
    // The host declined its close: the engine carries on.
    AttachMainWindow();
}

namespace {

BOOL CALLBACK CountVisibleListers(HWND window, LPARAM count)
{
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, L"TLister") == 0 && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

bool CMerovinApp::ConfirmHostClose()
{
    if (!m_settings.CheckCloseTC)
        return true;
    int listers = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisibleListers, reinterpret_cast<LPARAM>(&listers));
    if (listers == 0)
        return true;
    CString text = LoadText(120, 5120);
    if (text.IsEmpty())
        text = L"There are %d open Lister(s).|Exit TC anyway?";
    // The count goes in by replacement: a localised text is no format string.
    WCHAR number[16];
    wsprintfW(number, L"%d", listers);
    text.Replace(L"%d", number);
    text.Replace(L"|", L"\n");
    return MessageBoxW(m_hostMain, text, L"Merovin", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Hook point that the file-list drawing fills in.
LRESULT CMerovinApp::DrawListItem(CTCWnd& owner, int, DRAWITEMSTRUCT*)
{
    return owner.Default();
}

CString CMerovinApp::AttachDump() const
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
    text.AppendFormat(L"mainSubclass=%p\n", (void*)m_tcWnd.GetSafeHwnd());
    text.AppendFormat(L"treeValid=%d\n", m_tree.valid);
    text.AppendFormat(L"scanFailure=%d\n", (int)m_tree.LastFailure());
    text.AppendFormat(L"attaching=%d\n", m_attach.attaching ? 1 : 0);
    text.AppendFormat(L"attachRuns=%d\n", m_attach.attachRuns);
    text.AppendFormat(L"treeChecks=%d\n", m_attach.treeChecks);
    text.AppendFormat(L"lastTreeCheckTick=%lu\n", m_attach.lastTreeCheckTick);
    text.AppendFormat(L"lastCreationTick=%lu\n", m_attach.lastCreationTick);
    for (int side = 0; side < 2; ++side) {
        text.AppendFormat(L"fileList%d=%s\n", side, object(p.fileList[side]).GetString());
        text.AppendFormat(L"tabs%d=%s\n", side, object(p.tabs[side]).GetString());
        text.AppendFormat(L"pathWnd%d=%s\n", side, object(p.pathWnd[side]).GetString());
        text.AppendFormat(L"driveCombo%d=%s\n", side, object(p.driveCombo[side]).GetString());
        text.AppendFormat(L"quickSearch%d=%d\n", side, p.fileList[side] && p.fileList[side]->quickSearch ? 1 : 0);
    }
    return text;
}
