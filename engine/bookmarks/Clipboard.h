// The clipboard as the bookmark commands use it.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

// Puts `text` on the clipboard as Unicode text, `owner` owning it.
bool PutClipboardText(HWND owner, const CString& text);

// What a paste found: text (replace the list) or a file drop (append).
struct CPastedPaths {
    bool fromText = false;
    std::vector<CString> paths;
};
// Reads Unicode text, split at CR LF, lone CR and lone LF, keeping the
// absolute paths; else a file drop list. Candidates longer than the
// bookmark limit are skipped. False when the clipboard holds neither or
// cannot be opened.
bool ReadClipboardPaths(HWND owner, CPastedPaths& pasted);
// The splitting of pasted text, exposed for its tests.
std::vector<CString> SplitPastedText(LPCWSTR text);

// A bookmark holds at most this many characters.
const int BookmarkMaxLength = 1023;
