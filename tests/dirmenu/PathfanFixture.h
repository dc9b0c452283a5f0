// A module instance over fixture files: the host's main INI with a hotlist
// and other sections, "TCPathfan.ini" beside a pretend module path, and
// services that answer the module's system calls.
#pragma once
#include <gtest/gtest.h>
#include "DirmenuTestSupport.h"
#include "Pathfan.h"

extern const wchar_t* const HotlistFixture;
extern const wchar_t* const HostSectionsFixture;
extern const wchar_t* const SnippetFixture;

class PathfanFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the host INI (the hotlist and the host sections) and
    // "TCPathfan.ini" (the snippet fixture unless `snippets` is given).
    void WriteFixtures(const std::wstring& snippets = SnippetFixture);
    // An edit of `editClass` in a top-level window of `parentClass`.
    HWND MakeEdit(LPCWSTR editClass, LPCWSTR parentClass, DWORD style = 0);
    // A request for `edit` with `text` and a selection.
    EditRequest Request(HWND edit, LPCWSTR text, int selStart, int selEnd);

    CTempFolder m_folder;
    std::wstring m_hostIni;
    CFakeServices m_services;
    CPathfan m_pathfan;
    std::vector<HWND> m_tops;
};
