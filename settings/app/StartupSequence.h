// The start-up command sequence ([Config] "StartupSequence": commands
// joined by "|"), shared by the pages that edit it. The sheet holds the one
// value; each page commits its edits to it and reads it when shown, and the
// sheet writes it once per OK or Apply, so an addition made on any page is
// never lost whatever order the pages apply in.
#pragma once

#include <windows.h>
#include "IniHelper.h"
#include "Strings.h"

class CStartupSequence
{
public:
    explicit CStartupSequence(LPCWSTR lpszText = L"") : m_strText(lpszText) {}

    const CString& GetText() const { return m_strText; }
    void SetText(LPCWSTR lpszText);
    // TRUE when the command is one of the sequence's commands (without case).
    BOOL Contains(LPCWSTR lpszCommand) const;
    // Appends the command ("|" before it unless the sequence is empty).
    void Append(LPCWSTR lpszCommand);
    BOOL IsModified() const { return m_bModified; }

    // Writes the key through the helper when the value changed (an empty
    // value removes it); a failed write leaves the value changed.
    BOOL Save(const CIniHelper& ini);

private:
    CString m_strText;
    BOOL m_bModified = FALSE;
};
