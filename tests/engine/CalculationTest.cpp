// The calculation request shared by the window and vexilo-calc, from the
// cases of tests/engine/data/requests/requests.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Calculation.h"
#include "tests/support/DataFile.h"
#include "tests/support/MessageCapture.h"

namespace {

// "{N:TEXT}" within a word stands for N copies of TEXT.
std::wstring Expand(const std::string& word)
{
    std::wstring text = Utf8ToWide(word);
    for (size_t open; (open = text.find(L'{')) != std::wstring::npos;) {
        const size_t colon = text.find(L':', open), close = text.find(L'}', open);
        const size_t count = std::stoul(text.substr(open + 1, colon - open - 1));
        std::wstring copies;
        for (size_t i = 0; i < count; ++i) copies += text.substr(colon + 1, close - colon - 1);
        text.replace(open, close - open + 1, copies);
    }
    return text;
}

const char* OutcomeName(CalculationResult::Outcome outcome)
{
    switch (outcome) {
    case CalculationResult::Outcome::ANSWERED: return "answered";
    case CalculationResult::Outcome::REFUSED: return "refused";
    case CalculationResult::Outcome::TOO_LONG: return "too-long";
    }
    return "?";
}

}  // namespace

TEST(Calculation, CasesOfTheDataFile)
{
    ForEachDataLine(VEXILO_ENGINE_DATA_DIR "/requests/requests.txt", [](const std::vector<std::string>& w) {
        ASSERT_GE(w.size(), 12u);
        CalculationRequest request;
        request.intMode = w[0] == "I";
        request.japanese = w[1] == "ja";
        request.formula = Expand(w[2]);
        for (size_t var = 0; var < 3; ++var) request.variables[var] = Expand(w[3 + var]);

        MessageCapture capture;
        const CalculationResult result = Calculate(request);
        EXPECT_EQ(OutcomeName(result.outcome), w[6]);
        EXPECT_EQ(result.answerText, Expand(w[7]));
        EXPECT_EQ(result.message, Expand(w[8]));
        for (size_t var = 0; var < 3; ++var) EXPECT_EQ(result.variables[var], Expand(w[9 + var])) << "variable " << var;
        std::vector<std::wstring> log;
        for (size_t i = 12; i < w.size(); ++i) log.push_back(Expand(w[i]));
        EXPECT_EQ(result.logLines, log);
        EXPECT_TRUE(capture.Messages().empty());
    });
}
