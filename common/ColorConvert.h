// Colour conversions between COLORREF (red in the low byte) and a packed
// hue-lightness-saturation value on a 0..255 scale, and lightening or
// darkening by percent. Single-precision arithmetic; every conversion to an
// integer truncates, so a round trip may differ by one.
#pragma once
#include <windows.h>

// Hue in bits 0-7 (0..255 for 0..360 degrees), lightness in bits 8-15,
// saturation in bits 16-23.
typedef DWORD PackedHLS;

PackedHLS RGBToHLS(COLORREF color);
COLORREF HLSToRGB(PackedHLS hls);

// Lightness and saturation moved by percent (-100..100, clamped): a positive
// percent moves that part of the way to 255, a negative one keeps
// (100 + percent) % of it. The hue is kept.
COLORREF AdjustColor(COLORREF color, int lightnessPercent, int saturationPercent);
