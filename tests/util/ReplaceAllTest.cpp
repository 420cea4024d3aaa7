#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/support/DataFile.h"
#include "util/ReplaceAll.h"
#include "util/Utf8.h"

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", [](const std::vector<std::string>& w) {
        if (w[0] != "replace") return;
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
    const struct {
        const wchar_t* text;
        size_t capacity;
        const wchar_t* expected;
    } cases[] = {
        {L"drive %1 at 100%", 64, L"drive %%1 at 100%%"},
        {L"%%d", 64, L"%%%%d"},
        {L"ab%cd", 5, L"ab%%"},
        {L"abc%d", 5, L"abc"},  // no lone % at the end
        {L"abcdef", 4, L"abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        wchar_t dest[64 + 4];
        std::fill(std::begin(dest), std::end(dest), L'#');
        EscapePercents(dest, c.capacity, c.text);
        EXPECT_EQ(std::wstring(dest), c.expected);
        EXPECT_EQ(dest[c.capacity], L'#');
    }
}
