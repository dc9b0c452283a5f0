// The engine's object on the host's file list of one side.
//
// The host fills and asks its list box in its own item order; the engine
// shows the same items in another order (the folder's sticky files first,
// then the file groups) and translates every index that crosses between the
// two. Two index spaces:
// - the host index: the place the host believes an item has;
// - the row: the place of an item on screen.
// The model:
// - the real list box keeps the host's strings, and their positions, in host
//   order: nothing ever moves a string, so list position i holds the string
//   of host item i;
// - the engine's order exists only in painting (DrawListItem hands the host
//   the host index of each row it paints) and in what the list box keeps per
//   position on screen: selection, caret, anchor, top index, item rectangles
//   and item data are in row space;
// - so the messages addressed by string position (LB_GETTEXT, LB_GETTEXTLEN,
//   LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_DELETESTRING) pass unmapped and
//   every message about a row maps its index.
// While nothing needs reordering the file array is empty and every index
// passes unchanged.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "FileArray.h"
#include "ItemMark.h"
#include "ListLayout.h"
#include "PanelWnd.h"
#include "RowCanvas.h"
#include "SortStringArray.h"
#include "TCTracktor.h"
#include "TracktorList.h"

class CStickyStore;
struct CRebuildLookup;
struct CRuleBackground;

class CTCFileList : public CPanelWnd, public CTracktorList {
    DECLARE_DYNAMIC(CTCFileList)
public:
    CTCFileList(CEngineContext& engine, int side);
    ~CTCFileList() override;

    // Subclasses the host list (again after the host made a new one), keeps
    // the host's caret item under the caret, takes the column width and
    // marks the order for rebuilding.
    bool AttachFileList(HWND list);

    // Column width of multi-column lists: SetColumnsWidth stores it as
    // "ColumnsWidth0"/"ColumnsWidth1" and applies it; ApplyColumnsWidth
    // sends it to a multi-column list; UseColumnsWidth switches the stored
    // width on (width) or off (0: the host's widths) without storing it.
    void SetColumnsWidth(int width) override;
    void ApplyColumnsWidth(int width);
    void UseColumnsWidth(int width);

    // Index translation; both rebuild a dirty order first. An index outside
    // the order passes unchanged.
    int MapRowToHost(int row);
    int MapHostToRow(int index);

    // The string at list position `index` (a host index; -1: the host item
    // under the caret), without trailing blanks and control characters.
    CString GetRowText(int index);
    // The file name of host item `index` (-1: the caret item), as
    // ExtractFileName takes it; false when no name can be taken.
    bool GetItemName(CString& name, int index = -1);
    // The same joined to the list's folder as "folder\name".
    bool GetItemPath(CString& path, int index);
    // The row of the last item whose name equals `name` without case; -1.
    int FindRowByName(LPCWSTR name) const;

    // The sticky commands on the caret item: 0 UnStickIt, 1 UnStickAll,
    // 2 StickIt, 3 StickConfig, 4 ToggleStick. 1 when handled.
    int StickyCommand(int op, CStickyStore& store);

    // For the band selection: scrolls by `delta` rows (whole columns in a
    // multi-column list); false when refused.
    bool ScrollRows(int delta) override;
    // Sets the rows from `start` to `end` (in a multi-column list the block
    // between their columns and column positions): flags 0x20000 select,
    // 0x10000 alone deselect, neither toggle.
    void SelectRowRange(int start, int end, int rowsPerColumn, UINT flags) override;

    // The panel's current folder, from the host's path bar of the side.
    CString GetPanelPath() const;

    // Reads the folder's names from the sticky file (sorted as "StickySort"
    // asks); 0 without a section, else 1 + the number of names.
    int LoadStickyFiles();
    // Builds the order of the rows now (unless a rebuild or a capture runs).
    void RebuildOrder();
    // The panel changed its folder: the next translation builds the order
    // for the new folder.
    void OnFolderChanged() { m_dirty = TRUE; }
    // The group masks the next order uses while grouping is on (empty: none).
    void SetGroupMasks(const CString& masks) { m_groupMasks = masks; }
    const CString& GroupMasks() const { return m_groupMasks; }
    // UseFileGrouping: flips the list's grouping switch, builds the order
    // again and repaints.
    void ToggleGrouping();
    bool GroupingOn() const { return m_grouping != FALSE; }

    // The host main window's WM_DRAWITEM for this list, `host` being the
    // main window's subclass: the host draws the item of the row's host
    // index, directly or into a memory bitmap that ComposeRow finishes.
    LRESULT DrawListItem(CSubclassWnd& host, DRAWITEMSTRUCT* item);
    // The row from the host's drawing (in the row canvas, at 0,0), the marks
    // (RowMark bits) and the background, copied to the item's place in `target`.
    void ComposeRow(CDC& target, UINT marks, const DRAWITEMSTRUCT& item, int row, int index);
    // Finds or builds the cached gradient mark `id` (a RowMark bit) of
    // style 1..3 for a row of the rectangle's size.
    void UpdateItemMark(UINT id, int style, COLORREF color, const RECT& rect);
    size_t MarkCount() const { return m_marks.size(); }
    // The marks of host item `index`.
    UINT RowMarksOf(int index);

    // The list's WM_ERASEBKGND: TRUE when the engine erased (a picture or
    // a rule colour), FALSE when the host erases.
    BOOL EraseListBackground(HDC dc);
    // Loads a picture (environment variables expanded) as the tiled
    // background; FALSE, and the old background kept, when it cannot be loaded.
    BOOL SetBackgroundPicture(LPCWSTR path);
    void ClearBackground();
    const CString& BackgroundPicture() const { return m_backgroundPicture; }
    HBRUSH BackgroundBrush() const { return m_backgroundBrush ? (HBRUSH)*m_backgroundBrush : nullptr; }
    // A folder rule's background (null: no rule): its colour, else its
    // picture, else "BkgFile".
    void ApplyRuleBackground(const CRuleBackground* rule);
    COLORREF RuleBackColor(int parity) const { return parity ? m_ruleBackColor2 : m_ruleBackColor; }

    // The band selection of this list.
    CTCTracktor& Tracker() { return m_tracker; }

    // CTracktorList
    HWND ListWindow() const override { return m_hWnd; }
    UINT ListLayout() override;
    bool KeyDown(int vk) const override;
    int RowAtPoint(POINT point, bool* outside) override;
    bool RowRect(int row, RECT* rect) override;
    int TopRowIndex() override { return TopRow(); }

    // The state of the order, for the drawing of marked rows and the tests.
    UINT Layout() const { return m_layout; }
    const CFileArray& Files() const { return m_files; }
    const CSortStringArray& Sticky() const { return m_sticky; }
    const CString& Folder() const { return m_folder; }
    // Row 0 is the parent-folder entry "..".
    bool FirstIsParent() const { return m_firstIsParent != FALSE; }
    // False while the rows are in the host's own order.
    bool IsOrdered() const { return m_files.GetSize() > 0; }

    // Set by the window watcher when the host's quick search opens over the
    // focused list: the caret row is not remembered as the lost-focus row.
    BOOL m_noLostFocusMark = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The reflected WM_CTLCOLORLISTBOX: the picture's brush while one is loaded.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Input state, replaceable for tests.
    virtual POINT CursorPos() const;

private:
    enum KeyState { KeyIdle = 0, KeyPressed = 1, KeyInsert = 2 };

    // Content.
    LRESULT OnAddString();
    LRESULT OnDeleteString(WPARAM wParam);
    LRESULT OnResetContent();
    LRESULT OnSetCount(WPARAM wParam);
    LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
    // Index messages.
    LRESULT OnHostIndexIn(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnRowOut();
    LRESULT OnGetCurSel();
    LRESULT OnItemFromPoint(LPARAM lParam);
    LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetSelItems(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelItemRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelItemRangeEx(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTopIndex(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTopIndex();
    LRESULT OnGetCaretIndex();
    LRESULT OnSetCaretIndex(WPARAM wParam, LPARAM lParam);
    // Keyboard, scrolling, focus, mouse.
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUp();
    LRESULT OnVScroll(WPARAM wParam);
    LRESULT OnHScroll();
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnLButtonDown(LPARAM lParam);
    LRESULT OnLButtonDblClk();
    LRESULT OnLButtonUp();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnRButtonUp();
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnEraseBkgnd(WPARAM wParam);
    LRESULT OnMButtonDown(LPARAM lParam);
    LRESULT OnMButtonUp(LPARAM lParam);

    // Drawing.
    void MarkStyle(UINT bit, int& style, COLORREF& color, int& percent) const;
    // A row's number for the row colours: its place in its column in a
    // multi-column list, else the row itself.
    int PlaceInColumn(int row);
    CString ResolveRulePath(const CString& path) const;

    // Order.
    void EnsureOrder();
    // The order of the current rows; the host index of the caret item.
    int BuildOrder();
    void AddHostItem(int index, CRebuildLookup& lookup);
    bool IsFolderItem(const std::wstring& text, const CString& name, CRebuildLookup& lookup);
    void ReadRowText(int index, std::wstring& text);
    // Updates the order after host item `index` was deleted; false when
    // only a rebuild can tell.
    bool RemoveHostItem(int index);
    void ClearOrder();
    bool NoGrouping() const;

    // Layout.
    UINT ClassifyLayout(LPCWSTR text, bool store);
    UINT DetermineLayout(LPCWSTR text);
    // The text the host draws for `row`, recorded through an enhanced
    // metafile: the pieces drawn, separated by "|".
    CString CaptureItemText(int row);
    bool IsCaptureDraw(HDC dc) const;

    // The real list box (the procedures below this object).
    LRESULT Forward(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return DefWindowProc(message, wParam, lParam); }
    // The list box's own procedure, for what only reads or moves its data
    // (a message through the subclass chain costs a window-property lookup,
    // a server round trip under Wine).
    LRESULT AskList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Moves the selection and item data of row `from` to position `to`,
    // the rows between one place towards `from`.
    void MoveRowData(int from, int to);
    int Count() { return (int)Forward(LB_GETCOUNT); }
    int TopRow() { return (int)Forward(LB_GETTOPINDEX); }
    int CaretRow() { return (int)Forward(LB_GETCARETINDEX); }
    bool IsMultiColumn() const;
    void SetRedraw(BOOL on) { Forward(WM_SETREDRAW, on); }
    void InvalidateRow(int row, BOOL erase = FALSE);
    void RedrawWhole();
    // The row under a client point, also past row 65,535.
    int RowFromPoint(int x, int y);
    // Sets rows first..last one at a time; -1 at the first failure, else 0.
    LRESULT SetRowsSelected(int first, int last, BOOL select);
    // Runs the default handling with redrawing off and redraws whole when
    // the top row or the caret moved; the answer of the default handling.
    LRESULT DefaultWithRedrawOff(bool* moved);
    void InvalidateBelowBottomRow();
    void InvalidateEmptyColumns();
    bool HasBackgroundPicture() const { return !m_backgroundPicture.IsEmpty(); }
    // The horizontal scroll position the background moves by (lists with
    // rows wider than the window), else 0.
    int HorizontalShift() const;
    // Fills `area` of `dc` with the background, the picture's point (x, y)
    // (any values, taken modulo the picture's size) at its top-left corner.
    void TileBackground(HDC dc, const RECT& area, int x, int y) const;

    UINT m_layout = LayoutUnclassified;
    UINT m_markLayout = LayoutUnclassified;
    BOOL m_redrawSuspended = FALSE;
    UINT m_countSet = 0;
    int m_lostFocusRow = -1;  // host index of the caret item when the focus left
    UINT m_lastScrollPos = 0;
    volatile LONG m_capturing = 0;  // a rebuild or a capture runs
    HDC m_captureDC = nullptr;
    CString m_folder;
    BOOL m_folderExists = FALSE;
    CString m_backgroundPicture;
    CFileArray m_files;  // one entry per host item, in row order
    std::unique_ptr<CBitmap> m_background;    // the picture tiled to the background size
    std::unique_ptr<CBrush> m_backgroundBrush; // the picture's pattern brush
    std::unique_ptr<CDC> m_backgroundDC;        // holds m_background selected
    SIZE m_backgroundSize = {};
    SIZE m_pictureSize = {};                    // the picture's own size (the tile)
    CRowCanvas m_rowDrawing, m_rowComposed;     // the host's drawing of a row, the composed row
    COLORREF m_ruleBackColor;
    COLORREF m_ruleBackColor2;
    BOOL m_backgroundApplied = FALSE;  // ApplyRuleBackground ran: re-attaching keeps its result
    std::vector<std::unique_ptr<ItemMark>> m_marks;
    UINT m_lastKeyDown = 0;
    int m_columnsWidth = 0;
    BOOL m_hostColumns = FALSE; // UseColumnsWidth(0): the host's widths until switched on
    BOOL m_firstCaretAfterRebuild = TRUE;
    int m_hostTopIndex = -1;
    POINT m_buttonDownPoint = {};
    CString m_groupMasks;
    BOOL m_grouping = FALSE;
    UINT m_leftButton = 0;  // 0 up, 1 down, 2 double-click
    BOOL m_leftDrag = FALSE;
    BOOL m_rightDrag = FALSE;
    BOOL m_rightButton = FALSE;
    BOOL m_dirty = TRUE;
    UINT m_keyState = KeyIdle;
    BOOL m_arrowSideways = FALSE;
    BOOL m_firstIsParent = FALSE;
    CSortStringArray m_sticky;
    int m_attachColumnWidth = 0;
    WNDPROC m_listProc = nullptr;  // the list box's own procedure (its class's)
    CTCTracktor m_tracker{m_engine, *this};
};
