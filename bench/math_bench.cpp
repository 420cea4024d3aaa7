// Time per call of the engine's elementary functions against the C library's
// on the same arguments, and the ratio of the two.
// Run: out/release/bench/math_bench [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/DecFunctions.h"

namespace {

constexpr int ARGUMENT_COUNT = 1024;

// A fixed sequence of doubles in [low, high) (or from 10^low to 10^high),
// the same for both sides of each comparison.
std::vector<double> Arguments(double low, double high, bool logarithmic, uint64_t seed)
{
    std::vector<double> out;
    uint64_t state = seed;
    for (int i = 0; i < ARGUMENT_COUNT; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) * 0x1p-53;
        const double v = low + (high - low) * unit;
        out.push_back(logarithmic ? std::pow(10.0, v) : v);
    }
    return out;
}

struct Case {
    const char* name;
    double (*library1)(double);
    double (*library2)(double, double);
    double low1, high1, low2, high2;
    bool logarithmic;
};

const Case CASES[] = {
    {"sin", [](double v) { return std::sin(v); }, nullptr, -10, 10, 0, 0, false},
    {"cos", [](double v) { return std::cos(v); }, nullptr, -10, 10, 0, 0, false},
    {"tan", [](double v) { return std::tan(v); }, nullptr, -10, 10, 0, 0, false},
    {"asin", [](double v) { return std::asin(v); }, nullptr, -1, 1, 0, 0, false},
    {"acos", [](double v) { return std::acos(v); }, nullptr, -1, 1, 0, 0, false},
    {"atan", [](double v) { return std::atan(v); }, nullptr, -100, 100, 0, 0, false},
    {"exp", [](double v) { return std::exp(v); }, nullptr, -20, 20, 0, 0, false},
    {"log", [](double v) { return std::log(v); }, nullptr, -10, 10, 0, 0, true},
    {"log10", [](double v) { return std::log10(v); }, nullptr, -10, 10, 0, 0, true},
    {"pow", nullptr, [](double a, double b) { return std::pow(a, b); }, 0.1, 100, -20, 20, false},
    {"hypot", nullptr, [](double a, double b) { return std::hypot(a, b); }, -1000, 1000, -1000, 1000, false},
};

const DecFunction* EngineFunction(const char* name)
{
    const std::string wanted = std::string(name) + "(";
    for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
        if (std::wstring(wanted.begin(), wanted.end()) == DEC_FUNCTIONS[i].name) return &DEC_FUNCTIONS[i];
    }
    return nullptr;
}

// One call per iteration, walking through the arguments.
void Run(benchmark::State& state, const Case& c, bool engine)
{
    const DecFunction* function = EngineFunction(c.name);
    if (function == nullptr) {
        state.SkipWithError("no such engine function");
        return;
    }
    const std::vector<double> first = Arguments(c.low1, c.high1, c.logarithmic, 1);
    const std::vector<double> second = Arguments(c.low2, c.high2, false, 2);
    size_t i = 0;
    for (auto _ : state) {
        double r;
        if (c.library1) {
            r = engine ? function->apply1(first[i]) : c.library1(first[i]);
        } else {
            r = engine ? function->apply2(first[i], second[i]) : c.library2(first[i], second[i]);
        }
        benchmark::DoNotOptimize(r);
        i = (i + 1) % ARGUMENT_COUNT;
    }
}

// The console output, then one line per function: both CPU times per call
// and their ratio (CPU time, so that other work on the machine counts less).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median stands for each benchmark.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            m_Times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-6s %12s %12s %8s\n", "", "engine ns", "library ns", "ratio");
        for (const Case& c : CASES) {
            const auto engine = m_Times.find(std::string(c.name) + "/engine");
            const auto library = m_Times.find(std::string(c.name) + "/library");
            if (engine == m_Times.end() || library == m_Times.end()) continue;
            std::printf("%-6s %12.1f %12.1f %8.2f\n", c.name, engine->second, library->second,
                        engine->second / library->second);
        }
    }

private:
    std::map<std::string, double> m_Times;
};

}  // namespace

int main(int argc, char** argv)
{
    for (const Case& c : CASES) {
        benchmark::RegisterBenchmark((std::string(c.name) + "/engine").c_str(),
                                     [&c](benchmark::State& s) { Run(s, c, true); });
        benchmark::RegisterBenchmark((std::string(c.name) + "/library").c_str(),
                                     [&c](benchmark::State& s) { Run(s, c, false); });
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
