// The window's rectangle at start and at the end, its minimum size, and a
// settings file that cannot be written.
#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;
using Texts = std::vector<std::wstring>;

void WriteRectangle(App& app, int left, int top, int width, int height)
{
    app.WriteSettingsText({L"[WndPos]", L"left=" + std::to_wstring(left), L"top=" + std::to_wstring(top),
                           L"width=" + std::to_wstring(width), L"height=" + std::to_wstring(height)});
}

void ExpectSavedRectangle(const App& app, int left, int top, int width, int height)
{
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"left"), std::to_wstring(left));
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"top"), std::to_wstring(top));
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"width"), std::to_wstring(width));
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"height"), std::to_wstring(height));
}

RECT WorkArea()
{
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

TEST(WindowState, MinimisedOrMaximisedWindowSavesItsRestoredRectangle)
{
    struct Shape {
        const char* what;
        int showCommand;
        BOOL(WINAPI* holds)(HWND);
    };
    const Shape SHAPES[] = {{"minimised", SW_MINIMIZE, IsIconic}, {"maximised", SW_MAXIMIZE, IsZoomed}};
    for (const Shape& shape : SHAPES) {
        SCOPED_TRACE(shape.what);
        App app;
        WriteRectangle(app, 150, 100, 620, 540);
        ASSERT_TRUE(app.Start());
        ShowWindow(app.Main(), shape.showCommand);
        ASSERT_TRUE(shape.holds(app.Main()));
        const RECT now = App::ScreenRect(app.Main());
        ASSERT_FALSE(now.left == 150 && now.top == 100 && now.right == 770) << "the window did not change shape";

        // A successful calculation saves too.
        EXPECT_TRUE(app.Calculate(0, L"1+1").empty());
        ExpectSavedRectangle(app, 150, 100, 620, 540);
        ASSERT_TRUE(app.Close());
        ExpectSavedRectangle(app, 150, 100, 620, 540);
    }
}

TEST(WindowState, SavedRectangleIsHonouredUnlessTooSmallOrOffScreen)
{
    // Where the window must open, relative to the saved rectangle or to the
    // work area of the screen.
    enum class Edge { Saved, WorkStart, WorkEnd };
    struct Placement {
        const char* what;
        int left, top, width, height;  // as saved
        Edge leftFrom;
        Edge topFrom;
        int width2, height2;  // as opened
    };
    constexpr Placement PLACEMENTS[] = {
        {"a sound rectangle", 100, 120, 640, 560, Edge::Saved, Edge::Saved, 640, 560},
        {"exactly the minimum", 30, 40, 500, 510, Edge::Saved, Edge::Saved, 500, 510},
        {"partly off the screen", -100, -50, 700, 600, Edge::Saved, Edge::Saved, 700, 600},
        {"one pixel too narrow", 100, 100, 499, 600, Edge::Saved, Edge::Saved, 500, 600},
        {"one pixel too low", 100, 100, 700, 509, Edge::Saved, Edge::Saved, 700, 510},
        {"no size at all", 0, 0, 0, 0, Edge::WorkStart, Edge::WorkStart, 500, 510},
        {"far right of the screen", 30000, 100, 700, 600, Edge::WorkEnd, Edge::Saved, 700, 600},
        {"far above and left", -30000, -30000, 700, 600, Edge::WorkStart, Edge::WorkStart, 700, 600},
        {"small in the bottom right corner", 30000, 30000, 100, 100, Edge::WorkEnd, Edge::WorkEnd, 500, 510},
    };
    const RECT work = WorkArea();
    for (const Placement& placement : PLACEMENTS) {
        SCOPED_TRACE(placement.what);
        auto expected = [](Edge from, int saved, int start, int end, int size) {
            return from == Edge::Saved ? saved : from == Edge::WorkStart ? start : end - size;
        };
        const int left = expected(placement.leftFrom, placement.left, work.left, work.right, placement.width2);
        const int top = expected(placement.topFrom, placement.top, work.top, work.bottom, placement.height2);
        App app;
        WriteRectangle(app, placement.left, placement.top, placement.width, placement.height);
        ASSERT_TRUE(app.Start());

        const RECT rect = App::ScreenRect(app.Main());
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right - rect.left, placement.width2);
        EXPECT_EQ(rect.bottom - rect.top, placement.height2);
    }
}

TEST(WindowState, DraggingStopsAt500By510)
{
    struct Drag {
        const char* what;
        int edge;
        RECT dragged;
        RECT held;
    };
    constexpr Drag DRAGS[] = {
        {"corner far too small", WMSZ_BOTTOMRIGHT, {100, 100, 300, 200}, {100, 100, 600, 610}},
        {"right edge one pixel short", WMSZ_RIGHT, {100, 100, 599, 700}, {100, 100, 600, 700}},
        {"bottom edge one pixel short", WMSZ_BOTTOM, {100, 100, 700, 609}, {100, 100, 700, 610}},
        // The opposite edge moves instead of the dragged one.
        {"left edge past the limit", WMSZ_LEFT, {250, 100, 700, 700}, {250, 100, 750, 700}},
        {"top edge past the limit", WMSZ_TOP, {100, 300, 700, 700}, {100, 300, 700, 810}},
        {"top left corner", WMSZ_TOPLEFT, {400, 400, 700, 700}, {400, 400, 900, 910}},
        {"exactly the minimum", WMSZ_BOTTOMRIGHT, {100, 100, 600, 610}, {100, 100, 600, 610}},
        {"larger", WMSZ_BOTTOMRIGHT, {10, 20, 900, 800}, {10, 20, 900, 800}},
    };
    App app;
    ASSERT_TRUE(app.Start());
    for (const Drag& drag : DRAGS) {
        SCOPED_TRACE(drag.what);
        LRESULT result = -1;
        const RECT held = app.Sizing(drag.edge, drag.dragged, &result);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(held.left, drag.held.left);
        EXPECT_EQ(held.top, drag.held.top);
        EXPECT_EQ(held.right, drag.held.right);
        EXPECT_EQ(held.bottom, drag.held.bottom);
    }
}

// The log line of a failed save: the settings file's path and the system's
// text for the error code that the line names.
::testing::AssertionResult IsSaveFailureLine(const std::wstring& line, const std::wstring& settingsPath)
{
    if (line.find(settingsPath) == std::wstring::npos) {
        return ::testing::AssertionFailure() << "the line does not name " << ::testing::PrintToString(settingsPath);
    }
    const size_t at = line.rfind(L"[0X");
    if (at == std::wstring::npos) return ::testing::AssertionFailure() << "no error code in the line";
    const DWORD code = std::wcstoul(line.c_str() + at + 3, nullptr, 16);
    const std::wstring systemText = SystemErrorText(code);
    if (code == 0 || systemText.empty()) return ::testing::AssertionFailure() << "no system text for code " << code;
    if (line.find(systemText) == std::wstring::npos) {
        return ::testing::AssertionFailure() << "the line lacks the system's text "
                                             << ::testing::PrintToString(systemText);
    }
    return ::testing::AssertionSuccess();
}

TEST(WindowState, FailedSaveIsLoggedOnceUntilASaveSucceeds)
{
    struct Obstacle {
        const char* what;
        std::function<bool(App&)> block;
        std::function<bool(App&)> clear;
    };
    HANDLE lock = INVALID_HANDLE_VALUE;
    const Obstacle OBSTACLES[] = {
        {"read-only settings file", [](App& app) { return app.SetSettingsReadOnly(true); },
         [](App& app) { return app.SetSettingsReadOnly(false); }},
        {"settings file held open by another program",
         [&lock](App& app) {
             lock = CreateFileW(app.SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             return lock != INVALID_HANDLE_VALUE;
         },
         [&lock](App&) {
             const bool closed = CloseHandle(lock) != 0;
             lock = INVALID_HANDLE_VALUE;
             return closed;
         }},
        {"a folder in the settings file's place",
         [](App& app) {
             return DeleteFileW(app.SettingsPath().c_str()) && CreateDirectoryW(app.SettingsPath().c_str(), nullptr);
         },
         [](App& app) { return RemoveDirectoryW(app.SettingsPath().c_str()) != 0; }},
    };
    constexpr int ROW = 0;  // Decimal mode
    for (const Obstacle& obstacle : OBSTACLES) {
        SCOPED_TRACE(obstacle.what);
        App app;
        // Let go of the file before the folder goes, whatever stops the test.
        struct LockRelease {
            HANDLE& handle;
            ~LockRelease()
            {
                if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
                handle = INVALID_HANDLE_VALUE;
            }
        } lockRelease{lock};
        ASSERT_TRUE(app.Start());
        EXPECT_TRUE(app.Calculate(ROW, L"1+1").empty());
        ASSERT_TRUE(app.SettingsExist());
        const std::string saved = app.SettingsBytes();
        ASSERT_TRUE(obstacle.block(app));

        size_t logBefore = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(ROW, L"2+2").empty());
        Texts added = app.LogLinesAfter(logBefore);
        ASSERT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0], L"Ans=[4]");
        EXPECT_TRUE(IsSaveFailureLine(added[1], app.SettingsPath()));
        // Nothing else changes.
        EXPECT_EQ(App::Text(app.AnswerField()), L"4");
        EXPECT_EQ(App::ComboItems(app.FormulaBox(ROW)).at(0), L"2+2");

        // Once only, while the saves keep failing.
        logBefore = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(ROW, L"3+3").empty());
        EXPECT_EQ(app.LogLinesAfter(logBefore), Texts{L"Ans=[6]"});

        ASSERT_TRUE(obstacle.clear(app));
        if (app.SettingsExist()) {
            EXPECT_EQ(app.SettingsBytes(), saved);
        }
        logBefore = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(ROW, L"4+4").empty());
        EXPECT_EQ(app.LogLinesAfter(logBefore), Texts{L"Ans=[8]"});
        EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), L"4+4");

        // A save that fails after a success is reported again.
        ASSERT_TRUE(obstacle.block(app));
        logBefore = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(ROW, L"5+5").empty());
        added = app.LogLinesAfter(logBefore);
        ASSERT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0], L"Ans=[10]");
        EXPECT_TRUE(IsSaveFailureLine(added[1], app.SettingsPath()));
        ASSERT_TRUE(obstacle.clear(app));
    }
}

}  // namespace
