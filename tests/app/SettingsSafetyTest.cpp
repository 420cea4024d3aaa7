// Settings files that another program holds, that the profile functions
// cannot understand, that hold line breaks, or that cannot be written beside
// the program: nothing the user typed or kept is lost.
#include <algorithm>
#include <thread>

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
// so once, in the interface language, and no save replaces it. Once it can
// be read the next save joins its histories with this run's (this run's
// first, no entry twice); the modes, the language and the window the user
// has stay as they are.
TEST(SettingsSafety, LockedFileIsKeptAndJoinsOnlyItsHistoriesOnceReadable)
{
    App app;
    const std::wstring path = app.SettingsPath();
    app.WriteSettingsText({L"[Language]", L"Japanese=1", L"[History0]", L"Str00=7*6", L"Str01=2+2",
                           L"[Switch]", L"Int0=1", L"Int1=0", L"[WndPos]", L"left=60", L"top=70", L"width=640",
                           L"height=560"});
    const std::string original = app.SettingsBytes();
    const HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(app.Start());

    EXPECT_EQ(LinesWith(app, {L"The settings file cannot be read", path, SystemErrorText(ERROR_SHARING_VIOLATION)}), 1u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({}));
    EXPECT_TRUE(app.Calculate(0, L"2+2").empty());
    EXPECT_TRUE(app.Calculate(2, L"3*3").empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"9");
    CloseHandle(holder);
    EXPECT_EQ(app.SettingsBytes(), original);

    const bool rowOneInteger = App::Checked(app.ModeToggle(1));
    EXPECT_TRUE(app.Calculate(0, L"1+2").empty());
    const Texts joined = History({L"1+2", L"2+2", L"7*6"});
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), joined);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(2)), History({L"3*3"}));
    EXPECT_FALSE(App::Checked(app.ModeToggle(0)));
    EXPECT_EQ(App::Checked(app.ModeToggle(1)), rowOneInteger);
    EXPECT_EQ(App::Text(app.AnswerLabel()), L"Answer");
    // The save that joined the file wrote what the user has, not what the file held.
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    EXPECT_EQ(app.SettingsValue(L"Switch", L"Int0"), L"0");
    const Box window = BoxOf(App::ScreenRect(app.Main()));
    ASSERT_TRUE(app.Close());
    for (int entry = 0; entry < 3; ++entry) {
        const std::wstring key = L"Str0" + std::to_wstring(entry);
        EXPECT_EQ(app.SettingsValue(L"History0", key.c_str()), joined[static_cast<size_t>(entry)]);
    }
    EXPECT_EQ(app.SettingsValue(L"History0", L"Str03"), L"");
    EXPECT_EQ(app.SettingsValue(L"History2", L"Str00"), L"3*3");
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    EXPECT_EQ(app.SettingsValue(L"Switch", L"Int0"), L"0");
    EXPECT_EQ(app.SettingsValue(L"Switch", L"Int1"), rowOneInteger ? L"1" : L"0");
    EXPECT_EQ((Box{std::stoi(app.SettingsValue(L"WndPos", L"left")), std::stoi(app.SettingsValue(L"WndPos", L"top")),
                   std::stoi(app.SettingsValue(L"WndPos", L"width")), std::stoi(app.SettingsValue(L"WndPos", L"height"))}),
              window);
}

// Two copies started from one folder both save; the last save stands. A
// save that meets the temporary file of the other copy's save waits for it
// instead of failing, and neither copy reports a failure, during the run
// or at its end.
TEST(SettingsSafety, TwoCopiesSaveInTurn)
{
    App first;
    const std::wstring path = first.SettingsPath();
    ASSERT_TRUE(first.Start());
    App second(first.Folder());
    ASSERT_TRUE(second.Start());

    const HANDLE held = CreateFileW((path + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(150);
        CloseHandle(held);
    });
    const size_t logged = first.LogLines().size();
    const Texts boxes = first.Calculate(0, L"6*7");
    release.join();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(first.LogLinesAfter(logged), Texts{L"Ans=[42]"});
    EXPECT_EQ(first.SettingsValue(L"History0", L"Str00"), L"6*7");

    EXPECT_TRUE(second.Calculate(1, L"5*5").empty());
    EXPECT_EQ(second.SettingsValue(L"History1", L"Str00"), L"5*5");
    EXPECT_EQ(second.SettingsValue(L"History0", L"Str00"), L"dms( acos( 0 - 1 ) )");
    // Both end at once; each save at the end meets the other's.
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(first.Calculate(2, L"1+" + std::to_wstring(round)).empty());
        EXPECT_TRUE(second.Calculate(3, L"2+" + std::to_wstring(round)).empty());
    }
    PostMessageW(first.Main(), WM_CLOSE, 0, 0);
    PostMessageW(second.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(second.Close());
    const std::wstring row2 = App::ProfileValue(path, L"History2", L"Str00");
    EXPECT_TRUE(row2 == L"1+2" || row2 == L"TOz( x * pi + e )") << ::testing::PrintToString(row2);
    EXPECT_EQ(App::ProfileValue(path, L"History3", L"Str00") == L"2+2", row2 != L"1+2");
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A file in an encoding the profile functions cannot read is copied to
// vexilo.ini.bak before the first save replaces it, said in the interface
// language; a second such file does not overwrite that copy. Line breaks typed into a value never make keys
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
    EXPECT_EQ(LinesWith(app, {L"The unreadable settings file was kept as", path + L".bak"}), 1u);
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
    EXPECT_TRUE(app.Command(IDM_JAPANESE).empty());
    EXPECT_TRUE(app.Calculate(0, L"2+2").empty());
    EXPECT_EQ(ReadFileBytes(path + L".bak"), utf16);
    EXPECT_EQ(ReadFileBytes(path + L".bak2"), utf32);
    EXPECT_EQ(LinesWith(app, {L"読み取れない設定ファイルを", path + L".bak2"}), 1u);
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The program installed where the user may not write: the read-only folder
// that tools/small_disk.sh mounts for CTest, holding vexilo.exe with
// vexilo.ini (8*8) and calc2.exe with calc2.ini (9*9), and the program's
// folder in the user's application-data folder, emptied. Both folders are
// empty paths when the read-only one is not there.
struct ReadOnlyInstall {
    std::wstring folder;
    std::wstring userFolder;
    std::wstring userPath;  // userFolder's vexilo.ini
};

// Removes what the program put into the user's folder.
void EmptyUserFolder(const std::wstring& userFolder)
{
    for (const wchar_t* name : {L"vexilo.ini", L"calc2.ini"}) DeleteFileW((userFolder + L"\\" + name).c_str());
    DeleteFileW(userFolder.c_str());
    RemoveDirectoryW(userFolder.c_str());
}

ReadOnlyInstall PrepareReadOnlyInstall()
{
    const std::wstring folder = MountedFolder("VEXILO_READONLY_FOLDER");
    const std::wstring probe = folder + L"\\probe";
    const bool writable = !folder.empty() && CreateDirectoryW(probe.c_str(), nullptr) && RemoveDirectoryW(probe.c_str());
    wchar_t appData[MAX_PATH] = L"";
    if (folder.empty() || writable || GetFileAttributesW((folder + L"\\calc2.exe").c_str()) == INVALID_FILE_ATTRIBUTES
        || GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH) == 0) {
        return {};
    }
    const std::wstring userFolder = std::wstring(appData) + L"\\Vexilo";
    EmptyUserFolder(userFolder);
    return {folder, userFolder, userFolder + L"\\vexilo.ini"};
}

constexpr const char* NO_READONLY_FOLDER =
    "needs the read-only folder with vexilo.exe that tools/small_disk.sh mounts (as root) for CTest";

// Installed where the user may not write: the settings go to the user's
// application-data folder, said once, the first time, in the interface
// language; the file beside the program is read first.
TEST(SettingsSafety, ProgramFolderThatCannotBeWrittenKeepsTheSettingsInTheUsersFolder)
{
    const auto [folder, userFolder, userPath] = PrepareReadOnlyInstall();
    if (folder.empty()) GTEST_SKIP() << NO_READONLY_FOLDER;

    App app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(LinesWith(app, {userPath}), 1u);
    EXPECT_EQ(LinesWith(app, {L"The program's folder cannot be written", userPath}), 1u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"8*8"}));
    EXPECT_TRUE(app.Calculate(0, L"6*7").empty());
    EXPECT_EQ(LinesWith(app, {L"設定ファイルを保存できませんでした"}), 0u);
    EXPECT_EQ(App::ProfileValue(userPath, L"History0", L"Str00"), L"6*7");
    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(LinesWith(app, {userPath}), 0u);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"6*7", L"8*8"}));
    ASSERT_TRUE(app.Close());
    EmptyUserFolder(userFolder);
}

// When the file beside the program cannot be copied to the user's folder,
// this run reads it where it is and says so in one line; the next start
// copies it. A renamed program keeps its own name in the user's folder.
TEST(SettingsSafety, ACopyToTheUsersFolderThatFailsIsReadWhereItIsAndTriedAgain)
{
    const auto [folder, userFolder, userPath] = PrepareReadOnlyInstall();
    if (folder.empty()) GTEST_SKIP() << NO_READONLY_FOLDER;
    const std::wstring besidePath = folder + L"\\vexilo.ini";
    // A file where the user's folder should be: nothing can be copied there.
    WriteFileBytes(userFolder, "in the way");

    App app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"8*8"}));
    EXPECT_EQ(LinesWith(app, {besidePath}), 1u);
    EXPECT_EQ(LinesWith(app, {userPath, besidePath, L"could not be copied"}), 1u);
    PostMessageW(app.Main(), WM_CLOSE, 0, 0);
    std::wstring message;
    ASSERT_TRUE(app.AnswerMessageBox(IDOK, message));
    EXPECT_NE(message.find(userPath), std::wstring::npos) << ::testing::PrintToString(message);
    ASSERT_TRUE(app.Close());

    DeleteFileW(userFolder.c_str());
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({L"8*8"}));
    EXPECT_EQ(LinesWith(app, {besidePath}), 0u);
    EXPECT_EQ(App::ProfileValue(userPath, L"History0", L"Str00"), L"8*8");
    ASSERT_TRUE(app.Close());

    App renamed(folder, L"calc2.exe");
    ASSERT_TRUE(renamed.Start());
    const std::wstring renamedPath = userFolder + L"\\calc2.ini";
    EXPECT_EQ(LinesWith(renamed, {renamedPath}), 1u);
    EXPECT_EQ(App::ComboItems(renamed.FormulaBox(0)), History({L"9*9"}));
    EXPECT_TRUE(renamed.Calculate(0, L"2*3").empty());
    ASSERT_TRUE(renamed.Close());
    EXPECT_EQ(App::ProfileValue(renamedPath, L"History0", L"Str00"), L"2*3");
    EXPECT_EQ(App::ProfileValue(userPath, L"History0", L"Str00"), L"8*8");
    EmptyUserFolder(userFolder);
}

}  // namespace
