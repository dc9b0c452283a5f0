// The rows of the file list as the engine shows them: the host draws each
// row's item (the host index of the row) into a memory bitmap, and the row
// is composed from the engine's background (alternating row colours, a
// folder rule's colour or a background picture), the row's marks (sticky,
// bookmarked, the caret row of a list that lost the focus) and the host's
// drawing laid over with the plain background colour transparent. Rows that
// need none of it are drawn by the host directly.
#include "TCFileList.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "ItemMark.h"
#include "RowMarks.h"

namespace {

// Style k of a mark: 1..3 gradient, 4 frame, 5 filled, 6 bottom line.
const int StyleFrame = 4, StyleFill = 5, StyleLine = 6;
const UINT MarkBits[] = {MarkSticky, MarkBookmark, MarkLostFocus};

} // namespace

UINT CTCFileList::RowMarksOf(int index)
{
    UINT marks = 0;
    if (CRowMarkSource* source = m_engine.RowMarks())
        marks = source->RowMarks(*this, index) & (MarkSticky | MarkBookmark);
    if (m_engine.Settings().LostFocusColor != ColorNone && !m_noLostFocusMark && ::GetFocus() != m_hWnd &&
        index == m_lostFocusRow)
        marks |= MarkLostFocus;
    return marks;
}

void CTCFileList::MarkStyle(UINT bit, int& style, COLORREF& color, int& percent) const
{
    const EngineSettings& s = m_engine.Settings();
    switch (bit) {
    case MarkSticky:
        style = s.StickStyle, color = s.StickColor, percent = s.MarkPercentStick;
        break;
    case MarkBookmark:
        style = s.BookMarkStyle, color = s.BookMarkColor, percent = s.MarkPercentBM;
        break;
    default:
        style = s.LostFocusStyle, color = s.LostFocusColor, percent = s.MarkPercentCursor;
        break;
    }
}

int CTCFileList::PlaceInColumn(int row)
{
    // In a multi-column list the parity is the place inside the column.
    if (m_layout != LayoutMultiColumn)
        return row;
    int height = (int)Forward(LB_GETITEMHEIGHT, 0);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int perColumn = height > 0 ? (client.bottom - client.top) / height : 0;
    return perColumn > 0 ? row % perColumn : row;
}

LRESULT CTCFileList::DrawListItem(CSubclassWnd& host, DRAWITEMSTRUCT* item)
{
    // The engine's own recording of a row goes to the host unchanged.
    if (item && IsCaptureDraw(item->hDC))
        return host.Default();
    if (!item || !m_hWnd || m_capturing || m_redrawSuspended || item->itemID == (UINT)-1)
        return (LRESULT)m_hWnd;
    if (m_layout == LayoutThumbnails)
        return host.Default();
    // The item data at a row is the data of the row's host item already
    // (LB_SETITEMDATA is mapped); only the item changes.
    UINT row = item->itemID;
    int index = MapRowToHost((int)row);
    UINT marks = RowMarksOf(index);
    const HostValues& hostValues = m_engine.Host();
    bool plain = !marks && !HasBackgroundPicture() && m_ruleBackColor == ColorNone &&
                 hostValues.backColor2 == hostValues.backColor;
    item->itemID = (UINT)index;
    if (plain) {
        LRESULT result = host.Default();
        item->itemID = row;
        return result;
    }
    RECT rect = item->rcItem;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC target = item->hDC;
    LRESULT result = 0;
    if (width > 0 && height > 0) {
        CDC targetDC;
        targetDC.Attach(target);
        if (CDC* drawing = m_rowDrawing.Get(targetDC, width, height)) {
            // The host finds the state of a fresh device context each time.
            int saved = drawing->SaveDC();
            drawing->SelectObject(::GetCurrentObject(target, OBJ_FONT));
            item->hDC = *drawing;
            item->rcItem = {0, 0, width, height};
            result = host.Default();
            item->hDC = target;
            item->rcItem = rect;
            drawing->RestoreDC(saved);
            ComposeRow(targetDC, marks, *item, (int)row, index);
        } else {
            result = host.Default();
        }
        targetDC.Detach();
    }
    item->itemID = row;
    return result;
}

void CTCFileList::ComposeRow(CDC& target, UINT marks, const DRAWITEMSTRUCT& item, int row, int index)
{
    const EngineSettings& settings = m_engine.Settings();
    const HostValues& hostValues = m_engine.Host();
    RECT rect = item.rcItem;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    RECT local = {0, 0, width, height};
    CDC* composed = m_rowComposed.Get(target, width, height);
    if (!composed)
        return;
    CDC& out = *composed;

    // Style colours k = 1..6, each with its own "set" flag: black is a colour.
    COLORREF styleColor[7] = {};
    bool styleSet[7] = {};
    UINT gradients = 0;  // the mark bits drawn as gradients
    bool picture = HasBackgroundPicture();
    if (m_layout == LayoutMultiColumn && settings.BriefSingleColor && !picture) {
        styleColor[StyleFill] = m_ruleBackColor != ColorNone ? m_ruleBackColor : hostValues.backColor;
        styleSet[StyleFill] = true;
    }
    for (UINT bit : MarkBits) {
        if (!(marks & bit))
            continue;
        int style, percent;
        COLORREF color;
        MarkStyle(bit, style, color, percent);
        if (style < 1 || style > StyleLine)
            continue;
        styleColor[style] = color;
        styleSet[style] = true;
        if (style <= 3)
            gradients |= bit;
        UpdateItemMark(bit, style, color, local);
    }

    // The host painted its item on the colour of the host index's parity;
    // the engine's fill follows the row's parity.
    COLORREF transparent = PlaceInColumn(index) & 1 ? hostValues.backColor2 : hostValues.backColor;
    bool oddRow = (m_layout == LayoutMultiColumn ? PlaceInColumn(row) : row) & 1;
    COLORREF fill = m_ruleBackColor != ColorNone ? (oddRow ? m_ruleBackColor2 : m_ruleBackColor)
                                                 : (oddRow ? hostValues.backColor2 : hostValues.backColor);
    if (picture && m_backgroundDC) {
        // The picture follows the rows when the list scrolls sideways: the
        // row's place on the device plus the scroll position.
        POINT device = {rect.left, rect.top};
        ::LPtoDP(target, &device, 1);
        TileBackground(out, local, device.x + HorizontalShift(), rect.top);
    } else {
        out.FillSolidRect(&local, fill);
    }

    if (styleSet[StyleFill])
        out.FillSolidRect(&local, styleColor[StyleFill]);
    if (styleSet[StyleFrame]) {
        CBrush brush(styleColor[StyleFrame]);
        if (m_layout == LayoutNameMarker) {
            out.FillRect(CRect(0, 0, width, 1), &brush);
            out.FillRect(CRect(0, height - 1, width, height), &brush);
        } else {
            out.FrameRect(&local, &brush);
        }
    }
    if (styleSet[StyleLine])
        out.FillSolidRect(0, height - 1, width, 1, styleColor[StyleLine]);
    // A cached gradient of a bit that now has another style stays unused.
    for (UINT bit : MarkBits) {
        if (!(gradients & bit))
            continue;
        for (auto mark = m_marks.rbegin(); mark != m_marks.rend(); ++mark) {
            if ((*mark)->m_id == bit) {
                (*mark)->m_mask.Draw(&out, {0, 0});
                break;
            }
        }
    }
    // The host's drawing over the row, its plain background colour left out
    // (what TransparentBlt does, on the pixels: exact and much cheaper).
    ::GdiFlush();
    const DWORD* source = m_rowDrawing.Bits();
    DWORD* dest = m_rowComposed.Bits();
    DWORD key = RGB(GetBValue(transparent), GetGValue(transparent), GetRValue(transparent));
    for (size_t i = 0, n = (size_t)width * height; i < n; ++i)
        if ((source[i] & 0xFFFFFF) != key)
            dest[i] = source[i];
    target.BitBlt(rect.left, rect.top, width, height, &out, 0, 0, SRCCOPY);
}

void CTCFileList::UpdateItemMark(UINT id, int style, COLORREF color, const RECT& rect)
{
    if (style < 1 || style > 3)
        return;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    bool found = false;
    for (size_t i = m_marks.size(); i-- > 0;) {
        if (m_marks[i]->m_id != id)
            continue;
        if (!found && m_marks[i]->Fits((UINT)style, color, width, height))
            found = true;
        else
            m_marks.erase(m_marks.begin() + i);
    }
    if (found)
        return;
    const EngineSettings& s = m_engine.Settings();
    int percent = id == MarkSticky ? s.MarkPercentStick : id == MarkBookmark ? s.MarkPercentBM : s.MarkPercentCursor;
    std::unique_ptr<ItemMark> mark(new ItemMark(id, (UINT)style, color));
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    if (mark->Build(&screen, rect, percent)) // once per row size
        m_marks.push_back(std::move(mark));
}
