#include "PathChange.h"

CPathChange CPathState::Note(LPCWSTR folder, int rule, int flags, const CPathWindowParts& parts)
{
    CPathChange change;
    if (!folder || !*folder)
        return change;
    change.changed = m_lastPath.CompareNoCase(folder) != 0;
    if (change.changed) {
        m_lastPath = folder;
        m_lastPath.MakeUpper();
    }
    change.decorate = parts.hasTabs && (change.changed || (flags & PathChangeDecorate));
    if (parts.hasList && change.changed) {
        change.applyView = parts.autoView && !(parts.keepScope && rule == m_lastRule);
        change.applyList = true;
        m_lastRule = rule;
    }
    return change;
}
