// CGridCtrl: a grid window (class "MFCGridCtrl") of rows and columns of
// cell objects. The first rows may be fixed (header) rows and the first
// columns fixed columns; fixed cells never scroll. The grid owns its cells,
// or in virtual mode asks its owner (or a callback) for each cell's contents
// when it needs them. It keeps one focus cell and a set of selected cells and
// tells its owner (the window set by SetOwner, else its parent) about them
// with WM_NOTIFY (GridNotifyRecord) and a posted WM_COMMAND after a click.
//
// Invariants: every row array has one entry per column; every cell's fixed
// bits agree with the fixed counts; a cell's CellSelected bit and the
// selected-cells map agree; the focus cell, when set, has CellFocused.
#pragma once

#include "GridCell.h"
#include "TitleTip.h"

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)
public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0);
    ~CGridCtrl() override;

    // Registers the window class "MFCGridCtrl" of this module unless it
    // exists; throws CResourceException when the system refuses.
    static void RegisterWindowClass();
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_TABSTOP | WS_VISIBLE);

    // Counts and storage. Each redraws the grid and resets its scroll bars.
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_cols; }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedCols; }
    BOOL ChangeRowCount(int nRows);
    // FALSE when memory ran out (the columns made so far are kept).
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL ClearFixedColumns();
    // The new row's index, or -1 when it could not be made.
    int AppendRow();
    BOOL RemoveRow(int nRow);
    BOOL DeleteAll();
    // Stores pCell in place of the old cell, which the caller disposes of.
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    // Makes the cell in column 0 of the row a CGridCellCombo with the old
    // cell's values and no option chosen.
    BOOL ReplaceCellClass(int nRow);
    // The class of new cells; CreateCell makes none of a class that does
    // not derive from CGridCellBase.
    void SetCellClass(const CRuntimeClass* pClass) { m_cellClass = pClass; }
    const CRuntimeClass* GetCellClass() const { return m_cellClass; }

    // Cells. In virtual mode CellAt returns one cell object of the grid
    // that the next call refills: copy what you need before calling again.
    CGridCellBase* CellAt(int nRow, int nCol);
    BOOL IsValid(int nRow, int nCol) const { return nRow >= 0 && nRow < m_rows && nCol >= 0 && nCol < m_cols; }
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    CString GetCellText(int nRow, int nCol);
    BOOL SetCellText(int nRow, int nCol, LPCWSTR pszText);
    DWORD GetCellState(int nRow, int nCol);
    BOOL SetCellState(int nRow, int nCol, DWORD nState);
    // Note the order: column first. Marks the cell (both above 0) and the
    // grid modified; a negative column or the sort column forgets the sort.
    void SetModified(int nCol, int nRow);
    BOOL IsModified() const { return m_modified; }
    BOOL IsCellEditable(int nRow, int nCol);
    BOOL IsCellSelected(int nRow, int nCol);
    INT_PTR GetSelectedCount() const { return m_selected.GetCount(); }

    // The default cell of a kind, and the font object for cells with font
    // records of their own (remade when the record differs).
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol);
    CFont* CellFontObject(const LOGFONTW& lf);

    // Virtual mode. Switching drops every cell and count.
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_virtualMode; }
    void SetCallbackFunc(GridCallback pCallback, LPARAM lParam);
    // Senders: 0 unless the grid and its owner are windows, else the
    // owner's answer.
    LRESULT SendNotify(int nRow, int nCol, int nCode);
    LRESULT RequestDisplayInfo(GridDisplayInfo* pInfo);
    LRESULT SendCacheHint(const CellRange& range);

    // Geometry, in client pixels. Sizes are -1 for an invalid index.
    int RowHeight(int nRow) const;
    int ColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int nHeight);
    BOOL SetColumnWidth(int nCol, int nWidth);
    int FixedRowHeight() const;
    int FixedColumnWidth() const;
    int VirtualHeight() const;
    int VirtualWidth() const;
    CCellID TopLeftNonFixedCell();
    CellRange VisibleNonFixedRange(LPRECT pRect = nullptr);
    BOOL CellOrigin(int nRow, int nCol, LPPOINT pPoint);
    // Right and bottom on the cell's last pixel.
    BOOL CellRect(int nRow, int nCol, LPRECT pRect);
    CCellID CellFromPoint(int x, int y);
    BOOL IsCellVisible(int nRow, int nCol);
    void EnsureVisible(int nRow, int nCol);
    BOOL FitColumnWidth(int nCol, UINT nFitRows = FitAllRows);
    BOOL FitRowHeight(int nRow);
    void StretchLastColumn();
    void ResetScrollBars();

    // Focus and selection.
    CCellID GetFocusCell() const { return m_focus; }
    // Returns the previous focus cell; a row or column in the fixed area
    // moves to the first non-fixed one.
    CCellID SetFocusCell(int nRow, int nCol);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    virtual void SelectAll();
    void SelectColumns(CCellID cell, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CCellID cell, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CCellID cell, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    // Extends the selection from the selection start to the cell, by the
    // mouse mode.
    void ExtendSelection(CCellID cell);

    // Options.
    int GetGridLines() const { return m_gridLines; }
    void SetGridLines(int nLines) { m_gridLines = nLines; Refresh(); }
    BOOL IsEditable() const { return m_editable; }
    void SetEditable(BOOL bEditable) { m_editable = bEditable; }
    BOOL GetListMode() const { return m_listMode; }
    void SetListMode(BOOL bList) { m_listMode = bList; }
    void SetSingleRowSelection(BOOL bSingle) { m_singleRowSelection = bSingle; }
    void SetSingleColSelection(BOOL bSingle) { m_singleColSelection = bSingle; }
    BOOL IsSelectable() const { return m_enableSelection; }
    void EnableSelection(BOOL bEnable) { m_enableSelection = bEnable; }
    BOOL GetTrackFocusCell() const { return m_trackFocusCell; }
    void SetTrackFocusCell(BOOL bTrack) { m_trackFocusCell = bTrack; }
    BOOL GetFrameFocusCell() const { return m_frameFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_frameFocusCell = bFrame; }
    int GetSortColumn() const { return m_sortColumn; }
    void SetSortColumn(int nCol) { m_sortColumn = nCol; }
    BOOL GetSortAscending() const { return m_sortAscending; }
    void SetSortAscending(BOOL bAscending) { m_sortAscending = bAscending; }
    CImageList* GetImageList() const { return m_imageList; }
    void SetImageList(CImageList* pList) { m_imageList = pList; }
    COLORREF GetGridLineColour() const { return m_gridLineColour; }
    COLORREF GetOuterBackground() const { return m_outerBackground; }
    // Redraw off: no drawing and no scroll-bar updates until it is back on.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    int GetWheelLines() const { return m_wheelLines; }
    // Lines per wheel notch of the system (-1: a page), 3 when unknown.
    static int WheelScrollLines();

    // Options of painting, the mouse and the keyboard.
    BOOL GetSortOnFixedRowClick() const { return m_sortOnClick; }
    void SetSortOnFixedRowClick(BOOL bSort) { m_sortOnClick = bSort; }
    void SetHandleTabKey(BOOL bHandle) { m_handleTab = bHandle; }
    void SetDoubleBuffering(BOOL bBuffer) { m_doubleBuffer = bBuffer; }
    void EnableTitleTips(BOOL bEnable) { m_titleTips = bEnable; }
    // CLR_DEFAULT: the tip's own colours.
    void SetTitleTipColours(COLORREF crText, COLORREF crBack) { m_tipText = crText; m_tipBack = crBack; }
    void SetFixedRowSelection(BOOL bSelect) { m_fixedRowSelection = bSelect; }
    void SetFixedColumnSelection(BOOL bSelect) { m_fixedColSelection = bSelect; }
    void EnableColumnResize(BOOL bEnable) { m_allowColumnResize = bEnable; }
    void EnableRowResize(BOOL bEnable) { m_allowRowResize = bEnable; }
    void EnableHiddenColumns(BOOL bEnable) { m_allowColumnHide = bEnable; }
    void EnableHiddenRows(BOOL bEnable) { m_allowRowHide = bEnable; }
    void SetPrintScaledToScreen(BOOL bScaled) { m_printScaled = bScaled; }
    BOOL GetPrintColours() const { return m_printColours; }
    int GetMouseMode() const { return m_mouseMode; }
    CTitleTip& TitleTip() { return m_titleTip; }

    // Painting: backgrounds, cells meeting the clip box, grid lines.
    virtual void DrawGrid(CDC* pDC);
    // Drawing of single cells.
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL InvalidateCell(int nRow, int nCol);
    void Refresh();

    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);

    // In-place editing. nChar: VK_LBUTTON for a mouse start or F2, the key
    // with GridMoveRestart after a keyboard move, else the typed character.
    // Nothing for a cell that cannot be edited.
    virtual void EditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void EndEditing();
    // Takes an edited text into the cell (marked modified when it differs).
    virtual void OnEndEditCell(int nRow, int nCol, CString str);

    // Sorts the non-fixed rows by the texts of a column (UTF-16 code units).
    BOOL SortTextItems(int nCol, BOOL bAscending);

    // The print protocol: BeginPrinting lays out the pages and sets the
    // page count, PrintPage prints pInfo->m_nCurPage, EndPrinting frees
    // the print font.
    virtual void BeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintPage(CDC* pDC, CPrintInfo* pInfo);
    virtual void EndPrinting(CDC* pDC, CPrintInfo* pInfo);

protected:
    typedef CTypedPtrArray<CPtrArray, CGridCellBase*> GridRow;
    typedef CMap<ULONGLONG, ULONGLONG, CCellID, const CCellID&> CCellMap;
    // The selection maps key on the full row and column.
    static ULONGLONG CellKey(int nRow, int nCol) { return ((ULONGLONG)(UINT)nCol << 32) | (UINT)nRow; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnScroll(int nBar, WPARAM wParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode();
    // The end-of-edit record of an in-place editor.
    LRESULT OnEndInPlaceEdit(GridDisplayInfo* pInfo);

    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFixedRowCells(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFixedColumnCells(CDC* pDC, CPrintInfo* pInfo);
    // The quicksort over rows nLow..nHigh (-1: the last row).
    BOOL SortTextItems(int nCol, BOOL bAscending, int nLow, int nHigh);

    // The owner, else the parent: where notifications go.
    HWND NotifyTarget() const;
    // Selection and focus cleared before rows or columns change.
    void ClearSelection();
    void ForgetSortColumn();
    void CellsChanged();
    int ScrollPos(int nBar) const;
    void SetScrollPosition(int nBar, int nPos);
    void SetScrollRange(int nBar, int nMax, int nPage);
    void RefreshScrollBars();
    // Redraws now (pDC) or later a cell whose look changed, when it can be
    // on screen (visible: the non-fixed cells that can be).
    void RedrawChanged(int nRow, int nCol, CDC* pDC, const CellRange& visible);
    // Mouse helpers: the divider under a point sets mode 6 or 8 (with its
    // cursor); the inverted 2-pixel band of a sizing drag.
    BOOL CheckDividers(CPoint point);
    // The column (row) whose right (bottom) edge a sizing press at point
    // moves: a press just right of a left edge sizes the one before it.
    int SizedColumn(CPoint point);
    int SizedRow(CPoint point);
    void InvertBand(CPoint point);
    void ShowTitleTipFor(CCellID cell);
    // Prints a row's fixed columns, or the columns of the page, at nTop
    // (logical units of the page).
    void PrintRowCells(CDC* pDC, int nRow, int nTop, BOOL bFixedColumns);
    // The rows of the current page: from m_printFirstRow up to, not
    // including, the returned row.
    int PageRowsEnd();
    // The fixed bits a cell at (nRow, nCol) has.
    DWORD KindBits(int nRow, int nCol) const;
    BOOL GrowRows(int nRows);

    // Colours.
    COLORREF m_outerBackground;
    COLORREF m_gridLineColour = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_sysWindowText, m_sysWindow, m_sysBtnFace, m_sysBtnShadow;

    // Virtual mode.
    BOOL m_virtualMode = FALSE;
    LPARAM m_callbackParam = 0;
    GridCallback m_callback = nullptr;
    GridDisplayInfo m_displayInfo = {};
    CGridCell m_virtualCell;

    // Options.
    int m_gridLines = GridLinesBoth;
    BOOL m_editable = TRUE;
    BOOL m_modified = FALSE;
    BOOL m_listMode = FALSE;
    BOOL m_singleRowSelection = FALSE;
    BOOL m_singleColSelection = FALSE;
    BOOL m_allowDraw = TRUE;
    BOOL m_enableSelection = TRUE;
    BOOL m_fixedRowSelection = TRUE;
    BOOL m_fixedColSelection = TRUE;
    BOOL m_trackFocusCell = TRUE;
    BOOL m_frameFocusCell = TRUE;
    BOOL m_sortOnClick = FALSE;
    BOOL m_handleTab = TRUE;
    BOOL m_doubleBuffer = TRUE;
    BOOL m_titleTips = TRUE;
    BOOL m_printScaled = FALSE;
    BOOL m_allowColumnResize = TRUE;
    BOOL m_allowRowResize = TRUE;
    BOOL m_allowColumnHide = TRUE;
    BOOL m_allowRowHide = TRUE;
    UINT m_fitFlags = FitAllRows;
    COLORREF m_tipText = CLR_DEFAULT;
    COLORREF m_tipBack = CLR_DEFAULT;
    UINT m_barState = 0; // bit 0: horizontal bar shown, bit 1: vertical

    // Counts and sizes.
    int m_rows = 0, m_fixedRows = 0, m_cols = 0, m_fixedCols = 0;
    CUIntArray m_rowHeights, m_colWidths;
    const CRuntimeClass* m_cellClass;
    // Normal, fixed column, fixed row, fixed row and column.
    CGridDefaultCell m_defaultCells[4];
    CFont m_cellFont;
    LOGFONTW m_cellFontRecord = {};
    CImageList* m_imageList = nullptr;
    CTypedPtrArray<CPtrArray, GridRow*> m_rowData;

    // Mouse, focus and selection.
    int m_mouseMode = MouseNothing;
    BOOL m_leftButtonDown = FALSE;
    CPoint m_leftDownPoint, m_lastMousePoint;
    UINT_PTR m_autoScrollTimer = 0;
    int m_wheelRemainder = 0; // of wheels that turn less than a notch
    CTitleTip m_titleTip;
    int m_sizedIndex = -1; // the column or row a sizing drag changes
    CCellID m_leftClickDownCell, m_selectionStart, m_focus;
    CCellID m_topLeftCache;
    int m_wheelLines;
    CCellMap m_selected, m_prevSelected;

    BOOL m_sortAscending = TRUE;
    int m_sortColumn = -1;

    // Printing: the print font and the layout of the current job, in the
    // printer's logical units.
    CFont m_printFont;
    CFont m_printBoldFont; // of the header and the footer
    CPen m_printLinePen;   // the grid lines
    int m_charWidth = 0, m_charHeight = 0;
    int m_pageHeight = 0, m_pageWidth = 0; // for the non-fixed rows, columns
    CSize m_logicalPage, m_devicePage;
    int m_pagesAcross = 1, m_pageCount = 0;
    BOOL m_printColours = TRUE;
    int m_printFirstRow = 0, m_printFirstCol = 0;

private:
    BOOL m_inSize = FALSE;
    BOOL m_inScrollBars = FALSE;
    BOOL m_repaintPending = FALSE; // the client area is invalid already
    BOOL m_framePending = FALSE;   // and the scroll bars
    BOOL m_inPreSubclass = FALSE;
};
