// Hotkeys written as text ("Ctrl+Shift+F5") and their packed form.
//
// A hotkey text is a list of "+"-separated tokens: modifiers "WIN", "ALT",
// "CTRL", "SHIFT" in any order, each optionally prefixed "L" or "R", then at
// most one key: a name from a key-name table or a single character. Names are
// compared without case; no token may follow the key.
#pragma once
#include <windows.h>
#include "KeyNameTable.h"

// (modifier byte << 8) | virtual-key code.
typedef UINT HotkeyCode;

// Bits of the modifier byte. A modifier written without side sets both bits.
enum HotkeyModifier : BYTE {
    HotkeyLAlt = 0x01,
    HotkeyLShift = 0x02,
    HotkeyLCtrl = 0x04,
    HotkeyLWin = 0x08,
    HotkeyRAlt = 0x10,
    HotkeyRShift = 0x20,
    HotkeyRCtrl = 0x40,
    HotkeyRWin = 0x80,
    HotkeyAlt = HotkeyLAlt | HotkeyRAlt,
    HotkeyShift = HotkeyLShift | HotkeyRShift,
    HotkeyCtrl = HotkeyLCtrl | HotkeyRCtrl,
    HotkeyWin = HotkeyLWin | HotkeyRWin,
};

inline HotkeyCode MakeHotkeyCode(BYTE modifiers, BYTE key)
{
    return (HotkeyCode(modifiers) << 8) | key;
}

inline BYTE HotkeyKey(HotkeyCode code)
{
    return BYTE(code & 0xFF);
}

inline BYTE HotkeyModifiers(HotkeyCode code)
{
    return BYTE((code >> 8) & 0xFF);
}

// Parses a hotkey text with the given key-name table. Empty tokens are
// skipped, so an empty text or one of modifiers alone succeeds with key 0;
// callers that need a key check it. A null text counts as empty. On failure
// *code is left unchanged.
bool ParseHotkeyText(const WCHAR* text, const KeyNameRow* table, HotkeyCode* code);

// A text that a user may enter as a hotkey: at least two characters, parsed
// with the table, and naming a key.
bool IsValidHotkeyText(const WCHAR* text, const KeyNameRow* table);
