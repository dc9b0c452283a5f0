#include "HotkeyTable.h"
#include <cwchar>
#include <new>

namespace {

// The sided modifier keys and their bits.
struct ModifierKey {
    BYTE vk;
    BYTE bit;
};

const ModifierKey ModifierKeys[] = {
    {VK_LSHIFT, HotkeyLShift}, {VK_RSHIFT, HotkeyRShift},
    {VK_LCONTROL, HotkeyLCtrl}, {VK_RCONTROL, HotkeyRCtrl},
    {VK_LMENU, HotkeyLAlt}, {VK_RMENU, HotkeyRAlt},
    {VK_LWIN, HotkeyLWin}, {VK_RWIN, HotkeyRWin},
};

const BYTE SidePairs[] = {HotkeyAlt, HotkeyShift, HotkeyCtrl, HotkeyWin};

void CopyToField(WCHAR* field, LPCWSTR text)
{
    size_t i = 0;
    if (text) {
        for (; i < HotkeyFieldLength - 1 && text[i]; ++i)
            field[i] = text[i];
    }
    field[i] = 0;
}

} // namespace

BYTE PressedModifiers(const BYTE* state)
{
    BYTE pressed = 0;
    for (const ModifierKey& key : ModifierKeys) {
        if (state[key.vk] & 0x80)
            pressed |= key.bit;
    }
    return pressed;
}

bool ModifiersMatch(BYTE entryModifiers, BYTE pressed)
{
    for (BYTE pair : SidePairs) {
        if ((entryModifiers & pair) == pair && (pressed & pair))
            pressed |= pair;
    }
    return entryModifiers == pressed;
}

bool CKeyApprentice::AddHotkey(LPCWSTR text, UINT command, LPCWSTR name, UINT fixed)
{
    HotkeyCode code = 0;
    if (!ParseHotkeyText(text, EngineKeyNameTable(), &code) || HotkeyKey(code) == 0)
        return false;
    HotkeyEntry* entry = new (std::nothrow) HotkeyEntry();
    if (!entry)
        return false;
    entry->fixed = fixed;
    entry->code = code;
    entry->command = command;
    CopyToField(entry->name, name);
    CopyToField(entry->text, text);
    m_entries.Add(entry);
    return true;
}

int CKeyApprentice::FindHotkey(UINT vk, const BYTE* state) const
{
    INT_PTR count = m_entries.GetSize();
    if (count == 0)
        return HotkeyNotFound;
    BYTE own[256];
    if (!state) {
        if (!GetKeyboardState(own))
            return HotkeyStateUnreadable;
        state = own;
    }
    if (vk > 0xFF)
        return HotkeyNotFound;
    BYTE pressed = PressedModifiers(state);
    BYTE key = BYTE(vk);
    bool clear = vk == VK_CLEAR;
    HotkeyEntry* const* entries = m_entries.GetData();
    for (INT_PTR i = 0; i < count; ++i) {
        HotkeyCode code = entries[i]->code;
        BYTE entryKey = HotkeyKey(code);
        if (entryKey != key && !(clear && entryKey == VK_NUMPAD5))
            continue;
        if (ModifiersMatch(HotkeyModifiers(code), pressed))
            return int(i);
    }
    return HotkeyNotFound;
}

bool CKeyApprentice::BindsKey(UINT vk) const
{
    if (vk > 0xFF)
        return false;
    BYTE key = BYTE(vk);
    HotkeyEntry* const* entries = m_entries.GetData();
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
        BYTE entryKey = HotkeyKey(entries[i]->code);
        if (entryKey == key || (vk == VK_CLEAR && entryKey == VK_NUMPAD5))
            return true;
    }
    return false;
}

const HotkeyEntry* CKeyApprentice::Entry(INT_PTR index) const
{
    if (index < 0 || index >= m_entries.GetSize())
        return nullptr;
    return m_entries[index];
}

const HotkeyEntry* CKeyApprentice::Entry(INT_PTR index, UINT generation) const
{
    return generation == m_generation ? Entry(index) : nullptr;
}

LPCWSTR CKeyApprentice::HotkeyTextOfCommand(LPCWSTR name) const
{
    if (!name)
        return nullptr;
    for (INT_PTR i = m_entries.GetSize() - 1; i >= 0; --i) {
        const HotkeyEntry* entry = m_entries[i];
        if (entry->name[0] && _wcsicmp(entry->name, name) == 0)
            return entry->text;
    }
    return nullptr;
}

void CKeyApprentice::ClearHotkeys()
{
    for (INT_PTR i = m_entries.GetSize() - 1; i >= 0; --i)
        delete m_entries[i];
    m_entries.RemoveAll();
    ++m_generation;
}

void CKeyApprentice::RemoveFrom(int index)
{
    INT_PTR count = m_entries.GetSize();
    if (index < 0 || index >= count)
        return;
    for (INT_PTR i = count - 1; i >= index; --i)
        delete m_entries[i];
    m_entries.RemoveAt(index, count - index);
    ++m_generation;
}
