#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "engine/CharClasses.h"
#include "engine/DecFunctions.h"
#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "engine/TokenCodes.h"

namespace {

// The white space that the C conversions skip in front of a number.
bool IsLeadingSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

int DigitValue(wchar_t c)
{
    if (IsDigit(c)) return c - L'0';
    if (IsHexLetter(c)) return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return 99;
}

// Reads the digits of the base up to the first other character. A value
// beyond 64 bits gives all bits set and reports it in saturated.
uint64_t ReadUnsigned(const wchar_t* text, int base, bool& saturated)
{
    uint64_t value = 0;
    saturated = false;
    for (; DigitValue(*text) < base; ++text) {
        const auto digit = static_cast<uint64_t>(DigitValue(*text));
        if (value > (UINT64_MAX - digit) / static_cast<uint64_t>(base)) saturated = true;
        if (!saturated) value = value * static_cast<uint64_t>(base) + digit;
    }
    return saturated ? UINT64_MAX : value;
}

// A literal as collected by the scanner: base 16 after "0X", else base 10.
int64_t IntegerFromLiteral(const wchar_t* text)
{
    const bool hex = text[0] == L'0' && text[1] == L'X';
    bool saturated;
    return static_cast<int64_t>(hex ? ReadUnsigned(text + 2, 16, saturated) : ReadUnsigned(text, 10, saturated));
}

// A variable's text: like a literal, but blanks and a sign may come first.
// A minus sign gives the two's-complement negation; a number out of range
// gives all bits set whatever its sign, as strtoull does.
int64_t IntegerFromVariable(const wchar_t* text)
{
    if (text[0] == L'0' && text[1] == L'X') return IntegerFromLiteral(text);
    while (IsLeadingSpace(*text)) ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = *text++ == L'-';
    bool saturated;
    const uint64_t magnitude = ReadUnsigned(text, 10, saturated);
    if (saturated) return -1;
    return static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
}

// Decimal floating-point text as wcstod reads it (blanks, sign, digits with
// one point, exponent, inf and nan), without hexadecimal forms, the same on
// every platform. Text without a number gives 0.0.
double DecimalFromText(const wchar_t* text)
{
    while (IsLeadingSpace(*text)) ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = *text++ == L'-';

    // The number's characters as ASCII, for from_chars; a text holds at most
    // 1023 of them.
    char ascii[TEXT_CAPACITY];
    size_t len = 0;
    for (; len < TEXT_CAPACITY - 1 && text[len] > 0 && text[len] < 0x80; ++len) ascii[len] = static_cast<char>(text[len]);
    ascii[len] = 0;
    if (len == 0 || ascii[0] == '+' || ascii[0] == '-') return 0.0;

    double value = 0.0;
    const auto result = std::from_chars(ascii, ascii + len, value);
    if (result.ec == std::errc::invalid_argument) return 0.0;
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: strtod gives infinity or zero.
        ascii[result.ptr - ascii] = 0;
        value = std::strtod(ascii, nullptr);
    }
    return negative ? -value : value;
}

}  // namespace

bool FormulaEngine::MatchKeyword(const wchar_t* text, const wchar_t* keyword) const
{
    for (; *keyword; ++text, ++keyword) {
        if (*text != *keyword) return false;
    }
    return true;
}

// True when the "(" at pos directly follows the keyword's name.
bool FormulaEngine::FollowsKeyword(int32_t pos, const wchar_t* keyword) const
{
    auto nameLen = static_cast<int32_t>(StrLen(keyword));
    if (StrFind(keyword, L"(")) --nameLen;
    if (nameLen > pos) return false;
    return MatchKeyword(m_sBuff + pos - nameLen, keyword);
}

void FormulaEngine::AppendNumChars(int32_t pos, int32_t count)
{
    const int32_t room = TEXT_CAPACITY - 1 - m_NumLen;
    if (count > room) count = room;
    StrCopyN(m_sNum + m_NumLen, m_sBuff + pos, static_cast<size_t>(count));
    m_NumLen += count;
}

void FormulaEngine::FlushNumber()
{
    if (m_sNum[0] == 0) return;
    if (m_IntMode) QueuePush(TOKEN_NUMBER, IntegerFromLiteral(m_sNum), 0.0);
    else QueuePush(TOKEN_NUMBER, 0, DecimalFromText(m_sNum));
    m_sNum[0] = 0;
    m_NumLen = 0;
}

void FormulaEngine::PushVariable(int which)
{
    const wchar_t* text = which == 1 ? m_sX : which == 2 ? m_sY : m_sZ;
    if (m_IntMode) QueuePush(TOKEN_NUMBER, IntegerFromVariable(text), 0.0);
    else QueuePush(TOKEN_NUMBER, 0, DecimalFromText(text));
}

void FormulaEngine::PushConstant(int which)
{
    if (m_IntMode) return;
    QueuePush(TOKEN_NUMBER, 0, which == 1 ? DEC_E : DEC_PI);
}
