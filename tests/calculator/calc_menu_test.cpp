// The variables menu: its contents, item texts, the insertion of a choice
// and where it opens. TrackPopupMenu and the Shift key are answered here.
#include "NumbraFixture.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_items;     // the menu as shown: "id text", "-", ">title"
std::vector<std::wstring> g_subItems;  // the "muParser" submenu
UINT g_choice = 0;
BOOL g_shift = FALSE;
POINT g_point = {};
HWND g_owner = nullptr;

void Describe(HMENU menu, std::vector<std::wstring>& out, const std::wstring& indent)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        WCHAR text[2048] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 2048;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out.push_back(indent + L"-");
        } else if (info.hSubMenu) {
            out.push_back(indent + L">" + text);
            if (indent.empty() && std::wstring(text) == L"muParser")
                Describe(info.hSubMenu, g_subItems, L"");
            else
                Describe(info.hSubMenu, out, indent + L"  ");
        } else {
            out.push_back(indent + std::to_wstring(info.wID) + L" " + text);
        }
    }
}

UINT AnswerMenu(HMENU menu, UINT flags, POINT point, HWND owner)
{
    EXPECT_EQ(flags & TPM_RETURNCMD, (UINT)TPM_RETURNCMD);
    g_items.clear();
    g_subItems.clear();
    Describe(menu, g_items, L"");
    g_point = point;
    g_owner = owner;
    return g_choice;
}

BOOL AnswerShift()
{
    return g_shift;
}

class CalcMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The name sort looks for folders at the current drive's root.
        GetCurrentDirectoryW(MAX_PATH, m_directory);
        SetCurrentDirectoryW(L"C:\\");
        g_choice = 0;
        g_shift = FALSE;
        ini.Write(FixtureText);
    }
    void TearDown() override { SetCurrentDirectoryW(m_directory); }

    // Adds lines to the fixture's [Config] and [Constants] sections.
    void Start(const char* config = "", const char* constants = "")
    {
        std::string text = FixtureText;
        text.insert(text.find("[Constants]\n") + 12, constants);
        text.insert(text.find("[Config]\n") + 9, config);
        ini.Write(text.c_str());
        calculator.Initialize(ini.ModuleFile().c_str());
        calculator.SetTrackMenu(AnswerMenu);
        calculator.SetShiftState(AnswerShift);
    }
    CRun Choose(UINT id, const wchar_t* text = L"abcdef", int selStart = 2, int selEnd = 4)
    {
        g_choice = id;
        return RunText(calculator, text, CommandVarConst, selStart, selEnd);
    }

    CFixtureIni ini;
    CCalculator calculator;
    WCHAR m_directory[MAX_PATH] = L"";
};

} // namespace

TEST_F(CalcMenu, ContentsIdsAndOrder)
{
    Start();
    RunText(calculator, L"x=5");
    EXPECT_EQ(Choose(0).result, ResultSetText);
    const std::vector<std::wstring> functions = {L"abs", L"acos", L"acosh", L"asin", L"asinh", L"atan",
        L"atan2", L"atanh", L"avg", L"cos", L"cosh", L"exp", L"ln", L"log", L"log10", L"log2", L"max", L"min",
        L"pow", L"rint", L"sign", L"sin", L"sinh", L"sqrt", L"sum", L"tan", L"tanh"};
    ASSERT_EQ(g_subItems.size(), functions.size());
    for (size_t i = 0; i < functions.size(); ++i)
        EXPECT_EQ(g_subItems[i], std::to_wstring(i + 1) + L" " + functions[i]);
    const std::vector<std::wstring> expected = {
        L">muParser",
        L"-",
        L"100 hyp(a,b) [# ;binary]\tsqrt(a*a+b*b) ;hypotenuse",
        L"101 avg3 \t(p1+p2+p3)/_cnt",
        L"-",
        L">Trigonometry",
        L"  102 deg(r) \tr*180/_pi",
        L"103 twice(v) \t2*v",
        L"-",
        L"104 sq(x) [']\tx*x",
        L"-",
        L"105 x\t5",
        L"-",
        L"106 _e\t2.71828182845905",
        L"107 _pi\t3.14159265358979",
        L"-",
        L"108 tax\t19 ;percent",
    };
    EXPECT_EQ(g_items, expected);
}

TEST_F(CalcMenu, TextLimitsAndUserConstantOrder)
{
    Start("CommentTextLimit=5\nFunctionTextLimit=0\nSortByName=1\n", "rate=0.25;12345\nbig=3000000000 ;a\n");
    Choose(0);
    ASSERT_GE(g_items.size(), 4u);
    EXPECT_EQ(g_items[2], L"100 hyp(a,b) [# ;binary]\t ;hypo...");
    EXPECT_EQ(g_items[3], L"101 avg3 \t");
    // User constants sorted by name; a comment of exactly the limit still
    // gets "..."; values outside the 32-bit range use 15 digits.
    std::vector<std::wstring> tail(g_items.end() - 3, g_items.end());
    const std::vector<std::wstring> expected = {
        L"107 big\t3000000000 ;a", L"108 rate\t0.25 ;1234...", L"109 tax\t19 ;perc..."};
    EXPECT_EQ(tail, expected);
}

TEST_F(CalcMenu, ChoiceGoesOverTheSelection)
{
    Start();
    RunText(calculator, L"x=5");
    struct Case {
        UINT id;
        BOOL shift;
        const wchar_t* text;
        int selStart, selEnd;
        const wchar_t* result;
        int caret;
    };
    const Case cases[] = {
        {105, FALSE, L"abcdef", 2, 4, L"abxef", 3},
        {100, FALSE, L"abcdef", 2, 4, L"abhyp(a,b)ef", 10},
        {100, TRUE, L"abcdef", 2, 4, L"ab#ef", 3},
        {101, TRUE, L"", 0, 0, L"avg3", 4},              // no operator: the signature
        {104, TRUE, L"1", 1, 1, L"1'", 2},
        {22, TRUE, L"abcdef", 0, 0, L"sinabcdef", 3},    // "muParser" items unchanged
        {102, FALSE, L"abcdef", 6, 6, L"abcdefdeg(r)", 12},
        {105, FALSE, L"0123456789", 5000, 6000, L"0123456789x", 11},
        {105, FALSE, L"0123456789", -3, 2, L"x23456789", 1},
        {105, FALSE, L"0123456789", 4, 2, L"0123x456789", 5},
    };
    for (const Case& c : cases) {
        g_shift = c.shift;
        CRun run = Choose(c.id, c.text, c.selStart, c.selEnd);
        EXPECT_EQ(run.result, ResultSetText) << c.id;
        EXPECT_EQ(run.text, c.result) << c.id;
        EXPECT_EQ(run.selStart, c.caret) << c.id;
        EXPECT_EQ(run.selEnd, c.caret) << c.id;
    }
    // Dismissed: nothing changes.
    CRun dismissed = Choose(0, L"abcdef", 2, 4);
    EXPECT_EQ(dismissed.result, ResultSetText);
    EXPECT_EQ(dismissed.text, L"abcdef");
    EXPECT_EQ(dismissed.selStart, 2);
    // The rebuilt text is cut at the buffer.
    std::wstring full(ModuleTextLength - 1, L'7');
    CRun cut = Choose(100, full.c_str(), 1000, 1000);
    EXPECT_EQ(cut.text.size(), (size_t)ModuleTextLength - 1);
    EXPECT_EQ(cut.text.substr(1000, 8), L"hyp(a,b)");
    EXPECT_EQ(cut.selStart, 1008);
}

TEST_F(CalcMenu, OpensAtTheCaretPointOfTheEdit)
{
    Start();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND single = CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 40, 50, 120, 24, nullptr, nullptr, instance, nullptr);
    HWND multi = CreateWindowExW(0, L"EDIT", L"abc\r\ndef", WS_POPUP | ES_MULTILINE, 200, 100, 150, 80, nullptr,
        nullptr, instance, nullptr);
    ASSERT_TRUE(single && multi);

    RunText(calculator, L"abc", CommandVarConst, 1, 1, single);
    RECT rect;
    GetWindowRect(single, &rect);
    EXPECT_EQ(g_point.x, rect.left);
    EXPECT_EQ(g_point.y, rect.bottom + 1);
    EXPECT_EQ(g_owner, single);

    RunText(calculator, L"abc\r\ndef", CommandVarConst, 8, 8, multi);
    LRESULT last = SendMessageW(multi, EM_POSFROMCHAR, 7, 0);
    POINT expected = {(short)LOWORD(last), (short)HIWORD(last) + 15};
    ClientToScreen(multi, &expected);
    EXPECT_EQ(g_point.x, expected.x);
    EXPECT_EQ(g_point.y, expected.y);

    SetWindowTextW(multi, L"");
    RunText(calculator, L"", CommandVarConst, 0, 0, multi);
    POINT origin = {0, 0};
    ClientToScreen(multi, &origin);
    EXPECT_EQ(g_point.x, origin.x);
    EXPECT_EQ(g_point.y, origin.y);
    DestroyWindow(single);
    DestroyWindow(multi);
}
