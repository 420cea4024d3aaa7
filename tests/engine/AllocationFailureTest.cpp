// A failed allocation inside the engine: reported, the list left as it
// was, and the calculation carries on to a clean ending. Runs in a program
// of its own, since it replaces the global operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "tests/support/MessageCapture.h"

namespace {

int g_AllocationsBeforeFailure = -1;  // -1: never fail; 0: the next allocation fails, once

// Makes the n-th allocation from now on fail (n = 0: the next one).
void FailAllocation(int n)
{
    g_AllocationsBeforeFailure = n;
}

bool IsCaughtFailureReport(const std::wstring& text)
{
    return text.rfind(L"\u30AD\u30E3\u30C3\u30C1\u3057\u305F ", 0) == 0;  // キャッチした and a blank
}

}  // namespace

void* operator new(std::size_t size)
{
    if (g_AllocationsBeforeFailure == 0) {
        g_AllocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (g_AllocationsBeforeFailure > 0) --g_AllocationsBeforeFailure;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

TEST(AllocationFailure, PushLeavesTheListAsItWas)
{
    FormulaEngine engine;
    engine.QueuePush(0, 1, 0.0);
    engine.StackPush(0, 1, 0.0);
    MessageCapture capture;

    // The first push reserved room; fill it so that the next one must grow.
    while (engine.m_Queue.size() < engine.m_Queue.capacity()) engine.QueuePush(0, 2, 0.0);
    const int32_t count = engine.m_QueueCnt;
    FailAllocation(0);
    engine.QueuePush(0, 3, 0.0);
    EXPECT_EQ(engine.m_QueueCnt, count);
    EXPECT_EQ(static_cast<size_t>(engine.m_QueueCnt), engine.m_Queue.size());
    EXPECT_EQ(engine.m_Queue.back().m_nVal, 2);

    while (engine.m_Stack.size() < engine.m_Stack.capacity()) engine.StackPush(0, 2, 0.0);
    const int32_t depth = engine.m_StackCnt;
    FailAllocation(0);
    engine.StackPush(0, 3, 0.0);
    EXPECT_EQ(engine.m_StackCnt, depth);

    ASSERT_EQ(capture.Messages().size(), 2u);
    for (const std::wstring& message : capture.Messages()) {
        EXPECT_TRUE(IsCaughtFailureReport(message)) << testing::PrintToString(message);
        EXPECT_NE(message.find(L"ItemLists.cpp"), std::wstring::npos) << testing::PrintToString(message);
    }
}

// The 1 of 1+2 is lost: the sum then finds one value and the formula is
// refused as unfinished, after the report.
TEST(AllocationFailure, CalculationEndsCleanly)
{
    for (int intMode : {0, 1}) {
        SCOPED_TRACE(intMode);
        FormulaEngine engine;
        engine.m_IntMode = intMode;
        StrCopy(engine.m_sBuff, L"1+2");
        MessageCapture capture;
        FailAllocation(0);
        EXPECT_EQ(engine.Calculate(), nullptr);
        EXPECT_EQ(std::wstring(engine.m_sErr), L"___^ syntax error");
        ASSERT_EQ(capture.Messages().size(), 1u);
        EXPECT_TRUE(IsCaughtFailureReport(capture.Messages()[0]));
    }
}
