// CHotKeyHolder: lookups and changes. Loading is in HotKeySources.cpp,
// saving in HotKeySave.cpp.
#include "HotKeyHolder.h"
#include "CommandList.h"
#include "HotkeyFormat.h"
#include "HotkeyText.h"
#include "KeyNameTable.h"
#include "Localizer.h"
#include "ModelTexts.h"
#include "Prompt.h"

namespace {

bool IsLive(const CHKEntry& entry)
{
    return !(entry.nFlags & EntryDeleted) && entry.nType != EntryKeptLine;
}

// Whether the key text names the modifier (without case).
bool HoldsModifierWord(const CString& key, LPCWSTR lpszWord)
{
    CString upper(key), word(lpszWord);
    upper.MakeUpper();
    word.MakeUpper();
    return upper.Find(word) >= 0;
}

} // namespace

CString NormaliseHotkeyText(LPCWSTR lpszKey)
{
    CString key(lpszKey);
    HotkeyCode code = 0;
    if (!ParseHotkeyText(key, SettingsKeyNameTable(), &code) || HotkeyKey(code) == 0)
        return key;
    BYTE modifiers = HotkeyModifiers(code);
    // A side-specific modifier ("LCtrl") has one of its two bits set.
    const BYTE pairs[] = { HotkeyAlt, HotkeyShift, HotkeyCtrl, HotkeyWin };
    for (BYTE pair : pairs) {
        BYTE held = modifiers & pair;
        if (held && held != pair)
            return key;
    }
    int plus = key.ReverseFind(L'+');
    std::wstring text;
    FormatHotkeyModifiers(modifiers, false, text);
    return CString(text.c_str()) + key.Mid(plus + 1);
}

void CHotKeyHolder::Link(CCommandList* pHostList, CCommandList* pOwnList, const CLocalizer* pLocalizer)
{
    m_pHostList = pHostList;
    m_pOwnList = pOwnList;
    m_pLocalizer = pLocalizer;
}

CString CHotKeyHolder::LocalText(UINT nID) const
{
    if (m_pLocalizer)
        return m_pLocalizer->LoadLocalizedString(nID);
    CString text;
    text.LoadString(nID);
    return text;
}

int CHotKeyHolder::AddByIndex(int nType, int nIndex, LPCWSTR lpszKey, int nSource)
{
    CHKEntry entry;
    entry.strKey = lpszKey;
    entry.nIndex = nIndex;
    entry.nType = nType;
    entry.nSource = nSource;
    m_bModified = TRUE;
    return (int)m_entries.Add(entry);
}

int CHotKeyHolder::AddLiteral(LPCWSTR lpszKey, LPCWSTR lpszCommand, int nSource)
{
    int i = AddByIndex(EntryLiteral, -1, lpszKey, nSource);
    m_entries[i].strCommand = lpszCommand;
    return i;
}

CString CHotKeyHolder::CommandText(int i) const
{
    if (i < 0 || i >= GetCount())
        return CString();
    const CHKEntry& entry = m_entries[i];
    const CCommandList* list = entry.nType == EntryHostCommand ? m_pHostList
                               : entry.nType == EntryEngineCommand ? m_pOwnList
                                                                   : nullptr;
    if (entry.nType == EntryLiteral || entry.nType == EntryKeptLine)
        return entry.strCommand;
    if (list && entry.nIndex >= 0 && entry.nIndex < list->GetCount())
        return list->GetAt(entry.nIndex).strName;
    return CString();
}

int CHotKeyHolder::FindByCommand(LPCWSTR lpszCommand, int nSourceMask) const
{
    for (int i = 0; i < GetCount(); ++i) {
        const CHKEntry& entry = m_entries[i];
        if (IsLive(entry) && (entry.nSource & nSourceMask) && CommandText(i).CompareNoCase(lpszCommand) == 0)
            return i;
    }
    return -1;
}

int CHotKeyHolder::FindEntryToChange(LPCWSTR lpszCommand) const
{
    int own = FindByCommand(lpszCommand, SourceOwn);
    return own >= 0 ? own : FindByCommand(lpszCommand, AllSources);
}

int CHotKeyHolder::FindByKey(LPCWSTR lpszKey) const
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        const CHKEntry& entry = m_entries[i];
        // A kept line still binds its key in the engine; it holds the key
        // as written ("Shift+Ctrl+B"), the other entries the normalised form.
        if (entry.nType == EntryKeptLine && !(entry.nFlags & EntryDeleted)) {
            if (!entry.strKey.IsEmpty() && NormaliseHotkeyText(entry.strKey).CompareNoCase(lpszKey) == 0)
                return i;
            continue;
        }
        if (!IsLive(entry) || entry.strKey.CompareNoCase(lpszKey) != 0)
            continue;
        // The host's own assignment overrides its default.
        if (entry.nSource == SourceDefaults && FindByCommand(CommandText(i), SourceHost) >= 0)
            continue;
        return i;
    }
    return -1;
}

int CHotKeyHolder::FindHostCommand(LPCWSTR lpszText) const
{
    return m_pHostList ? m_pHostList->FindCommand(lpszText) : -1;
}

void CHotKeyHolder::SetKey(int i, LPCWSTR lpszKey)
{
    if (i < 0 || i >= GetCount())
        return;
    m_bModified = TRUE;
    CHKEntry& entry = m_entries[i];
    if (lpszKey && *lpszKey) {
        entry.strKey = lpszKey;
        entry.nFlags |= EntryChanged;
        entry.nSource = SourceOwn;
    } else if (entry.nFlags & EntryChanged) {
        m_entries.RemoveAt(i);
    } else {
        entry.nFlags |= EntryDeleted;
    }
}

void CHotKeyHolder::PurgeDeleted()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (m_entries[i].nFlags & EntryDeleted)
            m_entries.RemoveAt(i);
        else
            m_entries[i].nFlags &= ~EntryChanged;
    }
}

int CHotKeyHolder::Assign(LPCWSTR lpszKey, int nType, int nRow, LPCWSTR lpszLiteral, LPCWSTR lpszComment)
{
    CString key = NormaliseHotkeyText(lpszKey);
    int owner = FindByKey(key);
    if (owner >= 0) {
        CString text = LocalText(IdsAssignAnyway);
        ReplaceBarsByNewlines(text);
        if (AfxMessageBox(FormatLocalText(text, key, CommandText(owner)), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 0;
    }
    CString command;
    if (nType == EntryLiteral) {
        command = lpszLiteral;
    } else {
        const CCommandList* list = nType == EntryHostCommand ? m_pHostList : m_pOwnList;
        if (list && nRow >= 0 && nRow < list->GetCount())
            command = list->GetAt(nRow).strName;
    }
    int previous = FindEntryToChange(command);
    int added = AddByIndex(nType, nType == EntryLiteral ? -1 : nRow, key, SourceOwn);
    CHKEntry& entry = m_entries[added];
    if (nType == EntryLiteral)
        entry.strCommand = command;
    entry.strComment = lpszComment;
    entry.nFlags |= EntryChanged;
    if (previous >= 0) {
        if (m_entries[previous].nFlags & EntryChanged)
            m_entries.RemoveAt(previous);
        else
            m_entries[previous].nFlags |= EntryDeleted;
    }
    return 1;
}

int CHotKeyHolder::RemoveModuleEntries(LPCWSTR lpszModule)
{
    CString prefix = CString(lpszModule) + L",";
    int removed = 0;
    for (int i = GetCount() - 1; i >= 0; --i) {
        const CHKEntry& entry = m_entries[i];
        if (entry.nType == EntryLiteral && entry.strCommand.Left(prefix.GetLength()).CompareNoCase(prefix) == 0) {
            m_entries.RemoveAt(i);
            ++removed;
        }
    }
    m_bModified = TRUE;
    return removed;
}

int CHotKeyHolder::CollectHotkeys(LPCWSTR lpszCommand, CString& text, int nModifierMask) const
{
    static const LPCWSTR kWords[] = { L"Win", L"Ctrl", L"Alt", L"Shift" };
    CStringArray keys;
    for (int i = 0; i < GetCount(); ++i) {
        const CHKEntry& entry = m_entries[i];
        if (!IsLive(entry) || CommandText(i).CompareNoCase(lpszCommand) != 0)
            continue;
        bool holds = true;
        for (int bit = 0; bit < 4; ++bit) {
            if ((nModifierMask & (1 << bit)) && !HoldsModifierWord(entry.strKey, kWords[bit]))
                holds = false;
        }
        if (!holds)
            continue;
        // Whole keys are compared: "F1" is not a copy of "Ctrl+F1".
        bool seen = false;
        for (INT_PTR k = 0; k < keys.GetSize() && !seen; ++k)
            seen = keys[k].CompareNoCase(entry.strKey) == 0;
        if (seen)
            continue;
        keys.Add(entry.strKey);
        if (!text.IsEmpty())
            text += L"; ";
        text += entry.strKey;
    }
    return (int)keys.GetSize();
}

void CHotKeyHolder::ReportUndefinedCommand(LPCWSTR lpszKey, LPCWSTR lpszCommand)
{
    if (!m_bReportUndefined)
        return;
    CString text = FormatLocalText(LocalText(IdsUndefinedCommand), lpszKey, lpszCommand);
    if (AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        m_bReportUndefined = FALSE;
}
