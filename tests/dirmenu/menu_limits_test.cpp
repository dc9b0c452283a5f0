// Menu files that loop, fan out or hold huge keys build a bounded menu in
// bounded time, also on a thread with the 1 MB stack of a host's GUI thread.
#include "PathfanFixture.h"
#include "MenuBuilder.h"
#include "MenuItems.h"
#include <algorithm>
#include <functional>
#include <memory>

namespace {

const double QuickBuild = 100.0; // milliseconds

// Runs `work` on a thread with a 1 MB stack; false when it did not return in
// time (a stack overflow ends the thread with the exception's code).
bool RunOnSmallStack(const std::function<void()>& work, DWORD timeout = 30000)
{
    const DWORD Returned = 1;
    HANDLE thread = CreateThread(
        nullptr, 1024 * 1024,
        [](LPVOID parameter) -> DWORD {
            (*static_cast<const std::function<void()>*>(parameter))();
            return 1;
        },
        (LPVOID)&work, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    DWORD code = 0;
    bool ended = WaitForSingleObject(thread, timeout) == WAIT_OBJECT_0 &&
                 GetExitCodeThread(thread, &code) && code == Returned;
    CloseHandle(thread);
    return ended;
}

double Milliseconds(const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// Entries of the menu and all its submenus.
int CountEntries(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    int total = count;
    for (int i = 0; i < count; ++i) {
        if (HMENU submenu = GetSubMenu(menu, i))
            total += CountEntries(submenu);
    }
    return total;
}

// Sections L0 to L{levels - 1}, each naming the next one twice, and a leaf.
std::wstring Chain(int levels)
{
    std::wstring text;
    for (int level = 0; level < levels; ++level) {
        std::wstring next = L"$sub(L" + std::to_wstring(level + 1) + L")";
        text += L"[L" + std::to_wstring(level) + L"]\na=" + next + L"\nb=" + next + L"\n";
    }
    return text + L"[L" + std::to_wstring(levels) + L"]\nleaf=x\n";
}

class PathfanLimitsTest : public PathfanFixture
{
protected:
    void SetUp() override
    {
        PathfanFixture::SetUp();
        WriteFixtures();
    }
    // Builds `section` of "TCPathfan.ini" on a small stack; the menu as text.
    // `ms` gets the fastest of up to five builds (a busy machine slows some),
    // built until one takes less than QuickBuild.
    std::wstring Build(LPCWSTR section, int* entries = nullptr, double* ms = nullptr,
                       CMenuBuilder* builder = nullptr)
    {
        CMenuBuilder ownBuilder(m_pathfan.GetSettingsFile(), m_hostIni.c_str());
        if (!builder)
            builder = &ownBuilder;
        std::unique_ptr<CPopupMenu> menu;
        double fastest = 1e9;
        for (int run = 0; run < (ms ? 5 : 1) && fastest >= QuickBuild; ++run) {
            menu.reset(new CPopupMenu);
            double time = 0;
            EXPECT_TRUE(RunOnSmallStack([&] {
                time = Milliseconds([&] { builder->BuildMenuFromSection(menu->GetHandle(), section, 1); });
            }));
            fastest = std::min(fastest, time);
        }
        EXPECT_EQ(builder->GetItemCount(), (UINT)CountEntries(menu->GetHandle()));
        if (entries)
            *entries = CountEntries(menu->GetHandle());
        if (ms)
            *ms = fastest;
        return DumpMenu(menu->GetHandle());
    }
};

TEST_F(PathfanLimitsTest, SectionsOpenOnThePathAreNotOpenedAgain)
{
    struct {
        const wchar_t* settings;
        const wchar_t* menu;
    } cases[] = {
        {L"[Menu]\nX=x\nLoop=$sub(Menu)\n", L"X#1|($sub)#2"},
        {L"[Menu]\na=$sub(menu)\nb=$sub( Menu )\n", L"($sub)#1|($sub)#2"},
        {L"[Menu]\nA=$sub(S)\n[S]\nB=$sub(T)\n[T]\nBack=$sub(S)\nt=1\n",
         L"A>[B>[($sub)#3|t#4]]"},
        // A section beside itself, not inside itself, opens each time.
        {L"[Menu]\nA=$sub(S)\nB=$sub(S)\n[S]\ns=1\n", L"A>[s#2]|B>[s#4]"},
    };
    for (const auto& test : cases) {
        m_folder.Write(L"TCPathfan.ini", test.settings);
        double ms = 0;
        EXPECT_EQ(test.menu, Build(L"Menu", nullptr, &ms)) << test.settings;
        EXPECT_LT(ms, QuickBuild) << test.settings;
    }
}

TEST_F(PathfanLimitsTest, FanOutIsCappedAndQuick)
{
    // 16 levels with two references each would be 2^17 submenus.
    m_folder.Write(L"TCPathfan.ini", Chain(16));
    CMenuBuilder builder(m_pathfan.GetSettingsFile(), m_hostIni.c_str());
    int entries = 0;
    double ms = 0;
    std::wstring menu = Build(L"L0", &entries, &ms, &builder);
    EXPECT_EQ(MaxSubmenus, builder.GetSubmenuCount());
    EXPECT_LE(entries, (int)MaxMenuItems);
    EXPECT_EQ(0u, menu.find(L"a>[a>[a>[")) << menu.substr(0, 80);
    EXPECT_LT(ms, QuickBuild);

    // Plain items stop at the entry cap.
    std::wstring big = L"[Menu]\n";
    for (int n = 0; n < 5000; ++n)
        big += L"i" + std::to_wstring(n) + L"=x\n";
    m_folder.Write(L"TCPathfan.ini", big);
    Build(L"Menu", &entries, &ms);
    EXPECT_EQ((int)MaxMenuItems, entries);
    EXPECT_LT(ms, QuickBuild);

    // Hotlist submenus, each with an item, nested 500 deep: a build that
    // recursed per level would overflow the stack; 16 levels are shown.
    std::wstring hotlist = L"[DirMenu]\n";
    for (int n = 1; n <= 1000; n += 2) {
        hotlist += L"menu" + std::to_wstring(n) + L"=-s\nmenu" + std::to_wstring(n + 1) + L"=F\ncmd" +
                   std::to_wstring(n + 1) + L"=cd c:\\f\n";
    }
    m_hostIni = m_folder.Write(L"deep.ini", hotlist + L"menu1001=--\nmenu1002=G\ncmd1002=cd c:\\g\n");
    m_folder.Write(L"TCPathfan.ini", L"[Menu]\nH=$sec(DirMenu)\n");
    Build(L"Menu", &entries);
    EXPECT_EQ(1 + 16 * 2, entries);
}

TEST_F(PathfanLimitsTest, HugeKeysAndHardPatternsMatchNothingWithoutCrashing)
{
    std::wstring longKey(5000, L'k');
    std::wstring hugeKey(38000, L'h');
    m_hostIni = m_folder.Write(L"huge.ini", L"[Searches]\n" + longKey + L"_SearchFor=*.x\n" +
                                                longKey + L"=y\n" + hugeKey + L"=z\nok_SearchFor=*.y\n");
    m_folder.Write(L"TCPathfan.ini",
                   L"[Menu]\ns=$sec(Searches)\nw=$swat(Searches,3,-1,(.)*,1)\n");
    std::wstring menu = Build(L"Menu");
    // The dump shows 254 characters of a caption; "(.)*" takes the last one.
    std::wstring shown = longKey.substr(0, 254);
    for (size_t at; (at = menu.find(shown)) != std::wstring::npos;)
        menu.replace(at, shown.size(), L"<long>");
    EXPECT_EQ(0u, menu.find(L"s>[<long>#2|ok#3]|w>[r\t*.x#5|k\ty#6|")) << menu.substr(0, 300);

    // An exponential pattern gives up (no match) in bounded time.
    std::wstring key(30000, L'a');
    CString group;
    bool found = true;
    double ms = 0;
    ASSERT_TRUE(RunOnSmallStack([&] {
        ms = Milliseconds([&] { found = RegexGroup(key.c_str(), L"(a*)*b", 1, group); });
    }));
    EXPECT_FALSE(found);
    EXPECT_LT(ms, 5000.0);
}

} // namespace
