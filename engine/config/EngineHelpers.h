// Small helpers the engine's parts share.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "EngineContext.h"

struct EngineSettings;

// Expands environment variables in `path` (at most 2048 characters); a path
// that starts with a letter not followed by ":" gets `engineFolder` in front.
void ResolveModulePath(CString& path, LPCWSTR engineFolder);

// One 16 x 16 icon from "file[,index]" (variables expanded); null when the text
// is empty, `extract` is null or extraction does not give exactly one icon.
// The caller destroys the icon.
HICON IconFromText(LPCWSTR text, PrivateExtractIconsProc extract);
// One 16x16 icon of `file` at `index` through `extract`; null when none (the
// caller destroys the icon).
HICON ExtractSmallIcon(LPCWSTR file, int index, PrivateExtractIconsProc extract);

// "LockedTabColor" for kind 2, "LockedDCATabColor" for kind 3, else 0xFF000000.
COLORREF LockedTabColorOf(int kind, const EngineSettings& settings);

// The folder a path bar text shows: the part after the first ":" when the
// second character is neither ":" nor "\" (empty without ":"), then cut at
// the last "\" unless that is the first character. "C:\dir\*.*" gives
// "C:\dir", "C:\*.*" gives "C:".
CString FolderOfPathText(LPCWSTR text);

// True for an empty name and for names made only of dots.
bool IsDotsName(LPCWSTR name);

// One row of the view-mode word table; the numbers are read by the folder rules.
struct ViewModeRow {
    LPCWSTR word;
    int values[3];
};
const int ViewModeCount = 7;
extern const ViewModeRow ViewModeTable[ViewModeCount];

// Index of the first table word the text begins with (compared over the
// word's length, without case); -1 when none.
int ViewModeWord(LPCWSTR text);
