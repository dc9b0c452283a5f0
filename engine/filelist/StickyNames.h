// The reader of the sticky file ("Merovin.stk"): one section per folder (the
// folder's path without a trailing "\"), keys "1", "2", ... holding bare
// names in sticky order.
#pragma once
#include <windows.h>
#include "Framework.h"

// At most this many keys of a section are read.
const int StickyNamesMax = 100;

// Appends the names of `folder`'s section, from key "1" up to the first
// missing or empty key (at most StickyNamesMax). 0 when the section is
// absent (holds no line), else 1 + the number of names read.
int ReadStickyNames(LPCWSTR stickyFile, LPCWSTR folder, CStringArray& names);
