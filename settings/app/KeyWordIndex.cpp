// CKeyWordIndex.
#include "KeyWordIndex.h"
#include "CommandList.h"
#include "HotKeyHolder.h"

void CKeyWordIndex::Build(const CHotKeyHolder& holder)
{
    static const LPCWSTR kWords[] = { L"WIN", L"CTRL", L"ALT", L"SHIFT" };
    m_masks.clear();
    for (int i = 0; i < holder.GetCount(); ++i) {
        const CHKEntry& entry = holder.GetAt(i);
        if ((entry.nFlags & EntryDeleted) || entry.nType == EntryKeptLine)
            continue;
        CString key(entry.strKey);
        key.MakeUpper();
        int mask = 0;
        for (int bit = 0; bit < 4; ++bit) {
            if (key.Find(kWords[bit]) >= 0)
                mask |= 1 << bit;
        }
        m_masks[LowerKey(holder.CommandText(i))].push_back(mask);
    }
    m_bBuilt = true;
}

BOOL CKeyWordIndex::Matches(const CHotKeyHolder& holder, LPCWSTR lpszCommand, int nMask)
{
    if (!m_bBuilt)
        Build(holder);
    auto found = m_masks.find(LowerKey(lpszCommand));
    if (found == m_masks.end())
        return FALSE;
    for (int mask : found->second) {
        if ((mask & nMask) == nMask)
            return TRUE;
    }
    return FALSE;
}
