// The engine's object on the path bar (panel bar 2) of one side. The host
// sets the bar's text whenever the panel changes folder, so this is where
// the engine learns of folder changes: it finds the folder's rule and
// applies it to the side's tab, the host's view and the file list, and
// tells the modules that follow panel paths.
#pragma once
#include <windows.h>
#include <deque>
#include "PanelWnd.h"
#include "PathChange.h"
#include "Strings.h"

class CFolderRules;

class CPathWnd : public CPanelWnd {
public:
    using CPanelWnd::CPanelWnd;

    // Subclasses the side's bar (again after the host made a new one): the
    // folder seen last is forgotten, then the bar's folder is taken as a change.
    bool AttachPathWindow(HWND bar);
    // The folder the bar shows now (see FolderOfPathText).
    CString GetPathFromWindow() const;
    // `folder` as shown; PathChangeDecorate decorates the tab even when
    // the folder did not change.
    void OnPathChanged(const CString& folder, int flags);
    // Posts the rule's view and sort commands to the host; its autorun
    // command list runs when they have reached the host.
    void ApplyRuleView(int rule);

    const CString& LastPath() const { return m_state.LastPath(); }
    int LastRule() const { return m_state.LastRule(); }

    int m_autoView = 0;
    int m_useDesktopIni = 0;
    int m_overrideVisualMode = 0;
    int m_keepScope = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnMButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnRuleAutorun();
    // The rule's background and group masks go to the side's list, which
    // builds its order again at the next translation.
    void ApplyToList(int rule, const CString& folder);
    void DecorateTab(int rule, const CString& folder);
    const CFolderRules* Rules() const;

    CPathState m_state; // the folder seen last and the rule applied last
    // Autorun lists posted behind their rule's view commands, oldest first.
    std::deque<CString> m_pendingAutorun;
};
