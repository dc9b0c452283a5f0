// The marks the engine draws in the host's file lists (sticky files,
// bookmarks, the cursor of an unfocused list), shared by the Sticky Files,
// Bookmarks and File Panels pages, and the preview backgrounds they offer.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "IniHelper.h"
#include "Strings.h"

struct CMarkSetting
{
    int nEnabled = 0;
    COLORREF crColour = 0;
    int nStyle = 0;  // 0 alpha gradient, 1 frame, 2 solid, 3 underline (stored + 2)
    int nExtra = 0;  // StickySort, PersistBookmarks; unused for the cursor
    int nFill = 33;  // 1..100 percent of the row; above 100: pixels + 100
};

struct CMarkSettings
{
    CMarkSetting sticky;
    CMarkSetting bookmark;
    CMarkSetting cursor;
    int nBackground = 0; // index in the preview background list; 0 "<Default>"
};

// Reads the three marks of the own INI; a fill of -1 is [Colors&Styles]
// "MarkPercent" (33).
void LoadMarkSettings(CMarkSettings& marks, LPCWSTR lpszIni);
// Writes the three marks in the engine's key order, then [Config]
// "DefPreviewFile" (the chosen background's file name; removed for 0)
// through the helper, which keeps the error of a failed write.
void SaveMarkSettings(const CMarkSettings& marks, const CIniHelper& ini, const CStringArray& backgrounds);

// The preview backgrounds: lpszDefault first, then every "*.bkg.bmp" in the
// folder in the order the file search gives them. Returns the index of the
// file [Config] "DefPreviewFile" names (compared exactly), else 0.
int BuildPreviewBackgrounds(LPCWSTR lpszFolder, LPCWSTR lpszDefault, LPCWSTR lpszIni, CStringArray& backgrounds);
