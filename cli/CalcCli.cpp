#include "cli/CalcCli.h"

#include <array>
#include <optional>

#include "engine/Calculation.h"
#include "util/MessageReport.h"
#include "util/Utf8.h"
#include "VexiloVersion.h"

namespace {

constexpr int EXIT_ALL_SUCCEEDED = 0;
constexpr int EXIT_SOME_FAILED = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_IO_ERROR = 3;

constexpr const char* USAGE_LINE = "usage: vexilo-calc [options] [FORMULA]\n";

std::string FailedAnswer()
{
    return WideToUtf8(FAILED_ANSWER);
}

std::string HelpText()
{
    return
        "usage: vexilo-calc [options] [FORMULA]\n"
        "\n"
        "Calculates FORMULA, or each line of standard input, with the Vexilo\n"
        "formula engine and prints what the window's log would show.\n"
        "\n"
        "  -i, --int        Integer mode          -d, --dec       Decimal mode (default)\n"
        "  -j, --japanese   engine messages in Japanese\n"
        "  -x TEXT, -y TEXT, -z TEXT   initial texts of the variables (default: empty)\n"
        "  -a, --answer     print only what the answer field would show: the answer, or " + FailedAnswer() + " on failure\n"
        "  -v, --vars       after each successful calculation print one line: x=[X] y=[Y] z=[Z]\n"
        "  -h, --help       this text\n"
        "      --version    the program's name and version on stdout, exit 0\n"
        "\n"
        "Exit status: 0 when every formula succeeded, 1 when one failed, 2 for a usage error,\n"
        "3 when standard input could not be read or standard output could not be written.\n";
}

struct Options {
    bool intMode = false;
    bool japanese = false;
    bool answerOnly = false;
    bool printVars = false;
    bool help = false;
    bool version = false;
    std::array<std::wstring, 3> vars;  // x, y, z
    std::optional<std::string> formula;
};

// Parses the arguments; returns an error text, or nothing when they are fine.
// Short options may be grouped (-ia); -x, -y and -z take the rest of their
// argument or the next one (-x5, -x 5).
std::optional<std::string> ParseArgs(const std::vector<std::string>& args, Options& options)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (options.formula) return "more than one FORMULA: '" + arg + "'";
            options.formula = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg[1] == '-') {
            if (arg == "--int") options.intMode = true;
            else if (arg == "--dec") options.intMode = false;
            else if (arg == "--japanese") options.japanese = true;
            else if (arg == "--answer") options.answerOnly = true;
            else if (arg == "--vars") options.printVars = true;
            else if (arg == "--help") options.help = true;
            else if (arg == "--version") options.version = true;
            else return "unknown option '" + arg + "'";
        } else {
            for (size_t k = 1; k < arg.size(); ++k) {
                const char flag = arg[k];
                switch (flag) {
                case 'i': options.intMode = true; break;
                case 'd': options.intMode = false; break;
                case 'j': options.japanese = true; break;
                case 'a': options.answerOnly = true; break;
                case 'v': options.printVars = true; break;
                case 'h': options.help = true; break;
                case 'x': case 'y': case 'z': {
                    std::string value;
                    if (k + 1 < arg.size()) value = arg.substr(k + 1);
                    else if (i + 1 < args.size()) value = args[++i];
                    else return std::string("option -") + flag + " needs a TEXT";
                    options.vars[flag - 'x'] = Utf8ToWide(value);
                    k = arg.size();
                    break;
                }
                default: return std::string("unknown option '-") + flag + "'";
                }
            }
        }
    }
    return std::nullopt;
}

CliIo* g_Io = nullptr;  // the streams of the running RunCalcCli

// Engine messages (m_StackCnt=2, a caught failure) go to stderr, after what
// stdout holds so far, so that 2>&1 keeps the order.
int WriteMessageToStderr(unsigned /*flags*/, const wchar_t* text)
{
    g_Io->FlushOut();
    g_Io->Err(WideToUtf8(text) + "\n");
    return 1;
}

// Calculates one formula as the window's Calc button does and prints the
// log lines; returns whether it succeeded. The variables are taken over from
// the engine only after a success.
bool CalculateFormula(const std::string& utf8, Options& options, CliIo& io, bool batch)
{
    CalculationRequest request;
    request.formula = Utf8ToWide(utf8);
    request.intMode = options.intMode;
    request.japanese = options.japanese;
    request.variables = options.vars;
    const CalculationResult result = Calculate(request);

    if (result.outcome == CalculationResult::Outcome::TOO_LONG) {
        const std::string message = WideToUtf8(result.message);
        io.FlushOut();
        io.Err(message + "\n");
        // Still the lines of a refused formula, so that each input line has its answer.
        if (batch) io.Out(options.answerOnly ? FailedAnswer() + "\n" : utf8 + "\n" + message + "\n");
        return false;
    }
    if (options.answerOnly) {
        io.Out(WideToUtf8(result.answerText) + "\n");
    } else {
        for (const std::wstring& line : result.logLines) io.Out(WideToUtf8(line) + "\n");
    }
    if (result.outcome != CalculationResult::Outcome::ANSWERED) return false;

    options.vars = result.variables;
    if (options.printVars) {
        io.Out("x=[" + WideToUtf8(options.vars[0]) + "] y=[" + WideToUtf8(options.vars[1]) + "] z=["
               + WideToUtf8(options.vars[2]) + "]\n");
    }
    return true;
}

}  // namespace

int RunCalcCli(const std::vector<std::string>& args, CliIo& io)
{
    Options options;
    if (const auto problem = ParseArgs(args, options)) {
        io.Err("vexilo-calc: " + *problem + "\n");
        io.Err(USAGE_LINE);
        return EXIT_USAGE;
    }
    if (options.help) {
        io.Out(HelpText());
        io.FlushOut();
        return EXIT_ALL_SUCCEEDED;
    }
    if (options.version) {
        io.Out("vexilo-calc " VEXILO_VERSION_TEXT "\n");
        io.FlushOut();
        return EXIT_ALL_SUCCEEDED;
    }

    g_Io = &io;
    const MessageSink previousSink = SetMessageSink(WriteMessageToStderr);
    bool allSucceeded = true;
    if (options.formula) {
        allSucceeded = CalculateFormula(*options.formula, options, io, false);
    } else {
        const bool interactive = io.Interactive();
        std::string line;
        while (io.ReadLine(line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            allSucceeded &= CalculateFormula(line, options, io, true);
            if (interactive) io.FlushOut();
        }
    }
    io.FlushOut();
    SetMessageSink(previousSink);
    g_Io = nullptr;
    // Lost input or output is not a calculation's failure: it has its own status.
    int status = allSucceeded ? EXIT_ALL_SUCCEEDED : EXIT_SOME_FAILED;
    if (const std::string error = io.InputError(); !error.empty()) {
        io.Err("vexilo-calc: cannot read standard input: " + error + "\n");
        status = EXIT_IO_ERROR;
    }
    if (const std::string error = io.OutputError(); !error.empty()) {
        io.Err("vexilo-calc: cannot write standard output: " + error + "\n");
        status = EXIT_IO_ERROR;
    }
    return status;
}
