// The explanation dialog, opened from the Help menu or the "?" button, in the
// interface language, over the top-left corner of the main window's client
// area, closed with Enter or Escape.
#include "tests/app/AppTest.h"

#include "help/ExplainTexts.h"
#include "tests/app/RealInput.h"

namespace {

POINT ClientOrigin(HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

TEST(ExplainDialog, ShowsTheTextOfTheLanguageAtTheClientCornerAndClosesWithEnterOrEscape)
{
    struct DialogCase {
        bool japanese;
        bool fromHelpMenu;  // or from the "?" button
        WORD closingKey;
    };
    constexpr DialogCase DIALOG_CASES[] = {
        {false, true, VK_RETURN}, {false, false, VK_ESCAPE}, {true, false, VK_RETURN}, {true, true, VK_ESCAPE}};
    App app;
    ASSERT_TRUE(app.Start());
    for (const DialogCase& shown : DIALOG_CASES) {
        SCOPED_TRACE(::testing::Message() << (shown.japanese ? "Japanese" : "English")
                                          << (shown.fromHelpMenu ? ", Help menu" : ", ? button")
                                          << (shown.closingKey == VK_RETURN ? ", Enter" : ", Escape"));
        if (shown.japanese && App::Text(app.AnswerLabel()) == L"Answer") {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
        }
        if (shown.fromHelpMenu) {
            PostMessageW(app.Main(), WM_COMMAND, VexiloId::CMD_EXPLAIN, 0);
        } else {
            ASSERT_TRUE(BringToFront(app.Main()));
            ClickAt(CenterOf(app.PanelControl(VexiloId::HELP_BUTTON)));
        }
        HWND dialog = app.WaitForWindowOfClass(L"#32770");
        ASSERT_NE(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, VexiloId::EXPLAIN_TEXT);
        ASSERT_NE(edit, nullptr);

        std::vector<wchar_t> expected(EXPLAIN_CAPACITY);
        const size_t length = BuildExplanation(shown.japanese, expected.data(), expected.size());
        EXPECT_EQ(App::Text(edit), std::wstring(expected.data(), length));
        // From the first line, caret at the start, nothing selected, the text focused.
        EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit) == std::make_pair<DWORD, DWORD>(0, 0); }));
        EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_EQ(FocusOf(dialog), edit);
        const POINT corner = ClientOrigin(dialog);
        const POINT mainCorner = ClientOrigin(app.Main());
        EXPECT_EQ(corner.x, mainCorner.x);
        EXPECT_EQ(corner.y, mainCorner.y);
        EXPECT_FALSE(IsWindowEnabled(app.Main()));  // modal

        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
        PressKey(shown.closingKey);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
    }
}

}  // namespace
