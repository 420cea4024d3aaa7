#pragma once
#include <array>
#include <string>
#include <vector>

// One calculation as a user asks for it, from the window's Calc button or a
// line of vexilo-calc: the length check, the engine run, and the texts that
// the answer field and the log show afterwards.

// What the answer field shows after a failed calculation. The misspelling is
// deliberate: it is what the program has always shown, and what users and
// their scripts look for.
inline constexpr wchar_t FAILED_ANSWER[] = L"Erorr";

// Longest formula, in UTF-16 units, that the engine takes.
inline constexpr size_t FORMULA_MAX_LENGTH = 1023;

struct CalculationRequest {
    std::wstring formula;
    bool intMode = false;
    bool japanese = false;  // language of the engine's texts
    std::array<std::wstring, 3> variables;  // x, y, z; the engine reads FORMULA_MAX_LENGTH units at most
};

struct CalculationResult {
    enum class Outcome { ANSWERED, REFUSED, TOO_LONG };
    Outcome outcome = Outcome::REFUSED;
    // The answer, FAILED_ANSWER after a refusal, empty for a formula too long.
    std::wstring answerText;
    // The log's lines: "Ans=[answer]", or the formula and the error text.
    std::vector<std::wstring> logLines;
    // The message for a formula too long, in the request's language; else empty.
    std::wstring message;
    // x, y and z after an answer, as the store functions left them;
    // otherwise the request's texts.
    std::array<std::wstring, 3> variables;
};

CalculationResult Calculate(const CalculationRequest& request);

// The message for a formula longer than FORMULA_MAX_LENGTH units.
const wchar_t* FormulaTooLongMessage(bool japanese);
