#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>

#include "engine/TextRoutines.h"
#include "engine/TokenCodes.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

TEST(Scanner, FollowsKeywordWantsTheNameRightBeforeTheBracket)
{
    const struct {
        const wchar_t* formula;
        int32_t pos;  // of the "("
        const wchar_t* keyword;
        bool follows;
    } rows[] = {
        {L"TOx(5)", 3, L"TOx(", true},
        {L"TOx (5)", 4, L"TOx(", false},  // a blank parts name and bracket
        {L"(5)", 0, L"TOx(", false},      // nothing before index 0
        {L"x(5)", 1, L"TOx(", false},     // name longer than what precedes
        {L"0X(5)", 2, L"0X(", true}, {L"X(5)", 1, L"0X(", false}, {L"1+0X(5)", 4, L"0X(", true},
        {L"asin(1)", 4, L"sin(", true}, {L"log10(1)", 5, L"log10(", true}, {L"log10(1)", 5, L"log(", false},
        {L"max((1),2)", 3, L"max(", true}, {L"max((1),2)", 4, L"max(", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)) + " at " + std::to_string(row.pos));
        FormulaEngine e;
        SetText(e.m_sBuff, row.formula);
        EXPECT_EQ(e.FollowsKeyword(row.pos, row.keyword), row.follows);
    }
}

TEST(Scanner, TextRoutines)
{
    // StrCopyN copies at most n units and writes nothing beyond n + 1.
    const struct {
        const wchar_t* source;
        size_t n;
        const wchar_t* copied;
    } copies[] = {{L"abcdef", 3, L"abc"}, {L"ab", 3, L"ab"}, {L"abc", 0, L""}};
    for (const auto& copy : copies) {
        wchar_t dest[8];
        std::wmemset(dest, L'#', 8);
        EXPECT_EQ(StrCopyN(dest, copy.source, copy.n), dest);
        EXPECT_STREQ(dest, copy.copied);
        EXPECT_EQ(dest[std::wcslen(copy.copied) + 1], L'#') << testing::PrintToString(copy.source);
    }
    wchar_t text[16];
    EXPECT_EQ(StrLen(L""), 0u);
    EXPECT_EQ(StrLen(L"a\u3000b"), 3u);
    EXPECT_EQ(StrCopy(text, L"12"), text);
    EXPECT_EQ(StrCat(text, L"+3"), text);
    EXPECT_STREQ(text, L"12+3");
    EXPECT_STREQ(StrFill(text, L'_', 4), L"____");
    EXPECT_STREQ(StrFill(text, L'_', 0), L"");
    const wchar_t* formula = L"1+TOx(2)";
    EXPECT_EQ(StrFind(formula, L"TOx"), formula + 2);
    EXPECT_EQ(StrFind(formula, L"TOy"), nullptr);
}

// Last in, first out; a pop from the empty stack changes nothing.
TEST(Scanner, StackPushAndPop)
{
    FormulaEngine e;
    e.StackPush(INT_OPEN, 0, 0.0);
    e.StackPush(0, -7, 0.0);
    e.StackPush(0, 0, 2.5);
    uint32_t kind = 99;
    int64_t n = 99;
    double d = 99.0;
    e.StackPop(kind, n, d);
    EXPECT_EQ(kind, 0u);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(d, 2.5);
    e.StackPop(kind, n, d);
    EXPECT_EQ(n, -7);
    EXPECT_EQ(e.m_StackCnt, 1);
    EXPECT_EQ(e.m_Stack[0].m_Kind, static_cast<uint32_t>(INT_OPEN));

    e.StackPop(kind, n, d);
    kind = 0x1234;
    n = -42;
    d = 4.5;
    e.StackPop(kind, n, d);
    EXPECT_EQ(e.m_StackCnt, 0);
    EXPECT_EQ(kind, 0x1234u);
    EXPECT_EQ(n, -42);
    EXPECT_EQ(d, 4.5);
}

TEST(Scanner, PushConstantOnlyInDecimalMode)
{
    FormulaEngine integer;
    integer.m_IntMode = 1;
    integer.PushConstant(1);
    integer.PushConstant(2);
    EXPECT_EQ(integer.m_QueueCnt, 0);

    FormulaEngine decimal;
    decimal.PushConstant(1);
    decimal.PushConstant(2);
    ASSERT_EQ(decimal.m_QueueCnt, 2);
    EXPECT_EQ(decimal.m_Queue[0].m_dVal, 2.718281828459045);
    EXPECT_EQ(decimal.m_Queue[1].m_dVal, 3.141592653589793);
}

}  // namespace
