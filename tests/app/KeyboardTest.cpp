// The dialogs used with the keyboard, with real key input: the explanation
// dialog, from the Help menu or the "?" button, shows the text of the
// interface language over the top-left corner of the main window's client
// area, modal, from its first line; Enter or Escape closes it, as Escape
// closes the save dialog. The focus comes back to the control that had it,
// with its selection and the rows' view, and after another window was in
// front. The Tab cycle, the action keys and the row keys: data/scripts/keys.txt.
#include "tests/app/AppTest.h"

#include <tuple>

#include "help/ExplainTexts.h"
#include "tests/app/RealInput.h"

namespace {

TEST(Keyboard, DialogsCloseByKeyAndTheFocusComesBack)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(BringToFront(app.Main()));
    const int row = 14;
    HWND edit = ComboEdit(app.FormulaBox(row));
    for (int down = 1; down <= row; ++down) {
        PressChord({VK_CONTROL, VK_DOWN});
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == ComboEdit(app.FormulaBox(down)); }));
    }
    app.Settle();
    SendMessageW(edit, EM_SETSEL, 2, 5);
    const Texts log = app.LogLines();
    const std::wstring answer = App::Text(app.AnswerField());

    // Whether in Japanese, the command (0: the "?" button, clicked) and the
    // closing key. The "?" button keeps the focus it takes from the click:
    // those come last.
    constexpr std::tuple<bool, int, WORD> DIALOGS[] = {
        {false, IDM_EXPLAIN, VK_RETURN}, {true, IDM_EXPLAIN, VK_ESCAPE},
        {true, IDM_STORE_LOG, VK_ESCAPE}, {true, 0, VK_RETURN}, {false, 0, VK_ESCAPE}};
    for (const auto& [japanese, command, closingKey] : DIALOGS) {
        SCOPED_TRACE(::testing::Message() << japanese << " " << command << " " << closingKey);
        if (japanese != (App::Text(app.AnswerLabel()) == L"答え")) {
            EXPECT_TRUE(app.Command(IDM_JAPANESE).empty());
        }
        HWND focus = command ? edit : app.PanelControl(IDC_HELP_BUTTON);
        if (command) {
            PostMessageW(app.Main(), WM_COMMAND, command, 0);  // as the menu sends it
        } else {
            ClickAt(CenterOf(focus));
        }
        HWND dialog = app.WaitForWindowOfClass(L"#32770");
        ASSERT_TRUE(dialog && GetDlgItem(dialog, command == IDM_STORE_LOG ? SAVE_FILE_NAME : IDC_EXPLAIN_TEXT));
        if (command != IDM_STORE_LOG) {
            HWND text = GetDlgItem(dialog, IDC_EXPLAIN_TEXT);
            std::vector<wchar_t> expected(EXPLAIN_CAPACITY);
            EXPECT_EQ(App::Text(text), std::wstring(expected.data(), BuildExplanation(japanese, expected.data(), expected.size())));
            EXPECT_TRUE(WaitUntil([&] { return EditSelection(text) == std::make_pair<DWORD, DWORD>(0, 0); }));
            EXPECT_EQ(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
            EXPECT_EQ(FocusOf(dialog), text);
            POINT corner = {0, 0}, mainCorner = {0, 0};
            ClientToScreen(dialog, &corner);
            ClientToScreen(app.Main(), &mainCorner);
            EXPECT_EQ(std::make_pair(corner.x, corner.y), std::make_pair(mainCorner.x, mainCorner.y));
            EXPECT_FALSE(IsWindowEnabled(app.Main()));  // modal
        }
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
        PressKey(closingKey);
        ASSERT_TRUE(WaitGone(dialog));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == focus; })) << "focus on " << FocusOf(app.Main());
        EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit) == std::make_pair<DWORD, DWORD>(2, 5); }));
        EXPECT_EQ(FirstInView(app), 5);
        app.Settle();
        EXPECT_TRUE(IsWindowEnabled(app.Main()));
        EXPECT_EQ(app.LogLines(), log);
        EXPECT_EQ(App::Text(app.AnswerField()), answer);
    }

    // On a button, the release of the Enter that closed the dialog presses nothing.
    HWND toggle = app.ModeToggle(row);
    const bool integer = !App::Checked(toggle);
    ClickAt(CenterOf(toggle));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == toggle && App::Checked(toggle) == integer; }));
    PostMessageW(app.Main(), WM_COMMAND, IDM_EXPLAIN, 0);
    HWND dialog = app.WaitForWindowOfClass(L"#32770");
    ASSERT_TRUE(dialog && WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == toggle; }));
    app.Settle();
    EXPECT_EQ(App::Checked(toggle), integer);

    // A window of the driver in front, then the program again.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(BringToFront(other));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) != toggle; }));
    ASSERT_TRUE(BringToFront(app.Main()));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == toggle; })) << "focus on " << FocusOf(app.Main());
    DestroyWindow(other);
}

}  // namespace
