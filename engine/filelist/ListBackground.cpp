// The list's background: a picture tiled under the rows, or a folder rule's
// colours. The tiled bitmap is built once per picture and serves every
// erase and every composed row.
#include "TCFileList.h"
#include "BitmapEx.h"
#include "ColorConvert.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "RowMarks.h"

namespace {

// The rule's second row colour: its lightness 10 steps (of 255) away.
COLORREF SecondRuleColor(COLORREF color)
{
    PackedHLS hls = RGBToHLS(color);
    int lightness = (hls >> 8) & 0xFF;
    lightness = lightness <= 10 ? lightness + 10 : lightness - 10;
    return HLSToRGB((hls & ~(PackedHLS)0xFF00) | ((PackedHLS)lightness << 8));
}

} // namespace

LRESULT CTCFileList::OnEraseBkgnd(WPARAM wParam)
{
    return EraseListBackground((HDC)wParam) ? 1 : Default();
}

BOOL CTCFileList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The rows are owner-drawn on the engine's background; this brush serves
    // what the list box paints itself.
    if (message == WM_CTLCOLORLISTBOX && HasBackgroundPicture() && m_backgroundBrush) {
        *result = (LRESULT)(HBRUSH)*m_backgroundBrush;
        return TRUE;
    }
    return CPanelWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CTCFileList::EraseListBackground(HDC dc)
{
    bool picture = HasBackgroundPicture() && m_background;
    if (!picture && m_ruleBackColor == ColorNone)
        return FALSE;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!picture) {
        CDC target;
        target.Attach(dc);
        target.FillSolidRect(&client, m_ruleBackColor);
        target.Detach();
        return TRUE;
    }
    POINT device = {client.left, client.top};
    ::LPtoDP(dc, &device, 1);
    TileBackground(dc, client, device.x + HorizontalShift(), 0);
    return TRUE;
}

int CTCFileList::HorizontalShift() const
{
    if (m_layout == LayoutMultiColumn || m_layout == LayoutUnclassified ||
        !(::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_HSCROLL))
        return 0;
    return ::GetScrollPos(m_hWnd, SB_HORZ);
}

void CTCFileList::TileBackground(HDC dc, const RECT& area, int x, int y) const
{
    // The background bitmap repeats the picture from its top-left corner, so
    // a point of the picture lies at any place modulo the picture's size.
    int periodX = std::min(m_pictureSize.cx, m_backgroundSize.cx);
    int periodY = std::min(m_pictureSize.cy, m_backgroundSize.cy);
    if (!m_backgroundDC || periodX <= 0 || periodY <= 0)
        return;
    int width = area.right - area.left, height = area.bottom - area.top;
    int sy = (y % periodY + periodY) % periodY;
    for (int top = 0; top < height;) {
        int rows = std::min(height - top, (int)m_backgroundSize.cy - sy);
        int sx = (x % periodX + periodX) % periodX;
        for (int left = 0; left < width;) {
            int columns = std::min(width - left, (int)m_backgroundSize.cx - sx);
            ::BitBlt(dc, area.left + left, area.top + top, columns, rows, *m_backgroundDC, sx, sy, SRCCOPY);
            left += columns;
            sx = (sx + columns) % periodX;
        }
        top += rows;
        sy = (sy + rows) % periodY;
    }
}

BOOL CTCFileList::SetBackgroundPicture(LPCWSTR path)
{
    WCHAR expanded[1024] = {};
    if (!path || !::ExpandEnvironmentStringsW(path, expanded, 1024) || !expanded[0])
        return FALSE;
    if (m_backgroundPicture.CompareNoCase(expanded) == 0)
        return TRUE;
    CBitmapEx picture;
    if (!picture.LoadPicture(expanded))
        return FALSE;
    std::unique_ptr<CBrush> brush(new CBrush);
    if (!brush->CreatePatternBrush(&picture))
        return FALSE;
    const EngineSettings& settings = m_engine.Settings();
    int width = settings.CustomScreenX > 0 ? settings.CustomScreenX : ::GetSystemMetrics(SM_CXSCREEN);
    int height = settings.CustomScreenY > 0 ? settings.CustomScreenY : ::GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<CBitmap> background(new CBitmap);
    CDC screen, tiles;
    screen.Attach(::GetDC(nullptr));
    bool built = tiles.CreateCompatibleDC(&screen) && background->CreateCompatibleBitmap(&screen, width, height);
    ::ReleaseDC(nullptr, screen.Detach());
    if (!built)
        return FALSE;
    tiles.SelectObject(background.get());
    RECT all = {0, 0, width, height};
    tiles.FillRect(&all, brush.get());
    ClearBackground();
    m_backgroundBrush = std::move(brush);
    m_background = std::move(background);
    // The tiled bitmap stays selected for every erase and every row.
    m_backgroundDC.reset(new CDC);
    m_backgroundDC->Attach(tiles.Detach());
    m_backgroundSize = {width, height};
    m_pictureSize = {picture.GetWidth(), picture.GetHeight()};
    m_backgroundPicture = expanded;
    return TRUE;
}

void CTCFileList::ClearBackground()
{
    if (m_backgroundDC)
        ::DeleteDC(m_backgroundDC->Detach());
    m_backgroundDC.reset();
    m_background.reset();
    m_backgroundBrush.reset();
    m_backgroundSize = {};
    m_pictureSize = {};
    m_backgroundPicture.Empty();
}

CString CTCFileList::ResolveRulePath(const CString& path) const
{
    // ".\x" and "\x" name places in the current folder and on its drive.
    if (path.IsEmpty() || m_folder.IsEmpty())
        return path;
    if (path[0] == L'.')
        return m_folder + L"\\" + path;
    if (path[0] == L'\\' && (path.GetLength() < 2 || path[1] != L'\\'))
        return m_folder.Left(2) + path;
    return path;
}

void CTCFileList::ApplyRuleBackground(const CRuleBackground* rule)
{
    m_backgroundApplied = TRUE;
    m_ruleBackColor = rule ? rule->backColor : ColorNone;
    m_ruleBackColor2 = m_ruleBackColor;
    if (m_ruleBackColor == ColorNone) {
        const CString paths[] = {rule ? ResolveRulePath(rule->picture) : CString(),
                                 ResolveRulePath(m_engine.Settings().BkgFile)};
        for (const CString& path : paths)
            if (!path.IsEmpty() && SetBackgroundPicture(path))
                return;
        ClearBackground();
        return;
    }
    ClearBackground();
    const HostValues& host = m_engine.Host();
    if (host.backColor != host.backColor2)
        m_ruleBackColor2 = SecondRuleColor(m_ruleBackColor);
}
