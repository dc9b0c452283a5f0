#include "KeyboardTable.h"
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const WCHAR KeyboardSection[] = L"Keyboard";

struct Binding {
    std::wstring key;
    std::wstring text;
};

std::wstring Trimmed(const WCHAR* begin, const WCHAR* end)
{
    while (begin < end && iswspace(*begin))
        ++begin;
    while (end > begin && iswspace(end[-1]))
        --end;
    return std::wstring(begin, end);
}

std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(&text[0], DWORD(text.size()));
    return text;
}

// The keys of [Keyboard] in file order, each with its value as the profile
// functions give it: the value of the key's first line, one pair of enclosing
// quotes removed, at most KeyboardValueLength characters. The section is read
// with one call (a profile call per key made a 300-line section cost about
// 100 ms of start-up), into a buffer grown while the section fills it up to
// its last two characters.
std::vector<Binding> ReadKeyboardSection(LPCWSTR iniPath)
{
    std::vector<WCHAR> buffer(8192);
    DWORD read = 0;
    for (;;) {
        read = GetPrivateProfileSectionW(KeyboardSection, buffer.data(), DWORD(buffer.size()), iniPath);
        if (read + 2 < buffer.size() || buffer.size() >= 64 * 1024 * 1024)
            break;
        buffer.assign(buffer.size() * 2, 0);
    }
    buffer[std::min<size_t>(read, buffer.size() - 2)] = 0;
    buffer[std::min<size_t>(read + 1, buffer.size() - 1)] = 0;

    std::vector<Binding> bindings;
    std::unordered_map<std::wstring, size_t> firstLine;
    for (const WCHAR* line = buffer.data(); *line; line += wcslen(line) + 1) {
        const WCHAR* equals = wcschr(line, L'=');
        if (!equals)
            continue;
        Binding binding{Trimmed(line, equals), Trimmed(equals + 1, equals + wcslen(equals))};
        if (binding.key.empty())
            continue;
        std::wstring& text = binding.text;
        if (text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') && text.back() == text.front())
            text = text.substr(1, text.size() - 2);
        if (text.size() > size_t(KeyboardValueLength))
            text.resize(KeyboardValueLength);
        // A key written twice binds the first line's value each time.
        auto first = firstLine.emplace(Lower(binding.key), bindings.size());
        if (!first.second)
            binding.text = bindings[first.first->second].text;
        bindings.push_back(std::move(binding));
    }
    return bindings;
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
        for (const Binding& binding : ReadKeyboardSection(iniPath))
            BindKey(table, menuTexts, binding.key.c_str(), binding.text.c_str(), switches, hostCommands);
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
