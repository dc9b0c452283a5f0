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
    int shift = 0;
    if (m_layout != LayoutMultiColumn && m_layout != LayoutUnclassified &&
        (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_HSCROLL))
        shift = ::GetScrollPos(m_hWnd, SB_HORZ);
    ::BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, *m_backgroundDC,
             shift % std::max(1, (int)m_backgroundSize.cx), 0, SRCCOPY);
    return TRUE;
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
