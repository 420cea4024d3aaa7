#include <iterator>

#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

// Answers are "%.15g" texts.
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
    {L"max(1,2)", L"2"}, {L"max(2,1)", L"2"}, {L"max((1),2)", L"2"}, {L"max(0,0*(0-1))", L"-0"},
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

// dms( writes the answer text only when nothing is applied after it; the
// texts themselves are checked with FormatDms.
const AnswerRow DMS[] = {
    {L"dms(1)", L"57\u00B017\u203244.807\u2033"}, {L"dms(dms(1))", L"57\u00B017\u203244.807\u2033"},
    {L"dms(inv(0))", L"inf\u00B0"}, {L"dms(1)*2", L"2"}, {L"2*dms(1)", L"2"}, {L"TOx(dms(1))", L"1"},
};

TEST(DecimalMode, ArithmeticAndFormatting) { ExpectAnswers(DECIMAL, ARITHMETIC); }
TEST(DecimalMode, ConstantsAgainstExpAndPow) { ExpectAnswers(DECIMAL, CONSTANTS); }
TEST(DecimalMode, FunctionsInAndOutOfDomain) { ExpectAnswers(DECIMAL, FUNCTIONS); }
TEST(DecimalMode, DmsAnswerOnlyWhenOutermost) { ExpectAnswers(DECIMAL, DMS); }

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
    ExpectStores(DECIMAL, rows);
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
    ExpectVariableTexts(DECIMAL, rows);
}

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
        // A trailing operator or a two-argument function given one argument
        // leaves too few values: refused just past the last character.
        {L"1+", 2}, {L"2*3-", 4}, {L"max(1)", 6}, {L"1+max(2)", 8}, {L"sin(1)+", 7}, {L"hypot(3)", 8},
        {L"pow(2)*3", 8}, {L"1 + ", 4}, {L"TOx(5)/", 7},
    };
    ExpectRefusals(DECIMAL, rows);
}

TEST(DecimalMode, OnlySlashReportsDivisionByZero)
{
    const DivisionRow rows[] = {
        {L"1/0", {}}, {L"0/0", {}}, {L"2/(1-1)", {}}, {L"1/(0-0)", {}},
        {L"1/(0*(0-1))", {}},  // minus zero compares equal to zero
        {L"inv(0)/0", {}}, {L"1/0+", {}}, {L"dms(1/0)", {}}, {L"2+1/0", {L"m_StackCnt=2"}},
        {L"TOz(5)+1/0", {L"m_StackCnt=2"}},
    };
    ExpectDivisionsByZero(DECIMAL, rows);
    // The store ran before the division; the caller just does not copy it back.
    EXPECT_EQ(Calc(DECIMAL, L"TOz(5)+1/0", ENGLISH, {L"", L"", L"7"}).z, L"5");
}

// Every name, written with its "(", is a function after an operator too;
// name and bracket must not be parted by a blank.
TEST(DecimalMode, EveryFunctionNameIsKnown)
{
    const wchar_t* const CALLS[] = {
        L"acos(1)", L"asin(1)", L"atan(1)", L"ceil(1)", L"cos(1)", L"deg(1)", L"deg2rad(1)", L"dms(1)",
        L"exp(1)", L"floor(1)", L"grad(1)", L"grad2rad(1)", L"hypot(1,1)", L"inv(1)", L"log(1)", L"log10(1)",
        L"logbase(1,1)", L"max(1,1)", L"min(1,1)", L"pow(1,1)", L"sin(1)", L"sqrt(1)", L"round(1)", L"square(1)",
        L"step(1)", L"tan(1)", L"TOx(1)", L"TOy(1)", L"TOz(1)",
    };
    ASSERT_EQ(std::size(CALLS), 29u);
    for (const wchar_t* call : CALLS) {
        std::wstring formula = L"1+" + std::wstring(call);
        SCOPED_TRACE(testing::PrintToString(formula));
        EXPECT_TRUE(Calc(DECIMAL, formula).ok);
        const std::wstring spaced = formula.insert(formula.find(L'('), L" ");
        ExpectRefused(Calc(DECIMAL, spaced), 3, ENGLISH);
    }
}

}  // namespace
