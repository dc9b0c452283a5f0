// The band selection: the rows under a band over a sticky order, the
// modifiers, a block in columns, auto-scroll at the edge, the column-width
// mode, the thumbnail grid, lists too small for a row or a thumbnail, and
// what is left after the loop (no capture, no clip, no band window).
#include "FileListFixture.h"
#include "TCTracktor.h"
#include "TracktorWnd.h"
#include <windowsx.h>

namespace {

const int RowHeight = 16;

std::vector<std::wstring> Folder(int files)
{
    std::vector<std::wstring> rows = {L"..\t<DIR>"};
    for (int i = 1; i <= files; ++i)
        rows.push_back(L"f" + std::to_wstring(100 + i) + L"\t1");
    return rows;
}

// Layered windows made and destroyed on this thread while the hook is in.
std::vector<HWND> g_bands, g_destroyed;

LRESULT CALLBACK WatchBands(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && (reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->dwExStyle & WS_EX_LAYERED))
        g_bands.push_back((HWND)wParam);
    if (code == HCBT_DESTROYWND)
        g_destroyed.push_back((HWND)wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ZiraviruraTest : public CFileListFixture {
protected:
    ZiraviruraTest()
    {
        m_context.Settings().Ziravirura = 1;
        m_hook = SetWindowsHookExW(WH_CBT, WatchBands, nullptr, GetCurrentThreadId());
        g_bands.clear();
        g_destroyed.clear();
        GetClipCursor(&m_clip);
    }
    ~ZiraviruraTest() override { UnhookWindowsHookEx(m_hook); }

    // A press at `from`, moves through `moves` (then Escape, which drops the
    // band) and the release at the last one, all posted before the press so
    // that the band's loop takes them.
    void Drag(POINT from, std::vector<POINT> moves, bool escape = false)
    {
        for (POINT p : moves)
            PostMessageW(m_window, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(p.x, p.y));
        if (escape)
            PostMessageW(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
        POINT end = moves.empty() ? from : moves.back();
        PostMessageW(m_window, WM_MBUTTONUP, 0, MAKELPARAM(end.x, end.y));
        SendMessageW(m_window, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(from.x, from.y));
        MSG msg;
        while (PeekMessageW(&msg, m_window, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg); // what the loop left (a press the host kept)
    }
    POINT Row(int row, int x = 20) { return {x, (row - (int)Send(LB_GETTOPINDEX)) * RowHeight + 5}; }
    // The selected rows.
    std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (int row = 0; row < (int)Send(LB_GETCOUNT); ++row)
            if (Send(LB_GETSEL, m_list.MapRowToHost(row)) > 0)
                rows.push_back(row);
        return rows;
    }
    // Nothing of the loop remains.
    void ExpectReleased()
    {
        EXPECT_EQ(nullptr, GetCapture());
        RECT clip;
        GetClipCursor(&clip);
        EXPECT_TRUE(EqualRect(&clip, &m_clip));
        for (HWND band : g_bands)
            EXPECT_FALSE(IsWindow(band));
    }

    HHOOK m_hook = nullptr;
    RECT m_clip = {};
};

TEST_F(ZiraviruraTest, BandSelectsTheRowsUnderItByTheModifiers)
{
    struct Case {
        std::set<int> keys;
        std::vector<int> selected;  // rows 3 to 7 after the band, row 5 selected before
    };
    const Case cases[] = {
        {{}, {3, 4, 6, 7}},
        {{VK_CONTROL}, {3, 4, 5, 6, 7}},
        {{VK_SHIFT}, {}},
        {{VK_SHIFT, VK_CONTROL}, {3, 4, 5, 6, 7}},
    };
    Stick({L"f109"});  // row 1 shows host 9: rows and host indexes differ
    Build({Folder(20)});
    ASSERT_EQ(9, m_list.MapRowToHost(1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.size());
        Send(LB_SETSEL, FALSE, -1);
        Send(LB_SETSEL, TRUE, m_list.MapRowToHost(5));
        m_list.keys = c.keys;
        g_bands.clear();
        Drag(Row(3), {Row(4), Row(6, 30), Row(7, 40)});
        EXPECT_EQ(c.selected, Selected());
        EXPECT_EQ(1u, g_bands.size());
        ExpectReleased();
    }
    // Turned off, the press stays the host's: nothing is taken from the queue.
    m_context.Settings().Ziravirura = 0;
    Send(LB_SETSEL, FALSE, -1);
    PostMessageW(m_window, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(20, 100));
    SendMessageW(m_window, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(20, 50));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, m_window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ZiraviruraTest, MultiColumnBandSelectsABlock)
{
    Build({Folder(59), LBS_MULTICOLUMN, RowHeight, 1, 90});
    SetWindowPos(m_window, nullptr, 0, 0, 400, 10 * RowHeight + GetSystemMetrics(SM_CYHSCROLL) + 2,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(m_window, &client);
    ASSERT_EQ(10, client.bottom / RowHeight);
    // From row 12 (column 1, place 2) to row 35 (column 3, place 5).
    Drag({90 + 10, 2 * RowHeight + 5}, {{3 * 90 + 10, 5 * RowHeight + 5}});
    std::vector<int> block;
    for (int column = 1; column <= 3; ++column)
        for (int place = 2; place <= 5; ++place)
            block.push_back(column * 10 + place);
    EXPECT_EQ(block, Selected());
    ExpectReleased();
}

TEST_F(ZiraviruraTest, AutoScrollAtTheBottomEdge)
{
    Build({Folder(100)});
    RECT client;
    GetClientRect(m_window, &client);
    int bottom = client.bottom - 1, right = client.right;
    struct Case { int top; int x; int expected; };
    // One row per change, ten in the right quarter; refused at the end of the list.
    const Case cases[] = {{0, 20, 1}, {0, right - 10, 10}, {50, 20, 51}};
    int last = 101 - client.bottom / RowHeight;
    for (Case c : cases) {
        Send(LB_SETTOPINDEX, c.top);
        Send(LB_SETSEL, FALSE, -1);
        Drag(Row(c.top + 2), {{c.x, bottom}}, true);
        EXPECT_EQ(c.expected, Send(LB_GETTOPINDEX)) << c.x;
        EXPECT_EQ(0, Send(LB_GETSELCOUNT)); // Escape selects nothing
    }
    Send(LB_SETTOPINDEX, last);
    Drag(Row(last + 2), {{20, bottom}, {20, bottom}}, true);
    EXPECT_EQ(last, Send(LB_GETTOPINDEX));
    ExpectReleased();
}

TEST_F(ZiraviruraTest, AltDragSetsTheColumnWidthOnlyWithChangeColumns)
{
    for (int changeColumns : {0, 1}) {
        m_context.Settings().ChangeColumns = changeColumns;
        Build({Folder(40), LBS_MULTICOLUMN, RowHeight, 1, 90});
        m_list.keys = {VK_LMENU};
        Drag({60, 20}, {{120, 20}, {180, 30}});
        WCHAR stored[16] = {};
        GetPrivateProfileStringW(L"Config", L"ColumnsWidth0", L"", stored, 16, m_context.paths.settingsFile);
        RECT first = {};
        Send(LB_GETITEMRECT, 0, (LPARAM)&first);
        EXPECT_STREQ(changeColumns ? L"180" : L"", stored);
        EXPECT_EQ(changeColumns ? 180 : 90, first.right - first.left);
        ExpectReleased();
        TearDownWindows();
    }
}

TEST_F(ZiraviruraTest, ThumbnailGridAndListsTooSmall)
{
    // Cells of 102 pixels in a row 400 wide: 3 per row, 133 apart.
    RECT topRow = {0, 0, 400, 60};
    std::vector<POINT> cells = CTCTracktor::ThumbnailCells({10, 5, 150, 70}, topRow, 60, 102);
    const POINT expected[] = {{10, 5}, {143, 5}, {10, 65}, {143, 65}};
    ASSERT_EQ(4u, cells.size());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(cells[i].x == expected[i].x && cells[i].y == expected[i].y) << i;
    EXPECT_TRUE(CTCTracktor::ThumbnailCells({0, 0, 80, 50}, {0, 0, 90, 60}, 60, 102).empty());

    // A thumbnail list narrower than a cell and a list shorter than a row
    // leave the press to the host.
    struct Small { int rowHeight, width, height; };
    for (Small small : {Small{60, 90, 300}, Small{RowHeight, 400, 10}}) {
        Build({Folder(5), 0, small.rowHeight});
        SetWindowPos(m_window, nullptr, 0, 0, small.width, small.height, SWP_NOMOVE | SWP_NOZORDER);
        Drag({20, 2}, {{40, 8}});
        EXPECT_TRUE(g_bands.empty()) << small.rowHeight;
        ExpectReleased();
        TearDownWindows();
    }
}

TEST(BandPixels, BorderOpaqueInsidePremultiplied)
{
    const int w = 6, h = 5;
    struct Case { COLORREF color; int opacity; int alpha; };
    for (Case c : {Case{RGB(200, 100, 50), 64, 64}, Case{RGB(255, 255, 255), 300, 255}, Case{RGB(9, 8, 7), 0, 0}}) {
        DWORD bits[w * h];
        BuildBandPixels(bits, w, h, c.color, c.opacity);
        DWORD r = GetRValue(c.color), g = GetGValue(c.color), b = GetBValue(c.color);
        EXPECT_EQ(0xFF000000 | r << 16 | g << 8 | b, bits[0]);
        EXPECT_EQ(bits[0], bits[w * h - 1]);
        DWORD a = (DWORD)c.alpha;
        EXPECT_EQ(a << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | b * a / 255, bits[2 * w + 2]);
    }
}

} // namespace
