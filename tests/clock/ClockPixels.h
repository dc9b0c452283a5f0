// The clock's pictures read back for comparisons with what it drew.
#pragma once
#include <windows.h>
#include "ClockLayout.h"
#include "MemoryCanvas.h"
#include "resource.h"

// The test program's own copy of a picture of the module.
inline HBITMAP LoadOwnBitmap(int id)
{
    return (HBITMAP)LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION);
}

// The pictures a drawn frame is compared with.
struct CClockPictures {
    CPixels background{LoadOwnBitmap(IDB_BACKGROUND)};
    CPixels large{LoadOwnBitmap(IDB_DIGITS_LARGE)};
    CPixels small{LoadOwnBitmap(IDB_DIGITS_SMALL)};

    // Pixels of a slot's rectangle that differ from the glyph over the
    // background (the background shows where the glyph has the key colour).
    int SlotMismatches(CMemoryCanvas& canvas, int slot, int glyph) const
    {
        const DigitPlace& place = DigitPlaces[slot];
        const CPixels& strip = place.large ? large : small;
        int w = place.large ? LargeDigitWidth : SmallDigitWidth;
        int h = place.large ? LargeDigitHeight : SmallDigitHeight;
        int mismatches = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                DWORD pixel = strip.At(glyph * w + x, y);
                DWORD want = pixel == 0xFF00FF ? background.At(place.x + x, place.y + y) : pixel;
                mismatches += canvas.At(place.x + x, place.y + y) != want;
            }
        return mismatches;
    }
};
