#include <gtest/gtest.h>

#include <cwchar>

#include "engine/TextRoutines.h"
#include "tests/engine/EngineTestSupport.h"

using namespace enginetest;

namespace {

TEST(Scanner, TextRoutines)
{
    // StrCopyN copies at most n units and writes nothing beyond n + 1.
    const struct {
        const wchar_t* source;
        size_t n;
        const wchar_t* copied;
    } copies[] = {{L"abcdef", 3, L"abc"}, {L"ab", 3, L"ab"}, {L"abc", 0, L""}};
    for (const auto& copy : copies) {
        wchar_t dest[8];
        std::wmemset(dest, L'#', 8);
        EXPECT_EQ(StrCopyN(dest, copy.source, copy.n), dest);
        EXPECT_STREQ(dest, copy.copied);
        EXPECT_EQ(dest[std::wcslen(copy.copied) + 1], L'#') << testing::PrintToString(copy.source);
    }
    wchar_t text[16];
    EXPECT_EQ(StrLen(L""), 0u);
    EXPECT_EQ(StrLen(L"a\u3000b"), 3u);
    EXPECT_EQ(StrCopy(text, L"12"), text);
    EXPECT_EQ(StrCat(text, L"+3"), text);
    EXPECT_STREQ(text, L"12+3");
    EXPECT_STREQ(StrFill(text, L'_', 4), L"____");
    EXPECT_STREQ(StrFill(text, L'_', 0), L"");
    const wchar_t* formula = L"1+TOx(2)";
    EXPECT_EQ(StrFind(formula, L"TOx"), formula + 2);
    EXPECT_EQ(StrFind(formula, L"TOy"), nullptr);
}

}  // namespace
