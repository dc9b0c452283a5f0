// What a host file list shows, as its rows tell, and the file name of a row.
#pragma once
#include <windows.h>
#include <string>
#include "Strings.h"

enum ListLayout : UINT {
    LayoutMultiColumn = 0,       // the list box has the multi-column style
    LayoutColumns = 1,           // any other row text
    LayoutColumnsWithParent = 2, // columns, the first row the parent folder drawn as ".." or "[..]"
    LayoutNameMarker = 3,        // the name ends at a " >" marker
    LayoutThumbnails = 5,        // rows taller than 48 pixels
    LayoutVirtualFolder = 6,     // the first row is ".\." or "\" and the desktop's name
    LayoutUnclassified = 7,      // empty, reset, or only the row ".."
};

// Rows taller than this are thumbnails.
const int ThumbnailRowHeight = 48;

// Cuts a row text down to its file name, in place. Layouts 1 to 4 (and an
// unclassified list): a tab after the first character ends the name; else
// the marker " >" does; else a "<...>" column does; else a text of 22 or more
// characters holding one of " < > : / \ ? * loses its last four
// blank-separated columns (five with the host's "SizeStyle"). Layout 0 keeps
// the text. Returns 0 for layouts 5 and 6, where no name can be taken.
int ExtractFileName(CString& text, UINT layout, int sizeStyle);
// The length of the name at the start of a row text, by the rules of
// layouts 1 to 4 above.
int FileNameLength(LPCWSTR text, int length, int sizeStyle);

// True for a character that shows ink (not a blank or a control character).
bool IsGraphic(WCHAR c);
// Removes trailing characters that are not graphic.
void TrimNonGraphic(CString& text);
void TrimNonGraphic(std::wstring& text);
