// The clock's pictures: the background (on which the digits are drawn and
// kept), the large and small digit strips in memory device contexts, and the
// three state icons; and the drawing of one frame.
#pragma once
#include <windows.h>
#include "Stopwatch.h"

class CClockImages
{
public:
    CClockImages();
    ~CClockImages();

    // Loads the bitmaps and icons of the module instance; false when one is missing.
    bool Load(HINSTANCE instance);
    // Size of the background bitmap (0 x 0 before Load).
    SIZE Size() const { return m_size; }
    HICON Icon(StopwatchState state) const;

    // Memory device contexts compatible with the given one (null: the screen).
    bool CreateDCs(HDC reference);
    void DeleteDCs();
    bool HasDCs() const { return m_dcBackground != nullptr; }

    // Draws the slots' glyphs onto the background image, copies the image to
    // the target at (0, 0), and draws the icon at the icon rectangle.
    void Render(HDC target, const CDigitSlots& slots, HICON icon, const RECT& iconRect) const;

    void Free();

private:
    CClockImages(const CClockImages&) = delete;
    CClockImages& operator=(const CClockImages&) = delete;

    HBITMAP m_background, m_large, m_small;
    HICON m_icons[3]; // by StopwatchState
    SIZE m_size;
    HDC m_dcBackground, m_dcLarge, m_dcSmall;
    HGDIOBJ m_oldBackground, m_oldLarge, m_oldSmall;
};
