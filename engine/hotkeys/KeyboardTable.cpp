#include "KeyboardTable.h"
#include <cwchar>
#include <vector>

namespace {

const WCHAR KeyboardSection[] = L"Keyboard";

// The key list of [Keyboard]: a buffer of 1024 characters, grown by 1024
// while the list fills it up to its last two characters (the profile call
// cuts a list that does not fit).
std::vector<WCHAR> ReadKeyList(LPCWSTR iniPath)
{
    std::vector<WCHAR> keys;
    DWORD size = 1024;
    for (;;) {
        keys.assign(size, 0);
        DWORD read = GetPrivateProfileStringW(KeyboardSection, nullptr, L"", keys.data(), size, iniPath);
        if (read < size - 2)
            break;
        size += 1024;
    }
    return keys;
}

bool BeginsWithNoCase(LPCWSTR text, LPCWSTR prefix)
{
    return _wcsnicmp(text, prefix, wcslen(prefix)) == 0;
}

void BindKey(CKeyApprentice& table, CMenuHotkeyTexts& menuTexts, LPCWSTR key, LPCWSTR text,
             const KeyboardSwitches& switches, const IHostCommandLookup& hostCommands)
{
    int number = _wtoi(key);
    if (number != 0) {
        table.AddHotkey(text, UINT(number), nullptr, 0);
        return;
    }
    number = hostCommands.HostCommandNumber(key);
    if (number != 0) {
        table.AddHotkey(text, UINT(number), nullptr, 0);
        return;
    }
    if (BeginsWithNoCase(key, L"em_")) {
        table.AddNamedHotkey(text, key);
        return;
    }
    const EngineCommand* command = FindEngineCommandByName(key);
    if (!command)
        return;
    if (command->menuHotkey)
        menuTexts.Set(command->number, text);
    if (switches.Holds(command->boundWhen))
        table.AddHotkey(text, command->number, nullptr, 0);
}

void AddFixed(CKeyApprentice& table, LPCWSTR text, int command)
{
    if (command != 0)
        table.AddHotkey(text, UINT(command), nullptr, 1);
}

} // namespace

bool KeyboardSwitches::Holds(EngineSwitch condition) const
{
    switch (condition) {
    case EngineSwitch::Always: return true;
    case EngineSwitch::StickyFiles: return StickyFiles != 0;
    case EngineSwitch::BookMarks: return BookMarks != 0;
    case EngineSwitch::CloseAllListers: return CloseAllListers != 0;
    case EngineSwitch::AutoCompletion: return AutoCompletion != 0;
    case EngineSwitch::TabsToFav: return TabsToFav != 0;
    case EngineSwitch::ChangeColumns: return ChangeColumns != 0;
    case EngineSwitch::Never: return false;
    }
    return false;
}

int BuildKeyboardTable(CKeyApprentice& table, CMenuHotkeyTexts& menuTexts, LPCWSTR iniPath,
                       const KeyboardSwitches& switches, const IHostCommandLookup& hostCommands)
{
    table.ClearHotkeys();
    menuTexts.Clear();
    if (iniPath && iniPath[0]) {
        std::vector<WCHAR> keys = ReadKeyList(iniPath);
        std::vector<WCHAR> text(KeyboardValueLength + 1);
        for (const WCHAR* key = keys.data(); *key; key += wcslen(key) + 1) {
            text[0] = 0;
            GetPrivateProfileStringW(KeyboardSection, key, L"", text.data(), DWORD(text.size()), iniPath);
            BindKey(table, menuTexts, key, text.data(), switches, hostCommands);
        }
    }
    if (switches.ESCSpecial)
        AddFixed(table, L"ESC", hostCommands.HostCommandNumber(L"cm_ClearAll"));
    if (switches.GotoUpFromRoot) {
        int openDrives = hostCommands.HostCommandNumber(L"cm_OpenDrives");
        AddFixed(table, L"Ctrl+PgUp", openDrives);
        AddFixed(table, L"Back", openDrives);
    }
    return table.GetCount();
}
