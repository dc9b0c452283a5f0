// Process: failures, the history rule, the history command and settings.
#include "Calculator.h"
#include "ResultFormat.h"
#include <gtest/gtest.h>
#include <string>

namespace {

int g_beeps = 0;
void CountBeep(UINT) { ++g_beeps; }

int g_popupRow = -1;
BOOL g_popupReverse = FALSE;
int ChooseRow(CCalculator&, EditRequest*, BOOL reverse)
{
    g_popupReverse = reverse;
    return g_popupRow;
}

// "Numbra.ini" in a folder of its own, beside a module file name.
class CTempSettings {
public:
    CTempSettings()
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"numbra-test-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_folder.c_str(), nullptr);
    }
    ~CTempSettings()
    {
        DeleteFileW(Ini().c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    void Set(const wchar_t* key, const wchar_t* value)
    {
        WritePrivateProfileStringW(L"Config", key, value, Ini().c_str());
    }
    std::wstring Ini() const { return m_folder + L"\\Numbra.ini"; }
    std::wstring ModuleFile() const { return m_folder + L"\\Numbra64.dll"; }

private:
    std::wstring m_folder;
};

class CalcProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_beeps = 0;
        g_popupRow = -1;
        calculator.SetBeep(CountBeep);
        calculator.Initialize(L"C:\\nowhere-numbra\\Numbra64.dll");
    }

    int Run(const wchar_t* text, int command)
    {
        request = EditRequest();
        wcsncpy(request.text, text, ModuleTextLength - 1);
        request.selStart = 7;
        request.selEnd = 9;
        return calculator.Process(&request, command);
    }

    CCalculator calculator;
    EditRequest request;
};

} // namespace

TEST_F(CalcProcess, FailuresKeepTextAndSelectErrorPosition)
{
    struct Failure {
        const wchar_t* text;
        int result;
        int selection; // -2: unchanged
    };
    const Failure failures[] = {
        {L"2*(3", ResultSelectAndBeep, 5},
        {L"*3", ResultNone, 0},
        {L"1+", ResultSelectAndBeep, 3},
        {L"3 4", ResultSelectAndBeep, 2},
        {L"sum()", ResultSelectAndBeep, 5},
        {L"\"hello\"", ResultSelectAndBeep, 7},
        {L"0x", ResultSelectAndBeep, 1},
        {L"0x1FFFFFFFF", ResultSelectAndBeep, 1}, // too wide: no literal, not a wrapped value
        {L"x=y=3", ResultSelectAndBeep, -1},
        {L"7%0", ResultSelectAndBeep, -2},
        {L"7%0.4", ResultSelectAndBeep, -2},
    };
    for (const Failure& f : failures) {
        EXPECT_EQ(Run(f.text, CommandDecimal), f.result) << f.text;
        EXPECT_STREQ(request.text, f.text);
        if (f.selection == -2) {
            EXPECT_EQ(request.selStart, 7) << f.text;
            EXPECT_EQ(request.selEnd, 9) << f.text;
        } else {
            EXPECT_EQ(request.selStart, f.selection) << f.text;
            EXPECT_EQ(request.selEnd, f.selection) << f.text;
        }
    }
    // Every failure stored its expression with an empty result.
    const CCalcHistory& history = calculator.GetHistory();
    ASSERT_EQ(history.GetCount(), (int)(sizeof(failures) / sizeof(failures[0])));
    for (int i = 0; i < history.GetCount(); ++i) {
        EXPECT_STREQ(history.GetExpression(i), failures[i].text);
        EXPECT_TRUE(history.GetResult(i).IsEmpty());
    }
}

TEST_F(CalcProcess, EmptyTextDoesNothingAndTextWithoutTerminatorIsBounded)
{
    EXPECT_EQ(Run(L"", CommandDecimal), ResultNone);
    EXPECT_EQ(request.selStart, 7);
    EXPECT_EQ(calculator.GetHistory().GetCount(), 0);
    request = EditRequest();
    request.text[0] = L'1';
    for (int i = 1; i < ModuleTextLength; ++i)
        request.text[i] = L' ';
    EXPECT_EQ(calculator.Process(&request, CommandDecimal), ResultSetText);
    EXPECT_STREQ(request.text, L"1");
}

TEST_F(CalcProcess, HistoryKeepsOnePairPerExpressionAndResult)
{
    Run(L"1+2", CommandDecimal);
    Run(L"1+2", CommandDecimal);
    EXPECT_EQ(calculator.GetHistory().GetCount(), 1);
    Run(L"1+2", CommandHex);
    ASSERT_EQ(calculator.GetHistory().GetCount(), 2);
    EXPECT_STREQ(calculator.GetHistory().GetResult(1), L"0x3");
    Run(L"1+2", CommandDecimal); // equal to the older pair: no change
    Run(L"2*(3", CommandDecimal);
    Run(L"2*(3", CommandDecimal);
    const CCalcHistory& history = calculator.GetHistory();
    ASSERT_EQ(history.GetCount(), 3);
    EXPECT_STREQ(history.GetExpression(0), L"1+2");
    EXPECT_STREQ(history.GetResult(0), L"3");
    EXPECT_STREQ(history.GetExpression(2), L"2*(3");
    EXPECT_TRUE(history.GetResult(2).IsEmpty());
    Run(L"1/0", CommandHex);
    EXPECT_STREQ(history.GetResult(3), L"inf");
}

TEST_F(CalcProcess, HistoryCommandBeepsWhenEmptyAndTakesChosenRow)
{
    EXPECT_EQ(Run(L"abc", CommandHistory), ResultSetText);
    EXPECT_EQ(g_beeps, 1);
    EXPECT_STREQ(request.text, L"abc");

    Run(L"1+2", CommandDecimal);
    Run(L"5*5", CommandDecimal);
    // No popup yet, or a dismissed one: text unchanged, no beep.
    EXPECT_EQ(Run(L"abc", CommandHistory), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    calculator.SetHistoryPopup(ChooseRow);
    EXPECT_EQ(Run(L"abc", CommandHistory), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    g_popupRow = 0;
    EXPECT_EQ(Run(L"abc", CommandHistory), ResultSetText);
    EXPECT_FALSE(g_popupReverse);
    EXPECT_STREQ(request.text, L"1+2");
    EXPECT_EQ(request.selStart, 3);
    EXPECT_EQ(request.selEnd, 3);
    g_popupRow = 2; // out of range: nothing chosen
    EXPECT_EQ(Run(L"abc", CommandHistory), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(g_beeps, 1);
}

TEST(CalcSettings, ReverseHistoryAndCommentDelimiterComeFromTheIniBesideTheModule)
{
    CTempSettings settings;
    settings.Set(L"CommentDelimiter", L"");
    CCalculator calculator;
    calculator.Initialize(settings.ModuleFile().c_str());
    EXPECT_EQ(std::wstring(calculator.GetSettingsPath()), settings.Ini());
    EXPECT_STREQ(calculator.GetCommentDelimiter(), L";");
    settings.Set(L"CommentDelimiter", L"#");
    CCalculator other;
    other.Initialize(settings.ModuleFile().c_str());
    EXPECT_STREQ(other.GetCommentDelimiter(), L"#");

    EditRequest request = {};
    for (const wchar_t* text : {L"1+2", L"5*5"}) {
        wcscpy(request.text, text);
        calculator.Process(&request, CommandDecimal);
    }
    g_popupRow = 0;
    calculator.SetHistoryPopup(ChooseRow);
    settings.Set(L"ReverseHistory", L"1"); // read on every call
    wcscpy(request.text, L"abc");
    EXPECT_EQ(calculator.Process(&request, CommandHistory), ResultSetText);
    EXPECT_TRUE(g_popupReverse);
    EXPECT_STREQ(request.text, L"5*5"); // the newest pair is the first row
}
