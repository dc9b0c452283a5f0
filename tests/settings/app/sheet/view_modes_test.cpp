// The View Modes page: modes added, refused, renamed, reordered, checked
// and deleted, the fields written for a mode, the host view stored in
// English under a language file, and tab icons set and cleared.
#include "CmdBrowser.h"
#include "EngineHelpers.h"
#include "IconDialog.h"
#include "TestFiles.h"
#include "ViewModesFixture.h"
#include "WinApp.h"
#include <algorithm>
#include <gtest/gtest.h>

// Prompts are answered by script only through the application object.
CWinApp theApp(L"MerovSet");

namespace {

#define VIEW_MODES "[ViewModes]\r\nAlpha=First\r\nBeta=<None>\r\nGamma=Third\r\n"
#define MODE_SECTIONS                                                                                             \
    "[AutoView]\r\nAlpha=*.jpg\r\nBeta=C:\\b\r\nGamma=C:\\g\r\n"                                                  \
    "[Alpha]\r\nActive=1\r\nSort=2\r\n[Beta]\r\nActive=0\r\n[Gamma]\r\nActive=1\r\nView=Brief\r\n"
const char kModes[] = VIEW_MODES MODE_SECTIONS;
// Picks "cm_Other" in the command browser from inside its modal loop.
void CALLBACK PickOther(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"Command browser");
    if (!dialog)
        return;
    KillTimer(nullptr, id);
    SetDlgItemTextW(dialog, IDC_KEY_FILTER, L"Other");
    HWND list = GetDlgItem(dialog, IDC_BROWSER_COMMANDS);
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSER_COMMANDS, LBN_DBLCLK), (LPARAM)list);
}

// The shell's pick-icon dialog, answered by its added "Clear" button.
class CClearingShell : public CPromptService
{
public:
    int PickIcon(HWND, LPWSTR, UINT, int*) override
    {
        // A dialog of the shape the picker looks for, built in memory. A
        // template must start on a DWORD (a 32-bit stack may give 2 only).
        struct alignas(DWORD) { DLGTEMPLATE dialog; WORD menu, cls, title; DLGITEMTEMPLATE ok; WORD okClass[2], okText, okData, pad1;
                 DLGITEMTEMPLATE anchor; WORD anchorClass[2], anchorText, anchorData; } t = {
            {WS_POPUP | WS_CAPTION, 0, 2, 0, 0, 200, 100}, 0, 0, 0,
            {WS_CHILD | WS_VISIBLE, 0, 100, 70, 50, 14, IDOK}, {0xFFFF, 0x0080 /* button */}, 0, 0, 0,
            {WS_CHILD | WS_VISIBLE, 0, 10, 10, 180, 50, CIconDialog::AnchorId}, {0xFFFF, 0x0083 /* list box */}, 0, 0};
        return (int)DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &t.dialog, nullptr, Proc, 0);
    }

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM)
    {
        if (message == WM_INITDIALOG)
            PostMessageW(GetDlgItem(dialog, CIconDialog::ClearButtonId), BM_CLICK, 0, 0);
        return message == WM_INITDIALOG;
    }
};

} // namespace

TEST(ViewModesPage, AddRefuseRenameReorderCheckDelete)
{
    CModesFixture t(L"modes_edit", kModes);
    ASSERT_NE(nullptr, t.page);
    EXPECT_EQ("Alpha*,Beta,Gamma*,", t.Listed());
    CPromptScript script;

    // A new mode takes the description shown; refused names add nothing.
    t.Select(0);
    struct { LPCWSTR name; const char* prompt; /* "" for none */ } cases[] = {
        {L"Photos", ""}, {L"photos", "View mode 'photos' already exists."}, {L"Config", "'Config' cannot name"},
        {L"keyboard", "'keyboard' cannot name"}, {L"a=b", "'a=b' cannot name"}, {L" x", "' x' cannot name"}, {L"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        int prompts = (int)script.m_prompts.GetSize();
        t.Type(IDC_MODE_NEW_NAME, c.name);
        EXPECT_EQ(*c.name != 0, t.Enabled(IDC_MODE_ADD));
        t.Click(IDC_MODE_ADD);
        EXPECT_EQ(*c.prompt ? prompts + 1 : prompts, (int)script.m_prompts.GetSize());
        EXPECT_EQ(c.prompt, Narrow(script.Text(prompts)).substr(0, strlen(c.prompt)));
    }
    EXPECT_EQ("Alpha*,Beta,Gamma*,Photos,", t.Listed());

    // Renamed twice, and once refused; dragged; checked; Gamma deleted.
    t.Rename(1, L"B2");
    t.Rename(1, L"B3");
    t.Rename(1, L"ViewModes");
    EXPECT_EQ("'ViewModes' cannot name", Narrow(script.Text((int)script.m_prompts.GetSize() - 1)).substr(0, 23));
    t.Drag(0, 3);                                          // Alpha before Photos: B3,Gamma,Alpha,Photos
    t.Drag(3, 0);                                          // Photos first
    EXPECT_EQ("Photos,B3,Gamma*,Alpha*,", t.Listed());
    t.list->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, t.RowY(1))); // B3's check box
    t.list->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, t.RowY(1)));
    t.Pump();
    script.AddAnswer(IDYES);
    t.Select(2);
    t.Click(IDC_MODE_REMOVE);
    EXPECT_EQ(L"Do You really want to delete visual mode 'Gamma'?", script.Text((int)script.m_prompts.GetSize() - 1));
    EXPECT_EQ("Photos,B3*,Alpha*,", t.Listed());
    EXPECT_EQ(2, t.page->GetSelectedMode()); // the one before the deleted last

    t.f.sheet->ApplyAndBroadcast();
    const std::string rest = "FileGroupping=0\r\nFileGroupping2=0\r\nAutorun=0\r\n";
    struct { const char* name; std::string text; } written[] = {
        {"ViewModes", "Photos=First\r\nB3=<None>\r\nAlpha=First\r\n"}, {"AutoView", "B3=C:\\b\r\nAlpha=*.jpg\r\n"},
        {"Photos", "Active=0\r\nSort=0\r\n" + rest}, {"Alpha", "Active=1\r\nSort=2\r\n" + rest},
        {"B3", "Active=1\r\nSort=0\r\n" + rest}};
    for (const auto& w : written)
        EXPECT_EQ(w.text, t.Section(w.name)) << w.name;
    std::string file = t.f.files.OwnIni();
    for (const char* gone : {"[Beta]", "[B2]", "[Gamma]"})
        EXPECT_EQ(std::string::npos, file.find(gone)) << gone;
    EXPECT_LT(file.find("[Alpha]"), file.find("[Photos]")); // sections stay where they stood

    // The last modes deleted: nothing to edit.
    for (int i = 0; i < 3; ++i) {
        script.AddAnswer(IDYES);
        t.Select(0);
        t.Click(IDC_MODE_REMOVE);
    }
    EXPECT_EQ(0, t.list->GetCount());
    for (int id : {IDC_MODE_REMOVE, IDC_MODE_VIEW, IDC_MODE_TEXT, IDC_MODE_ICON, IDC_MODE_BKG_COLOR, IDC_MODE_SORT,
                   IDC_MODE_GROUPING, IDC_MODE_AUTORUN, IDC_MODE_BKG_PIC, IDC_MODE_COMMANDS})
        EXPECT_FALSE(t.Enabled(id)) << id;
}

TEST(ViewModesPage, OrderAfterScrollingToTheEdges)
{
    std::string ini = "[ViewModes]\r\n", rules = "[AutoView]\r\n";
    for (int i = 0; i < 30; ++i) {
        std::string line = "M" + std::to_string(i / 10) + std::to_string(i % 10) + "=t\r\n";
        ini += line, rules += line;
    }
    CModesFixture t(L"modes_scroll", ini + rules);
    struct { int from; UINT timer; const char* first, *last; } cases[] = {
        {5, CDDListBox::ScrollDownTimer, "M00", "M05"}, {25, CDDListBox::ScrollUpTimer, "M26", "M05"}};
    for (const auto& c : cases) {
        t.list->SetTopIndex(c.from);
        t.Mouse(WM_LBUTTONDOWN, t.RowY(c.from));
        t.Mouse(WM_MOUSEMOVE, t.RowY(c.from + 1));
        CRect client;
        t.list->GetClientRect(&client);
        t.Mouse(WM_MOUSEMOVE, c.timer == CDDListBox::ScrollDownTimer ? client.bottom + 3 * t.h : -3 * t.h);
        for (int i = 0; i < 40; ++i)
            t.list->SendMessage(WM_TIMER, c.timer);
        t.Mouse(WM_LBUTTONUP, t.h);
        t.page->OnApply();
        std::string keys = t.Keys("ViewModes");
        EXPECT_EQ(keys, t.Keys("AutoView"));
        EXPECT_EQ(c.first, keys.substr(0, 3));
        EXPECT_EQ(std::string(c.last) + ",", keys.substr(keys.size() - 4));
        std::string listed = t.Listed();
        listed.erase(std::remove(listed.begin(), listed.end(), '*'), listed.end());
        EXPECT_EQ(keys, listed);
    }
}

TEST(ViewModesPage, ModeFieldsAreWrittenAsTheEngineReadsThem)
{
    // The page shows a language's view names; the file keeps the engine's.
    CModelFiles lang(L"modes_lang");
    CString langFile = lang.WriteOwn(L"German.lng", "[Prefector]\r\n137=Kommentare\r\n");
    CModesFixture t(L"modes_fields", "[Config]\r\nLocalizator=" + Narrow(langFile) + "\r\n" VIEW_MODES "Delta=D\r\n" MODE_SECTIONS
                                         "[Delta]\r\nView=Kommentare\r\nTabIcon=C:\\x.dll,2\r\n",
                    "[CustomFields]\r\nTitles=Pics|Docs\r\n");
    CString shown;
    t.page->GetViewCombo().GetLBText(4, shown);
    EXPECT_STREQ(L"Kommentare", shown);
    CPromptScript script;
    CEnvironmentValue host(L"COMMANDER_PATH", t.f.files.Host());

    t.Select(1); // Beta
    t.page->GetViewCombo().SetCurSel(4);
    t.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODE_VIEW, CBN_SELCHANGE), 0);
    t.Type(IDC_MODE_TEXT, L"Mine");
    t.page->SendMessage(WMU_COLOR_SELENDOK, RGB(0x1E, 0x14, 0x0A), IDC_MODE_BKG_COLOR);
    t.page->SendMessage(WMU_COLOR_SELENDOK, RGB(1, 2, 3), IDC_MODE_TAB_COLOR);
    t.Type(IDC_MODE_SORT, L"7");
    EXPECT_FALSE(t.Enabled(IDC_MODE_GROUPS));
    t.Click(IDC_MODE_GROUPING, BST_CHECKED);
    EXPECT_TRUE(t.Enabled(IDC_MODE_GROUPS) && t.Enabled(IDC_MODE_GROUPS_BEFORE));
    t.Type(IDC_MODE_GROUPS, L"*.txt");
    t.Type(IDC_MODE_GROUPS2, L"*.tmp"); // kept, its box stays off
    t.Click(IDC_MODE_AUTORUN, BST_CHECKED);
    for (int i = 0; i < 2; ++i) {
        UINT_PTR timer = SetTimer(nullptr, 0, 50, PickOther);
        t.Click(IDC_MODE_COMMANDS);
        KillTimer(nullptr, timer);
    }
    // The picture browser starts at the typed picture, expanded.
    t.Type(IDC_MODE_BKG_PIC, L"%COMMANDER_PATH%\\old.bmp");
    script.AddAnswer(TRUE, L"C:\\pics\\a.bmp");
    t.Click(IDC_MODE_BKG_PIC_BROWSE);
    ASSERT_EQ(1, script.m_prompts.GetSize());
    EXPECT_EQ(t.f.files.Host(L"old.bmp"), script.Text(0));
    script.AddIconAnswer(1, L"%COMMANDER_PATH%\\icons.dll", 5);
    t.Click(IDC_MODE_ICON);
    t.f.sheet->ApplyAndBroadcast();
    EXPECT_EQ("Active=0\r\nView=Comments\r\nSort=7\r\nBkgColor=#1E140A\r\nBkgPic=C:\\pics\\a.bmp\r\n"
              "TabIcon=%COMMANDER_PATH%\\icons.dll,5\r\nTabColor=#010203\r\nFileGroupping=1\r\nFileGroups=*.txt\r\n"
              "FileGroupping2=0\r\nFileGroups2=*.tmp\r\nAutorun=1\r\nAutorunCmd=cm_Other|cm_Other\r\n",
              t.Section("Beta"));
    EXPECT_NE(std::string::npos, t.Section("ViewModes").find("Beta=Mine\r\n"));
    EXPECT_EQ(0, ViewModeWord(L"Comments")); // the engine's "Comment"

    // A mode stored with the localised word shows as that view; an empty
    // description is "<None>"; custom views are chosen by title.
    t.Select(3);
    EXPECT_EQ(4, t.page->GetViewCombo().GetCurSel());
    t.page->GetViewCombo().SetCurSel(8);
    t.page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODE_VIEW, CBN_SELCHANGE), 0);
    t.Type(IDC_MODE_TEXT, L"x");
    t.Type(IDC_MODE_TEXT, L"");

    // "Clear" removes an icon; on a mode without one it changes nothing.
    CClearingShell clearing;
    CPromptService* old = AfxSetPromptService(&clearing);
    t.Click(IDC_MODE_ICON);
    t.page->OnApply();
    EXPECT_FALSE(t.page->IsModified());
    t.Select(0);
    t.Click(IDC_MODE_ICON);
    EXPECT_FALSE(t.page->IsModified());
    AfxSetPromptService(old);
    std::string delta = t.Section("Delta");
    EXPECT_EQ(std::string::npos, delta.find("TabIcon")) << delta;
    EXPECT_NE(std::string::npos, delta.find("View=Docs\r\n")) << delta;
    EXPECT_NE(std::string::npos, t.Section("ViewModes").find("Delta=<None>\r\n"));
}
