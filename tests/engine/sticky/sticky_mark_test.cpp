// The sticky mark of a row: only the sticky items found in the listing count,
// not the names the section holds for files that are gone.
#include "FileListFixture.h"
#include "StickyFile.h"

namespace {

class StickyMarkTest : public CFileListFixture {};

TEST_F(StickyMarkTest, OnlyRowsOfStickyItemsFoundAreMarked)
{
    auto file = [](const wchar_t* name) { return std::wstring(name) + L"\t1\t01.02.2024 10:00"; };
    // Host order: "..", a.txt, b.txt, c.txt, z.txt; shown: "..", z.txt, b.txt, a.txt, c.txt.
    m_context.Settings().StickySort = 0;
    Stick({L"z.txt", L"gone.txt", L"B.TXT", L"also-gone.txt"});
    Build({{L"..\t<DIR>", file(L"a.txt"), file(L"b.txt"), file(L"c.txt"), file(L"z.txt")}});
    ASSERT_EQ((std::vector<int>{0, 4, 2, 1, 3}), Order());
    struct Case {
        bool stickyFiles;
        int index;
        bool sticky;
    } cases[] = {
        {true, 4, true}, {true, 2, true},   // z.txt and b.txt
        {true, 1, false},                   // a.txt, third row: two names are gone
        {true, 3, false}, {true, 0, false}, // c.txt; ".." never
        {true, -1, false}, {false, 4, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.sticky, IsStickyItem(c.stickyFiles, m_list, c.index)) << c.index << " " << c.stickyFiles;
}

} // namespace
