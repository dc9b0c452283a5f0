// The engine menu against a fake engine: items, ids, hotkey texts, icons and
// greying for each switch; the bookmark menu's texts; the choices (settings
// utility, reload, bookmarks, commands) and the menu of a side with its "GW"
// request, chosen through the replaceable tracker; "GotoDirRelative"'s mapping.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "BookmarkMenu.h"
#include "Bookmarks.h"
#include "EngineMenu.h"
#include "EngineSettings.h"
#include "FakeEngine.h"
#include "HostTestSupport.h"
#include "IconMenu.h"
#include "IconMenuShared.h"
#include "RelativeFolder.h"
#include "TestFiles.h"

namespace {

// The host main window keeps the WM_COPYDATA blocks and host commands.
struct HostLog {
    std::vector<std::pair<ULONG_PTR, std::string>> blocks;
    int commands = 0;
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* log = (HostLog*)GetWindowLongPtrW(window, GWLP_USERDATA)) {
        auto* block = (COPYDATASTRUCT*)lParam;
        if (message == WM_COPYDATA)
            log->blocks.push_back({block->dwData, std::string((const char*)block->lpData, block->cbData)});
        log->commands += message == HostCommandMessage;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class CMenuEngine : public CFakeEngine {
public:
    CMenuEngine() : folder(L"enginemenu")
    {
        WNDCLASSW wc = {0, HostProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"EngineMenuTestHost"};
        RegisterClassW(&wc);
        host.mainWindow = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr,
                                          nullptr, nullptr);
        SetWindowLongPtrW(host.mainWindow, GWLP_USERDATA, (LONG_PTR)&log);
        paths.engineFolder = (folder.Path() + L"\\").c_str();
        paths.stickyFile = folder.File(L"Merovin.stk").c_str();
        hotkeyTexts.Set(CmdToggleStick, L"Ctrl+T");
        hotkeyTexts.Set(CmdReloadSettings, L"Alt+R");
        hotkeyTexts.Set(CmdBookMarkNext, L"F11");
        commands = &executor;
    }
    ~CMenuEngine() override { DestroyWindow(host.mainWindow); }
    const EnginePaths& Paths() const override { return paths; }
    const HostValues& Host() const override { return host; }
    const CMenuHotkeyTexts& MenuHotkeyTexts() const override { return hotkeyTexts; }
    bool BroadcastSettingsReload() const override { return ++reloads > 0; }

    CTempFolder folder;
    EnginePaths paths;
    HostValues host;
    CMenuHotkeyTexts hotkeyTexts;
    HostLog log;
    mutable int reloads = 0;
    CNoTargets targets;
    CCommandExecutor executor{*this, targets};
};

struct Item {
    std::wstring caption;
    bool greyed = false, icon = false;
    CIconMenu* submenu = nullptr;
};

// The menu's items by id (0: the last separator, -1: the last submenu).
std::map<UINT, Item> Items(CIconMenu& menu)
{
    std::map<UINT, Item> items;
    for (int i = 0; i < menu.GetItemCount(); ++i) {
        IconMenuItem* item = menu.GetItem(i, TRUE);
        UINT id = GetMenuItemID(menu.m_hMenu, i);
        Item& out = items[id];
        out = {item->caption.GetString(), (GetMenuState(menu.m_hMenu, i, MF_BYPOSITION) & MF_GRAYED) != 0,
               item->icon != nullptr, (item->type & MF_POPUP) ? (CIconMenu*)item->tag : nullptr};
    }
    return items;
}

class CChoosingTracker : public CIconMenuTracker {
public:
    UINT choice = 0;
    std::map<UINT, Item> seen;
    POINT at = {};
    int Track(CIconMenu& menu, UINT, int x, int y, CWnd*) override
    {
        seen = Items(menu);
        at = {x, y};
        return int(choice);
    }
};

} // namespace

TEST(EngineMenu, ItemsHotkeysIconsAndGreying)
{
    CMenuEngine engine;
    // Switches: s StickyFiles, l a list, f a short sticky file, n no sticky
    // names, c no current item, p current "..", k current item sticky,
    // b BookMarks, w widths enabled, W custom widths, g grouping, G on.
    // Greyed: the five sticky items (Toggle, Stick, Unstick, Config, UnstickAll).
    struct { const char* state; const char* greyed; } cases[] = {
        {"sl", "..x.."}, {"slk", ".x..."}, {"slc", "xxx.."}, {"slp", "xxx.."},
        {"sln", "..x.x"}, {"slf", "..xx."}, {"l", "xxxxx"}, {"s", "xxxxx"},
        {"slbwWgG", "..x.."}, {"slG", "..x.."},
    };
    for (const auto& c : cases) {
        auto has = [&](char f) { return strchr(c.state, f) != nullptr; };
        EngineMenuState state;
        state.title = L"Merovin\tv1.0";
        state.stickyFiles = has('s'), state.hasList = has('l'), state.stickyFileShort = has('f');
        state.stickyCount = has('n') ? 0 : 2, state.current = has('c') ? -1 : has('p') ? -2 : 3;
        state.currentSticky = has('k'), state.bookmarks = has('b'), state.columnsEnabled = has('w');
        state.customColumns = has('W'), state.groupingAvailable = has('g'), state.groupingOn = has('G');
        CIconMenu menu;
        BuildEngineMenu(engine, menu, state, {L"C:\\one"});
        std::map<UINT, Item> items = Items(menu);
        const UINT sticky[] = {CmdToggleStick, CmdStickIt, CmdUnStickIt, CmdStickConfig, CmdUnStickAll};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.greyed[i] == 'x', items[sticky[i]].greyed) << c.state << " item " << i;
        EXPECT_EQ(!has('b'), items.count(MenuBookmarksOff) && items[MenuBookmarksOff].greyed) << c.state;
        EXPECT_EQ(!has('w'), items[CmdChangeColumns].greyed) << c.state;
        EXPECT_EQ(has('W'), items[CmdChangeColumns].icon) << c.state;
        EXPECT_EQ(!has('g'), items[CmdUseFileGrouping].greyed) << c.state;
        EXPECT_EQ(has('g') && has('G'), items[CmdUseFileGrouping].icon) << c.state;
        if (has('b')) { // the bookmark submenu: ToggleBookMark greyed for ".."
            std::map<UINT, Item> sub = Items(*items[UINT(-1)].submenu);
            EXPECT_EQ(has('p'), sub[CmdToggleBookMark].greyed);
            EXPECT_EQ(L"C:\\one\t&1", sub[11].caption);
        }
    }
    CIconMenu menu;
    BuildEngineMenu(engine, menu, EngineMenuState(), {});
    std::map<UINT, Item> items = Items(menu);
    for (const auto& c : std::map<UINT, std::wstring>{{CmdToggleStick, L"Toggle Stick\tCtrl+T"},
             {CmdStickIt, L"Stick File\t"}, {CmdReloadSettings, L"Reload &Settings\tAlt+R"},
             {MenuRunSettings, L"&Run Prefector"}})
        EXPECT_EQ(c.second, items[c.first].caption) << c.first;
}

// A menu whose popup is gone takes no item: the build goes on without the
// items' records and keeps neither the bookmark submenu nor its font reference.
TEST(EngineMenu, MenuThatTakesNoItemKeepsNothing)
{
    CMenuEngine engine;
    CIconMenu menu;
    ::DestroyMenu(menu.Detach());
    int references = CIconMenuShared::FontReferences();
    EngineMenuState state;
    state.bookmarks = state.customColumns = state.groupingAvailable = state.groupingOn = true;
    BuildEngineMenu(engine, menu, state, {L"C:\\one"});
    EXPECT_EQ(0, menu.GetItemCount());
    EXPECT_EQ(references, CIconMenuShared::FontReferences());
}

TEST(EngineMenu, BookmarkMenuTexts)
{
    CMenuEngine engine;
    std::vector<CString> paths;
    for (int i = 1; i <= 11; ++i)
        paths.push_back(CString(L"C:\\b") + CString(std::to_wstring(i).c_str()));
    paths.push_back(CString(L"C:\\") + CString(std::wstring(300, L'x').c_str()) + L"\\end.txt");
    engine.Settings().PersistBookmarks = 1;
    CIconMenu menu;
    FillBookmarkMenu(engine, menu, paths, 0);
    std::map<UINT, Item> items = Items(menu);
    for (const auto& c : std::map<UINT, std::wstring>{{11, L"C:\\b1\t&1"}, {19, L"C:\\b9\t&9"}, {20, L"C:\\b10\t&0"},
             {21, L"C:\\b11"}, {CmdBookMarkNext, L"&Next Bookmark\tF11"}})
        EXPECT_EQ(c.second, items[c.first].caption) << c.first;
    EXPECT_LT(items[22].caption.size(), 200u);
    EXPECT_NE(std::wstring::npos, items[22].caption.find(L"..."));
    EXPECT_TRUE(items[CmdToggleSaveBookmark].icon);
    engine.Settings().PersistBookmarks = 0;
    CIconMenu one;
    FillBookmarkMenu(engine, one, {L"C:\\only"}, -2);
    items = Items(one);
    EXPECT_FALSE(items[CmdToggleSaveBookmark].icon);
    for (UINT id : {CmdBookMarkNext, CmdBookMarkPrev, CmdToggleBookMark, CmdCopyBookMark, CmdClearBookMark})
        EXPECT_EQ(id != CmdCopyBookMark && id != CmdClearBookMark, items[id].greyed) << id;
}

TEST(EngineMenu, ChoicesAndTheMenuOfASide)
{
    CMenuEngine engine;
    CBookmarks bookmarks(engine);
    CEngineMenu menu(engine, bookmarks);
    std::vector<CString> paths;
    for (int i = 1; i <= 12; ++i)
        paths.push_back(CString(L"C:\\b") + CString(std::to_wstring(i).c_str()));
    // Every bookmark goes to its path in the source panel; ids past them,
    // 65500 and the bookmarks never reach the host as commands.
    for (UINT id : {11u, 20u, 21u, 22u, 23u, MenuBookmarksOff}) {
        engine.log.blocks.clear();
        menu.RunChoice(id, paths);
        std::string sent = id <= 22 ? "\xEF\xBB\xBF" + std::string(CStringA(paths[id - 11]).GetString()) +
                                          std::string("\r\0SA\0", 5) : "";
        EXPECT_EQ(sent, engine.log.blocks.empty() ? "" : engine.log.blocks[0].second) << id;
    }
    EXPECT_EQ(0, engine.log.commands);
    menu.RunChoice(CmdReloadSettings, paths);
    EXPECT_EQ(1, engine.reloads);
    // "JumpBookMark"'s choice: a command runs, a bookmark becomes the current one.
    bookmarks.RunMenuChoice(CmdToggleSaveBookmark, paths);
    EXPECT_EQ(1, engine.Settings().PersistBookmarks);
    bookmarks.RunMenuChoice(13, paths);
    EXPECT_EQ(3, bookmarks.Current());

    // The right side's menu: "GW" with "RP", then the settings utility.
    ASSERT_TRUE(CopyFileW(BinFile(L"merovset_stub.exe").c_str(), engine.folder.File(L"MerovSet.exe").c_str(), FALSE));
    CChoosingTracker tracker;
    tracker.choice = MenuRunSettings;
    CIconMenuShared::SetTracker(&tracker);
    engine.log.blocks.clear();
    EXPECT_EQ(1, menu.Show(1, POINT{123, 45}));
    EXPECT_EQ(0, menu.Show(-1, POINT{})); // no focused file list
    CIconMenuShared::SetTracker(nullptr);
    ASSERT_EQ(1u, engine.log.blocks.size());
    EXPECT_EQ(0x5747u, engine.log.blocks[0].first);
    EXPECT_EQ("RP", engine.log.blocks[0].second);
    EXPECT_EQ(123, tracker.at.x);
    EXPECT_TRUE(tracker.seen[CmdToggleStick].greyed); // no list
    EXPECT_TRUE(WaitFor(10000, [&] {
        return GetFileAttributesW(engine.folder.File(L"launched.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
}

TEST(EngineMenu, RelativeFolderMapping)
{
    // result empty: no common component.
    struct { const wchar_t* source; const wchar_t* target; const wchar_t* result; } cases[] = {
        {L"C:\\w\\projA\\src\\util", L"D:\\m\\projB\\src", L"D:\\m\\projB\\src\\util"},
        {L"C:\\w\\projA\\src\\util", L"D:\\m\\projB\\src\\other", L"D:\\m\\projB\\src\\util"},
        {L"C:\\a\\b", L"D:\\x\\y", L""},
        {L"C:\\a\\b", L"C:\\x", L"C:\\a\\b"}, // the drive component
        {L"C:\\a\\Src", L"D:\\src", L""},     // with case
        {L"\\\\srv\\share\\a\\b", L"\\\\other\\pub\\a", L"\\\\other\\pub\\a\\b"},
        {L"\\\\srv\\share\\x", L"\\\\other\\pub", L""}, // empty parts never match
        {L"C:\\", L"\\\\srv\\share", L""},
    };
    for (const auto& c : cases) {
        CString result;
        EXPECT_EQ(*c.result != 0, RelativeFolder(c.source, c.target, result)) << c.source << L" / " << c.target;
        EXPECT_STREQ(c.result, result.GetString()) << c.source;
    }
}
