// What the band selection asks of the file list it runs on. The file list
// implements it; tests may give their own.
#pragma once
#include <windows.h>

class CTracktorList {
public:
    virtual ~CTracktorList() {}

    virtual HWND ListWindow() const = 0;
    // The list's current layout (ListLayout of the file list), its order
    // brought up to date first.
    virtual UINT ListLayout() = 0;
    // The key state the band reads (modifiers); replaceable for tests.
    virtual bool KeyDown(int vk) const = 0;
    // The row under a client point of the real list box; `outside` when
    // the point is below or beside every row.
    virtual int RowAtPoint(POINT point, bool* outside) = 0;
    // The rectangle of a row and the top row, of the real list box.
    virtual bool RowRect(int row, RECT* rect) = 0;
    virtual int TopRowIndex() = 0;
    // Scrolls by rows (whole columns in a multi-column list); false when refused.
    virtual bool ScrollRows(int delta) = 0;
    virtual void SelectRowRange(int start, int end, int rowsPerColumn, UINT flags) = 0;
    virtual void SetColumnsWidth(int width) = 0;
};
