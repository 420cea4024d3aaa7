#include "engine/FormulaEngine.h"

#include "engine/CharClasses.h"
#include "engine/TextRoutines.h"
#include "util/MessageReport.h"

FormulaEngine::FormulaEngine()
{
    for (wchar_t* text : {m_sAns, m_sNum, m_sBuff, m_sX, m_sY, m_sZ, m_sErr}) text[0] = 0;
}

wchar_t* FormulaEngine::Calculate()
{
    wchar_t* answer = nullptr;
    try {
        answer = m_IntMode ? CalcInteger() : CalcDecimal();
    }
    CATCH_AND_REPORT
    return answer;
}

wchar_t* FormulaEngine::CalcInteger()
{
    if (IntConvert() != 0) return nullptr;
    if (IntEvaluate() != 0) return nullptr;
    return m_sAns;
}

wchar_t* FormulaEngine::CalcDecimal()
{
    if (DecConvert() != 0) return nullptr;
    if (DecEvaluate() != 0) return nullptr;
    return m_sAns;
}

int32_t FormulaEngine::ConvertWith(int32_t (FormulaEngine::*scanToken)(int32_t), uint32_t openKind)
{
    m_sNum[0] = 0;
    m_NumLen = 0;
    const auto limit = static_cast<int32_t>(StrLen(m_sBuff)) + 1;  // the terminator is scanned too
    m_ScanPos = 0;
    int32_t result = 0;
    while (result == 0 && m_ScanPos < limit) {
        const int32_t answer = (this->*scanToken)(m_ScanPos);
        if (answer > 0) {
            m_ScanPos += answer;
        } else if (answer == ADVANCE_ONE) {
            ++m_ScanPos;
        } else if (answer == REFUSED) {
            WriteSyntaxError(m_ScanPos);
            result = SYNTAX_ERROR;
        } else {
            PopAllToQueue();
            if (QueueHolds(openKind)) {  // a bracket was left open
                WriteSyntaxError(limit - 1);
                result = SYNTAX_ERROR;
            }
            ++m_ScanPos;
        }
    }
    return result;
}

// The caret line: one underscore per character before the caret, then the
// message. Near the end of a very long formula the line would not fit the
// 1023 units of m_sErr; the run of underscores is then cut so that the
// message itself always stays whole.
void FormulaEngine::WriteSyntaxError(int32_t caretPos)
{
    m_ErrPos = caretPos;
    const wchar_t* format = m_Japanese ? L"%s^ エラー" : L"%s^ syntax error";
    const size_t messageLen = StrLen(format) - 2;  // without the %s
    const size_t room = TEXT_CAPACITY - 1 - messageLen;
    const size_t run = caretPos < 0 ? 0 : static_cast<size_t>(caretPos) < room ? static_cast<size_t>(caretPos) : room;
    wchar_t underscores[TEXT_CAPACITY];
    StrFill(underscores, L'_', run);
    FormatText(m_sErr, TEXT_CAPACITY, format, underscores);
}

void FormulaEngine::WriteDivisionError()
{
    StrCopy(m_sErr, m_Japanese ? L"0除算\u3000エラー" : L"division by 0 error");
}

void FormulaEngine::ReportStackCount() const
{
    MessagePrintf(0, L"m_StackCnt=%d", m_StackCnt);
}

bool FormulaEngine::PopToOpenBracket(uint32_t openKind, bool dropBracket)
{
    while (m_StackCnt > 0) {
        if (m_Stack[m_StackCnt - 1].m_Kind != openKind) {
            MoveStackTopToQueue();
            continue;
        }
        if (dropBracket) {
            uint32_t kind = 0;
            int64_t nVal = 0;
            double dVal = 0.0;
            StackPop(kind, nVal, dVal);
        }
        return true;
    }
    return false;
}

void FormulaEngine::PopAllToQueue()
{
    while (m_StackCnt > 0) MoveStackTopToQueue();
}

bool FormulaEngine::QueueHolds(uint32_t kind) const
{
    for (int32_t i = 0; i < m_QueueCnt; ++i) {
        if (m_Queue[i].m_Kind == kind) return true;
    }
    return false;
}

int32_t FormulaEngine::PreviousNonBlank(int32_t pos) const
{
    int32_t i = pos - 1;
    while (i >= 0 && IsBlank(m_sBuff[i])) --i;
    return i;
}
