#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <iomanip>
#include <sstream>
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
inline const std::wstring DIVISION_EN = L"division by 0 error";
inline const std::wstring DIVISION_JA = L"0\u9664\u7B97\u3000\u30A8\u30E9\u30FC";
inline const std::wstring SYNTAX_EN = L"^ syntax error";
inline const std::wstring SYNTAX_JA = L"^ \u30A8\u30E9\u30FC";

inline std::wstring DivisionText(Language lang)
{
    return lang == JAPANESE ? DIVISION_JA : DIVISION_EN;
}

// The caret line as the user sees it under the formula.
inline std::wstring CaretLine(size_t pos, Language lang)
{
    return std::wstring(pos, L'_') + (lang == JAPANESE ? SYNTAX_JA : SYNTAX_EN);
}

inline const char* LanguageName(Language lang)
{
    return lang == JAPANESE ? "Japanese" : "English";
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

inline Outcome Calc(Mode mode, const std::wstring& formula, Language lang = ENGLISH,
                   const Vars& vars = {})
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

    Outcome out;
    out.ok = answer != nullptr;
    if (answer) {
        EXPECT_EQ(answer, engine.m_sAns) << "the answer must point into the engine";
    }
    out.ans = engine.m_sAns;
    out.err = engine.m_sErr;
    out.errPos = engine.m_ErrPos;
    out.x = engine.m_sX;
    out.y = engine.m_sY;
    out.z = engine.m_sZ;
    out.messages = capture.Messages();
    return out;
}

inline void ExpectAnswerText(const std::wstring& actual, const wchar_t* expected)
{
    EXPECT_EQ(actual, expected);
}

// Checks a refusal: null, the caret at pos, the whole caret line, no message box.
inline void ExpectRefused(const Outcome& out, size_t pos, Language lang)
{
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.errPos, static_cast<int32_t>(pos));
    EXPECT_EQ(out.err, CaretLine(pos, lang));
    EXPECT_TRUE(out.messages.empty());
}

// One postfix item as readable text, so that a mismatch shows the whole list.
inline std::string Describe(const FormulaItem& item)
{
    std::ostringstream text;
    text << std::setprecision(17);
    if (item.m_Kind == 0)
        text << "num(" << item.m_nVal << ", " << item.m_dVal << ")";
    else
        text << "op(0x" << std::hex << item.m_Kind << std::dec << ", " << item.m_nVal << ", " << item.m_dVal
             << ")";
    return text.str();
}

inline FormulaItem Num(int64_t n) { return {0, n, 0.0}; }
inline FormulaItem Dec(double d) { return {0, 0, d}; }
inline FormulaItem Op(uint32_t kind) { return {kind, 0, 0.0}; }

// Converts the formula on a fresh engine and compares the whole postfix list.
inline void ExpectPostfix(Mode mode, const std::wstring& formula, const std::vector<FormulaItem>& expected,
                          const Vars& vars = {})
{
    SCOPED_TRACE(formula);
    FormulaEngine engine;
    engine.m_IntMode = mode;
    SetText(engine.m_sBuff, formula);
    SetText(engine.m_sX, vars.x);
    SetText(engine.m_sY, vars.y);
    SetText(engine.m_sZ, vars.z);
    ASSERT_EQ(mode == INTEGER ? engine.IntConvert() : engine.DecConvert(), 0);
    ASSERT_GE(engine.m_QueueCnt, 0);
    ASSERT_LE(static_cast<size_t>(engine.m_QueueCnt), engine.m_Queue.size());

    std::vector<std::string> actual, wanted;
    for (int32_t i = 0; i < engine.m_QueueCnt; ++i) actual.push_back(Describe(engine.m_Queue[i]));
    for (const FormulaItem& item : expected) wanted.push_back(Describe(item));
    EXPECT_EQ(actual, wanted);
    EXPECT_EQ(engine.m_StackCnt, 0) << "the operator stack is emptied at the end";
}

}  // namespace enginetest
