// The module's pictures and the drawing of one frame into memory.
#include <gtest/gtest.h>
#include "ClockImages.h"
#include "ClockLayout.h"
#include "ClockPixels.h"

namespace {

const DWORD Key = 0xFF00FF;
const DWORD RunningColour = Rgb(80, 240, 120);
const DWORD PausedColour = Rgb(250, 200, 40);

struct Strip {
    int id, cellWidth, cellHeight, glyphs;
};
const Strip Strips[2] = {
    {IDB_DIGITS_LARGE, LargeDigitWidth, LargeDigitHeight, LargeGlyphCount},
    {IDB_DIGITS_SMALL, SmallDigitWidth, SmallDigitHeight, SmallGlyphCount},
};

TEST(ClockPictures, SizesAndOneKeyMaskForEveryGlyph)
{
    CPixels background(LoadOwnBitmap(IDB_BACKGROUND));
    EXPECT_EQ(background.width, 165);
    EXPECT_EQ(background.height, 72);

    for (const Strip& s : Strips) {
        SCOPED_TRACE(s.id);
        CPixels strip(LoadOwnBitmap(s.id));
        ASSERT_EQ(strip.width, s.cellWidth * s.glyphs);
        ASSERT_EQ(strip.height, s.cellHeight);
        int keyPixels = 0;
        for (int y = 0; y < s.cellHeight; ++y)
            for (int x = 0; x < s.cellWidth; ++x) {
                bool key = strip.At(x, y) == Key;
                keyPixels += key;
                for (int n = 1; n < s.glyphs; ++n)
                    ASSERT_EQ(strip.At(n * s.cellWidth + x, y) == Key, key)
                        << "glyph " << n << " at " << x << "," << y;
            }
        // Segments and gaps both exist.
        EXPECT_GT(keyPixels, 0);
        EXPECT_LT(keyPixels, s.cellWidth * s.cellHeight);
        // Each digit has its own look.
        for (int a = 0; a < s.glyphs; ++a)
            for (int b = a + 1; b < s.glyphs; ++b) {
                bool same = true;
                for (int y = 0; y < s.cellHeight && same; ++y)
                    for (int x = 0; x < s.cellWidth && same; ++x)
                        same = strip.At(a * s.cellWidth + x, y) == strip.At(b * s.cellWidth + x, y);
                EXPECT_FALSE(same) << "glyphs " << a << " and " << b;
            }
    }

    // The blank small digit has no lit pixel: all its segment pixels look
    // like the unlit segments of the digit 1's top bar.
    CPixels small(LoadOwnBitmap(IDB_DIGITS_SMALL));
    DWORD unlit = small.At(SmallDigitWidth + SmallDigitWidth / 2, 1);
    for (int y = 0; y < SmallDigitHeight; ++y)
        for (int x = 0; x < SmallDigitWidth; ++x) {
            DWORD p = small.At(10 * SmallDigitWidth + x, y);
            EXPECT_TRUE(p == Key || p == unlit) << x << "," << y;
        }
}

class ClockRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(images.Load(GetModuleHandleW(nullptr)));
        ASSERT_TRUE(images.CreateDCs(nullptr));
    }
    CClockImages images;
};

TEST_F(ClockRender, GlyphsDrawnOverOthersReplaceThemAndTheIconFollowsTheState)
{
    CDigitSlots slots;
    for (int i = 0; i < DigitSlotCount; ++i)
        slots.Set(i, 8);
    RECT iconRect = StateIconRect(165);
    CMemoryCanvas first(165, 72);
    images.Render(first.dc, slots, images.Icon(StateRunning), iconRect);
    EXPECT_EQ(first.At(iconRect.left + 9, iconRect.top + 7), RunningColour);

    // Blank top row and ones elsewhere, drawn over the eights kept on the
    // background image, look exactly like a fresh drawing of them.
    for (int i = 0; i < DigitSlotCount; ++i)
        slots.Set(i, i >= 6 ? BlankGlyph : 1);
    CMemoryCanvas second(165, 72);
    images.Render(second.dc, slots, images.Icon(StatePaused), iconRect);
    CClockImages fresh;
    ASSERT_TRUE(fresh.Load(GetModuleHandleW(nullptr)));
    ASSERT_TRUE(fresh.CreateDCs(nullptr));
    CMemoryCanvas third(165, 72);
    fresh.Render(third.dc, slots, images.Icon(StatePaused), iconRect);
    int differences = 0;
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 165; ++x)
            differences += second.At(x, y) != third.At(x, y);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(second.At(iconRect.left + 4, iconRect.top + 7), PausedColour);
}

} // namespace
