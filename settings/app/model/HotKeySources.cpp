// CHotKeyHolder::Load: the six hotkey sources, in the order the engine and
// the host apply them.
#include "HotKeyHolder.h"
#include "CommandList.h"
#include "HostKeyText.h"
#include "IniSection.h"
#include <cwchar>
#include <vector>

namespace {

const WCHAR kDefaultsFile[] = L"tc default hotkeys.hky";
// The host's own key of a redirected section, not a hotkey.
const WCHAR kRedirectKey[] = L"RedirectSection";
const WCHAR kDefaultsSection[] = L"TC Default Hotkeys";
// Values of the host's sections and of [Keyboard] and [Plugins] are read up
// to this many characters, as the host and the engine keep them short.
const int kValueLength = 261;

// One "key=value" line of a section as the profile functions give it.
struct CSectionLine
{
    CString strKey;   // trimmed
    CString strValue; // the value a read by key gives (first line of the key)
    CString strLine;  // the line as it stands
};

void ReadSectionLines(LPCWSTR lpszSection, LPCWSTR lpszFile, CArray<CSectionLine, const CSectionLine&>& lines)
{
    lines.RemoveAll();
    CIniSection section(kValueLength);
    section.Load(lpszSection, lpszFile);
    if (section.KeyCount() == 0)
        return;
    // The raw lines, for lines kept as they are.
    std::vector<WCHAR> buffer(8192);
    for (;;) {
        DWORD n = ::GetPrivateProfileSectionW(lpszSection, buffer.data(), (DWORD)buffer.size(), lpszFile);
        if (n + 2 < buffer.size() || buffer.size() >= 16 * 1024 * 1024)
            break;
        buffer.resize(buffer.size() * 2);
    }
    buffer[buffer.size() - 2] = buffer[buffer.size() - 1] = 0;
    for (LPCWSTR line = buffer.data(); *line; line += wcslen(line) + 1) {
        LPCWSTR equals = wcschr(line, L'=');
        if (!equals)
            continue;
        CSectionLine entry;
        entry.strKey = CString(line, (int)(equals - line));
        entry.strKey.Trim(L" \t");
        if (entry.strKey.IsEmpty())
            continue;
        entry.strValue = section.Text(entry.strKey);
        entry.strLine = line;
        lines.Add(entry);
    }
}

CString TranslatedHostKey(LPCWSTR lpszPrefix, LPCWSTR lpszHostKey)
{
    std::wstring key(lpszPrefix);
    TranslateHostKey(lpszHostKey, key);
    return CString(key.c_str());
}

// Name and path side of a [PluginList] line.
void PluginListSides(const CString& key, const CString& value, CString& name, CString& path)
{
    bool keyIsPath = key.Find(L'\\') >= 0;
    path = keyIsPath ? key : value;
    name = keyIsPath ? value : key;
}

CString NameForPath(const CIniSection& pluginList, LPCWSTR lpszPath)
{
    for (int i = 0; i < pluginList.KeyCount(); ++i) {
        CString name, path;
        PluginListSides(pluginList.Key(i), pluginList.Text(i), name, path);
        if (path.CompareNoCase(lpszPath) == 0)
            return name;
    }
    return CString(lpszPath);
}

} // namespace

CString ModuleNameForPath(LPCWSTR lpszPath, LPCWSTR lpszOwnIni)
{
    CIniSection pluginList(kValueLength);
    pluginList.Load(L"PluginList", lpszOwnIni);
    return NameForPath(pluginList, lpszPath);
}

void CHotKeyHolder::Load(LPCWSTR lpszOwnFolder, LPCWSTR lpszHostIni, LPCWSTR lpszOwnIni)
{
    m_entries.RemoveAll();
    CString defaults;
    defaults.Format(L"%s\\%s", lpszOwnFolder ? lpszOwnFolder : L"", kDefaultsFile);
    LoadDefaults(defaults);
    if (lpszHostIni && *lpszHostIni) {
        LoadHostShortcuts(lpszHostIni);
        LoadHostWinShortcuts(lpszHostIni);
        LoadHostUserMenu(lpszHostIni);
    }
    LoadKeyboard(lpszOwnIni);
    LoadPlugins(lpszOwnIni);
    SetFileName(lpszOwnIni);
    m_bModified = FALSE;
}

void CHotKeyHolder::LoadDefaults(LPCWSTR lpszFile)
{
    CIniSection section(kValueLength);
    section.Load(kDefaultsSection, lpszFile);
    for (int i = 0; i < section.KeyCount(); ++i) {
        const CString& command = section.Key(i);
        int row = FindHostCommand(command);
        CString keys = section.Text(i);
        int start = 0;
        while (start <= keys.GetLength()) {
            int equals = keys.Find(L'=', start);
            if (equals < 0)
                equals = keys.GetLength();
            CString key = keys.Mid(start, equals - start);
            start = equals + 1;
            key.Remove(L' ');
            key.Replace(L"Num+", L"NumPlus");
            if (key.IsEmpty())
                continue;
            if (row >= 0)
                AddByIndex(EntryHostCommand, row, NormaliseHotkeyText(key), SourceDefaults);
            else
                ReportUndefinedCommand(key, command);
        }
    }
}

void CHotKeyHolder::LoadHostShortcuts(LPCWSTR lpszHostIni)
{
    std::vector<WCHAR> buffer;
    ReadHostShortcuts(buffer, lpszHostIni);
    for (LPCWSTR line = buffer.data(); *line; line += wcslen(line) + 1) {
        LPCWSTR equals = wcschr(line, L'=');
        if (!equals)
            continue;
        CString hostKey(line, (int)(equals - line));
        if (hostKey.Trim(L" \t").CompareNoCase(kRedirectKey) == 0)
            continue;
        CString command(equals + 1);
        command.Trim(L" \t");
        CString key = TranslatedHostKey(L"", hostKey);
        int row = FindHostCommand(command);
        if (row >= 0)
            AddByIndex(EntryHostCommand, row, key, SourceHost);
        else
            ReportUndefinedCommand(key, command);
    }
}

void CHotKeyHolder::LoadHostWinShortcuts(LPCWSTR lpszHostIni)
{
    CIniSection section(kValueLength);
    section.LoadHost(L"ShortcutsWin", lpszHostIni);
    for (int i = 0; i < section.KeyCount(); ++i) {
        if (section.Key(i).CompareNoCase(kRedirectKey) == 0)
            continue;
        CString key = TranslatedHostKey(L"Win+", section.Key(i));
        CString command = section.Text(i);
        int row = FindHostCommand(command);
        if (row >= 0)
            AddByIndex(EntryHostCommand, row, key, SourceHost);
        else
            ReportUndefinedCommand(key, command);
    }
}

void CHotKeyHolder::LoadHostUserMenu(LPCWSTR lpszHostIni)
{
    CIniSection section(kValueLength);
    section.LoadHost(L"User", lpszHostIni);
    for (int i = 0; i < section.KeyCount(); ++i) {
        const CString& name = section.Key(i);
        if (name.GetLength() < 4 || name.Left(3).CompareNoCase(L"key") != 0)
            continue;
        int number = _wtoi(name.Mid(3));
        if (number <= 0)
            continue;
        int value = section.Int(name, 0);
        if (value < 1 || value > 24)
            continue;
        CString key, menu;
        key.Format(L"Alt+Ctrl%s+F%d", value > 12 ? L"+Shift" : L"", (value - 1) % 12 + 1);
        menu.Format(L"menu%d", number);
        AddLiteral(key, section.Text(menu), SourceHost);
    }
}

void CHotKeyHolder::LoadKeyboard(LPCWSTR lpszOwnIni)
{
    CArray<CSectionLine, const CSectionLine&> lines;
    ReadSectionLines(L"Keyboard", lpszOwnIni, lines);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CSectionLine& line = lines[i];
        int type = EntryHostCommand;
        int row = -1;
        if (line.strKey.Left(3) == L"cm_" || line.strKey.Left(3) == L"em_") {
            row = FindHostCommand(line.strKey);
        } else if (m_pOwnList) {
            type = EntryEngineCommand;
            for (int r = 0; r < m_pOwnList->GetCount() && row < 0; ++r) {
                const _CLItem& item = m_pOwnList->GetAt(r);
                if (!(item.nFlags & RowGroup) && item.strName.CompareNoCase(line.strKey) == 0)
                    row = r;
            }
        }
        if (row >= 0 && !line.strValue.IsEmpty()) {
            AddByIndex(type, row, NormaliseHotkeyText(line.strValue), SourceOwn);
            continue;
        }
        // Kept as it stands: the engine may bind it (command numbers, names
        // in another case, commands of a list that could not be read).
        if (!line.strValue.IsEmpty())
            ReportUndefinedCommand(line.strValue, line.strKey);
        int kept = AddByIndex(EntryKeptLine, -1, line.strValue, SourceOwn);
        m_entries[kept].strCommand = line.strKey;
        m_entries[kept].strLine = line.strLine;
    }
}

void CHotKeyHolder::LoadPlugins(LPCWSTR lpszOwnIni)
{
    CIniSection pluginList(kValueLength);
    pluginList.Load(L"PluginList", lpszOwnIni);
    CArray<CSectionLine, const CSectionLine&> lines;
    ReadSectionLines(L"Plugins", lpszOwnIni, lines);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CSectionLine& line = lines[i];
        CString command = line.strValue, comment;
        int semicolon = command.Find(L';');
        if (semicolon >= 0) {
            comment = command.Mid(semicolon + 1);
            command = command.Left(semicolon);
        }
        command.Trim(L" \t");
        comment.Trim(L" \t");
        if (command.Left(1) != L"\\") {
            // The module part ends at the last ",": the command id follows it.
            int comma = command.ReverseFind(L',');
            CString module = comma >= 0 ? command.Left(comma) : command;
            module.Trim(L" \t");
            command = NameForPath(pluginList, module) + (comma >= 0 ? command.Mid(comma) : CString());
        }
        int added = AddLiteral(NormaliseHotkeyText(line.strKey), command, SourceOwn);
        m_entries[added].strComment = comment;
    }
}
