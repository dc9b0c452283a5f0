// User functions, constants and operators read from "Numbra.ini".
#include "NumbraFixture.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct Expected {
    const wchar_t* text;
    const wchar_t* result; // nullptr: fails with result 3
};

void ExpectResults(CCalculator& calculator, const Expected* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        CRun run = RunText(calculator, cases[i].text, 2, 1, 2);
        if (cases[i].result) {
            EXPECT_EQ(run.result, ResultSetText) << cases[i].text;
            EXPECT_EQ(run.text, cases[i].result) << cases[i].text;
        } else {
            EXPECT_EQ(run.result, ResultSelectAndBeep) << cases[i].text;
            EXPECT_EQ(run.text, cases[i].text) << cases[i].text;
        }
    }
}

} // namespace

TEST(UserDefinitions, FixtureFunctionsConstantsAndOperators)
{
    CFixtureIni ini(FixtureText);
    CCalculator calculator;
    ASSERT_NO_THROW(calculator.Initialize(ini.ModuleFile().c_str()));
    const Expected cases[] = {
        {L"tax", L"19"},
        {L"hyp(3,4)", L"5"},
        {L"hyp(3)", nullptr},
        {L"hyp(3,4,5)", nullptr},
        {L"avg3(3,6)", L"4.5"}, // p3 is 0, _cnt is 2
        {L"avg3(3,6,9)", L"6"},
        {L"3#4", L"5"},
        {L"1+3#4", L"6"},
        {L"2*3#4", L"10"},
        {L"-3#4", L"-5"}, // binds tighter than the prefix minus, like the shifts
        {L"3'", L"9"},
        {L"3'+1", L"10"},
        {L"deg(_pi)", L"180"},
        {L"twice(4)", L"8"},
        {L"sq(hyp(3,4))", L"25"},
        {L"tax%%10", L"1.9"},
    };
    ExpectResults(calculator, cases, sizeof(cases) / sizeof(cases[0]));
    // A wrong argument count leaves the selection alone (no position).
    CRun wrong = RunText(calculator, L"hyp(3)", 2, 1, 2);
    EXPECT_EQ(wrong.selStart, 1);
    EXPECT_EQ(wrong.selEnd, 2);

    ASSERT_EQ(calculator.GetUserConstantCount(), 1);
    EXPECT_STREQ(calculator.GetUserConstant(0).name, L"tax");
    EXPECT_STREQ(calculator.GetUserConstant(0).comment, L";percent");
    EXPECT_EQ(calculator.GetUserConstant(0).value, 19);
    const _UFDEntry& hyp = calculator.GetUserFunction(0);
    EXPECT_STREQ(hyp.key, L"hyp(a,b)");
    EXPECT_STREQ(hyp.name, L"hyp");
    EXPECT_STREQ(hyp.expression, L"sqrt(a*a+b*b)");
    EXPECT_STREQ(hyp.comment, L";hypotenuse");
    EXPECT_EQ(hyp.parameterCount, 2);
    EXPECT_STREQ(hyp.parameters[1], L"b");
    // Slots depth first, in file order: hyp, avg3, deg, twice, sq.
    EXPECT_STREQ(calculator.GetUserFunction(2).name, L"deg");
    EXPECT_STREQ(calculator.GetUserFunction(3).name, L"twice");
    EXPECT_STREQ(calculator.GetUserFunction(4).name, L"sq");
    EXPECT_STREQ(calculator.GetUserFunction(5).name, L"");

    // The tree: items, both separator forms, the submenu, inline entries.
    const CUserFunctionNode& root = calculator.GetUserFunctionTree();
    ASSERT_EQ(root.GetChildCount(), 7);
    EXPECT_EQ(root.GetChild(0)->GetNumber(), 1);
    EXPECT_TRUE(root.GetChild(2)->IsSeparator());
    EXPECT_STREQ(root.GetChild(3)->GetTitle(), L"Trigonometry");
    ASSERT_EQ(root.GetChild(3)->GetChildCount(), 1);
    EXPECT_EQ(root.GetChild(3)->GetChild(0)->GetData(), &calculator.GetUserFunction(2));
    EXPECT_EQ(root.GetChild(4)->GetData(), &calculator.GetUserFunction(3));
    EXPECT_TRUE(root.GetChild(5)->IsSeparator());
    EXPECT_EQ(root.GetChild(6)->GetNumber(), 5);
}

TEST(UserDefinitions, BodiesReadAndAssignTheUsersVariables)
{
    CFixtureIni ini("[Functions]\n"
                    "addx(v)=x+v\n"
                    "setx(v)=x=v*2\n"
                    "count=_cnt\n"
                    "last=p9\n"
                    "nest=avg(p1,p2)+count(1,2,3)\n");
    CCalculator calculator;
    calculator.Initialize(ini.ModuleFile().c_str());
    const Expected cases[] = {
        {L"x=5", L"5"},
        {L"addx(1)", L"6"},
        {L"setx(4)", L"8"},
        {L"x", L"8"},
        {L"count(1,2,3,4,5,6,7,8,9,10,11)", L"11"},
        {L"last(1,2,3,4,5,6,7,8,9,10)", L"9"},
        {L"last(1)", L"0"},
        {L"nest(2,4)", L"6"},
        {L"count()", nullptr},
    };
    ExpectResults(calculator, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(UserDefinitions, SelfCallsStopAtTheNestingLimit)
{
    CFixtureIni ini("[Functions]\n"
                    "f=f(1)\n"
                    "g(n)=n<=0?0:g(n-1)\n"
                    "ping(n)=pong(n)\n"
                    "pong(n)=ping(n)\n"
                    "depth(n)=n<=0?0:1+depth(n-1)\n"
                    "bad=1+\n");
    CCalculator calculator;
    calculator.Initialize(ini.ModuleFile().c_str());
    const Expected cases[] = {
        {L"f(1)", nullptr},
        {L"g(10)", L"0"},
        {L"ping(1)", nullptr},
        {L"depth(31)", L"31"},
        {L"depth(32)", nullptr},
        {L"bad(1)", nullptr}, // an error inside the body: no position in the user's text
        {L"1+1", L"2"},       // the calculator still works afterwards
    };
    ExpectResults(calculator, cases, sizeof(cases) / sizeof(cases[0]));
    CRun bad = RunText(calculator, L"bad(1)", 2, 1, 2);
    EXPECT_EQ(bad.selStart, 1);
}

TEST(UserDefinitions, EditedBodiesTakeEffectAtTheNextCall)
{
    CFixtureIni ini("[Functions]\nhyp(a,b)=sqrt(a*a+b*b)\n");
    CCalculator calculator;
    calculator.Initialize(ini.ModuleFile().c_str());
    EXPECT_EQ(RunText(calculator, L"hyp(3,4)").text, L"5");
    ini.Write("[Functions]\nhyp(a,b)=a+b\nnew(v)=v\n");
    EXPECT_EQ(RunText(calculator, L"hyp(3,4)").text, L"7");
    // A new function is unknown until the module is set up again: its name
    // becomes a variable, and "(" after it is an error.
    EXPECT_EQ(RunText(calculator, L"new(1)").result, ResultSelectAndBeep);
    CCalculator reloaded;
    reloaded.Initialize(ini.ModuleFile().c_str());
    EXPECT_EQ(RunText(reloaded, L"new(1)").text, L"1");
}

TEST(UserDefinitions, TheHundredAndFirstDefinitionIsIgnored)
{
    std::string text = "[Functions]\n";
    for (int i = 1; i <= 99; ++i)
        text += "f" + std::to_string(i) + "(v)=v+" + std::to_string(i) + "\n";
    text += "more=$sub(More)\n[More]\nf100(v)=v+100\nf101(v)=v+101\n";
    CFixtureIni ini(text.c_str());
    CCalculator calculator;
    calculator.Initialize(ini.ModuleFile().c_str());
    EXPECT_EQ(RunText(calculator, L"f1(1)").text, L"2");
    EXPECT_EQ(RunText(calculator, L"f100(1)").text, L"101");
    EXPECT_EQ(RunText(calculator, L"f101(1)").result, ResultSelectAndBeep);
    EXPECT_STREQ(calculator.GetUserFunction(99).name, L"f100");
}

TEST(UserDefinitions, MalformedLinesAreSkippedWithoutHarm)
{
    CFixtureIni ini("[Config]\n"
                    "CommentDelimiter=//\n"
                    "[Constants]\n"
                    "empty=\n"
                    "words=abc // no number\n"
                    "half=0.5//half\n"
                    "averyveryverylongconstantnamethatgoesonandon=3\n"
                    "[Functions]\n"
                    "open=$sub(Trig\n"
                    "gone=$sub(Missing)\n"
                    "loop=$sub(Functions)\n"
                    "cycle=$ins(Cycle)\n"
                    "(,)=1\n"
                    "many(a,b,c,d,e,f,g,h,i,j,k)=a+i\n"
                    "spaced ( a , b ) = a-b // comment\n"
                    "[Cycle]\n"
                    "back=$ins(Cycle)\n"
                    "inner(v)=v\n");
    CCalculator calculator;
    ASSERT_NO_THROW(calculator.Initialize(ini.ModuleFile().c_str()));
    const Expected cases[] = {
        {L"words", L"0"},
        {L"half", L"0.5"},
        {L"averyveryverylongconstantnameth", L"3"}, // cut to 31 characters
        {L"inner(2)", L"2"},
        {L"many(1,2,3,4,5,6,7,8,9)", L"10"},
        {L"spaced(5,3)", L"2"},
    };
    ExpectResults(calculator, cases, sizeof(cases) / sizeof(cases[0]));
    EXPECT_STREQ(calculator.GetUserFunction(2).comment, L"// comment");
    EXPECT_EQ(calculator.GetUserConstantCount(), 3); // the empty value defines nothing

    // "$sub(" without ")" is ignored; a missing section gives a plain item
    // titled by its key; a section naming itself is read once.
    const CUserFunctionNode& root = calculator.GetUserFunctionTree();
    ASSERT_GE(root.GetChildCount(), 2);
    EXPECT_STREQ(root.GetChild(0)->GetTitle(), L"gone");
    EXPECT_EQ(root.GetChild(0)->GetChildCount(), 0);
    EXPECT_FALSE(root.GetChild(0)->IsSeparator());
    EXPECT_STREQ(root.GetChild(1)->GetTitle(), L"loop");
}

TEST(UserDefinitions, RefusedDefinitionsFailTheSetUpWithTheParsersMessage)
{
    struct Refused {
        const char* text;
        const wchar_t* message;
    };
    const Refused refused[] = {
        {"[Functions]\nsq(x)=x*x\n[Operators1]\nsq=!\n", L"Name conflict"},
        {"[Functions]\nx(a,b)=a\n[Operators2]\nx=+\n", L"conflicts with a built in operator"},
        {"[Constants]\n1abc=2\n", L"Invalid"},
    };
    for (const Refused& r : refused) {
        CFixtureIni ini(r.text);
        CCalculator calculator;
        try {
            calculator.Initialize(ini.ModuleFile().c_str());
            ADD_FAILURE() << r.text;
        } catch (mu::ParserError& error) {
            EXPECT_NE(error.GetMsg().find(r.message), std::wstring::npos) << r.text;
        }
    }
}

// Each body keeps its parser between calls; what a new parser per call would
// give still holds when the settings or the user's variables change.
TEST(UserDefinitions, KeptBodyParsersFollowTheSettingsAndTheVariables)
{
    const char* const first = "[Constants]\nk=2\n[Functions]\n"
                              "outer(x)=middle(x)+1\nmiddle(x)=inner(x)*2\ninner(x)=x+1\n"
                              "acc(v)=t=t+v\nuseg=g1+1\ntwicek=k*2\n";
    struct Step {
        const char* file; // rewritten before the step when not null
        const wchar_t* text;
        const wchar_t* result; // nullptr: fails with result 3
    } steps[] = {
        {nullptr, L"outer(3)", L"9"},
        {nullptr, L"outer(3)+outer(1)", L"14"},
        {nullptr, L"acc(2)", L"2"}, // a name only the body knows is 0 at every call
        {nullptr, L"acc(3)", L"3"},
        {nullptr, L"useg(0)", L"1"},
        {nullptr, L"g1=5", L"5"},
        {nullptr, L"useg(0)", L"6"}, // a variable made after the body was prepared
        {nullptr, L"twicek(0)", L"4"},
        {"[Constants]\nk=30\n[Functions]\nouter(x)=middle(x)+1\nmiddle(x)=inner(x)*2\ninner(x)=x+10\n"
         "acc(v)=t=t+v\nuseg=g1+1\ntwicek=k*2\n",
            L"twicek(0)", L"60"},
        {nullptr, L"outer(3)", L"27"},
        {"[Constants]\n1abc=2\nk=30\n[Functions]\ntwicek=k*2\n", L"twicek(0)", nullptr},
        {first, L"outer(3)", L"9"},
    };
    CFixtureIni ini(first);
    CCalculator calculator;
    calculator.Initialize(ini.ModuleFile().c_str());
    for (const Step& step : steps) {
        if (step.file)
            ini.Write(step.file);
        CRun run = RunText(calculator, step.text);
        if (step.result)
            EXPECT_EQ(run.text, step.result) << step.text;
        else
            EXPECT_EQ(run.result, ResultSelectAndBeep) << step.text;
    }
}
