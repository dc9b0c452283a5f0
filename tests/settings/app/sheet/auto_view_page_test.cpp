// The Auto Switch page: the rules text and the grid in step both ways, and
// what Apply writes after mode changes, visits to the View Modes page, row
// deletions and with no modes at all.
#include "AutoViewPage.h"
#include "PageDriver.h"
#include "Resource.h"
#include "ViewModesPage.h"
#include "WinApp.h"
#include <gtest/gtest.h>
#include <vector>

// Prompts and beeps are recorded only through the application object.
CWinApp theApp(L"MerovSet");

namespace {

const char kModes[] = "[Config]\r\nAutoView=0\r\n[ViewModes]\r\nA=<None>\r\nB=<None>\r\nC=<None>\r\n"
                      "[AutoView]\r\nA=?a|!x\r\nB=?b\r\nC=?c\r\n";
const char kNoModes[] = "[Config]\r\nAutoView=0\r\n";
const char kOff[] = "AutoView=0\r\nKeepScope=1\r\n";

// What a user does, in order. Visit: the View Modes page and back, deleting
// mode n there unless n is -1.
enum Op { Type, AddRow, Kind, Pattern, DeleteRow, Choose, Visit, Enable, KeepScope };
struct Step {
    Op op;
    int n = -1;         // row or combo index
    LPCWSTR text = L""; // text, or the kind's option index
};

struct Page {
    CSheetFixture f;
    CPageDriver d{ f };
    CAutoViewPage* page;
    CGridCtrl& grid;
    CPromptScript script;

    Page(const char* ini) : f(L"auto_view", CStringArray(), ini), page(d.Show<CAutoViewPage>(IDD_AUTO_SWITCH)),
                            grid(page->GetGrid()) {}

    HWND Editor() { return ::GetDlgItem(grid.m_hWnd, InPlaceControlId); }
    void Do(const Step& s)
    {
        auto* modes = static_cast<CViewModes*>(f.sheet->FindPage(IDD_VIEW_MODES));
        switch (s.op) {
        case Type: page->SetDlgItemText(IDC_AUTO_RULES, s.text); break;
        case AddRow: d.Press(IDC_AUTO_ADD_ROW); break;
        case Kind: // each cell's editor, ended by Enter
        case Pattern:
            grid.EditCell(s.n, s.op == Pattern, CPoint(-1, -1), VK_LBUTTON);
            if (s.op == Kind)
                ::SendMessageW(Editor(), CB_SETCURSEL, _wtoi(s.text), 0);
            else
                ::SetWindowTextW(Editor(), s.text);
            ::SendMessageW(Editor(), s.op == Kind ? WM_KEYUP : WM_CHAR, VK_RETURN, 0);
            break;
        case DeleteRow:
            grid.SetFocusCell(s.n, s.n < 0 ? -1 : 1);
            d.Press(IDC_AUTO_DELETE_ROW);
            break;
        case Choose: d.Choose(IDC_AUTO_MODE, s.n); break;
        case Visit:
            f.sheet->SetActivePage(modes);
            if (s.n >= 0) {
                modes->GetList().SetCurSel(s.n);
                modes->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODE_LIST, LBN_SELCHANGE), 0);
                script.AddAnswer(IDYES);
                modes->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODE_REMOVE, BN_CLICKED), 0);
            }
            f.sheet->SetActivePage(page);
            break;
        case Enable: d.Click(IDC_AUTO_ENABLE); break;
        case KeepScope: d.Click(IDC_AUTO_KEEP_SCOPE); break;
        }
        PumpFor(0);
    }
    // "kind:pattern," per rule row.
    std::string Rows()
    {
        std::string rows;
        for (int r = 1; r < grid.GetRowCount(); ++r)
            rows += std::to_string(grid.CellAt(r, 0)->UserValue()) + ":" + Narrow(grid.GetCellText(r, 1)) + ",";
        return rows;
    }
    bool Beeped() { return script.m_prompts.GetSize() && script.m_prompts[0].kind == CScriptedPrompt::kBeep; }
};

} // namespace

TEST(AutoSwitchPage, RulesTextAndGridInStep)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* rows;
        const char* text;
    } cases[] = {
        { "kinds by character, other pieces dropped", { { Type, 0, L"?src|!test|^tmp|xyz" } }, "0:src,1:test,2:tmp,",
          "?src|!test|^tmp|xyz" },
        { "an empty text: one empty row", { { Type, 0, L"" } }, "-1:,", "" },
        { "a grid edit writes the text", { { Type, 0, L"?a|!b" }, { Pattern, 2, L"c" } }, "0:a,1:c,", "?a|!c" },
        { "an emptied first row leaves a leading bar", { { Type, 0, L"?x|?a" }, { Pattern, 1, L"" } }, "0:,0:a,",
          "|?a" },
        { "new row, kind first", { { Type, 0, L"?a" }, { AddRow }, { Kind, 2, L"1" }, { Pattern, 2, L"b" } },
          "0:a,1:b,", "?a|!b" },
        { "new row, pattern first", { { Type, 0, L"?a" }, { AddRow }, { Pattern, 2, L"b" }, { Kind, 2, L"2" } },
          "0:a,2:b,", "?a|^b" },
        { "a deleted row leaves the text", { { Type, 0, L"?a|!b|^c" }, { DeleteRow, 2 } }, "0:a,2:c,", "?a|^c" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page p(kModes);
        for (const Step& s : c.steps)
            p.Do(s);
        EXPECT_EQ(c.rows, p.Rows());
        EXPECT_EQ(c.text, Narrow(p.d.Text(IDC_AUTO_RULES)));
        EXPECT_EQ(c.text, Narrow(p.f.model->m_modes.GetAt(0).strRules)); // straight into the mode shown
    }
}

TEST(AutoSwitchPage, ApplyWritesEachEditToItsMode)
{
    struct Case {
        const char* name;
        const char* ini;
        std::vector<Step> steps;
        const char* shown; // the combo's text afterwards
        bool enabled;      // the editing controls
        bool beeped;
        const char* autoView; // [AutoView] after Apply
        const char* config;   // [Config]
    } cases[] = {
        { "mode changed by keyboard", kModes, { { Type, 0, L"?new" }, { Choose, 1 }, { Enable }, { KeepScope } }, "B",
          true, false, "A=?new\r\nB=?b\r\nC=?c\r\n", "AutoView=1\r\nKeepScope=0\r\n" },
        { "page left and entered again", kModes, { { Choose, 1 }, { Type, 0, L"!kept" }, { Visit } }, "B", true, false,
          "A=?a|!x\r\nB=!kept\r\nC=?c\r\n", kOff },
        { "the mode before it deleted elsewhere", kModes, { { Choose, 2 }, { Type, 0, L"^c2" }, { Visit, 0 } }, "C",
          true, false, "B=?b\r\nC=^c2\r\n", kOff },
        { "a deleted row is not saved", kModes, { { DeleteRow, 2 } }, "A", true, false, "A=?a\r\nB=?b\r\nC=?c\r\n",
          kOff },
        { "delete without a focused cell beeps", kModes, { { DeleteRow }, { Enable } }, "A", true, true,
          "A=?a|!x\r\nB=?b\r\nC=?c\r\n", "AutoView=1\r\nKeepScope=1\r\n" },
        { "no modes: enable and apply", kNoModes, { { Enable }, { Type, 0, L"?z" } }, "No View Modes defined", false,
          false, "", "AutoView=1\r\nKeepScope=1\r\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.ini);
        for (const Step& s : c.steps)
            p.Do(s);
        EXPECT_EQ(c.shown, Narrow(p.d.Text(IDC_AUTO_MODE)));
        for (int id : { IDC_AUTO_MODE, IDC_AUTO_RULES, IDC_AUTO_GRID, IDC_AUTO_ADD_ROW })
            EXPECT_EQ(c.enabled, p.d.Enabled(id)) << id;
        EXPECT_EQ(c.beeped, p.Beeped());
        EXPECT_TRUE(p.page->IsModified());
        p.f.sheet->ApplyAndBroadcast();
        EXPECT_FALSE(p.page->IsModified());
        EXPECT_EQ(c.autoView, p.d.Section("AutoView"));
        EXPECT_EQ(c.config, p.d.Section("Config"));
        EXPECT_EQ(c.enabled ? "Active=1\r\nSort=0\r\nFileGroupping=0\r\nFileGroupping2=0\r\nAutorun=0\r\n" : "",
                  p.d.Section("C"));
    }
}
