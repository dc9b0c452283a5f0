// The order of the rows and the translation of the list box messages: sticky
// names first, both maps inverse permutations, strings addressed in host
// order, selections and the caret in rows, the sticky commands' caret item.
#include "FileListFixture.h"
#include "StickyStore.h"
#include <algorithm>
#include <random>

namespace {

std::wstring File(const std::wstring& name)
{
    return name + L"\t1\t01.02.2024 10:00";
}

// "..", the folder "sub", then a.txt, b.txt, c.txt, z.txt (host indexes 0 to 5).
std::vector<std::wstring> SmallFolder()
{
    return {L"..\t<DIR>", L"sub\t<DIR>\t01.02.2024 10:00", File(L"a.txt"), File(L"b.txt"), File(L"c.txt"),
            File(L"z.txt")};
}

class ListOrderTest : public CFileListFixture {
protected:
    RECT ItemRect(int index)
    {
        RECT rect = {};
        Send(LB_GETITEMRECT, index, (LPARAM)&rect);
        return rect;
    }
    std::vector<int> Selected()
    {
        std::vector<int> items((size_t)Send(LB_GETCOUNT));
        items.resize((size_t)std::max<LRESULT>(0, Send(LB_GETSELITEMS, items.size(), (LPARAM)items.data())));
        std::sort(items.begin(), items.end());
        return items;
    }
    // Every row shows a different host item and both maps lead back.
    void ExpectPermutation()
    {
        std::vector<int> order = Order();
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (size_t i = 0; i < sorted.size(); ++i)
            ASSERT_EQ((int)i, sorted[i]);
        for (size_t row = 0; row < order.size(); ++row)
            ASSERT_EQ((int)row, m_list.MapHostToRow(order[row]));
    }
};

TEST_F(ListOrderTest, StickyNamesComeFirstAndTheHostDrawsEachRowsItem)
{
    struct Case {
        int stickySort;
        std::vector<int> order;
    } cases[] = {
        {1, {0, 1, 3, 5, 2, 4}}, // sub, then b.txt and z.txt by name
        {0, {0, 1, 5, 3, 2, 4}}, // sub, then z.txt and b.txt as listed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stickySort);
        m_context.Settings().StickySort = c.stickySort;
        Stick({L"z.txt", L"B.TXT", L"sub", L"gone.txt"});
        Build({SmallFolder()});
        EXPECT_EQ(c.order, Order());
        ExpectPermutation();
        std::vector<CDrawn> drawn = Paint();
        EXPECT_GE(drawn.size(), 6u);
        for (const CDrawn& row : drawn)
            EXPECT_EQ(c.order[row.top / 16], row.item) << "row " << row.top / 16;
        // The host's caret on z.txt: asked back, it is z.txt, in z.txt's row.
        Send(LB_SETCARETINDEX, 5);
        EXPECT_EQ(5, Send(LB_GETCARETINDEX));
        EXPECT_EQ(5, Send(LB_GETCURSEL));
        int row = (int)(std::find(c.order.begin(), c.order.end(), 5) - c.order.begin());
        EXPECT_EQ(row * 16, ItemRect(5).top);
        // The strings stay where the host put them.
        for (int i = 0; i < 6; ++i) {
            WCHAR text[64] = {};
            Send(LB_GETTEXT, i, (LPARAM)text);
            EXPECT_EQ(SmallFolder()[i], text);
        }
        TearDownWindows();
    }
}

TEST_F(ListOrderTest, RandomOrdersArePermutations)
{
    std::mt19937 random(17);
    const wchar_t* specs[] = {L"", L"*.txt|*.doc", L">*.b:*.a<*.c"};
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        int count = 3 + (int)(random() % 150);
        std::vector<std::wstring> rows, names;
        if (random() % 2)
            rows.push_back(L"..\t<DIR>");
        static const wchar_t* const extensions[] = {L"txt", L"doc", L"a", L"b", L"c"};
        for (int i = (int)rows.size(); i < count; ++i) {
            std::wstring name = L"n" + std::to_wstring(random() % 1000) + L"." + extensions[random() % 5];
            names.push_back(name);
            rows.push_back(random() % 6 ? File(name) : name + L"\t<DIR>\t01.02.2024");
        }
        std::vector<std::wstring> sticky;
        for (int i = 0; i < 8; ++i)
            sticky.push_back(names[random() % names.size()]);
        sticky.push_back(L"missing.txt");
        Stick(sticky);
        m_context.Settings().groupingActive = round % 3 != 0;
        bool gap = round % 4 == 3; // an item without a text leaves the host's order
        if (gap)
            rows[1 + random() % (rows.size() - 1)] = L"";
        Build({rows});
        // The masks come from the side's path window, which this list has not.
        m_list.SetGroupMasks(specs[round % 3]);
        m_list.OnFolderChanged();
        ExpectPermutation();
        if (gap) {
            EXPECT_FALSE(m_list.IsOrdered());
        }
        TearDownWindows();
    }
}

TEST_F(ListOrderTest, StringMessagesUseHostIndexesAndDeletionsKeepTheOrder)
{
    Stick({L"z.txt", L"c.txt"});
    Build({SmallFolder()});
    ASSERT_EQ((std::vector<int>{0, 4, 5, 1, 2, 3}), Order()); // sticky files before every other item
    EXPECT_EQ(5, Send(LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)File(L"z.txt").c_str()));
    EXPECT_EQ(3, Send(LB_FINDSTRING, (WPARAM)-1, (LPARAM)L"b.txt"));
    // Selected by string: the item's row is selected, its host index returned.
    EXPECT_EQ(3, Send(LB_SELECTSTRING, (WPARAM)-1, (LPARAM)L"b.txt"));
    EXPECT_EQ(std::vector<int>{3}, Selected());
    EXPECT_EQ(3, Send(LB_GETCARETINDEX));
    // a.txt goes: its own string goes, every other item keeps its selection
    // and the order is what a rebuild gives.
    Send(LB_SETSEL, FALSE, -1);
    Send(LB_SETSEL, TRUE, 5); // z.txt
    Send(LB_SETSEL, TRUE, 3); // b.txt
    ASSERT_EQ(5, Send(LB_DELETESTRING, 2));
    EXPECT_EQ((std::vector<int>{2, 4}), Selected());
    WCHAR text[64] = {};
    Send(LB_GETTEXT, 2, (LPARAM)text);
    EXPECT_EQ(File(L"b.txt"), text);
    std::vector<int> updated = Order();
    EXPECT_EQ((std::vector<int>{0, 3, 4, 1, 2}), updated);
    m_list.OnFolderChanged();
    EXPECT_EQ(updated, Order());
}

TEST_F(ListOrderTest, SelectionAndPointMessagesTranslateBothWays)
{
    Stick({L"z.txt"});
    Build({SmallFolder()});
    // Rows: .., z.txt, sub, a.txt, b.txt, c.txt. z.txt to a.txt is the band of rows 1 to 3.
    ASSERT_EQ((std::vector<int>{0, 5, 1, 2, 3, 4}), Order());
    EXPECT_EQ(0, Send(LB_SELITEMRANGE, TRUE, MAKELPARAM(5, 2)));
    EXPECT_EQ((std::vector<int>{1, 2, 5}), Selected());
    // The whole list, last to first, deselects every row whatever the order.
    EXPECT_EQ(0, Send(LB_SELITEMRANGEEX, 5, 0));
    EXPECT_EQ(0, Send(LB_GETSELCOUNT));
    EXPECT_EQ(0, Send(LB_SELITEMRANGEEX, 0, 5));
    EXPECT_EQ(6, Send(LB_GETSELCOUNT));
    EXPECT_EQ(0, Send(LB_SELITEMRANGEEX, 5, 2));  // deselects z.txt (row 1) to a.txt (row 3)
    EXPECT_EQ((std::vector<int>{0, 3, 4}), Selected());
    // Below the last row: the last row's item, and "outside" stays set.
    LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 6 * 16 + 20));
    EXPECT_EQ(4, LOWORD(hit));
    EXPECT_EQ(1, HIWORD(hit));
    EXPECT_EQ(1, LOWORD(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * 16 + 3))));
}

TEST_F(ListOrderTest, WhileDraggingTheTopAndCaretStayInRows)
{
    std::vector<std::wstring> rows = {L"..\t<DIR>"};
    for (int i = 0; i < 80; ++i)
        rows.push_back(File(L"f" + std::to_wstring(100 + i) + L".txt"));
    Stick({L"f152.txt"}); // host 53 in row 1: hosts 1 to 52 one row down
    Build({rows});
    Send(LB_SETCARETINDEX, 30); // row 31
    Send(LB_SETTOPINDEX, 50);   // row 51
    struct Case {
        WPARAM buttons; // of the pointer's move away from the press
        bool shift;
        int top, caret;
    } cases[] = {
        {0, false, 50, 30},
        {MK_LBUTTON, false, 51, 31},
        {MK_RBUTTON, false, 0, 30},
        {MK_RBUTTON, true, 51, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons);
        m_list.keys.clear();
        if (c.shift)
            m_list.keys.insert(VK_SHIFT);
        Send(WM_MOUSEMOVE, c.buttons, MAKELPARAM(100, 100));
        EXPECT_EQ(c.top, Send(LB_GETTOPINDEX));
        EXPECT_EQ(c.caret, Send(LB_GETCARETINDEX));
    }
}

TEST_F(ListOrderTest, WithoutStickyNamesOnlyTwoRowsAreReadAndIndexesPass)
{
    std::vector<std::wstring> rows = {L"..\t<DIR>"};
    for (int i = 0; i < 60; ++i)
        rows.push_back(File(L"f" + std::to_wstring(i) + L".txt"));
    CListOptions options{rows};
    options.countTexts = true;
    Build(options);
    m_textReads.clear();
    m_list.MapRowToHost(0);
    for (int index : m_textReads)
        EXPECT_LT(index, 2);
    EXPECT_FALSE(m_list.IsOrdered());
    // The same answers as a list box without the engine.
    HWND plain = CreateWindowExW(0, L"LISTBOX", L"", GetWindowLongW(m_window, GWL_STYLE), 0, 20, 400, 30 * 16 + 4,
                                 m_mainWindow, nullptr, nullptr, nullptr);
    for (const std::wstring& row : rows)
        SendMessageW(plain, LB_ADDSTRING, 0, (LPARAM)row.c_str());
    auto script = [](HWND list) {
        std::vector<LRESULT> answers;
        for (int index : {0, 1, 60, -1, 61, 45}) {
            answers.push_back(SendMessageW(list, LB_SETCARETINDEX, index, 0));
            answers.push_back(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
            answers.push_back(SendMessageW(list, LB_SETSEL, TRUE, index));
            answers.push_back(SendMessageW(list, LB_GETSEL, index, 0));
            answers.push_back(SendMessageW(list, LB_GETCURSEL, 0, 0));
            answers.push_back(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
            RECT rect = {};
            answers.push_back(SendMessageW(list, LB_GETITEMRECT, index, (LPARAM)&rect));
            answers.push_back(rect.top);
        }
        return answers;
    };
    EXPECT_EQ(script(plain), script(m_window));
}

TEST_F(ListOrderTest, ANewFolderGetsItsOwnOrder)
{
    CTempFolder other(L"other");
    std::string text = "[" + Narrow(m_folder.Path()) + "]\r\n1=z.txt\r\n[" + Narrow(other.Path()) + "]\r\n1=c.txt\r\n";
    WriteSticky(text.c_str());
    Build({SmallFolder()});
    EXPECT_EQ((std::vector<int>{0, 5, 1, 2, 3, 4}), Order());
    // The host fills the list before it shows the new path.
    Fill(SmallFolder());
    m_list.MapRowToHost(0);
    SetWindowTextW(m_pathBar, (other.Path() + L"\\*.*").c_str());
    m_list.OnFolderChanged();
    EXPECT_EQ((std::vector<int>{0, 4, 1, 2, 3, 5}), Order());
    // A folder without sticky names: host indexes address their own rows again.
    CTempFolder plain(L"plain");
    SetWindowTextW(m_pathBar, (plain.Path() + L"\\*.*").c_str());
    m_list.OnFolderChanged();
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(index, m_list.MapHostToRow(index));
}

class CFakeStore : public CStickyStore {
public:
    void SetPosition(LPCWSTR folder, LPCWSTR name, int place) override
    {
        calls.push_back(std::wstring(folder) + L"|" + name + L"|" + std::to_wstring(place));
    }
    void RunDialog(HWND, LPCWSTR, BOOL) override { calls.push_back(L"dialog"); }
    std::vector<std::wstring> calls;
};

TEST_F(ListOrderTest, StickyCommandsActOnTheCaretItem)
{
    Stick({L"z.txt"});
    Build({{L"..\t<DIR>", File(L"a.txt"), File(L"dir\\b.txt"), File(L"z.txt")}});
    std::wstring folder = m_folder.Path() + L"|";
    struct Case {
        int op;
        int caret; // host index
        int result;
        std::wstring call;
    } cases[] = {
        {2, 1, 1, folder + L"a.txt|1"},
        {4, 3, 1, folder + L"z.txt|-2"},
        {0, 0, 0, L""},  // ".." is never sticky
        {2, 2, 1, L""},  // a name with a path: a beep, nothing stored
        {1, 1, 1, folder + L"a.txt|-3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.op);
        CFakeStore store;
        Send(LB_SELITEMRANGEEX, 0, 3);
        Send(LB_SETCARETINDEX, c.caret);
        EXPECT_EQ(c.result, m_list.StickyCommand(c.op, store));
        EXPECT_EQ(c.call.empty() ? 0u : 1u, store.calls.size());
        if (!c.call.empty()) {
            EXPECT_EQ(c.call, store.calls[0]);
            EXPECT_EQ(0, Send(LB_GETSELCOUNT));
        }
    }
}

} // namespace
