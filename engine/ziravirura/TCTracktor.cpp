#include "TCTracktor.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "TracktorList.h"
#include "TracktorWnd.h"
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CTCTracktor, CObject)

namespace {

// Layouts of the file list the band knows.
const UINT LayoutMultiColumn = 0;
const UINT LayoutLastWithRows = 4;
const UINT LayoutThumbnails = 5;
// The column-width mode keeps this much of the list's left side.
const int ColumnModeMargin = 50;

// Frees the cursor, the capture and the band on every way out of the loop.
class CTrackGuard {
public:
    CTrackGuard(HWND window, const RECT& clip, std::unique_ptr<CTracktorWnd>& band) : m_window(window), m_band(band)
    {
        RECT screen = clip;
        ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&screen), 2);
        ::ClipCursor(&screen);
    }
    ~CTrackGuard()
    {
        if (::GetCapture() == m_window)
            ::ReleaseCapture();
        ::ClipCursor(nullptr);
        if (m_band) {
            m_band->DestroyWindow();
            m_band.reset();
        }
    }
    CTrackGuard(const CTrackGuard&) = delete;
    CTrackGuard& operator=(const CTrackGuard&) = delete;

private:
    HWND m_window;
    std::unique_ptr<CTracktorWnd>& m_band;
};

RECT Normalised(POINT a, POINT b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

POINT Clamped(POINT p, const RECT& r)
{
    p.x = std::max(r.left, std::min(p.x, r.right - 1));
    p.y = std::max(r.top, std::min(p.y, r.bottom - 1));
    return p;
}

} // namespace

CTCTracktor::CTCTracktor(CEngineContext& engine, CTracktorList& list) : m_engine(engine), m_list(list) {}

CTCTracktor::~CTCTracktor()
{
    if (m_band)
        m_band->DestroyWindow();
}

bool CTCTracktor::ReadMetrics(Metrics& m) const
{
    HWND list = m_list.ListWindow();
    if (!list || !::GetClientRect(list, &m.client))
        return false;
    m.height = (int)::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    m.count = (int)::SendMessageW(list, LB_GETCOUNT, 0, 0);
    if (m.height <= 0 || m.count <= 0)
        return false;
    // A list shorter than one row has no rows per column: the press stays the host's.
    m.perColumn = (m.client.bottom - m.client.top) / m.height;
    return m.perColumn >= 1;
}

int CTCTracktor::StartRowAt(POINT point, const Metrics& m) const
{
    bool outside = false;
    int row = m_list.RowAtPoint(point, &outside);
    if (!outside)
        return row;
    return point.y / m.height - m.count % m.perColumn + m.count;
}

POINT CTCTracktor::RowReference(int row) const
{
    HWND list = m_list.ListWindow();
    RECT first = {};
    m_list.RowRect(0, &first);
    int height = first.bottom - first.top, width = first.right - first.left;
    if (m_list.ListLayout() != LayoutMultiColumn)
        return {first.left, first.top + row * height};
    RECT client;
    ::GetClientRect(list, &client);
    int perColumn = height > 0 ? std::max(1, (int)(client.bottom - client.top) / height) : 1;
    return {first.left + row / perColumn * width, first.top + row % perColumn * height};
}

bool CTCTracktor::StartZiravirura(POINT point)
{
    Metrics m;
    if (IsTracking() || !ReadMetrics(m))
        return false;
    const EngineSettings& settings = m_engine.Settings();
    int start = StartRowAt(point, m);
    if (m_list.KeyDown(VK_LMENU) || m_list.KeyDown(VK_RMENU))
        return RunColumnMode(point, m);
    UINT layout = m_list.ListLayout();
    bool thumbnails = layout == LayoutThumbnails && m_engine.Host().useRightButton;
    if (!settings.Ziravirura || (layout > LayoutLastWithRows && !thumbnails))
        return false;
    RECT topRow = {};
    if (thumbnails) {
        m_list.RowRect(m_list.TopRowIndex(), &topRow);
        // Narrower than one thumbnail: nothing to click, the press stays the host's.
        if (topRow.right - topRow.left < m_engine.Host().thumbWidthNoCache + 6)
            return false;
    }
    m_color = settings.RetrColor;
    m_opacity = std::max(0, std::min(255, settings.RetrOpacity));
    UINT result = 0;
    {
        CTrackGuard guard(m_list.ListWindow(), m.client, m_band);
        result = TrackBand(point, start);
    }
    if (!result)
        return true;
    if (thumbnails) {
        ClickThumbnails(m);
        return true;
    }
    int end = StartRowAt(Clamped(m_current, m.client), m);
    if (layout == LayoutMultiColumn) {
        int firstColumn = std::min(start, end) / m.perColumn, lastColumn = std::max(start, end) / m.perColumn;
        int firstPlace = std::min(start % m.perColumn, end % m.perColumn);
        int lastPlace = std::max(start % m.perColumn, end % m.perColumn);
        start = firstColumn * m.perColumn + firstPlace;
        end = lastColumn * m.perColumn + lastPlace;
    }
    HWND list = m_list.ListWindow();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    m_list.SelectRowRange(start, end, m.perColumn, result & (BandShift | BandControl));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
}

bool CTCTracktor::RunColumnMode(POINT point, const Metrics& m)
{
    if (m_list.ListLayout() != LayoutMultiColumn || !m_engine.Settings().ChangeColumns)
        return false;
    m_color = m_engine.Settings().RetrColor;
    m_opacity = std::max(0, std::min(255, m_engine.Settings().RetrOpacity));
    RECT clip = m.client;
    clip.left = std::min(clip.right - 1, clip.left + ColumnModeMargin);
    m_columnMode = 1;
    UINT result = 0;
    {
        CTrackGuard guard(m_list.ListWindow(), clip, m_band);
        result = TrackBand(point, 0);
    }
    int width = m_current.x - m.client.left;
    m_columnMode = 0;
    if (result && width > 0)
        m_list.SetColumnsWidth(width);
    return true;
}

void CTCTracktor::EndZiravirura()
{
    if (::GetCapture() == m_window)
        ::ReleaseCapture();
}

UINT CTCTracktor::TrackBand(POINT point, int startRow)
{
    m_rect = {};
    m_startRow = startRow;
    POINT reference = RowReference(startRow);
    m_startOffset = {point.x - reference.x, point.y - reference.y};
    m_window = m_list.ListWindow();
    POINT screen = point;
    ::ClientToScreen(m_window, &screen);
    m_band.reset(new CTracktorWnd(m_color, m_opacity));
    if (!m_band->CreateBand(screen))
        m_band.reset();
    bool made = RunLoop(point);
    if (m_band) {
        m_band->DestroyWindow();
        m_band.reset();
    }
    if (!made)
        return 0;
    UINT result = 1;
    if (m_list.KeyDown(VK_SHIFT))
        result |= BandShift;
    if (m_list.KeyDown(VK_CONTROL))
        result |= BandControl;
    return result;
}

bool CTCTracktor::RunLoop(POINT anchor)
{
    m_anchor = m_current = anchor;
    bool cancelled = false;
    m_tracking = true;
    ::SetCapture(m_window);
    while (::GetCapture() == m_window && ::IsWindow(m_window)) {
        MSG msg;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam); // the owner's loop sees it too
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            if (msg.hwnd != m_window)
                break;
            m_current = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            OnBandChanged();
            continue;
        case WM_MBUTTONUP:
            if (msg.hwnd == m_window)
                m_current = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                cancelled = true;
                ::ReleaseCapture();
                continue;
            }
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (msg.message == WM_MBUTTONUP && ::GetCapture() == m_window)
            ::ReleaseCapture(); // the release ends the band wherever it went
    }
    m_tracking = false;
    m_rect = Normalised(m_anchor, m_current);
    return !cancelled && (m_columnMode ? m_current.x != anchor.x
                                       : m_rect.right > m_rect.left || m_rect.bottom > m_rect.top);
}

void CTCTracktor::OnBandChanged()
{
    DrawBand();
    if (m_autoScroll)
        AutoScroll();
}

void CTCTracktor::DrawBand()
{
    RECT client;
    ::GetClientRect(m_window, &client);
    RECT band = Normalised(m_anchor, m_current);
    if (m_columnMode) {
        band = {client.left, client.top, std::max(client.left, m_current.x), client.bottom};
        m_columnMode = std::max(1, (int)(m_current.x - client.left));
    }
    m_rect = band;
    if (!m_band)
        return;
    ::MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&band), 2);
    m_band->ShowBand(band);
}

void CTCTracktor::AutoScroll()
{
    if (m_columnMode)
        return;
    RECT client;
    ::GetClientRect(m_window, &client);
    bool columns = m_list.ListLayout() == LayoutMultiColumn;
    int edge = columns ? m_current.x : m_current.y;
    int last = columns ? client.right - 1 : client.bottom - 1;
    int width = client.right - client.left;
    int step = !columns && width - m_current.x < width / 4 ? 10 : 1;
    bool scrolled = false;
    if (edge >= last)
        scrolled = m_list.ScrollRows(step);
    else if (edge <= 0)
        scrolled = m_list.ScrollRows(-step);
    if (!scrolled)
        return;
    // The band stays anchored on its start row.
    POINT reference = RowReference(m_startRow);
    m_anchor = Clamped({reference.x + m_startOffset.x, reference.y + m_startOffset.y}, client);
    DrawBand();
}

std::vector<POINT> CTCTracktor::ThumbnailCells(const RECT& band, const RECT& topRow, int rowHeight, int cellWidth)
{
    std::vector<POINT> cells;
    int rowWidth = topRow.right - topRow.left;
    int perRow = cellWidth > 0 ? rowWidth / cellWidth : 0;
    if (perRow < 1 || rowHeight <= 0)
        return cells;
    int step = cellWidth + rowWidth % cellWidth / perRow;
    int rows = (band.bottom - topRow.top) / rowHeight - (band.top - topRow.top) / rowHeight;
    int columns = (band.right - topRow.left) / step - (band.left - topRow.left) / step;
    for (int r = 0; r <= rows; ++r)
        for (int j = 0; j <= columns; ++j)
            cells.push_back({band.left + j * step, band.top + r * rowHeight});
    return cells;
}

void CTCTracktor::ClickThumbnails(const Metrics& m)
{
    HWND list = m_list.ListWindow();
    RECT topRow = {};
    m_list.RowRect(m_list.TopRowIndex(), &topRow);
    for (POINT cell : ThumbnailCells(m_rect, topRow, m.height, m_engine.Host().thumbWidthNoCache + 6)) {
        LPARAM at = MAKELPARAM(cell.x, cell.y);
        ::SendMessageW(list, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        ::SendMessageW(list, WM_RBUTTONUP, 0, at);
    }
}
