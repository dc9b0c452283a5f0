// WM_COPYDATA to the host: "CD" blocks built as the engine's GoToPath builds
// them, "GW" answers, "em_" user commands and malformed records.
#include <gtest/gtest.h>
#include "HostScan.h"
#include <commctrl.h>

using namespace TCHost;

namespace {

// The block of GoToPath(path, mode, newTab): mode 0 left, 1 right, 2 source, 3 target.
std::string GoToPathBlock(const std::wstring& path, int mode, bool newTab)
{
    std::string b;
    if (mode == 1 || mode == 3)
        b += '\r';
    b += "\xEF\xBB\xBF";
    int n = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), (int)path.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.c_str(), (int)path.size(), &utf8[0], n, nullptr, nullptr);
    b += utf8.substr(0, 1024 - b.size());
    if (mode == 0 || mode == 2)
        b += '\r';
    b += '\0';
    if (mode >= 2)
        b += 'S';
    b += 'A';
    if (newTab)
        b += 'T';
    b += '\0';
    return b;
}

class CopyData : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHostSetup s;
        s.args = {L"--tabs=both"};
        s.leftFiles = {L"l1.txt"};
        s.rightFiles = {L"r1.txt", L"docs\\", L"docs\\inner.txt", L"docs\\more.txt"};
        ASSERT_TRUE(host.Start(s));
        unicode = host.DataDir(1) + L"\\\u00DCber \u20AC \u65E5\u672C";
        ASSERT_TRUE(CreateDirectoryW(unicode.c_str(), nullptr));
        HANDLE f = CreateFileW((unicode + L"\\\u00E4.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(f);
    }

    LRESULT SendBlock(ULONG_PTR dw, const std::string& block)
    {
        return host.CopyData(dw, block.data(), (DWORD)block.size());
    }

    CHostDriver host;
    std::wstring unicode;
};

struct CdCase {
    int mode;
    bool newTab;
    int focusSide;     // the focused list for the source/target modes
    int expectedSide;
};

TEST_F(CopyData, ChangeDirBlocksMoveTheChosenPanel)
{
    const CdCase cases[] = {
        {1, false, 0, 1}, {1, true, 0, 1}, {3, false, 0, 1}, {3, true, 0, 1},
        {2, false, 1, 1}, {2, true, 1, 1}, {0, false, 1, 0}, {0, true, 1, 0},
        {3, false, 1, 0}, {2, false, 0, 0},
    };
    const std::wstring targets[2] = {host.DataDir(1) + L"\\docs", unicode};
    int run = 0;
    for (const CdCase& c : cases) {
        for (const std::wstring& target : targets) {
            SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.newTab ? " T" : "") + " run " + std::to_string(run++));
            ASSERT_TRUE(host.Focus(host.Query(c.focusSide == 0 ? 1 : 2)));
            HWND tabs = host.Query(c.expectedSide == 0 ? 26 : 27);
            LRESULT tabsBefore = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
            size_t mark = host.LogMark();
            ASSERT_EQ(SendBlock(CopyDataChangePath, GoToPathBlock(target, c.mode, c.newTab)), 1);

            HWND pathBar = host.Query(c.expectedSide == 0 ? 9 : 10);
            EXPECT_EQ(WindowText(pathBar), target + L"\\*.*");
            HWND list = host.Query(c.expectedSide == 0 ? 1 : 2);
            EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), target == unicode ? 2 : 3);  // ".." and the files
            std::vector<CHostLogEntry> folders = host.LogSince(mark, L"folder");
            ASSERT_EQ(folders.size(), 1u);
            EXPECT_EQ(folders[0].Int(L"side"), c.expectedSide);
            EXPECT_EQ(folders[0].Get(L"path"), target);
            EXPECT_EQ(folders[0].Get(L"names"), target == unicode ? L"\u00E4.txt" : L"inner.txt|more.txt");
            EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), tabsBefore + (c.newTab ? 1 : 0));
            std::vector<CHostLogEntry> cd = host.LogSince(mark, L"copydata");
            ASSERT_EQ(cd.size(), 1u);
            EXPECT_EQ(cd[0].Get(L"flags"), std::wstring(c.mode >= 2 ? L"S" : L"") + L"A" + (c.newTab ? L"T" : L""));
        }
    }
}

LRESULT CALLBACK ReplyProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        auto* cds = (const COPYDATASTRUCT*)lParam;
        auto* out = (std::vector<std::wstring>*)GetWindowLongPtrW(wnd, GWLP_USERDATA);
        if (cds->dwData == CopyDataGetPath && cds->cbData >= sizeof(wchar_t))
            out->push_back(std::wstring((const wchar_t*)cds->lpData, cds->cbData / sizeof(wchar_t) - 1));
        else
            out->push_back(L"<unexpected>");
        return 1;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST_F(CopyData, GetPathAnswersToTheWindowInWParam)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestReplyWindow";
    RegisterClassW(&wc);
    HWND reply = CreateWindowExW(0, L"TestReplyWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(reply, nullptr);
    std::vector<std::wstring> answers;
    SetWindowLongPtrW(reply, GWLP_USERDATA, (LONG_PTR)&answers);

    EXPECT_EQ(host.CopyData(CopyDataGetPath, "RP", 2, (WPARAM)reply), 1);
    EXPECT_EQ(host.CopyData(CopyDataGetPath, "LP", 2, (WPARAM)reply), 1);
    ASSERT_EQ(SendBlock(CopyDataChangePath, GoToPathBlock(unicode, 1, false)), 1);
    EXPECT_EQ(host.CopyData(CopyDataGetPath, "RP", 2, (WPARAM)reply), 1);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0], host.DataDir(1) + L"\\");
    EXPECT_EQ(answers[1], host.DataDir(0) + L"\\");
    EXPECT_EQ(answers[2], unicode + L"\\");

    // No reply window, or a bad request: refused, nothing sent.
    EXPECT_EQ(host.CopyData(CopyDataGetPath, "RP", 2, 0), 0);
    EXPECT_EQ(host.CopyData(CopyDataGetPath, "XP", 2, (WPARAM)reply), 0);
    EXPECT_EQ(answers.size(), 3u);
    DestroyWindow(reply);
}

TEST_F(CopyData, UserCommandLogsTheSectionCommand)
{
    size_t mark = host.LogMark();
    EXPECT_EQ(host.CopyData(CopyDataUserCommand, "em_demo", 8), 1);
    std::vector<CHostLogEntry> cd = host.LogSince(mark, L"copydata");
    ASSERT_EQ(cd.size(), 1u);
    EXPECT_EQ(cd[0].Get(L"name"), L"em_demo");
    EXPECT_EQ(cd[0].Get(L"command"), L"cd C:\\data\\right");
}

TEST_F(CopyData, MalformedRecordsAreLoggedAndRefused)
{
    std::string good = GoToPathBlock(host.DataDir(1) + L"\\docs", 1, false);
    std::string noMark = good;
    noMark[1] = 'X';
    std::string bothCr = good;
    bothCr.insert(bothCr.find('\0'), "\r");
    std::string badUtf8 = GoToPathBlock(L"C:\\x", 0, false);
    badUtf8[4] = '\xC3';
    badUtf8[5] = '\x28';
    struct Bad {
        ULONG_PTR dw;
        std::string bytes;
        DWORD size;
    } bad[] = {
        {CopyDataChangePath, good, 1},                          // short cbData
        {CopyDataChangePath, good, (DWORD)good.size() - 1},     // flags without their zero
        {CopyDataChangePath, good, (DWORD)good.find('\0')},     // path without its zero
        {CopyDataChangePath, std::string("\r\xEF\xBB\xBF", 4), 4},
        {CopyDataChangePath, noMark, (DWORD)noMark.size()},
        {CopyDataChangePath, bothCr, (DWORD)bothCr.size()},
        {CopyDataChangePath, badUtf8, (DWORD)badUtf8.size()},
        {CopyDataUserCommand, "em_demo", 7},                   // no terminator within cbData
        {CopyDataUserCommand, "e", 1},
        {CopyDataGetPath, "R", 1},
        {CopyDataGetPath, "RPX", 3},
        {0x1234, "abc", 3},
    };
    HWND pathBar = host.Query(10);
    std::wstring before = WindowText(pathBar);
    for (const Bad& b : bad) {
        size_t mark = host.LogMark();
        EXPECT_EQ(host.CopyData(b.dw, b.bytes.data(), b.size, (WPARAM)host.Main()), 0) << b.size;
        std::vector<CHostLogEntry> cd = host.LogSince(mark, L"copydata");
        ASSERT_EQ(cd.size(), 1u);
        EXPECT_EQ(cd[0].Int(L"ok"), 0);
        EXPECT_FALSE(cd[0].Get(L"reason").empty());
        EXPECT_EQ(cd[0].Int(L"cb"), (long long)b.size);
    }
    // Zero-length records with no data at all.
    EXPECT_EQ(host.CopyData(CopyDataChangePath, nullptr, 0), 0);
    EXPECT_EQ(host.CopyData(CopyDataUserCommand, nullptr, 0), 0);
    EXPECT_TRUE(host.Running());
    EXPECT_EQ(WindowText(pathBar), before);
    EXPECT_EQ(SendBlock(CopyDataChangePath, good), 1);
}

} // namespace
