#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "help/ExplainTexts.h"

namespace {

const size_t ENGLISH_LENGTH = 3472;
const size_t JAPANESE_LENGTH = 1954;
const bool LANGUAGES[] = {false, true};

std::wstring Build(bool japanese)
{
    std::vector<wchar_t> buffer(EXPLAIN_CAPACITY);
    return std::wstring(buffer.data(), BuildExplanation(japanese, buffer.data(), buffer.size()));
}

// A text that does not end in CR LF leaves a last piece: a 98th line.
std::vector<std::wstring> Lines(bool japanese)
{
    const std::wstring text = Build(japanese);
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Expected lines use '_' for each wide blank, so that runs can be counted.
std::wstring Wide(std::wstring text)
{
    std::replace(text.begin(), text.end(), L'_', L'\u3000');
    return text;
}

std::wstring WithoutIndent(const std::wstring& line)
{
    return line.substr(std::min(line.find_first_not_of(L'\u3000'), line.size()));
}

}  // namespace

TEST(ExplainTexts, SampleLines)
{
    const struct {
        size_t line;
        bool japanese;
        const wchar_t* expected;
    } cases[] = {
        {1, false, L"\u25CF List of available numerical formula elements"},
        {1, true, L"\u25CF利用可能な数式要素一覧"},
        {36, false, L"__Function__Function name and \"(\"you must not put space between"},
        {36, true, L"_・関数__「関数名と直後の'(' の間にスペースを入れてはイケマセン」"},
        {72, false, L"____ceil(a)__the smallest integral value greater than or equal to a"},
        {72, true, L"__ceil( a )______a より大きい最小の整数"},
        {79, true, L"__cos( a )_______ \u3003__ 余弦。__ \u3003__"},
        {90, true, L"_______________一番外側でないと意味が有りません"},
        {94, false, L"____dms:__degrees minutes and seconds: Right angle = 90\u00B00'0.000\u2033"},
        {94, true, L"__dms，度分秒：直角＝90\u00B00\u20320.000\u2033"},
        {96, false, L"____radian:__Right angle =1/2\u03C0"},
        {96, true, L"__radian，ラジアン：直角＝1/2\u03C0"},
    };
    const std::vector<std::wstring> lines[] = {Lines(false), Lines(true)};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.japanese ? "Japanese" : "English") << " line " << c.line);
        ASSERT_LE(c.line, lines[c.japanese].size());
        EXPECT_EQ(lines[c.japanese][c.line - 1], Wide(c.expected));
    }
}

// Every CR and LF belongs to a line end, the last line's included. No tabs,
// controls or odd blanks (no-break space, BOM); nothing outside the BMP, or
// the lengths would differ between platforms. English has no full-width
// characters: only the wide blank and five symbols leave ASCII.
TEST(ExplainTexts, LinesAndCharacters)
{
    std::set<wchar_t> englishNonAscii;
    for (bool japanese : LANGUAGES) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        const std::wstring text = Build(japanese);
        EXPECT_EQ(std::count(text.begin(), text.end(), L'\r'), EXPLAIN_LINE_CNT);
        EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), EXPLAIN_LINE_CNT);
        const std::vector<std::wstring> lines = Lines(japanese);
        EXPECT_EQ(lines.size(), EXPLAIN_LINE_CNT);
        for (size_t i = 0; i < lines.size(); ++i) {
            for (wchar_t c : lines[i]) {
                const unsigned long u = static_cast<unsigned long>(c);
                EXPECT_TRUE(u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0xA0) && !(u >= 0x2000 && u <= 0x200F)
                            && u != 0xFEFF && (u < 0xD800 || (u > 0xDFFF && u <= 0xFFFF)))
                    << "U+" << std::hex << u << std::dec << " in line " << i + 1;
                if (!japanese && u > 0x7F) englishNonAscii.insert(c);
            }
        }
    }
    EXPECT_EQ(englishNonAscii, (std::set<wchar_t>{L'\u3000', L'\u25CF', L'\u2192', L'\u00B0', L'\u2033', L'\u03C0'}));
}

// Line n names the same element in both languages; a line lost or doubled in
// one of them shifts all that follow.
TEST(ExplainTexts, ParallelElements)
{
    const std::vector<std::wstring> english = Lines(false), japanese = Lines(true);
    ASSERT_EQ(english.size(), EXPLAIN_LINE_CNT);
    ASSERT_EQ(japanese.size(), EXPLAIN_LINE_CNT);
    size_t functionLines = 0;
    for (size_t i = 0; i < EXPLAIN_LINE_CNT; ++i) {
        const std::wstring en = WithoutIndent(english[i]);
        const size_t paren = en.find_first_not_of(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
        if (paren == 0 || paren == std::wstring::npos || en[paren] != L'(') continue;
        ++functionLines;
        EXPECT_EQ(WithoutIndent(japanese[i]).substr(0, paren + 1), en.substr(0, paren + 1)) << "line " << i + 1;
    }
    EXPECT_EQ(functionLines, 32u);  // 0X(, the stores twice, and 25 Decimal functions

    const struct {
        size_t line;
        const wchar_t* element;
    } cases[] = {{14, L"x"}, {19, L"+"}, {29, L"<<"}, {32, L"0X"}, {47, L"pi"}, {48, L"e"},
                 {57, L"/"}, {59, L"( ... )"}, {94, L"dms"}, {97, L"grade"}};
    for (const auto& c : cases) {
        const std::wstring element = c.element;
        EXPECT_EQ(WithoutIndent(english[c.line - 1]).substr(0, element.size()), element) << "line " << c.line;
        EXPECT_EQ(WithoutIndent(japanese[c.line - 1]).substr(0, element.size()), element) << "line " << c.line;
    }
}

// A short buffer gets the start of the text and a terminator, nothing beyond.
TEST(ExplainTexts, CutAtCapacity)
{
    const wchar_t GUARD = L'#';
    const size_t capacities[] = {0, 1, 2, 3, JAPANESE_LENGTH, JAPANESE_LENGTH + 1, ENGLISH_LENGTH, ENGLISH_LENGTH + 1};
    for (bool japanese : LANGUAGES) {
        const std::wstring full = Build(japanese);
        for (size_t capacity : capacities) {
            SCOPED_TRACE(testing::Message() << (japanese ? "Japanese" : "English") << " capacity " << capacity);
            std::vector<wchar_t> buffer(capacity + 8, GUARD);
            const size_t length = BuildExplanation(japanese, buffer.data(), capacity);
            EXPECT_EQ(std::count(buffer.begin() + capacity, buffer.end(), GUARD), 8);
            if (capacity == 0) {
                EXPECT_EQ(length, 0u);
                continue;
            }
            EXPECT_EQ(length, std::min(full.size(), capacity - 1));
            EXPECT_EQ(std::wstring(buffer.data(), length + 1), full.substr(0, length) + L'\0');
        }
    }
    EXPECT_EQ(BuildExplanation(false, nullptr, EXPLAIN_CAPACITY), 0u);
}
