#include "KeyNameTable.h"

namespace {

// Rows common to both tables are spelled out twice on purpose: each table
// is a plain constant array whose order is its lookup order.
const KeyNameRow EngineRows[] = {
    {L"BACK", 0x08}, {L"TAB", 0x09}, {L"ENTER", 0x0D}, {L"ESC", 0x1B},
    {L"SPACE", 0x20}, {L"PGUP", 0x21}, {L"PGDN", 0x22}, {L"END", 0x23},
    {L"HOME", 0x24}, {L"LEFT", 0x25}, {L"UP", 0x26}, {L"RIGHT", 0x27},
    {L"DOWN", 0x28}, {L"INS", 0x2D}, {L"DEL", 0x2E},
    {L"Context", 0x5D},
    {L"NUM0", 0x60}, {L"NUM1", 0x61}, {L"NUM2", 0x62}, {L"NUM3", 0x63},
    {L"NUM4", 0x64}, {L"NUM5", 0x65}, {L"NUM6", 0x66}, {L"NUM7", 0x67},
    {L"NUM8", 0x68}, {L"NUM9", 0x69}, {L"NUM*", 0x6A}, {L"NUMPLUS", 0x6B},
    {L"NUM-", 0x6D}, {L"NUMDOT", 0x6E}, {L"NUM/", 0x6F},
    {L"F1", 0x70}, {L"F2", 0x71}, {L"F3", 0x72}, {L"F4", 0x73},
    {L"F5", 0x74}, {L"F6", 0x75}, {L"F7", 0x76}, {L"F8", 0x77},
    {L"F9", 0x78}, {L"F10", 0x79}, {L"F11", 0x7A}, {L"F12", 0x7B},
    {L"F13", 0x7C}, {L"F14", 0x7D}, {L"F15", 0x7E}, {L"F16", 0x7F},
    {L"F17", 0x80}, {L"F18", 0x81}, {L"F19", 0x82}, {L"F20", 0x83},
    {L"F21", 0x84}, {L"F22", 0x85}, {L"F23", 0x86}, {L"F24", 0x87},
    {L"PLUS", 0xBB}, {L"COMMA", 0xBC}, {L"MINUS", 0xBD}, {L"DOT", 0xBE},
    {L"SCROLLLOCK", 0x91}, {L"PAUSE", 0x13},
    {L"", 0},
};

const KeyNameRow SettingsRows[] = {
    {L"BACK", 0x08}, {L"TAB", 0x09}, {L"ENTER", 0x0D}, {L"ESC", 0x1B},
    {L"SPACE", 0x20}, {L"PGUP", 0x21}, {L"PGDN", 0x22}, {L"END", 0x23},
    {L"HOME", 0x24}, {L"LEFT", 0x25}, {L"UP", 0x26}, {L"RIGHT", 0x27},
    {L"DOWN", 0x28}, {L"INS", 0x2D}, {L"DEL", 0x2E},
    {L"NUM0", 0x60}, {L"NUM1", 0x61}, {L"NUM2", 0x62}, {L"NUM3", 0x63},
    {L"NUM4", 0x64}, {L"NUM5", 0x65}, {L"NUM6", 0x66}, {L"NUM7", 0x67},
    {L"NUM8", 0x68}, {L"NUM9", 0x69}, {L"NUM*", 0x6A}, {L"NUMPLUS", 0x6B},
    {L"NUM-", 0x6D}, {L"NUMDOT", 0x6E}, {L"NUM/", 0x6F},
    {L"F1", 0x70}, {L"F2", 0x71}, {L"F3", 0x72}, {L"F4", 0x73},
    {L"F5", 0x74}, {L"F6", 0x75}, {L"F7", 0x76}, {L"F8", 0x77},
    {L"F9", 0x78}, {L"F10", 0x79}, {L"F11", 0x7A}, {L"F12", 0x7B},
    {L"F13", 0x7C}, {L"F14", 0x7D}, {L"F15", 0x7E}, {L"F16", 0x7F},
    {L"F17", 0x80}, {L"F18", 0x81}, {L"F19", 0x82}, {L"F20", 0x83},
    {L"F21", 0x84}, {L"F22", 0x85}, {L"F23", 0x86}, {L"F24", 0x87},
    {L"PLUS", 0xBB}, {L"COMMA", 0xBC}, {L"DOT", 0xBE},
    {L"", 0},
};

WCHAR FoldAscii(WCHAR c)
{
    return (c >= L'a' && c <= L'z') ? WCHAR(c - (L'a' - L'A')) : c;
}

} // namespace

const KeyNameRow* EngineKeyNameTable()
{
    return EngineRows;
}

const KeyNameRow* SettingsKeyNameTable()
{
    return SettingsRows;
}

size_t KeyNameCount(const KeyNameRow* table)
{
    size_t count = 0;
    if (table) {
        while (table[count].name && table[count].name[0])
            ++count;
    }
    return count;
}

BYTE FindKeyName(const KeyNameRow* table, const WCHAR* name, size_t length)
{
    if (!table || !name || length == 0)
        return 0;
    for (const KeyNameRow* row = table; row->name && row->name[0]; ++row) {
        size_t i = 0;
        while (i < length && row->name[i] && FoldAscii(row->name[i]) == FoldAscii(name[i]))
            ++i;
        if (i == length && row->name[i] == 0)
            return row->key;
    }
    return 0;
}
