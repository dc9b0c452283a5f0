// Icon menus tracked for real, driven by keys posted to the menu window from
// thread timers (the hidden owner never has the foreground); a safety timer
// ends every menu. Also the background windows, typed characters, the right
// click on a drive item and the shell's context menu.
#include <gtest/gtest.h>
#include "BackWnd.h"
#include "IconMenuShared.h"
#include "IconMenuWnd.h"
#include "MemoryCanvas.h"
#include "MenuTestSupport.h"
#include "ShellContextMenu.h"

namespace {

class IconMenuTrack : public ::testing::Test {
protected:
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override
    {
        ClearTimers();
        CIconMenuShared::SetTracker(nullptr);
        OleUninitialize();
    }
    // Two items, both kinds of separator, a submenu, a drive item.
    static void Fill(CIconMenu& menu)
    {
        menu.SetColors(TestColors(1));
        menu.SetIconSize(16);
        menu.AddItem(L"&Alpha", 11);
        menu.AddItem(L"&Beta", 12);
        menu.AddItem(L"", 0, MF_SEPARATOR);
        menu.AddItem(L"Title", 0, MF_SEPARATOR);
        auto* sub = new CIconMenu;
        sub->AddItem(L"Inner", 21);
        menu.AddSubmenu(sub, L"More");
        menu.AddItem(L"C - System", 31);
    }
    static int Track(CIconMenu& menu, CWnd* owner = nullptr)
    {
        After(4000, [] { EndMenu(); }); // safety
        int chosen = menu.Track(TPM_RETURNCMD, 40, 40, owner);
        ClearTimers();
        return chosen;
    }
    // WM_CONTEXTMENU to the menu's owner at the centre of an item.
    static void RightClick(CIconMenu& menu, int position)
    {
        RECT r = {};
        GetMenuItemRect(nullptr, menu, (UINT)position, &r);
        menu.GetOwnerWnd()->SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
};

} // namespace

TEST_F(IconMenuTrack, KeysChooseAndEverythingGoesAfterwards)
{
    struct Case { std::vector<UINT> keys; int chosen; } cases[] = {
        {{VK_DOWN, VK_DOWN, VK_RETURN}, 12},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}, 21}, // separators are passed over
        {{}, 0}, // nothing chosen: the safety timer ends the menu
    };
    MenuColors colors = TestColors(1);
    for (const Case& c : cases) {
        CIconMenu menu;
        Fill(menu);
        std::vector<DWORD> seen; // background left, right, its expected left, the screenshot's icon bar
        int nested = -1;
        After(400, [&] {
            HWND window = MenuWindowOf(menu);
            EXPECT_TRUE(CWnd::FromHandlePermanent(window)); // subclassed
            CMemoryCanvas canvas(300, 10);
            SendMessageW(window, WM_ERASEBKGND, (WPARAM)canvas.dc, 0);
            CRect client, frame, item;
            GetClientRect(window, &client);
            seen = {canvas.At(0, 5), canvas.At(client.right - 1, 5),
                    GradientAt(colors.menu1st, colors.menu2nd, client.right, 0)};
            // What a screenshot of the open menu shows.
            GetWindowRect(window, &frame);
            GetMenuItemRect(nullptr, menu, 0, &item);
            CMemoryCanvas shot(frame.Width(), frame.Height());
            HDC from = GetWindowDC(window);
            BitBlt(shot.dc, 0, 0, shot.width, shot.height, from, 0, 0, SRCCOPY);
            ReleaseDC(window, from);
            seen.push_back(shot.At(item.left - frame.left + 2, item.CenterPoint().y - frame.top));
            CIconMenu other; // one menu at a time
            other.AddItem(L"Other", 99);
            nested = other.Track(TPM_RETURNCMD, 0, 0, nullptr);
            for (UINT key : c.keys)
                PostMessageW(window, WM_KEYDOWN, key, 0);
        });
        EXPECT_EQ(c.chosen, Track(menu));
        EXPECT_EQ(0, nested);
        ASSERT_EQ(4u, seen.size());
        EXPECT_EQ(seen[2], seen[0]);
        EXPECT_EQ(BandColor(colors.menu1st, colors.menu2nd, 254), seen[1]);
        EXPECT_EQ(Hex(colors.iconBar), seen[3]);
        EXPECT_EQ(0, CBackWnd::LiveCount());
        EXPECT_EQ(nullptr, CIconMenuShared::TrackingHook());
        EXPECT_EQ(nullptr, menu.GetOwnerWnd());
        EXPECT_EQ(nullptr, AfxGetThreadState()->hTrackingMenu);
    }
}

namespace {

// Answers typed characters with the second item; records what came.
class CCharOwner : public CWnd {
public:
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message != WM_MENUCHAR)
            return CWnd::WindowProc(message, w, l);
        wParam = w, lParam = l;
        return MAKELRESULT(1, MNC_EXECUTE);
    }
};

} // namespace

TEST_F(IconMenuTrack, TypedCharactersGoToTheOwnerElseToMnemonics)
{
    struct Case { bool owner; WCHAR typed; int chosen; } cases[] = {
        {true, L'z', 12}, {false, L'B', 12}, {false, L'b', 12}, {false, L'A', 11},
    };
    for (const Case& c : cases) {
        CIconMenu menu;
        Fill(menu);
        CCharOwner owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        After(400, [&] { PostMessageW(MenuWindowOf(menu), WM_CHAR, c.typed, 0); });
        EXPECT_EQ(c.chosen, Track(menu, c.owner ? &owner : nullptr)) << (char)c.typed;
        EXPECT_EQ(c.owner ? MAKEWPARAM(c.typed, MF_POPUP) : 0, owner.wParam);
        EXPECT_EQ(c.owner ? (LPARAM)menu.m_hMenu : 0, owner.lParam);
        owner.DestroyWindow();
    }
}

// A right click on a drive item ("C - ...", an ASCII letter and a blank)
// opens the shell's menu of its root, showing the shell's verbs, while the
// icon menu underneath still draws its own items; afterwards the owner's
// window procedure is back. Other items open nothing.
TEST_F(IconMenuTrack, RightClickOnADriveItemOpensItsShellMenu)
{
    struct CRecorder : CIconMenuTracker {
        std::vector<CString> paths;
        int ShowShellMenu(const CStringArray& p, HWND window, POINT point) override
        {
            paths.push_back(CIconMenuShared::ContextMenuShown() ? p[0] : L"(flag not set)");
            return CIconMenuTracker::ShowShellMenu(p, window, point);
        }
    } recorder;
    CIconMenuShared::SetTracker(&recorder);
    struct CCounting : CIconMenu {
        int drawn = 0;
        void DrawItem(LPDRAWITEMSTRUCT dis) override { ++drawn, CIconMenu::DrawItem(dis); }
    } menu;
    for (LPCWSTR caption : {L"C - System", L"+ - My Computer", L"\x00C4 b", L"Dd"})
        menu.AddItem(caption, 1);
    menu.AddItem(L"E title", 0, MF_SEPARATOR);
    CString verbs;
    int drawnBefore = -1, drawnAfter = -1;
    LONG_PTR procBefore = 0, procAfter = 0;
    After(1200, [&] { // in the shell's menu
        for (HWND window : MenuWindows()) {
            HMENU shell = (HMENU)SendMessageW(window, MN_GETHMENU, 0, 0);
            for (int i = 0; shell != menu.m_hMenu && i < GetMenuItemCount(shell); ++i) {
                WCHAR text[64] = {};
                GetMenuStringW(shell, (UINT)i, text, 64, MF_BYPOSITION);
                verbs += CString(text) + L"|";
            }
        }
        drawnBefore = menu.drawn;
        RedrawWindow(MenuWindowOf(menu), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        drawnAfter = menu.drawn;
        EndMenu();
    });
    After(400, [&] {
        procBefore = GetWindowLongPtrW(menu.GetOwnerWnd()->m_hWnd, GWLP_WNDPROC);
        for (int i = 0; i < 5; ++i)
            RightClick(menu, i);
        procAfter = GetWindowLongPtrW(menu.GetOwnerWnd()->m_hWnd, GWLP_WNDPROC);
        EndMenu();
    });
    EXPECT_EQ(0, Track(menu));
    EXPECT_EQ((std::vector<CString>{L"C:\\"}), recorder.paths);
    EXPECT_FALSE(CIconMenuShared::ContextMenuShown());
    EXPECT_GE(verbs.Find(L"ropert"), 0) << (LPCWSTR)verbs;
    EXPECT_GT(drawnAfter, drawnBefore);
    EXPECT_EQ(procBefore, procAfter);
}

// Another menu opened over a tracked icon menu is subclassed too; finding no
// icon menu, it leaves its background to the system.
TEST_F(IconMenuTrack, PlainMenuOverTheIconMenuKeepsTheSystemBackground)
{
    CIconMenu menu;
    Fill(menu);
    HMENU plain = CreatePopupMenu();
    AppendMenuW(plain, MF_STRING, 7, L"Plain");
    LRESULT answer = 0; // a window procedure that faults is answered 0 for
    DWORD painted = 0;
    After(1000, [&] {
        HWND window = MenuWindowOf(plain);
        EXPECT_TRUE(CWnd::FromHandlePermanent(window));
        CMemoryCanvas canvas(50, 10);
        answer = SendMessageW(window, WM_ERASEBKGND, (WPARAM)canvas.dc, 0);
        painted = canvas.At(0, 5);
        EndMenu();
    });
    After(400, [&] {
        TrackPopupMenu(plain, TPM_RETURNCMD | TPM_RECURSE, 60, 60, 0, menu.GetOwnerWnd()->m_hWnd, nullptr);
        EndMenu();
    });
    EXPECT_EQ(0, Track(menu));
    DestroyMenu(plain);
    EXPECT_NE(0, answer);
    EXPECT_NE(Hex(TestColors(1).menu1st), painted);
    EXPECT_EQ(0, CBackWnd::LiveCount());
}

// The shell's menu is of the paths that parse; without any it shows nothing.
TEST_F(IconMenuTrack, ShellMenuOfParsedPathsOnly)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
    struct Case { std::vector<LPCWSTR> paths; int count; } cases[] = {
        {{L"C:\\"}, 1}, {{L"\\\\tsclient", L"C:\\"}, 1}, {{L"\\\\tsclient"}, 0}, {{}, 0},
    };
    for (const Case& c : cases) {
        CStringArray paths;
        for (LPCWSTR p : c.paths)
            paths.Add(p);
        CShellContextMenu menu;
        menu.SetObjects(paths);
        EXPECT_EQ(c.count, menu.GetObjectCount());
        bool opened = false;
        After(300, [&] {
            opened = !MenuWindows().empty();
            EndMenu();
        });
        After(4000, [] { EndMenu(); });
        EXPECT_EQ(0, menu.ShowContextMenu(owner, POINT{20, 20}));
        ClearTimers();
        EXPECT_EQ(c.count > 0, opened) << c.paths.size();
    }
    owner.DestroyWindow();
}
