#include "ClockImages.h"
#include "ClockLayout.h"
#include "resource.h"

CClockImages::CClockImages()
    : m_background(nullptr), m_large(nullptr), m_small(nullptr), m_icons{}, m_size{0, 0},
      m_dcBackground(nullptr), m_dcLarge(nullptr), m_dcSmall(nullptr),
      m_oldBackground(nullptr), m_oldLarge(nullptr), m_oldSmall(nullptr)
{
}

CClockImages::~CClockImages()
{
    Free();
}

static HBITMAP LoadDib(HINSTANCE instance, int id)
{
    // A DIB section keeps the file's exact colours, so the key colour matches.
    return (HBITMAP)LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

bool CClockImages::Load(HINSTANCE instance)
{
    Free();
    m_background = LoadDib(instance, IDB_BACKGROUND);
    m_small = LoadDib(instance, IDB_DIGITS_SMALL);
    m_large = LoadDib(instance, IDB_DIGITS_LARGE);
    const int iconIds[3] = {IDI_STOPPED, IDI_RUNNING, IDI_PAUSED};
    for (int i = 0; i < 3; ++i)
        m_icons[i] = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(iconIds[i]), IMAGE_ICON,
                                       StateIconSize, StateIconSize, 0);
    BITMAP bm;
    if (m_background && GetObjectW(m_background, sizeof(bm), &bm)) {
        m_size.cx = bm.bmWidth;
        m_size.cy = bm.bmHeight;
    }
    return m_background && m_small && m_large && m_icons[0] && m_icons[1] && m_icons[2];
}

HICON CClockImages::Icon(StopwatchState state) const
{
    int i = (int)state;
    return (i >= 0 && i < 3) ? m_icons[i] : nullptr;
}

bool CClockImages::CreateDCs(HDC reference)
{
    DeleteDCs();
    if (!m_background || !m_large || !m_small)
        return false;
    m_dcBackground = CreateCompatibleDC(reference);
    m_dcLarge = CreateCompatibleDC(reference);
    m_dcSmall = CreateCompatibleDC(reference);
    if (!m_dcBackground || !m_dcLarge || !m_dcSmall) {
        DeleteDCs();
        return false;
    }
    m_oldBackground = SelectObject(m_dcBackground, m_background);
    m_oldLarge = SelectObject(m_dcLarge, m_large);
    m_oldSmall = SelectObject(m_dcSmall, m_small);
    return true;
}

void CClockImages::DeleteDCs()
{
    struct { HDC* dc; HGDIOBJ* old; } dcs[3] = {
        {&m_dcBackground, &m_oldBackground}, {&m_dcLarge, &m_oldLarge}, {&m_dcSmall, &m_oldSmall}};
    for (auto& d : dcs) {
        if (*d.dc) {
            if (*d.old)
                SelectObject(*d.dc, *d.old);
            DeleteDC(*d.dc);
        }
        *d.dc = nullptr;
        *d.old = nullptr;
    }
}

void CClockImages::Render(HDC target, const CDigitSlots& slots, HICON icon, const RECT& iconRect) const
{
    if (m_dcBackground) {
        for (int i = 0; i < DigitSlotCount; ++i) {
            const DigitPlace& place = DigitPlaces[i];
            int glyph = slots.Get(i);
            int width = place.large ? LargeDigitWidth : SmallDigitWidth;
            int height = place.large ? LargeDigitHeight : SmallDigitHeight;
            int count = place.large ? LargeGlyphCount : SmallGlyphCount;
            if (glyph >= count)
                continue;
            TransparentBlt(m_dcBackground, place.x, place.y, width, height,
                           place.large ? m_dcLarge : m_dcSmall, glyph * width, 0, width, height,
                           ClockKeyColor);
        }
        BitBlt(target, 0, 0, m_size.cx, m_size.cy, m_dcBackground, 0, 0, SRCCOPY);
    }
    if (icon)
        DrawIconEx(target, iconRect.left, iconRect.top, icon, StateIconSize, StateIconSize, 0,
                   nullptr, DI_NORMAL);
}

void CClockImages::Free()
{
    DeleteDCs();
    HBITMAP* bitmaps[3] = {&m_background, &m_large, &m_small};
    for (HBITMAP* b : bitmaps) {
        if (*b)
            DeleteObject(*b);
        *b = nullptr;
    }
    for (HICON& icon : m_icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
    m_size.cx = m_size.cy = 0;
}
