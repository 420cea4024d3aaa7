// The release zip as a user meets it: unpacked by tests/release/zip_test.sh
// into a folder whose path has blanks and non-ASCII letters, started from
// there. Run only by that script, which names the folders in the
// environment; CTest's runs leave these tests out.
#include <algorithm>

#include "tests/app/AppTest.h"

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : L"";
}

bool Logged(const App& app, const std::wstring& part)
{
    const Texts lines = app.LogLines();
    return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) { return line.find(part) != std::wstring::npos; });
}

// Unpacked where the user may write: the first start calculates and ends,
// leaving vexilo.ini beside the program; the next start reads it (skipped
// with VEXILO_ZIP_NO_RESTART=1 where each start is costly: the read-only
// run below reads that same file).
TEST(FromZip, WritableFolderKeepsTheSettingsBesideTheProgram)
{
    const std::wstring folder = Environment(L"VEXILO_ZIP_FOLDER");
    ASSERT_FALSE(folder.empty()) << "VEXILO_ZIP_FOLDER names the unpacked zip";
    App app(folder);
    ASSERT_FALSE(app.SettingsExist());
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Calculate(0, L"6*7").empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"42");
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), L"6*7");
    if (Environment(L"VEXILO_ZIP_NO_RESTART") == L"1") return;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)).front(), L"6*7");
    ASSERT_TRUE(app.Close());
}

// Unpacked where the folder cannot be written, with the settings file of
// the run above beside the program: it is read, and what is used from then
// on is kept in the user's folder, said once in the log.
TEST(FromZip, ReadOnlyFolderKeepsTheSettingsInTheUsersFolder)
{
    const std::wstring folder = Environment(L"VEXILO_ZIP_READONLY_FOLDER");
    ASSERT_FALSE(folder.empty()) << "VEXILO_ZIP_READONLY_FOLDER names the unpacked zip on a read-only disk";
    const std::wstring userPath = Environment(L"APPDATA") + L"\\Vexilo\\vexilo.ini";
    DeleteFileW(userPath.c_str());
    App app(folder);
    const std::string beside = app.SettingsBytes();
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(Logged(app, userPath));
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)).front(), L"6*7");
    EXPECT_TRUE(app.Calculate(1, L"2+3").empty());
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(App::ProfileValue(userPath, L"History1", L"Str00"), L"2+3");
    EXPECT_EQ(App::ProfileValue(userPath, L"History0", L"Str00"), L"6*7");
    EXPECT_EQ(app.SettingsBytes(), beside);
    DeleteFileW(userPath.c_str());
}

}  // namespace
