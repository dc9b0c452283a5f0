// Process per command: which menu opens where, and the exact text and
// selection written back into the request.
#include "PathfanFixture.h"
#include "CaretPopupPoint.h"

namespace {

class PathfanProcessTest : public PathfanFixture
{
protected:
    void SetUp() override
    {
        PathfanFixture::SetUp();
        WriteFixtures();
    }
};

void ExpectRequest(const EditRequest& request, LPCWSTR text, int selStart, int selEnd)
{
    EXPECT_STREQ(text, request.text);
    EXPECT_EQ(selStart, request.selStart);
    EXPECT_EQ(selEnd, request.selEnd);
}

TEST_F(PathfanProcessTest, HotlistReplacesTheSelection)
{
    HWND edit = MakeEdit(L"TEdit", L"TOtherForm");
    EditRequest request = Request(edit, L"abc", 1, 2);
    m_services.choice = L"Work";
    EXPECT_EQ(2, m_pathfan.Process(&request, 1));
    ExpectRequest(request, L"aC:\\workc", 1, 8);
    EXPECT_EQ(L"Work#1|-|Sub>[Docs#3|Net#4]", m_services.menus.back());
    // Under the edit, owned by it.
    RECT rect;
    GetWindowRect(edit, &rect);
    EXPECT_EQ(rect.left, m_services.lastPoint.x);
    EXPECT_EQ(rect.bottom + 1, m_services.lastPoint.y);
    EXPECT_EQ(edit, m_services.lastOwner);

    // Nothing chosen: the request stays as it was.
    m_services.choice.clear();
    EditRequest unchanged = Request(edit, L"abc", 1, 2);
    EXPECT_EQ(2, m_pathfan.Process(&unchanged, 1));
    ExpectRequest(unchanged, L"abc", 1, 2);
}

TEST_F(PathfanProcessTest, CopyDialogKeepsTheFileMask)
{
    HWND edit = MakeEdit(L"TEdit", L"TInpComboDlg");
    m_services.choice = L"Work";
    EditRequest request = Request(edit, L"c:\\a\\*.*", 0, 8);
    EXPECT_EQ(2, m_pathfan.Process(&request, 1));
    ExpectRequest(request, L"C:\\work\\*.*", 0, 7);

    // Nothing chosen: the selection moved for the menu is put back.
    m_services.choice.clear();
    request = Request(edit, L"c:\\a\\*.*", 0, 8);
    EXPECT_EQ(2, m_pathfan.Process(&request, 1));
    ExpectRequest(request, L"c:\\a\\*.*", 0, 8);

    // The hotlist inside the snippet menu ("UseMenu=Other") keeps it too ...
    m_services.choice = L"Docs";
    request = Request(edit, L"c:\\a\\*.*", 0, 8);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    WCHAR expected[MAX_PATH];
    ExpandEnvironmentStringsW(L"%USERPROFILE%\\Documents\\*.*", expected, MAX_PATH);
    EXPECT_STREQ(expected, request.text);
    // ... a snippet replaces the whole selected text ...
    m_services.choice = L"O1";
    request = Request(edit, L"c:\\a\\*.*", 0, 8);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    ExpectRequest(request, L"other one", 0, 9);
    // ... and a partial selection is replaced as it is.
    m_services.choice = L"Work";
    request = Request(edit, L"c:\\a\\*.*", 0, 4);
    EXPECT_EQ(2, m_pathfan.Process(&request, 1));
    ExpectRequest(request, L"C:\\work\\*.*", 0, 7);
}

TEST_F(PathfanProcessTest, SnippetAtTheCaret)
{
    HWND memo = MakeEdit(L"TEdit", L"TDLGZIP", ES_MULTILINE);
    SetWindowTextW(memo, L"abcdef");
    m_services.choice = L"Pack1";
    EditRequest request = Request(memo, L"abcdef", 2, 4);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    ExpectRequest(request, L"abfirst packef", 2, 12);
    POINT caret = GetCaretPopupPoint(memo, 6, 2);
    EXPECT_EQ(caret.x, m_services.lastPoint.x);
    EXPECT_EQ(caret.y, m_services.lastPoint.y);
    EXPECT_EQ(0u, m_services.lastFlags & TPM_RIGHTBUTTON);

    // "$src" and "$sel" see the request.
    HWND edit = MakeEdit(L"TEdit", L"TOtherForm");
    m_services.choice = L"Last";
    request = Request(edit, L"xy", 2, 2);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    ExpectRequest(request, L"xyxy!", 2, 5);

    // An item without a text of its own inserts nothing.
    m_services.choice = L"($sub)";
    request = Request(edit, L"xy", 0, 1);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    ExpectRequest(request, L"xy", 0, 1);
}

TEST_F(PathfanProcessTest, ContextMenuReplacesTheWholeText)
{
    HWND edit = MakeEdit(L"TEdit", L"TDLGZIP");
    m_services.choice = L"Whole";
    EditRequest request = Request(edit, L"abcdef", 1, 6);
    EXPECT_EQ(2, m_pathfan.Process(&request, 4));
    // No request for the expansion: $sel gives nothing.
    ExpectRequest(request, L"new  text", 1, 6);
    EXPECT_EQ(TPM_RIGHTBUTTON, m_services.lastFlags & TPM_RIGHTBUTTON);
    EXPECT_EQ(300, m_services.lastPoint.x);
    EXPECT_EQ(200, m_services.lastPoint.y);

    // Also outside the host's edits.
    HWND other = MakeEdit(L"STATIC", L"TOtherForm");
    request = Request(other, L"some long text", 12, 14);
    EXPECT_EQ(2, m_pathfan.Process(&request, 4));
    ExpectRequest(request, L"new  text", 9, 9);

    m_folder.Write(L"TCPathfan.ini", L"[Menu]\nA=a\n");
    request = Request(edit, L"abc", 0, 0);
    EXPECT_EQ(0, m_pathfan.Process(&request, 4));
}

TEST_F(PathfanProcessTest, FailedCommandTextChangesNothing)
{
    m_folder.Write(L"TCPathfan.ini", L"[PackMenu]\nC=x$cmd\n[ContextMenu]\nC=x$cmd\n");
    m_folder.Write(L"wincmd.ini", L"[DirMenu]\nmenu1=C\ncmd1=cd c:\\$cmd\n");
    HWND edit = MakeEdit(L"TEdit", L"TDLGZIP");
    m_services.choice = L"C";
    for (int command : {2, 1, 4}) {
        EditRequest request = Request(edit, L"abc", 1, 2);
        EXPECT_EQ(command == 2 ? 0 : 2, m_pathfan.Process(&request, command)) << command;
        ExpectRequest(request, L"abc", 1, 2);
    }
    EXPECT_EQ((std::vector<UINT>{2924, 2924, 2924}), m_services.hostCommands);
}

TEST_F(PathfanProcessTest, CounterAndOtherCommands)
{
    m_folder.Write(L"TCPathfan.ini", L"[PackMenu]\nN=$cnt\n");
    HWND edit = MakeEdit(L"TEdit", L"TDLGZIP");
    EditRequest request = Request(edit, L"x41y", 1, 3);
    EXPECT_EQ(2, m_pathfan.Process(&request, 3));
    ExpectRequest(request, L"x41y", 1, 3);
    EXPECT_EQ(41, m_pathfan.GetCounter());
    EXPECT_EQ((std::vector<UINT>{0}), m_services.beeps);
    m_services.choice = L"N";
    request = Request(edit, L"", 0, 0);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    EXPECT_STREQ(L"41", request.text);
    EXPECT_EQ(42, m_pathfan.GetCounter());

    request = Request(edit, L"abc", 0, 0);
    EXPECT_EQ(2, m_pathfan.Process(&request, 3));
    EXPECT_EQ(1, m_pathfan.GetCounter());
    // The whole text when nothing is selected; a selection past the text is clamped.
    request = Request(edit, L"17 x", 2, 2);
    m_pathfan.Process(&request, 3);
    EXPECT_EQ(17, m_pathfan.GetCounter());
    request = Request(edit, L"x41y", 9, 900);
    m_pathfan.Process(&request, 3);
    EXPECT_EQ(1, m_pathfan.GetCounter());

    request = Request(edit, L"abc", 1, 2);
    EXPECT_EQ(2, m_pathfan.Process(&request, 9));
    ExpectRequest(request, L"abc", 1, 2);
    EXPECT_EQ(0, m_pathfan.Process(nullptr, 1));
}

TEST_F(PathfanProcessTest, HotlistNeedsTheHostIni)
{
    HWND edit = MakeEdit(L"TEdit", L"TOtherForm");
    m_services.choice = L"Work";
    SetEnvironmentVariableW(L"COMMANDER_INI", nullptr);
    EditRequest request = Request(edit, L"abc", 0, 0);
    EXPECT_EQ(0, m_pathfan.Process(&request, 1));
    SetEnvironmentVariableW(L"COMMANDER_INI", L"");
    EXPECT_EQ(0, m_pathfan.Process(&request, 1));
    EXPECT_TRUE(m_services.menus.empty());
    EXPECT_STREQ(L"abc", request.text);
}

TEST_F(PathfanProcessTest, LongTextsAreCut)
{
    HWND edit = MakeEdit(L"TEdit", L"TDLGZIP");
    m_folder.Write(L"TCPathfan.ini", L"[PackMenu]\nLong=" + std::wstring(600, L'L') + L"\n");
    m_services.choice = L"Long";
    std::wstring text(1000, L't');
    EditRequest request = Request(edit, text.c_str(), 500, 500);
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    ASSERT_EQ(1023, lstrlenW(request.text));
    EXPECT_EQ(L'L', request.text[1022]);
    EXPECT_EQ(500, request.selStart);
    EXPECT_EQ(1023, request.selEnd);

    // A request text without its terminator is read within its buffer.
    for (int i = 0; i < ModuleTextLength; ++i)
        request.text[i] = L'u';
    request.selStart = -7;
    request.selEnd = 4000;
    EXPECT_EQ(2, m_pathfan.Process(&request, 2));
    EXPECT_EQ(0, request.selStart);
    EXPECT_EQ(600, request.selEnd);
    EXPECT_EQ(600, lstrlenW(request.text));
}

} // namespace
