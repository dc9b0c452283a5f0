// Evaluation and formatting through the calculator's Process, plus the
// patched parser's guard test.
#include "CalcArithmetic.h"
#include "Calculator.h"
#include "ResultFormat.h"
#include <gtest/gtest.h>
#include <clocale>
#include <locale.h>
#include <cmath>
#include <string>

namespace {

struct Row {
    const wchar_t* expression;
    const wchar_t* text;
};

class CalcEval : public ::testing::Test {
protected:
    void SetUp() override { calculator.Initialize(L"C:\\nowhere-numbra\\Numbra64.dll"); }

    // Evaluates with a command and returns the text written back.
    std::wstring Run(const wchar_t* expression, int command, int* result = nullptr)
    {
        EditRequest request = {};
        wcsncpy(request.text, expression, ModuleTextLength - 1);
        request.selStart = request.selEnd = 7;
        int r = calculator.Process(&request, command);
        if (result)
            *result = r;
        return request.text;
    }

    CCalculator calculator;
};

std::wstring Format(double value, int command)
{
    wchar_t out[ResultTextLength];
    FormatResult(value, command, out);
    return out;
}

} // namespace

TEST_F(CalcEval, OwnOperatorsLiteralsAndFunctions)
{
    const Row rows[] = {
        {L"3^5", L"6"}, {L"3^^2", L"9"}, {L"2^^3^^2", L"512"}, {L"-2^^2", L"-4"}, {L"!2^^0", L"0"},
        {L"2^^-1", L"0.5"}, {L"2 ^^ -1", L"0.5"},
        {L"5&3", L"1"}, {L"5|3", L"7"}, {L"2.5&3", L"3"}, {L"2+3&1", L"1"}, {L"2&3+1", L"3"},
        {L"5&3==1", L"1"},
        {L"7%3", L"1"}, {L"-7%3", L"-1"}, {L"7.5%2", L"0"}, {L"7%3+1", L"2"},
        {L"200%%10+1", L"21"}, {L"-2147483648%-1", L"0"},
        {L"(-1)>>60", L"15"}, {L"-1>>60", L"0"}, {L"1<<64", L"1"}, {L"1<<63", L"9.22337203685478e+18"},
        {L"1+1<<2", L"5"}, {L"2*1<<3", L"16"}, {L"2^^1<<3", L"256"},
        {L"!0", L"1"}, {L"!0.4", L"1"}, {L"!0.5", L"0"}, {L"~0", L"4294967295"}, {L"~5", L"4294967290"},
        {L"1&&-1", L"1"}, {L"0||!0", L"1"}, {L"3!=2", L"1"},
        {L"\"hello\"L", L"5"}, {L"\"abc\"L", L"3"}, {L"\"\"L", L"0"}, {L"\"a\\\"b\"L", L"3"},
        {L"0 1", L"1"}, {L"11 0", L"6"}, {L"0x10 + 1 0", L"18"}, {L"1010 1111", L"175"},
        {L"1 0+3", L"5"}, {L"1010", L"1010"},
        {L"0xff", L"255"}, {L"0xFF", L"255"}, {L"0x00000000FFFFFFFF", L"4294967295"},
        {L"pow(2,10)", L"1024"}, {L"sum(1,2,3)", L"6"}, {L"1 ? 2 : 3", L"2"},
        {L"1/0", L"inf"}, {L"-1/0", L"-inf"}, {L"sqrt(-1)", L"nan"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Run(row.expression, CommandDecimal), row.text) << row.expression;
}

TEST_F(CalcEval, VariablesPersistAndUnknownNamesReadZero)
{
    EXPECT_EQ(Run(L"x=5", CommandDecimal), L"5");
    EXPECT_EQ(Run(L"x*2", CommandDecimal), L"10");
    EXPECT_EQ(Run(L"y", CommandDecimal), L"0");
    EXPECT_EQ(Run(L"y+x", CommandDecimal), L"5");
}

TEST(CalcFormat, FourFormats)
{
    struct FormatRow {
        double value;
        const wchar_t* hex;
        const wchar_t* decimal;
        const wchar_t* binary;
        const wchar_t* science;
    };
    const FormatRow rows[] = {
        {3, L"0x3", L"3", L" 11", L"3e+0"},
        {255.4, L"0xFF", L"255.4", L" 1111 1111", L"2.554e+2"},
        {-1, L"0xFFFFFFFF", L"-1", L" 1111 1111 1111 1111 1111 1111 1111 1111", L"-1e+0"},
        {-2, L"0xFFFFFFFE", L"-2", L" 1111 1111 1111 1111 1111 1111 1111 1110", L"-2e+0"},
        {-2.7, L"0xFFFFFFFD", L"-2.7", L" 1111 1111 1111 1111 1111 1111 1111 1110", L"-2.7e+0"},
        {4294967297.0, L"0x1", L"4294967297", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"4.29497e+9"},
        {1023, L"0x3FF", L"1023", L" 11 1111 1111", L"1.023e+3"},
        {0, L"0x0", L"0", L" 0", L"0e+0"},
        {-0.0, L"0x0", L"0", L" 0", L"0e+0"},
        {2.5, L"0x3", L"2.5", L" 10", L"2.5e+0"},
        {1e10, L"0x540BE400", L"10000000000", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"1e+10"},
        {0.1, L"0x0", L"0.1", L" 0", L"1e-1"},
        {1.0 / 3, L"0x0", L"0.333333333333333", L" 0", L"3.33333e-1"},
        {1234.5, L"0x4D3", L"1234.5", L" 100 1101 0010", L"1.2345e+3"},
        {-0.00123, L"0x0", L"-0.00123", L" 0", L"-1.23e-3"},
        {1e-5, L"0x0", L"1e-05", L" 0", L"1e-5"},
        {-0.5, L"0xFFFFFFFF", L"-0.5", L" 0", L"-5e-1"},
        {2147483648.0, L"0x80000000", L"2147483648", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"2.14748e+9"},
        {-2147483648.0, L"0x80000000", L"-2147483648", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"-2.14748e+9"},
        {9223372036854775808.0, L"0x0", L"9.22337203685478e+18", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"9.22337e+18"},
        {999999.5, L"0xF4240", L"999999.5", L" 1111 0100 0010 0011 1111", L"1e+6"},
        {1000, L"0x3E8", L"1000", L" 11 1110 1000", L"1e+3"},
        {4.9e-324, L"0x0", L"4.94065645841247e-324", L" 0", L"4.94066e-324"},
        {1.7e308, L"0x0", L"1.7e+308", L" 1000 0000 0000 0000 0000 0000 0000 0000", L"1.7e+308"},
    };
    for (const FormatRow& row : rows) {
        EXPECT_EQ(Format(row.value, CommandHex), row.hex) << row.value;
        EXPECT_EQ(Format(row.value, CommandDecimal), row.decimal) << row.value;
        EXPECT_EQ(Format(row.value, CommandBinary), row.binary) << row.value;
        EXPECT_EQ(Format(row.value, CommandScience), row.science) << row.value;
    }
    // Command numbers outside the table take the scientific path.
    for (int command : {0, 4, 5, 7, -1, 65536, INT_MIN, INT_MAX})
        EXPECT_EQ(Format(1234.5, command), L"1.2345e+3") << command;
}

TEST_F(CalcEval, NonFiniteValuesUseTheDecimalTextInEveryFormat)
{
    for (int command : {1, 2, 3, 6, 0, -1}) {
        EXPECT_EQ(Run(L"1/0", command), L"inf");
        EXPECT_EQ(Run(L"-1/0", command), L"-inf");
        EXPECT_EQ(Run(L"sqrt(-1)", command), L"nan");
    }
}

TEST_F(CalcEval, NumbersIgnoreTheProcessLocale)
{
    const char* old = setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (!setlocale(LC_ALL, "German_Germany.1252") && !setlocale(LC_ALL, "de-DE"))
        GTEST_SKIP() << "no German locale";
    if (localeconv()->decimal_point[0] != ',') {
        setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "the locale keeps the point";
    }
    EXPECT_EQ(Run(L"1/4", CommandDecimal), L"0.25");
    EXPECT_EQ(Run(L"1234.5", CommandScience), L"1.2345e+3");
    setlocale(LC_ALL, saved.c_str());
}

TEST(CalcFormat, RandomValuesKeepTheirShape)
{
    unsigned seed = 12345;
    auto next = [&seed]() { seed = seed * 1103515245u + 12345u; return seed >> 8; };
    for (int i = 0; i < 1000; ++i) {
        double value = (static_cast<double>(next()) - 8388608.0) * std::pow(10.0, (int)(next() % 40) - 20);
        std::wstring hex = Format(value, CommandHex);
        ASSERT_GE(hex.size(), 3u);
        ASSERT_LE(hex.size(), 10u);
        EXPECT_EQ(hex.substr(0, 2), L"0x");
        EXPECT_EQ(hex.find_first_not_of(L"0123456789ABCDEF", 2), std::wstring::npos) << hex;
        std::wstring binary = Format(value, CommandBinary);
        ASSERT_EQ(binary[0], L' ');
        size_t first = binary.find(L' ', 1);
        if (first != std::wstring::npos) {
            ASSERT_LE(first, 5u);
            for (size_t at = first; at < binary.size(); at += 5)
                EXPECT_TRUE(binary[at] == L' ' && binary.find_first_not_of(L"01", at + 1) >= at + 5) << binary;
            EXPECT_EQ((binary.size() - first) % 5, 0u) << binary;
        }
        std::wstring science = Format(value, CommandScience);
        EXPECT_NE(science.find(L'e'), std::wstring::npos) << science;
        EXPECT_EQ(science.find(L"10e"), std::wstring::npos) << science;
    }
}

// Guard for the patched parser: "^^" is the built-in power, "^" is free,
// and a longer built-in operator wins over a shorter own one.
TEST(CalcParserPatch, PowerIsSpelledWithTwoCarets)
{
    CCalculator calculator;
    mu::Parser parser;
    calculator.SetUpParser(parser, FALSE);
    parser.SetExpr(L"3^5");
    EXPECT_EQ(parser.Eval(), 6);
    parser.SetExpr(L"3^^2");
    EXPECT_EQ(parser.Eval(), 9);
    parser.SetExpr(L"2^^-1");
    EXPECT_EQ(parser.Eval(), 0.5);
    try {
        parser.DefineOprt(L"^^", Power);
        FAIL() << "\"^^\" accepted as an own operator";
    } catch (mu::ParserError& error) {
        EXPECT_EQ(error.GetCode(), mu::ecBUILTIN_OVERLOAD);
        EXPECT_EQ(error.GetMsg(), L"user defined binary operator \"^^\" conflicts with a built in operator.");
    }
}
