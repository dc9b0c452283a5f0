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

namespace {

// Counts the attribute reads; answers from disk.
class CCountingArray : public CSortStringArray {
public:
    mutable int probes = 0;

protected:
    DWORD ReadAttributes(LPCWSTR path) const override
    {
        ++probes;
        return CSortStringArray::ReadAttributes(path);
    }
};

} // namespace

// Without a folder every name is a file, even one that names a folder at the
// root of the current drive; with a folder each name is probed once per sort.
TEST(SortStringArray, EmptyFolderIsANameSortAndNamesAreProbedOnce)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WCHAR previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(temp);
    std::wstring rootName = L"zsortroot" + std::to_wstring(GetCurrentProcessId());
    std::wstring rootFolder = L"\\" + rootName;
    ASSERT_TRUE(CreateDirectoryW(rootFolder.c_str(), nullptr));

    CCountingArray names;
    for (const wchar_t* name : {L"b", rootName.c_str(), L"A"})
        names.Add(name);
    names.Sort(TRUE);
    EXPECT_EQ(Joined(names), L"A,b," + rootName + L",");
    EXPECT_EQ(names.probes, 0);
    RemoveDirectoryW(rootFolder.c_str());
    SetCurrentDirectoryW(previous);

    std::wstring folder = MakeFolder();
    CreateDirectoryW((folder + L"\\dir7").c_str(), nullptr);
    names.Clear();
    names.SetFolder(folder.c_str());
    for (int i = 0; i < 20; ++i)
        names.Add(CString((L"name" + std::to_wstring(19 - i)).c_str()));
    names.Add(L"dir7");
    names.Sort(TRUE);
    EXPECT_EQ(names.probes, 21);
    EXPECT_EQ(std::wstring(names[0]), L"dir7");
    EXPECT_EQ(std::wstring(names[1]), L"name0");
    EXPECT_EQ(std::wstring(names[20]), L"name9");
    RemoveDirectoryW((folder + L"\\dir7").c_str());
    RemoveDirectoryW(folder.c_str());
}
