// The window's rectangle at start and at the end, its minimum size, and a
// settings file that cannot be written.
#include "tests/app/AppTest.h"

#include <cwchar>

namespace {

void WriteRectangle(App& app, const Box& box)
{
    app.WriteSettingsText({L"[WndPos]", L"left=" + std::to_wstring(box[0]), L"top=" + std::to_wstring(box[1]),
                           L"width=" + std::to_wstring(box[2]), L"height=" + std::to_wstring(box[3])});
}

Box SavedRectangle(const App& app)
{
    Box box = {};
    const wchar_t* const KEYS[] = {L"left", L"top", L"width", L"height"};
    for (size_t i = 0; i < box.size(); ++i) {
        box[i] = std::wcstol(app.SettingsValue(L"WndPos", KEYS[i]).c_str(), nullptr, 10);
    }
    return box;
}

TEST(WindowState, MinimisedOrMaximisedWindowSavesItsRestoredRectangle)
{
    struct Shape {
        const char* what;
        int showCommand;
        BOOL(WINAPI* holds)(HWND);
    };
    const Shape SHAPES[] = {{"minimised", SW_MINIMIZE, IsIconic}, {"maximised", SW_MAXIMIZE, IsZoomed}};
    const Box restored = {150, 100, 620, 540};
    for (const Shape& shape : SHAPES) {
        SCOPED_TRACE(shape.what);
        App app;
        WriteRectangle(app, restored);
        ASSERT_TRUE(app.Start());
        ShowWindow(app.Main(), shape.showCommand);
        ASSERT_TRUE(shape.holds(app.Main()));
        ASSERT_NE(BoxOf(App::ScreenRect(app.Main())), restored) << "the window did not change shape";

        // A successful calculation saves too.
        EXPECT_TRUE(app.Calculate(0, L"1+1").empty());
        EXPECT_EQ(SavedRectangle(app), restored);
        ASSERT_TRUE(app.Close());
        EXPECT_EQ(SavedRectangle(app), restored);
    }
}

TEST(WindowState, SavedRectangleIsHonouredUnlessTooSmallOrOffScreen)
{
    // Where the window must open, relative to the saved rectangle or to the
    // work area of the screen.
    enum class Edge { Saved, WorkStart, WorkEnd };
    struct Placement {
        const char* what;
        Box saved;
        Edge leftFrom;
        Edge topFrom;
        int width, height;  // as opened
    };
    const Placement PLACEMENTS[] = {
        {"a sound rectangle", {100, 120, 640, 560}, Edge::Saved, Edge::Saved, 640, 560},
        {"exactly the minimum", {30, 40, 500, 510}, Edge::Saved, Edge::Saved, 500, 510},
        {"partly off the screen", {-100, -50, 700, 600}, Edge::Saved, Edge::Saved, 700, 600},
        {"one pixel too narrow", {100, 100, 499, 600}, Edge::Saved, Edge::Saved, 500, 600},
        {"one pixel too low", {100, 100, 700, 509}, Edge::Saved, Edge::Saved, 700, 510},
        {"no size at all", {0, 0, 0, 0}, Edge::WorkStart, Edge::WorkStart, 500, 510},
        {"far right of the screen", {30000, 100, 700, 600}, Edge::WorkEnd, Edge::Saved, 700, 600},
        {"far above and left", {-30000, -30000, 700, 600}, Edge::WorkStart, Edge::WorkStart, 700, 600},
        {"small in the bottom right corner", {30000, 30000, 100, 100}, Edge::WorkEnd, Edge::WorkEnd, 500, 510},
    };
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const Placement& placement : PLACEMENTS) {
        SCOPED_TRACE(placement.what);
        auto expected = [](Edge from, LONG saved, LONG start, LONG end, int size) {
            return from == Edge::Saved ? saved : from == Edge::WorkStart ? start : end - size;
        };
        App app;
        WriteRectangle(app, placement.saved);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())),
                  (Box{expected(placement.leftFrom, placement.saved[0], work.left, work.right, placement.width),
                       expected(placement.topFrom, placement.saved[1], work.top, work.bottom, placement.height),
                       placement.width, placement.height}));
    }
}

TEST(WindowState, DraggingStopsAt500By510)
{
    struct Drag {
        const char* what;
        int edge;
        RECT dragged;
        Box held;
    };
    constexpr Drag DRAGS[] = {
        {"corner far too small", WMSZ_BOTTOMRIGHT, {100, 100, 300, 200}, {100, 100, 500, 510}},
        {"right edge one pixel short", WMSZ_RIGHT, {100, 100, 599, 700}, {100, 100, 500, 600}},
        {"bottom edge one pixel short", WMSZ_BOTTOM, {100, 100, 700, 609}, {100, 100, 600, 510}},
        // The opposite edge moves instead of the dragged one.
        {"left edge past the limit", WMSZ_LEFT, {250, 100, 700, 700}, {250, 100, 500, 600}},
        {"top edge past the limit", WMSZ_TOP, {100, 300, 700, 700}, {100, 300, 600, 510}},
        {"top left corner", WMSZ_TOPLEFT, {400, 400, 700, 700}, {400, 400, 500, 510}},
        {"exactly the minimum", WMSZ_BOTTOMRIGHT, {100, 100, 600, 610}, {100, 100, 500, 510}},
        {"larger", WMSZ_BOTTOMRIGHT, {10, 20, 900, 800}, {10, 20, 890, 780}},
    };
    App app;
    ASSERT_TRUE(app.Start());
    for (const Drag& drag : DRAGS) {
        SCOPED_TRACE(drag.what);
        // Wine carries the RECT of WM_SIZING across processes and back.
        RECT rect = drag.dragged;
        EXPECT_EQ(SendMessageW(app.Main(), WM_SIZING, drag.edge, reinterpret_cast<LPARAM>(&rect)), 0);
        EXPECT_EQ(BoxOf(rect), drag.held);
    }
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
    constexpr int ROW = 0;  // Decimal mode
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder in the settings file's place" : "read-only settings file");
        App app;
        const std::wstring path = app.SettingsPath();
        auto block = [&] {
            return folder ? DeleteFileW(path.c_str()) && CreateDirectoryW(path.c_str(), nullptr)
                          : SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
        };
        auto clear = [&] {
            return folder ? RemoveDirectoryW(path.c_str()) != 0
                          : SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
        };
        // Calculates and returns the log lines it added.
        auto calculate = [&](const wchar_t* formula) {
            const size_t logBefore = app.LogLines().size();
            EXPECT_TRUE(app.Calculate(ROW, formula).empty());
            return app.LogLinesAfter(logBefore);
        };
        ASSERT_TRUE(app.Start());
        calculate(L"1+1");
        const std::string saved = app.SettingsBytes();
        ASSERT_FALSE(saved.empty());
        ASSERT_TRUE(block());

        Texts added = calculate(L"2+2");
        ASSERT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0], L"Ans=[4]");
        EXPECT_TRUE(IsSaveFailure(added[1], path));
        // Nothing else changes.
        EXPECT_EQ(App::Text(app.AnswerField()), L"4");
        EXPECT_EQ(App::ComboItems(app.FormulaBox(ROW)).at(0), L"2+2");
        // Once only, while the saves keep failing.
        EXPECT_EQ(calculate(L"3+3"), Texts{L"Ans=[6]"});

        ASSERT_TRUE(clear());
        if (app.SettingsExist()) {
            EXPECT_EQ(app.SettingsBytes(), saved);
        }
        EXPECT_EQ(calculate(L"4+4"), Texts{L"Ans=[8]"});
        EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), L"4+4");

        // A save that fails after a success is reported again.
        ASSERT_TRUE(block());
        added = calculate(L"5+5");
        ASSERT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0], L"Ans=[10]");
        EXPECT_TRUE(IsSaveFailure(added[1], path));

        // A save that fails at the end goes with the log: a message box tells
        // it, in the interface language, before the program ends.
        const bool japanese = !folder;
        if (japanese) {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
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
