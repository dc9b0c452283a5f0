// The band selection with the middle mouse button ("Ziravirura") of one file
// list. A press starts an own modal loop with the mouse captured and the
// cursor confined to the list; the band follows the pointer, the list
// scrolls while the band touches its edge, and the release selects,
// deselects or toggles the rows between the press and the release. With
// Alt in a multi-column list the drag sets the column width instead; in the
// thumbnail view the band clicks every covered thumbnail with the right button.
#pragma once
#include <windows.h>
#include <memory>
#include <vector>
#include "Framework.h"

class CEngineContext;
class CTracktorList;
class CTracktorWnd;

// Modifier bits of TrackBand's result.
const UINT BandShift = 0x10000;
const UINT BandControl = 0x20000;

class CTCTracktor : public CObject {
    DECLARE_DYNAMIC(CTCTracktor)
public:
    CTCTracktor(CEngineContext& engine, CTracktorList& list);
    ~CTCTracktor() override;
    CTCTracktor(const CTCTracktor&) = delete;
    CTCTracktor& operator=(const CTCTracktor&) = delete;

    // The list's WM_MBUTTONDOWN at a client point; false when the press
    // belongs to the host.
    bool StartZiravirura(POINT point);
    bool IsTracking() const { return m_tracking; }
    // The list's WM_MBUTTONUP while tracking: ends the loop.
    void EndZiravirura();

    // Runs the band from `point` (client coordinates) anchored on
    // `startRow`: 0 when no rectangle was made, else 1 plus BandShift and
    // BandControl for the modifiers held at the end.
    UINT TrackBand(POINT point, int startRow);
    // The normalised band of the last run, in client coordinates.
    const RECT& Band() const { return m_rect; }
    // The release point of the last run, in client coordinates.
    POINT EndPoint() const { return m_current; }

    // The clicks of the thumbnail view for a band: the point of each cell
    // covered, row by row. Empty when the list is narrower than one cell.
    static std::vector<POINT> ThumbnailCells(const RECT& band, const RECT& topRow, int rowHeight, int cellWidth);

private:
    struct Metrics {
        RECT client;
        int height;     // item height
        int count;
        int perColumn;  // rows per column, at least 1
    };
    bool ReadMetrics(Metrics& m) const;
    // The row under a point; below the last row, counted on as if the
    // column went on.
    int StartRowAt(POINT point, const Metrics& m) const;
    // The place of `row` as row 0's rectangle tells (moves with scrolling).
    POINT RowReference(int row) const;
    bool RunColumnMode(POINT point, const Metrics& m);
    void ClickThumbnails(const Metrics& m);
    // The loop; true when a rectangle was made.
    bool RunLoop(POINT anchor);
    void OnBandChanged();
    void AutoScroll();
    void DrawBand();

    CEngineContext& m_engine;
    CTracktorList& m_list;
    std::unique_ptr<CTracktorWnd> m_band;
    BOOL m_autoScroll = TRUE;
    COLORREF m_color = 0xC4C400;
    int m_opacity = 64;
    int m_columnMode = 0;   // 1, then the current width, while Alt sets the column width
    int m_startRow = 0;
    POINT m_startOffset = {};
    POINT m_anchor = {}, m_current = {};
    RECT m_rect = {};
    HWND m_window = nullptr;
    bool m_tracking = false;
};
