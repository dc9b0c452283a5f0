// Sorting by a column, and printing into enhanced metafiles.
#include "GridTestSupport.h"
#include "ResourceCounts.h"
#include <chrono>
#include <random>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

CString Column(CGridCtrl& g, int col)
{
    CString all;
    for (int r = g.GetFixedRowCount(); r < g.GetRowCount(); ++r)
        all += g.GetCellText(r, col) + L"|";
    return all;
}

TEST(GridSort, OrderDirectionAndRowsMovingWhole)
{
    struct Case
    {
        std::vector<const wchar_t*> texts;
        BOOL ascending;
        const wchar_t* sorted;
    };
    const Case cases[] = {
        { { L"b", L"B", L"a", L"", L"A" }, TRUE, L"|A|B|a|b|" }, // code units
        { { L"b", L"B", L"a", L"", L"A" }, FALSE, L"b|a|B|A||" },
        { { L"x", L"x", L"x", L"x" }, TRUE, L"x|x|x|x|" },
    };
    for (const Case& c : cases) {
        GridWindow w((int)c.texts.size() + 1, 2, 1);
        CTestGrid& g = w.grid;
        for (size_t i = 0; i < c.texts.size(); ++i) {
            g.SetCellText((int)i + 1, 0, c.texts[i]);
            g.SetCellText((int)i + 1, 1, CString(c.texts[i]) + L"#");
            g.CellAt((int)i + 1, 1)->SetUserValue((int)i);
            g.SetRowHeight((int)i + 1, 20 + (int)i);
        }
        g.SetFocusCell(2, 1);
        g.SetSelectedRange(1, 0, 2, 1);
        ASSERT_TRUE(g.SortTextItems(0, c.ascending));
        EXPECT_STREQ(c.sorted, Column(g, 0));
        for (int r = 1; r < g.GetRowCount(); ++r) {
            EXPECT_EQ(CString(g.GetCellText(r, 0)) + L"#", g.GetCellText(r, 1));
            int was = g.CellAt(r, 1)->UserValue();
            EXPECT_EQ(20 + was, g.RowHeight(r));
            if (c.texts[0] == CString(L"x")) {
                EXPECT_EQ(r - 1, was); // equal texts keep their order
            }
        }
        EXPECT_EQ(0, g.GetSelectedCount());
        EXPECT_FALSE(g.IsValid(g.GetFocusCell()));
        EXPECT_EQ(0, g.GetSortColumn());
    }

    // Header clicks with sorting on: ascending, then descending.
    GridWindow w(4, 2, 1);
    CTestGrid& g = w.grid;
    g.SetCellText(1, 1, L"m");
    g.SetCellText(2, 1, L"z");
    g.SetCellText(3, 1, L"a");
    g.SetSortOnFixedRowClick(TRUE);
    CRect head;
    ASSERT_TRUE(g.CellRect(0, 1, &head));
    for (const wchar_t* want : { L"a|m|z|", L"z|m|a|" }) {
        g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(head.left + 20, head.top + 3));
        g.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(head.left + 20, head.top + 3));
        EXPECT_STREQ(want, Column(g, 1));
        EXPECT_EQ(1, g.GetSortColumn());
    }
    EXPECT_FALSE(g.GetSortAscending());
}

TEST(GridSort, LargeInputsInTime)
{
    const int n = 100000;
    CGridCtrl g(n + 1, 1, 1);
    std::mt19937 random(7);
    std::vector<CString> texts(n);
    for (CString& t : texts)
        for (int i = 0; i < 8; ++i)
            t += (WCHAR)(L'a' + random() % 26);
    for (const wchar_t* kind : { L"random", L"sorted", L"reversed", L"equal" }) {
        for (int i = 0; i < n; ++i)
            g.CellAt(i + 1, 0)->SetText(kind == std::wstring(L"equal") ? L"same" : (LPCWSTR)texts[i]);
        auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(g.SortTextItems(0, TRUE));
        EXPECT_LT(Seconds(start), 1.0) << kind;
        for (int i = 2; i <= n; ++i)
            ASSERT_LE(wcscmp(g.GetCellText(i - 1, 0), g.GetCellText(i, 0)), 0) << kind;
        if (kind == std::wstring(L"sorted"))
            g.SortTextItems(0, FALSE); // the next round starts reversed
        for (int i = 0; i < n && kind != std::wstring(L"equal"); ++i)
            texts[i] = g.GetCellText(i + 1, 0);
    }
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM p)
{
    if (rec->iType == EMR_EXTTEXTOUTW) {
        auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        auto* s = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(rec) + t->emrtext.offString);
        reinterpret_cast<std::vector<std::wstring>*>(p)->emplace_back(s, t->emrtext.nChars);
    }
    return 1;
}

// Every text drawn into a metafile, in order.
std::vector<std::wstring> TextsOf(HENHMETAFILE emf)
{
    std::vector<std::wstring> texts;
    ::EnumEnhMetaFile(nullptr, emf, CollectText, &texts, nullptr);
    return texts;
}

// Prints every page; the texts of each page.
std::vector<std::vector<std::wstring>> PrintAll(CGridCtrl& g, UINT* pMaxPage = nullptr, bool read = true)
{
    HDC screen = ::GetDC(nullptr);
    CDC first;
    first.Attach(::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr));
    first.m_bPrinting = TRUE;
    CPrintInfo info;
    g.BeginPrinting(&first, &info);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(first.Detach()));
    std::vector<std::vector<std::wstring>> pages;
    for (UINT page = 1; page <= info.GetMaxPage() && page < 10000; ++page) {
        CDC dc;
        dc.Attach(::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr));
        dc.m_bPrinting = TRUE;
        info.m_nCurPage = page;
        g.PrintPage(&dc, &info);
        HENHMETAFILE emf = ::CloseEnhMetaFile(dc.Detach());
        pages.push_back(read ? TextsOf(emf) : std::vector<std::wstring>());
        ::DeleteEnhMetaFile(emf);
    }
    g.EndPrinting(nullptr, &info);
    ::ReleaseDC(nullptr, screen);
    if (pMaxPage)
        *pMaxPage = info.GetMaxPage();
    return pages;
}

// The page count by the layout rule: rows fill the page height left
// after the header, footer, gaps and fixed rows; a page takes at least
// one row.
int ExpectedPages(CGridCtrl& g)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    HFONT font = ::CreateFontW(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size;
    ::GetTextExtentPoint32W(dc, L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &size);
    int width = g.VirtualWidth() + size.cx / 52 * 8;
    int height = ::MulDiv(width, ::GetDeviceCaps(dc, VERTRES), ::GetDeviceCaps(dc, HORZRES));
    int rowSpace = height - 6 * size.cy - g.FixedRowHeight();
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
    ::ReleaseDC(nullptr, screen);
    int pages = 1, sum = 0;
    for (int r = g.GetFixedRowCount(); r < g.GetRowCount(); ++r) {
        if (sum > 0 && sum + g.RowHeight(r) > rowSpace) {
            ++pages;
            sum = 0;
        }
        sum += g.RowHeight(r);
    }
    return pages;
}

TEST(GridPrint, PagesHeaderFooterAndEveryRowOnce)
{
    struct Case
    {
        int rows;
        int tallRow; // made taller than a page; 0: none
    };
    for (Case c : { Case{ 1, 0 }, Case{ 120, 0 }, Case{ 40, 5 } }) {
        SCOPED_TRACE(c.rows);
        GridWindow w(c.rows + 1, 2, 1);
        CTestGrid& g = w.grid;
        w.owner.SetWindowText(L"Rules of the view");
        g.SetCellText(0, 0, L"Match");
        g.SetCellText(0, 1, L"Pattern");
        for (int r = 1; r <= c.rows; ++r) {
            CString text;
            text.Format(L"row %d", r);
            g.SetCellText(r, 1, text);
        }
        if (c.tallRow)
            g.SetRowHeight(c.tallRow, 5000);
        UINT maxPage = 0;
        auto pages = PrintAll(g, &maxPage);
        EXPECT_EQ((UINT)ExpectedPages(g), maxPage);
        ASSERT_EQ(maxPage, pages.size());
        int next = 1;
        for (size_t p = 0; p < pages.size(); ++p) {
            CString footer;
            footer.Format(L"Page %d of %d", (int)p + 1, (int)maxPage);
            const auto& t = pages[p];
            auto has = [&](const wchar_t* s) { return std::find(t.begin(), t.end(), std::wstring(s)) != t.end(); };
            EXPECT_TRUE(has(footer)) << p;
            EXPECT_TRUE(has(L"Rules of the view")) << p;
            EXPECT_TRUE(has(L"Pattern")) << p;
            int onPage = 0;
            for (const std::wstring& s : t) {
                if (s.compare(0, 4, L"row ") != 0)
                    continue;
                EXPECT_EQ(next, _wtoi(s.c_str() + 4)) << "page " << p + 1;
                ++next;
                ++onPage;
            }
            EXPECT_GT(onPage, 0) << "page " << p + 1;
        }
        EXPECT_EQ(c.rows + 1, next); // every row once, in order
    }
}

TEST(GridPrint, ManyRowsInTimeAndNoLeaks)
{
    GridWindow w(10001, 3, 1);
    CTestGrid& g = w.grid;
    for (int c = 0; c < 3; ++c)
        g.SetColumnWidth(c, 160); // a page as wide as a settings page's grid
    for (int r = 1; r <= 10000; ++r)
        g.SetCellText(r, 1, L"some text");
    auto start = std::chrono::steady_clock::now();
    auto pages = PrintAll(g, nullptr, false);
    EXPECT_LT(Seconds(start), 5.0);
    EXPECT_GT(pages.size(), 10u);

    GridWindow small(5, 2, 1);
    PrintAll(small.grid);
    long before = ResourceCount::GdiObjects();
    for (int i = 0; i < 10; ++i)
        PrintAll(small.grid);
    EXPECT_EQ(before, ResourceCount::GdiObjects());
}

} // namespace
