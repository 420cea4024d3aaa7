#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/DecFunctions.h"

// Every file of tools/make_math_reference.py holds one function's cases:
// "<name> <argument bits> [<argument bits>] <expected result bits>", each
// double as 16 hexadecimal digits. The engine's answer must have exactly the
// expected bits, on every build.

namespace {

const DecFunction* FunctionNamed(const std::string& name)
{
    const std::wstring wanted(name.begin(), name.end());
    for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
        if (DEC_FUNCTIONS[i].name == wanted + L"(") return &DEC_FUNCTIONS[i];
    }
    return nullptr;
}

bool ParseBits(const std::string& hex, uint64_t& out)
{
    if (hex.size() != 16) return false;
    char* end = nullptr;
    out = std::strtoull(hex.c_str(), &end, 16);
    return *end == '\0';
}

// Distance in units in the last place, through the ordered bit patterns.
uint64_t UlpDistance(uint64_t a, uint64_t b)
{
    auto ordered = [](uint64_t v) { return v >> 63 ? ~v : v | (1ULL << 63); };
    const uint64_t x = ordered(a), y = ordered(b);
    return x > y ? x - y : y - x;
}

struct Summary {
    size_t cases = 0;
    size_t mismatches = 0;
    uint64_t worstUlps = 0;
    std::string examples;
};

// Checks one file; a malformed line or an unknown function fails at once.
Summary CheckFile(const std::filesystem::path& file, const DecFunction& function, const std::string& name)
{
    Summary summary;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string lineName;
        std::vector<uint64_t> numbers;
        std::string hex;
        fields >> lineName;
        while (fields >> hex) {
            uint64_t v;
            if (!ParseBits(hex, v)) break;
            numbers.push_back(v);
        }
        if (lineName != name || numbers.size() != static_cast<size_t>(function.operands) + 1 || !fields.eof()) {
            ADD_FAILURE() << "malformed line: " << line;
            return summary;
        }
        const double a = std::bit_cast<double>(numbers[0]);
        const double result = function.operands == 1 ? function.apply1(a)
                                                     : function.apply2(a, std::bit_cast<double>(numbers[1]));
        const uint64_t got = std::bit_cast<uint64_t>(result);
        const uint64_t expected = numbers.back();
        ++summary.cases;
        if (got == expected) continue;
        ++summary.mismatches;
        const uint64_t ulps = UlpDistance(got, expected);
        if (ulps > summary.worstUlps) summary.worstUlps = ulps;
        if (summary.mismatches <= 5) {
            char text[160];
            std::snprintf(text, sizeof text, "\n  %s gave %016llx, expected %016llx (%.17g)", line.c_str(),
                          static_cast<unsigned long long>(got), static_cast<unsigned long long>(expected),
                          std::bit_cast<double>(expected));
            summary.examples += text;
        }
    }
    return summary;
}

TEST(MathReference, EveryResultHasTheExpectedBits)
{
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VEXILO_MATH_DATA_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().stem().string();
        const DecFunction* function = FunctionNamed(name);
        if (function == nullptr || (function->apply1 == nullptr && function->apply2 == nullptr)) {
            ADD_FAILURE() << entry.path().string() << ": the engine has no arithmetic function " << name;
            continue;
        }
        ++files;
        const Summary summary = CheckFile(entry.path(), *function, name);
        std::printf("%-6s %5zu cases, %zu mismatches, worst %llu ulp\n", name.c_str(), summary.cases,
                    summary.mismatches, static_cast<unsigned long long>(summary.worstUlps));
        EXPECT_GE(summary.cases, 2000u) << name;
        EXPECT_EQ(summary.mismatches, 0u) << name << ", worst " << summary.worstUlps << " ulp:" << summary.examples;
    }
    EXPECT_GT(files, 0u) << "no reference files in " << VEXILO_MATH_DATA_DIR;
}

}  // namespace
