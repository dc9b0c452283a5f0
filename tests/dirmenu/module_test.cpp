// The module library as the engine loads it: exports, and real popup menus
// chosen with keys over visible windows of the host's classes, with a host
// main window that answers the clipboard commands.
#include <gtest/gtest.h>
#include "TCProtocol.h"
#include <string>
#include "DirmenuTestSupport.h"
#include "ModuleInterface.h"

namespace {


#define WIDEN_TEXT(x) L##x
#define WIDEN(x) WIDEN_TEXT(x)
const wchar_t* const LibraryName = WIDEN(PATHFAN_DLL);

LPCWSTR LongText()
{
    static std::wstring text(5000, L'n');
    return text.c_str();
}

// The host main window: its clipboard commands put fixed texts there.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != HostCommandMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    LPCWSTR text = nullptr;
    switch (wParam) {
    case 2029: text = L"C:\\a\\"; break;
    case 2017: text = L"x.txt\r\ny.txt"; break;
    case 2036: text = LongText(); break;
    default: break; // 2924 and the others put nothing there
    }
    if (text && OpenClipboard(window)) {
        EmptyClipboard();
        size_t bytes = (wcslen(text) + 1) * sizeof(WCHAR);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(block), text, bytes);
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    return 0;
}

// Keys pressed into the open menu, and a safety timer that ends a menu the
// keys did not reach.
std::vector<WORD> g_keys;

void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[0].ki.wScan = input[1].ki.wScan = (WORD)MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void CALLBACK KeysTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    for (WORD key : g_keys)
        PressKey(key);
}

void CALLBACK SafetyTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    EndMenu();
}

class PathfanModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterHostClasses();
        WNDCLASSEXW wc = {sizeof(wc)};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TTOTAL_CMD_TEST";
        RegisterClassExW(&wc);

        // The library and its settings file in a folder of their own.
        WCHAR exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring built(exe);
        built = built.substr(0, built.rfind(L'\\') + 1) + LibraryName;
        m_dll = m_folder.Path(LibraryName);
        ASSERT_TRUE(CopyFileW(built.c_str(), m_dll.c_str(), FALSE));
        m_folder.Write(L"TCPathfan.ini",
                       L"[PackMenu]\nFirst=packed $sel\nSecond=two\n"
                       L"[Menu]\nClip=$clip(srcpath)\nFiles=$clip(file)\nCmd=$cmd\nAll=$clip(fileall)\n");
        std::wstring hostIni = m_folder.Write(L"wincmd.ini",
            L"[DirMenu]\nmenu1=Work\ncmd1=cd C:\\work\nmenu2=Other\ncmd2=cd D:\\other\n");
        SetEnvironmentVariableW(L"COMMANDER_INI", hostIni.c_str());

        m_library = LoadLibraryW(m_dll.c_str());
        ASSERT_NE(nullptr, m_library);
        m_getInfo = (ModuleGetInfoProc)GetProcAddress(m_library, "GetInfo");
        m_load = (ModuleLoadProc)GetProcAddress(m_library, "Load");
        m_unload = (ModuleUnloadProc)GetProcAddress(m_library, "Unload");
        m_process = (ModuleProcessProc)GetProcAddress(m_library, "Process");
        ASSERT_TRUE(m_getInfo && m_load && m_unload && m_process);

        m_host = CreateWindowExW(0, L"TTOTAL_CMD_TEST", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        m_load(m_host, nullptr);
    }
    void TearDown() override
    {
        if (m_unload)
            m_unload();
        for (HWND window : m_tops)
            DestroyWindow(window);
        DestroyWindow(m_host);
        if (m_library)
            FreeLibrary(m_library);
        SetEnvironmentVariableW(L"COMMANDER_INI", nullptr);
    }

    // A visible, foreground edit of `editClass` in a window of `parentClass`.
    HWND ShowEdit(LPCWSTR editClass, LPCWSTR parentClass, DWORD style = 0)
    {
        HWND top = CreateWindowExW(0, parentClass, L"dialog", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   100, 100, 400, 200, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        m_tops.push_back(top);
        HWND edit = MakeWindow(editClass, top, L"", style);
        SetForegroundWindow(top);
        SetFocus(edit);
        return edit;
    }
    // Runs a command while `keys` are pressed into the menu it opens.
    int RunWithKeys(EditRequest& request, int command, std::vector<WORD> keys)
    {
        HWND top = GetAncestor(request.window, GA_ROOT);
        EXPECT_EQ(top, GetForegroundWindow());
        g_keys = keys;
        SetTimer(top, 1, 300, KeysTimer);
        SetTimer(top, 2, 4000, SafetyTimer);
        int result = m_process(&request, command);
        KillTimer(top, 1);
        KillTimer(top, 2);
        return result;
    }
    static EditRequest Request(HWND edit, LPCWSTR text, int selStart, int selEnd)
    {
        EditRequest request = {};
        lstrcpynW(request.text, text, ModuleTextLength);
        request.selStart = selStart;
        request.selEnd = selEnd;
        request.window = edit;
        return request;
    }

    CTempFolder m_folder;
    std::wstring m_dll;
    HMODULE m_library = nullptr;
    ModuleGetInfoProc m_getInfo = nullptr;
    ModuleLoadProc m_load = nullptr;
    ModuleUnloadProc m_unload = nullptr;
    ModuleProcessProc m_process = nullptr;
    HWND m_host = nullptr;
    std::vector<HWND> m_tops;
};

TEST_F(PathfanModuleTest, InfoAndCommandsWithoutMenus)
{
    ModuleInfo* info = m_getInfo();
    ASSERT_NE(nullptr, info);
    EXPECT_STREQ(L"Favorites", info->name);
    EXPECT_EQ((UINT)EditOnly, info->flags);
    EXPECT_EQ(-1, info->width);
    EXPECT_EQ(-1, info->height);
    ASSERT_EQ(3, info->commandCount);
    EXPECT_EQ(1, info->commands[0].id);
    EXPECT_STREQ(L"TC Favorites|Show TC directory menu", info->commands[0].text);
    EXPECT_EQ(2, info->commands[1].id);
    EXPECT_STREQ(L"Templates|Show Templates menu", info->commands[1].text);
    EXPECT_EQ(3, info->commands[2].id);
    EXPECT_STREQ(L"Set/Reset Counter|Set/Reset Global Counter", info->commands[2].text);

    // The settings file beside the library has no [ContextMenu].
    HWND edit = ShowEdit(L"TEdit", L"TDLGZIP");
    EditRequest request = Request(edit, L"abc", 1, 2);
    EXPECT_EQ(0, m_process(&request, 4));
    EXPECT_EQ(0, m_process(nullptr, 2));
}

// The snippet menu of the pack dialog, chosen with the keyboard.
TEST_F(PathfanModuleTest, PackMenuWithKeys)
{
    HWND edit = ShowEdit(L"TEdit", L"TDLGZIP");
    EditRequest request = Request(edit, L"abcdef", 2, 4);
    EXPECT_EQ(2, RunWithKeys(request, 2, {VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"abpacked cdef", request.text);
    EXPECT_EQ(2, request.selStart);
    EXPECT_EQ(11, request.selEnd);

    request = Request(edit, L"abc", 0, 3);
    EXPECT_EQ(2, RunWithKeys(request, 2, {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"two", request.text);

}

// The hotlist over the copy dialog's edit: the file mask stays.
TEST_F(PathfanModuleTest, HotlistWithKeys)
{
    HWND edit = ShowEdit(L"TEdit", L"TInpComboDlg");
    EditRequest request = Request(edit, L"c:\\a\\*.*", 0, 8);
    EXPECT_EQ(2, RunWithKeys(request, 1, {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"D:\\other\\*.*", request.text);
    EXPECT_EQ(0, request.selStart);
    EXPECT_EQ(8, request.selEnd);
}

// Texts the host puts on the real clipboard for its commands.
TEST_F(PathfanModuleTest, ClipboardThroughTheHostWindow)
{
    HWND edit = ShowEdit(L"TEdit", L"TOtherForm");
    EditRequest request = Request(edit, L"", 0, 0);
    EXPECT_EQ(2, RunWithKeys(request, 2, {VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"C:\\a\\", request.text);

    request = Request(edit, L"", 0, 0);
    EXPECT_EQ(2, RunWithKeys(request, 2, {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"x.txt  y.txt", request.text);

    // The host puts nothing there for its command: nothing changes.
    request = Request(edit, L"keep", 0, 4);
    EXPECT_EQ(0, RunWithKeys(request, 2, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_STREQ(L"keep", request.text);

    // A long clipboard text is cut with the control's text at 1023 characters.
    request = Request(edit, L"ab", 1, 1);
    EXPECT_EQ(2, RunWithKeys(request, 2, {VK_UP, VK_RETURN}));
    EXPECT_EQ(1023, lstrlenW(request.text));
    EXPECT_EQ(L'a', request.text[0]);
    EXPECT_EQ(L'n', request.text[1022]);
}

} // namespace
