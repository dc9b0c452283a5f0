#include "RuleDecorations.h"

TabDecoration ChooseTabDecoration(const CFolderRules& rules, int rule, LPCWSTR folder,
                                  const CDecorationOptions& options)
{
    TabDecoration decoration;
    bool hasRule = rule >= 0 && rule < rules.Count();
    HICON ruleIcon = hasRule ? rules.Rule(rule).tabIcon : nullptr;
    bool fromDesktopIni = options.useDesktopIni && (options.overrideVisualMode || !ruleIcon);
    if (fromDesktopIni) {
        decoration.icon = DesktopIniIcon(folder, options.desktopIni, options.extract);
        decoration.iconOwned = decoration.icon != nullptr;
    } else {
        decoration.icon = ruleIcon;
    }
    if (hasRule)
        decoration.colour = rules.Rule(rule).tabColor;
    return decoration;
}

bool CRuleTabDecorations::Decorate(int, LPCWSTR folder, TabDecoration& decoration)
{
    int rule = m_rules.FindFolderRule(folder);
    decoration = ChooseTabDecoration(m_rules, rule, folder, m_options);
    return rule >= 0 || decoration.icon;
}
