#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "tests/support/MessageCapture.h"
#include "util/MessageReport.h"
#include "util/TextFormat.h"

namespace {

template <typename... Args>
std::wstring Format(const wchar_t* format, Args... args)
{
    wchar_t text[TEXT_CAPACITY];
    FormatText(text, TEXT_CAPACITY, format, args...);
    return text;
}

const double NEGATIVE_NAN = -std::numeric_limits<double>::quiet_NaN();

}  // namespace

// The engine's answers: the same C99 texts on every platform. The engine's
// tables check the everyday ones (thirds, 1e+15, 1e-05, -0, inf, -nan).
TEST(TextFormat, DoublesInTheC99Forms)
{
    const struct {
        double value;
        const wchar_t* expected;
    } cases[] = {
        {123456789012345.0, L"123456789012345"},
        {std::numeric_limits<double>::quiet_NaN(), L"nan"},
        {NEGATIVE_NAN, L"-nan"},
        {1.7976931348623157e308, L"1.79769313486232e+308"},
        {4.9406564584124654e-324, L"4.94065645841247e-324"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Format(L"%.15g", c.value), c.expected);
    }
    EXPECT_EQ(Format(L"%f", 1.5), L"1.500000");
    EXPECT_EQ(Format(L"%e", 12345.678), L"1.234568e+04");
    EXPECT_EQ(Format(L"%G", 1e-10), L"1E-10");
    EXPECT_EQ(Format(L"%8.2f|%-8.2f|%08.2f|%+.1f", 3.14159, 3.14159, -3.14159, 2.0),
              L"    3.14|3.14    |-0003.14|+2.0");
}

// The # flag keeps %g's trailing zeros and every form's decimal point, as C
// does; inf has neither.
TEST(TextFormat, AlternateFormOfDoubles)
{
    EXPECT_EQ(Format(L"[%#g|%#.3g|%#g|%#.0f|%#.0e|%#g|%#.10g|%#g|%#G|%#a|%#8.0f|%#.0g|%#g|%#g|%#g|%#-9.2g|%#+.1g]",
                     1.0, 0.0001234, 1e-5, 1.0, 12345.0, 123456789.0, 0.5, std::numeric_limits<double>::infinity(),
                     1e20, 1.0, 2.0, 0.0, 0.0, 100000.0, 1000000.0, 9.999, 0.96),
              L"[1.00000|0.000123|1.00000e-05|1.|1.e+04|1.23457e+08|0.5000000000|inf|1.00000E+20|0x1.p+0|      2.|"
              L"0.|0.00000|100000.|1.00000e+06|10.      |+1.]");
}

// %I64d and %#I64X, the engine's Integer answers, are checked by its tables.
TEST(TextFormat, SixtyFourBitIntegers)
{
    EXPECT_EQ(Format(L"%lld|%llu", -5LL, 18446744073709551615ULL), L"-5|18446744073709551615");
    EXPECT_EQ(Format(L"%zu", static_cast<size_t>(42)), L"42");
}

TEST(TextFormat, IntegerFlagsWidthAndPrecision)
{
    EXPECT_EQ(Format(L"%d|%5d|%-5d|%05d|%+d|% d", -42, 42, 42, -42, 7, 7), L"-42|   42|42   |-0042|+7| 7");
    EXPECT_EQ(Format(L"%x|%X|%#x|%o|%#o|%u", 255, 255, 255, 8, 8, 3000000000U), L"ff|FF|0xff|10|010|3000000000");
    EXPECT_EQ(Format(L"%.3d|%.0d|%*d|%-*d|", 7, 0, 4, 1, 3, 2), L"007||   1|2  |");
    EXPECT_EQ(Format(L"%d", INT32_MIN), L"-2147483648");
    EXPECT_EQ(Format(L"%hd|%hhu", 70000, 300), L"4464|44");
}

// %s is a wide text and %S a narrow one, as in the Windows wide printf.
TEST(TextFormat, TextsAndCharacters)
{
    EXPECT_EQ(Format(L"[%s]", L"日本"), L"[日本]");
    EXPECT_EQ(Format(L"[%S]", "calc.cpp"), L"[calc.cpp]");
    EXPECT_EQ(Format(L"[%S]", "\xC3\xA9"), L"[\u00E9]");  // UTF-8 é
    EXPECT_EQ(Format(L"[%ls|%hs]", L"w", "n"), L"[w|n]");
    EXPECT_EQ(Format(L"[%5s|%-5s|%.2s]", L"ab", L"ab", L"abcdef"), L"[   ab|ab   |ab]");
    EXPECT_EQ(Format(L"[%s]", static_cast<const wchar_t*>(nullptr)), L"[(null)]");
    EXPECT_EQ(Format(L"%c%c%C", L'\u3042', L'b', 'c'), L"\u3042bc");
    EXPECT_EQ(Format(L"100%% sure, 100%"), L"100% sure, 100%");
    EXPECT_EQ(Format(L"%q|%"), L"%q|%");
}

TEST(TextFormat, PercentNWritesNothing)
{
    int target = 12345;
    EXPECT_EQ(Format(L"a%nb", &target), L"ab");
    EXPECT_EQ(target, 12345);
}

TEST(TextFormat, LongTextIsCutAtTheCapacity)
{
    const std::wstring long_text(2000, L'a');
    wchar_t text[TEXT_CAPACITY];
    EXPECT_EQ(FormatText(text, TEXT_CAPACITY, L"%s!", long_text.c_str()), TEXT_CAPACITY - 1);
    EXPECT_EQ(std::wstring(text), long_text.substr(0, TEXT_CAPACITY - 1));

    wchar_t small[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(FormatText(small, 4, L"%d", 123456), 3);
    EXPECT_EQ(std::wstring(small), L"123");

    wchar_t untouched = L'x';
    EXPECT_EQ(FormatText(&untouched, 0, L"%d", 5), 0);
    EXPECT_EQ(untouched, L'x');
}

namespace {

wchar_t* Shared(int* count, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    wchar_t* text = SharedFormat(count, format, args);
    va_end(args);
    return text;
}

}  // namespace

TEST(SharedFormat, CountsAndReturnsTheSharedBuffer)
{
    int count = -1;
    EXPECT_EQ(Shared(&count, L"m_StackCnt=%d", 2), g_FormatBuff);
    EXPECT_EQ(std::wstring(g_FormatBuff), L"m_StackCnt=2");
    EXPECT_EQ(count, 12);
}

// A text returned in g_FormatBuff may be formatted again into it.
TEST(SharedFormat, ArgumentMayLiveInTheSharedBuffer)
{
    Shared(nullptr, L"error %d", 5);
    Shared(nullptr, L"[%s] and [%s]", g_FormatBuff, g_FormatBuff);
    EXPECT_EQ(std::wstring(g_FormatBuff), L"[error 5] and [error 5]");
}

TEST(MessageReport, MessagePrintfHandsTheTextToTheSink)
{
    MessageCapture capture;
    MessagePrintf(0, L"m_StackCnt=%d", 2);
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0], L"m_StackCnt=2");
}

// File name and line with nothing between them, whatever the folders.
TEST(MessageReport, CaughtFailureNamesFileAndLine)
{
    MessageCapture capture;
    ReportCaughtFailure("/src/vexilo/engine/calc", 57);
    ReportCaughtFailure("C:\\src\\settings\\IniFile.cpp", 8);
    ReportCaughtFailure("bare.cpp", 1);
    ASSERT_EQ(capture.Messages().size(), 3u);
    EXPECT_EQ(capture.Messages()[0], L"キャッチした calc57");
    EXPECT_EQ(capture.Messages()[1], L"キャッチした IniFile.cpp8");
    EXPECT_EQ(capture.Messages()[2], L"キャッチした bare.cpp1");
}
