// Integer mode, stage 1: checks each token against the character before it
// and converts the formula to postfix order in one left-to-right pass.
//
// Tokens: numbers (decimal, or hexadecimal after 0X with digits 0-9 A-F), the
// variables x y z, + - * / % & | ^ << >> ~, brackets, and the prefix
// functions 0X( TOx( TOy( TOz(. Blanks are space and backspace.
#include "engine/CharClasses.h"
#include "engine/FormulaEngine.h"
#include "engine/TokenCodes.h"

namespace {

// What IntCheckLeft asks of the characters before a token, by kind of token.
enum IntRule : int {
    LITERAL_DIGIT = 1,  // a digit, or the 0X of a literal
    HEX_LETTER = 2,     // A-F, inside a 0X literal only
    NEEDS_VALUE = 3,    // a binary operator or ")"
    COMPLEMENT = 4,     // ~
    OPENING = 5,        // "(" and the prefix functions
    VARIABLE = 6,       // x y z
};

// What may precede a token, by the rules of IntCheckLeft.
constexpr const wchar_t* OPERATORS = L"%&(*+-/<>^|~";
constexpr const wchar_t* OPERATORS_AND_CLOSE = L"%&()*+-/<>^|~";

struct IntOperator {
    wchar_t symbol;
    uint32_t code;
    int level;
};

// Binding strength of every operator; a higher level binds tighter.
constexpr IntOperator INT_OPERATORS[] = {
    {L'~', INT_NOT, 6},
    {L'*', INT_MUL, 5}, {L'/', INT_DIV, 5}, {L'%', INT_MOD, 5},
    {L'+', INT_ADD, 4}, {L'-', INT_SUB, 4},
    {L'<', INT_SHL, 3}, {L'>', INT_SHR, 3},
    {L'&', INT_AND, 2},
    {L'^', INT_XOR, 1},
    {L'|', INT_OR, 0},
};

constexpr int PREFIX_FUNCTION_LEVEL = 7;

// Level of an item on the operator stack; -1 for an opening bracket.
int LevelOf(uint32_t code)
{
    if (code >= INT_HEX && code <= INT_TO_Z) return PREFIX_FUNCTION_LEVEL;
    for (const IntOperator& op : INT_OPERATORS) {
        if (op.code == code) return op.level;
    }
    return -1;
}

}  // namespace

int32_t FormulaEngine::IntConvert()
{
    return ConvertWith(&FormulaEngine::IntScanToken, INT_OPEN);
}

int32_t FormulaEngine::IntScanToken(int32_t pos)
{
    const wchar_t c = m_sBuff[pos];
    const wchar_t* at = m_sBuff + pos;
    auto refuseUnless = [&](int rule) { return IntCheckLeft(rule, pos) != 0; };

    if (c == 0) {
        FlushNumber();
        return AT_END;
    }
    if (IsBlank(c)) {
        FlushNumber();  // a blank ends a number
        return ADVANCE_ONE;
    }
    switch (c) {
    case L'+': case L'-': case L'*': case L'/': case L'%': case L'&': case L'^': case L'|':
        if (refuseUnless(NEEDS_VALUE)) return REFUSED;
        FlushNumber();
        return IntPushOperator(pos);
    case L'<': case L'>':
        if (refuseUnless(NEEDS_VALUE)) return REFUSED;
        if (at[1] != c) {  // a single < or >: the caret goes under what follows
            m_ScanPos = pos + 1;
            return REFUSED;
        }
        FlushNumber();
        return IntPushOperator(pos);
    case L'~':
        if (refuseUnless(COMPLEMENT)) return REFUSED;
        FlushNumber();
        return IntPushOperator(pos);
    case L'(':
        if (refuseUnless(OPENING)) return REFUSED;
        StackPush(INT_OPEN, 0, 0.0);
        return ADVANCE_ONE;
    case L')':
        if (refuseUnless(NEEDS_VALUE)) return REFUSED;
        FlushNumber();
        return PopToOpenBracket(INT_OPEN, true) ? ADVANCE_ONE : REFUSED;
    case L'0':
        if (MatchKeyword(at, L"0X(")) {
            if (refuseUnless(OPENING)) return REFUSED;
            StackPush(INT_HEX, 0, 0.0);
            return 2;
        }
        if (refuseUnless(LITERAL_DIGIT)) return REFUSED;
        if (MatchKeyword(at, L"0X")) {
            AppendNumChars(pos, 2);
            return 2;
        }
        AppendNumChars(pos, 1);
        return 1;
    case L'T':
        if (refuseUnless(OPENING)) return REFUSED;
        if (MatchKeyword(at, L"TOx(")) StackPush(INT_TO_X, 0, 0.0);
        else if (MatchKeyword(at, L"TOy(")) StackPush(INT_TO_Y, 0, 0.0);
        else if (MatchKeyword(at, L"TOz(")) StackPush(INT_TO_Z, 0, 0.0);
        else return REFUSED;
        return 3;
    case L'x': case L'y': case L'z':
        if (refuseUnless(VARIABLE)) return REFUSED;
        PushVariable(c - L'x' + 1);
        return ADVANCE_ONE;
    default:
        break;
    }
    if (IsDigit(c)) {
        if (refuseUnless(LITERAL_DIGIT)) return REFUSED;
        AppendNumChars(pos, 1);
        return 1;
    }
    if (IsHexLetter(c)) {
        if (refuseUnless(HEX_LETTER)) return REFUSED;
        AppendNumChars(pos, 1);
        return 1;
    }
    return REFUSED;
}

// 0 when the token at pos may follow what stands before it, -1 when not.
int32_t FormulaEngine::IntCheckLeft(int rule, int32_t pos)
{
    constexpr int32_t ACCEPTED = 0;
    constexpr int32_t REFUSE = -1;

    if (rule == HEX_LETTER) {
        // A letter A-F continues a hexadecimal literal: walking left over its
        // digits must reach the X of a 0X (so 12AB is refused at the A).
        int32_t i = pos - 1;
        while (i >= 0 && (IsDigit(m_sBuff[i]) || IsHexLetter(m_sBuff[i]))) --i;
        return (i >= 1 && m_sBuff[i] == L'X' && m_sBuff[i - 1] == L'0') ? ACCEPTED : REFUSE;
    }

    const int32_t before = PreviousNonBlank(pos);
    if (before < 0) return rule == NEEDS_VALUE ? REFUSE : ACCEPTED;  // nothing before
    const wchar_t b = m_sBuff[before];

    switch (rule) {
    case LITERAL_DIGIT:  // a digit, or the 0X of a literal: 5+1, (1)2, 0X1F
        return IsOneOf(b, OPERATORS_AND_CLOSE) || IsDigit(b) || IsHexLetter(b) || b == L'X' ? ACCEPTED : REFUSE;
    case NEEDS_VALUE:  // a binary operator or ")": needs a value before it, so -5 and (+1 are refused
        return b == L')' || IsDigit(b) || IsHexLetter(b) || IsVariable(b) ? ACCEPTED : REFUSE;
    case COMPLEMENT:  // ~ stands where a value may start, ~~5 included; 5~ is refused
    case VARIABLE:  // x y z likewise: 2x and (1)x are refused
        return IsOneOf(b, OPERATORS) ? ACCEPTED : REFUSE;
    case OPENING:  // "(" and prefix functions: 2(3) is refused, 0X( and TOx( bind their own bracket
        if (IsOneOf(b, OPERATORS)) return ACCEPTED;
        if (b == L'X' && FollowsKeyword(pos, L"0X(")) return ACCEPTED;
        if (b == L'x' && FollowsKeyword(pos, L"TOx(")) return ACCEPTED;
        if (b == L'y' && FollowsKeyword(pos, L"TOy(")) return ACCEPTED;
        if (b == L'z' && FollowsKeyword(pos, L"TOz(")) return ACCEPTED;
        return REFUSE;
    default:
        return REFUSE;
    }
}

// Operator-precedence conversion; every binary operator associates to the left.
int32_t FormulaEngine::IntPushOperator(int32_t pos)
{
    const wchar_t c = m_sBuff[pos];
    const IntOperator* op = nullptr;
    for (const IntOperator& candidate : INT_OPERATORS) {
        if (candidate.symbol == c) op = &candidate;
    }
    if (!op) return 1;
    const int32_t length = (c == L'<' || c == L'>') ? 2 : 1;

    // A complement never pops a complement: ~~5 keeps both.
    if (op->code != INT_NOT) {
        while (m_StackCnt > 0 && LevelOf(m_Stack[m_StackCnt - 1].m_Kind) >= op->level) MoveStackTopToQueue();
    }
    StackPush(op->code, 0, 0.0);
    return length;
}
