// The file name of a row text, the layout a list is classified as (layout 2
// through the host's drawing recorded into a metafile), the column width of
// multi-column lists and the sticky file's reader.
#include "FileListFixture.h"
#include "StickyNames.h"

namespace {

TEST(ExtractFileName, TakesTheNameFromEveryRowForm)
{
    struct Case {
        const wchar_t* text;
        UINT layout;
        int sizeStyle;
        const wchar_t* name;
        int result;
    } cases[] = {
        {L"a b.txt\t12\t01.02.2024 10:00", LayoutColumns, 0, L"a b.txt", 1},
        {L"..\t<DIR>", LayoutColumnsWithParent, 0, L"..", 1},
        {L"notes.md >15 01.02.2024", LayoutNameMarker, 0, L"notes.md", 1},
        {L"sub   <DIR>  01.02.2024", LayoutColumns, 0, L"sub", 1},
        {L"a 1 01.02.24 10:00 -a", LayoutColumns, 0, L"a 1 01.02.24 10:00 -a", 1},  // 21 characters
        {L"ab 1 01.02.24 10:00 -a", LayoutColumns, 0, L"ab", 1},                     // 22 characters
        {L"my file.txt 1 k 01.02.2024 10:00 -a--", LayoutColumns, 1, L"my file.txt", 1},
        {L"a very long name without marks", LayoutColumns, 0, L"a very long name without marks", 1},
        {L"x.txt\t1", LayoutMultiColumn, 0, L"x.txt\t1", 1},
        {L"x.txt\t1", LayoutThumbnails, 0, L"x.txt\t1", 0},
        {L"x.txt\t1", LayoutVirtualFolder, 0, L"x.txt\t1", 0},
    };
    for (const Case& c : cases) {
        CString text = c.text;
        EXPECT_EQ(c.result, ExtractFileName(text, c.layout, c.sizeStyle)) << c.text;
        EXPECT_STREQ(c.name, text.GetString()) << c.text;
    }
}

class ListLayoutTest : public CFileListFixture {};

TEST_F(ListLayoutTest, ClassifiesEachLayoutAndNeverReordersThumbnailsOrVirtualFolders)
{
    const std::wstring a = L"a.txt\t1\t01.02.2024", b = L"b.txt\t1\t01.02.2024";
    struct Case {
        const char* what;
        CListOptions options;
        UINT layout;
        bool captured; // the host drew row 0 into the engine's metafile
    } cases[] = {
        {"multi-column", {{L"..\t<DIR>", a, b}, LBS_MULTICOLUMN}, LayoutMultiColumn, false},
        {"columns", {{a, b}}, LayoutColumns, false},
        {"parent drawn as [..]", {{L"..\t<DIR>", L"sub\t<DIR>\t01.02.2024", a, b}}, LayoutColumnsWithParent, true},
        {"parent drawn as ..", {{L"..\t<DIR>", a, b}, 0, 16, 0}, LayoutColumnsWithParent, true},
        {"folder first", {{L"sub\t<DIR>\t01.02.2024", a, b}}, LayoutColumns, true},
        {"parent then marker rows", {{L"..", L"a.txt >1 01.02.2024", L"b.txt >1 01.02.2024"}}, LayoutNameMarker, false},
        {"thumbnails", {{a, b}, 0, 60}, LayoutThumbnails, false},
        {"virtual folder", {{L".\\.", a, b}}, LayoutVirtualFolder, false},
        {"desktop", {{L"\\Desktop", a, b}}, LayoutVirtualFolder, false},
        {"empty", {{}}, LayoutUnclassified, false},
        {"parent only", {{L".."}}, LayoutUnclassified, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // b.txt first would reorder every list that can be reordered.
        Stick({L"b.txt"});
        Build(c.options);
        m_drawn.clear();
        m_list.MapRowToHost(0);
        EXPECT_EQ(c.layout, m_list.Layout());
        bool captured = false;
        for (const CDrawn& drawn : m_drawn)
            captured = captured || (drawn.dcType == OBJ_ENHMETADC && drawn.item == 0);
        EXPECT_EQ(c.captured, captured);
        bool orderable = c.layout != LayoutThumbnails && c.layout != LayoutVirtualFolder && c.layout != LayoutUnclassified;
        EXPECT_EQ(orderable, m_list.IsOrdered());
        TearDownWindows();
    }
}

TEST_F(ListLayoutTest, ColumnWidthIsTheStoredOneFromFiftyUpAndNeverZero)
{
    struct Case {
        int changeColumns;
        int stored;
        int hostWidth;
        int width;
    } cases[] = {
        {1, 300, 120, 300}, {1, 30, 120, 120}, {0, 300, 120, 120},
        {1, 0, 120, 120},   // no width stored: the list box would divide by 0
        {1, 300, 0, 90},    // 0: the width the list had when attached
        {0, 0, 0, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        m_context.Settings().ChangeColumns = c.changeColumns;
        m_context.Settings().ColumnsWidth0 = c.stored;
        CListOptions options{{L"a.txt", L"b.txt"}, LBS_MULTICOLUMN};
        options.columnWidth = 90;
        Build(options);
        Send(LB_SETCOLUMNWIDTH, c.hostWidth);
        RECT row = {};
        Send(LB_GETITEMRECT, 0, (LPARAM)&row);
        EXPECT_EQ(c.width, row.right - row.left);
        TearDownWindows();
    }
}

TEST(StickyNames, ReadsKeysFromOneUpToTheFirstGap)
{
    CTempFolder folder(L"sticky");
    std::string many = "[F]\r\n";
    for (int key = 1; key <= 101; ++key)
        many += std::to_string(key) + "=n" + std::to_string(key) + "\r\n";
    struct Case {
        std::string text;
        int result;
        std::vector<std::wstring> names;
    } cases[] = {
        {"[F]\r\n1=a.txt\r\n2=Sub\r\n4=d\r\n", 3, {L"a.txt", L"Sub"}},
        {"[F]\r\n2=b\r\n", 1, {}},
        {"[F]\r\n1=\r\n2=b\r\n", 1, {}},
        {"[G]\r\n1=a\r\n", 0, {}},
        {many, 101, {}},
    };
    for (const Case& c : cases) {
        WriteText(folder.File(L"Merovin.stk"), c.text.c_str());
        CStringArray names;
        EXPECT_EQ(c.result, ReadStickyNames(folder.File(L"Merovin.stk").c_str(), L"F", names)) << c.text;
        if (c.result == 101) {
            ASSERT_EQ(100, names.GetSize());
            EXPECT_STREQ(L"n100", names[99].GetString());
            continue;
        }
        ASSERT_EQ((INT_PTR)c.names.size(), names.GetSize()) << c.text;
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_STREQ(c.names[i].c_str(), names[i].GetString());
    }
}

} // namespace
