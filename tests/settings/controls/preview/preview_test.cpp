// The previews: the picture's layout from its name, the mark styles over a
// white file list, and the drive menu's entries in their colours.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ColorConvert.h"
#include "MemoryCanvas.h"
#include "PreviewFiles.h"
#include "PreviewList.h"
#include "TestFiles.h"

CWinApp theApp(L"PreviewTests");

namespace {

DWORD Rgb(COLORREF c) { return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c); }

// A white 24-bit BMP file.
void WriteWhiteBmp(const std::wstring& path, int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> file(54 + stride * h, 0xFF);
    BITMAPFILEHEADER fh = {0x4D42, (DWORD)file.size(), 0, 0, 54};
    BITMAPINFOHEADER ih = {sizeof(ih), w, h, 1, 24, BI_RGB, (DWORD)(stride * h), 0, 0, 0, 0};
    memcpy(file.data(), &fh, 14);
    memcpy(file.data() + 14, &ih, 40);
    WriteBytes(path, file.data(), file.size());
}

// Pixels expected at points of a canvas, each channel within the tolerance.
struct Probe { int x, y; DWORD expected; };
void ExpectNear(CMemoryCanvas& canvas, const std::vector<Probe>& probes, int tolerance = 3)
{
    for (const Probe& p : probes) {
        DWORD a = p.expected, b = canvas.At(p.x, p.y);
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_LE(abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)), tolerance)
                << p.x << "," << p.y << ": " << std::hex << b;
    }
}

} // namespace

TEST(PreviewFiles, PictureNameGivesTheLayout)
{
    CTempFolder folder(L"preview_layout");
    CreateDirectoryW(folder.File(L"my-dir").c_str(), nullptr);
    for (LPCWSTR name : {L"p-40-18.bmp", L"p.bmp", L"my-dir\\q.bmp", L"z-0-0.bmp", L"h-20.bmp"})
        WriteWhiteBmp(folder.File(name), 40, 30);
    struct { LPCWSTR file; BOOL loaded; int top, height; } steps[] = {
        {L"p-40-18.bmp", TRUE, 40, 18},
        {L"p.bmp", TRUE, 40, 18},        // no "-": the layout stays
        {L"my-dir\\q.bmp", TRUE, 40, 18}, // a folder's "-" does not count
        {L"missing-1-2.bmp", FALSE, 40, 18}, {L"z-0-0.bmp", TRUE, 38, 16}, {L"h-20.bmp", TRUE, 38, 20},
    };
    CPreviewFiles preview;
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.top) + "/" + std::to_string(s.height));
        EXPECT_EQ(s.loaded, preview.SetBackgroundFile(folder.File(s.file).c_str()));
        EXPECT_EQ(s.top, preview.GetFirstTop());
        EXPECT_EQ(s.height, preview.GetRowHeight());
    }
}

TEST(PreviewFiles, MarkStylesOverTheBackground)
{
    const COLORREF colour = RGB(200, 40, 0);
    const DWORD white = 0xFFFFFF, content = 0x000000;
    // Over white, colour at 191/255 (the mask's left edge is opaque).
    DWORD faded = Rgb(RGB(200 * 191 / 255 + 64, 40 * 191 / 255 + 64, 64));
    // The first row spans y 38 to 53.
    struct Case { const char* name; int enabled, style, fill; std::vector<Probe> probes; } cases[] = {
        {"disabled", 0, 1, 33, {{5, 38, white}, {50, 53, white}}},
        {"frame", 1, 1, 33, {{5, 38, Rgb(colour)}, {99, 46, Rgb(colour)}, {50, 53, Rgb(colour)}, {50, 46, white}}},
        {"solid", 1, 2, 33, {{10, 46, Rgb(colour)}, {30, 46, content}}},
        {"underline", 1, 3, 33, {{50, 53, Rgb(colour)}, {50, 52, white}, {4, 53, white}}},
        {"fade 50 px", 1, 0, 150, {{5, 46, faded}, {30, 46, content}, {57, 46, white}, {90, 46, white}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryCanvas canvas(100, 120, white);
        for (int y = 38; y < 54; ++y)
            canvas.bits[y * 100 + 30] = content; // the picture's content in the first row
        CPreviewFiles preview;
        CPreviewMark mark;
        mark.nEnabled = c.enabled, mark.crColour = colour, mark.nStyle = c.style, mark.nFill = c.fill;
        preview.SetMark(0, mark);
        CDC dc;
        dc.Attach(canvas.dc);
        preview.DrawMarks(&dc, CRect(0, 0, 100, 120));
        dc.Detach();
        ExpectNear(canvas, c.probes);
    }
    CPreviewFiles preview;
    EXPECT_EQ(CRect(5, 70, 100, 86), preview.MarkRow(1, CRect(0, 0, 100, 120)));
    EXPECT_EQ(CRect(5, 86, 100, 102), preview.MarkRow(2, CRect(0, 0, 100, 120)));
}

namespace {

class CListFixture
{
public:
    CListFixture()
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr);
        list.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_NOSEL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 200, 100), &parent, 18);
    }
    ~CListFixture() { parent.DestroyWindow(); }
    // Draws entry i into a 200 x 60 canvas at the top.
    void Draw(CMemoryCanvas& canvas, int i, int height = 20)
    {
        DRAWITEMSTRUCT dis = {ODT_LISTBOX, 0, (UINT)i, ODA_DRAWENTIRE, 0, nullptr, canvas.dc, {0, 0, 200, height},
                              list.GetItemData(i)};
        list.DrawItem(&dis);
    }
    CWnd parent;
    CPreviewList list;
};

} // namespace

TEST(PreviewList, FillStylesAndSeparatorLines)
{
    const COLORREF c1 = RGB(255, 0, 0), c2 = RGB(0, 0, 255);
    const DWORD r = Rgb(c1), b = Rgb(c2);
    // 255 bands over a few rows: a row shows the last band drawn on it.
    struct Case { int style; COLORREF second; int tolerance; std::vector<Probe> probes; } cases[] = {
        {1, c2, 12, {{20, 10, r}, {199, 10, b}}},
        {2, c2, 12, {{100, 0, r}, {100, 19, b}}},
        {3, c2, 40, {{100, 0, r}, {100, 10, b}, {100, 19, r}}},
        {4, c2, 0, {{100, 10, r}, {20, 10, b}, {100, 0, b}}},
        {1, c1, 0, {{20, 10, r}, {199, 10, r}}}, // equal colours: solid
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CListFixture f;
        f.list.KindColors(PreviewNormal) = {c1, c.second, RGB(0, 255, 0), c.style};
        f.list.AddPreviewItem(L"", PreviewNormal);
        CMemoryCanvas canvas(200, 60);
        f.Draw(canvas, 0);
        ExpectNear(canvas, c.probes, c.tolerance);
        EXPECT_EQ(Rgb(f.list.GetIconColumnColor()), canvas.At(5, 10));
    }
    // A title's separator: a dark line over a light one.
    const COLORREF blue = RGB(100, 150, 200);
    CListFixture f;
    f.list.KindColors(PreviewNormal) = {blue, blue, 0, 1};
    f.list.AddPreviewItem(L"", PreviewTitle);
    CMemoryCanvas canvas(200, 60);
    f.Draw(canvas, 0);
    ExpectNear(canvas, {{0, 1, Rgb(AdjustColor(blue, -40, 0))}, {0, 2, Rgb(AdjustColor(blue, 40, 0))}}, 0);
}

TEST(PreviewList, TextIconsAndTheAreaBelow)
{
    CListFixture f;
    f.list.KindColors(PreviewNormal) = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 255, 0), 5};
    const DWORD column = Rgb(f.list.GetIconColumnColor());
    HICON icon = nullptr;
    ExtractIconExW(L"SHELL32.DLL", 8, nullptr, &icon, 1);
    f.list.AddPreviewItem(L"CCCC+DDDD", PreviewNormal, icon);
    f.list.AddPreviewItem(L"last", PreviewNormal);
    // Pixels of x0..x1 (rows 0..19) that are neither white nor the icon column.
    auto Drawn = [&](CMemoryCanvas& canvas, int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < 20; ++y)
                n += canvas.At(x, y) != 0xFFFFFF && canvas.At(x, y) != column;
        return n;
    };
    for (BOOL hide : {FALSE, TRUE}) {
        SCOPED_TRACE(hide);
        f.list.SetHideIcons(hide);
        CMemoryCanvas canvas(200, 60);
        f.Draw(canvas, 0);
        EXPECT_EQ(!hide, Drawn(canvas, 0, 20) > 0) << "the icon";
        EXPECT_GT(Drawn(canvas, 28, 60), 0) << "the text before the +";
        EXPECT_GT(Drawn(canvas, 150, 196), 0) << "the text after it";
        EXPECT_EQ(0, Drawn(canvas, 90, 120));
    }
    // Below the last entry, down to the client's bottom.
    CMemoryCanvas below(200, 60);
    f.Draw(below, 1);
    EXPECT_EQ(column, below.At(5, 40));
    EXPECT_EQ(0xFFFFFFu, below.At(100, 40));
}

TEST(PreviewList, SharedFontLivesUntilTheLastList)
{
    std::unique_ptr<CPreviewList> first(new CPreviewList), second(new CPreviewList);
    HFONT font = CPreviewList::SharedFont();
    ASSERT_NE(nullptr, font);
    first.reset();
    EXPECT_EQ((DWORD)OBJ_FONT, GetObjectType(font)) << "the second list still draws with it";
    second.reset();
    EXPECT_EQ(nullptr, CPreviewList::SharedFont());
    CPreviewList again;
    EXPECT_EQ((DWORD)OBJ_FONT, GetObjectType(CPreviewList::SharedFont()));
}
