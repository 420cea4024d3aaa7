// The window's rectangle at start and at the end, and a settings file that
// cannot be written.
#include "tests/app/AppTest.h"

#include <cwchar>

#include "app/WindowPlacement.h"
#include "tests/support/DataFile.h"

namespace {

Box SavedRectangle(const App& app)
{
    Box box = {};
    const wchar_t* const KEYS[] = {L"left", L"top", L"width", L"height"};
    for (size_t i = 0; i < box.size(); ++i) box[i] = std::wcstol(app.SettingsValue(L"WndPos", KEYS[i]).c_str(), nullptr, 10);
    return box;
}

// A saved rectangle off the screen is pulled onto the work area; minimised or
// maximised, the window saves the rectangle it has when restored, at each
// successful calculation and at the end.
TEST(WindowState, OffScreenRectangleIsPulledInAndTheRestoredOneIsSaved)
{
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    App app;
    app.WriteSettingsText({L"[WndPos]", L"left=30000", L"top=100", L"width=700", L"height=600"});
    ASSERT_TRUE(app.Start());
    const Box restored = {work.right - 700, 100, 700, 600};
    EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), restored);
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ShowWindow(app.Main(), show);
        ASSERT_NE(BoxOf(App::ScreenRect(app.Main())), restored) << "the window did not change shape";
        EXPECT_TRUE(app.Calculate(0, L"1+1").empty());
        EXPECT_EQ(SavedRectangle(app), restored) << show;
    }
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(SavedRectangle(app), restored);
}

// The rule behind it, case by case from data/work-area-fit.txt.
TEST(WindowState, FitIntoWorkAreaFollowsTheTable)
{
    const std::wstring path = DataPath("work-area-fit.txt");
    ForEachDataLine(std::string(path.begin(), path.end()), [](const std::vector<std::string>& w) {
        ASSERT_TRUE(w.size() == 14 && w[9] == "=>");
        auto n = [&w](size_t i) { return std::stoi(w[i]); };
        const RECT fitted = FitIntoWorkArea(n(0), n(1), n(2), n(3), {n(4), n(5), n(6), n(7)}, n(8) != 0, {500, 510});
        EXPECT_EQ(BoxOf(fitted), BoxOf({n(10), n(11), n(12), n(13)}));
    });
}

// The report of a failed save: the settings file's path and the system's
// text for the error code that it names, without the text's line break.
// A log line is all on one line.
::testing::AssertionResult IsSaveFailure(const std::wstring& text, const std::wstring& settingsPath, bool oneLine = true)
{
    const size_t at = text.rfind(L"[0X");
    const DWORD code = at == std::wstring::npos ? 0 : std::wcstoul(text.c_str() + at + 3, nullptr, 16);
    const std::wstring systemText = SystemErrorText(code);
    if (text.find(settingsPath) == std::wstring::npos || code == 0 || systemText.empty()
        || text.find(L":" + systemText + L"]") == std::wstring::npos
        || (oneLine && text.find_first_of(L"\r\n") != std::wstring::npos)) {
        return ::testing::AssertionFailure() << ::testing::PrintToString(text) << " is not the path "
                                             << ::testing::PrintToString(settingsPath) << " with a code and its text "
                                             << ::testing::PrintToString(systemText);
    }
    return ::testing::AssertionSuccess();
}

TEST(WindowState, FailedSaveIsLoggedOnceUntilASaveSucceeds)
{
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder in the settings file's place" : "read-only settings file");
        App app;
        const std::wstring path = app.SettingsPath();
        auto block = [&] {
            return folder ? DeleteFileW(path.c_str()) && CreateDirectoryW(path.c_str(), nullptr)
                          : SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
        };
        auto clear = [&] {
            return folder ? RemoveDirectoryW(path.c_str()) != 0 : SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
        };
        // Calculates in row 0 and returns the log lines it added.
        auto calculate = [&](const wchar_t* formula) {
            const size_t logBefore = app.LogLines().size();
            EXPECT_TRUE(app.Calculate(0, formula).empty());
            return app.LogLinesAfter(logBefore);
        };
        ASSERT_TRUE(app.Start());
        calculate(L"1+1");
        const std::string saved = app.SettingsBytes();
        ASSERT_FALSE(saved.empty());
        // Reported once while the saves keep failing, again after a success.
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(block());
            Texts added = calculate(round ? L"5+5" : L"2+2");
            ASSERT_EQ(added.size(), 2u);
            EXPECT_EQ(added[0], round ? L"Ans=[10]" : L"Ans=[4]");
            EXPECT_TRUE(IsSaveFailure(added[1], path));
            if (round) break;
            EXPECT_EQ(App::ComboItems(app.FormulaBox(0)).at(0), L"2+2");
            EXPECT_EQ(calculate(L"3+3"), Texts{L"Ans=[6]"});
            ASSERT_TRUE(clear());
            if (app.SettingsExist()) {
                EXPECT_EQ(app.SettingsBytes(), saved);
            }
            EXPECT_EQ(calculate(L"4+4"), Texts{L"Ans=[8]"});
            EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), L"4+4");
        }
        // A save that fails at the end goes with the log: a message box tells
        // it, in the interface language, before the program ends.
        const bool japanese = !folder;
        if (japanese) {
            EXPECT_TRUE(app.Command(IDM_JAPANESE).empty());
        }
        PostMessageW(app.Main(), WM_CLOSE, 0, 0);
        std::wstring message;
        ASSERT_TRUE(app.AnswerMessageBox(IDOK, message));
        EXPECT_TRUE(app.Close());
        EXPECT_TRUE(IsSaveFailure(message, path, false));
        EXPECT_EQ(message.find(japanese ? L"The settings" : L"設定"), std::wstring::npos) << ::testing::PrintToString(message);
        ASSERT_TRUE(clear());
    }
}

}  // namespace
