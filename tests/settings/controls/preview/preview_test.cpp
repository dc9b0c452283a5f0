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

bool Near(DWORD a, DWORD b, int tolerance = 3)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
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
        {L"missing-1-2.bmp", FALSE, 40, 18},
        {L"z-0-0.bmp", TRUE, 38, 16},
        {L"h-20.bmp", TRUE, 38, 20},
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
    struct Probe { int x, dy; DWORD expected; };
    struct Case { const char* name; int enabled, style, fill; std::vector<Probe> probes; } cases[] = {
        {"disabled", 0, 1, 33, {{5, 0, white}, {50, 15, white}}},
        {"frame", 1, 1, 33, {{5, 0, Rgb(colour)}, {99, 8, Rgb(colour)}, {50, 15, Rgb(colour)}, {50, 8, white}}},
        {"solid", 1, 2, 33, {{10, 8, Rgb(colour)}, {30, 8, content}}},
        {"underline", 1, 3, 33, {{50, 15, Rgb(colour)}, {50, 14, white}, {4, 15, white}}},
        {"fade 50 px", 1, 0, 150, {{5, 8, faded}, {30, 8, content}, {57, 8, white}, {90, 8, white}}},
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
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(p.expected, canvas.At(p.x, 38 + p.dy)))
                << p.x << "," << p.dy << ": " << std::hex << canvas.At(p.x, 38 + p.dy);
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
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = i;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hDC = canvas.dc;
        dis.itemData = list.GetItemData(i);
        SetRect(&dis.rcItem, 0, 0, 200, height);
        list.DrawItem(&dis);
    }
    CWnd parent;
    CPreviewList list;
};

} // namespace

TEST(PreviewList, FillStylesAndSeparatorLines)
{
    const COLORREF c1 = RGB(255, 0, 0), c2 = RGB(0, 0, 255);
    struct Probe { int x, y; COLORREF expected; };
    // 255 bands over a few rows: a row shows the last band drawn on it.
    struct Case { int style; COLORREF second; int tolerance; std::vector<Probe> probes; } cases[] = {
        {1, c2, 12, {{20, 10, c1}, {199, 10, c2}}},
        {2, c2, 12, {{100, 0, c1}, {100, 19, c2}}},
        {3, c2, 40, {{100, 0, c1}, {100, 10, c2}, {100, 19, c1}}},
        {4, c2, 0, {{100, 10, c1}, {20, 10, c2}, {100, 0, c2}}},
        {1, c1, 0, {{20, 10, c1}, {199, 10, c1}}}, // equal colours: solid
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CListFixture f;
        f.list.KindColors(PreviewNormal) = {c1, c.second, RGB(0, 255, 0), c.style};
        f.list.AddPreviewItem(L"", PreviewNormal);
        CMemoryCanvas canvas(200, 60);
        f.Draw(canvas, 0);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(Rgb(p.expected), canvas.At(p.x, p.y), c.tolerance)) << p.x << "," << p.y << std::hex << " "
                                                                         << canvas.At(p.x, p.y);
        EXPECT_EQ(Rgb(f.list.GetIconColumnColor()), canvas.At(5, 10));
    }
    CListFixture f;
    f.list.KindColors(PreviewNormal) = {RGB(100, 150, 200), RGB(100, 150, 200), 0, 1};
    f.list.AddPreviewItem(L"", PreviewTitle);
    CMemoryCanvas canvas(200, 60);
    f.Draw(canvas, 0);
    EXPECT_EQ(Rgb(AdjustColor(RGB(100, 150, 200), -40, 0)), canvas.At(0, 1));
    EXPECT_EQ(Rgb(AdjustColor(RGB(100, 150, 200), 40, 0)), canvas.At(0, 2));
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
