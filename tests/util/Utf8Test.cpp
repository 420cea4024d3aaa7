#include <gtest/gtest.h>

#include <string>

#include "tests/support/DataFile.h"
#include "util/Utf8.h"

// Wide texts are UTF-16 units on every platform.
TEST(Utf8, RoundTripsEveryPlane)
{
    ForEachDataLine(VEXILO_UTIL_DATA_DIR "/texts.txt", "utf8", [](const std::vector<std::string>& w) {
        std::wstring units;
        for (size_t i = 2; i < w.size(); ++i) units += static_cast<wchar_t>(std::stoul(w[i], nullptr, 16));
        EXPECT_EQ(Utf8ToWide(w[1]), units);
        EXPECT_EQ(WideToUtf8(units), w[1]);
    });
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters)
{
    const struct {
        std::string utf8;
        std::wstring utf16;
    } cases[] = {
        {"a\x80" "b", {L'a', 0xFFFD, L'b'}},             // stray continuation byte
        {"\xE6\x97", {0xFFFD}},                          // cut short at the end
        {"\xE6\x97x", {0xFFFD, L'x'}},                   // cut short before ASCII
        {"\xC0\x80", {0xFFFD, 0xFFFD}},                  // overlong zero
        {"\xE0\x80\xAF", {0xFFFD}},                      // "/" in three bytes: overlong
        {"\xED\xA0\x80", {0xFFFD}},                      // an encoded surrogate
        {"\xF4\x90\x80\x80", {0xFFFD}},                  // beyond U+10FFFF
        {"\xFF", {0xFFFD}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToWide(c.utf8), c.utf16);
    }
    const std::wstring lone = {L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDC00)};
    EXPECT_EQ(WideToUtf8(lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}
