#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <span>
#include <string>
#include <vector>

#include "engine/FormulaEngine.h"
#include "tests/support/MessageCapture.h"

namespace enginetest {

enum Mode { DECIMAL = 0, INTEGER = 1 };
enum Language { ENGLISH = 0, JAPANESE = 1 };
constexpr Language LANGUAGES[] = {ENGLISH, JAPANESE};

// Non-ASCII texts are spelt with escapes so the sources read the same to
// every compiler: 0除算　エラー (with an ideographic space), ^ エラー, ° ′ ″.
inline std::wstring DivisionText(Language lang)
{
    return lang == JAPANESE ? L"0\u9664\u7B97\u3000\u30A8\u30E9\u30FC" : L"division by 0 error";
}

// The caret line as the user sees it under the formula.
inline std::wstring CaretLine(size_t pos, Language lang)
{
    return std::wstring(pos, L'_') + (lang == JAPANESE ? L"^ \u30A8\u30E9\u30FC" : L"^ syntax error");
}

inline std::string Traced(const std::wstring& formula, Language lang)
{
    return testing::PrintToString(formula) + (lang == JAPANESE ? " Japanese" : " English");
}

// Fills a text field the way the caller does: at most 1023 units.
inline void SetText(wchar_t* dest, const std::wstring& text)
{
    const size_t n = std::min(text.size(), static_cast<size_t>(TEXT_CAPACITY - 1));
    std::wmemcpy(dest, text.data(), n);
    dest[n] = L'\0';
}

struct Vars {
    std::wstring x, y, z;
};

// What the calculation request would see after one calculation.
struct Outcome {
    bool ok = false;
    std::wstring ans;
    std::wstring err;
    int32_t errPos = 0;
    std::wstring x, y, z;
    std::vector<std::wstring> messages;
};

inline Outcome Calc(Mode mode, const std::wstring& formula, Language lang = ENGLISH, const Vars& vars = {})
{
    FormulaEngine engine;
    engine.m_IntMode = mode;
    engine.m_Japanese = lang;
    SetText(engine.m_sBuff, formula);
    SetText(engine.m_sX, vars.x);
    SetText(engine.m_sY, vars.y);
    SetText(engine.m_sZ, vars.z);

    MessageCapture capture;
    const wchar_t* answer = engine.Calculate();
    if (answer) {
        EXPECT_EQ(answer, engine.m_sAns) << "the answer must point into the engine";
    }
    return {answer != nullptr, engine.m_sAns, engine.m_sErr, engine.m_ErrPos,
            engine.m_sX, engine.m_sY, engine.m_sZ, capture.Messages()};
}

// Checks a refusal: null, the caret at pos, the whole caret line, no message box.
inline void ExpectRefused(const Outcome& out, size_t pos, Language lang)
{
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.errPos, static_cast<int32_t>(pos));
    EXPECT_EQ(out.err, CaretLine(pos, lang));
    EXPECT_TRUE(out.messages.empty());
}

// The table walkers both modes share. An answer row reads {formula, answer};
// for the variable tables {text of x, value of the formula x}.
struct AnswerRow {
    const wchar_t* formula;
    const wchar_t* answer;
};

inline void ExpectAnswers(Mode mode, std::span<const AnswerRow> rows)
{
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)));
        const Outcome out = Calc(mode, row.formula);
        EXPECT_TRUE(out.ok) << testing::PrintToString(out.err);
        EXPECT_EQ(out.ans, row.answer);
        EXPECT_TRUE(out.messages.empty());
    }
}

// Reading x never rewrites its text.
inline void ExpectVariableTexts(Mode mode, std::span<const AnswerRow> rows)
{
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)));
        const Outcome out = Calc(mode, L"x", ENGLISH, {row.formula, L"", L""});
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.ans, row.answer);
        EXPECT_EQ(out.x, row.formula);
    }
}

// With x, y and z at 1, 2 and 3: the answer and the variable texts afterwards.
struct StoreRow {
    const wchar_t* formula;
    const wchar_t* answer;
    const wchar_t *x, *y, *z;
};

inline void ExpectStores(Mode mode, std::span<const StoreRow> rows)
{
    for (const StoreRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.formula)));
        const Outcome out = Calc(mode, row.formula, ENGLISH, {L"1", L"2", L"3"});
        EXPECT_TRUE(out.ok);
        EXPECT_EQ((std::vector<std::wstring>{out.ans, out.x, out.y, out.z}),
                  (std::vector<std::wstring>{row.answer, row.x, row.y, row.z}));
    }
}

struct RefusalRow {
    const wchar_t* formula;
    size_t caret;
};

// In both languages, with x, y and z set, so that a formula naming them
// is refused for its own fault.
inline void ExpectRefusals(Mode mode, std::span<const RefusalRow> rows)
{
    for (Language lang : LANGUAGES) {
        for (const RefusalRow& row : rows) {
            SCOPED_TRACE(Traced(row.formula, lang));
            ExpectRefused(Calc(mode, row.formula, lang, {L"1", L"2", L"3"}), row.caret, lang);
        }
    }
}

struct DivisionRow {
    const wchar_t* formula;
    std::vector<std::wstring> messages;
};

inline void ExpectDivisionsByZero(Mode mode, std::span<const DivisionRow> rows)
{
    for (Language lang : LANGUAGES) {
        for (const DivisionRow& row : rows) {
            SCOPED_TRACE(Traced(row.formula, lang));
            const Outcome out = Calc(mode, row.formula, lang);
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.err, DivisionText(lang));
            EXPECT_EQ(out.messages, row.messages);
            EXPECT_EQ(out.ans, L"");
        }
    }
}

}  // namespace enginetest
