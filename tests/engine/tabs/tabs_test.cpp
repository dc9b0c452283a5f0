// The folder-tab object on a real tab control in the test's own thread: moves,
// saved colours, folder decorations, timed and owned icons, painting into
// memory, the tab menu's order, ChronoTabs, mouse actions and the colour
// popup's round trip, and the restore from the host's INI.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "ColourPopup.h"
#include "FakeEngine.h"
#include "MyTabs.h"
#include "TestFiles.h"
#include "../../support/MemoryCanvas.h"

CWinApp theApp(L"TabsTests");

namespace {

const COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255);

class CTabsEngine : public CFakeEngine {
public:
    CTabsEngine() { commands = &executor; }
    CNoTargets targets;
    CCommandExecutor executor{*this, targets};
    HostValues host;
    EnginePaths paths;
    HostTreeSnapshot tree = {};
    std::vector<std::pair<UINT_PTR, UINT>> timers; // key, elapse
    const HostValues& Host() const override { return host; }
    const EnginePaths& Paths() const override { return paths; }
    const HostTreeSnapshot& Tree() const override { return tree; }
    UINT_PTR StartTimer(EngineTimer, UINT_PTR key, UINT elapse) override
    {
        timers.push_back({key, elapse});
        return 1;
    }
};

// Folder rules as the folder-rules feature will give them: "C:\Rule" is green.
class CTestRules : public CTabDecorationSource {
public:
    bool Decorate(int, LPCWSTR folder, TabDecoration& decoration) override
    {
        if (lstrcmpiW(folder, L"C:\\Rule") && lstrcmpiW(folder, L"C:\\B"))
            return false;
        decoration.colour = Green;
        return true;
    }
};

HICON SolidIcon(COLORREF colour)
{
    CMemoryCanvas canvas(16, 16, RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour)));
    for (int i = 0; i < 256; ++i)
        canvas.bits[i] |= 0xFF000000;
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info = {TRUE, 0, 0, mask, canvas.bitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

bool IconAlive(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

class TabsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        HINSTANCE inst = GetModuleHandleW(nullptr);
        main = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                               nullptr, inst, nullptr);
        path = CreateWindowExW(0, L"STATIC", L"C:\\Other\\*.*", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main,
                               nullptr, inst, nullptr);
        list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL, 0, 60, 300, 200, main,
                               nullptr, inst, nullptr);
        for (int i = 0; i < 5; ++i)
            SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)L"file");
        engine.host.mainWindow = main;
        engine.paths.settingsFile = folder.File(L"Merovin.ini").c_str();
        engine.paths.hostIni = folder.File(L"wincmd.ini").c_str();
        engine.tree.valid = 1;
        engine.tree.bar2[0] = path;
        engine.tree.fileList[0] = list;
        MakeTabs({L"a", L"b", L"c", L"d"});
    }
    void TearDown() override
    {
        delete tabs;
        DestroyWindow(main);
    }
    void MakeTabs(std::initializer_list<const wchar_t*> texts, int width = 400)
    {
        tabControl = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, 40, main, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        tabs = new CMyTabs(engine, 0);
        tabs->m_decorations = &rules;
        ASSERT_TRUE(tabs->InitTabs(tabControl));
        for (const wchar_t* text : texts)
            Insert(tabs->TabCount(), text);
    }
    // The host's insert: the A message carrying a wide item.
    void Insert(int position, const wchar_t* text)
    {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(text);
        SendMessageW(tabControl, TCM_INSERTITEMA, position, (LPARAM)&item);
    }
    // Chooses a colour for a tab through the popup, as a Ctrl+right click does.
    void ChooseThroughPopup(int tab, int steps)
    {
        RECT r;
        TabCtrl_GetItemRect(tabControl, tab, &r);
        SendMessageW(tabControl, WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(r.left + 3, r.top + 3));
        HWND popup = GetCapture();
        ASSERT_NE(nullptr, popup);
        for (int i = 0; i < steps; ++i)
            SendMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
        SendMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_FALSE(IsWindow(popup));
    }
    std::vector<WPARAM> PostedCommands()
    {
        std::vector<WPARAM> commands;
        MSG msg;
        while (PeekMessageW(&msg, main, HostCommandMessage, HostCommandMessage, PM_REMOVE))
            commands.push_back(msg.wParam);
        return commands;
    }

    CTempFolder folder{L"tabs"};
    CTabsEngine engine;
    CTestRules rules;
    HWND main = nullptr, path = nullptr, list = nullptr, tabControl = nullptr;
    CMyTabs* tabs = nullptr;
};

} // namespace

TEST_F(TabsTest, MovedTabsKeepTheUsersColourAndRulesLeaveItAlone)
{
    struct { DWORD deleteAfterMs; COLORREF expected; BOOL set; } cases[] = {{0, Red, TRUE}, {600, TabNoColor, FALSE}};
    for (const auto& c : cases) {
        DestroyWindow(tabControl);
        delete tabs;
        MakeTabs({L"a", L"b", L"c", L"d"});
        ChooseThroughPopup(2, 17); // from the default box to box 0, then on to red (16)
        ASSERT_EQ(Red, tabs->GetTabColor(2));
        // The host moves tab 2 to the front: a copy inserted, the old one deleted.
        Insert(0, L"c");
        Sleep(c.deleteAfterMs);
        SendMessageW(tabControl, TCM_DELETEITEM, 3, 0);
        ASSERT_EQ(4, tabs->TabCount());
        EXPECT_EQ(c.expected, tabs->GetTabColor(0)) << c.deleteAfterMs;
        EXPECT_EQ(c.set, tabs->Tab(0)->colourSet) << c.deleteAfterMs;
    }
    // The current tab shows a folder with a rule: a tab without a user colour takes it.
    TCITEMW item = {TCIF_TEXT};
    item.pszText = const_cast<LPWSTR>(L"Rule");
    SetWindowTextW(path, L"C:\\Rule\\*.*");
    struct { int tab; COLORREF expected; } rule[] = {{1, Green}, {2, TabNoColor}};
    SendMessageW(tabControl, WMU_COLOR_SELENDOK, TabNoColor, 0); // the user chose "No Color" for tab 2
    for (const auto& r : rule) {
        TabCtrl_SetCurSel(tabControl, r.tab);
        SendMessageW(tabControl, TCM_SETITEMW, r.tab, (LPARAM)&item);
        EXPECT_EQ(r.expected, tabs->GetTabColor(r.tab)) << r.tab;
    }
}

TEST_F(TabsTest, UserColoursSurviveTheControlsDestructionAndTeardown)
{
    // Tabs are there before attaching, as at a restart.
    DestroyWindow(tabControl);
    delete tabs;
    engine.Settings().KeepTabColors = 1;
    std::wstring ini = folder.File(L"Merovin.ini");
    WritePrivateProfileStringW(L"LeftTabColors", L"L0", L"#FF0000", ini.c_str());
    WritePrivateProfileStringW(L"LeftTabColors", L"L3", L"00FF00", ini.c_str());
    tabControl = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD, 0, 0, 400, 40, main, nullptr, nullptr, nullptr);
    for (int i = 0; i < 4; ++i) {
        TCITEMW item = {TCIF_TEXT};
        item.pszText = const_cast<LPWSTR>(L"t");
        SendMessageW(tabControl, TCM_INSERTITEMW, i, (LPARAM)&item);
    }
    tabs = new CMyTabs(engine, 0);
    ASSERT_TRUE(tabs->InitTabs(tabControl));
    struct { int tab; COLORREF colour; BOOL set; } read[] = {{0, Red, TRUE}, {1, TabNoColor, FALSE},
                                                             {3, Green, TRUE}};
    for (const auto& r : read) {
        EXPECT_EQ(r.colour, tabs->GetTabColor(r.tab)) << r.tab;
        EXPECT_EQ(r.set, tabs->Tab(r.tab)->colourSet) << r.tab;
    }
    tabs->SetTabColor(Blue, 1, false); // a rule's colour is never saved
    DestroyWindow(tabControl);         // saves once
    delete tabs;                       // teardown: nothing more is written
    tabs = nullptr;
    WCHAR section[256] = {};
    DWORD length = GetPrivateProfileSectionW(L"LeftTabColors", section, 256, ini.c_str());
    std::wstring text(section, length);
    EXPECT_EQ(std::wstring(L"L3=#00FF00") + L'\0' + L"L0=#FF0000" + L'\0', text);
}

TEST_F(TabsTest, TimedAndOwnedIcons)
{
    HICON first = SolidIcon(Red), second = SolidIcon(Blue), timed = SolidIcon(Green);
    tabs->SetTabIcon(first, 0, true);
    tabs->SetTabIcon(second, 0, true);
    EXPECT_FALSE(IconAlive(first)) << "a replaced owned icon is destroyed";
    SendMessageW(tabControl, TCM_DELETEITEM, 0, 0);
    EXPECT_FALSE(IconAlive(second)) << "a deleted tab's owned icon is destroyed";

    TabCtrl_SetCurSel(tabControl, 0);
    tabs->SetTabIconAndColor(timed, Blue, -1, true);
    ASSERT_EQ(1u, engine.timers.size());
    EXPECT_EQ(200u, engine.timers[0].second);
    TabCtrl_SetCurSel(tabControl, 2); // the host switched before the timer fired
    EXPECT_TRUE(tabs->OnTimedIcon(engine.timers[0].first));
    EXPECT_FALSE(tabs->OnTimedIcon(engine.timers[0].first)) << "fires once";
    EXPECT_EQ(0, tabs->PendingTimedIcons());
    EXPECT_EQ(timed, tabs->Tab(2)->icon);
    EXPECT_EQ(Blue, tabs->GetTabColor(2));
    TCITEMW item = {TCIF_IMAGE};
    TabCtrl_GetItem(tabControl, 2, &item);
    EXPECT_EQ(0, item.iImage);

    // A wide insert shifts the tabs' records as well; clearing the control drops them.
    TCITEMW wide = {TCIF_TEXT};
    wide.pszText = const_cast<LPWSTR>(L"w");
    SendMessageW(tabControl, TCM_INSERTITEMW, 0, (LPARAM)&wide);
    EXPECT_EQ(timed, tabs->Tab(3)->icon);
    SendMessageW(tabControl, TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(0, tabs->TabCount());
    EXPECT_FALSE(IconAlive(timed));
}

TEST_F(TabsTest, PaintingAddsColourIconAndLockMarks)
{
    EngineSettings& settings = engine.Settings();
    settings.MarkLockedTabs = 1;
    settings.LockedTabMark = 0;
    settings.LockedTabColor = Blue;
    tabs->m_lockQuery = [](const CMyTabs*, int position) { return position == 1 ? 2 : 0; };
    tabs->InitTabs(tabControl); // takes the lock states again
    tabs->SetTabColor(Red, 2, true);
    HICON icon = SolidIcon(RGB(255, 0, 255));
    tabs->SetTabIcon(icon, 3);
    TabCtrl_SetCurSel(tabControl, 0);

    CMemoryCanvas canvas(400, 40);
    tabs->PaintTabs(canvas.dc);
    GdiFlush();
    auto at = [&](int x, int y) { return canvas.bits[y * canvas.width + x] & 0xFFFFFF; };
    RECT r1, r2, r3;
    TabCtrl_GetItemRect(tabControl, 1, &r1);
    TabCtrl_GetItemRect(tabControl, 2, &r2);
    TabCtrl_GetItemRect(tabControl, 3, &r3);
    int mid = (r1.top + r1.bottom) / 2;
    EXPECT_EQ(0x0000FFu, at(r1.left + 3, mid)) << "lock bar";
    DWORD left = at(r2.left + 3, mid);
    EXPECT_GT((int)((left >> 16) & 0xFF), (int)((left >> 8) & 0xFF) + 60) << "red blended at the left edge";
    DWORD right = at(r2.right - 4, mid), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_NEAR((int)((right >> 16) & 0xFF), GetRValue(face), 12) << "faded at the right edge";
    EXPECT_EQ(0xFF00FFu, at(r3.left + 6 + 8, (r3.top + r3.bottom) / 2)) << "icon";
    DestroyIcon(icon);

    // The current tab's colour with "EnableATC": which colour shows at its left edge.
    settings.EnableATC = 1;
    settings.ActiveTabColor = Green;
    struct { int priority; COLORREF own; bool greenWins; } active[] = {
        {0, Red, true}, {1, Red, false}, {1, TabNoColor, true},
    };
    RECT r0;
    TabCtrl_GetItemRect(tabControl, 0, &r0);
    for (const auto& a : active) {
        settings.ColorPriority = a.priority;
        tabs->SetTabColor(a.own, 0, true);
        tabs->PaintTabs(canvas.dc);
        GdiFlush();
        DWORD p = at(r0.left + 3, (r0.top + r0.bottom) / 2);
        int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF;
        EXPECT_EQ(a.greenWins, green > red + 40) << a.priority << " " << a.own;
        EXPECT_EQ(!a.greenWins, red > green + 40) << a.priority << " " << a.own;
    }
}

TEST_F(TabsTest, TabMenuChronoTabsAndMouse)
{
    DestroyWindow(tabControl);
    delete tabs;
    MakeTabs({L"beta", L"Alpha", L"gamma"});
    struct { int sort; std::vector<int> ids; } menus[] = {{0, {1, 2, 3}}, {1, {2, 1, 3}}};
    for (const auto& m : menus) {
        engine.Settings().SortTabList = m.sort;
        std::vector<int> ids;
        for (const auto& item : tabs->TabListItems())
            ids.push_back(item.first);
        EXPECT_EQ(m.ids, ids) << m.sort;
    }

    PostedCommands();
    TabCtrl_SetCurSel(tabControl, 0);
    ASSERT_TRUE(tabs->ChronoTabs());
    EXPECT_EQ(2, TabCtrl_GetCurFocus(tabControl));
    tabs->ChronoTabsKeyUp(true);
    EXPECT_TRUE(PostedCommands().empty()) << "Shift still held";
    tabs->ChronoTabsKeyUp(false);
    SendMessageW(tabControl, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_EQ((std::vector<WPARAM>{5003, 3011}), PostedCommands());

    ChooseThroughPopup(1, 3); // from the default box: right to black, then three on
    EXPECT_EQ(ColourTable[2].colour, tabs->GetTabColor(1));
    EXPECT_TRUE(tabs->Tab(1)->colourSet);

    engine.Settings().JumpBeginEnd = 1;
    struct { int square; int caret; } jumps[] = {{1, 4}, {0, 0}};
    for (const auto& j : jumps) {
        CPoint centre = tabs->JumpSquare(j.square).CenterPoint();
        SendMessageW(tabControl, WM_MBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(j.caret, (int)SendMessageW(list, LB_GETCARETINDEX, 0, 0)) << j.square;
    }
}

TEST_F(TabsTest, WheelScrollsOnlyOverTheTabRowWhileTheArrowsShow)
{
    DestroyWindow(tabControl);
    delete tabs;
    MakeTabs({L"first folder", L"second folder", L"third folder", L"fourth folder"}, 150);
    HWND arrows = FindWindowExW(tabControl, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_TRUE(arrows && IsWindowVisible(arrows));
    RECT row;
    TabCtrl_GetItemRect(tabControl, 0, &row);
    struct { int delta; int y; int position; } steps[] = {
        {-120, row.top + 2, 0}, {120, row.top + 2, 1}, {120, row.bottom + 5, 1}, {-120, row.top + 2, 0},
    };
    for (const auto& s : steps) {
        POINT p = {5, s.y};
        ClientToScreen(tabControl, &p);
        SendMessageW(tabControl, WM_MOUSEWHEEL, MAKEWPARAM(0, s.delta), MAKELPARAM(p.x, p.y));
        EXPECT_EQ(s.position, LOWORD(SendMessageW(arrows, UDM_GETPOS, 0, 0))) << s.delta << " at " << s.y;
    }
}

TEST_F(TabsTest, RestoreNumbersTheOtherTabsPastTheActiveOne)
{
    std::wstring ini = folder.File(L"wincmd.ini");
    WriteText(ini, "[lefttabs]\r\nactivetab=1\r\n0_path=C:\\B\r\n1_path=C:\\C\r\n[left]\r\npath=C:\\A\r\n");
    DestroyWindow(tabControl);
    delete tabs;
    MakeTabs({L"B", L"A", L"C"});
    tabs->RestoreFromHost();
    EXPECT_EQ(Green, tabs->GetTabColor(0));
    EXPECT_EQ(TabNoColor, tabs->GetTabColor(1));
    EXPECT_EQ(TabNoColor, tabs->GetTabColor(2));
    EXPECT_GE(CMyTabs::ProcessAgeMs(), 0);
}
