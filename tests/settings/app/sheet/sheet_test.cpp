// The main sheet: its page tree and captions, the tree's check boxes, help,
// OK and Apply, command visits and the duplicates window's placement.
#include "KeyPage.h"
#include "MarkPage.h"
#include "PageDriver.h"
#include "Resource.h"
#include "TabPage.h"
#include "ViewModesFixture.h"
#include "WinApp.h"
#include <gtest/gtest.h>

CWinApp theApp(L"MerovSet");

namespace {

// "text{children},text" of the tree from an item on.
CString Describe(CTreeCtrl* tree, HTREEITEM item)
{
    CString text;
    for (; item; item = tree->GetNextSiblingItem(item)) {
        if (!text.IsEmpty())
            text += L",";
        text += tree->GetItemText(item);
        if (HTREEITEM child = tree->GetChildItem(item))
            text += L"{" + Describe(tree, child) + L"}";
    }
    return text;
}

HTREEITEM FindItem(CTreeCtrl* tree, HTREEITEM item, LPCWSTR text)
{
    for (; item; item = tree->GetNextSiblingItem(item)) {
        if (tree->GetItemText(item) == text)
            return item;
        if (HTREEITEM found = FindItem(tree, tree->GetChildItem(item), text))
            return found;
    }
    return nullptr;
}

void SetCheckState(CTreeCtrl* tree, HTREEITEM item, int state)
{
    TVITEMW tv = {};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    tv.state = INDEXTOSTATEIMAGEMASK(state);
    tree->SetItem(&tv);
}

int CheckState(CTreeCtrl* tree, HTREEITEM item)
{
    return (int)(tree->GetItemState(item, TVIS_STATEIMAGEMASK) >> 12);
}

// The system's text for an error code, without its line end.
CString SystemText(DWORD error)
{
    WCHAR text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    CString result(text);
    result.TrimRight();
    return result;
}

} // namespace

TEST(MainSheet, PageTreeCaptionsAndLanguageFile)
{
    struct Case
    {
        const char* name;
        std::string language; // [Prefector] of a language file, empty: none
        LPCWSTR tree;
    };
    const Case cases[] = {
        { "Built-in", "",
          L"Keyboard Mapping,File Panels,Tab Options,Drive List,Sticky Files,Bookmarks,"
          L"View Modes{Auto Switch},Plugins,Miscellaneous,About" },
        { "Localised", "[Prefector]\r\n504=Tastatur\r\n510=Reiter\r\n",
          L"Tastatur,File Panels,Reiter,Drive List,Sticky Files,Bookmarks,"
          L"View Modes{Auto Switch},Plugins,Miscellaneous,About" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CModelFiles probe(L"tree_probe");
        std::string own = "[Keyboard]\r\n";
        if (!c.language.empty()) {
            CString language = probe.WriteOwn(L"DE.ini", c.language);
            own = "[Config]\r\nLocalizator=" + std::string(Narrow(language)) + "\r\n" + own;
        }
        CSheetFixture f(L"tree", CStringArray(), own);
        ASSERT_TRUE(f.created);
        CTreeCtrl* tree = f.sheet->GetPageTreeControl();
        ASSERT_NE(nullptr, tree);
        EXPECT_EQ(11u, tree->GetCount());
        EXPECT_STREQ(c.tree, Describe(tree, tree->GetRootItem()));
        EXPECT_EQ(0, tree->GetStyle() & TVS_HASLINES);
        EXPECT_NE(nullptr, (HICON)f.sheet->SendMessage(WM_GETICON, ICON_BIG));
        // A Help press: the information box, the readme of the language, then
        // the plain one when it is missing.
        CPromptScript prompts;
        f.notFound = SE_ERR_FNF;
        f.sheet->SendMessage(WM_COMMAND, IDHELP);
        ASSERT_EQ(c.language.empty() ? 1 : 2, f.opened.GetSize());
        EXPECT_EQ(1, prompts.m_prompts.GetSize());
        EXPECT_EQ(f.files.Own(L"Readme.html"), f.opened[f.opened.GetSize() - 1]);
        if (!c.language.empty()) {
            EXPECT_EQ(f.files.Own(L"Readme_DE.html"), f.opened[0]);
        }
    }
}

TEST(MainSheet, TreeCheckBoxesGreyPagesButNeverAbout)
{
    CSheetFixture f(L"checks");
    ASSERT_TRUE(f.created);
    CTreeCtrl* tree = f.sheet->GetPageTreeControl();
    HTREEITEM drives = FindItem(tree, tree->GetRootItem(), L"Drive List");
    HTREEITEM about = FindItem(tree, tree->GetRootItem(), L"About");
    HTREEITEM node = FindItem(tree, tree->GetRootItem(), L"View Modes");
    ASSERT_TRUE(drives && about && node);
    CPropertyPage* drivePage = f.sheet->FindPage(IDD_DRIVE_LIST);

    struct Step
    {
        HTREEITEM item;
        int state;         // the check box's state image when clicked (1 clear, 2 checked)
        bool drivesEnabled; // afterwards
        int aboutState;
    };
    const Step steps[] = {
        { drives, 1, false, 1 },
        { drives, 2, true, 1 },
        { about, 1, true, 2 },                      // the About page stays
        { (HTREEITEM)(INT_PTR)0x1234, 1, true, 2 }, // no such item: ignored
    };
    SetCheckState(tree, about, 1);
    for (const Step& s : steps) {
        if (s.item == drives || s.item == about)
            SetCheckState(tree, s.item, s.state);
        f.sheet->PostMessage(CMainSheet::WMU_TREE_CHECK, 0, (LPARAM)s.item);
        PumpFor(50);
        EXPECT_EQ(s.drivesEnabled, f.sheet->IsPageEnabled(drivePage) != FALSE);
        EXPECT_EQ(s.aboutState, CheckState(tree, about));
    }
    EXPECT_EQ(drivePage, f.sheet->GetActivePage()); // checked again: shown
}

TEST(MainSheet, GoToCommandVisitsTheKeyPage)
{
    CSheetFixture f(L"visits");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    struct Case
    {
        LPCWSTR command;
        int set; // -1: a beep, nothing selected
    };
    const Case cases[] = { { L"cm_Edit", 0 }, { L"UnStickIt", 1 }, { L"em_tool", 0 }, { L"NoSuchThing", -1 } };
    CKeyPage* page = f.sheet->GetKeyPage();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.command));
        INT_PTR before = prompts.m_prompts.GetSize();
        f.sheet->GoToCommand(c.command);
        if (c.set < 0) {
            ASSERT_EQ(before + 1, prompts.m_prompts.GetSize());
            EXPECT_EQ(CScriptedPrompt::kBeep, prompts.m_prompts[before].kind);
            continue;
        }
        EXPECT_EQ(page, f.sheet->GetActivePage());
        EXPECT_EQ(c.set, page->GetSet());
        ASSERT_NE(nullptr, page->GetList().SelectedItem());
        EXPECT_STREQ(c.command, page->GetList().SelectedItem()->strName);
        EXPECT_STREQ(c.command == CString(L"cm_Edit") ? L"Alt+Ctrl+X" : L"Ctrl+K", page->GetHotKeyBox().GetHotkeyText());
    }
}

TEST(DuplicatesWindow, PlacementAboveTheMainWindow)
{
    struct Case
    {
        int mainTop;
        int windowTop;
        int mainShift;
    };
    // 768 pixels of screen; the main window is 300 high.
    const Case cases[] = { { 400, 249, 0 }, { 151, 0, 0 }, { 50, 0, 100 }, { 500, 349, 0 } };
    for (const Case& c : cases) {
        CDupPlacement place = PlaceDuplicates(CRect(20, c.mainTop, 420, c.mainTop + 300), 768);
        EXPECT_EQ(CRect(20, c.windowTop, 420, c.windowTop + 150), place.window) << c.mainTop;
        EXPECT_EQ(c.mainShift, place.nMainShift) << c.mainTop;
    }
    // No room below: the main window stays and the two overlap.
    EXPECT_EQ(0, PlaceDuplicates(CRect(0, 10, 400, 760), 768).nMainShift);
}

TEST(MainSheet, FailedWritesReportedOnceAndThePagesStayModified)
{
    struct Case
    {
        const char* name;
        DWORD error;
    };
    const Case cases[] = { { "held without sharing", ERROR_SHARING_VIOLATION }, { "folder gone", ERROR_PATH_NOT_FOUND } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A page writing through its own helper, one through the mark model,
        // one through the mode store (a renamed mode), and the start-up
        // sequence the sheet writes.
        CModesFixture modes(L"write_fails", "[ViewModes]\r\nA=Alpha\r\n[A]\r\nSort=1\r\n");
        CSheetFixture& f = modes.f;
        ASSERT_TRUE(f.created);
        CReloadCounter reloads(f.model->m_strOwnIni);
        modes.Rename(0, L"B");
        CPageDriver tabs{ f }, sticky{ f };
        auto* tabPage = tabs.Show<CTabPage>(IDD_TAB_OPTIONS);
        tabs.Click(IDC_TAB_COLORED);
        auto* stickyPage = sticky.Show<CMarkPage>(IDD_STICKY_FILES);
        sticky.Click(IDC_MARK_ENABLE);
        f.sheet->GetStartupSequence().Append(L"cm_Copy");
        const std::string before = f.files.OwnIni();
        const CString ini = f.files.Own(L"Merovin.ini"), away = f.files.Root() + L"\\away";

        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.error == ERROR_SHARING_VIOLATION) {
            lock = CreateFileW(ini, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, lock);
        } else {
            ASSERT_TRUE(MoveFileW(f.files.Own(), away));
        }
        CPromptScript prompts;
        f.sheet->SendMessage(WM_COMMAND, 0x3021); // Apply
        f.sheet->SendMessage(WM_COMMAND, IDOK);
        PumpFor(100);
        // One message per press, naming the file and the system's reason.
        ASSERT_EQ(2, prompts.m_prompts.GetSize());
        for (int i = 0; i < 2; ++i) {
            EXPECT_NE(-1, prompts.Text(i).Find(ini)) << Narrow(prompts.Text(i));
            EXPECT_NE(-1, prompts.Text(i).Find(SystemText(c.error))) << Narrow(prompts.Text(i));
            EXPECT_EQ((DWORD)MB_ICONERROR, prompts.m_prompts[i].type & MB_ICONMASK);
        }
        EXPECT_TRUE(tabPage->IsModified() && stickyPage->IsModified() && modes.page->IsModified() &&
                    f.sheet->GetStartupSequence().IsModified());
        EXPECT_NE(0, f.sheet->SendMessage(PSM_GETCURRENTPAGEHWND)); // OK left the sheet open
        EXPECT_EQ(2, reloads.count);                                 // the engines reload all the same

        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        else
            ASSERT_TRUE(MoveFileW(away, f.files.Own()));
        EXPECT_EQ(before, f.files.OwnIni());
        // Once the file can be written, OK writes what failed and closes.
        f.sheet->SendMessage(WM_COMMAND, IDOK);
        PumpFor(100);
        EXPECT_EQ(2, prompts.m_prompts.GetSize());
        EXPECT_EQ(0, f.sheet->SendMessage(PSM_GETCURRENTPAGEHWND));
        EXPECT_FALSE(tabPage->IsModified() || stickyPage->IsModified() || modes.page->IsModified());
        std::string after = f.files.OwnIni();
        EXPECT_NE(std::string::npos, after.find("ColoredTabs=0\r\n")) << after;
        EXPECT_NE(std::string::npos, after.find("StickyFiles=1\r\n")) << after;
        EXPECT_NE(std::string::npos, after.find("StartupSequence=cm_Copy\r\n")) << after;
        EXPECT_EQ("B=Alpha\r\n", modes.Section("ViewModes"));
        EXPECT_EQ(std::string::npos, after.find("[A]")) << after;
        EXPECT_EQ(3, reloads.count);
    }
}
