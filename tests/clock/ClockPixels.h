// Pixels of bitmaps and memory drawings, read back for comparisons.
#pragma once
#include <windows.h>
#include <vector>
#include "ClockLayout.h"
#include "resource.h"

// A 32-bit top-down copy of a bitmap's pixels, as 0x00RRGGBB.
struct CPixels {
    int width = 0, height = 0;
    std::vector<DWORD> bits;

    explicit CPixels(HBITMAP bitmap)
    {
        BITMAP bm;
        if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm))
            return;
        width = bm.bmWidth;
        height = bm.bmHeight;
        bits.resize((size_t)width * height);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bitmap, 0, height, bits.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (DWORD& p : bits)
            p &= 0xFFFFFF;
    }
    DWORD At(int x, int y) const { return bits[(size_t)y * width + x]; }
};

// A 32-bit DIB section selected into a memory DC, to draw into.
struct CMemoryCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    DWORD* bits = nullptr;
    int width, height;

    CMemoryCanvas(int w, int h, DWORD fill = 0x123456) : width(w), height(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = (DWORD*)p;
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i)
            bits[i] = fill;
    }
    ~CMemoryCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DWORD At(int x, int y)
    {
        GdiFlush();
        return bits[(size_t)y * width + x] & 0xFFFFFF;
    }
};

// 0x00RRGGBB of a colour.
inline DWORD Rgb(int r, int g, int b)
{
    return ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)b;
}

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
