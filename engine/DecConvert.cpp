// Decimal mode, stage 1: checks each token against the character before it
// and converts the formula to postfix order in one left-to-right pass.
//
// Tokens: non-negative literals (digits with points, no exponent), pi, e,
// x y z, + - * /, brackets, "," between the arguments of a two-argument
// function, and the 29 function names, each followed directly by "(".
// Blanks are space and backspace.
#include <cwchar>

#include "engine/CharClasses.h"
#include "engine/DecFunctions.h"
#include "engine/FormulaEngine.h"
#include "engine/TokenCodes.h"

namespace {

// What DecCheckLeft asks of the characters before a token, by kind of token.
enum DecRule : int {
    DIGIT = 1,        // a digit
    POINT = 2,        // a decimal point
    NEEDS_VALUE = 3,  // a binary operator or ")"
    COMMA = 4,        // "," between two arguments
    OPENING = 5,      // "(" and the function names
    CONSTANT = 6,     // pi e x y z
};

// Letters that begin a function name, besides e and p.
constexpr const wchar_t* NAME_LETTERS = L"acdfghilmrstT";

// What may follow the constant e.
constexpr const wchar_t* AFTER_E = L" \b),*+-/";

struct DecOperator {
    wchar_t symbol;
    uint32_t code;
    int level;
};

// Binding strength of every operator; a higher level binds tighter.
constexpr DecOperator DEC_OPERATORS[] = {
    {L'*', DEC_MUL, 2}, {L'/', DEC_DIV, 2},
    {L'+', DEC_ADD, 1}, {L'-', DEC_SUB, 1},
};

// Functions bind tighter than every operator.
constexpr int FUNCTION_LEVEL = 3;

// Level of an item on the operator stack; -1 for an opening bracket.
int LevelOf(uint32_t code)
{
    if (code == DEC_OPEN) return -1;
    for (const DecOperator& op : DEC_OPERATORS) {
        if (op.code == code) return op.level;
    }
    return FUNCTION_LEVEL;
}

}  // namespace

int32_t FormulaEngine::DecConvert()
{
    return ConvertWith(&FormulaEngine::DecScanToken, DEC_OPEN);
}

int32_t FormulaEngine::DecScanToken(int32_t pos)
{
    const wchar_t c = m_sBuff[pos];
    const wchar_t* at = m_sBuff + pos;
    auto refuseUnless = [&](int rule) { return DecCheckLeft(rule, pos) != 0; };
    // A letter that begins no known word: the caret goes one to its right.
    auto unknownWord = [&]() {
        m_ScanPos = pos + 1;
        return REFUSED;
    };

    if (c == 0) {
        FlushNumber();
        return AT_END;
    }
    if (IsBlank(c)) {
        FlushNumber();  // a blank ends a number
        return ADVANCE_ONE;
    }
    switch (c) {
    case L'+': case L'-': case L'*': case L'/':
        if (refuseUnless(NEEDS_VALUE)) return REFUSED;
        FlushNumber();
        return DecPushOperator(pos);
    case L'(':
        if (refuseUnless(OPENING)) return REFUSED;
        StackPush(DEC_OPEN, 0, 0.0);
        return ADVANCE_ONE;
    case L')':
        if (refuseUnless(NEEDS_VALUE)) return REFUSED;
        FlushNumber();
        return PopToOpenBracket(DEC_OPEN, true) ? ADVANCE_ONE : REFUSED;
    case L',':
        FlushNumber();
        if (refuseUnless(COMMA)) return REFUSED;
        PopToOpenBracket(DEC_OPEN, false);  // the function's bracket stays
        return ADVANCE_ONE;
    case L'.':
        if (refuseUnless(POINT)) return REFUSED;
        AppendNumChars(pos, 1);
        return 1;
    case L'e':
        if (MatchKeyword(at, L"exp(")) {
            if (refuseUnless(OPENING)) return REFUSED;
            StackPush(DEC_EXP, 0, 0.0);
            return 3;
        }
        if (refuseUnless(CONSTANT)) return REFUSED;
        if (at[1] != 0 && !IsOneOf(at[1], AFTER_E)) return unknownWord();
        PushConstant(1);
        return 1;
    case L'p':
        if (MatchKeyword(at, L"pow(")) {
            if (refuseUnless(OPENING)) return REFUSED;
            StackPush(DEC_POW, 0, 0.0);
            return 3;
        }
        if (MatchKeyword(at, L"pi")) {
            if (refuseUnless(CONSTANT)) return REFUSED;
            PushConstant(2);
            return 2;
        }
        return unknownWord();
    case L'x': case L'y': case L'z':
        if (refuseUnless(CONSTANT)) return REFUSED;
        PushVariable(c - L'x' + 1);
        return ADVANCE_ONE;
    default:
        break;
    }
    if (IsDigit(c)) {
        if (refuseUnless(DIGIT)) return REFUSED;
        AppendNumChars(pos, 1);
        return 1;
    }
    if (IsOneOf(c, NAME_LETTERS)) {
        if (refuseUnless(OPENING)) return REFUSED;
        for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
            const DecFunction& function = DEC_FUNCTIONS[i];
            if (MatchKeyword(at, function.name)) {
                StackPush(function.code, 0, 0.0);
                return static_cast<int32_t>(std::wcslen(function.name)) - 1;  // the "(" is scanned next
            }
        }
        return unknownWord();
    }
    return REFUSED;
}

// 0 when the token at pos may follow what stands before it, nonzero when not.
int32_t FormulaEngine::DecCheckLeft(int rule, int32_t pos)
{
    constexpr int32_t ACCEPTED = 0;
    constexpr int32_t REFUSE = 1;

    if (rule == POINT) {  // a point directly follows a digit: .5 and 1 .5 are refused
        return pos > 0 && IsDigit(m_sBuff[pos - 1]) ? ACCEPTED : REFUSE;
    }

    const int32_t before = PreviousNonBlank(pos);
    if (before < 0) return (rule == NEEDS_VALUE || rule == COMMA) ? REFUSE : ACCEPTED;  // nothing before
    const wchar_t b = m_sBuff[before];
    // A value ends here: a digit, ")", the constant e, a variable, or the i of pi.
    const bool afterValue = b == L')' || IsDigit(b) || IsOneOf(b, L"exyzi");

    switch (rule) {
    case DIGIT:  // a digit: 2x is caught at the x, x2 here
        return IsOneOf(b, L"()*+,-./") || IsDigit(b) ? ACCEPTED : REFUSE;
    case NEEDS_VALUE:  // a binary operator or ")": -1 and (+1 are refused
        return afterValue ? ACCEPTED : REFUSE;
    case COMMA: {  // ",": only inside the bracket of a two-argument function, sin(1,2) is refused
        if (!afterValue) return REFUSE;
        int depth = 1;
        int32_t i = pos - 1;
        for (; i >= 0; --i) {
            if (m_sBuff[i] == L')') ++depth;
            else if (m_sBuff[i] == L'(' && --depth == 0) break;
        }
        if (i < 0) return REFUSE;
        static const wchar_t* const TWO_ARGUMENT_NAMES[] = {L"logbase(", L"min(", L"hypot(", L"max(", L"pow("};
        for (const wchar_t* name : TWO_ARGUMENT_NAMES) {
            if (FollowsKeyword(i, name)) return ACCEPTED;
        }
        return REFUSE;
    }
    case OPENING:  // "(" and names: 2(3), 2sin(1) and sin (1) are refused
        if (IsOneOf(b, L"(*+,-/")) return ACCEPTED;
        if (m_sBuff[pos] != L'(') return REFUSE;
        for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
            if (FollowsKeyword(pos, DEC_FUNCTIONS[i].name)) return ACCEPTED;
        }
        return REFUSE;
    case CONSTANT:  // pi, e, x, y, z: 2pi and (1)x are refused
        return IsOneOf(b, L"(*+,-/") ? ACCEPTED : REFUSE;
    default:
        return REFUSE;
    }
}

// Operator-precedence conversion; every binary operator associates to the
// left, and * / bind tighter than + -. Functions are popped by any operator.
int32_t FormulaEngine::DecPushOperator(int32_t pos)
{
    const wchar_t c = m_sBuff[pos];
    for (const DecOperator& op : DEC_OPERATORS) {
        if (op.symbol != c) continue;
        while (m_StackCnt > 0 && LevelOf(m_Stack[m_StackCnt - 1].m_Kind) >= op.level) MoveStackTopToQueue();
        StackPush(op.code, 0, 0.0);
    }
    return 1;
}
