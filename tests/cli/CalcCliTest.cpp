#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CalcCli.h"

namespace {

// Standard streams in memory. "combined" is what 2>&1 would show: stdout
// text arrives there only when flushed, stderr text at once.
class StringIo : public CliIo {
public:
    explicit StringIo(std::vector<std::string> lines = {}, bool interactive = false)
        : m_Lines(std::move(lines)), m_Interactive(interactive) {}

    bool ReadLine(std::string& line) override
    {
        flushedAtRead.push_back(combined);
        if (m_Next >= m_Lines.size()) return false;
        line = m_Lines[m_Next++];
        return true;
    }
    void Out(std::string_view text) override
    {
        out += text;
        m_Pending += text;
    }
    void Err(std::string_view text) override
    {
        err += text;
        combined += text;
    }
    void FlushOut() override
    {
        combined += m_Pending;
        m_Pending.clear();
    }
    bool Interactive() const override { return m_Interactive; }
    std::string InputError() const override { return inputError; }
    std::string OutputError() const override { return outputError; }

    std::string inputError;   // what the streams report, set by a test
    std::string outputError;
    std::string out;
    std::string err;
    std::string combined;
    std::vector<std::string> flushedAtRead;  // what 2>&1 showed at each read

private:
    std::vector<std::string> m_Lines;
    size_t m_Next = 0;
    bool m_Interactive;
    std::string m_Pending;
};

struct CliRun {
    int status;
    StringIo io;
};

CliRun Calc(std::vector<std::string> args, std::vector<std::string> lines = {})
{
    CliRun run{0, StringIo(std::move(lines))};
    run.status = RunCalcCli(args, run.io);
    return run;
}

}  // namespace

TEST(CalcCli, FormulaArgumentPrintsTheLogLines)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"1+2*3"}, 0, "Ans=[7]\n"},
        {{"-i", "0X(255)"}, 0, "Ans=[0XFF]\n"},
        {{"--int", "7/2"}, 0, "Ans=[3]\n"},
        {{"--dec", "7/2"}, 0, "Ans=[3.5]\n"},
        {{"(1"}, 1, "(1\n__^ syntax error\n"},
        {{"-j", "1+*2"}, 1, "1+*2\n__^ \xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC\n"},  // __^ エラー
        {{"-a", "2*pi"}, 0, "6.28318530717959\n"},
        {{"-ia", "5+"}, 1, "Erorr\n"},
        {{"-v", "TOx(3)*2"}, 0, "Ans=[6]\nx=[3] y=[] z=[]\n"},
        {{"-v", "1/0"}, 1, "1/0\ndivision by 0 error\n"},
        {{"-i", "-x", "0X10", "x+1"}, 0, "Ans=[17]\n"},
        {{"-ix0X10", "x+1"}, 0, "Ans=[17]\n"},
        {{"-y", "2.5", "-z", "4", "-v", "y*z"}, 0, "Ans=[10]\nx=[] y=[2.5] z=[4]\n"},
        {{"--", "-5"}, 1, "-5\n^ syntax error\n"},
        {{"\xEF\xBC\x91"}, 1, "\xEF\xBC\x91\n^ syntax error\n"},  // a full-width １ is echoed as typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const CliRun run = Calc(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.io.out, c.out);
        EXPECT_EQ(run.io.err, "");
    }
}

// Lines from stdin carry the variables over, but only from successes; one
// failure makes the status 1. The order of the two streams through real
// pipes is checked by contract_test.sh.
TEST(CalcCli, BatchCarriesVariablesOverAfterSuccessOnly)
{
    const CliRun run = Calc({"-v"}, {"TOx(5)", "x*2", "TOx(9)+1/0", "x", "TOy(x/2)\r", ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.io.out,
              "Ans=[5]\nx=[5] y=[] z=[]\n"
              "Ans=[10]\nx=[5] y=[] z=[]\n"
              "TOx(9)+1/0\ndivision by 0 error\n"
              "Ans=[5]\nx=[5] y=[] z=[]\n"
              "Ans=[2.5]\nx=[5] y=[2.5] z=[]\n"
              "Ans=[]\nx=[5] y=[2.5] z=[]\n");
    EXPECT_EQ(run.io.err, "m_StackCnt=2\nm_StackCnt=0\n");
    EXPECT_EQ(Calc({}, {}).status, 0);  // no formula, no failure
}

TEST(CalcCli, InteractiveUseFlushesAfterEachFormula)
{
    CliRun run{0, StringIo({"1+1", "2+2"}, true)};
    run.status = RunCalcCli({}, run.io);
    ASSERT_EQ(run.io.flushedAtRead.size(), 3u);
    EXPECT_EQ(run.io.flushedAtRead[1], "Ans=[2]\n");
    EXPECT_EQ(run.io.flushedAtRead[2], "Ans=[2]\nAns=[4]\n");
}

// The message in the chosen language on stderr; in a batch the lines of a
// refused formula, so that output line N still answers input line N.
TEST(CalcCli, FormulaLongerThan1023CharactersIsRefused)
{
    std::string fits = "1";
    while (fits.size() < 1023) fits += "+1";
    ASSERT_EQ(fits.size(), 1023u);
    const CliRun ok = Calc({}, {fits});
    EXPECT_EQ(ok.io.out, "Ans=[512]\n");

    const std::string tooLong = fits + " ";
    const std::string english = "The formula is too long.";
    const std::string japanese = "\xE5\xBC\x8F\xE3\x81\x8C\xE9\x95\xB7\xE9\x81\x8E\xE3\x81\x8E\xE3\x81\xBE\xE3\x81\x99\xE3\x80\x82";  // 式が長過ぎます。
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> lines;
        std::string out;
        std::string err;
    } cases[] = {
        {{"-a"}, {"1", tooLong, "2"}, "1\nErorr\n2\n", english},
        {{"-aj"}, {tooLong}, "Erorr\n", japanese},
        {{}, {tooLong, "2"}, tooLong + "\n" + english + "\nAns=[2]\n", english},
        {{"-j"}, {tooLong}, tooLong + "\n" + japanese + "\n", japanese},
        {{"-a", tooLong}, {}, "", english},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0]);
        const CliRun run = Calc(c.args, c.lines);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.io.out, c.out);
        EXPECT_EQ(run.io.err, c.err + "\n");
    }
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

TEST(CalcCli, UsageErrorsExitWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"}, {"-q"}, {"-x"}, {"1", "2"}, {"-i", "1+1", "-d", "2"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        const CliRun run = Calc(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.io.out, "");
        EXPECT_NE(run.io.err.find("usage: vexilo-calc [options] [FORMULA]\n"), std::string::npos);
    }
}

TEST(CalcCli, HelpGoesToStdout)
{
    for (const char* flag : {"-h", "--help"}) {
        const CliRun run = Calc({flag});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.io.out.rfind("usage: vexilo-calc [options] [FORMULA]\n", 0), 0u);
        EXPECT_NE(run.io.out.find("--vars"), std::string::npos);
        EXPECT_EQ(run.io.err, "");
    }
}
