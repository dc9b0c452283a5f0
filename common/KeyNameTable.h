// Key-name tables of the hotkey text: names of the keys that are not written
// as a single character. Each deliverable passes its own table to the parser.
#pragma once
#include <windows.h>
#include <cstddef>

// One row: a key name and its virtual-key code. A table is ended by a row
// with an empty name.
struct KeyNameRow {
    const WCHAR* name;
    BYTE key;
};

// The engine's table: 61 rows.
const KeyNameRow* EngineKeyNameTable();

// The settings utility's table: 57 rows, the engine's without "Context",
// "MINUS", "SCROLLLOCK" and "PAUSE".
const KeyNameRow* SettingsKeyNameTable();

// Number of rows before the terminating row; 0 for a null table.
size_t KeyNameCount(const KeyNameRow* table);

// The key of the first row whose name equals the given one without case
// (compared as ASCII: every name in the tables is ASCII); 0 when none does.
BYTE FindKeyName(const KeyNameRow* table, const WCHAR* name, size_t length);
