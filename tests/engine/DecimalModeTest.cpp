#include <gtest/gtest.h>

#include <iterator>

#include "engine/TokenCodes.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct AnswerRow {
    const wchar_t* formula;
    const wchar_t* answer;  // "%.15g" text
};

void ExpectAnswers(const AnswerRow* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].formula);
        const Outcome out = Calc(DECIMAL, rows[i].formula);
        EXPECT_TRUE(out.ok) << testing::PrintToString(out.err);
        ExpectAnswerText(out.ans, rows[i].answer);
        EXPECT_TRUE(out.messages.empty());
    }
}

const AnswerRow ARITHMETIC[] = {
    {L"1+2*3", L"7"}, {L"(1+2)*3", L"9"}, {L"10-4-3", L"3"},
    {L"2-3+4", L"3"},  // left association
    {L"12/4*3", L"9"}, {L"8/4/2", L"1"}, {L"2/4", L"0.5"}, {L"2*3-4/8", L"5.5"}, {L"0-5", L"-5"},
    {L"1/3", L"0.333333333333333"}, {L"2/3", L"0.666666666666667"}, {L"0.1+0.2", L"0.3"}, {L"10/4", L"2.5"},
    {L"100000000000000", L"100000000000000"},
    {L"1000000*1000000*1000", L"1e+15"},  // exponent form from 15 digits up
    {L"0.0001", L"0.0001"}, {L"0.00001", L"1e-05"}, {L"123456789012345678", L"1.23456789012346e+17"},
    {L"1.", L"1"},
    {L"1.2.3", L"1.2"},  // the conversion stops at the second point
    {L"0*(0-1)", L"-0"}, {L" 1 + 2 ", L"3"}, {L"1\b+\b2", L"3"},
    {L"1/sqrt(0-1)", L"-nan"},  // a NaN divisor is no division by zero
};

// e and pi compete with exp( and pow( for their first letter.
const AnswerRow CONSTANTS[] = {
    {L"pi", L"3.14159265358979"}, {L"e", L"2.71828182845905"}, {L"e ", L"2.71828182845905"},
    {L"(e)", L"2.71828182845905"}, {L"e-1", L"1.71828182845905"}, {L"2*e", L"5.43656365691809"},
    {L"e*e", L"7.38905609893065"}, {L"exp(2)", L"7.38905609893065"}, {L"pi*2", L"6.28318530717959"},
    {L"pow(pi,2)", L"9.86960440108936"}, {L"max(e,1)", L"2.71828182845905"},
    {L"max(pi,1)", L"3.14159265358979"}, {L"max(1,pi)", L"3.14159265358979"},
    {L"logbase(e,2)", L"1.44269504088896"},
};

// Each function inside and outside its domain; nothing here is an error.
const AnswerRow FUNCTIONS[] = {
    {L"acos(1)", L"0"}, {L"acos(0-1)", L"3.14159265358979"}, {L"acos(2)", L"-nan"},
    {L"asin(1)", L"1.5707963267949"}, {L"asin(0-2)", L"-nan"},
    {L"atan(1)", L"0.785398163397448"}, {L"atan(inv(0))", L"1.5707963267949"},
    {L"ceil(1.2)", L"2"}, {L"ceil(0-1.2)", L"-1"},
    {L"cos(0)", L"1"}, {L"cos(pi)", L"-1"},
    {L"deg(pi)", L"180"}, {L"deg(1)", L"57.2957795130823"},
    {L"deg2rad(180)", L"3.14159265358979"}, {L"deg2rad(1)", L"0.0174532925199433"},
    {L"exp(1)", L"2.71828182845905"}, {L"exp(1000)", L"inf"}, {L"exp(0-1000)", L"0"},
    {L"floor(1.8)", L"1"}, {L"floor(0-1.2)", L"-2"},
    {L"grad(pi)", L"200"}, {L"grad(1)", L"63.6619772367581"},
    {L"grad2rad(200)", L"3.14159265358979"}, {L"grad2rad(1)", L"0.015707963267949"},
    {L"hypot(3,4)", L"5"}, {L"hypot(0-3,0-4)", L"5"},
    {L"hypot(inv(0),sqrt(0-1))", L"inf"}, {L"hypot(sqrt(0-1),1)", L"-nan"},  // an infinity wins over NaN
    {L"inv(4)", L"0.25"}, {L"inv(0)", L"inf"}, {L"inv(0*(0-1))", L"-inf"},
    {L"log(e)", L"1"}, {L"log(1)", L"0"}, {L"log(0)", L"-inf"}, {L"log(0-1)", L"-nan"},
    {L"log10(1000)", L"3"}, {L"log10(0)", L"-inf"}, {L"log10(0-1)", L"-nan"},
    {L"logbase(1000,10)", L"3"},  // 2.9999999999999996 before formatting
    {L"logbase(8,2)", L"3"}, {L"logbase(2,8)", L"0.333333333333333"}, {L"logbase(2,1)", L"inf"},
    {L"logbase(0.5,1)", L"-inf"}, {L"logbase(1,1)", L"-nan"},
    {L"logbase(0-8,2)", L"-nan"}, {L"logbase(8,0-2)", L"-nan"},
    // max and min give the second argument on a tie (+0 against -0) or a NaN.
    {L"max(1,2)", L"2"}, {L"max(2,1)", L"2"}, {L"max(0,0*(0-1))", L"-0"},
    {L"max(0*(0-1),0)", L"0"}, {L"max(sqrt(0-1),1)", L"1"}, {L"max(1,sqrt(0-1))", L"-nan"},
    {L"min(1,2)", L"1"}, {L"min(2,1)", L"1"}, {L"min(0,0*(0-1))", L"-0"},
    {L"min(0*(0-1),0)", L"0"}, {L"min(sqrt(0-1),1)", L"1"}, {L"min(1,sqrt(0-1))", L"-nan"},
    {L"pow(2,3)", L"8"}, {L"pow(2,10)", L"1024"}, {L"pow(0-2,3)", L"-8"},
    {L"pow(2,0-1)", L"0.5"}, {L"pow(0-8,1/3)", L"-nan"}, {L"pow(10,400)", L"inf"},
    {L"round(2.5)", L"3"}, {L"round(0-2.5)", L"-2"}, {L"round(0-0.5)", L"0"},  // halves go up
    {L"round(0-1.5)", L"-1"}, {L"round(1.4)", L"1"}, {L"round(0.49999999999999994)", L"1"},
    {L"sin(0)", L"0"}, {L"sin(pi/2)", L"1"}, {L"sin(pi)", L"1.22464679914735e-16"},
    {L"sqrt(4)", L"2"}, {L"sqrt(2)", L"1.4142135623731"}, {L"sqrt(0-1)", L"-nan"},
    {L"square(0-3)", L"9"}, {L"square(pow(10,200))", L"inf"},
    {L"step(0)", L"1"}, {L"step(0.5)", L"1"}, {L"step(0-1)", L"0"},
    {L"step(0*(0-1))", L"1"}, {L"step(sqrt(0-1))", L"1"},
    {L"tan(0)", L"0"}, {L"tan(1)", L"1.5574077246549"},
};

// dms( writes the answer text only when nothing is applied after it.
const AnswerRow DMS[] = {
    {L"dms(1)", L"57\u00B017\u203244.807\u2033"}, {L"dms(acos(0-1))", L"180\u00B00\u20320.000\u2033"},
    {L"dms(0)", L"0\u00B00\u20320.000\u2033"}, {L"dms(0-1)", L"-57\u00B0-17\u2032-44.806\u2033"},
    {L"dms(0-0.001)", L"0\u00B0-3\u2032-26.264\u2033"},
    {L"dms(0.5235987755982988)", L"29\u00B059\u203260.000\u2033"},
    {L"dms(dms(1))", L"57\u00B017\u203244.807\u2033"},
    {L"dms(10000000000)", L"572957795130\u00B049\u203223.672\u2033"}, {L"dms(inv(0))", L"inf\u00B0"},
    {L"dms(sqrt(0-1))", L"-nan\u00B0"}, {L"dms(1)*2", L"2"}, {L"2*dms(1)", L"2"}, {L"TOx(dms(1))", L"1"},
};

TEST(DecimalMode, ArithmeticAndFormatting) { ExpectAnswers(ARITHMETIC, std::size(ARITHMETIC)); }
TEST(DecimalMode, ConstantsAgainstExpAndPow) { ExpectAnswers(CONSTANTS, std::size(CONSTANTS)); }
TEST(DecimalMode, FunctionsInAndOutOfDomain) { ExpectAnswers(FUNCTIONS, std::size(FUNCTIONS)); }
TEST(DecimalMode, DmsAnswerOnlyWhenOutermost) { ExpectAnswers(DMS, std::size(DMS)); }

struct StoreRow {
    const wchar_t* formula;
    const wchar_t* answer;
    const wchar_t *x, *y, *z;  // variable texts afterwards
};

TEST(DecimalMode, StoresWriteFifteenDigitTexts)
{
    // Variables are read while converting, so a store is not seen by the same formula.
    const StoreRow rows[] = {
        {L"TOx(3)*2", L"6", L"3", L"2", L"3"}, {L"TOx(5)+x", L"6", L"5", L"2", L"3"},
        {L"x+TOx(5)", L"6", L"5", L"2", L"3"}, {L"TOx(y)+TOy(x)", L"3", L"2", L"1", L"3"},
        {L"TOy(1/3)", L"0.333333333333333", L"1", L"0.333333333333333", L"3"},
        {L"TOz(0.1+0.2)", L"0.3", L"1", L"2", L"0.3"}, {L"TOx(pow(10,20))", L"1e+20", L"1e+20", L"2", L"3"},
        {L"TOx(inv(0))", L"inf", L"inf", L"2", L"3"}, {L"TOx(sqrt(0-1))", L"-nan", L"-nan", L"2", L"3"},
        {L"x+y*z", L"7", L"1", L"2", L"3"},
    };
    for (const StoreRow& row : rows) {
        SCOPED_TRACE(row.formula);
        const Outcome out = Calc(DECIMAL, row.formula, ENGLISH, {L"1", L"2", L"3"});
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.ans, row.answer);
        EXPECT_EQ(out.x, row.x);
        EXPECT_EQ(out.y, row.y);
        EXPECT_EQ(out.z, row.z);
    }
}

TEST(DecimalMode, VariableTextsConvertAsDecimals)
{
    const AnswerRow rows[] = {  // {text of x, value of the formula x}
        {L"2.5", L"2.5"}, {L"", L"0"}, {L"abc", L"0"}, {L"3abc", L"3"}, {L"  1.5", L"1.5"}, {L"-2", L"-2"},
        {L"+4", L"4"}, {L"1e3", L"1000"}, {L"0.333333333333333", L"0.333333333333333"},
        // What an earlier store may have left: the C texts of the infinities and NaN read back.
        {L"inf", L"inf"}, {L"-inf", L"-inf"}, {L"-nan", L"-nan"}, {L"1e999", L"inf"}, {L"1e-999", L"0"},
        // Decimal digits only: no hexadecimal, and one sign at most.
        {L"0x10", L"0"}, {L"0X10", L"0"}, {L"+-1", L"0"}, {L"\t7", L"7"},
    };
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.formula);
        const Outcome out = Calc(DECIMAL, L"x", ENGLISH, {row.formula, L"", L""});
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.ans, row.answer);
        EXPECT_EQ(out.x, row.formula);
    }
}

struct RefusalRow {
    const wchar_t* formula;
    size_t caret;
};

TEST(DecimalMode, RefusalsPutTheCaretUnderTheFault)
{
    const RefusalRow rows[] = {
        {L"-1", 0}, {L"  +1", 2},
        {L"SIN(1)", 0},  // names are case-sensitive
        {L"PI", 0}, {L"E", 0},
        {L"2pi", 1},  // no implicit multiplication
        {L"2x", 1}, {L"x2", 1}, {L"x(2)", 1}, {L"(1)(2)", 3}, {L"pi(1)", 2}, {L"2sin(1)", 1}, {L"sin(1)(2)", 6},
        {L"e pi", 2}, {L"pi e", 3}, {L"pie", 2},
        {L"1e5", 1},  // no exponent in literals
        {L"e2", 1},   // an e not followed by a separator points at what follows
        {L"ex", 1}, {L"2*e(1)", 3},
        {L"sin (1)", 1},  // a word that is no name points one right of its letter
        {L"exp (1)", 1}, {L"pow (2,3)", 1}, {L"deg2rad (180)", 1}, {L"p", 1}, {L"deg", 1}, {L"acosh(1)", 1},
        {L"abs(1)", 1}, {L"sinh(1)", 1}, {L"cot(1)", 1}, {L"ln(1)", 1}, {L"log2(8)", 1}, {L"sqr(2)", 1},
        {L"2*foo(1)", 3}, {L"TOx (1)", 1}, {L"Tox(1)", 1},
        {L"b(1)", 0},  // a letter that starts no name points at itself
        {L"1+q", 2}, {L"1+X", 2}, {L"0X(1)", 1},
        {L"sin(1,2)", 5},  // a comma only in the two-argument functions
        {L"max(1,2)*(3,4)", 11}, {L"1,2", 1}, {L",", 0}, {L"max(,1)", 4}, {L"max(1,)", 6}, {L".5", 0},
        {L"1..2", 2}, {L"1 .5", 2}, {L"(1+2", 4}, {L"max(1,2", 7}, {L"1+2)", 3}, {L"()", 1}, {L"5+)", 2},
        {L"1+*2", 2}, {L"1\t+2", 1}, {L"1+$", 2}, {L"1+\u00E9", 2},
    };
    for (Language lang : LANGUAGES) {
        for (const RefusalRow& row : rows) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)) + " " + LanguageName(lang));
            const Outcome out = Calc(DECIMAL, row.formula, lang, {L"1", L"2", L"3"});
            ExpectRefused(out, row.caret, lang);
            EXPECT_EQ(out.ans, L"");
            EXPECT_EQ(out.x, L"1");
        }
    }
}

// A trailing operator or a two-argument function given one argument leaves
// too few values; the formula is refused just past its last character.
TEST(DecimalMode, TooFewValuesIsRefusedAtTheEnd)
{
    const wchar_t* const formulas[] = {L"1+",       L"2*3-",     L"max(1)", L"1+max(2)", L"sin(1)+",
                                       L"hypot(3)", L"pow(2)*3", L"1 + ",   L"TOx(5)/"};
    for (Language lang : LANGUAGES) {
        for (const wchar_t* formula : formulas) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(formula)) + " " + LanguageName(lang));
            ExpectRefused(Calc(DECIMAL, formula, lang), std::wcslen(formula), lang);
        }
    }
}

struct DivisionRow {
    const wchar_t* formula;
    std::vector<std::wstring> messages;
};

TEST(DecimalMode, OnlySlashReportsDivisionByZero)
{
    const DivisionRow rows[] = {
        {L"1/0", {}}, {L"0/0", {}}, {L"2/(1-1)", {}}, {L"1/(0-0)", {}},
        {L"1/(0*(0-1))", {}},  // minus zero compares equal to zero
        {L"inv(0)/0", {}}, {L"1/0+", {}}, {L"dms(1/0)", {}}, {L"2+1/0", {L"m_StackCnt=2"}},
        {L"TOz(5)+1/0", {L"m_StackCnt=2"}},
    };
    for (Language lang : LANGUAGES) {
        for (const DivisionRow& row : rows) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)) + " " + LanguageName(lang));
            const Outcome out = Calc(DECIMAL, row.formula, lang);
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.err, DivisionText(lang));
            EXPECT_EQ(out.messages, row.messages);
            EXPECT_EQ(out.ans, L"");
        }
    }
    // The store ran before the division; the caller just does not copy it back.
    EXPECT_EQ(Calc(DECIMAL, L"TOz(5)+1/0", ENGLISH, {L"", L"", L"7"}).z, L"5");
}

TEST(DecimalMode, PostfixFollowsTheLevels)
{
    ExpectPostfix(DECIMAL, L"1+2*3", {Dec(1), Dec(2), Dec(3), Op(DEC_MUL), Op(DEC_ADD)});
    ExpectPostfix(DECIMAL, L"10-4-3", {Dec(10), Dec(4), Op(DEC_SUB), Dec(3), Op(DEC_SUB)});
    ExpectPostfix(DECIMAL, L"2*sin(1)", {Dec(2), Dec(1), Op(DEC_SIN), Op(DEC_MUL)});
    ExpectPostfix(DECIMAL, L"sin(1)*2", {Dec(1), Op(DEC_SIN), Dec(2), Op(DEC_MUL)});
    ExpectPostfix(DECIMAL, L"sin(cos(1))", {Dec(1), Op(DEC_COS), Op(DEC_SIN)});
    ExpectPostfix(DECIMAL, L"max(1+2,3)", {Dec(1), Dec(2), Op(DEC_ADD), Dec(3), Op(DEC_MAX)});
    ExpectPostfix(DECIMAL, L"pow(2,3)/4", {Dec(2), Dec(3), Op(DEC_POW), Dec(4), Op(DEC_DIV)});
    ExpectPostfix(DECIMAL, L"2*sin(1)+pi",
                  {Dec(2), Dec(1), Op(DEC_SIN), Op(DEC_MUL), Dec(3.141592653589793), Op(DEC_ADD)});
    ExpectPostfix(DECIMAL, L"e+exp(1)", {Dec(2.718281828459045), Dec(1), Op(DEC_EXP), Op(DEC_ADD)});
    ExpectPostfix(DECIMAL, L"1.2.3", {Dec(1.2)});
    ExpectPostfix(DECIMAL, L"TOx(x)", {Dec(2.5), Op(DEC_TO_X)}, {L"2.5", L"", L""});
    ExpectPostfix(DECIMAL, L"", {});
    ExpectPostfix(DECIMAL, L" \b ", {});
}

struct FunctionRow {
    const wchar_t* name;
    uint32_t code;
    int operands;
};

// Every name, written with its "(", reaches the list as its own code after
// its arguments.
TEST(DecimalMode, EveryFunctionNameConverts)
{
    const FunctionRow rows[] = {
        {L"acos", DEC_ACOS, 1},   {L"asin", DEC_ASIN, 1},       {L"atan", DEC_ATAN, 1},
        {L"ceil", DEC_CEIL, 1},   {L"cos", DEC_COS, 1},         {L"deg", DEC_DEG, 1},
        {L"deg2rad", DEC_DEG2RAD, 1}, {L"dms", DEC_DMS, 1},     {L"exp", DEC_EXP, 1},
        {L"floor", DEC_FLOOR, 1}, {L"grad", DEC_GRAD, 1},       {L"grad2rad", DEC_GRAD2RAD, 1},
        {L"hypot", DEC_HYPOT, 2}, {L"inv", DEC_INV, 1},         {L"log", DEC_LOG, 1},
        {L"log10", DEC_LOG10, 1}, {L"logbase", DEC_LOGBASE, 2}, {L"max", DEC_MAX, 2},
        {L"min", DEC_MIN, 2},     {L"pow", DEC_POW, 2},         {L"sin", DEC_SIN, 1},
        {L"sqrt", DEC_SQRT, 1},   {L"round", DEC_ROUND, 1},     {L"square", DEC_SQUARE, 1},
        {L"step", DEC_STEP, 1},   {L"tan", DEC_TAN, 1},         {L"TOx", DEC_TO_X, 1},
        {L"TOy", DEC_TO_Y, 1},    {L"TOz", DEC_TO_Z, 1},
    };
    ASSERT_EQ(std::size(rows), 29u);
    for (const FunctionRow& row : rows) {
        const std::wstring name = row.name;
        if (row.operands == 1) {
            ExpectPostfix(DECIMAL, name + L"(7)", {Dec(7), Op(row.code)});
            ExpectPostfix(DECIMAL, L"1+" + name + L"(7)", {Dec(1), Dec(7), Op(row.code), Op(DEC_ADD)});
        } else {
            ExpectPostfix(DECIMAL, name + L"(7,8)", {Dec(7), Dec(8), Op(row.code)});
            ExpectPostfix(DECIMAL, L"1+" + name + L"(7,8)", {Dec(1), Dec(7), Dec(8), Op(row.code), Op(DEC_ADD)});
        }
        // The name and its bracket must not be parted by a blank.
        SCOPED_TRACE(name);
        ExpectRefused(Calc(DECIMAL, name + L" (7)"), 1, ENGLISH);
    }
}

}  // namespace
