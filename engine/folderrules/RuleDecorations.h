// The tab icon and colour a folder gets from its rule or its "desktop.ini".
#pragma once
#include <windows.h>
#include "DesktopIni.h"
#include "FolderRules.h"
#include "TabInfo.h"

struct CDecorationOptions {
    bool useDesktopIni = false;      // "UseDesktopINI"
    bool overrideVisualMode = false; // "OverrideVisualMode"
    CDesktopIniOptions desktopIni;
    PrivateExtractIconsProc extract = nullptr;
};

// Without "OverrideVisualMode" the rule's icon, else (with "UseDesktopINI")
// the "desktop.ini" icon; with it the "desktop.ini" icon when "UseDesktopINI"
// is on, else the rule's. The colour is the rule's. A rule's icon stays the
// table's; a "desktop.ini" icon is marked owned. `rule` -1: no rule.
TabDecoration ChooseTabDecoration(const CFolderRules& rules, int rule, LPCWSTR folder,
                                  const CDecorationOptions& options);

// The tabs' source of decorations: the folder's rule, looked up as shown.
class CRuleTabDecorations : public CTabDecorationSource {
public:
    CRuleTabDecorations(const CFolderRules& rules, const CDecorationOptions& options)
        : m_rules(rules), m_options(options) {}
    bool Decorate(int side, LPCWSTR folder, TabDecoration& decoration) override;
    void SetOptions(const CDecorationOptions& options) { m_options = options; }

private:
    const CFolderRules& m_rules;
    CDecorationOptions m_options;
};
