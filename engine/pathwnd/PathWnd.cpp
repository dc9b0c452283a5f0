#include "PathWnd.h"
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "FolderRules.h"
#include "ModuleLoader.h"
#include "PanelObjects.h"
#include "PathPeers.h"
#include "RowMarks.h"
#include "RuleDecorations.h"
#include "TCProtocol.h"

bool CPathWnd::AttachPathWindow(HWND bar)
{
    if (m_hWnd && m_hWnd == bar)
        return true;
    m_state.Reset();
    m_pendingAutorun.clear(); // posted to the bar that is gone
    if (!AttachTo(bar))
        return false;
    OnPathChanged(GetPathFromWindow(), PathChangeAttach);
    return true;
}

CString CPathWnd::GetPathFromWindow() const
{
    if (!m_hWnd)
        return CString();
    int length = ::GetWindowTextLengthW(m_hWnd);
    CString text;
    if (length > 0) {
        ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer();
    }
    return FolderOfPathText(text);
}

LRESULT CPathWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_MBUTTONUP:
        return OnMButtonUp(wParam, lParam);
    case RuleAutorunMessage:
        return OnRuleAutorun();
    }
    return CPanelWnd::WindowProc(message, wParam, lParam);
}

LRESULT CPathWnd::OnSetText(WPARAM, LPARAM)
{
    LRESULT result = Default();
    CTCFileList* list = m_engine.Panels().fileList[Side()];
    if (!list || !list->Window())
        return result;
    CString folder = GetPathFromWindow();
    // The first folder after attaching: the list's order belongs to it.
    if (m_state.LastPath().IsEmpty())
        list->RebuildOrder();
    OnPathChanged(folder, 0);
    return result;
}

LRESULT CPathWnd::OnMButtonUp(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    // The engine menu of this side; a reload chosen in it waits for the menu.
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ::ClientToScreen(m_hWnd, &point);
    m_engine.Commands().ShowEngineMenu(Side(), point);
    return result;
}

const CFolderRules* CPathWnd::Rules() const
{
    CPathPeers* peers = m_engine.PathPeers();
    return peers ? &peers->FolderRules() : nullptr;
}

void CPathWnd::OnPathChanged(const CString& folder, int flags)
{
    if (folder.IsEmpty())
        return;
    const CFolderRules* rules = Rules();
    CString upper = folder;
    upper.MakeUpper();
    int rule = rules ? rules->FindFolderRule(upper) : -1;
    CPanelObjects& panels = m_engine.Panels();
    CMyTabs* tabs = panels.tabs[Side()];
    CTCFileList* list = panels.fileList[Side()];
    CPathWindowParts parts;
    parts.hasTabs = tabs && tabs->Window();
    parts.hasList = list && list->Window();
    parts.autoView = m_autoView != 0;
    parts.keepScope = m_keepScope != 0;
    CPathChange change = m_state.Note(folder, rule, flags, parts);
    // The modules get the path as shown, not the upper-case key.
    if (change.changed && !(flags & PathChangeAttach))
        m_engine.Modules().NotifyModulesOfPath(::GetFocus(), folder, Side());
    if (change.decorate)
        DecorateTab(rule, folder);
    if (change.applyView)
        ApplyRuleView(rule);
    if (change.applyList)
        ApplyToList(rule, folder);
}

void CPathWnd::DecorateTab(int rule, const CString& folder)
{
    const CFolderRules* rules = Rules();
    CMyTabs* tabs = m_engine.Panels().tabs[Side()];
    if (!rules || !tabs)
        return;
    CDecorationOptions options;
    options.useDesktopIni = m_useDesktopIni != 0;
    options.overrideVisualMode = m_overrideVisualMode != 0;
    options.desktopIni.skipDisconnected = m_engine.Settings().SkipDisconnected != 0;
    options.desktopIni.iconResourceFirst = IconResourceFirst();
    options.extract = m_engine.Host().extractIcons;
    TabDecoration decoration = ChooseTabDecoration(*rules, rule, folder, options);
    // The host switches the current tab after it shows the folder.
    tabs->SetTabIconAndColor(decoration.icon, decoration.colour, -1, decoration.iconOwned);
}

void CPathWnd::ApplyRuleView(int rule)
{
    const CFolderRules* rules = Rules();
    if (!rules || rule < 0 || rule >= rules->Count())
        return;
    HWND main = m_engine.Host().mainWindow;
    for (UINT command : rules->ViewCommands(rule, Side()))
        if (main)
            ::PostMessageW(main, HostCommandMessage, command, 0);
    const FolderRule& r = rules->Rule(rule);
    if (!r.autorun || r.autorunCommand.IsEmpty())
        return;
    // The view commands are posted, while an "em_" name is sent at once: the
    // list waits in this thread's queue behind them.
    m_pendingAutorun.push_back(r.autorunCommand);
    if (!m_hWnd || !::PostMessageW(m_hWnd, RuleAutorunMessage, 0, 0))
        OnRuleAutorun();
}

LRESULT CPathWnd::OnRuleAutorun()
{
    if (m_pendingAutorun.empty())
        return 0;
    CString list = m_pendingAutorun.front();
    m_pendingAutorun.pop_front();
    m_engine.Commands().RunCommandList(list);
    return 1;
}

void CPathWnd::ApplyToList(int rule, const CString& folder)
{
    CTCFileList* list = m_engine.Panels().fileList[Side()];
    if (!list)
        return;
    const CFolderRules* rules = Rules();
    const FolderRule* r = rules && rule >= 0 && rule < rules->Count() ? &rules->Rule(rule) : nullptr;
    if (r) {
        CRuleBackground background = {r->backColor, CString()};
        // A picture given relative to the folder is looked for up the
        // folders the rule still covers.
        if (!r->backgroundPicture.IsEmpty())
            background.picture = rules->ResolveRulePicture(r->backgroundPicture, rule, folder);
        list->ApplyRuleBackground(&background);
    } else {
        list->ApplyRuleBackground(nullptr);
    }
    const EngineSettings& settings = m_engine.Settings();
    list->SetGroupMasks(r && r->grouping ? r->groupMasks : settings.groupingPattern);
    // Every change rebuilds: the host may have asked for rows before it
    // showed the new folder, and that order holds the old folder's names.
    list->OnFolderChanged();
    ::InvalidateRect(list->Window(), nullptr, TRUE);
}
