// Settings files that another program holds, that the profile functions
// cannot understand, that hold line breaks, or that cannot be written beside
// the program: nothing the user typed or kept is lost.
#include <algorithm>

#include "tests/app/AppTest.h"
#include "tests/support/SmallDisks.h"
#include "tests/util/ScratchFolder.h"

namespace {

// How many log lines hold every one of the parts.
size_t LinesWith(const App& app, const Texts& parts)
{
    const Texts lines = app.LogLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::wstring& line) {
        return std::all_of(parts.begin(), parts.end(), [&](const std::wstring& part) { return line.find(part) != std::wstring::npos; });
    }));
}

// The text as UTF-32LE bytes, without byte-order mark.
std::string Utf32Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text) bytes += Utf16Bytes(std::wstring(1, unit)) + std::string(2, '\0');
    return bytes;
}

Texts SectionNames(const std::wstring& path)
{
    wchar_t names[4096] = {};
    GetPrivateProfileSectionNamesW(names, 4096, path.c_str());
    Texts result;
    for (const wchar_t* name = names; *name; name += result.back().size() + 1) result.emplace_back(name);
    return result;
}

// Held open by another program that shares it with nobody: the start says
// so once, no save replaces it, and once it can be read the next save joins
// its histories, modes and language with what was used meanwhile.
TEST(SettingsSafety, LockedFileIsKeptAndJoinsWhatWasUsedOnceReadable)
{
    App app;
    const std::wstring path = app.SettingsPath();
    app.WriteSettingsText({L"[Language]", L"Japanese=1", L"[History0]", L"Str00=7*6", L"Str01=2+2",
                           L"[Switch]", L"Int0=1", L"[WndPos]", L"left=60", L"top=70", L"width=640", L"height=560"});
    const std::string original = app.SettingsBytes();
    const HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(app.Start());

    EXPECT_EQ(LinesWith(app, {path, SystemErrorText(ERROR_SHARING_VIOLATION)}), 1u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({}));
    EXPECT_TRUE(app.Calculate(2, L"3*3").empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"9");
    CloseHandle(holder);
    EXPECT_EQ(app.SettingsBytes(), original);

    EXPECT_TRUE(app.Calculate(0, L"1+2").empty());
    const Texts joined = History({L"1+2", L"7*6", L"2+2"});
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), joined);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(2)), History({L"3*3"}));
    EXPECT_TRUE(App::Checked(app.ModeToggle(0)));
    EXPECT_EQ(App::Text(app.AnswerLabel()), L"答え");
    ASSERT_TRUE(app.Close());
    for (int entry = 0; entry < 3; ++entry) {
        const std::wstring key = L"Str0" + std::to_wstring(entry);
        EXPECT_EQ(app.SettingsValue(L"History0", key.c_str()), joined[static_cast<size_t>(entry)]);
    }
    EXPECT_EQ(app.SettingsValue(L"History2", L"Str00"), L"3*3");
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"1");
    EXPECT_EQ(app.SettingsValue(L"Switch", L"Int0"), L"1");
}

// A file in an encoding the profile functions cannot read is copied to
// vexilo.ini.bak before the first save replaces it; a second such file does
// not overwrite that copy. Line breaks typed into a value never make keys
// or sections, and a temporary file left by a crash goes with the next save.
TEST(SettingsSafety, FileNotUnderstoodIsKeptAndValuesStayOnOneLine)
{
    App app;
    const std::wstring path = app.SettingsPath();
    const std::string utf16 = Utf16Bytes(L"[Language]\r\nJapanese=1\r\n[History0]\r\nStr00=5*5\r\n");
    WriteFileBytes(path, utf16);
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Calculate(0, L"1+1").empty());
    EXPECT_EQ(ReadFileBytes(path + L".bak"), utf16);
    EXPECT_EQ(LinesWith(app, {path + L".bak"}), 1u);
    EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), L"1+1");

    App::SetText(app.FormulaBox(3), L"2*3\r\n[WndPos]\r\nleft=900");
    EXPECT_TRUE(app.Click(app.CalcButton(3)).empty());
    App::SetText(app.VariableBox(0), L"4\n[Language]\nJapanese=1\x7F");
    EXPECT_TRUE(app.Calculate(4, L"1+1").empty());
    EXPECT_EQ(app.SettingsValue(L"History3", L"Str00"), L"2*3  [WndPos]  left=900");
    EXPECT_EQ(app.SettingsValue(L"HistoryX", L"Str00"), L"4 [Language] Japanese=1");
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    EXPECT_NE(app.SettingsValue(L"WndPos", L"left"), L"900");
    Texts sections = {L"Language"};
    for (int row = 0; row < ROW_COUNT; ++row) sections.push_back(L"History" + std::to_wstring(row));
    for (const wchar_t* name : {L"HistoryX", L"HistoryY", L"HistoryZ", L"Switch", L"WndPos"}) sections.push_back(name);
    EXPECT_EQ(SectionNames(path), sections);
    ASSERT_TRUE(app.Close());

    const std::string utf32 = "\xFF\xFE" + std::string(2, '\0') + Utf32Bytes(L"[History0]\r\nStr00=6*6\r\n");
    WriteFileBytes(path, utf32);
    WriteFileBytes(path + L".tmp", "left by a crash");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Calculate(0, L"2+2").empty());
    EXPECT_EQ(ReadFileBytes(path + L".bak"), utf16);
    EXPECT_EQ(ReadFileBytes(path + L".bak2"), utf32);
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Installed where the user may not write: the settings go to the user's
// application-data folder, said once, the first time; the file beside the
// program is read first.
TEST(SettingsSafety, ProgramFolderThatCannotBeWrittenKeepsTheSettingsInTheUsersFolder)
{
    const std::wstring folder = MountedFolder("VEXILO_READONLY_FOLDER");
    const std::wstring probe = folder + L"\\probe";
    const bool writable = !folder.empty() && CreateDirectoryW(probe.c_str(), nullptr) && RemoveDirectoryW(probe.c_str());
    if (folder.empty() || writable || GetFileAttributesW((folder + L"\\vexilo.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "needs the read-only folder with vexilo.exe that tools/small_disk.sh mounts (as root) for CTest";
    }
    wchar_t appData[MAX_PATH] = L"";
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    const std::wstring userFolder = std::wstring(appData) + L"\\Vexilo";
    const std::wstring userPath = userFolder + L"\\vexilo.ini";
    DeleteFileW(userPath.c_str());

    App app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(LinesWith(app, {userPath}), 1u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"8*8"}));
    EXPECT_TRUE(app.Calculate(0, L"6*7").empty());
    EXPECT_EQ(LinesWith(app, {L"設定ファイルを保存できませんでした"}), 0u);
    EXPECT_EQ(App::ProfileValue(userPath, L"History0", L"Str00"), L"6*7");
    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(LinesWith(app, {userPath}), 0u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"6*7", L"8*8"}));
    ASSERT_TRUE(app.Close());
    DeleteFileW(userPath.c_str());
    RemoveDirectoryW(userFolder.c_str());
}

}  // namespace
