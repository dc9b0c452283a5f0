// The "CD" block of every panel mode with its length limit, and the
// splitting of pasted text into bookmark candidates.
#include <gtest/gtest.h>
#include <string>
#include "Clipboard.h"
#include "GoToPath.h"

namespace {

TEST(GoToPathBlock, BytesForEveryModeAndTheLengthLimit)
{
    struct Case {
        int mode;
        bool newTab;
        std::string bytes;
    } cases[] = {
        {GoToLeft, false, std::string("\xEF\xBB\xBF" "C:\\a\r\0A\0", 11)},
        {GoToRight, false, std::string("\r\xEF\xBB\xBF" "C:\\a\0A\0", 11)},
        {GoToSource, false, std::string("\xEF\xBB\xBF" "C:\\a\r\0SA\0", 12)},
        {GoToTarget, true, std::string("\r\xEF\xBB\xBF" "C:\\a\0SAT\0", 13)},
        {GoToLeft, true, std::string("\xEF\xBB\xBF" "C:\\a\r\0AT\0", 12)},
    };
    for (const Case& c : cases) {
        std::string block;
        ASSERT_TRUE(BuildGoToPathBlock(L"C:\\a", c.mode, c.newTab, block));
        EXPECT_EQ(c.bytes, block) << c.mode;
    }
    // Three-byte characters: the path may take 1021 bytes after the BOM
    // (1020 after a leading CR); one byte more is refused, never cut.
    std::wstring fits = L"C:\\" + std::wstring(339, L'\x4E2D'); // 3 + 1017 bytes
    std::string block;
    EXPECT_TRUE(BuildGoToPathBlock((fits + L"a").c_str(), GoToSource, false, block));
    EXPECT_EQ(1024u + 5, block.size()); // CR, 0, "S", "A", 0 follow
    EXPECT_FALSE(BuildGoToPathBlock((fits + L"ab").c_str(), GoToSource, false, block));
    EXPECT_TRUE(block.empty());
    EXPECT_FALSE(BuildGoToPathBlock((fits + L"a").c_str(), GoToTarget, false, block));
    EXPECT_FALSE(BuildGoToPathBlock((fits + L"\x4E2D").c_str(), GoToSource, false, block));
}

TEST(PastedText, SplitsAtEveryLineEndAndKeepsAbsolutePaths)
{
    struct Case {
        std::wstring text;
        std::vector<std::wstring> paths;
    } cases[] = {
        {L"C:\\a\r\nrel\r\nC:\\a", {L"C:\\a", L"C:\\a"}},
        {L"C:\\a\nC:\\b\rC:\\c\r\n\r\nD:\\d\r\n", {L"C:\\a", L"C:\\b", L"C:\\c", L"D:\\d"}},
        {L"rel\r\n.\\x\r\n", {}},
        {L"C:", {L"C:"}}, // not relative, though it names no folder
        {L"C:\\" + std::wstring(1020, L'x') + L"\r\nC:\\" + std::wstring(1021, L'y'), {L"C:\\" + std::wstring(1020, L'x')}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> got;
        for (const CString& path : SplitPastedText(c.text.c_str()))
            got.push_back(path.GetString());
        EXPECT_EQ(c.paths, got) << c.text.substr(0, 40);
    }
}

} // namespace
