// Pixels of bitmaps and memory drawings, read back for comparisons.
#pragma once
#include <windows.h>
#include <vector>

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

// A 32-bit top-down DIB section selected into a memory DC, to draw into.
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
    CMemoryCanvas(const CMemoryCanvas&) = delete;
    CMemoryCanvas& operator=(const CMemoryCanvas&) = delete;

    // 0x00RRGGBB of a pixel.
    DWORD At(int x, int y) { return Argb(x, y) & 0xFFFFFF; }
    // The whole pixel with its alpha byte.
    DWORD Argb(int x, int y)
    {
        GdiFlush();
        return bits[(size_t)y * width + x];
    }
};

// 0x00RRGGBB of a colour.
inline DWORD Rgb(int r, int g, int b)
{
    return ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)b;
}
