// Decimal mode, stage 2: runs the postfix list on a stack of doubles.
// Only a division by zero fails; values outside a function's domain become
// NaN or an infinity and the formula carries on with them.
#include "engine/DecFunctions.h"
#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "engine/TokenCodes.h"

namespace {

int32_t OperandCount(uint32_t code)
{
    switch (code) {
    case DEC_MUL: case DEC_DIV: case DEC_ADD: case DEC_SUB: return 2;
    default: {
        const DecFunction* function = FindDecFunction(code);
        return function ? function->operands : 0;
    }
    }
}

double ApplyOperator(uint32_t code, double a, double b)
{
    switch (code) {
    case DEC_MUL: return a * b;
    case DEC_DIV: return a / b;
    case DEC_ADD: return a + b;
    default: return a - b;
    }
}

}  // namespace

int32_t FormulaEngine::DecEvaluate()
{
    int32_t result = 0;
    bool numericAnswer = true;  // off after dms( until another item switches it on
    for (int32_t i = 0; i < m_QueueCnt && result == 0; ++i) {
        const FormulaItem item = m_Queue[i];
        if (item.m_Kind == TOKEN_NUMBER) {
            StackPush(item.m_Kind, item.m_nVal, item.m_dVal);
            continue;
        }
        numericAnswer = true;
        const int32_t needed = OperandCount(item.m_Kind);
        if (needed == 0) continue;

        // A trailing operator (1+) or a two-argument function given one
        // argument (max(1)) passes the syntax check with too few values; it
        // is refused like an unfinished formula.
        if (m_StackCnt < needed) {
            WriteSyntaxError(static_cast<int32_t>(StrLen(m_sBuff)));
            return SYNTAX_ERROR;
        }

        double& top = m_Stack[m_StackCnt - 1].m_dVal;
        switch (item.m_Kind) {
        case DEC_DMS: {
            wchar_t dms[DMS_CAPACITY];
            FormatDms(top, dms, DMS_CAPACITY);
            FormatText(m_sAns, TEXT_CAPACITY, L"%s", dms);
            numericAnswer = false;
            break;
        }
        case DEC_TO_X: FormatText(m_sX, TEXT_CAPACITY, L"%.15g", top); break;
        case DEC_TO_Y: FormatText(m_sY, TEXT_CAPACITY, L"%.15g", top); break;
        case DEC_TO_Z: FormatText(m_sZ, TEXT_CAPACITY, L"%.15g", top); break;
        default: {
            if (needed == 1) {
                top = FindDecFunction(item.m_Kind)->apply1(top);
                break;
            }
            uint32_t kind = 0;
            int64_t unused = 0;
            double b = 0.0;
            StackPop(kind, unused, b);
            if (item.m_Kind == DEC_DIV && b == 0) {  // also -0
                WriteDivisionError();
                numericAnswer = false;
                result = DIVISION_BY_ZERO;
                break;
            }
            double& a = m_Stack[m_StackCnt - 1].m_dVal;  // the pop moved the top
            const DecFunction* function = FindDecFunction(item.m_Kind);
            a = function ? function->apply2(a, b) : ApplyOperator(item.m_Kind, a, b);
            break;
        }
        }
    }

    if (m_StackCnt != 1) ReportStackCount();
    else if (numericAnswer) FormatText(m_sAns, TEXT_CAPACITY, L"%.15g", m_Stack[0].m_dVal);
    return result;
}
