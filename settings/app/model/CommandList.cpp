// CCommandList.
#include "CommandList.h"
#include "HotKeyHolder.h"

std::wstring LowerKey(LPCWSTR lpszText)
{
    std::wstring key(lpszText ? lpszText : L"");
    if (!key.empty())
        ::CharLowerBuffW(&key[0], (DWORD)key.size());
    return key;
}

CCommandList::CCommandList(int nType) : CIniHelper(L""), m_nType(nType)
{
}

void CCommandList::RemoveAll()
{
    m_rows.RemoveAll();
    m_anyByName.clear();
    m_commandByName.clear();
    m_commandByNumber.clear();
}

void CCommandList::RemoveRows(int nFirst, int nCount)
{
    if (nFirst < 0 || nCount <= 0 || nFirst >= GetCount())
        return;
    m_rows.RemoveAt(nFirst, nCount < GetCount() - nFirst ? nCount : GetCount() - nFirst);
    m_anyByName.clear();
    m_commandByName.clear();
    m_commandByNumber.clear();
    for (int i = 0; i < GetCount(); ++i)
        IndexRow(i);
}

void CCommandList::IndexRow(int i)
{
    const _CLItem& row = m_rows[i];
    std::wstring name = LowerKey(row.strName);
    m_anyByName[name] = i;
    if (!(row.nFlags & RowGroup)) {
        m_commandByName[name] = i;
        if (!row.strNumber.IsEmpty())
            m_commandByNumber[LowerKey(row.strNumber)] = i;
    }
}

int CCommandList::AddRow(LPCWSTR lpszName, LPCWSTR lpszNumber, LPCWSTR lpszDescription, int nFlags)
{
    _CLItem row;
    row.nFlags = nFlags;
    row.strName = lpszName;
    row.strNumber = lpszNumber;
    row.strDescription = lpszDescription;
    int index = (int)m_rows.Add(row);
    IndexRow(index);
    return index;
}

int CCommandList::ParseAndAdd(LPCWSTR lpszText, int nFlags)
{
    CString text(lpszText);
    CString name = text, number, description;
    int equals = text.Find(L'=');
    if (equals >= 0) {
        name = text.Left(equals);
        int semicolon = text.Find(L';', equals + 1);
        if (semicolon >= 0) {
            number = text.Mid(equals + 1, semicolon - equals - 1);
            description = text.Mid(semicolon + 1);
        } else {
            number = description = L"N/A";
        }
    }
    name.Trim(L" \t");
    number.Trim(L" \t");
    description.Trim(L" \t");
    if ((nFlags & RowLanguageIni) && HasName(name))
        return -1;
    return AddRow(name, number, description, nFlags);
}

int CCommandList::FindCommand(LPCWSTR lpszText) const
{
    std::wstring key = LowerKey(lpszText);
    if (key.empty())
        return -1;
    int found = -1;
    auto byName = m_commandByName.find(key);
    if (byName != m_commandByName.end())
        found = byName->second;
    auto byNumber = m_commandByNumber.find(key);
    if (byNumber != m_commandByNumber.end() && byNumber->second > found)
        found = byNumber->second;
    return found;
}

BOOL CCommandList::HasName(LPCWSTR lpszName) const
{
    return m_anyByName.find(LowerKey(lpszName)) != m_anyByName.end();
}

void CCommandList::RecomputeHotkeyFlags(const CHotKeyHolder& holder)
{
    const int kKeyFlags = RowOwnKey | RowDefaultKey | RowHostKey;
    for (INT_PTR i = 0; i < m_rows.GetSize(); ++i)
        m_rows[i].nFlags &= ~kKeyFlags;
    // Literal rows are found by their command text.
    CIndexMap byExtra;
    if (m_nType == LiteralCommands) {
        for (INT_PTR i = 0; i < m_rows.GetSize(); ++i)
            byExtra.emplace(LowerKey(m_rows[i].strExtra), (int)i);
    }
    for (int e = holder.GetCount() - 1; e >= 0; --e) {
        const CHKEntry& entry = holder.GetAt(e);
        if ((entry.nFlags & EntryDeleted) || entry.nType != m_nType)
            continue;
        int row = entry.nIndex;
        if (m_nType == LiteralCommands) {
            auto found = byExtra.find(LowerKey(entry.strCommand));
            row = found == byExtra.end() ? -1 : found->second;
        }
        if (row < 0 || row >= GetCount())
            continue;
        if (entry.nSource & SourceDefaults)
            m_rows[row].nFlags |= RowDefaultKey;
        if (entry.nSource & SourceHost)
            m_rows[row].nFlags |= RowHostKey;
        if (entry.nSource & SourceOwn)
            m_rows[row].nFlags |= RowOwnKey;
    }
}
