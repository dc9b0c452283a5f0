// Gradient bands and alpha masks, checked by the pixels they leave in memory DIBs.
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include "AlphaMask.h"
#include "ColorGradient.h"
#include "MemoryCanvas.h"

namespace {

// The canvas's DC seen through the framework's wrapper.
struct CCanvasDC : CDC {
    explicit CCanvasDC(CMemoryCanvas& canvas) { Attach(canvas.dc); }
};

DWORD Grey(int value)
{
    return Rgb(value, value, value);
}

// Pixels of a mask's DIB section, with their alpha.
const DWORD* MaskBits(const AlphaMask& mask)
{
    DIBSECTION section = {};
    if (!GetObjectW(mask.GetBitmap().GetSafeHandle(), sizeof(section), &section))
        return nullptr;
    return static_cast<const DWORD*>(section.dsBm.bmBits);
}

} // namespace

// 255 bands whatever the extent: on fewer than 255 pixels many are empty and
// a pixel shows the last band that starts on it.
TEST(Drawing, BandsCoverTheRectangleToTheFarEdge)
{
    for (int width : {255, 100, 1023}) {
        CMemoryCanvas canvas(width + 20, 3);
        CCanvasDC dc(canvas);
        CRect rect(10, 1, 10 + width, 2);
        BandFill(&dc, &rect, 0x000000, 0xFFFFFF, FALSE);
        std::set<DWORD> colours;
        for (int x = 0; x < width; ++x)
            colours.insert(canvas.At(10 + x, 1));
        EXPECT_EQ(0x123456u, canvas.At(9, 1));
        EXPECT_EQ(0x123456u, canvas.At(10 + width, 1));
        EXPECT_EQ(0x123456u, canvas.At(10, 0));
        EXPECT_EQ(Grey(254), canvas.At(10 + width - 1, 1)) << width; // the last band reaches the edge
        EXPECT_EQ(std::min(width, 255), (int)colours.size()) << width;
        if (width == 255) {
            for (int x = 0; x < 255; ++x)
                ASSERT_EQ(Grey(x), canvas.At(10 + x, 1)) << x;
        }
    }
}

TEST(Drawing, GradientStyles)
{
    CMemoryCanvas canvas(255, 511);
    CCanvasDC dc(canvas);
    CRect rect(0, 0, 255, 511);
    for (int style : {0, 4, -1}) {
        FillGradient(&dc, &rect, 0x000000, 0xFFFFFF, style);
        EXPECT_EQ(0x123456u, canvas.At(0, 0)) << style;
    }
    // Odd height: the upper part (rows 0-255) one row taller than the lower.
    FillGradient(&dc, &rect, 0x000000, 0xFFFFFF, 3);
    DWORD rows[] = {Grey(0), Grey(254), Grey(255), Grey(1)};
    int at[] = {0, 255, 256, 510};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rows[i], canvas.At(3, at[i])) << at[i];
    FillGradient(&dc, &rect, 0x0000FF, 0xFF0000, 1); // red to blue, left to right
    EXPECT_EQ(Rgb(255, 0, 0), canvas.At(0, 10));
    EXPECT_EQ(Rgb(1, 0, 254), canvas.At(254, 10));
}

TEST(Drawing, AlphaMaskWidthsAndPixels)
{
    struct Case {
        int percent;
        int width;
    } cases[] = {{33, 67}, {150, 51}, {400, 201}, {0, 1}, {100, 201}};
    for (const Case& c : cases) {
        AlphaMask mask;
        CRect rect(5, 0, 205, 4);
        ASSERT_TRUE(mask.Build(nullptr, &rect, 0x3080F0, c.percent, 0));
        EXPECT_EQ(c.width, mask.GetRect().Width()) << c.percent;
        EXPECT_EQ(c.width, mask.GetBitmap().GetSize().cx) << c.percent;
    }
    AlphaMask linear;
    CRect rect(0, 0, 200, 3);
    ASSERT_TRUE(linear.Build(nullptr, &rect, RGB(0xF0, 0x80, 0x30), 33, 0));
    const DWORD* bits = MaskBits(linear);
    ASSERT_NE(nullptr, bits);
    EXPECT_EQ(0xFFF08030u, bits[0]);
    EXPECT_EQ(0x03020100u, bits[66]); // alpha 255/67 = 3, channels c * 3 / 255
    for (int x = 0; x < 67; ++x)
        ASSERT_EQ(bits[x], bits[2 * 67 + x]);

    AlphaMask curved;
    CRect wide(0, 0, 100, 1);
    ASSERT_TRUE(curved.Build(nullptr, &wide, 0xFFFFFF, 0, 1));
    bits = MaskBits(curved);
    ASSERT_EQ(100, curved.GetRect().Width());
    EXPECT_EQ(128u, bits[0] >> 24);
    for (int x = 1; x < 100; ++x)
        ASSERT_LE(bits[x] >> 24, bits[x - 1] >> 24) << x;
    EXPECT_LE(bits[99] >> 24, 3u);
}

TEST(Drawing, AlphaMaskDrawsAndReplacesItsPicture)
{
    CMemoryCanvas canvas(80, 2, 0xFFFFFF);
    CCanvasDC dc(canvas);
    AlphaMask mask;
    CRect rect(0, 0, 200, 2);
    ASSERT_TRUE(mask.Build(&dc, &rect, RGB(0x20, 0x40, 0x80), 33, 0));
    mask.Draw(&dc, CPoint(0, 0));
    EXPECT_EQ(Rgb(0x20, 0x40, 0x80), canvas.At(0, 1));
    EXPECT_NE(0xFFFFFFu, canvas.At(66, 1));
    EXPECT_EQ(0xFFFFFFu, canvas.At(67, 1));

    // The previews blend at 191: the first column is three quarters colour.
    CMemoryCanvas preview(4, 1, 0xFFFFFF);
    CCanvasDC previewDC(preview);
    AlphaMask faint(191);
    ASSERT_TRUE(faint.Build(&previewDC, &rect, RGB(0, 0, 0), 33, 0));
    faint.Draw(&previewDC, CPoint(0, 0));
    EXPECT_NEAR(64, (int)GetRValue(preview.At(0, 0)), 2);

    // Nothing to build: no picture, and drawing leaves the canvas alone.
    LONG resources = AfxGetGdiResourceCount();
    CRect empty(10, 0, 10, 5), negative(10, 5, 0, 0), flat(0, 0, 100, 0);
    EXPECT_FALSE(mask.Build(&dc, &empty, 0, 0, 1));
    EXPECT_FALSE(mask.Build(&dc, &negative, 0, 50, 0));
    EXPECT_FALSE(mask.Build(&dc, &flat, 0, 50, 0));
    EXPECT_EQ(nullptr, mask.GetBitmap().GetSafeHandle());
    EXPECT_EQ(resources - 1, AfxGetGdiResourceCount());
    mask.Draw(&dc, CPoint(70, 0));
    EXPECT_EQ(0xFFFFFFu, canvas.At(70, 0));
    // A second picture replaces the first.
    ASSERT_TRUE(mask.Build(&dc, &rect, 0, 10, 0));
    ASSERT_TRUE(mask.Build(&dc, &rect, 0, 20, 0));
    EXPECT_EQ(resources, AfxGetGdiResourceCount());
    EXPECT_STREQ("AlphaMask", mask.GetRuntimeClassName());
}
