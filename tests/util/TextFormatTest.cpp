#include <gtest/gtest.h>

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

wchar_t* Shared(int* count, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    wchar_t* text = SharedFormat(count, format, args);
    va_end(args);
    return text;
}

}  // namespace

// The directives the program uses. The engine's tables check its answers
// (thirds, 1e+15, 1e-05, -0, inf, -nan, %I64d, %#I64X and the dms( texts).
TEST(TextFormat, TheDirectivesInUse)
{
    EXPECT_EQ(Format(L"%.15g|%.15g|%.15g|%.15g", std::numeric_limits<double>::quiet_NaN(), 1.7976931348623157e308,
                     4.9406564584124654e-324, 123456789012345.0),
              L"nan|1.79769313486232e+308|4.94065645841247e-324|123456789012345");
    EXPECT_EQ(Format(L"%d|%02d|%02d|%X|%#X|%#X", INT32_MIN, 7, 12, 255u, 0x80070005u, 0u),
              L"-2147483648|07|12|FF|0X80070005|0");
    EXPECT_EQ(Format(L"[%s][%S][%S][%s]", L"日本", "calc.cpp", "\xC3\xA9", static_cast<const wchar_t*>(nullptr)),
              L"[日本][calc.cpp][\u00E9][(null)]");
    EXPECT_EQ(Format(L"100%% sure"), L"100% sure");
}

// A flag the formatter would ignore, or a directive it does not know (which
// would take no argument, so that every later one read the wrong one), gives
// an empty text instead of a wrong one. Literal formats are refused when
// compiled (text_format_compile_checks).
TEST(TextFormat, RefusesWhatItDoesNotImplement)
{
    const wchar_t* refused[] = {L"%#g", L"%#.15g", L"%#f", L"%#d", L"%.3d", L"%.2X", L"%5s", L"%05S", L"%.1s",
                                L"%I64g", L"%I64s", L"%#%", L"%q %d", L"%p", L"%ld", L"%u", L"%c", L"%x", L"%e",
                                L"100%", L"%d %"};
    for (const wchar_t* format : refused) {
        SCOPED_TRACE(format);
        wchar_t text[16] = L"untouched";
        EXPECT_EQ(FormatTextArgs(text, 16, format, 1.0, 2, 3), 0);
        EXPECT_EQ(std::wstring(text), L"");
        EXPECT_FALSE(FormatSupported(format));
    }
    for (const wchar_t* format : {L"%#X", L"%#08I64X", L"%010d", L"%I64d", L"%07.3f", L"%.15g", L"%s%S%%"}) {
        SCOPED_TRACE(format);
        EXPECT_TRUE(FormatSupported(format));
    }
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

// A text returned in g_FormatBuff may be formatted again into it.
TEST(SharedFormat, ArgumentMayLiveInTheSharedBuffer)
{
    Shared(nullptr, L"error %d", 5);
    int count = -1;
    EXPECT_EQ(Shared(&count, L"[%s] and [%s]", g_FormatBuff, g_FormatBuff), g_FormatBuff);
    EXPECT_EQ(std::wstring(g_FormatBuff), L"[error 5] and [error 5]");
    EXPECT_EQ(count, 23);
}

// File name and line with nothing between them, whatever the folders.
TEST(MessageReport, CaughtFailureNamesFileAndLine)
{
    MessageCapture capture;
    ReportCaughtFailure("/src/vexilo/engine/calc", 57);
    ReportCaughtFailure("C:\\src\\settings\\IniFile.cpp", 8);
    ReportCaughtFailure("bare.cpp", 1);
    EXPECT_EQ(capture.Messages(), (std::vector<std::wstring>{L"キャッチした calc57", L"キャッチした IniFile.cpp8",
                                                             L"キャッチした bare.cpp1"}));
}
