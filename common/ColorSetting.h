// Colours in the settings files: "#RRGGBB" (the "#" may be missing), read as
// a COLORREF with red in the low byte.
#pragma once
#include <windows.h>

// 0xFF000000: automatic or no colour.
const COLORREF ColorAutomatic = 0xFF000000;
// Section of the engine's colour keys.
extern const WCHAR ColorsSection[]; // "Colors&Styles"

// Parses colour text; an empty text gives `defaultColor`. Only the low 24 bits
// of the hexadecimal number count.
COLORREF ParseColorText(LPCWSTR text, COLORREF defaultColor);

// Writes the colour as "#RRGGBB" into `text` (at least 8 characters).
void FormatColorText(COLORREF color, LPWSTR text, int size);

// Reads key `key` of `section` ("Colors&Styles" when null) of `iniPath`.
COLORREF ReadColorSetting(LPCWSTR key, COLORREF defaultColor, LPCWSTR section, LPCWSTR iniPath);
