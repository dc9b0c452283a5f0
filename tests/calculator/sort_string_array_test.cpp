// The sorted string array: folders first by their attributes on disk, names
// without case on request, look-up from the end.
#include "SortStringArray.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring MakeFolder()
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"sortarray-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
        std::to_wstring(GetTickCount64());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring Joined(const CSortStringArray& names)
{
    std::wstring text;
    for (int i = 0; i < (int)names.GetSize(); ++i)
        text += std::wstring(names[i]) + L",";
    return text;
}

} // namespace

TEST(SortStringArray, FoldersFirstThenNamesWithoutCase)
{
    std::wstring folder = MakeFolder();
    CreateDirectoryW((folder + L"\\A").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\zdir").c_str(), nullptr);
    CloseHandle(CreateFileW((folder + L"\\a.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    CSortStringArray names;
    names.SetFolder(folder.c_str());
    for (const wchar_t* name : {L"b.txt", L"zdir", L"A", L"a.txt", L"missing"})
        names.Add(name);
    names.Sort(FALSE); // stable: only folders move ahead
    EXPECT_EQ(Joined(names), L"zdir,A,b.txt,a.txt,missing,");
    names.Sort(TRUE);
    EXPECT_EQ(Joined(names), L"A,zdir,a.txt,b.txt,missing,");

    RemoveDirectoryW((folder + L"\\A").c_str());
    RemoveDirectoryW((folder + L"\\zdir").c_str());
    DeleteFileW((folder + L"\\a.txt").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SortStringArray, ReverseFindCounterAndClear)
{
    CSortStringArray names;
    EXPECT_EQ(names.ReverseFind(L"x", TRUE), -1);
    names.Sort(TRUE); // empty: nothing to do
    for (const wchar_t* name : {L"one", L"Two", L"one", L"three"})
        names.Add(name);
    EXPECT_EQ(names.ReverseFind(L"one", TRUE), 2);
    EXPECT_EQ(names.ReverseFind(L"two", TRUE), -1);
    EXPECT_EQ(names.ReverseFind(L"two", FALSE), 1);
    names.SetCounter(5);
    EXPECT_EQ(names.GetCounter(), 5);
    names.Clear();
    EXPECT_EQ(names.GetCounter(), 0);
    EXPECT_EQ(names.GetSize(), 0);
}
