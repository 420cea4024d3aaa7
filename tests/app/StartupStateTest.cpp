// What another program can read of the window right after start-up, with a
// full settings file: compared as a whole with the state kept in
// data/startup-state-96.txt, so that a change in how the window is built
// cannot change anything outside-visible unnoticed.
//
// The run also writes what it saw to startup-state-96.actual.txt beside
// app_tests.exe. When the window's look is meant to change (a new style, a
// new control), regenerate the expected file from it:
//   tools/wine-exec 64 out/win64/bin/app_tests.exe --gtest_filter='StartupState.*'
//   cp out/win64/bin/startup-state-96.actual.txt tests/app/data/startup-state-96.txt
// and review the difference before committing it. The file is taken at 96 DPI.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/app/AppTest.h"
#include "tests/app/WindowStateDump.h"
#include "util/Utf8.h"

namespace {

TEST(StartupState, MatchesTheExpectedDump)
{
    // Every list full, with entries of many lengths (the extent follows the
    // widest), Japanese and percent signs among them, modes mixed.
    Texts settings;
    std::istringstream lines(ReadFileBytes(DataPath("startup-settings.ini")));
    for (std::string line; std::getline(lines, line);) settings.push_back(Utf8ToWide(line));
    App app;
    app.WriteSettingsText(settings);
    ASSERT_TRUE(app.Start());
    const std::string actual = JoinUtf8(DescribeWindowTree(app.Main()));
    std::ofstream(std::filesystem::path(BesideThisProgram(L"startup-state-96.actual.txt")), std::ios::binary) << actual;

    const std::string expected = ReadFileBytes(DataPath("startup-state-96.txt"));
    ASSERT_FALSE(expected.empty()) << "no expected dump at " << VEXILO_APP_TEST_DATA;
    // Both hold many lines: GoogleTest shows a failure as a difference by lines.
    EXPECT_EQ(actual, expected);
}

}  // namespace
