// The hotkey texts that the engine's menus show beside their commands: kept
// from [Keyboard] for every menu command, also when its setting leaves it unbound.
#pragma once
#include <windows.h>
#include "EngineCommands.h"

// Characters of a kept text, the terminating null included.
const int MenuHotkeyTextLength = 32;

class CMenuHotkeyTexts {
public:
    CMenuHotkeyTexts() { Clear(); }

    // Keeps `text` (cut to 31 characters) for an engine command number;
    // numbers outside the engine range are ignored.
    void Set(UINT command, LPCWSTR text);
    // The kept text of a command; empty when none.
    LPCWSTR Text(UINT command) const;
    void Clear();

private:
    static const int Slots = int(LastEngineCommand - FirstEngineCommand + 1);
    WCHAR m_texts[Slots][MenuHotkeyTextLength];
};
