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

// Whichever allocation of either list fails, it is reported once from the
// item lists and the calculation still ends without touching a lost item.
// When the first fails, what it held is lost and the formula is refused,
// after the report.
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
            if (n == 0) {
                EXPECT_EQ(answer, nullptr);
                EXPECT_EQ(std::wstring(engine.m_sErr), L"__________^ syntax error");
            }
            ASSERT_EQ(capture.Messages().size(), 1u);
            // キャッチした, a blank and the file's name
            EXPECT_EQ(capture.Messages()[0].rfind(L"\u30AD\u30E3\u30C3\u30C1\u3057\u305F ItemLists.cpp", 0), 0u);
        }
    }
}
