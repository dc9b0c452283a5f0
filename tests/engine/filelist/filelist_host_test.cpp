// The file list in the stand-in host with the engine loaded: the host asks
// for each row's item and gets the engine's order, its own caret, selection
// and top index come back in its indexes, Insert walks the rows on screen,
// the caret keeps its distance from the top after a reread, a folder without
// sticky files behaves as without the engine, thumbnails keep the host's
// order and multi-column lists get the stored column width.
#include <gtest/gtest.h>
#include <map>
#include "EngineHost.h"
#include "HostTestSupport.h"
#include "TestFiles.h"
#include "DrawnRows.h"

namespace {

const char* const StickySettings = "[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nCheckCloseTC=0\r\n";

// A one-pixel picture of PictureColour in the plug-in folder, for "BkgFile".
const COLORREF PictureColour = RGB(0x40, 0x80, 0x20);
const char BackPicture[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                              1, 0, 32, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              0x20, (char)0x80, 0x40, 0};
const COLORREF RuleColour = RGB(0xD6, 0xF4, 0xFF);

bool EngineOn(HWND window)
{
    bool found = false;
    EnumPropsExW(window, [](HWND, LPWSTR name, HANDLE, ULONG_PTR data) -> BOOL {
        if (!IS_INTRESOURCE(name) && wcsncmp(name, L"SC_PROP-", 8) == 0)
            *reinterpret_cast<bool*>(data) = true;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

class FileListInHost : public ::testing::Test {
protected:
    // Starts the host with the engine on its lists; `sticky` names are
    // stuck in the left folder and the left panel is read again.
    void Start(std::vector<std::wstring> files, std::vector<std::wstring> sticky, std::vector<std::wstring> args = {},
               const char* settings = StickySettings)
    {
        CHostSetup setup = EngineHostSetup(settings, std::move(args));
        setup.leftFiles = std::move(files);
        setup.pluginTexts[L"back.bmp"] = std::string(BackPicture, sizeof(BackPicture));
        ASSERT_TRUE(m_host.Start(setup)) << m_host.LastError();
        m_list = m_host.Query(1);
        ASSERT_TRUE(WaitFor(5000, [&] { return EngineOn(m_list) && EngineOn(m_host.Main()); }));
        std::wstring folder = m_host.DataDir(0);
        std::string text = "[" + std::string(folder.begin(), folder.end()) + "]\r\n";
        for (size_t i = 0; i < sticky.size(); ++i)
            text += std::to_string(i + 1) + "=" + std::string(sticky[i].begin(), sticky[i].end()) + "\r\n";
        WriteText(m_host.PluginDir() + L"\\Merovin.stk", text.c_str());
        Reread();
    }
    void Reread()
    {
        m_host.Send(HostCommandMessage, 540);
        ASSERT_TRUE(m_host.Flush());
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageW(m_list, message, wParam, lParam);
    }
    RECT ItemRect(int index)
    {
        RECT rect = {};
        Send(LB_GETITEMRECT, index, (LPARAM)&rect);
        return rect;
    }
    std::map<int, std::wstring> DrawnRows(int rowHeight = 16) { return ::DrawnRows(m_host, m_list, rowHeight); }

    CHostDriver m_host;
    HWND m_list = nullptr;
};

TEST_F(FileListInHost, StickyFilesComeFirstAndTheHostKeepsItsIndexes)
{
    // The host lists .., sub, a.txt, b.txt, c.txt, z.txt (host indexes 0 to 5).
    Start({L"a.txt", L"b.txt", L"c.txt", L"sub\\", L"z.txt"}, {L"z.txt", L"sub"});
    std::map<int, std::wstring> rows = DrawnRows();
    EXPECT_EQ(L"..", rows[0]);
    EXPECT_EQ(L"sub", rows[1]);
    EXPECT_EQ(L"z.txt", rows[2]);
    EXPECT_EQ(L"a.txt", rows[3]);
    // Row 0 was recorded through the host's own drawing to tell the layout.
    bool captured = false;
    for (const CHostLogEntry& draw : m_host.LogSince(0, L"draw"))
        captured = captured || (draw.Int(L"dc") == OBJ_ENHMETADC && draw.Get(L"name") == L"..");
    EXPECT_TRUE(captured);
    // The caret on z.txt, as the host set it, is z.txt when asked back, shown in row 2.
    Send(LB_SETCARETINDEX, 5);
    EXPECT_EQ(5, Send(LB_GETCARETINDEX));
    EXPECT_EQ(5, Send(LB_GETCURSEL));
    EXPECT_EQ(2 * 16, ItemRect(5).top);
    // Insert on sub selects it and moves the caret to the next row: z.txt.
    ASSERT_TRUE(m_host.Focus(m_list));
    Send(LB_SETCARETINDEX, 1);
    ASSERT_TRUE(m_host.Press(VK_INSERT));
    EXPECT_EQ(5, Send(LB_GETCARETINDEX));
    EXPECT_GT(Send(LB_GETSEL, 1), 0);
    EXPECT_EQ(0, Send(LB_GETSEL, 2));
}

// The tab strip's jump squares (right of the path bar) put the caret on
// the first and the last row as shown, whatever host items they hold.
TEST_F(FileListInHost, JumpSquaresPutTheCaretOnTheFirstAndLastRow)
{
    // The host lists .., a.txt, b.txt, z.txt; the pinned z.txt shows in row 1.
    Start({L"a.txt", L"b.txt", L"z.txt"}, {L"z.txt"}, {L"--tabs=both"},
          "[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nJumpBeginEnd=1\r\nCheckCloseTC=0\r\n");
    HWND tabs = m_host.Query(26);
    RECT bar;
    GetWindowRect(m_host.Query(9), &bar);
    MapWindowPoints(nullptr, tabs, (POINT*)&bar, 2);
    int h = bar.bottom - bar.top;
    struct {
        int square;
        const wchar_t* name;
    } jumps[] = {{1, L"b.txt"}, {0, L".."}, {1, L"b.txt"}};
    for (const auto& jump : jumps) {
        int x = bar.right + 1 + jump.square * h + h / 2;
        SendMessageW(tabs, WM_MBUTTONUP, 0, MAKELPARAM(x, (bar.top + bar.bottom) / 2));
        ASSERT_TRUE(m_host.Flush());
        wchar_t text[MAX_PATH] = {};
        Send(LB_GETTEXT, Send(LB_GETCARETINDEX), (LPARAM)text);
        EXPECT_EQ(0u, std::wstring(text).find(jump.name)) << jump.square << ": " << text;
    }
}

TEST_F(FileListInHost, CaretAfterRereadKeepsTheDistanceTheHostAsked)
{
    std::vector<std::wstring> files;
    for (int i = 0; i < 80; ++i)
        files.push_back(L"f" + std::to_wstring(100 + i) + L".txt");
    Start(files, {L"f152.txt"}); // host 53, shown in row 1
    Send(LB_SETTOPINDEX, 50);
    Send(LB_SETCARETINDEX, 55);
    Reread(); // the host sets top 50, then the caret 55: five rows apart
    std::vector<CHostLogEntry> folders = m_host.LogSince(0, L"folder");
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(50, folders.back().Int(L"top"));
    EXPECT_EQ(55, Send(LB_GETCARETINDEX));
    EXPECT_EQ(5 * 16, ItemRect(55).top);
    Send(LB_SETCARETINDEX, 57);
    EXPECT_EQ(7 * 16, ItemRect(57).top);
}

TEST_F(FileListInHost, FolderWithoutStickyFilesBehavesAsWithoutTheEngine)
{
    std::vector<std::wstring> files;
    for (int i = 0; i < 60; ++i)
        files.push_back(L"f" + std::to_wstring(100 + i) + L".txt");
    auto script = [&](HWND list) {
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
    Start(files, {});
    std::map<int, std::wstring> rows = DrawnRows();
    EXPECT_GE(rows.size(), 30u); // the rows that fit, and part of the next
    for (const auto& row : rows)
        EXPECT_EQ(row.first == 0 ? L".." : files[row.first - 1], row.second);
    std::vector<LRESULT> withEngine = script(m_list);
    m_host.Stop();

    CHostDriver plain;
    CHostSetup setup;
    setup.leftFiles = files;
    ASSERT_TRUE(plain.Start(setup)) << plain.LastError();
    EXPECT_EQ(script(plain.Query(1)), withEngine);
}

TEST_F(FileListInHost, ThumbnailsKeepTheHostsOrder)
{
    Start({L"a.txt", L"b.txt", L"z.txt"}, {L"z.txt"}, {L"--view=thumbs"});
    std::map<int, std::wstring> rows = DrawnRows(60);
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(L"..", rows[0]);
    EXPECT_EQ(L"z.txt", rows[3]);
    EXPECT_EQ(3 * 60, ItemRect(3).top);
}

TEST_F(FileListInHost, MultiColumnListsGetTheStoredColumnWidth)
{
    Start({L"a.txt", L"b.txt"}, {}, {L"--view=brief"},
          "[Config]\r\nUseLLHook=0\r\nChangeColumns=1\r\nColumnsWidth0=300\r\nCheckCloseTC=0\r\n");
    auto width = [](HWND list) {
        RECT rect = {};
        SendMessageW(list, LB_GETITEMRECT, 0, (LPARAM)&rect);
        return rect.right - rect.left;
    };
    EXPECT_EQ(300, width(m_list));
    EXPECT_EQ(200, width(m_host.Query(2))); // "ColumnsWidth1" is 200 unless stored
    Send(LB_SETCOLUMNWIDTH, 120);
    EXPECT_EQ(300, width(m_list));
    Send(LB_SETCOLUMNWIDTH, 0); // the width the host had given when the engine attached
    EXPECT_EQ(120, width(m_list));
}

// The host makes a new list for the side: the engine takes it on with the
// folder rule's groups and background colour still in force (not the global
// ones) and with the column widths that "ChangeColumns" switched off left to
// the host.
TEST_F(FileListInHost, NewHostListKeepsTheRulesGroupsAndTheColumnsSwitch)
{
    Start({L"a.txt", L"b.jpg"}, {}, {L"--view=brief"},
          "[Config]\r\nUseLLHook=0\r\nChangeColumns=1\r\nColumnsWidth0=300\r\nCheckCloseTC=0\r\n"
          "BkgFile=%COMMANDER_PATH%\\plugins\\wdx\\Merovin\\back.bmp\r\n"
          "FileGroups=*.txt\r\nAutoView=1\r\n[AutoView]\r\nLeft=?*\\DATA\\LEFT\r\n[Left]\r\nFileGroups=*.jpg\r\n"
          "BkgColor=#D6F4FF\r\n");
    auto width = [&] {
        RECT rect = {};
        Send(LB_GETITEMRECT, 0, (LPARAM)&rect);
        return rect.right - rect.left;
    };
    EXPECT_EQ(300, width());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(Dispatcher(m_host.ThreadId()), WM_SETTEXT, 65522, (LPARAM)L"", SMTO_NORMAL, 5000,
                                    &answer)); // ChangeColumns: the host's widths
    EXPECT_EQ(120, width());
    EXPECT_GT(m_host.ColourCount(m_host.Query(2), PictureColour), 1000); // the right side has no rule
    for (bool recreated : {false, true}) {
        SCOPED_TRACE(recreated ? "new list" : "first list");
        if (recreated) {
            m_list = m_host.Recreate(0, TCHost::RecreateList);
            ASSERT_TRUE(WaitFor(3000, [&] { return EngineOn(m_list); }));
            ASSERT_TRUE(m_host.Flush());
        }
        std::map<int, std::wstring> rows = DrawnRows();
        EXPECT_EQ(L"b.jpg", rows[1]);
        EXPECT_EQ(L"a.txt", rows[2]);
        EXPECT_EQ(120, width());
        EXPECT_GT(m_host.ColourCount(m_list, RuleColour), 1000);
        EXPECT_EQ(0, m_host.ColourCount(m_list, PictureColour));
    }
}

} // namespace
