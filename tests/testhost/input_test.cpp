// Keys injected through the driver, the host's command message, message
// boxes and the tab control's popup.
#include <gtest/gtest.h>
#include "HostScan.h"
#include <commctrl.h>

using namespace TCHost;

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHostSetup s;
        s.args = {L"--tabs=both"};
        s.leftFiles = {L"a.txt", L"b.txt", L"c.txt"};
        s.rightFiles = {L"d.txt"};
        ASSERT_TRUE(host.Start(s));
    }

    const CHostLogEntry* FindKey(const std::vector<CHostLogEntry>& keys, const wchar_t* msg, WORD vk)
    {
        for (const CHostLogEntry& e : keys)
            if (e.Get(L"msg") == msg && e.Int(L"vk") == vk)
                return &e;
        return nullptr;
    }

    CHostDriver host;
};

TEST_F(Input, ChordArrivesAtTheFocusedListWithSidedModifiers)
{
    HWND right = host.Query(2);
    ASSERT_TRUE(host.Focus(right));
    size_t mark = host.LogMark();
    ASSERT_TRUE(host.Chord({VK_LCONTROL, VK_LSHIFT}, 'K')) << std::string(host.LastError().begin(), host.LastError().end());
    std::vector<CHostLogEntry> keys = host.LogSince(mark, L"key");
    const CHostLogEntry* down = FindKey(keys, L"keydown", 'K');
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->Int(L"wnd"), (long long)(ULONG_PTR)right);
    EXPECT_EQ(down->Get(L"mods"), L"LCtrl+LShift");
    EXPECT_EQ(down->Int(L"scan"), (long long)MapVirtualKeyW('K', MAPVK_VK_TO_VSC));
    EXPECT_EQ(down->Int(L"ext"), 0);
    EXPECT_NE(FindKey(keys, L"keyup", 'K'), nullptr);

    // Keys that another program takes never reach the host: the step fails
    // and leaves no modifier down.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                 nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(other, GetForegroundWindow());
    EXPECT_FALSE(host.Chord({VK_LSHIFT}, 'K'));
    EXPECT_NE(host.LastError().find(L"modifier"), std::wstring::npos);
    EXPECT_EQ(0, GetAsyncKeyState(VK_LSHIFT) & 0x8000);
    DestroyWindow(other);
    ASSERT_TRUE(host.Focus(right));

    // Right Ctrl and a navigation key carry the extended flag.
    mark = host.LogMark();
    ASSERT_TRUE(host.Chord({VK_RCONTROL}, VK_HOME));
    keys = host.LogSince(mark, L"key");
    down = FindKey(keys, L"keydown", VK_HOME);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->Get(L"mods"), L"RCtrl");
    EXPECT_EQ(down->Int(L"ext"), 1);

    // Alt comes as a system key; the modifiers are released afterwards.
    mark = host.LogMark();
    ASSERT_TRUE(host.Chord({VK_LMENU}, VK_F3));
    keys = host.LogSince(mark, L"key");
    down = FindKey(keys, L"syskeydown", VK_F3);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->Get(L"mods"), L"LAlt");

    // The sentinel was seen, and the flush came after every key.
    std::vector<CHostLogEntry> all = host.LogSince(mark);
    long long lastKey = 0, flush = 0, sentinel = 0;
    for (const CHostLogEntry& e : all) {
        if (e.m_kind == L"key") lastKey = e.Int(L"seq");
        if (e.m_kind == L"flush") flush = e.Int(L"seq");
        if (e.m_kind == L"sentinel") sentinel = e.Int(L"seq");
    }
    EXPECT_GT(sentinel, 0);
    EXPECT_GT(flush, lastKey);
}

TEST_F(Input, CommandMessagesAreLoggedSentOrPostedAndActedOn)
{
    HWND left = host.Query(1);
    ASSERT_TRUE(host.Focus(left));
    SendMessageW(left, LB_SETSEL, TRUE, -1);
    ASSERT_GT(SendMessageW(left, LB_GETSELCOUNT, 0, 0), 0);

    size_t mark = host.LogMark();
    ASSERT_TRUE(host.Post(HostCommandMessage, 524, 7));  // cm_ClearAll
    ASSERT_TRUE(host.Flush());
    EXPECT_EQ(SendMessageW(left, LB_GETSELCOUNT, 0, 0), 0);
    EXPECT_EQ(host.Send(HostCommandMessage, 2035, 0), 1);  // cm_SrcActivateRight
    std::vector<CHostLogEntry> cmds = host.LogSince(mark, L"cmd");
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].Int(L"n"), 524);
    EXPECT_EQ(cmds[0].Int(L"lparam"), 7);
    EXPECT_EQ(cmds[0].Int(L"sent"), 0);
    EXPECT_EQ(cmds[0].Int(L"focus"), (long long)(ULONG_PTR)left);
    EXPECT_EQ(cmds[1].Int(L"sent"), 1);
    EXPECT_EQ(host.Query(3), host.Query(2));  // the active list follows

    // cm_SrcActivateTab2 on a side with two tabs shows that tab's folder.
    HWND tabs = host.Query(27);
    std::string block = std::string("\r\xEF\xBB\xBF") + "C:\\" + std::string(1, '\0') + "AT" + std::string(1, '\0');
    ASSERT_EQ(host.CopyData(CopyDataChangePath, block.data(), (DWORD)block.size()), 1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    host.Send(HostCommandMessage, 5001, 0);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(host.Query(10)), host.DataDir(1) + L"\\*.*");
}

bool PutClipboardText(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(mem), text.c_str(), text.size() * sizeof(wchar_t));
    GlobalUnlock(mem);
    bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    return ok;
}

TEST_F(Input, SelectionFromClipboardMarksTheNamedRowsOfTheActivePanel)
{
    ASSERT_TRUE(PutClipboardText(L"a.txt\r\nc.txt\r\nmissing.txt"));
    ASSERT_TRUE(host.Post(HostCommandMessage, 2034, 0));  // cm_SrcActivateLeft
    ASSERT_TRUE(host.Post(HostCommandMessage, 2033, 0));  // cm_LoadSelectionFromClip
    ASSERT_TRUE(host.Flush());
    HWND left = host.Query(1);
    EXPECT_EQ(SendMessageW(left, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_FALSE(SendMessageW(left, LB_GETSEL, 0, 0));  // ".."
    EXPECT_TRUE(SendMessageW(left, LB_GETSEL, 1, 0));   // a.txt
    EXPECT_TRUE(SendMessageW(left, LB_GETSEL, 3, 0));   // c.txt
    EXPECT_EQ(SendMessageW(host.Query(2), LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(Input, WindowsCreatedAtIntervalsKeepTheTreeWhole)
{
    size_t mark = host.LogMark();
    ASSERT_EQ(host.Send(MsgCreateWindows, 3, 60), 1);
    ASSERT_TRUE(host.WaitForLog(mark, L"created", L"left", L"0"));
    std::vector<CHostLogEntry> created = host.LogSince(mark, L"created");
    ASSERT_EQ(created.size(), 3u);
    // Two 60 ms intervals; thread timers may fire a tick early under load.
    EXPECT_GE(created[2].Int(L"tick") - created[0].Int(L"tick"), 60);
    CTCInfo64 scan;
    EXPECT_TRUE(scan.Rescan(host.Main())) << "scan failure " << int(scan.LastFailure());
}

TEST_F(Input, MessageBoxIsFoundReadAndAnswered)
{
    size_t mark = host.LogMark();
    ASSERT_TRUE(host.Post(MsgMessageBox, 0, 1));
    HWND box = host.FindMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CHostDriver::MessageBoxText(box), L"Stand-in question: continue?");
    ASSERT_TRUE(CHostDriver::AnswerMessageBox(box, IDNO));
    ASSERT_TRUE(host.WaitForLog(mark, L"msgbox", L"action", L"answer"));
    std::vector<CHostLogEntry> boxes = host.LogSince(mark, L"msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Int(L"answer"), IDNO);
}

TEST_F(Input, TabPopupShowsTheLockStateAndEndsByItself)
{
    HWND tabs = host.Query(26);
    ASSERT_EQ(host.Send(MsgSetTabLock, 0, MAKELPARAM(0, 2)), 1);
    size_t mark = host.LogMark();
    DWORD start = GetTickCount();
    EXPECT_EQ(SendMessageW(tabs, HostCommandMessage, 3009, 1), 1);
    EXPECT_LT(GetTickCount() - start, 3000u);
    std::vector<CHostLogEntry> menus = host.LogSince(mark, L"tabmenu");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].Int(L"tab"), 0);
    EXPECT_EQ(menus[0].Int(L"lock"), 2);
    EXPECT_EQ(menus[0].Int(L"chosen"), 0);
}

TEST_F(Input, RefusedCloseKeepsTheHostUntilAllowed)
{
    ASSERT_EQ(host.Send(MsgSetRefuseClose, 1), 1);
    size_t mark = host.LogMark();
    host.Post(WM_CLOSE);
    ASSERT_TRUE(host.Flush());
    EXPECT_TRUE(host.Running());
    std::vector<CHostLogEntry> closes = host.LogSince(mark, L"close");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].Int(L"refused"), 1);
    EXPECT_EQ(host.Stop(), 0);
}

TEST_F(Input, OnDemandWindowsHaveTheirClasses)
{
    HWND lister = host.ShowWindow(KindLister, 4);
    ASSERT_NE(lister, nullptr);
    EXPECT_EQ(ClassOf(lister), L"TLister");
    EXPECT_EQ(GetWindow(lister, GW_OWNER), host.Main());
    EXPECT_NE(GetMenu(lister), nullptr);  // menus are not shared across processes under Wine: not counted here
    const int kinds[] = {KindAssociate, KindConfigAll, KindFsPluginConfig};
    const wchar_t* classes[] = {L"TASSOCIATEDLG", L"TDLGCONFIGALL", L"TFsPluginConfigForm"};
    for (int i = 0; i < 3; ++i) {
        HWND w = host.ShowWindow(kinds[i]);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(ClassOf(w), classes[i]);
        EXPECT_EQ(GetWindow(w, GW_OWNER), host.Main());
    }
    HWND quick = host.ShowWindow(KindQuickSearch);
    EXPECT_EQ(ClassOf(quick), L"TQUICKSEARCH");
    EXPECT_EQ(GetParent(quick), host.Main());
    const wchar_t* edits[] = {L"TEdit", L"TAltEdit", L"TInEdit", L"TMemo", L"TMyMemo", L"TTabEdit"};
    for (int i = 0; i < 6; ++i) {
        HWND e = host.ShowWindow(KindEditInMain, i);
        EXPECT_EQ(ClassOf(e), edits[i]);
        EXPECT_EQ(GetParent(e), host.Main());
    }
    EXPECT_EQ(host.ShowWindow(KindEditInMain, 6), nullptr);
    HWND owned = host.ShowWindow(KindEditInOwned, 0);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), host.Main());
    EXPECT_EQ(ClassOf(GetWindow(owned, GW_CHILD)), L"TEdit");
    EXPECT_EQ(host.Send(MsgDestroyWindow, (WPARAM)lister), 1);
    EXPECT_FALSE(IsWindow(lister));
    // The tree stays whole with all of these around.
    CTCInfo64 scan;
    EXPECT_TRUE(scan.Rescan(host.Main())) << "scan failure " << int(scan.LastFailure());
}

} // namespace
