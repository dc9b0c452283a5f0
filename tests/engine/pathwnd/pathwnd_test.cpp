// The folder of every form of the path bar's text.
#include <gtest/gtest.h>
#include "EngineHelpers.h"

TEST(PathWindow, FolderOfTheBarText)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Data\\*.*", L"C:\\Data"},
        {L"C:\\*.*", L"C:"},
        {L"\\\\srv\\share\\*.*", L"\\\\srv\\share"},
        {L"ftp1:/pub/x", L"/pub/x"},
        {L"ftp1:\\pub\\x\\*.*", L"\\pub\\x"},
        {L"abc", L""},
        {L"", L""},
        {L"\\", L"\\"},
        {L"C:\\Data", L"C:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.folder), FolderOfPathText(c.text)) << c.text;
}
