// Time of one calculation of the longest formulas a row can hold.
// Run: out/release/bench/engine_bench
#include <benchmark/benchmark.h>

#include <string>

#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "util/MessageReport.h"

namespace {

// Repeats the pattern and trims to exactly 1023 characters, closing with a
// literal so that the formula is complete.
std::wstring LongFormula(const std::wstring& pattern, const std::wstring& last)
{
    std::wstring formula;
    while (formula.size() + pattern.size() + last.size() <= TEXT_CAPACITY - 1) formula += pattern;
    formula += last;
    formula.append(TEXT_CAPACITY - 1 - formula.size(), L' ');
    return formula;
}

void Calculate(benchmark::State& state, int intMode, const std::wstring& formula)
{
    if (formula.size() != TEXT_CAPACITY - 1) state.SkipWithError("formula is not 1023 characters");
    for (auto _ : state) {
        FormulaEngine engine;
        engine.m_IntMode = intMode;
        StrCopy(engine.m_sBuff, formula.c_str());
        StrCopy(engine.m_sX, L"12");
        const wchar_t* answer = engine.Calculate();
        if (!answer) state.SkipWithError("the formula was refused");
        benchmark::DoNotOptimize(answer);
    }
}

void IntegerFormula1023(benchmark::State& state)
{
    static const std::wstring formula = LongFormula(L"(0X1F*x-7)%5+(3<<2)^~9|", L"1");
    Calculate(state, 1, formula);
}

void DecimalFormula1023(benchmark::State& state)
{
    static const std::wstring formula = LongFormula(L"sin(1.5)*x-sqrt(2)/3+max(pi,e)+", L"1");
    Calculate(state, 0, formula);
}

BENCHMARK(IntegerFormula1023)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecimalFormula1023)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
