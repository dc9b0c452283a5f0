// Colour conversions with the values their single-precision, truncating
// arithmetic gives.
#include <gtest/gtest.h>
#include <cstdlib>
#include "ColorConvert.h"

TEST(Colors, ConversionsAndAdjustments)
{
    struct Case {
        COLORREF color;
        PackedHLS hls;
        COLORREF back;
        COLORREF darker;  // AdjustColor -40
        COLORREF lighter; // AdjustColor +40
    } cases[] = {
        {0x0000FF, 0x00FF7FFF, 0x0000FE, 0x000098, 0x6565FF}, // hue 360 degrees stays 255
        {0x00FF00, 0x00FF7F55, 0x00FE00, 0x009800, 0x65FF65},
        {0xFF0000, 0x00FF7FAA, 0xFE0000, 0x980000, 0xFF6565},
        {0xFFFFFF, 0x0000FF00, 0xFFFFFF, 0x999999, 0xFFFFFF},
        {0x000000, 0x00000000, 0x000000, 0x000000, 0x666666}, // lightness 0 -> 102
        {0x808080, 0x00008000, 0x808080, 0x4C4C4C, 0xB2B2B2},
        {0x00FFFF, 0x00FF7F2A, 0x00FBFE, 0, 0},               // red/green tie: green decides
        {0xE696E6, 0x009CBED4, 0xE596E4, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.hls, RGBToHLS(c.color)) << std::hex << c.color;
        EXPECT_EQ(c.back, HLSToRGB(c.hls)) << std::hex << c.color;
        if (c.darker || c.lighter) {
            EXPECT_EQ(c.darker, AdjustColor(c.color, -40, 0)) << std::hex << c.color;
            EXPECT_EQ(c.lighter, AdjustColor(c.color, 40, 0)) << std::hex << c.color;
        }
    }
    // Saturation 0 is the grey of the lightness whatever the hue; percentages
    // beyond 100 act as 100 instead of wrapping.
    EXPECT_EQ(0x373737u, HLSToRGB(0x000037C5));
    EXPECT_EQ(AdjustColor(0x336699, 100, 0), AdjustColor(0x336699, 250, 0));
    EXPECT_EQ(AdjustColor(0x336699, -100, -100), AdjustColor(0x336699, -300, -1000));
    EXPECT_EQ(0xFFFFFFu, AdjustColor(0x336699, 100, 0));
}

// Hue has 256 steps for 360 degrees: a truncated step moves a steep channel
// by up to about 6, and lightness truncation adds to that.
TEST(Colors, RoundTripStaysClose)
{
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                COLORREF back = HLSToRGB(RGBToHLS(RGB(r, g, b)));
                ASSERT_LE(std::abs(GetRValue(back) - r), 8) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(GetGValue(back) - g), 8) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(GetBValue(back) - b), 8) << r << "," << g << "," << b;
            }
}
