// Integer mode, stage 2: runs the postfix list on a stack of 64-bit values.
// Arithmetic wraps around modulo 2^64 and never overflows a signed type.
#include <cstdint>

#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "engine/TokenCodes.h"

namespace {

int64_t Wrap(uint64_t bits)
{
    return static_cast<int64_t>(bits);
}

// The shift count is the low 8 bits of b; counts of 64 and more shift
// everything out.
int64_t ShiftLeft(int64_t a, int64_t b)
{
    const unsigned count = static_cast<uint64_t>(b) & 0xFF;
    return count >= 64 ? 0 : Wrap(static_cast<uint64_t>(a) << count);
}

// Arithmetic shift: the sign bit fills the vacated places.
int64_t ShiftRight(int64_t a, int64_t b)
{
    const unsigned count = static_cast<uint64_t>(b) & 0xFF;
    if (count >= 64) return a < 0 ? -1 : 0;
    return a >> count;
}

// Applies a binary operator; b is not zero for / and %.
int64_t Apply(uint32_t code, int64_t a, int64_t b)
{
    const auto ua = static_cast<uint64_t>(a);
    const auto ub = static_cast<uint64_t>(b);
    switch (code) {
    case INT_MUL: return Wrap(ua * ub);
    case INT_DIV: return (a == INT64_MIN && b == -1) ? INT64_MIN : a / b;  // the one quotient that overflows
    case INT_MOD: return (b == -1) ? 0 : a % b;
    case INT_ADD: return Wrap(ua + ub);
    case INT_SUB: return Wrap(ua - ub);
    case INT_SHL: return ShiftLeft(a, b);
    case INT_SHR: return ShiftRight(a, b);
    case INT_AND: return a & b;
    case INT_OR: return a | b;
    case INT_XOR: return a ^ b;
    default: return a;
    }
}

// Values an item takes off the stack; 0 for codes that do nothing.
int32_t OperandCount(uint32_t code)
{
    if (code == INT_NOT || (code >= INT_HEX && code <= INT_TO_Z)) return 1;
    if (code >= INT_MUL && code <= INT_XOR) return 2;
    return 0;
}

}  // namespace

int32_t FormulaEngine::IntEvaluate()
{
    int32_t result = 0;
    bool decimalAnswer = true;  // off after 0X( until another item switches it on
    for (int32_t i = 0; i < m_QueueCnt && result == 0; ++i) {
        const FormulaItem item = m_Queue[i];
        if (item.m_Kind == TOKEN_NUMBER) {
            StackPush(item.m_Kind, item.m_nVal, item.m_dVal);
            continue;
        }
        decimalAnswer = true;
        const int32_t needed = OperandCount(item.m_Kind);
        if (needed == 0) continue;

        // A formula that ends in an operator (5+, 5+~, ~) passes the syntax
        // check with too few values; it is refused like an unfinished formula.
        if (m_StackCnt < needed) {
            WriteSyntaxError(static_cast<int32_t>(StrLen(m_sBuff)));
            return SYNTAX_ERROR;
        }

        int64_t& top = m_Stack[m_StackCnt - 1].m_nVal;
        const auto printable = static_cast<long long>(top);
        switch (item.m_Kind) {
        case INT_HEX:
            FormatText(m_sAns, TEXT_CAPACITY, L"%#I64X", printable);
            decimalAnswer = false;
            break;
        case INT_TO_X: FormatText(m_sX, TEXT_CAPACITY, L"%I64d", printable); break;
        case INT_TO_Y: FormatText(m_sY, TEXT_CAPACITY, L"%I64d", printable); break;
        case INT_TO_Z: FormatText(m_sZ, TEXT_CAPACITY, L"%I64d", printable); break;
        case INT_NOT: top = ~top; break;
        default: {
            uint32_t kind = 0;
            int64_t b = 0;
            double unused = 0.0;
            StackPop(kind, b, unused);
            if (b == 0 && (item.m_Kind == INT_DIV || item.m_Kind == INT_MOD)) {
                WriteDivisionError();
                decimalAnswer = false;
                result = DIVISION_BY_ZERO;
                break;
            }
            int64_t& a = m_Stack[m_StackCnt - 1].m_nVal;  // the pop moved the top
            a = Apply(item.m_Kind, a, b);
            break;
        }
        }
    }

    if (m_StackCnt != 1) ReportStackCount();
    else if (decimalAnswer) FormatText(m_sAns, TEXT_CAPACITY, L"%I64d", static_cast<long long>(m_Stack[0].m_nVal));
    return result;
}
