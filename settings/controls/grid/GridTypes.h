// Cell coordinates, ranges, cell state bits and the records the grid sends
// to its owner.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "Framework.h"

// Cell state bits.
enum GridCellState : DWORD
{
    CellFocused = 0x01,
    CellSelected = 0x02,
    CellHighlighted = 0x04, // drawn like the focus cell
    CellReadOnly = 0x08,
    CellFixed = 0x10,
    CellFixedRow = 0x20,
    CellFixedColumn = 0x40,
    CellModified = 0x80,
};

// Grid lines.
enum GridLines
{
    GridLinesNone = 0,
    GridLinesHorizontal = 1,
    GridLinesVertical = 2,
    GridLinesBoth = 3,
};

// Which rows FitColumnWidth measures.
enum GridFitRows
{
    FitFixedRows = 1,
    FitDataRows = 2,
    FitAllRows = 3,
};

// What the left mouse button is doing (or would do) in the grid.
enum MouseMode
{
    MouseNothing = 0,
    MouseSelectAll = 1,     // a press in the top-left fixed corner
    MouseSelectColumns = 2, // a press in a fixed row
    MouseSelectRows = 3,    // a press in a fixed column, or a cell in list mode
    MouseSelectCells = 4,
    MouseOverRowDivide = 6, // hovering a row divider
    MouseSizingRow = 7,
    MouseOverColDivide = 8, // hovering a column divider
    MouseSizingCol = 9,
    MousePrepareEdit = 10, // a press on the focus cell, edited at release
};

// The control id of every in-place editor (a child of the grid).
const UINT InPlaceControlId = 8;
// Added to the key that starts an edit when the grid restarts editing after
// a keyboard move (Tab, a page or arrow key): the key is then not typed. A
// typed character never carries it, so blank and ! " # $ % & ' ( (the codes
// of VK_SPACE and VK_PRIOR to VK_DOWN) are typed.
const UINT GridMoveRestart = 0x10000;
// The timer that scrolls while a selection is dragged out of the grid.
const UINT_PTR AutoScrollTimer = 513;

// Fields of GridItemRecord that the receiver of a request should fill.
enum GridItemMask : UINT
{
    GridMaskText = LVIF_TEXT,
    GridMaskImage = LVIF_IMAGE,
    GridMaskParam = LVIF_PARAM, // the user value
    GridMaskState = LVIF_STATE,
    GridMaskAll = 0xFFFFFFFFu,
};

class CCellID
{
public:
    int row;
    int col;

    CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CCellID& o) const { return !(*this == o); }
};

// A rectangle of cells, bounds inclusive; -1 everywhere is "none".
class CellRange
{
public:
    int minRow;
    int minCol;
    int maxRow;
    int maxCol;

    CellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
        : minRow(nMinRow), minCol(nMinCol), maxRow(nMaxRow), maxCol(nMaxCol) {}
    bool IsValid() const { return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
    bool InRange(int row, int col) const { return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol; }
    bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }
};

// WM_NOTIFY record of the grid (wParam: the grid's control id).
struct GridNotifyRecord
{
    NMHDR hdr;
    int row;
    int col;
};

// One cell's contents, as a virtual grid's owner supplies them.
struct GridItemRecord
{
    int row;
    int col;
    UINT mask;
    DWORD state;
    UINT format;      // DrawText flags
    int image;        // -1: none
    COLORREF background;
    COLORREF textColour;
    int userValue;
    LOGFONTW font;
    UINT margin;
    CString text;
};

// The display-info request (LVN_GETDISPINFOW) and the end-of-edit record
// (LVN_ENDLABELEDITW).
struct GridDisplayInfo
{
    NMHDR hdr;
    GridItemRecord item;
};

// The visible non-fixed cells of a virtual grid, before it draws them
// (LVN_ODCACHEHINT).
struct GridCacheHint
{
    NMHDR hdr;
    CellRange range;
};

// Fills a virtual grid's cell instead of a LVN_GETDISPINFOW request;
// return value ignored.
typedef BOOL(CALLBACK* GridCallback)(GridDisplayInfo* pInfo, LPARAM lParam);
