#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

const AnswerRow PRECEDENCE[] = {
    {L"1+2*3", L"7"}, {L"(1+2)*3", L"9"},
    {L"10-4-3", L"3"},  // every binary operator associates to the left
    {L"100/10/5", L"2"}, {L"2*3%4", L"2"}, {L"7%4*3", L"9"}, {L"1<<2<<3", L"32"}, {L"256>>2>>1", L"32"},
    {L"1<<2+1", L"8"},  // + binds tighter than <<
    {L"2+3<<1", L"10"},
    {L"6&3<<1", L"6"},  // << binds tighter than &
    {L"6^3&5", L"7"},   // & tighter than ^
    {L"1|2^3", L"1"},   // ^ tighter than |
    {L"12&10|1", L"9"}, {L"1|2^3&4", L"3"},
    {L"~5+1", L"-5"},   // ~ binds tightest
    {L"~2*3", L"-9"}, {L"2*~3+1", L"-7"}, {L"1-~0", L"2"}, {L"~(2+3)", L"-6"}, {L"~0", L"-1"}, {L"~~5", L"5"},
    {L"6&3", L"2"}, {L"6|3", L"7"}, {L"6^3", L"5"}, {L"2*(3+(4-1))*2", L"24"}, {L"((7))", L"7"},
    {L" 1 + 2 ", L"3"},
    {L"1\b+\b2", L"3"},  // backspace counts as a blank
};

const AnswerRow DIVISION_AND_WRAP[] = {
    {L"7/2", L"3"}, {L"(0-7)/2", L"-3"}, {L"7/(0-2)", L"-3"}, {L"(0-7)/(0-2)", L"3"}, {L"7%3", L"1"},
    {L"(0-7)%3", L"-1"},  // the remainder takes the sign of the dividend
    {L"7%(0-3)", L"1"}, {L"(0-7)%(0-3)", L"-1"}, {L"9223372036854775807+1", L"-9223372036854775808"},
    {L"9223372036854775807*2", L"-2"}, {L"0X7FFFFFFFFFFFFFFF*2", L"-2"},
    {L"0-9223372036854775807-2", L"9223372036854775807"}, {L"0XFFFFFFFF*0XFFFFFFFF", L"-8589934591"},
    {L"3037000500*3037000500", L"-9223372036709301616"},
    {L"(0-9223372036854775807-1)/(0-1)", L"-9223372036854775808"}, {L"(0-9223372036854775807-1)%(0-1)", L"0"},
    {L"(0-9223372036854775807-1)*(0-1)", L"-9223372036854775808"},
    {L"(0-9223372036854775807-1)-1", L"9223372036854775807"},
};

const AnswerRow LITERALS[] = {
    {L"9223372036854775807", L"9223372036854775807"}, {L"9223372036854775808", L"-9223372036854775808"},
    {L"18446744073709551615", L"-1"},
    {L"18446744073709551616", L"-1"},  // beyond 64 bits: every bit set
    {L"99999999999999999999", L"-1"}, {L"0XFFFFFFFFFFFFFFFF", L"-1"}, {L"0X10000000000000000", L"-1"},
    {L"0X8000000000000000", L"-9223372036854775808"},
    {L"0XFF", L"255"},  // a hexadecimal literal does not make the answer hexadecimal
    {L"0X", L"0"}, {L"0XA+0XB", L"21"},
    {L"10X5", L"10"},  // reading stops at the X
    {L"007", L"7"},
};

// The count is the low 8 bits of the right operand.
const AnswerRow SHIFTS[] = {
    {L"1<<0", L"1"}, {L"1<<63", L"-9223372036854775808"}, {L"1<<64", L"0"}, {L"1<<255", L"0"},
    {L"1<<128", L"0"}, {L"1<<256", L"1"}, {L"1<<257", L"2"}, {L"1<<(0-1)", L"0"},
    {L"1<<(0-193)", L"-9223372036854775808"}, {L"3<<(0-255)", L"6"}, {L"1<<(0-256)", L"1"},
    {L"1<<(0-9223372036854775807-1)", L"1"}, {L"0XFF<<60", L"-1152921504606846976"}, {L"16>>0", L"16"},
    {L"(0-16)>>2", L"-4"},
    {L"(0-5)>>1", L"-3"},  // arithmetic shift rounds toward minus infinity
    {L"(0-1)>>100", L"-1"}, {L"16>>100", L"0"}, {L"16>>64", L"0"}, {L"(0-16)>>64", L"-1"},
    {L"(0-16)>>(0-128)", L"-1"}, {L"16>>256", L"16"}, {L"5>>(0-254)", L"1"},
    {L"(0-9223372036854775807-1)>>63", L"-1"}, {L"9223372036854775807>>63", L"0"},
    {L"9223372036854775807>>62", L"1"},
};

// 0X( shapes the answer only when it is the last thing applied.
const AnswerRow HEX_ANSWER[] = {
    {L"0X(255)", L"0XFF"}, {L"0X(171)", L"0XAB"}, {L"0X(0)", L"0"}, {L"0X(0-1)", L"0XFFFFFFFFFFFFFFFF"},
    {L"0X(0-9223372036854775807-1)", L"0X8000000000000000"}, {L"0X(4294967296)", L"0X100000000"},
    {L"0X(10+5)", L"0XF"}, {L"0X(0X(10))", L"0XA"}, {L"0X(5)+1", L"6"}, {L"1+0X(5)", L"6"},
    {L"0X(1)*0X(2)", L"2"}, {L"~0X(0)", L"-1"},
};

TEST(IntegerMode, PrecedenceAssociationAndBrackets) { ExpectAnswers(INTEGER, PRECEDENCE); }
TEST(IntegerMode, TruncatingDivisionAndWrapAround) { ExpectAnswers(INTEGER, DIVISION_AND_WRAP); }
TEST(IntegerMode, LiteralsTakeAll64Bits) { ExpectAnswers(INTEGER, LITERALS); }
TEST(IntegerMode, ShiftCountsUseLow8Bits) { ExpectAnswers(INTEGER, SHIFTS); }
TEST(IntegerMode, HexAnswerOnlyWhenOutermost) { ExpectAnswers(INTEGER, HEX_ANSWER); }

TEST(IntegerMode, StoresWriteVariableTexts)
{
    // Variables are read while converting, before any store runs.
    const StoreRow rows[] = {
        {L"TOx(0XFF)", L"255", L"255", L"2", L"3"}, {L"TOx(2)*3", L"6", L"2", L"2", L"3"},
        {L"TOy(0-5)", L"-5", L"1", L"-5", L"3"}, {L"TOz(1)+TOz(2)", L"3", L"1", L"2", L"2"},
        {L"x+TOx(5)", L"6", L"5", L"2", L"3"}, {L"TOx(5)+x", L"6", L"5", L"2", L"3"},
        {L"TOx(y)+TOy(x)", L"3", L"2", L"1", L"3"}, {L"0X(TOx(10))", L"0XA", L"10", L"2", L"3"},
        {L"TOx(0X(10))", L"10", L"10", L"2", L"3"},
        {L"TOz(0-9223372036854775807-1)", L"-9223372036854775808", L"1", L"2", L"-9223372036854775808"},
        {L"x*100+y*10+z", L"123", L"1", L"2", L"3"},
    };
    ExpectStores(INTEGER, rows);
}

TEST(IntegerMode, VariableTextsConvertLikeLiterals)
{
    const AnswerRow rows[] = {  // {text of x, value of the formula x}
        {L"-5", L"-5"}, {L"+7", L"7"}, {L"0X10", L"16"},
        {L"0x10", L"0"},  // only upper-case 0X starts a hexadecimal text
        {L"12abc", L"12"}, {L"7.9", L"7"}, {L"", L"0"}, {L"abc", L"0"}, {L"4294967296", L"4294967296"},
        {L"  42", L"42"}, {L"99999999999999999999", L"-1"}, {L"9223372036854775808", L"-9223372036854775808"},
        {L"-9223372036854775808", L"-9223372036854775808"}, {L"0XFFFFFFFFFFFFFFFF", L"-1"},
        // Out of range gives all bits set whatever the sign, as strtoull does.
        {L"-99999999999999999999", L"-1"}, {L"-18446744073709551615", L"1"},
        // Hexadecimal only when the text itself begins with 0X.
        {L" 0X10", L"0"}, {L"-0X10", L"0"}, {L"0Xff", L"255"},
    };
    ExpectVariableTexts(INTEGER, rows);
}

TEST(IntegerMode, RefusalsPutTheCaretUnderTheFault)
{
    const RefusalRow rows[] = {
        {L"-5", 0},  // no unary minus
        {L"  -5", 2}, {L"+", 0}, {L"*5", 0}, {L")", 0}, {L"<<1", 0},
        {L"2(3)", 1},  // no implicit multiplication
        {L"2x", 1}, {L"x2", 1}, {L"x y", 2}, {L"(1)(2)", 3}, {L"x(1)", 1}, {L"5TOx(1)", 1},
        {L"12AB", 2},  // A to F only after 0X
        {L"AB", 0}, {L"1+F", 2}, {L"0x5", 1}, {L"0Xff", 2}, {L"0XAG", 3}, {L"1X", 1}, {L"0 X(5)", 2},
        {L"0X+1", 2},
        {L"0X (5)", 3},   // a blank parts 0X from its bracket
        {L"TOx (5)", 0},  // ... and TOx from its bracket
        {L"TOX(1)", 0}, {L"Tx(1)", 0},
        {L"1 < 2", 3},  // a single < or > points one to the right
        {L"1<2", 2}, {L"1>2", 2}, {L"1< <2", 2},
        {L"(1+2", 4},  // an open bracket points past the end
        {L"((1)", 4}, {L"0X(5", 4}, {L"TOx(", 4}, {L"1+2)", 3}, {L"()", 1}, {L"5+)", 2}, {L"(~)", 2},
        {L"5~", 1}, {L"1+*2", 2}, {L"5*/2", 2},
        {L"1\t+2", 1},  // a tab is not a blank
        {L"1+$", 2}, {L"1+2e", 3}, {L"a", 0}, {L"1+\u00E9", 2}, {L"1\u30002", 1},
        // An operator short of values passes the local check; it is refused
        // just past the last character.
        {L"5+", 2}, {L"~", 1}, {L"5+~", 3}, {L"1<<", 3}, {L"5 + ", 4}, {L"(1+2)*", 6}, {L"0X(5)-", 6},
        {L"TOx(5)+", 7},
    };
    ExpectRefusals(INTEGER, rows);
}

TEST(IntegerMode, DivisionByZeroFails)
{
    const DivisionRow rows[] = {
        {L"5/0", {}}, {L"5%0", {}}, {L"1/(1-1)", {}}, {L"0X(5/0)", {}},
        {L"1/0+1", {}},  // the walk stops at the division
        {L"1/0+", {}}, {L"(0-9223372036854775807-1)%0", {}}, {L"2*(1/0)", {L"m_StackCnt=2"}},
        {L"TOx(5)+1/0", {L"m_StackCnt=2"}},
    };
    ExpectDivisionsByZero(INTEGER, rows);
    // The store ran before the division; the caller just does not copy it back.
    EXPECT_EQ(Calc(INTEGER, L"TOx(5)+1/0", ENGLISH, {L"1", L"", L""}).x, L"5");
}

}  // namespace
