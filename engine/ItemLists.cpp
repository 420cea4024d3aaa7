#include "engine/FormulaEngine.h"
#include "util/MessageReport.h"

// The lists are vectors: push_back and pop_back either succeed or leave the
// list as it was, so a failed allocation only loses the item concerned.

namespace {

// Room for a typical formula at the first push, so that short formulas do
// not reallocate while they grow.
constexpr size_t INITIAL_ITEMS = 32;

void Append(std::vector<FormulaItem>& list, uint32_t kind, int64_t nVal, double dVal)
{
    if (list.capacity() == 0) list.reserve(INITIAL_ITEMS);
    list.push_back({kind, nVal, dVal});
}

}  // namespace

void FormulaEngine::QueuePush(uint32_t kind, int64_t nVal, double dVal)
{
    try {
        Append(m_Queue, kind, nVal, dVal);
        m_QueueCnt = static_cast<int32_t>(m_Queue.size());
    }
    CATCH_AND_REPORT
}

void FormulaEngine::StackPush(uint32_t kind, int64_t nVal, double dVal)
{
    try {
        Append(m_Stack, kind, nVal, dVal);
        m_StackCnt = static_cast<int32_t>(m_Stack.size());
    }
    CATCH_AND_REPORT
}

// On an empty stack nothing is handed out: the outputs keep their values.
void FormulaEngine::StackPop(uint32_t& kind, int64_t& nVal, double& dVal)
{
    if (m_Stack.empty()) return;
    const FormulaItem& top = m_Stack.back();
    kind = top.m_Kind;
    nVal = top.m_nVal;
    dVal = top.m_dVal;
    m_Stack.pop_back();
    m_StackCnt = static_cast<int32_t>(m_Stack.size());
}

void FormulaEngine::MoveStackTopToQueue()
{
    uint32_t kind = 0;
    int64_t nVal = 0;
    double dVal = 0.0;
    StackPop(kind, nVal, dVal);
    QueuePush(kind, nVal, dVal);
}
