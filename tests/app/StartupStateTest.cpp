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

#include "tests/app/AppTest.h"
#include "tests/app/WindowStateDump.h"

namespace {

constexpr int HISTORY_ENTRIES = 20;  // what the program keeps of each history

// Every list full, with entries of many lengths (the extent follows the
// widest), Japanese and percent signs among them, modes mixed.
std::vector<std::wstring> VariedSettings()
{
    std::vector<std::wstring> lines = {L"[Language]", L"Japanese=0"};
    auto entryKey = [](int entry) { return (entry < 10 ? L"Str0" : L"Str") + std::to_wstring(entry) + L"="; };
    for (int row = 0; row < ROW_COUNT; ++row) {
        lines.push_back(L"[History" + std::to_wstring(row) + L"]");
        for (int entry = 0; entry < HISTORY_ENTRIES; ++entry) {
            std::wstring text = std::to_wstring(row) + L"*" + std::to_wstring(entry);
            for (int more = (row * 7 + entry * 5) % 23; more > 0; --more) text += more % 5 ? L"+12" : L"+日本%";
            lines.push_back(entryKey(entry) + text);
        }
    }
    for (const wchar_t* var : {L"X", L"Y", L"Z"}) {
        lines.push_back(std::wstring(L"[History") + var + L"]");
        for (int entry = 0; entry < HISTORY_ENTRIES; ++entry) lines.push_back(entryKey(entry) + std::wstring(entry % 7 + 1, L'9'));
    }
    lines.push_back(L"[Switch]");
    for (int row = 0; row < ROW_COUNT; ++row) lines.push_back(L"Int" + std::to_wstring(row) + L"=" + std::to_wstring(row % 3 == 1));
    for (const wchar_t* line : {L"[WndPos]", L"left=60", L"top=40", L"width=720", L"height=640"}) lines.push_back(line);
    return lines;
}

TEST(StartupState, MatchesTheExpectedDump)
{
    App app;
    app.WriteSettingsText(VariedSettings());
    ASSERT_TRUE(app.Start());
    const std::string actual = JoinUtf8(DescribeWindowTree(app.Main()));
    std::ofstream(std::filesystem::path(BesideThisProgram(L"startup-state-96.actual.txt")), std::ios::binary) << actual;

    const std::string expected = FileBytes(DataPath("startup-state-96.txt"));
    ASSERT_FALSE(expected.empty()) << "no expected dump at " << VEXILO_APP_TEST_DATA;
    // Both hold many lines: GoogleTest shows a failure as a difference by lines.
    EXPECT_EQ(actual, expected);
}

}  // namespace
