// Shell item id lists: a sequence of items, each starting with its 16-bit
// byte size, ended by a zero size.
#pragma once
#include <windows.h>
#include <shlobj.h>

// Items in the list (0 for none).
UINT IdListCount(LPCITEMIDLIST list);
// Bytes of all items, without the terminator.
UINT IdListSize(LPCITEMIDLIST list);
// The item after `n` items: the list itself for 0, null when the list ends
// earlier.
LPCITEMIDLIST IdListItemAfter(LPCITEMIDLIST list, UINT n);
// A new zero-filled copy of `bytes` bytes of the list (all items when
// `bytes` is -1) with the terminator after them; free with CoTaskMemFree.
// Null when out of memory.
LPITEMIDLIST IdListCopy(LPCITEMIDLIST list, int bytes = -1);
