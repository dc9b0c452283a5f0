// Hotkeys bound to more than one command, and host commands that own more
// than one hotkey.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "Strings.h"

class CCommandList;
class CHotKeyHolder;

// One pair of entries holding the same key.
struct HKDup
{
    CString strFirst;  // command of the earlier entry
    CString strKey;
    CString strSecond; // command of the later entry
};

typedef CArray<HKDup, const HKDup&> CHKDuplicates;

// Every pair (i < j) of live entries whose keys are equal without case, in
// holder order; returns the number of pairs.
int FindDuplicates(const CHotKeyHolder& holder, CHKDuplicates& dups);

// Sets RowMultiKey on every host list row whose command owns more than one
// distinct key, and clears it on the others.
void MarkMultiKeyCommands(CCommandList& hostList, const CHotKeyHolder& holder);
