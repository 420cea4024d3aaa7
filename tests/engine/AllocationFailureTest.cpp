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

// The allocation that fails, once: 0 the next one, n the n-th after it; -1 none.
int g_AllocationsBeforeFailure = -1;

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
        g_AllocationsBeforeFailure = 0;
        EXPECT_EQ(engine.Calculate(), nullptr);
        EXPECT_EQ(std::wstring(engine.m_sErr), L"___^ syntax error");
        ASSERT_EQ(capture.Messages().size(), 1u);
        EXPECT_TRUE(IsCaughtFailureReport(capture.Messages()[0]));
    }
}

// Whichever allocation of either list fails, it is reported once from the
// item lists and the calculation still ends without touching a lost item.
TEST(AllocationFailure, AnyFailedPushIsReportedOnce)
{
    for (int intMode : {0, 1}) {
        for (int n = 0;; ++n) {
            SCOPED_TRACE(testing::Message() << "mode " << intMode << ", allocation " << n);
            FormulaEngine engine;
            engine.m_IntMode = intMode;
            StrCopy(engine.m_sBuff, L"((1+2)*3-4)*(5+6)");
            MessageCapture capture;
            g_AllocationsBeforeFailure = n;
            const wchar_t* answer = engine.Calculate();
            const bool failed = g_AllocationsBeforeFailure == -1;
            g_AllocationsBeforeFailure = -1;
            if (!failed) {
                EXPECT_STREQ(answer, L"55");
                break;
            }
            ASSERT_EQ(capture.Messages().size(), 1u);
            EXPECT_TRUE(IsCaughtFailureReport(capture.Messages()[0]));
            EXPECT_NE(capture.Messages()[0].find(L"ItemLists.cpp"), std::wstring::npos);
        }
    }
}
