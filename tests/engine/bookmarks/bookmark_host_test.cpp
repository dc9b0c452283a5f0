// The bookmark commands in the stand-in host: the file "Merovin.bkm" with
// Cyrillic and CJK names and its reload, the "CD" requests of Next and Prev,
// copy and paste through the clipboard as text and as a file drop, the
// selection with its questions, switching the saving and a failed save.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "EngineHost.h"
#include "HostCommand.h"
#include "TCProtocol.h"

namespace {

const char Settings[] = "[Config]\r\nUseLLHook=0\r\nBookMarks=1\r\nCheckCloseTC=0\r\nPersistBookmarks=";
const std::wstring Dom = L"\x0434\x043E\x043C", Cjk = L"\x4E2D\x6587";

std::string ReadAll(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return bytes;
}

// Puts Unicode text, or a file drop list when `drop` is set, on the clipboard.
void PutClipboard(const std::vector<std::wstring>& lines, bool drop)
{
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i && !drop ? L"\r\n" : L"") + lines[i] + (drop ? std::wstring(1, L'\0') : L"");
    size_t header = drop ? sizeof(DROPFILES) : 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + (text.size() + 1) * sizeof(wchar_t));
    BYTE* data = (BYTE*)GlobalLock(block);
    if (drop) {
        ((DROPFILES*)data)->pFiles = sizeof(DROPFILES);
        ((DROPFILES*)data)->fWide = TRUE;
    }
    memcpy(data + header, text.c_str(), text.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(drop ? CF_HDROP : CF_UNICODETEXT, block);
    CloseClipboard();
}

// The text of a "Merovin.bkm" after its byte-order mark.
std::wstring BookmarkText(const std::string& bytes)
{
    if (bytes.compare(0, 2, "\xFF\xFE") != 0)
        return L"<no byte-order mark>";
    return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"<closed>";
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const wchar_t* chars = data ? (const wchar_t*)GlobalLock(data) : nullptr) {
        text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

class BookmarksInHost : public ::testing::Test {
protected:
    void Start(const std::string& settings, const std::string& bookmarks = std::string())
    {
        CHostSetup setup = EngineHostSetup(settings);
        setup.leftFiles = {Dom + L"\\", Cjk + L"\\", L"c.txt", L"x.txt", L"y.txt"};
        if (!bookmarks.empty())
            setup.pluginTexts[L"Merovin.bkm"] = bookmarks;
        ASSERT_TRUE(m_host.Start(setup)) << m_host.LastError();
        m_left = m_host.Query(1);
        m_right = m_host.Query(2);
        m_file = m_host.PluginDir() + L"\\Merovin.bkm";
        ASSERT_TRUE(WaitFor(5000, [&] { return Dispatcher(m_host.ThreadId()) != nullptr; }));
        ASSERT_TRUE(m_host.Focus(m_left));
    }
    // Toggles the bookmark of the left list's item `name`.
    void Toggle(const std::wstring& name)
    {
        SendMessageW(m_left, LB_SETCARETINDEX, HostRowOf(m_left, name), 0);
        RunCommand(m_host, CmdToggleBookMark);
    }
    // The "CD" requests a command made: "cb side flags path" each.
    std::vector<std::wstring> Requests(UINT command, std::vector<std::wstring>* prompts = nullptr,
                                       std::vector<int> answers = {})
    {
        size_t mark = m_host.LogMark();
        std::vector<std::wstring> texts = RunCommand(m_host, command, answers);
        if (prompts)
            *prompts = texts;
        std::vector<std::wstring> lines;
        for (const CHostLogEntry& e : m_host.LogSince(mark))
            if (e.m_kind == L"copydata")
                lines.push_back(e.Get(L"cb") + L" " + e.Get(L"side") + L" " + e.Get(L"flags") + L" " + e.Get(L"path"));
            else if (e.m_kind == L"cmd")
                lines.push_back(L"cmd " + e.Get(L"n") + (e.Int(L"sent") ? L" sent" : L""));
        return lines;
    }
    std::wstring Folder() { return m_host.DataDir(0); }

    CHostDriver m_host;
    HWND m_left = nullptr, m_right = nullptr;
    std::wstring m_file;
};

// "cb side flags path" of a source-panel request for `path` from the left list.
std::wstring SourceRequest(const std::wstring& path, int side = 0)
{
    int utf8 = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), (int)path.size(), nullptr, 0, nullptr, nullptr);
    return std::to_wstring(3 + utf8 + 5) + L" " + std::to_wstring(side) + L" SA " + path;
}

TEST_F(BookmarksInHost, ToggledNamesSurviveTheFileAndNextAndPrevWrap)
{
    Start(std::string(Settings) + "1\r\n");
    Toggle(L"..");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_file.c_str())); // ".." is not bookmarked
    for (const wchar_t* name : {Dom.c_str(), Cjk.c_str(), L"c.txt", L"c.txt", L"c.txt"})
        Toggle(name);
    std::wstring dom = Folder() + L"\\" + Dom, cjk = Folder() + L"\\" + Cjk, c = Folder() + L"\\c.txt";
    std::string bytes = ReadAll(m_file);
    EXPECT_EQ(L"[BookMarks]\r\n1=" + dom + L"\r\n2=" + cjk + L"\r\n3=" + c + L"\r\n", BookmarkText(bytes));

    struct Step {
        UINT command;
        const std::wstring& path;
    } steps[] = {{CmdBookMarkNext, dom}, {CmdBookMarkNext, cjk}, {CmdBookMarkNext, c}, {CmdBookMarkNext, dom},
                 {CmdBookMarkPrev, c},   {CmdBookMarkPrev, cjk}, {CmdBookMarkPrev, dom}, {CmdBookMarkPrev, c}};
    for (const Step& s : steps) {
        ASSERT_TRUE(m_host.Focus(m_left));
        EXPECT_EQ(std::vector<std::wstring>{SourceRequest(s.path)}, Requests(s.command)) << s.command;
    }
    // A new start reads the names back from the file unchanged.
    m_host.Stop();
    Start(std::string(Settings) + "1\r\n", bytes);
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(dom)}, Requests(CmdBookMarkNext));
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(cjk)}, Requests(CmdBookMarkNext));
}

TEST_F(BookmarksInHost, ClipboardCopyPasteAndSelection)
{
    Start(std::string(Settings) + "0\r\n");
    std::wstring left = Folder(), x = left + L"\\x.txt", y = left + L"\\y.txt";
    std::wstring question = L"All files belong to '" + left + L"' folder. Apply selection?";
    const std::wstring none = L"Sorry, there is no common point to files.";
    struct Case {
        std::vector<std::wstring> pasted; // empty: no paste
        bool drop;
        UINT command;
        HWND* focus;
        std::vector<int> answers;
        std::vector<std::wstring> prompts;
        std::wstring clipboard;           // after the command
        std::vector<std::wstring> requests;
    } cases[] = {
        {{L"C:\\a", L"rel", L"C:\\a"}, false, CmdCopyBookMark, &m_left, {}, {}, L"C:\\a\r\nC:\\a", {}},
        {{L"rel", L"also\\relative"}, false, CmdCopyBookMark, &m_left, {}, {}, L"C:\\a\r\nC:\\a", {}}, // kept
        {{x, y}, true, CmdCopyBookMark, &m_left, {}, {}, L"C:\\a\r\nC:\\a\r\n" + x + L"\r\n" + y, {}},   // appended
        {{x + L"\n" + y}, false, CmdBook2Selection, &m_left, {}, {}, left + L"\r\nx.txt\r\ny.txt",
         {L"cmd 2034", L"cmd 2033"}},
        {{}, false, CmdBook2Selection, &m_right, {IDNO}, {question}, left + L"\r\nx.txt\r\ny.txt", {}},
        {{}, false, CmdBook2Selection, &m_right, {IDYES}, {question}, left + L"\r\nx.txt\r\ny.txt",
         {SourceRequest(left, 1), L"cmd 2035", L"cmd 2033"}},
        {{L"C:\\x", L"D:\\y"}, false, CmdBook2Selection, &m_left, {}, {none}, L"C:\\x\r\nD:\\y", {}},
        {{L"C:"}, false, CmdBook2Selection, &m_left, {}, {none}, L"C:", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard);
        ASSERT_TRUE(m_host.Focus(*c.focus));
        if (!c.pasted.empty()) {
            PutClipboard(c.pasted, c.drop);
            EXPECT_TRUE(Requests(CmdPasteBookMark).empty());
        }
        std::vector<std::wstring> prompts;
        EXPECT_EQ(c.requests, Requests(c.command, &prompts, c.answers));
        EXPECT_EQ(c.prompts, prompts);
        EXPECT_EQ(c.clipboard, ClipboardText());
    }
    // The selection was made in the right panel, which went to the common folder.
    std::vector<CHostLogEntry> selections = m_host.LogSince(0, L"selection");
    ASSERT_EQ(2u, selections.size());
    EXPECT_EQ(L"0 2", selections[0].Get(L"side") + L" " + selections[0].Get(L"selected"));
    EXPECT_EQ(L"1 2", selections[1].Get(L"side") + L" " + selections[1].Get(L"selected"));
}

TEST_F(BookmarksInHost, SavingIsSwitchedInMemoryAndAFailedSaveSaysWhy)
{
    Start(std::string(Settings) + "0\r\n");
    Toggle(L"c.txt");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_file.c_str()));
    RunCommand(m_host, CmdToggleSaveBookmark);
    Toggle(L"x.txt");
    std::string saved = ReadAll(m_file);
    EXPECT_EQ(L"[BookMarks]\r\n1=" + Folder() + L"\\c.txt\r\n2=" + Folder() + L"\\x.txt\r\n", BookmarkText(saved));
    RunCommand(m_host, CmdToggleSaveBookmark);
    Toggle(L"y.txt");
    EXPECT_EQ(saved, ReadAll(m_file));

    // The file's place is taken by a folder: the system's text in a box, the list stays.
    ASSERT_TRUE(DeleteFileW(m_file.c_str()));
    ASSERT_TRUE(CreateDirectoryW(m_file.c_str(), nullptr));
    RunCommand(m_host, CmdToggleSaveBookmark);
    SendMessageW(m_left, LB_SETCARETINDEX, HostRowOf(m_left, L"c.txt"), 0);
    std::vector<std::wstring> prompts = RunCommand(m_host, CmdToggleBookMark);
    ASSERT_EQ(1u, prompts.size());
    bool systemText = false;
    for (DWORD error : {ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS, ERROR_ACCESS_DENIED}) {
        wchar_t message[512] = {};
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, message, 512, nullptr);
        std::wstring text(message); // without its line end
        while (!text.empty() && iswspace(text.back()))
            text.pop_back();
        systemText = systemText || (!text.empty() && prompts[0] == text);
    }
    EXPECT_TRUE(systemText) << prompts[0];
    std::wstring x = Folder() + L"\\x.txt", y = Folder() + L"\\y.txt";
    ASSERT_TRUE(m_host.Focus(m_left)); // the stand-in does not give it back after the box
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(x)}, Requests(CmdBookMarkNext));
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(y)}, Requests(CmdBookMarkNext));
    // The current last one goes (the save fails again): one bookmark is left for both ways.
    std::wstring home = Folder();
    std::string back = "\xEF\xBB\xBF" + std::string(home.begin(), home.end()) + std::string("\r\0A", 4);
    ASSERT_TRUE(m_host.CopyData(0x4443, back.c_str(), (DWORD)back.size() + 1)); // the left panel goes home
    ASSERT_TRUE(m_host.Focus(m_left));
    Toggle(L"y.txt");
    ASSERT_TRUE(m_host.Focus(m_left));
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(x)}, Requests(CmdBookMarkNext));
    EXPECT_EQ(std::vector<std::wstring>{SourceRequest(x)}, Requests(CmdBookMarkPrev));
}

} // namespace

// "MClick2NewTab": a middle click on a row opens its path in a new tab of the
// same side ("A" and "T" for a new tab, no "S"); off, the click sends nothing.
TEST_F(BookmarksInHost, MiddleClickOpensTheRowInANewTab)
{
    for (int on : {1, 0}) {
        Start("[Config]\r\nUseLLHook=0\r\nCheckCloseTC=0\r\nMClick2NewTab=" + std::to_string(on) + "\r\n");
        int height = (int)SendMessageW(m_left, LB_GETITEMHEIGHT, 0, 0);
        int row = HostRowOf(m_left, L"c.txt");
        LPARAM point = MAKELPARAM(20, row * height + height / 2);
        size_t mark = m_host.LogMark();
        SendMessageW(m_left, WM_MBUTTONDOWN, MK_MBUTTON, point);
        SendMessageW(m_left, WM_MBUTTONUP, 0, point);
        m_host.Flush();
        std::vector<std::wstring> requests;
        for (const CHostLogEntry& e : m_host.LogSince(mark, L"copydata"))
            requests.push_back(e.Get(L"side") + L" " + e.Get(L"flags") + L" " + e.Get(L"path"));
        std::vector<std::wstring> expected;
        if (on)
            expected.push_back(L"0 AT " + Folder() + L"\\c.txt");
        EXPECT_EQ(expected, requests) << "MClick2NewTab=" << on;
        m_host.Stop();
    }
}
