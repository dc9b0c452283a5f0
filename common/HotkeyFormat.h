// Writing hotkeys as text, the way the settings utility shows captured keys:
// modifiers in the order Win, Alt, Ctrl, Shift, then the key's name.
#pragma once
#include <windows.h>
#include <string>
#include "HotkeyText.h"

// Appends the modifiers of a modifier byte, each followed by "+". With sides
// every side that is set is written ("LCtrl+RCtrl+" when both are);
// without sides a modifier is written once when either side is set.
void FormatHotkeyModifiers(BYTE modifiers, bool withSides, std::wstring& out);

// Whether a virtual key may stand as the key of a captured hotkey. Modifier
// keys alone never do.
bool IsCaptureKey(BYTE key);

// Appends the name of a key: the fixed names of the hotkey box where it has
// one, "|" for the key of the 102nd key position, the English word of the
// engine's key-name table for the keys it names ("Enter", "F13", "Pause"),
// otherwise the name the keyboard layout gives (character keys; at most 32
// characters; nothing when it has none).
void AppendKeyName(BYTE key, std::wstring& out);

// The text of a hotkey code: its modifiers, then the key's name when the
// code has a key.
std::wstring FormatHotkeyCode(HotkeyCode code, bool withSides);
