// The Keyboard Mapping page: set and filter from the command line, filter
// rows and modifiers, assigning and clearing keys, the start-up sequence,
// the exact sections written, the duplicates window and the command browser.
#include "CmdBrowser.h"
#include "KeyPage.h"
#include "KeyPageRows.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

void Select(CKeyPage* page, int set, LPCWSTR command)
{
    if (page->GetSet() != set) {
        ::SendMessageW(page->GetDlgItemHwnd(IDC_KEY_SET), CB_SETCURSEL, set, 0);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_SET, CBN_SELCHANGE), 0);
    }
    ASSERT_TRUE(page->SelectCommand(set, command)) << Narrow(command);
}

int Beeps(const CScriptedPrompt& prompts)
{
    int n = 0;
    for (INT_PTR i = 0; i < prompts.m_prompts.GetSize(); ++i)
        n += prompts.m_prompts[i].kind == CScriptedPrompt::kBeep;
    return n;
}

int Questions(const CScriptedPrompt& prompts)
{
    return (int)prompts.m_prompts.GetSize() - Beeps(prompts);
}

} // namespace

TEST(KeyPage, CommandLineChoosesSetAndFilter)
{
    struct Case
    {
        std::vector<LPCWSTR> args;
        int set;
        LPCWSTR filter;
        LPCWSTR shown;
    };
    const Case cases[] = {
        { { L"/merov=Stick" }, 1, L"Stick", L"StickIt,UnStickIt,StickConfig,ToggleStick,UnStickAll" },
        { { L"/merov=Stick", L"/tcmd" }, 0, L"", L"cm_Copy,cm_Other,cm_Edit,cm_Thumbs,em_tool" },
    };
    for (const Case& c : cases) {
        CStringArray args;
        for (LPCWSTR a : c.args)
            args.Add(a);
        CSheetFixture f(L"cmdline", args);
        ASSERT_TRUE(f.created);
        CKeyPage* page = f.sheet->GetKeyPage();
        EXPECT_EQ(c.set, (int)::SendMessageW(page->GetDlgItemHwnd(IDC_KEY_SET), CB_GETCURSEL, 0, 0));
        CString filter;
        page->GetDlgItemText(IDC_KEY_FILTER, filter);
        EXPECT_STREQ(c.filter, filter);
        EXPECT_STREQ(c.shown, Shown(page));
        EXPECT_EQ(c.set == 0, ::IsWindowEnabled(page->GetDlgItemHwnd(IDC_KEY_BROWSE)) != FALSE);
        EXPECT_EQ(c.set == 0, ::IsWindowEnabled(page->GetDlgItemHwnd(IDC_KEY_HOST_FOLDER)) != FALSE);
    }
}

TEST(KeyPage, FilterRowsTextAndModifiers)
{
    CSheetFixture f(L"filters");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    CKeyPage* page = f.sheet->GetKeyPage();
    struct Case
    {
        int row;
        LPCWSTR typed;
        LPCWSTR text; // the filter edit's text afterwards
        int beeps;
        LPCWSTR shown;
    };
    const Case cases[] = {
        { 0, L"THUMB", L"THUMB", 0, L"cm_Thumbs" },      // name and description, without case
        { 0, L"3102", L"3102", 0, L"cm_Other" },         // the number
        { 1, L"", L"", 0, L"cm_Copy,cm_Other" },          // unassigned: no own, default or host key
        { 2, L"", L"", 0, L"em_tool" },                   // own keys
        { 4, L"", L"", 0, L"cm_Edit" },                   // host keys
        { 6, L"Cx", L"C", 1, L"cm_Edit,cm_Thumbs,em_tool" }, // by modifiers: Ctrl
        { 6, L"SCS", L"SC", 0, L"cm_Thumbs" },
        { 6, L"A", L"A", 0, L"cm_Edit" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        page->SetFilterRow(c.row);
        int beeps = Beeps(prompts);
        page->SetDlgItemText(IDC_KEY_FILTER, c.typed);
        CString text;
        page->GetDlgItemText(IDC_KEY_FILTER, text);
        EXPECT_STREQ(c.text, text);
        EXPECT_EQ(c.beeps, Beeps(prompts) - beeps);
        EXPECT_STREQ(c.shown, Shown(page));
        EXPECT_EQ(c.row == 6, (::GetWindowLongW(page->GetDlgItemHwnd(IDC_KEY_FILTER), GWL_STYLE) & ES_UPPERCASE) != 0);
    }
    // Leaving the host's commands with one of its own key filters: back to all.
    page->SetDlgItemText(IDC_KEY_FILTER, L"");
    page->SetFilterRow(4);
    Select(page, 1, L"StickIt");
    EXPECT_EQ(0, page->GetFilterRow());
}

TEST(KeyPage, AssignAndClearKeysThenSave)
{
    // cm_Edit has an own key beside the host's.
    CSheetFixture f(L"assign", CStringArray(),
                    "[Keyboard]\r\nem_tool=Ctrl+K\r\nStickIt=Ctrl+K\r\nUnStickIt=Ctrl+K\r\ncm_Edit=F9\r\n"
                    "[Plugins]\r\nCtrl+Q=Numbra,3 ;calc\r\n");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    CKeyPage* page = f.sheet->GetKeyPage();
    CHotKeyExCtrl& box = page->GetHotKeyBox();
    struct Step
    {
        int set;
        LPCWSTR command;
        LPCWSTR key; // typed into the box, NULL: the box cleared
        int answer;  // to "already assigned", 0: not asked
        LPCWSTR shown; // the box afterwards
        int beeps;
    };
    const Step steps[] = {
        { 0, L"cm_Copy", L"Ctrl+Alt+C", 0, L"Alt+Ctrl+C", 0 },
        { 0, L"cm_Other", L"Ctrl+Alt+C", IDNO, L"<NONE>", 0 },
        { 0, L"cm_Other", L"Ctrl+Alt+C", IDYES, L"Alt+Ctrl+C", 0 },
        { 0, L"cm_Edit", nullptr, 0, L"Alt+Ctrl+X", 0 }, // the own key goes, the host's shows
        { 0, L"cm_Edit", nullptr, 0, L"Alt+Ctrl+X", 1 }, // the host's key stays
        { 0, L"em_tool", L"Shift+F7", 0, L"Shift+F7", 0 },
        { 1, L"UnStickIt", nullptr, 0, L"<NONE>", 0 },
        { 1, L"StickIt", L"Context", 0, L"Context", 0 },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Narrow(s.command));
        Select(page, s.set, s.command);
        int questions = Questions(prompts), beeps = Beeps(prompts);
        if (s.answer)
            prompts.AddAnswer(s.answer);
        if (s.key) {
            box.SetHotkeyText(s.key);
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_HOTKEY, HKXN_CHANGED), (LPARAM)box.m_hWnd);
        } else {
            box.SetHotkeyText(L"");
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_HOTKEY, HKXN_CLEARED), (LPARAM)box.m_hWnd);
        }
        EXPECT_EQ(s.answer ? 1 : 0, Questions(prompts) - questions);
        EXPECT_EQ(s.beeps, Beeps(prompts) - beeps);
        EXPECT_STREQ(s.shown, box.GetWindowText());
    }
    EXPECT_TRUE(page->IsModified());
    f.sheet->ApplyAndBroadcast();
    EXPECT_FALSE(page->IsModified());
    std::string ini = f.files.OwnIni();
    EXPECT_EQ("cm_Copy=Alt+Ctrl+C\r\ncm_Other=Alt+Ctrl+C\r\nem_tool=Shift+F7\r\nStickIt=Context\r\n",
              CModelFiles::Section(ini, "Keyboard"));
    EXPECT_EQ("Ctrl+Q=Numbra,3 ;calc\r\n", CModelFiles::Section(ini, "Plugins"));
    EXPECT_EQ("", CModelFiles::Section(ini, "Config"));
    EXPECT_EQ(1, page->RefreshDuplicates()); // cm_Copy and cm_Other
}

TEST(KeyPage, StartupSequenceByDoubleClick)
{
    CSheetFixture f(L"startup");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    CKeyPage* page = f.sheet->GetKeyPage();
    struct Step
    {
        int set;
        LPCWSTR command;
        int answer; // 0: not asked
        LPCWSTR sequence;
    };
    const Step steps[] = {
        { 0, L"cm_Copy", IDYES, L"cm_Copy" },
        { 0, L"cm_Edit", IDNO, L"cm_Copy" },
        { 0, L"cm_Other", IDYES, L"cm_Copy|cm_Other" },
        { 0, L"cm_Other", 0, L"cm_Copy|cm_Other" }, // there already
        { 1, L"StickIt", 0, L"cm_Copy|cm_Other" },  // engine commands are not added
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Narrow(s.command));
        Select(page, s.set, s.command);
        INT_PTR before = prompts.m_prompts.GetSize();
        if (s.answer)
            prompts.AddAnswer(s.answer);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_COMMANDS, LBN_DBLCLK), 0);
        ASSERT_EQ(before + (s.answer ? 1 : 0), prompts.m_prompts.GetSize());
        if (s.answer) {
            EXPECT_EQ(CString(L"Do You want to add '") + s.command + L"' command to startup sequence?",
                      prompts.Text((int)before));
        }
        EXPECT_STREQ(s.sequence, f.sheet->GetStartupSequence().GetText());
    }
    f.sheet->ApplyAndBroadcast();
    std::string ini = f.files.OwnIni();
    EXPECT_EQ("StartupSequence=cm_Copy|cm_Other\r\n", CModelFiles::Section(ini, "Config"));
    // Nothing else changed: [Keyboard] as it was.
    EXPECT_EQ("em_tool=Ctrl+K\r\nStickIt=Ctrl+K\r\nUnStickIt=Ctrl+K\r\n", CModelFiles::Section(ini, "Keyboard"));
}

TEST(DuplicatesWindow, ListsThePairsFollowsChangesAndVisits)
{
    CSheetFixture f(L"dups");
    ASSERT_TRUE(f.created);
    CPromptScript prompts;
    CKeyPage* page = f.sheet->GetKeyPage();
    HWND button = page->GetDlgItemHwnd(IDC_KEY_DUPLICATES);
    EXPECT_TRUE(::IsWindowEnabled(button));
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_DUPLICATES, BN_CLICKED), (LPARAM)button);
    CDupView& view = page->GetDupView();
    ASSERT_NE(nullptr, view.m_hWnd);
    EXPECT_STREQ(L"Duplicated Hotkeys", view.GetWindowText());
    EXPECT_NE(0, view.GetExStyle() & WS_EX_TOOLWINDOW);
    CDupList& list = view.GetList();
    ASSERT_EQ(3, list.GetItemCount());
    const LPCWSTR pairs[3][3] = { { L"em_tool", L"Ctrl+K", L"StickIt" },
                                  { L"em_tool", L"Ctrl+K", L"UnStickIt" },
                                  { L"StickIt", L"Ctrl+K", L"UnStickIt" } };
    for (int i = 0; i < 3; ++i)
        for (int column = 0; column < 3; ++column)
            EXPECT_STREQ(pairs[i][column], list.GetItemText(i, column)) << i << "," << column;

    // A double-click on the second command of the last pair visits it.
    CRect cell;
    ListView_GetSubItemRect(list.m_hWnd, 2, 2, LVIR_LABEL, &cell);
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.left + 4, cell.top + 2));
    EXPECT_EQ(1, page->GetSet());
    ASSERT_NE(nullptr, page->GetList().SelectedItem());
    EXPECT_STREQ(L"UnStickIt", page->GetList().SelectedItem()->strName);

    // Clearing keys refreshes the window and the button.
    const int left[] = { 1, 0 };
    const LPCWSTR cleared[] = { L"UnStickIt", L"StickIt" };
    for (int i = 0; i < 2; ++i) {
        Select(page, 1, cleared[i]);
        page->GetHotKeyBox().SetHotkeyText(L"");
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_HOTKEY, HKXN_CLEARED), 0);
        EXPECT_EQ(left[i], list.GetItemCount());
        EXPECT_EQ(left[i] > 0, ::IsWindowEnabled(button) != FALSE);
    }
    // The system menu's "Commands" item toggles.
    view.SendMessage(WM_SYSCOMMAND, CDupView::CommandsItem);
    EXPECT_TRUE(view.IsCommandsChecked());
}

namespace {

// Drives the command browser from inside its modal loop.
struct CBrowserDriver
{
    BOOL okOnGroup = TRUE;
    static CBrowserDriver* s_pDriver;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND dialog = ::FindWindowW(L"#32770", L"Command browser");
        if (!dialog)
            return;
        ::KillTimer(nullptr, id);
        HWND list = ::GetDlgItem(dialog, IDC_BROWSER_COMMANDS);
        ::SendMessageW(list, LB_SETCURSEL, 0, 0); // the first group's heading
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSER_COMMANDS, LBN_SELCHANGE), (LPARAM)list);
        s_pDriver->okOnGroup = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK));
        ::SendMessageW(dialog, WM_COMMAND, IDOK, 0); // ignored on a heading
        ::SetDlgItemTextW(dialog, IDC_KEY_FILTER, L"Other");
        ::SendMessageW(list, LB_SETCURSEL, 1, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSER_COMMANDS, LBN_DBLCLK), (LPARAM)list);
    }
};
CBrowserDriver* CBrowserDriver::s_pDriver = nullptr;

} // namespace

TEST(CommandBrowser, ReturnsTheChosenHostCommand)
{
    CSheetFixture f(L"browser");
    ASSERT_TRUE(f.created);
    CBrowserDriver driver;
    CBrowserDriver::s_pDriver = &driver;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CBrowserDriver::Tick);
    CCmdBrowser browser(*f.model, f.sheet.get());
    EXPECT_EQ(IDOK, browser.DoModal());
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(driver.okOnGroup);
    EXPECT_STREQ(L"cm_Other", browser.GetCommand());
}

