#include <gtest/gtest.h>

#include <string>

#include "util/Utf8.h"

// Wide texts are UTF-16 units on every platform.
TEST(Utf8, RoundTripsEveryPlane)
{
    const struct {
        const char* utf8;
        std::wstring utf16;
    } cases[] = {
        {"1+2*3", L"1+2*3"},
        {"\xC3\xA9", {0x00E9}},
        {"\xE6\x97\xA5\xE6\x9C\xAC", {0x65E5, 0x672C}},             // 日本
        {"\xEF\xBC\x91\xEF\xBC\x8B\xEF\xBC\x92", {0xFF11, 0xFF0B, 0xFF12}},  // full-width １＋２
        {"\xF0\x9F\x98\x80", {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)}},  // U+1F600
        {"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToWide(c.utf8), c.utf16);
        EXPECT_EQ(WideToUtf8(c.utf16), c.utf8);
    }
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
