#pragma once
#include <cstdint>
#include <vector>

#include "util/TextFormat.h"

// One entry of the postfix list and of the work stack.
struct FormulaItem {
    uint32_t m_Kind;  // TOKEN_NUMBER or a code of engine/TokenCodes.h
    int64_t m_nVal;   // value of an Integer-mode number, else 0
    double m_dVal;    // value of a Decimal-mode number, else 0.0
};

// One calculation. The caller fills m_sBuff, m_IntMode, m_Japanese and the
// variable texts, calls Calculate once, then reads m_sAns and the variables
// (success) or m_sErr (failure). Nothing is kept between calculations.
class FormulaEngine {
public:
    FormulaEngine();

    // The answer text, or null when the formula was refused or divided by zero.
    wchar_t* Calculate();

    // What the caller fills in.
    wchar_t m_sBuff[TEXT_CAPACITY];  // the formula
    int32_t m_IntMode = 0;   // nonzero: Integer mode
    int32_t m_Japanese = 0;  // nonzero: messages in Japanese
    // The variables: read by the formula, rewritten by its store functions.
    wchar_t m_sX[TEXT_CAPACITY];
    wchar_t m_sY[TEXT_CAPACITY];
    wchar_t m_sZ[TEXT_CAPACITY];

    // What the calculation leaves.
    wchar_t m_sAns[TEXT_CAPACITY];
    wchar_t m_sErr[TEXT_CAPACITY];
    int32_t m_ErrPos = 0;  // caret position of a syntax error

private:
    // Stage results besides 0 (success).
    static constexpr int32_t SYNTAX_ERROR = -2;
    static constexpr int32_t DIVISION_BY_ZERO = -1;
    // Answers of the token scanners besides a positive advance.
    static constexpr int32_t ADVANCE_ONE = 0;
    static constexpr int32_t AT_END = -1;
    static constexpr int32_t REFUSED = -2;

    int32_t m_ScanPos = 0;  // character the syntax check is looking at
    wchar_t m_sNum[TEXT_CAPACITY];  // number literal being collected
    int32_t m_NumLen = 0;
    std::vector<FormulaItem> m_Queue;  // the formula in postfix order
    int32_t m_QueueCnt = 0;
    std::vector<FormulaItem> m_Stack;  // operators while converting, values while evaluating
    int32_t m_StackCnt = 0;

    // The pipelines: convert to postfix (0 or -2), then evaluate (0, -1 or -2).
    wchar_t* CalcInteger();
    wchar_t* CalcDecimal();
    int32_t IntConvert();
    int32_t IntScanToken(int32_t pos);
    int32_t IntCheckLeft(int rule, int32_t pos);
    int32_t IntPushOperator(int32_t pos);
    int32_t IntEvaluate();
    int32_t DecConvert();
    int32_t DecScanToken(int32_t pos);
    int32_t DecCheckLeft(int rule, int32_t pos);
    int32_t DecPushOperator(int32_t pos);
    int32_t DecEvaluate();

    // The conversion loop both modes share: scans token after token and
    // turns the scanner's answers into the result of the conversion.
    int32_t ConvertWith(int32_t (FormulaEngine::*scanToken)(int32_t), uint32_t openKind);

    // Item lists. A failed allocation is reported and leaves the list as it was.
    void QueuePush(uint32_t kind, int64_t nVal, double dVal);
    void StackPush(uint32_t kind, int64_t nVal, double dVal);
    void StackPop(uint32_t& kind, int64_t& nVal, double& dVal);
    // Moves the operator on top of the stack to the end of the postfix list.
    void MoveStackTopToQueue();
    // Pops every operator down to the innermost open bracket; false when
    // the stack holds none.
    bool PopToOpenBracket(uint32_t openKind, bool dropBracket);
    void PopAllToQueue();
    bool QueueHolds(uint32_t kind) const;

    // Scanner primitives.
    bool MatchKeyword(const wchar_t* text, const wchar_t* keyword) const;
    bool FollowsKeyword(int32_t pos, const wchar_t* keyword) const;
    void AppendNumChars(int32_t pos, int32_t count);
    void FlushNumber();
    void PushVariable(int which);
    void PushConstant(int which);
    // Index of the nearest non-blank character before pos, or -1.
    int32_t PreviousNonBlank(int32_t pos) const;

    void WriteSyntaxError(int32_t caretPos);
    void WriteDivisionError();
    void ReportStackCount() const;
};
