// The folder of every form of the path bar's text, and the steps a folder
// change takes: what a repeated path, letter case and "KeepScope" suppress.
#include <gtest/gtest.h>
#include "EngineHelpers.h"
#include "FakeEngine.h"
#include "PathChange.h"
#include "PathWnd.h"

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

    // The path window reads the same from its bar.
    CFakeEngine engine;
    HWND bar = CreateWindowExW(0, L"STATIC", L"D:\\Photos\\*.*", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CPathWnd path(engine, 1);
    EXPECT_EQ(CString(), path.GetPathFromWindow());
    ASSERT_TRUE(path.AttachTo(bar));
    EXPECT_EQ(CString(L"D:\\Photos"), path.GetPathFromWindow());
    path.DetachFromWindow();
    DestroyWindow(bar);
}

TEST(PathWindow, StepsOfAFolderChange)
{
    const CPathWindowParts all{true, true, true, false}, scope{true, true, true, true},
        noView{true, true, false, false}, noList{true, false, true, false};
    struct Step {
        const wchar_t* folder;
        int rule, flags;
        CPathWindowParts parts;
        bool changed, decorate, view, list;
    } steps[] = {
        {L"", 0, 0, all, false, false, false, false},         // no folder: nothing
        {L"C:\\Photos", 0, 0, scope, true, true, true, true},  // first text
        {L"c:\\PHOTOS", 0, 0, scope, false, false, false, false}, // case only: unchanged
        {L"C:\\Photos", 0, PathChangeDecorate, scope, false, true, false, false},
        {L"C:\\Photos\\2020", 0, 0, scope, true, true, false, true}, // same rule kept in scope
        {L"C:\\Other", 0, 0, all, true, true, true, true},     // same rule without scope
        {L"C:\\Docs", 1, 0, noView, true, true, false, true},
        {L"C:\\Data", 2, 0, noList, true, true, false, false},
        {L"C:\\Docs2", 2, 0, scope, true, true, true, true},   // the list never saw rule 2
    };
    CPathState state;
    for (const Step& s : steps) {
        CPathChange c = state.Note(s.folder, s.rule, s.flags, s.parts);
        SCOPED_TRACE(s.folder);
        EXPECT_EQ(s.changed, c.changed);
        EXPECT_EQ(s.decorate, c.decorate);
        EXPECT_EQ(s.view, c.applyView);
        EXPECT_EQ(s.list, c.applyList);
    }
    EXPECT_EQ(CString(L"C:\\DOCS2"), state.LastPath());
    state.Reset();
    EXPECT_TRUE(state.Note(L"C:\\Docs2", 2, 0, all).changed);
}
