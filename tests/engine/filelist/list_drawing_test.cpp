// The rows as the engine composes them, drawn into memory bitmaps through the
// host main window's WM_DRAWITEM: mark styles and widths, the two parities
// under a sticky order and in columns, single-colour columns, black style
// colours, rule colours and a background picture, the direct path, the lost
// focus mark and the mark cache.
#include "FileListFixture.h"
#include "ColorConvert.h"
#include "MemoryCanvas.h"
#include "StickyFile.h"
#include <set>

namespace {

const COLORREF Back = RGB(240, 240, 240), Back2 = RGB(224, 224, 224), Mark = RGB(200, 0, 0);
const int RowWidth = 200, RowHeight = 16;

std::wstring File(const std::wstring& name)
{
    return name + L"\t1";
}

// Host items: "..", then f1 .. f9 (a sticky f8 shows in row 1).
std::vector<std::wstring> Folder(int files = 9)
{
    std::vector<std::wstring> rows = {L"..\t<DIR>"};
    for (int i = 1; i <= files; ++i)
        rows.push_back(File(L"f" + std::to_wstring(i)));
    return rows;
}

DWORD Px(COLORREF color)
{
    return Rgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

class CTestMarks : public CRowMarkSource {
public:
    std::set<int> bookmarked;
    UINT RowMarks(CTCFileList& list, int index) override
    {
        return (IsStickyItem(true, list, index) ? MarkSticky : 0) | (bookmarked.count(index) ? MarkBookmark : 0);
    }
};

class ListDrawingTest : public CFileListFixture {
protected:
    ListDrawingTest()
    {
        m_context.host.backColor = Back;
        m_context.host.backColor2 = Back2;
        m_context.marks = &m_marks;
    }
    // Draws `row` into a canvas as the list box would, at x 0; the item id
    // the structure held afterwards.
    UINT Draw(CMemoryCanvas& canvas, int row, int width = RowWidth)
    {
        DRAWITEMSTRUCT item = {ODT_LISTBOX, 0, (UINT)row, ODA_DRAWENTIRE, 0, m_window, canvas.dc,
                               {0, 0, width, RowHeight}, 0};
        if (GetWindowLongW(m_window, GWL_STYLE) & LBS_MULTICOLUMN) {
            int perColumn = ClientHeight() / RowHeight;
            item.rcItem.top = row % perColumn * RowHeight;
            item.rcItem.bottom = item.rcItem.top + RowHeight;
        }
        m_list.MapRowToHost(0); // the order (and layout) of the current rows
        m_drawn.clear();
        SendMessageW(m_mainWindow, WM_DRAWITEM, 0, (LPARAM)&item);
        return item.itemID;
    }
    int ClientHeight()
    {
        RECT client;
        GetClientRect(m_window, &client);
        return client.bottom - client.top;
    }
    // Background pixels of a drawn row: the part right of the host's text.
    DWORD BackgroundAt(CMemoryCanvas& canvas, int y = RowHeight / 2) { return canvas.At(RowWidth - 10, y); }
    int Count(CMemoryCanvas& canvas, DWORD color, int top = 0)
    {
        int n = 0;
        for (int y = top; y < top + RowHeight; ++y)
            for (int x = 0; x < RowWidth; ++x)
                n += canvas.At(x, y) == color;
        return n;
    }

    // The 2 x 2 picture of Tile as a file.
    std::wstring TilePicture()
    {
        static const BYTE bmp[70] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                     0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 32, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0,
                                     0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
        std::wstring picture = m_folder.File(L"tile.bmp");
        WriteBytes(picture, bmp, sizeof(bmp));
        return picture;
    }

    CTestMarks m_marks;
};

// The pixels of TilePicture: red, green / blue, white.
const DWORD Tile[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};

TEST_F(ListDrawingTest, MarkStylesAndBarWidths)
{
    // What a pixel shows: the mark colour, the plain row colour, or a tint of both.
    enum Shows { C, B, T };
    struct Case {
        int style;  // the setting
        int percent;
        COLORREF color;
        int barEnd; // gradients: the first plain column of the middle line (0: none)
        Shows middle, right, top, bottom;  // at (150, 8), (199, 8), (150, 0), (150, 15)
    };
    const COLORREF black = RGB(0, 0, 0);
    const Case cases[] = {
        {0, 33, Mark, 67, B, B, B, B}, {1, 150, Mark, 51, B, B, B, B}, {2, 400, Mark, 0, T, T, T, T},
        {3, 33, Mark, 0, B, C, C, C},  {4, 33, Mark, 0, C, C, C, C},   {5, 33, Mark, 0, B, B, B, C},
        {3, 33, black, 0, B, C, C, C}, {4, 33, black, 0, C, C, C, C},  {5, 33, black, 0, B, B, B, C},
    };
    Stick({L"f8"});
    m_marks.bookmarked = {8};
    Build({Folder()});
    ASSERT_EQ(8, m_list.MapRowToHost(1));
    Send(LB_SETCARETINDEX, 8);
    for (UINT bit : {MarkSticky, MarkBookmark, MarkLostFocus}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "bit " << bit << " style " << c.style << " percent " << c.percent
                                            << " colour " << c.color);
            EngineSettings& s = m_context.Settings();
            s.StickStyle = s.BookMarkStyle = s.LostFocusStyle = 1000; // only the mark of this case draws
            s.LostFocusColor = ColorNone;
            (bit == MarkSticky ? s.StickStyle : bit == MarkBookmark ? s.BookMarkStyle : s.LostFocusStyle) = c.style + 1;
            (bit == MarkSticky ? s.MarkPercentStick : bit == MarkBookmark ? s.MarkPercentBM : s.MarkPercentCursor) =
                c.percent;
            (bit == MarkSticky ? s.StickColor : bit == MarkBookmark ? s.BookMarkColor : s.LostFocusColor) = c.color;
            SetFocus(m_window);
            SetFocus(m_mainWindow); // the caret row, host 8, keeps the lost-focus mark
            CMemoryCanvas canvas(RowWidth, RowHeight);
            Draw(canvas, 1); // host 8 in row 1: painted by the host on Back, filled with Back2
            auto shows = [&](int x, int y) {
                DWORD p = canvas.At(x, y);
                return p == Px(c.color) ? C : p == Px(Back2) ? B : T;
            };
            EXPECT_EQ(0, Count(canvas, Px(Back)));
            EXPECT_LT(0, Count(canvas, Px(TextColor)));
            EXPECT_EQ(c.middle, shows(150, 8));
            EXPECT_EQ(c.right, shows(RowWidth - 1, 8));
            EXPECT_EQ(c.top, shows(150, 0));
            EXPECT_EQ(c.bottom, shows(150, RowHeight - 1));
            if (c.barEnd) {
                EXPECT_EQ(T, shows(c.barEnd - 1, 8));
                EXPECT_EQ(B, shows(c.barEnd, 8));
            }
            if (c.style < 3) {
                EXPECT_EQ(C, shows(0, RowHeight - 1)); // the bar starts fully opaque
            }
        }
    }
    SetFocus(m_window);
}

TEST_F(ListDrawingTest, RowColoursFollowTheRowAndTheKeyTheHostIndex)
{
    // Row 1 shows host 8 (even): the host paints it on Back, the row is odd.
    Stick({L"f8"});
    Build({Folder()});
    struct Row { int row; COLORREF fill; };
    for (Row r : {Row{0, Back}, Row{1, Back2}, Row{2, Back}, Row{3, Back2}}) {
        CMemoryCanvas canvas(RowWidth, RowHeight);
        Draw(canvas, r.row);
        EXPECT_EQ(Px(r.fill), BackgroundAt(canvas)) << r.row;
        EXPECT_EQ(0, Count(canvas, Px(r.fill == Back ? Back2 : Back))) << r.row;
    }
    TearDownWindows();

    // Ten rows per column: rows 10 and 11 start the parity again; with
    // "BriefSingleColor" every row is Back, also a black one.
    std::vector<std::wstring> names;
    for (int i = 0; i < 40; ++i)
        names.push_back(L"n" + std::to_wstring(100 + i));
    Build({names, LBS_MULTICOLUMN, RowHeight, 1, 100});
    SetWindowPos(m_window, nullptr, 0, 0, 400, 10 * RowHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_list.MapRowToHost(0);
    ASSERT_EQ(LayoutMultiColumn, m_list.Layout());
    struct Column { int single; COLORREF back; int row; COLORREF fill; };
    const Column cases[] = {{0, Back, 10, Back}, {0, Back, 11, Back2}, {0, Back, 9, Back2},
                            {1, Back, 11, Back}, {1, RGB(0, 0, 0), 11, RGB(0, 0, 0)}};
    for (const Column& c : cases) {
        m_context.Settings().BriefSingleColor = c.single;
        m_context.host.backColor = c.back;
        CMemoryCanvas canvas(RowWidth, 10 * RowHeight);
        Draw(canvas, c.row);
        int top = c.row % 10 * RowHeight;
        EXPECT_EQ(Px(c.fill), canvas.At(RowWidth - 10, top + 8)) << c.row << " single " << c.single;
        EXPECT_LT(0, Count(canvas, Px(TextColor), top));
    }
}

TEST_F(ListDrawingTest, DirectPathKeepsTheHostsDcAndRestoresTheItem)
{
    // One row colour and no mark: the host draws host 8 of row 1 straight
    // into the list's DC; a bookmark composes it in a bitmap of its own.
    m_context.host.backColor2 = Back;
    Stick({L"f8"});
    m_context.marks = nullptr;
    Build({Folder()});
    for (bool marked : {false, true}) {
        m_marks.bookmarked = {8};
        m_context.marks = marked ? &m_marks : nullptr;
        CMemoryCanvas canvas(RowWidth, RowHeight);
        EXPECT_EQ(1u, Draw(canvas, 1)); // the row comes back in the structure
        ASSERT_EQ(1u, m_drawn.size());
        EXPECT_EQ(8, m_drawn[0].item);
        EXPECT_EQ(!marked, canvas.dc == m_drawn[0].dc);
    }
}

TEST_F(ListDrawingTest, LostFocusMarkFollowsTheFocus)
{
    EngineSettings& s = m_context.Settings();
    s.LostFocusColor = Mark;
    s.LostFocusStyle = 5; // filled
    Build({Folder()});
    Send(LB_SETCARETINDEX, 5);
    SetFocus(m_window);
    struct Step { HWND focus; BOOL quickSearch; bool marked; };
    for (Step step : {Step{m_mainWindow, FALSE, true}, Step{m_window, FALSE, false},
                      Step{m_mainWindow, TRUE, false}}) {
        m_list.m_noLostFocusMark = step.quickSearch;
        SetFocus(step.focus);
        CMemoryCanvas canvas(RowWidth, RowHeight);
        Draw(canvas, 5);
        EXPECT_EQ(step.marked, BackgroundAt(canvas) == Px(Mark));
        SetFocus(m_window);
    }
}

TEST_F(ListDrawingTest, RuleColoursAndBackgroundPicture)
{
    Build({Folder()});
    // Row 0 gets the rule colour, row 1 its lightness 10 lower (higher for a dark one).
    for (COLORREF rule : {RGB(200, 100, 50), RGB(8, 4, 2)}) {
        CRuleBackground record = {rule, L""};
        m_list.ApplyRuleBackground(&record);
        PackedHLS hls = RGBToHLS(rule);
        int lightness = (hls >> 8) & 0xFF;
        COLORREF second = HLSToRGB((hls & ~0xFF00u) | (DWORD)(lightness <= 10 ? lightness + 10 : lightness - 10) << 8);
        CMemoryCanvas even(RowWidth, RowHeight), odd(RowWidth, RowHeight);
        Draw(even, 2);
        Draw(odd, 3);
        EXPECT_EQ(Px(rule), BackgroundAt(even));
        EXPECT_EQ(Px(second), BackgroundAt(odd));
        EXPECT_NE(Px(rule), Px(second));
    }
    // A 2 x 2 picture (red, green / blue, white) tiles the background; a file
    // that is no picture keeps it.
    std::wstring picture = TilePicture(), broken = m_folder.File(L"broken.bmp");
    WriteText(broken, "not a picture");
    CoInitialize(nullptr);
    CRuleBackground none = {ColorNone, picture.c_str()};
    m_list.ApplyRuleBackground(&none);
    ASSERT_STREQ(picture.c_str(), m_list.BackgroundPicture());
    HBRUSH brush = m_list.BackgroundBrush();
    EXPECT_FALSE(m_list.SetBackgroundPicture(broken.c_str()));
    EXPECT_EQ(brush, m_list.BackgroundBrush());
    CMemoryCanvas erased(8, 8);
    EXPECT_TRUE(m_list.EraseListBackground(erased.dc));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(Tile[y % 2][x % 2], erased.At(x, y)) << x << "," << y;
    CMemoryCanvas row(RowWidth, RowHeight);
    Draw(row, 3);
    EXPECT_EQ(Tile[1][0], row.At(RowWidth - 10, 9));
    // The list's reflected WM_CTLCOLORLISTBOX gets the picture's brush; without
    // a picture the host answers.
    EXPECT_EQ((LRESULT)brush, SendMessageW(m_mainWindow, WM_CTLCOLORLISTBOX, (WPARAM)erased.dc, (LPARAM)m_window));
    m_list.ApplyRuleBackground(nullptr);
    EXPECT_FALSE(m_list.EraseListBackground(erased.dc));
    EXPECT_EQ(DefWindowProcW(m_mainWindow, WM_CTLCOLORLISTBOX, (WPARAM)erased.dc, (LPARAM)m_window),
              SendMessageW(m_mainWindow, WM_CTLCOLORLISTBOX, (WPARAM)erased.dc, (LPARAM)m_window));
    CoUninitialize();
}

// A list scrolled 7 pixels sideways, wider than the background bitmap (10 x 10
// here): the picture repeats across the whole width and moves with the rows,
// whether the list box reports a scrolled row at a negative left edge or at 0
// with the window origin moved by the scroll position.
TEST_F(ListDrawingTest, PictureTilesAcrossAWideScrolledList)
{
    m_context.Settings().CustomScreenX = m_context.Settings().CustomScreenY = 10;
    Build({Folder(), WS_HSCROLL});
    Send(LB_SETHORIZONTALEXTENT, 1000);
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7));
    ASSERT_EQ(7, GetScrollPos(m_window, SB_HORZ));
    CoInitialize(nullptr);
    ASSERT_TRUE(m_list.SetBackgroundPicture(TilePicture().c_str()));
    const int width = 120, shift = 7;
    auto expectTiles = [&](CMemoryCanvas& canvas, int fromX, int toX, int toY) {
        int wrong = 0;
        for (int y = 0; y < toY; ++y)
            for (int x = fromX; x < toX; ++x)
                wrong += canvas.At(x, y) != Tile[y % 2][(x + shift) % 2];
        EXPECT_EQ(0, wrong);
    };
    CMemoryCanvas erased(width, 12);
    EXPECT_TRUE(m_list.EraseListBackground(erased.dc));
    expectTiles(erased, 0, width, 12);
    for (bool movedOrigin : {false, true}) {
        SCOPED_TRACE(movedOrigin ? "origin at the scroll position" : "negative left edge");
        CMemoryCanvas canvas(width, RowHeight);
        int left = movedOrigin ? 0 : -shift;
        if (movedOrigin)
            SetWindowOrgEx(canvas.dc, shift, 0, nullptr);
        DRAWITEMSTRUCT item = {ODT_LISTBOX, 0, 3, ODA_DRAWENTIRE, 0, m_window, canvas.dc,
                               {left, 0, left + width, RowHeight}, 0};
        SendMessageW(m_mainWindow, WM_DRAWITEM, 0, (LPARAM)&item);
        expectTiles(canvas, 20, 90, RowHeight); // between the host's two texts
    }
    CoUninitialize();
}

TEST_F(ListDrawingTest, MarksAreCachedPerSizeAndColour)
{
    Stick({L"f8"});
    m_context.Settings().StickStyle = 1;
    Build({Folder()});
    CMemoryCanvas canvas(RowWidth + 50, RowHeight);
    for (int i = 0; i < 100; ++i)
        Draw(canvas, 1);
    EXPECT_EQ(1u, m_list.MarkCount());
    Draw(canvas, 1, RowWidth + 50);
    m_context.Settings().StickColor = RGB(1, 2, 3);
    Draw(canvas, 1);
    EXPECT_EQ(1u, m_list.MarkCount());
}

} // namespace
