// The engine's hotkey table: every binding of a hotkey to a command, in the
// order of adding, and the matcher that finds the binding of a key event.
#pragma once
#include <windows.h>
#include "Collections.h"
#include "HotkeyText.h"

// Characters of an entry's text fields, the terminating null included.
const int HotkeyFieldLength = 64;

// FindHotkey results besides an index.
const int HotkeyStateUnreadable = -1;
const int HotkeyNotFound = -3;

struct HotkeyEntry {
    UINT fixed;                        // 1: one of the engine's fixed bindings
    HotkeyCode code;
    UINT command;                      // CommandNumber; 0: run by `name`
    WCHAR name[HotkeyFieldLength];     // command name of entries run by name, else empty
    WCHAR text[HotkeyFieldLength];     // the hotkey text the entry was parsed from
};

// The modifier byte (HotkeyModifier bits) of the sided modifier keys that are
// down in a 256-byte keyboard state.
BYTE PressedModifiers(const BYTE* state);

// Whether an entry's modifier byte accepts the pressed modifiers: a modifier
// the entry gives without side accepts either side or both, a sided one only
// that side, and every pressed modifier must be named by the entry.
bool ModifiersMatch(BYTE entryModifiers, BYTE pressed);

class CKeyApprentice {
public:
    CKeyApprentice() {}
    ~CKeyApprentice() { ClearHotkeys(); }
    CKeyApprentice(const CKeyApprentice&) = delete;
    CKeyApprentice& operator=(const CKeyApprentice&) = delete;

    // Parses `text` with the engine's key names and appends an entry; the
    // texts are cut to their fields. Adds nothing and returns false when the
    // text does not parse or names no key.
    bool AddHotkey(LPCWSTR text, UINT command, LPCWSTR name, UINT fixed);
    // An entry run by its command name: number 0, not fixed.
    bool AddNamedHotkey(LPCWSTR text, LPCWSTR name) { return AddHotkey(text, 0, name, 0); }

    // The index of the first entry bound to the event's key `vk` whose
    // modifiers match the keyboard state; an entry of the number pad's 5
    // also matches VK_CLEAR (the same key with NumLock off). `state` is a
    // 256-byte keyboard state, or null for the thread's own
    // (GetKeyboardState). HotkeyNotFound when no entry matches or the table
    // is empty, HotkeyStateUnreadable when the state could not be read.
    int FindHotkey(UINT vk, const BYTE* state) const;
    // Whether any entry is bound to the key `vk` (with any modifiers): keys
    // that are not are passed on without reading the keyboard state.
    bool BindsKey(UINT vk) const;

    int GetCount() const { return int(m_entries.GetSize()); }
    // The entry at `index`, or null when out of range.
    const HotkeyEntry* Entry(INT_PTR index) const;
    // The same, and null also when the table was cleared since `generation`
    // was taken: an index posted before a rebuild names nothing after it.
    const HotkeyEntry* Entry(INT_PTR index, UINT generation) const;
    // Changes whenever entries are removed.
    UINT Generation() const { return m_generation; }

    // The hotkey text of the last entry whose command name equals `name`
    // without case; null when none.
    LPCWSTR HotkeyTextOfCommand(LPCWSTR name) const;

    // Deletes every entry, the last first, and starts a new generation.
    void ClearHotkeys();
    // Deletes the entries from `index` to the end (the module hotkeys are the
    // table's tail) and, when any went, starts a new generation. An index
    // outside the table removes nothing.
    void RemoveFrom(int index);

private:
    CArray<HotkeyEntry*, HotkeyEntry*> m_entries;
    UINT m_generation = 1;
};
