#include "ColorConvert.h"
#include <algorithm>

PackedHLS RGBToHLS(COLORREF color)
{
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    int high = std::max(r, std::max(g, b));
    int low = std::min(r, std::min(g, b));
    float lightness = (float)(high + low) / 510.0f;
    float hue = 0.0f, saturation = 0.0f;
    if (high != low) {
        float delta = (float)(high - low);
        float sum = (float)(high + low);
        saturation = lightness <= 0.5f ? delta / sum : delta / (510.0f - sum);
        float rc = (float)(high - r) / delta;
        float gc = (float)(high - g) / delta;
        float bc = (float)(high - b) / delta;
        // On a tie the later channel decides.
        if (r == high)
            hue = (bc + 6.0f - gc) * 60.0f;
        if (g == high)
            hue = (rc + 2.0f - bc) * 60.0f;
        if (b == high)
            hue = (gc + 4.0f - rc) * 60.0f;
        if (hue > 360.0f)
            hue -= 360.0f;
    }
    DWORD h = (DWORD)(int)(hue * 255.0f / 360.0f) & 0xFF;
    DWORD l = (DWORD)(int)(lightness * 255.0f) & 0xFF;
    DWORD s = (DWORD)(int)(saturation * 255.0f) & 0xFF;
    return h | (l << 8) | (s << 16);
}

namespace {

int Channel(float m1, float m2, float hue)
{
    if (hue > 360.0f)
        hue -= 360.0f;
    else if (hue < 0.0f)
        hue += 360.0f;
    float value;
    if (hue < 60.0f)
        value = m1 + (m2 - m1) * hue / 60.0f;
    else if (hue < 180.0f)
        value = m2;
    else if (hue < 240.0f)
        value = m1 + (m2 - m1) * (240.0f - hue) / 60.0f;
    else
        value = m1;
    return std::min(255, std::max(0, (int)(value * 255.0f)));
}

} // namespace

COLORREF HLSToRGB(PackedHLS hls)
{
    int hueByte = hls & 0xFF, lightnessByte = (hls >> 8) & 0xFF, saturationByte = (hls >> 16) & 0xFF;
    if (saturationByte == 0)
        return RGB(lightnessByte, lightnessByte, lightnessByte);
    float hue = (float)hueByte * 360.0f / 255.0f;
    float lightness = (float)lightnessByte / 255.0f;
    float saturation = (float)saturationByte / 255.0f;
    float m2 = lightness <= 0.5f ? lightness + lightness * saturation
                                 : lightness + saturation - lightness * saturation;
    float m1 = 2.0f * lightness - m2;
    return RGB(Channel(m1, m2, hue + 120.0f), Channel(m1, m2, hue), Channel(m1, m2, hue - 120.0f));
}

namespace {

int Adjusted(int value, int percent)
{
    percent = std::min(100, std::max(-100, percent));
    if (percent >= 1)
        value += (255 - value) * percent / 100;
    else if (percent < 0)
        value = (percent + 100) * value / 100;
    return value & 0xFF;
}

} // namespace

COLORREF AdjustColor(COLORREF color, int lightnessPercent, int saturationPercent)
{
    PackedHLS hls = RGBToHLS(color);
    DWORD lightness = (DWORD)Adjusted((hls >> 8) & 0xFF, lightnessPercent);
    DWORD saturation = (DWORD)Adjusted((hls >> 16) & 0xFF, saturationPercent);
    return HLSToRGB((hls & 0xFF) | (lightness << 8) | (saturation << 16));
}
