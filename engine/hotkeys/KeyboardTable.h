// Building the hotkey table from the [Keyboard] section of the engine's
// settings file, followed by the fixed bindings.
#pragma once
#include <windows.h>
#include "EngineCommands.h"
#include "HotkeyTable.h"
#include "MenuHotkeyTexts.h"

// The settings that decide which bindings are made; the engine fills it from
// its [Config] settings (non-zero: on).
struct KeyboardSwitches {
    int StickyFiles = 0;
    int BookMarks = 0;
    int CloseAllListers = 1;
    int AutoCompletion = 1;
    int TabsToFav = 0;
    int ChangeColumns = 0;
    int ESCSpecial = 0;
    int GotoUpFromRoot = 0;

    // Whether a command with this condition may be bound by name.
    bool Holds(EngineSwitch condition) const;
};

// The host's command numbers by name ("cm_" names of the host's command list).
class IHostCommandLookup {
public:
    // The number of `name`, compared without case; 0 when unknown.
    virtual int HostCommandNumber(LPCWSTR name) const = 0;

protected:
    ~IHostCommandLookup() {}
};

// Longest hotkey text read from [Keyboard]; longer values are cut here.
const int KeyboardValueLength = 4096;

// Clears `table` and `menuTexts`, then binds each key of [Keyboard] of
// `iniPath` in file order, its value being the hotkey text:
// - a key with a non-zero decimal value: that command number, unchecked;
// - a key the host command list knows: its host command number;
// - a key beginning with "em_" (any case): bound by name;
// - an engine command name (any case): bound when its condition holds; the
//   text of a menu command is kept in `menuTexts` whether bound or not;
// - any other key, or a text that does not parse, binds nothing.
// Then the fixed bindings: "ESC" to cm_ClearAll with ESCSpecial, "Ctrl+PgUp"
// and "Back" to cm_OpenDrives with GotoUpFromRoot (skipped when the host list
// lacks the command). Returns the number of entries in the table.
int BuildKeyboardTable(CKeyApprentice& table, CMenuHotkeyTexts& menuTexts, LPCWSTR iniPath,
                       const KeyboardSwitches& switches, const IHostCommandLookup& hostCommands);
