// File grouping: group keys of the pattern, wildcard matching, saved
// searches through the host INI rule, the entry sort and the order map.
#include <gtest/gtest.h>
#include <vector>
#include "FileArray.h"
#include "GroupSettings.h"
#include "TestFiles.h"

TEST(Grouping, GroupKeysOfThePattern)
{
    struct Case {
        const wchar_t* spec;
        const wchar_t* name;
        UINT key;
    } cases[] = {
        {L"*.txt|*.doc", L"a.TXT", 0},
        {L"*.txt|*.doc", L"b.doc", 256},
        {L"*.txt|*.doc", L"c.exe", NoGroupKey},
        {L">*.h:*.cpp", L"x.cpp", 2},
        {L">*.h:*.cpp", L"x.h", 1},
        {L"*.txt<*.bak", L"a.bak", NoGroupKey + 256},
        {L"*.txt<>*.bak:*.old", L"a.old", NoGroupKey + 256 + 2},
        {L"", L"a.txt", NoGroupKey},
        {L">*.h:*.c<*.o:*.obj", L"m.obj", NoGroupKey + 256},  // bottom part not numbered
        {L">*.h:*.c<*.o:*.obj", L"m.c", 2},
        {L"*.a<*.b<*.c", L"x.c", NoGroupKey + 512},             // a second "<" starts a group
        {L"*.a<*.b<>*.c", L">x.c", NoGroupKey + 512},            // ... and its ">" is a mask character
        {L"*.a||*.c", L"x.c", 512},                             // an empty mask matches no name
        {L"*.txt|*", L"x.txt", 0},                              // the first match wins
    };
    for (const Case& c : cases) {
        CFileArray array;
        array.SetPattern(c.spec, L"");
        EXPECT_EQ(c.key, GroupOf(array, c.name)) << c.spec << L" " << c.name;
    }
}

TEST(Grouping, WildcardMatching)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    } cases[] = {
        {L"a*b*c", L"aXbYc", true}, {L"a*b*c", L"abc", true},   {L"a*b*c", L"ab", false},
        {L"*.*", L"noext", false},  {L"?", L"a", true},         {L"?", L"", false},
        {L"?", L"ab", false},       {L"", L"", true},           {L"*", L"", true},
        {L"", L"a", false},         {L"a**", L"a", true},       {L"*ab", L"aab", true},
        {L"*a*b", L"xaybzab", true}, {L"*ab", L"aba", false},   {L"ÄB*", L"äbc", true},
        {L"*.жпг", L"ФОТО.ЖПГ", true}, {L"s", L"ß", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, WildcardMatch(c.pattern, c.name)) << c.pattern << L" / " << c.name;
}

// "Searches" is not a fixed section: it lives in the alternate user INI
// unless its own "RedirectSection" names another file.
TEST(Grouping, SavedSearchesThroughTheHostIniRule)
{
    CTempFolder folder(L"grouping");
    std::wstring host = folder.File(L"wincmd.ini");
    WriteText(host, "[Configuration]\r\nAlternateUserIni=alt.ini\r\n[Searches]\r\nDocs_SearchFor=*.txt\r\n");
    WriteText(folder.File(L"alt.ini"), "[Searches]\r\nDocs_SearchFor=*.doc; *.rtf\r\n");
    CFileArray array;
    array.SetPattern(L"=Docs|=None|*", host.c_str());
    EXPECT_EQ(0u, GroupOf(array, L"x.rtf"));
    EXPECT_EQ(0u, GroupOf(array, L"y.DOC"));
    EXPECT_EQ(512u, GroupOf(array, L"x.txt"));
    EXPECT_TRUE(MaskMatches(L"=docs", L"a.doc", host.c_str()));

    WriteText(host, "[Searches]\r\nRedirectSection=own.ini\r\n");
    WriteText(folder.File(L"own.ini"), "[Searches]\r\nDocs_SearchFor=*.txt\r\n");
    array.SetPattern(L"=Docs|=None|*", host.c_str());
    EXPECT_EQ(0u, GroupOf(array, L"x.txt"));
    EXPECT_EQ(512u, GroupOf(array, L"x.rtf"));
}

namespace {

CFileArray Entries(const std::vector<std::pair<int, UINT>>& indexAndGroup)
{
    CFileArray array;
    for (const auto& item : indexAndGroup) {
        CFileEntry entry;
        entry.index = item.first;
        entry.group = item.second;
        array.Add(entry);
    }
    return array;
}

} // namespace

TEST(Grouping, SortAndOrderMap)
{
    // Host items 0..4 (and one never given an index): groups 256, 0, 256, 0, NoGroupKey.
    CFileArray array = Entries({{0, 256}, {1, 0}, {-1, 0}, {2, 256}, {3, 0}, {4, NoGroupKey}});
    FinishOrder(array);
    ASSERT_EQ(5, array.GetSize());
    ASSERT_EQ(5, array.GetOrder().GetSize());
    std::vector<UINT> order(array.GetOrder().GetData(), array.GetOrder().GetData() + 5);
    EXPECT_EQ((std::vector<UINT>{2, 0, 3, 1, 4}), order);
    EXPECT_EQ(1, array.IsChanged());
    SortEntries(array, false);
    EXPECT_EQ(4, array[0].index);
    EXPECT_EQ(2, array[1].index); // equal groups: host order reversed too
    EXPECT_EQ(1, array[4].index);

    CFileArray identity = Entries({{0, 0}, {1, 0}, {2, 5}});
    FinishOrder(identity);
    EXPECT_EQ(3, identity.GetOrder().GetSize());
    EXPECT_EQ(0, identity.IsChanged());

    // Host item 2 was skipped, an index repeats, an index is negative: the host's order stays.
    for (auto entries : {Entries({{3, 0}, {0, 5}, {1, 0}}), Entries({{0, 1}, {0, 0}, {1, 0}}),
                         Entries({{-7, 0}, {0, 1}})}) {
        FinishOrder(entries);
        EXPECT_EQ(0, entries.GetOrder().GetSize());
        EXPECT_EQ(0, entries.IsChanged());
    }
}

// An input that makes the middle element the largest of every range: the
// sort must not recurse once per element (the host's thread has a small stack).
TEST(Grouping, SortStackStaysShallowOnTheWorstInput)
{
    const int count = 20000;
    std::vector<int> slot(count);
    std::vector<UINT> key(count);
    for (int i = 0; i < count; ++i)
        slot[i] = i;
    for (int last = count - 1; last >= 0; --last) {
        key[slot[last / 2]] = (UINT)last;
        std::swap(slot[last / 2], slot[last]);
    }
    CFileArray array;
    for (int i = 0; i < count; ++i) {
        CFileEntry entry;
        entry.index = i;
        entry.group = key[i];
        array.Add(entry);
    }
    HANDLE thread = CreateThread(nullptr, 64 * 1024, [](void* data) -> DWORD {
        SortEntries(*static_cast<CFileArray*>(data), true);
        return 0;
    }, &array, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 60000));
    CloseHandle(thread);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ((UINT)i, array[i].group);
}

TEST(Grouping, PatternFromASettingsSection)
{
    CTempFolder folder(L"grouppattern");
    std::wstring ini = folder.File(L"Merovin.ini");
    struct Case {
        const char* section;
        const wchar_t* spec;
        int result;
    } cases[] = {
        {"FileGroupping=0\r\nFileGroups=a\r\nFileGroups2=x\r\n", L"<x", 1},
        {"FileGroups=a\r\nFileGroups2=b\r\n", L"a<b", 1},
        {"FileGroups=a\r\nFileGroupping2=0\r\nFileGroups2=b\r\n", L"a", 1},
        {"FileGroups=a\r\nFileGroups2=\r\n", L"a", 1},
        {"Other=1\r\n", L"", 0},
    };
    for (const Case& c : cases) {
        WriteText(ini, (std::string("[Config]\r\n") + c.section).c_str());
        CString spec(L"old");
        EXPECT_EQ(c.result, ReadGroupPattern(L"Config", ini.c_str(), spec)) << c.section;
        EXPECT_STREQ(c.spec, spec.GetString()) << c.section;
    }
    std::string top(1023, 't'), bottom(1023, 'b');
    WriteText(ini, ("[Config]\r\nFileGroups=" + top + "\r\nFileGroups2=" + bottom + "\r\n").c_str());
    CString spec;
    EXPECT_EQ(1, ReadGroupPattern(L"Config", ini.c_str(), spec));
    EXPECT_EQ(2047, spec.GetLength());
    EXPECT_EQ(L'<', spec[1023]);
    EXPECT_EQ(L'b', spec[2046]);
}
