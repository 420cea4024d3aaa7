#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/support/DataFile.h"
#include "util/ReplaceAll.h"
#include "util/Utf8.h"

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", "replace", [](const std::vector<std::string>& w) {
        const std::wstring text = Utf8ToWide(w[1]), placeholder = Utf8ToWide(w[2]), replacement = Utf8ToWide(w[3]);
        EXPECT_EQ(ReplaceAll(text.c_str(), placeholder.c_str(), replacement.c_str()), Utf8ToWide(w[4]));
    });
    ReplaceAll(L"1-%A%-%B%", L"%B%", L"3");
    EXPECT_EQ(ReplaceAll(g_ReplaceBuff, L"%A%", L"three"), std::wstring(L"1-three-3"));
}

// Cut at 1023 characters, wherever the cut falls.
TEST(ReplaceAll, LongResultsAreCut)
{
    std::wstring manyPlaceholders;
    for (int i = 0; i < 600; ++i) manyPlaceholders += L"%A%";
    const struct {
        std::wstring text;
        std::wstring replacement;
        std::wstring expected;
    } cases[] = {
        {std::wstring(1500, L't'), L"x", std::wstring(1023, L't')},
        {L"a%A%b", std::wstring(2000, L'r'), L"a" + std::wstring(1022, L'r')},
        {manyPlaceholders, L"xx", std::wstring(1023, L'x')},
        {std::wstring(1020, L'.') + L"%A%tail", L"12345", std::wstring(1020, L'.') + L"123"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text.c_str(), L"%A%", c.replacement.c_str()), c.expected);
    }
}

TEST(EscapePercents, DoublesEveryPercentAndNeverSplitsAPair)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", "escape", [](const std::vector<std::string>& w) {
        const size_t capacity = std::stoul(w[2]);
        wchar_t dest[64 + 4];
        ASSERT_LE(capacity, 64u);
        std::fill(std::begin(dest), std::end(dest), L'#');
        EscapePercents(dest, capacity, Utf8ToWide(w[1]).c_str());
        EXPECT_EQ(std::wstring(dest), Utf8ToWide(w[3]));
        EXPECT_EQ(dest[capacity], L'#');
    });
}
