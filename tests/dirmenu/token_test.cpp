// The $-tokens, with the folder, clock, clipboard and host answered by the
// test's services.
#include "PathfanFixture.h"
#include "TokenExpander.h"
#include <clocale>

namespace {

class PathfanTokenTest : public PathfanFixture
{
protected:
    void SetUp() override
    {
        PathfanFixture::SetUp();
        m_services.hostTexts = {{2036, L"C:\\a\\x.txt\r\nC:\\a\\y.txt"}, {2017, L"x.txt\r\ny.txt"},
                                {2029, L"C:\\a\\"}, {2030, L"D:\\b\\"}, {2924, L"cmd text"}};
    }
    std::wstring Expand(const std::wstring& text, const EditRequest* request = nullptr,
                        bool* succeeded = nullptr)
    {
        CTokenExpander expander(m_services, m_host, m_counter);
        CString result(text.c_str());
        bool ok = expander.ExpandTokens(result, request);
        if (succeeded)
            *succeeded = ok;
        return result.GetString();
    }

    HWND m_host = (HWND)0x1234;
    int m_counter = 1;
};

TEST_F(PathfanTokenTest, TokensOfTheTable)
{
    EXPECT_EQ(L"src\\file.txt", Expand(L"$dir\\file.txt"));
    EXPECT_EQ(L"srcectory", Expand(L"$directory"));
    EXPECT_EQ(L"1 2 3", Expand(L"$cnt $CNT $Cnt"));
    EXPECT_EQ(L"4", Expand(L"$cnt"));
    EXPECT_EQ(L"work\\src", Expand(L"$path"));
    EXPECT_EQ(L"work", Expand(L"$parent"));

    WCHAR programs[MAX_PATH];
    ExpandEnvironmentStringsW(L"%ProgramFiles(x86)%", programs, MAX_PATH);
    EXPECT_EQ(programs, Expand(L"$env(%ProgramFiles(x86)%)"));

    EXPECT_EQ(L"2024-03-05", Expand(L"$edt(%Y-%m-%d)"));
    EXPECT_EQ(L"14:07:09", Expand(L"$EDT(%H:%M:%S)"));
    EXPECT_EQ(L"2024", Expand(L"$udt(%Y)"));
    EXPECT_STREQ(L"C", _wsetlocale(LC_ALL, nullptr));
    // The argument runs to the last ")" of the text.
    EXPECT_EQ(L"2024) and ($cnt", Expand(L"$edt(%Y) and ($cnt)"));
    // Unknown conversions are refused before the run time sees them.
    EXPECT_EQ(L"[]", Expand(L"[$edt(%Q)]"));
    // No ")" after an argument token: plain text.
    EXPECT_EQ(L"$edt(%Y", Expand(L"$edt(%Y"));

    EXPECT_EQ(L"", Expand(L"$swat(x)"));
    EXPECT_EQ(L"$Foo", Expand(L"$Foo"));
    EXPECT_EQ(L"a$", Expand(L"a$"));
    EXPECT_EQ(L"$$5", Expand(L"$$$cnt"));
}

TEST_F(PathfanTokenTest, FolderParts)
{
    m_services.currentDirectory = L"\\\\server\\share\\x";
    EXPECT_EQ(L"server\\share\\x|share|x", Expand(L"$path|$parent|$dir"));
    m_services.currentDirectory = L"C:\\";
    EXPECT_EQ(L"|", Expand(L"$path|$parent$dir"));
}

TEST_F(PathfanTokenTest, SelectionAndTextOfTheRequest)
{
    HWND edit = MakeEdit(L"TEdit", L"TOtherForm");
    EditRequest request = Request(edit, L"abcdef", 2, 4);
    EXPECT_EQ(L"cd|abcdef", Expand(L"$sel|$src", &request));
    // Without a request (hotlist and context menu) both give nothing.
    EXPECT_EQ(L"|", Expand(L"$sel|$src"));
    // A selection beyond the text is clamped to it.
    request.selStart = 4;
    request.selEnd = 5000;
    EXPECT_EQ(L"ef", Expand(L"$sel", &request));
    request.selStart = -3;
    request.selEnd = 1;
    EXPECT_EQ(L"a", Expand(L"$sel", &request));
}

TEST_F(PathfanTokenTest, ClipboardTextsOfHostCommands)
{
    HWND single = MakeEdit(L"TEdit", L"TOtherForm");
    HWND multi = MakeEdit(L"TMemo", L"TOtherForm", ES_MULTILINE);
    EditRequest inSingle = Request(single, L"", 0, 0);
    EditRequest inMulti = Request(multi, L"", 0, 0);

    EXPECT_EQ(L"x.txt  y.txt", Expand(L"$clip(file)", &inSingle));
    EXPECT_EQ(L"x.txt\r\ny.txt", Expand(L"$clip(FILE)", &inMulti));
    EXPECT_EQ(L"x.txt\r\ny.txt", Expand(L"$clip(file)"));
    EXPECT_EQ(L"C:\\a\\", Expand(L"$clip(srcpath)"));
    EXPECT_EQ(L"D:\\b\\", Expand(L"$clip(trgpath)"));
    // The first argument runs to the last ")", keyword matched at its start.
    EXPECT_EQ(L"C:\\a\\", Expand(L"$clip(srcpath)|$clip(trgpath)"));
    EXPECT_EQ(L"C:\\a\\x.txt\r\nC:\\a\\y.txt", Expand(L"$clip(fileall)"));
    EXPECT_EQ(L"[]", Expand(L"[$clip(other)]"));
    EXPECT_EQ((std::vector<UINT>{2017, 2017, 2017, 2029, 2030, 2029, 2036}), m_services.hostCommands);

    // A clipboard that cannot be opened gives nothing.
    m_services.clipboardOpens = false;
    EXPECT_EQ(L"", Expand(L"$clip(srcpath)"));

    // Long clipboard texts are cut with the whole expansion at 1023 characters.
    m_services.clipboardOpens = true;
    m_services.hostTexts = {{2017, std::wstring(5000, L'f')}};
    std::wstring cut = Expand(L"ab$clip(file)", &inSingle);
    ASSERT_EQ(1023u, cut.size());
    EXPECT_EQ(L"abfff", cut.substr(0, 5));
}

TEST_F(PathfanTokenTest, CommandTextFromTheHost)
{
    bool ok = false;
    EXPECT_EQ(L"<cmd text>", Expand(L"<$cmd>", nullptr, &ok));
    EXPECT_TRUE(ok);

    // The host put nothing there: the whole expansion fails.
    m_services.hostTexts.clear();
    m_services.clipboard = L"stale";
    Expand(L"<$cmd>", nullptr, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(L"", m_services.clipboard);

    m_services.clipboardOpens = false;
    Expand(L"$cmd", nullptr, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ((std::vector<UINT>{MB_ICONASTERISK}), m_services.beeps);
}

TEST_F(PathfanTokenTest, FileAndFolderDialogs)
{
    m_services.browsedFile = L"C:\\f.txt";
    EXPECT_EQ(L"[C:\\f.txt]", Expand(L"[$fbrowse(Text|*.txt)]"));
    EXPECT_EQ(L"Text|*.txt||", m_services.fileFilter);
    Expand(L"$fbrowse()");
    EXPECT_EQ(L"", m_services.fileFilter);
    m_services.browsedFile.clear();
    EXPECT_EQ(L"[]", Expand(L"[$fbrowse(x)]"));

    // The dialog's form of the filter: NUL separators, two NULs at the end.
    WCHAR filter[16];
    FilterToDialogForm(L"Text|*.txt||", filter, 16);
    EXPECT_EQ(0, memcmp(L"Text\0*.txt\0\0", filter, 13 * sizeof(WCHAR)));
    FilterToDialogForm(L"Text|*.txt||", filter, 8);
    EXPECT_EQ(0, memcmp(L"Text\0*\0\0", filter, 8 * sizeof(WCHAR)));

    m_services.browsedFolder = L"D:\\dir";
    EXPECT_EQ(L"D:\\dir", Expand(L"$dbrowse(Pick one)"));
    EXPECT_EQ(L"Pick one", m_services.folderTitle);
    m_services.browsedFolder.clear();
    EXPECT_EQ(L"", Expand(L"$dbrowse(x)"));
}

} // namespace
