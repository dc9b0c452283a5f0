// The engine menu against a fake engine: its items, ids, hotkey texts, icons
// and greying for each switch; the bookmark menu's texts; the choices (the
// settings utility, bookmarks, commands); the menu for a side, with its "GW"
// request and the menu chosen through the replaceable tracker; the folder
// mapping of "GotoDirRelative".
#include <gtest/gtest.h>
#include <functional>
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

// The host main window: records the WM_COPYDATA blocks it is sent.
struct CopyDataLog {
    std::vector<std::pair<ULONG_PTR, std::string>> blocks;
    int hostCommands = 0;
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* log = (CopyDataLog*)GetWindowLongPtrW(window, GWLP_USERDATA);
    if (log && message == WM_COPYDATA) {
        auto* block = (COPYDATASTRUCT*)lParam;
        log->blocks.push_back({block->dwData, std::string((const char*)block->lpData, block->cbData)});
        return 1;
    }
    if (log && message == HostCommandMessage)
        ++log->hostCommands;
    return DefWindowProcW(window, message, wParam, lParam);
}

class CMenuEngine : public CFakeEngine {
public:
    CMenuEngine() : folder(L"enginemenu")
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.lpszClassName = L"EngineMenuTestHost";
        RegisterClassW(&wc);
        host.mainWindow = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr,
                                          nullptr, nullptr);
        SetWindowLongPtrW(host.mainWindow, GWLP_USERDATA, (LONG_PTR)&log);
        paths.engineFolder = (folder.Path() + L"\\").c_str();
        paths.stickyFile = folder.File(L"Merovin.stk").c_str();
        paths.bookmarksFile = folder.File(L"Merovin.bkm").c_str();
        hotkeyTexts.Set(CmdToggleStick, L"Ctrl+T");
        hotkeyTexts.Set(CmdReloadSettings, L"Alt+R");
        hotkeyTexts.Set(CmdBookMarkNext, L"F11");
        commands = &executor;
    }
    ~CMenuEngine() override { DestroyWindow(host.mainWindow); }

    const EnginePaths& Paths() const override { return paths; }
    const HostValues& Host() const override { return host; }
    const CMenuHotkeyTexts& MenuHotkeyTexts() const override { return hotkeyTexts; }

    CTempFolder folder;
    EnginePaths paths;
    HostValues host;
    CMenuHotkeyTexts hotkeyTexts;
    CopyDataLog log;
    CNoTargets targets;
    CCommandExecutor executor{*this, targets};
};

struct Item {
    UINT id;
    std::wstring caption;
    bool greyed;
    bool icon;
};

std::vector<Item> Items(CIconMenu& menu)
{
    std::vector<Item> items;
    for (int i = 0; i < menu.GetItemCount(); ++i) {
        IconMenuItem* item = menu.GetItem(i, TRUE);
        UINT id = GetMenuItemID(menu.m_hMenu, i);
        UINT state = GetMenuState(menu.m_hMenu, i, MF_BYPOSITION);
        items.push_back({id == UINT(-1) ? 0 : id, item->caption.GetString(), (state & MF_GRAYED) != 0,
                         item->icon != nullptr});
    }
    return items;
}

const Item* Find(const std::vector<Item>& items, UINT id)
{
    for (const Item& item : items)
        if (item.id == id)
            return &item;
    return nullptr;
}

// Answers the menu with `choice` and keeps what it saw.
class CChoosingTracker : public CIconMenuTracker {
public:
    UINT choice = 0;
    std::vector<Item> seen;
    POINT at = {};
    int Track(CIconMenu& menu, UINT, int x, int y, CWnd*) override
    {
        seen = Items(menu);
        at = {x, y};
        return int(choice);
    }
};

} // namespace

TEST(EngineMenu, ItemsIdsHotkeysAndGreying)
{
    CMenuEngine engine;
    CBookmarks bookmarks(engine);
    EngineMenuState base;
    base.title = L"Merovin\tv1.0";
    base.stickyFiles = base.hasList = base.bookmarks = true;
    base.stickyCount = 2;
    base.current = 3;
    base.columnsEnabled = base.groupingAvailable = true;
    auto with = [&](std::function<void(EngineMenuState&)> change) {
        EngineMenuState state = base;
        change(state);
        return state;
    };
    // Greyed among ToggleStick, StickIt, UnStickIt, StickConfig, UnStickAll.
    const UINT sticky[] = {CmdToggleStick, CmdStickIt, CmdUnStickIt, CmdStickConfig, CmdUnStickAll};
    struct Case {
        const char* name;
        EngineMenuState state;
        const char* greyed;
    } cases[] = {
        {"item not sticky", base, "..x.."},
        {"item sticky", with([](EngineMenuState& s) { s.currentSticky = true; }), ".x..."},
        {"no current item", with([](EngineMenuState& s) { s.current = -1; }), "xxx.."},
        {"current item ..", with([](EngineMenuState& s) { s.current = -2; }), "xxx.."},
        {"no sticky names", with([](EngineMenuState& s) { s.stickyCount = 0; }), "..x.x"},
        {"short sticky file", with([](EngineMenuState& s) { s.stickyFileShort = true; }), "..xx."},
        {"StickyFiles off", with([](EngineMenuState& s) { s.stickyFiles = false; }), "xxxxx"},
        {"no list", with([](EngineMenuState& s) { s.hasList = false; }), "xxxxx"},
    };
    for (const Case& c : cases) {
        CIconMenu menu;
        BuildEngineMenu(engine, menu, c.state, {});
        std::vector<Item> items = Items(menu);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.greyed[i] == 'x', Find(items, sticky[i])->greyed) << c.name << " item " << i;
    }

    CIconMenu menu;
    BuildEngineMenu(engine, menu, base, {L"C:\\one"});
    std::vector<Item> items = Items(menu);
    EXPECT_EQ(L"Merovin\tv1.0", items[0].caption);
    EXPECT_EQ(L"Toggle Stick\tCtrl+T", Find(items, CmdToggleStick)->caption);
    EXPECT_EQ(L"Stick File\t", Find(items, CmdStickIt)->caption);
    EXPECT_EQ(L"Reload &Settings\tAlt+R", Find(items, CmdReloadSettings)->caption);
    EXPECT_EQ(L"&Run Prefector", Find(items, MenuRunSettings)->caption);
    EXPECT_EQ(nullptr, Find(items, MenuBookmarksOff));
    // The bookmark submenu: its ToggleBookMark greyed only for "..".
    for (int current : {3, -2}) {
        CIconMenu withBookmarks;
        BuildEngineMenu(engine, withBookmarks, with([&](EngineMenuState& s) { s.current = current; }), {L"C:\\one"});
        CIconMenu* submenu = nullptr;
        for (int i = 0; i < withBookmarks.GetItemCount(); ++i)
            if (withBookmarks.GetItem(i, TRUE)->type & MF_POPUP)
                submenu = reinterpret_cast<CIconMenu*>(withBookmarks.GetItem(i, TRUE)->tag);
        ASSERT_NE(nullptr, submenu);
        EXPECT_EQ(current == -2, Find(Items(*submenu), CmdToggleBookMark)->greyed);
        EXPECT_EQ(L"C:\\one\t&1", Find(Items(*submenu), 11)->caption);
    }

    struct Switches {
        const char* name;
        EngineMenuState state;
        bool bookmarksOff, columnsGreyed, columnsIcon, groupingGreyed, groupingIcon;
    } switches[] = {
        {"all on", with([](EngineMenuState& s) { s.customColumns = s.groupingOn = true; }), false, false, true, false,
         true},
        {"all off", with([](EngineMenuState& s) {
             s.bookmarks = s.columnsEnabled = s.groupingAvailable = false;
             s.groupingOn = true;
         }),
         true, true, false, true, false},
    };
    for (const Switches& s : switches) {
        CIconMenu m;
        BuildEngineMenu(engine, m, s.state, {});
        std::vector<Item> got = Items(m);
        EXPECT_EQ(s.bookmarksOff, Find(got, MenuBookmarksOff) != nullptr) << s.name;
        EXPECT_EQ(s.columnsGreyed, Find(got, CmdChangeColumns)->greyed) << s.name;
        EXPECT_EQ(s.columnsIcon, Find(got, CmdChangeColumns)->icon) << s.name;
        EXPECT_EQ(s.groupingGreyed, Find(got, CmdUseFileGrouping)->greyed) << s.name;
        EXPECT_EQ(s.groupingIcon, Find(got, CmdUseFileGrouping)->icon) << s.name;
        if (s.bookmarksOff)
            EXPECT_TRUE(Find(got, MenuBookmarksOff)->greyed);
    }
}

TEST(EngineMenu, BookmarkMenuTexts)
{
    CMenuEngine engine;
    std::vector<CString> items;
    for (int i = 1; i <= 11; ++i) {
        CString path;
        path.Format(L"C:\\b%d", i);
        items.push_back(path);
    }
    items.push_back(CString(L"C:\\") + CString(std::wstring(300, L'x').c_str()) + L"\\end.txt");
    for (bool persist : {false, true}) {
        engine.Settings().PersistBookmarks = persist;
        CIconMenu menu;
        FillBookmarkMenu(engine, menu, items, 0);
        std::vector<Item> got = Items(menu);
        EXPECT_EQ(L"C:\\b1\t&1", Find(got, 11)->caption);
        EXPECT_EQ(L"C:\\b9\t&9", Find(got, 19)->caption);
        EXPECT_EQ(L"C:\\b10\t&0", Find(got, 20)->caption);
        EXPECT_EQ(L"C:\\b11", Find(got, 21)->caption);
        const std::wstring& compact = Find(got, 22)->caption;
        EXPECT_LT(compact.size(), 200u);
        EXPECT_NE(std::wstring::npos, compact.find(L"..."));
        EXPECT_EQ(L"&Next Bookmark\tF11", Find(got, CmdBookMarkNext)->caption);
        EXPECT_EQ(persist, Find(got, CmdToggleSaveBookmark)->icon);
    }
    CIconMenu few;
    FillBookmarkMenu(engine, few, {L"C:\\only"}, -2);
    std::vector<Item> got = Items(few);
    for (UINT id : {CmdBookMarkNext, CmdBookMarkPrev, CmdToggleBookMark})
        EXPECT_TRUE(Find(got, id)->greyed) << id;
    for (UINT id : {CmdCopyBookMark, CmdBook2Selection, CmdClearBookMark})
        EXPECT_FALSE(Find(got, id)->greyed) << id;
}

TEST(EngineMenu, ChoicesAndTheMenuOfASide)
{
    CMenuEngine engine;
    CBookmarks bookmarks(engine);
    CEngineMenu menu(engine, bookmarks);
    std::vector<CString> items;
    for (int i = 0; i < 12; ++i)
        items.push_back(CString(L"C:\\b") + CString(std::to_wstring(i + 1).c_str()));

    // Bookmarks 1 to 12 all go to their path in the source panel ("S");
    // nothing is posted to the host as a command.
    for (UINT id : {11u, 20u, 21u, 22u}) {
        engine.log.blocks.clear();
        menu.RunChoice(id, items);
        ASSERT_EQ(1u, engine.log.blocks.size()) << id;
        EXPECT_EQ(0x4443u, engine.log.blocks[0].first);
        std::string path = "\xEF\xBB\xBF" + std::string(CStringA(items[id - 11]).GetString()) + "\r";
        EXPECT_EQ(path + std::string("\0SA\0", 4), engine.log.blocks[0].second) << id;
    }
    engine.log.blocks.clear();
    menu.RunChoice(23, items); // past the bookmarks
    menu.RunChoice(MenuBookmarksOff, items);
    EXPECT_TRUE(engine.log.blocks.empty());
    EXPECT_EQ(0, engine.log.hostCommands);

    // A command runs through the executor: ToggleSaveBookmark flips the switch.
    engine.Settings().PersistBookmarks = 0;
    menu.RunChoice(CmdToggleSaveBookmark, items);
    EXPECT_EQ(1, engine.Settings().PersistBookmarks);
    // The same choice through the bookmark menu, and a bookmark there.
    bookmarks.RunMenuChoice(CmdToggleSaveBookmark, items);
    EXPECT_EQ(0, engine.Settings().PersistBookmarks);
    engine.log.blocks.clear();
    bookmarks.RunMenuChoice(13, items);
    EXPECT_EQ(3, bookmarks.Current());
    ASSERT_EQ(1u, engine.log.blocks.size());

    // The menu for the right side: "GW" with "RP", then the settings
    // utility started from the engine's folder.
    ASSERT_TRUE(CopyFileW(BinFile(L"merovset_stub.exe").c_str(), engine.folder.File(L"MerovSet.exe").c_str(), FALSE));
    CChoosingTracker tracker;
    tracker.choice = MenuRunSettings;
    CIconMenuShared::SetTracker(&tracker);
    engine.log.blocks.clear();
    EXPECT_EQ(1, menu.Show(1, POINT{123, 45}));
    CIconMenuShared::SetTracker(nullptr);
    ASSERT_FALSE(engine.log.blocks.empty());
    EXPECT_EQ(0x5747u, engine.log.blocks[0].first);
    EXPECT_EQ("RP", engine.log.blocks[0].second);
    EXPECT_EQ(123, tracker.at.x);
    EXPECT_TRUE(Find(tracker.seen, CmdToggleStick)->greyed); // no list
    EXPECT_TRUE(WaitFor(10000, [&] {
        return GetFileAttributesW(engine.folder.File(L"launched.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    EXPECT_EQ(0, menu.Show(-1, POINT{})); // no focused file list
    EXPECT_EQ(0, menu.Show(2, POINT{}));
}

TEST(EngineMenu, RelativeFolderMapping)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* target;
        const wchar_t* result; // null: no common component
    } cases[] = {
        {L"C:\\w\\projA\\src\\util", L"D:\\m\\projB\\src", L"D:\\m\\projB\\src\\util"},
        {L"C:\\w\\projA\\src\\util", L"D:\\m\\projB\\src\\other", L"D:\\m\\projB\\src\\util"},
        {L"C:\\a\\b", L"D:\\x\\y", nullptr},
        {L"C:\\a\\b", L"C:\\x", L"C:\\a\\b"},                        // the drive component
        {L"C:\\a\\Src", L"D:\\src", nullptr},                         // with case
        {L"\\\\srv\\share\\a\\b", L"\\\\other\\pub\\a", L"\\\\other\\pub\\a\\b"},
        {L"\\\\srv\\share\\x", L"\\\\other\\pub", nullptr},           // the empty parts never match
        {L"C:\\", L"\\\\srv\\share", nullptr},
    };
    for (const Case& c : cases) {
        CString result;
        bool found = RelativeFolder(c.source, c.target, result);
        EXPECT_EQ(c.result != nullptr, found) << c.source << L" / " << c.target;
        if (c.result && found)
            EXPECT_STREQ(c.result, result.GetString()) << c.source;
    }
}
