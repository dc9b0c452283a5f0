// What the grid tests share: an owner window that records what the
// grid tells it, a grid with its protected state in reach, an invariant
// check and a 32-bit canvas to draw cells into.
#pragma once

#include "GridCtrl.h"
#include "GridCellCombo.h"
#include <gtest/gtest.h>
#include <vector>
#include "PumpMessages.h"

// The notification codes as the records carry them.
const int kClick = (int)NM_CLICK;
const int kChanging = (int)LVN_ITEMCHANGING;
const int kChanged = (int)LVN_ITEMCHANGED;
const int kCacheHint = (int)LVN_ODCACHEHINT;
const int kDisplayInfo = (int)LVN_GETDISPINFOW;

struct GridNote
{
    int code;
    int row;
    int col;
    bool operator==(const GridNote& o) const { return code == o.code && row == o.row && col == o.col; }
};

inline std::ostream& operator<<(std::ostream& os, const GridNote& n)
{
    return os << "{" << n.code << "," << n.row << "," << n.col << "}";
}

// The grid's owner: records WM_NOTIFY and WM_COMMAND and answers display
// requests with "row,col".
class CRecorder : public CWnd
{
public:
    std::vector<GridNote> notes;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    CellRange lastHint;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_NOTIFY) {
            auto* rec = reinterpret_cast<GridNotifyRecord*>(lParam);
            int code = (int)rec->hdr.code;
            if (code == kDisplayInfo) {
                auto* info = reinterpret_cast<GridDisplayInfo*>(lParam);
                info->item.text.Format(L"%d,%d", info->item.row, info->item.col);
                notes.push_back({ code, info->item.row, info->item.col });
            } else if (code == kCacheHint) {
                lastHint = reinterpret_cast<GridCacheHint*>(lParam)->range;
                notes.push_back({ code, -1, -1 });
            } else {
                notes.push_back({ code, rec->row, rec->col });
            }
            return 0;
        }
        if (msg == WM_COMMAND)
            commands.push_back({ wParam, lParam });
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

// Reaches the grid's protected state.
class CTestGrid : public CGridCtrl
{
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::m_prevSelected;
    using CGridCtrl::m_selectionStart;
    using CGridCtrl::m_sysWindowText;
    using CGridCtrl::m_mouseMode;
    using CGridCtrl::m_wheelLines;
    static ULONGLONG Key(int row, int col) { return CellKey(row, col); }
};

// An owner window with a grid of 300 x 200 pixels in it.
struct GridWindow
{
    CRecorder owner;
    CTestGrid grid;

    GridWindow(int rows, int cols, int fixedRows) : grid(rows, cols, fixedRows)
    {
        EXPECT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
        EXPECT_TRUE(grid.Create(CRect(0, 0, 300, 200), &owner, 1059));
    }
    ~GridWindow()
    {
        grid.DestroyWindow();
        owner.DestroyWindow();
    }
};

// Every cell's fixed bits match the counts, the selection map matches the
// cells' bits, and the focus cell alone has the focus bit.
inline void ExpectInvariants(CGridCtrl& grid, const char* where)
{
    INT_PTR selected = 0;
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        for (int c = 0; c < grid.GetColumnCount(); ++c) {
            CGridCellBase* cell = grid.CellAt(r, c);
            ASSERT_TRUE(cell) << where << " " << r << "," << c;
            DWORD want = (r < grid.GetFixedRowCount() ? CellFixed | CellFixedRow : 0) |
                         (c < grid.GetFixedColumnCount() ? CellFixed | CellFixedColumn : 0);
            EXPECT_EQ(want, cell->State() & (CellFixed | CellFixedRow | CellFixedColumn)) << where << " " << r << "," << c;
            EXPECT_EQ(cell->IsFocused() != 0, grid.GetFocusCell() == CCellID(r, c)) << where << " " << r << "," << c;
            if (cell->IsSelected()) {
                ++selected;
                EXPECT_EQ(grid.IsSelectable(), grid.IsCellSelected(r, c)) << where;
            }
        }
    }
    EXPECT_EQ(selected, grid.GetSelectedCount()) << where;
}

// A white 32-bit canvas.
struct Canvas
{
    CDC dc;
    CBitmap bitmap;
    DWORD* bits = nullptr;
    int width, height;

    Canvas(int cx, int cy) : width(cx), height(cy)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateDIB32(cx, cy, (void**)&bits);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of rect (exclusive) that are not white.
    int Inked(const CRect& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) != RGB(255, 255, 255);
        return n;
    }
    int Count(const CRect& r, COLORREF clr) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == clr;
        return n;
    }
};
