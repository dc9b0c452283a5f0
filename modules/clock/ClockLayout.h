// Where the clock draws its digits and its state icon, in client pixels.
#pragma once
#include <windows.h>

const COLORREF ClockKeyColor = RGB(255, 0, 255);

const int LargeDigitWidth = 24;
const int LargeDigitHeight = 34;
const int LargeGlyphCount = 10;
const int SmallDigitWidth = 12;
const int SmallDigitHeight = 17;
const int SmallGlyphCount = 11;
const int StateIconSize = 16;

struct DigitPlace {
    int x, y;
    bool large;
};

// Slots 0-3 large (hour, minute), 4-5 small (second), 6-13 small (top row).
const DigitPlace DigitPlaces[14] = {
    {5, 33, true}, {32, 33, true}, {65, 33, true}, {92, 33, true},
    {120, 50, false}, {134, 50, false},
    {5, 5, false}, {19, 5, false}, {41, 5, false}, {55, 5, false},
    {77, 5, false}, {91, 5, false}, {105, 5, false}, {119, 5, false},
};

// The state icon's rectangle for a window of the given width.
inline RECT StateIconRect(int width)
{
    RECT rc = {width - 26, 3, width - 10, 19};
    return rc;
}
