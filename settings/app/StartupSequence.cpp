// CStartupSequence.
#include "StartupSequence.h"

void CStartupSequence::SetText(LPCWSTR lpszText)
{
    CString text(lpszText);
    if (text == m_strText)
        return;
    m_strText = text;
    m_bModified = TRUE;
}

BOOL CStartupSequence::Contains(LPCWSTR lpszCommand) const
{
    CString wanted(lpszCommand);
    int start = 0;
    while (start <= m_strText.GetLength()) {
        int bar = m_strText.Find(L'|', start);
        int end = bar < 0 ? m_strText.GetLength() : bar;
        CString command = m_strText.Mid(start, end - start);
        command.Trim();
        if (!command.IsEmpty() && command.CompareNoCase(wanted) == 0)
            return TRUE;
        if (bar < 0)
            break;
        start = bar + 1;
    }
    return FALSE;
}

void CStartupSequence::Append(LPCWSTR lpszCommand)
{
    SetText(m_strText.IsEmpty() ? CString(lpszCommand) : m_strText + L"|" + lpszCommand);
}

BOOL CStartupSequence::Save(const CIniHelper& ini)
{
    if (!m_bModified)
        return TRUE;
    if (!ini.WriteString(L"Config", L"StartupSequence", m_strText.IsEmpty() ? nullptr : (LPCWSTR)m_strText))
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}
