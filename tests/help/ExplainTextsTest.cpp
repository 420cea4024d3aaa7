#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "help/ExplainTexts.h"
#include "tests/support/DataFile.h"
#include "util/Utf8.h"

namespace {

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

}  // namespace

TEST(ExplainTexts, LinesOfTheDataFile)
{
    const std::vector<std::wstring> lines[] = {Lines(false), Lines(true)};
    for (const char* kind : {"element", "en", "ja"}) {
        ForEachDataLine(VEXILO_HELP_DATA_DIR "/lines.txt", kind, [&](const std::vector<std::string>& words) {
            const size_t number = std::stoul(words[1]);
            std::wstring text = Utf8ToWide(words[2]);
            std::replace(text.begin(), text.end(), L'_', L'\u3000');  // the data's '_' for each wide blank
            for (bool japanese : LANGUAGES) {
                ASSERT_LE(number, lines[japanese].size());
                const std::wstring& shown = lines[japanese][number - 1];
                if (words[0] == "element") {
                    EXPECT_EQ(shown.substr(std::min(shown.find_first_not_of(L'\u3000'), shown.size()), text.size()), text);
                } else if (words[0] == (japanese ? "ja" : "en")) {
                    EXPECT_EQ(shown, text);
                }
            }
        });
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

// A short buffer gets the start of the text and a terminator, nothing beyond.
TEST(ExplainTexts, CutAtCapacity)
{
    const wchar_t GUARD = L'#';
    for (bool japanese : LANGUAGES) {
        const std::wstring full = Build(japanese);
        const size_t capacities[] = {0, 1, 2, 3, full.size() / 2, full.size(), full.size() + 1};
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
