#include "HotkeyFormat.h"
#include <cwchar>

namespace {

struct ModifierName {
    BYTE bit;         // the left-side bit; the right side is bit << 4
    const WCHAR* name;
};

// Written in this order.
const ModifierName ModifierNames[] = {
    {HotkeyLWin, L"Win"},
    {HotkeyLAlt, L"Alt"},
    {HotkeyLCtrl, L"Ctrl"},
    {HotkeyLShift, L"Shift"},
};

struct FixedKeyName {
    BYTE key;
    const WCHAR* name;
};

// Names that replace the layout's names; the number pad digits are built.
const FixedKeyName FixedKeyNames[] = {
    {VK_BACK, L"Back"}, {VK_CLEAR, L"NUM5"}, {VK_ESCAPE, L"Esc"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_INSERT, L"Ins"},
    {VK_DELETE, L"Del"}, {VK_APPS, L"Context"},
    {VK_MULTIPLY, L"Num*"}, {VK_ADD, L"NumPlus"}, {VK_SUBTRACT, L"Num-"},
    {VK_DECIMAL, L"NumDot"}, {VK_DIVIDE, L"Num/"}, {VK_SCROLL, L"ScrollLock"},
    {VK_OEM_PLUS, L"Plus"}, {VK_OEM_COMMA, L"Comma"}, {VK_OEM_MINUS, L"Minus"},
    {VK_OEM_PERIOD, L"Dot"},
};

const int MaxLayoutKeyName = 32;

// The engine's name of a key (ENTER, F13, PAUSE, ...) written as an English
// layout writes it ("Enter", "F13", "Pause"); false when the table has none.
bool AppendTableName(BYTE key, std::wstring& out)
{
    for (const KeyNameRow* row = EngineKeyNameTable(); row->name && row->name[0]; ++row) {
        if (row->key != key)
            continue;
        for (const WCHAR* p = row->name; *p; ++p)
            out.push_back(p == row->name || *p < L'A' || *p > L'Z' ? *p : WCHAR(*p + (L'a' - L'A')));
        return true;
    }
    return false;
}

} // namespace

void FormatHotkeyModifiers(BYTE modifiers, bool withSides, std::wstring& out)
{
    for (const ModifierName& m : ModifierNames) {
        BYTE right = BYTE(m.bit << 4);
        if (withSides) {
            if (modifiers & m.bit)
                out.append(L"L").append(m.name).append(L"+");
            if (modifiers & right)
                out.append(L"R").append(m.name).append(L"+");
        } else if (modifiers & (m.bit | right)) {
            out.append(m.name).append(L"+");
        }
    }
}

bool IsCaptureKey(BYTE key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return true;
    if (key >= VK_NUMPAD0 && key <= VK_DIVIDE)
        return true;
    if (key >= VK_SPACE && key <= VK_DOWN)
        return true;
    if (key >= VK_F1 && key <= VK_F24)
        return true;
    if ((key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_7))
        return true;
    switch (key) {
    case VK_BACK: case VK_TAB: case VK_CLEAR: case VK_RETURN: case VK_PAUSE:
    case VK_ESCAPE: case VK_INSERT: case VK_DELETE: case VK_APPS:
    case VK_SCROLL: case VK_OEM_102:
        return true;
    }
    return false;
}

void AppendKeyName(BYTE key, std::wstring& out)
{
    for (const FixedKeyName& f : FixedKeyNames) {
        if (f.key == key) {
            out.append(f.name);
            return;
        }
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        out.append(L"NUM").push_back(WCHAR(L'0' + (key - VK_NUMPAD0)));
        return;
    }
    if (key == VK_OEM_102) {
        out.push_back(L'|');
        return;
    }
    // Keys the engine's table names are written in its English words, never
    // in a localised layout's ("Eingabe", "Pos1"), which no parser reads.
    if (AppendTableName(key, out))
        return;
    // The layout's name for the key's scan code; Pause has no scan code of
    // its own in the layout, and the navigation block keys are extended.
    UINT scan = (key == VK_PAUSE) ? 0x45 : MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
    LONG param = LONG(scan & 0xFF) << 16;
    if ((key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || key == VK_APPS)
        param |= 1L << 24;
    WCHAR name[MaxLayoutKeyName + 1] = {};
    // Some layouts answer a key without a name with a lone zero.
    if (GetKeyNameTextW(param, name, MaxLayoutKeyName + 1) > 0)
        out.append(name, wcsnlen(name, MaxLayoutKeyName));
}

std::wstring FormatHotkeyCode(HotkeyCode code, bool withSides)
{
    std::wstring text;
    FormatHotkeyModifiers(HotkeyModifiers(code), withSides, text);
    if (HotkeyKey(code))
        AppendKeyName(HotkeyKey(code), text);
    return text;
}
