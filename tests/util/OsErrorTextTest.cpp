#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <cwctype>
#include <string>

#include "util/OsErrorText.h"
#include "util/TextFormat.h"

namespace {

// The system's own text for a code, asked for here the documented way;
// trimmed, without the line break at its end.
std::wstring SystemMessage(DWORD code, bool trimmed = true)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                   nullptr, code, LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    LocalFree(text);
    while (trimmed && !message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message;
}

// A code whose system text holds a percent sign and a digit (an insert left
// unfilled), or 0.
DWORD CodeWithPercentDigit()
{
    for (DWORD code = 1; code < 16000; ++code) {
        const std::wstring text = SystemMessage(code);
        const size_t at = text.find(L'%');
        if (at != std::wstring::npos && iswdigit(text[at + 1])) return code;
    }
    return 0;
}

class OsErrorTextTest : public testing::Test {
protected:
    std::wstring Format(DWORD code, const wchar_t* templ, ...)
    {
        va_list args;
        va_start(args, templ);
        const std::wstring message = m_Text->FormatError(code, templ, args);
        va_end(args);
        return message;
    }

    std::unique_ptr<OsErrorText> m_Text = std::make_unique<OsErrorText>();
};

const DWORD UNKNOWN_CODE = 0x2FFFFFFF;

}  // namespace

// The system's line break stays out of the one-line messages.
TEST_F(OsErrorTextTest, CodeAndSystemTextFillTheTemplate)
{
    const std::wstring accessDenied = SystemMessage(ERROR_ACCESS_DENIED);
    ASSERT_NE(SystemMessage(ERROR_ACCESS_DENIED, false), accessDenied) << "the system's text has no line break to drop";
    SetLastError(ERROR_ACCESS_DENIED);
    const wchar_t* message = m_Text->FormatLastError(L"キーボードフックに失敗しました [%OsErrCd%:%OsErr%]");
    EXPECT_EQ(message, g_FormatBuff);
    EXPECT_EQ(message, L"キーボードフックに失敗しました [0X5:" + accessDenied + L"]");

    ASSERT_EQ(SystemMessage(UNKNOWN_CODE), L"");
    const struct {
        DWORD code;
        const wchar_t* templ;
        const wchar_t* expected;
    } cases[] = {
        {0, L"<%OsErrCd%>", L"<0>"},
        {0x80070005, L"<%OsErrCd%>", L"<0X80070005>"},
        {0x1F, L"a %OsErrCd% b [%OsErrCd%] ü", L"a 0X1F b [0X1F] ü"},
        {UNKNOWN_CODE, L"[%OsErrCd%:%OsErr%]", L"[0X2FFFFFFF:]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Format(c.code, c.templ), c.expected);
    }
}

// The template's own directives take the arguments; the percent signs of
// the system's text stay as they are.
TEST_F(OsErrorTextTest, PercentInSystemTextStandsForItself)
{
    const DWORD code = CodeWithPercentDigit();
    ASSERT_NE(code, 0u) << "no system text with an unfilled insert";
    EXPECT_EQ(Format(code, L"hook %d: %OsErr% (%s)", 7, L"ok"), L"hook 7: " + SystemMessage(code) + L" (ok)");
}

TEST_F(OsErrorTextTest, LongMessagesAreCut)
{
    const std::wstring longTemplate = std::wstring(1500, L'a') + L"%OsErrCd%";
    EXPECT_EQ(Format(5, longTemplate.c_str()), std::wstring(1023, L'a'));
    EXPECT_EQ(Format(5, L"%OsErrCd% %s", std::wstring(2000, L'z').c_str()), L"0X5 " + std::wstring(1019, L'z'));
}
