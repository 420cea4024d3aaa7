// The engine's reference cases, read from tests/engine/data/cases/*.txt
// (their line kinds are described at the top of decimal.txt and functions.txt),
// and the reference values of tests/engine/data/math.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/DecFunctions.h"
#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "tests/support/DataFile.h"
#include "tests/support/MessageCapture.h"

namespace {

// 0除算　エラー (with an ideographic space) and ^ エラー.
std::wstring DivisionText(bool japanese)
{
    return japanese ? L"0\u9664\u7B97\u3000\u30A8\u30E9\u30FC" : L"division by 0 error";
}

std::wstring CaretLine(size_t pos, bool japanese)
{
    return std::wstring(pos, L'_') + (japanese ? L"^ \u30A8\u30E9\u30FC" : L"^ syntax error");
}

// What the calculation request sees after one calculation.
struct Outcome {
    bool ok = false;
    std::wstring ans, err;
    int32_t errPos = 0;
    std::vector<std::wstring> vars, messages;  // x, y, z afterwards
};

Outcome Calc(bool intMode, const std::wstring& formula, bool japanese = false,
             const std::vector<std::wstring>& vars = {L"", L"", L""})
{
    FormulaEngine engine;
    engine.m_IntMode = intMode;
    engine.m_Japanese = japanese;
    StrCopyN(engine.m_sBuff, formula.c_str(), TEXT_CAPACITY - 1);
    StrCopyN(engine.m_sX, vars[0].c_str(), TEXT_CAPACITY - 1);
    StrCopyN(engine.m_sY, vars[1].c_str(), TEXT_CAPACITY - 1);
    StrCopyN(engine.m_sZ, vars[2].c_str(), TEXT_CAPACITY - 1);
    MessageCapture capture;
    const wchar_t* answer = engine.Calculate();
    if (answer) {
        EXPECT_EQ(answer, engine.m_sAns) << "the answer must point into the engine";
    }
    return {answer != nullptr, engine.m_sAns, engine.m_sErr, engine.m_ErrPos,
            {engine.m_sX, engine.m_sY, engine.m_sZ}, capture.Messages()};
}

double Number(const std::wstring& word)
{
    const std::string text(word.begin(), word.end());
    double value = 0;
    const bool negative = text[0] == '-';
    std::from_chars(text.data() + negative, text.data() + text.size(), value);
    return negative ? -value : value;
}

const DecFunction* FunctionNamed(const std::wstring& name)
{
    for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
        if (DEC_FUNCTIONS[i].name == name + L"(") return &DEC_FUNCTIONS[i];
    }
    return nullptr;
}

// "1+1+...+1" with count ones.
std::wstring Ones(size_t count)
{
    std::wstring formula = L"1";
    for (size_t i = 1; i < count; ++i) formula += L"+1";
    return formula;
}

using Words = std::vector<std::wstring>;

// What the cases of one file share: the mode that "mode" lines set.
struct CaseState {
    bool intMode = false;
};

const Words ONE_TWO_THREE = {L"1", L"2", L"3"};

void CheckMode(const Words& w, CaseState& state)
{
    state.intMode = w[1] == L"I";
}

// answer FORMULA ANSWER; variable TEXT ANSWER: the formula x with x's text.
void CheckAnswer(const Words& w, CaseState& state)
{
    const bool variable = w[0] == L"variable";
    const Outcome out = variable ? Calc(state.intMode, L"x", false, {w[1], L"", L""}) : Calc(state.intMode, w[1]);
    EXPECT_TRUE(out.ok) << testing::PrintToString(out.err);
    EXPECT_EQ(out.ans, w[2]);
    EXPECT_TRUE(out.messages.empty());
    if (variable) EXPECT_EQ(out.vars[0], w[1]);  // reading x never rewrites its text
}

void CheckStore(const Words& w, CaseState& state)
{
    const Outcome out = Calc(state.intMode, w[1], false, ONE_TWO_THREE);
    EXPECT_EQ(out.ok, !out.ans.empty());
    EXPECT_EQ(Words({out.ans, out.vars[0], out.vars[1], out.vars[2]}), Words(w.begin() + 2, w.end()));
}

// refuse FORMULA CARET; divzero FORMULA MESSAGE...: in both languages, with
// x, y and z set, so that a formula naming them fails for its own fault.
void CheckFailure(const Words& w, CaseState& state)
{
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const Outcome out = Calc(state.intMode, w[1], japanese, ONE_TWO_THREE);
        EXPECT_FALSE(out.ok);
        if (w[0] == L"divzero") {
            EXPECT_EQ(out.err, DivisionText(japanese));
            EXPECT_EQ(out.messages, Words(w.begin() + 2, w.end()));
            EXPECT_EQ(out.ans, L"");
            continue;
        }
        const size_t caret = std::stoul(w[2]);
        EXPECT_EQ(out.errPos, static_cast<int32_t>(caret));
        EXPECT_EQ(out.err, CaretLine(caret, japanese));
        EXPECT_TRUE(out.messages.empty());
    }
}

void CheckStackCount(const Words& w, CaseState&)
{
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const Outcome out = Calc(w[1] == L"I", w[2], japanese);
        EXPECT_TRUE(out.ok) << "a non-null, possibly empty answer";
        EXPECT_EQ(out.ans, w[4]);
        EXPECT_EQ(out.messages, Words{w[3]});
        EXPECT_EQ(out.err, L"");
    }
}

// A function after an operator too; name and bracket must not be parted.
void CheckName(const Words& w, CaseState& state)
{
    std::wstring formula = L"1+" + w[1];
    EXPECT_TRUE(Calc(state.intMode, formula).ok);
    const Outcome spaced = Calc(state.intMode, formula.insert(formula.find(L'('), L" "));
    EXPECT_EQ(spaced.err, CaretLine(3, false));
}

void CheckApply(const Words& w, CaseState&)
{
    const DecFunction* function = FunctionNamed(w[1]);
    ASSERT_TRUE(function && (function->apply1 || function->apply2));
    const double got = function->operands == 1 ? function->apply1(Number(w[2]))
                                               : function->apply2(Number(w[2]), Number(w[3]));
    EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(Number(w.back()))) << got;
}

void CheckDms(const Words& w, CaseState&)
{
    wchar_t text[DMS_CAPACITY];
    FormatDms(Number(w[1]), text, DMS_CAPACITY);
    EXPECT_EQ(std::wstring(text), w[2]);
}

void CheckLong(const Words& w, CaseState&)
{
    const std::wstring formula = w[2] + Ones(std::stoul(w[3])) + w[4];
    const size_t caret = w[5][0] == L'=' ? 0 : std::stoul(w[5]);
    for (bool japanese : {false, true}) {
        const Outcome out = Calc(w[1] == L"I", formula, japanese);
        if (w[5][0] == L'=') {
            EXPECT_EQ(Words({out.ans, out.err}), Words({w[5].substr(1), L""}));
            EXPECT_TRUE(out.messages.empty());
            continue;
        }
        EXPECT_EQ(out.errPos, static_cast<int32_t>(caret));
        EXPECT_EQ(out.err, CaretLine(std::min<size_t>(caret, japanese ? 1018 : 1009), japanese));
    }
}

// The line kinds of the case files, by their first word.
struct LineKind {
    const wchar_t* name;
    void (*check)(const Words& words, CaseState& state);
};

constexpr LineKind LINE_KINDS[] = {
    {L"mode", CheckMode},
    {L"answer", CheckAnswer},
    {L"variable", CheckAnswer},
    {L"store", CheckStore},
    {L"refuse", CheckFailure},
    {L"divzero", CheckFailure},
    {L"count", CheckStackCount},
    {L"name", CheckName},
    {L"apply", CheckApply},
    {L"dms", CheckDms},
    {L"long", CheckLong},
};

TEST(EngineCases, EveryCaseOfTheDataFiles)
{
    std::map<std::wstring, size_t> linesOfKind;
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VEXILO_ENGINE_DATA_DIR "/cases")) {
        CaseState state;
        ++files;
        ForEachDataLine(entry.path().string(), [&](const std::vector<std::string>& words) {
            Words wide;
            for (const std::string& word : words) wide.push_back(Utf8ToWide(word));
            const auto kind = std::find_if(std::begin(LINE_KINDS), std::end(LINE_KINDS),
                                           [&](const LineKind& k) { return wide[0] == k.name; });
            ASSERT_NE(kind, std::end(LINE_KINDS)) << "unknown line kind";
            ++linesOfKind[kind->name];
            kind->check(wide, state);
        });
    }
    EXPECT_EQ(files, 4u) << "decimal, entry, functions and integer";
    // A kind whose lines all vanished, or were misspelled, would check nothing.
    for (const LineKind& kind : LINE_KINDS) EXPECT_GT(linesOfKind[kind.name], 0u) << WideToUtf8(kind.name);
}

// Every file of tools/make_math_reference.py holds one function's cases:
// "<name> <argument bits> [<argument bits>] <expected result bits>", each
// double as 16 hexadecimal digits. The engine's answer must have exactly the
// expected bits, on every build.
TEST(MathReference, EveryResultHasTheExpectedBits)
{
    size_t cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VEXILO_ENGINE_DATA_DIR "/math")) {
        ForEachDataLine(entry.path().string(), [&](const std::vector<std::string>& w) {
            const DecFunction* function = FunctionNamed(Utf8ToWide(w[0]));
            ASSERT_TRUE(function && (function->apply1 || function->apply2) && w.size() == function->operands + 2u);
            auto bits = [&](size_t i) { return std::bit_cast<double>(std::strtoull(w[i].c_str(), nullptr, 16)); };
            const double got = w.size() == 3 ? function->apply1(bits(1)) : function->apply2(bits(1), bits(2));
            EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(bits(w.size() - 1))) << std::hex
                << std::bit_cast<uint64_t>(got);
            ++cases;
        });
    }
    EXPECT_GE(cases, 11 * 2000u) << "eleven functions, 2000 cases or more each";
}

}  // namespace
