// The special-key filter: what a fixed binding (ESC, Ctrl+PgUp, Back) bound
// to a host command does, from the state the caller gathers. Kept apart from
// the windows so the decision can be read (and checked) as a table.
#pragma once
#include <windows.h>
#include "CommandTargets.h"
#include "HotkeyTable.h"

struct SpecialKeyInput {
    bool gotoUpFromRoot = false;  // [Config] "GotoUpFromRoot"
    bool escSpecial = false;      // [Config] "ESCSpecial"
    bool editOutsideHost = false; // the focus is an edit box of another top-level window
    int listSide = -1;            // the file list holding the focus (0, 1), -1 none
    LPCWSTR path = L"";           // that list's folder
    bool driveListOpen = false;   // the engine's drive menu is open
    int selectedCount = 0;        // that list's selected items
    int itemHeight = 0;           // that list's item height
};

// What the caller does besides answering.
enum SpecialKeyAction {
    SpecialKeyNoAction,
    SpecialKeyLeftListToEnd,     // the left list's caret to its last item, repainted
    SpecialKeyRestoreSelection,  // run "cm_RestoreSelection" by name
};

// Item height from which a plain Esc in a list without a selection runs
// the bound command on its second press.
const int TallListItem = 49;

// The answer (SpecialKeyAnswer) for `entry`; `escCount` is the Esc counter,
// which counts every press once.
int FilterSpecialKey(const HotkeyEntry& entry, const SpecialKeyInput& in, int& escCount, SpecialKeyAction& action);
