#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/CalcCli.h"
#include "tests/support/DataFile.h"

namespace {

// Standard streams in memory; stdout text counts as written once flushed.
class StringIo : public CliIo {
public:
    explicit StringIo(std::vector<std::string> lines = {}, bool interactive = false)
        : m_Lines(std::move(lines)), m_Interactive(interactive) {}

    bool ReadLine(std::string& line) override
    {
        flushedAtRead.push_back(out.substr(0, m_Flushed));
        if (m_Next >= m_Lines.size()) return false;
        line = m_Lines[m_Next++];
        return true;
    }
    void Out(std::string_view text) override { out += text; }
    void Err(std::string_view text) override { err += text; }
    void FlushOut() override { m_Flushed = out.size(); }
    bool Interactive() const override { return m_Interactive; }
    std::string InputError() const override { return inputError; }
    std::string OutputError() const override { return outputError; }

    std::string inputError, outputError;  // what the streams report, set by a test
    std::string out, err;
    std::vector<std::string> flushedAtRead;  // the stdout written at each read

private:
    std::vector<std::string> m_Lines;
    size_t m_Next = 0, m_Flushed = 0;
    bool m_Interactive;
};

struct CliRun {
    int status;
    StringIo io;
};

CliRun Calc(std::vector<std::string> args, std::vector<std::string> lines = {}, bool interactive = false)
{
    CliRun run{0, StringIo(std::move(lines), interactive)};
    run.status = RunCalcCli(args, run.io);
    return run;
}

// "1+...+1" in the data stands for 1+1+...+1 of 1023 characters.
std::string Expand(std::string word)
{
    std::string ones = "1";
    while (ones.size() < 1023) ones += "+1";
    for (size_t at; (at = word.find("1+...+1")) != std::string::npos;) word.replace(at, 7, ones);
    return word;
}

}  // namespace

TEST(CalcCli, CasesOfTheDataFile)
{
    ForEachDataLine(VEXILO_CLI_DATA_DIR "/cases.txt", [](std::vector<std::string> words) {
        for (std::string& word : words) word = Expand(word);
        const auto input = std::find(words.begin(), words.end(), "<");
        const CliRun run = Calc({words.begin() + 3, input}, {input == words.end() ? input : input + 1, words.end()});
        EXPECT_EQ(run.status, std::stoi(words[0]));
        EXPECT_EQ(run.io.out, words[1]);
        EXPECT_EQ(run.io.err, words[2]);
    });
}

TEST(CalcCli, InteractiveUseFlushesAfterEachFormula)
{
    const CliRun run = Calc({}, {"1+1", "2+2"}, true);
    ASSERT_EQ(run.io.flushedAtRead.size(), 3u);
    EXPECT_EQ(run.io.flushedAtRead[1], "Ans=[2]\n");
    EXPECT_EQ(run.io.flushedAtRead[2], "Ans=[2]\nAns=[4]\n");
}

// Characters beyond the basic plane count as two units, as in the window.
TEST(CalcCli, LengthIsCountedInUtf16Units)
{
    std::string formula(1021, ' ');
    formula += "\xF0\x9F\x98\x80";  // U+1F600: two units, 1023 in all
    const CliRun fits = Calc({}, {formula});
    EXPECT_EQ(fits.io.err, "");
    EXPECT_NE(fits.io.out.find("^ syntax error"), std::string::npos);
    const CliRun tooLong = Calc({"-a"}, {formula + " "});
    EXPECT_EQ(tooLong.io.out, "Erorr\n");
}

// A stream that fails gives its own status, 3, whatever the formulas did.
TEST(CalcCli, UnreadableInputOrUnwritableOutputExitWithThree)
{
    for (bool input : {true, false}) {
        for (const char* formula : {"1+1", "1/0"}) {
            SCOPED_TRACE(std::string(input ? "input " : "output ") + formula);
            CliRun run{0, StringIo({formula})};
            (input ? run.io.inputError : run.io.outputError) = "Is a directory";
            run.status = RunCalcCli({}, run.io);
            EXPECT_EQ(run.status, 3);
            EXPECT_EQ(run.io.err, std::string("vexilo-calc: cannot ") + (input ? "read standard input" : "write standard output")
                                      + ": Is a directory\n");
        }
    }
}
