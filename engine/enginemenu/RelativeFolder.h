// "GotoDirRelative"'s mapping of the source panel's folder into the target
// panel's tree.
#pragma once
#include <windows.h>
#include "Strings.h"

// Matches the components of `source` from its last to its first against
// those of `target` (each from its last, with case); on the first equal pair
// (source i, target j) the result is target's components before j and
// source's from i on, joined with "\". Empty components (a UNC path's
// leading "\\", a trailing "\") never match. False when no pair is found.
bool RelativeFolder(LPCWSTR source, LPCWSTR target, CString& result);
