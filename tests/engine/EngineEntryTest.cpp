#include <gtest/gtest.h>

#include <string>

#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

struct CountRow {
    Mode mode;
    const wchar_t* formula;
    const wchar_t* message;
    const wchar_t* answer;  // what an earlier step left in the answer
};

// A count other than one is reported but is no failure; the message reads
// the same in both languages.
TEST(EngineEntry, StackCountOtherThanOneIsReported)
{
    const CountRow rows[] = {
        {INTEGER, L"", L"m_StackCnt=0", L""}, {INTEGER, L"   ", L"m_StackCnt=0", L""},
        {INTEGER, L"1 2", L"m_StackCnt=2", L""}, {INTEGER, L"(1)2", L"m_StackCnt=2", L""},
        {INTEGER, L"1 2 3", L"m_StackCnt=3", L""},
        {INTEGER, L"0X(1) 2", L"m_StackCnt=2", L"0X2"},  // 0X( waits on the stack: 1 2 0X(
        {DECIMAL, L"", L"m_StackCnt=0", L""}, {DECIMAL, L"1 2", L"m_StackCnt=2", L""},
        {DECIMAL, L"(1)2", L"m_StackCnt=2", L""}, {DECIMAL, L"sin(1) 2", L"m_StackCnt=2", L""},
        {DECIMAL, L"max(1,2,3)", L"m_StackCnt=2", L""}, {DECIMAL, L"hypot(1,2,3,4)", L"m_StackCnt=3", L""},
        {DECIMAL, L"dms(1) 2", L"m_StackCnt=2", L"114\u00B035\u203229.613\u2033"},  // 1 2 dms(
    };
    for (Language lang : LANGUAGES) {
        for (const CountRow& row : rows) {
            SCOPED_TRACE(Traced(row.formula, lang) + (row.mode == INTEGER ? " Integer" : " Decimal"));
            const Outcome out = Calc(row.mode, row.formula, lang);
            EXPECT_TRUE(out.ok) << "a non-null, possibly empty answer";
            EXPECT_EQ(out.ans, row.answer);
            EXPECT_EQ(out.messages, std::vector<std::wstring>{row.message});
            EXPECT_EQ(out.err, L"");
        }
    }
}

// "1+1+...+1" with count ones.
std::wstring Ones(size_t count)
{
    std::wstring formula = L"1";
    for (size_t i = 1; i < count; ++i) formula += L"+1";
    return formula;
}

TEST(EngineEntry, FormulaOf1023CharactersCalculates)
{
    const std::wstring formula = Ones(512);
    ASSERT_EQ(formula.size(), 1023u);
    for (Mode mode : {INTEGER, DECIMAL}) {
        SCOPED_TRACE(mode == INTEGER ? "integer" : "decimal");
        const Outcome out = Calc(mode, formula);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.ans, L"512");
        EXPECT_TRUE(out.messages.empty());
    }
}

struct LongRow {
    std::wstring formula;
    Mode mode;
    size_t caret;
};

// A caret far right keeps the whole message and gives up underscores, so
// the text never exceeds 1023 units; m_ErrPos keeps the true place.
TEST(EngineEntry, LongCaretLineIsCutToFit)
{
    const LongRow rows[] = {
        {Ones(505) + L"$", INTEGER, 1009},    // English just fits
        {Ones(505) + L"+$", INTEGER, 1010},   // English loses an underscore
        {Ones(509) + L"+$", INTEGER, 1018},   // Japanese just fits
        {Ones(510) + L"$", INTEGER, 1019},    // Japanese loses an underscore
        {Ones(510) + L"+1$", INTEGER, 1021},
        {L"(" + Ones(511), INTEGER, 1022},    // open bracket: caret past the end
        {L"((" + Ones(510) + L"+1", INTEGER, 1023},
        {Ones(511) + L"+ ", INTEGER, 1023},   // too few values: caret past the end
        {Ones(511) + L"+", DECIMAL, 1022}, {Ones(510) + L"+q", DECIMAL, 1020},
        {Ones(509) + L"+e2", DECIMAL, 1019},  // one right of an e that ends nothing
        {Ones(510) + L"+abs", DECIMAL, 1021}, // one right of a letter that starts no name
        {L"(" + Ones(511) + L"+", DECIMAL, 1023},
    };
    for (Language lang : LANGUAGES) {
        const size_t room = lang == JAPANESE ? 1018 : 1009;  // 1023 less the message
        for (const LongRow& row : rows) {
            ASSERT_LE(row.formula.size(), 1023u);
            SCOPED_TRACE(std::to_string(row.formula.size()) + " units, caret " + std::to_string(row.caret)
                         + (lang == JAPANESE ? " Japanese" : " English"));
            const Outcome out = Calc(row.mode, row.formula, lang);
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.errPos, static_cast<int32_t>(row.caret));
            EXPECT_EQ(out.err, CaretLine(std::min(row.caret, room), lang));
            EXPECT_LE(out.err.size(), 1023u);
        }
    }
}

}  // namespace
