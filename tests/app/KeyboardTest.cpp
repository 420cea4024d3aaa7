// The window used without a mouse, with real key input, reading the focused
// window back after each key: the focus at start, the whole Tab cycle both
// ways with the rows scrolled into view, Ctrl+Down and Ctrl+Up, Enter and
// Space on buttons, the action keys, and the focus coming back after the
// explanation dialog, the save dialog and a switch to another window.
#include "tests/app/AppTest.h"

#include <algorithm>

#include "tests/app/RealInput.h"

namespace {

// A row's top in the rows window, measured.
LONG TopInRows(App& app, HWND control)
{
    return App::RectIn(control, app.Rows()).top;
}

// What the rows window shows, measured: the pitch of the rows, how many fit
// whole, and which one is at the top.
struct RowsView {
    LONG pitch;
    int visible;
    int first;
};

RowsView ViewOf(App& app)
{
    RowsView view = {};
    view.pitch = TopInRows(app, app.FormulaBox(1)) - TopInRows(app, app.FormulaBox(0));
    if (view.pitch <= 0) return view;
    view.visible = static_cast<int>(App::ClientSize(app.Rows()).cy / view.pitch);
    view.first = static_cast<int>(-TopInRows(app, app.FormulaBox(0)) / view.pitch);
    return view;
}

// The first row in view after row is focused, moving the view as little as
// whole rows allow.
int FirstAfterFocus(int first, int visible, int row)
{
    if (row < first) return row;
    if (row >= first + visible) return row - visible + 1;
    return first;
}

// One stop of the Tab cycle: the window that gets the focus, and its row (-1 outside the rows).
struct Stop {
    HWND focus;
    int row;
};

std::vector<Stop> TabCycle(App& app)
{
    std::vector<Stop> stops = {{app.AnswerField(), -1},
                               {app.PanelControl(VexiloId::COPY), -1},
                               {app.PanelControl(VexiloId::ON_TOP), -1}};
    for (int var = 0; var < 3; ++var) stops.push_back({ComboEdit(app.VariableBox(var)), -1});
    stops.push_back({app.PanelControl(VexiloId::HELP_BUTTON), -1});
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        stops.push_back({ComboEdit(app.FormulaBox(row)), row});
        stops.push_back({app.ModeToggle(row), row});
        stops.push_back({app.CalcButton(row), row});
    }
    stops.push_back({app.Log(), -1});
    return stops;
}

// Presses the keys and waits until the focus is on the window expected and
// the program has finished with the keys.
bool KeysFocus(App& app, std::initializer_list<WORD> keys, HWND expected)
{
    PressChord(keys);
    const bool focused = WaitUntil([&] { return FocusOf(app.Main()) == expected; }, 5000);
    app.Settle();
    return focused;
}

// The row's controls lie inside the rows window's client area, and the
// rows stand on whole-row steps.
void ExpectInView(App& app, int row, int first)
{
    const RowsView view = ViewOf(app);
    ASSERT_GT(view.pitch, 0);
    EXPECT_EQ(view.first, first) << "row " << row;
    EXPECT_EQ(TopInRows(app, app.FormulaBox(0)) % view.pitch, 0);
    const LONG height = App::ClientSize(app.Rows()).cy;
    for (HWND control : {app.FormulaBox(row), app.ModeToggle(row), app.CalcButton(row)}) {
        const RECT rect = App::RectIn(control, app.Rows());
        EXPECT_GE(rect.top, 0) << "row " << row;
        EXPECT_LE(rect.bottom, height) << "row " << row;
    }
}

TEST(Keyboard, TabCyclesEveryControlBothWaysAndBringsEachRowIntoView)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(BringToFront(app.Main()));
    // At start: row 0's formula box, its whole text selected.
    HWND edit0 = ComboEdit(app.FormulaBox(0));
    const auto length = static_cast<DWORD>(App::Text(edit0).size());
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == edit0; }));
    EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit0) == std::make_pair<DWORD, DWORD>(0, DWORD(length)); }))
        << EditSelection(edit0).first << "-" << EditSelection(edit0).second << " of " << length;

    const std::vector<Stop> stops = TabCycle(app);
    const int visible = ViewOf(app).visible;
    ASSERT_GT(visible, 0);
    ASSERT_LT(visible, VexiloId::ROW_COUNT);
    const size_t start = 7;  // row 0's formula box
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards ? "Shift+Tab" : "Tab");
        int first = ViewOf(app).first;
        for (size_t step = 1; step <= stops.size(); ++step) {
            const size_t at = backwards ? (start + stops.size() - step) % stops.size() : (start + step) % stops.size();
            const Stop& stop = stops[at];
            SCOPED_TRACE(::testing::Message() << "stop " << at);
            ASSERT_TRUE(backwards ? KeysFocus(app, {VK_SHIFT, VK_TAB}, stop.focus) : KeysFocus(app, {VK_TAB}, stop.focus))
                << "focus on " << FocusOf(app.Main());
            if (stop.row >= 0) {
                first = FirstAfterFocus(first, visible, stop.row);
                ExpectInView(app, stop.row, first);
            }
        }
    }
}

TEST(Keyboard, RowsByCtrlArrowsActionKeysAndButtonsWithoutAMouse)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(BringToFront(app.Main()));
    HWND edit0 = ComboEdit(app.FormulaBox(0));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == edit0; }));

    // Typed over the selected sample formula, calculated with Enter.
    for (WORD key : {WORD('1'), WORD(VK_ADD), WORD('1'), WORD(VK_RETURN)}) PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return App::Text(app.AnswerField()) == L"2"; }));
    EXPECT_EQ(App::Text(app.FormulaBox(0)), L"1+1");
    EXPECT_EQ(app.LogLines().back(), L"Ans=[2]");
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == edit0; }));

    // Up and Down keep their meaning in a formula box: the history.
    SendMessageW(app.FormulaBox(0), CB_SETCURSEL, 1, 0);
    ASSERT_TRUE(KeysFocus(app, {VK_DOWN}, edit0));
    EXPECT_EQ(SendMessageW(app.FormulaBox(0), CB_GETCURSEL, 0, 0), 2);
    ASSERT_TRUE(KeysFocus(app, {VK_UP}, edit0));
    EXPECT_EQ(SendMessageW(app.FormulaBox(0), CB_GETCURSEL, 0, 0), 1);

    // Ctrl+Down row by row to row 12 (and Ctrl+Up back once); no wrap at either end.
    const int visible = ViewOf(app).visible;
    int first = 0;
    EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, VK_UP}, edit0));
    for (int row = 1; row <= 12; ++row) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(KeysFocus(app, {VK_CONTROL, VK_DOWN}, ComboEdit(app.FormulaBox(row))));
        first = FirstAfterFocus(first, visible, row);
        ExpectInView(app, row, first);
    }
    const int row = 12;
    HWND edit = ComboEdit(app.FormulaBox(row));

    // The action keys work on the focused row and leave the focus where it is.
    const bool integer = App::Checked(app.ModeToggle(row));
    EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, 'M'}, edit));
    EXPECT_TRUE(WaitUntil([&] { return App::Checked(app.ModeToggle(row)) != integer; }));
    EXPECT_EQ(App::Text(app.ModeToggle(row)), integer ? L"Dec" : L"Int");
    App::SetText(app.FormulaBox(row), L"6*7");
    SendMessageW(edit, EM_SETSEL, 1, 2);
    const size_t lines = app.LogLines().size();
    EXPECT_TRUE(KeysFocus(app, {VK_F9}, edit));
    EXPECT_TRUE(WaitUntil([&] { return App::Text(app.AnswerField()) == L"42"; }));
    EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit) == std::make_pair<DWORD, DWORD>(1, 2); }));
    EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, VK_SHIFT, 'C'}, edit));
    EXPECT_TRUE(WaitUntil([&] { return app.LogLines().size() == lines + 2; }));
    EXPECT_EQ(app.LogLinesAfter(lines), (Texts{L"Ans=[42]", L"[42]Copied to the Clipboard"}));
    HWND onTop = app.PanelControl(VexiloId::ON_TOP);
    for (bool topmost : {true, false}) {
        EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, 'T'}, edit));
        EXPECT_TRUE(WaitUntil([&] { return App::Checked(onTop) == topmost; }));
        EXPECT_EQ((GetWindowLongW(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    }

    // Space and Enter press a focused button: the mode toggle twice, then Calc,
    // which hands the focus to its formula box.
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, app.ModeToggle(row)));
    for (WORD key : {WORD(VK_SPACE), WORD(VK_RETURN)}) {
        const bool before = App::Checked(app.ModeToggle(row));
        PressKey(key);
        EXPECT_TRUE(WaitUntil([&] { return App::Checked(app.ModeToggle(row)) != before; })) << key;
    }
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, app.CalcButton(row)));
    App::SetText(app.FormulaBox(row), L"2*3");
    EXPECT_TRUE(KeysFocus(app, {VK_RETURN}, edit));
    EXPECT_TRUE(WaitUntil([&] { return App::Text(app.AnswerField()) == L"6"; }));

    // Row 19 is the last: Ctrl+Down stays there.
    HWND edit19 = ComboEdit(app.FormulaBox(19));
    for (int down = row + 1; down <= VexiloId::ROW_COUNT; ++down) {
        EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, VK_DOWN}, ComboEdit(app.FormulaBox(std::min(down, 19)))));
    }
    ExpectInView(app, 19, VexiloId::ROW_COUNT - visible);
    // From outside the rows (the log), the action keys mean the row used last.
    App::SetText(app.FormulaBox(19), L"1+2");
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, app.ModeToggle(19)));
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, app.CalcButton(19)));
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, app.Log()));
    const bool integer19 = App::Checked(app.ModeToggle(19));
    EXPECT_TRUE(KeysFocus(app, {VK_CONTROL, 'M'}, app.Log()));
    EXPECT_TRUE(WaitUntil([&] { return App::Checked(app.ModeToggle(19)) != integer19; }));
    EXPECT_TRUE(KeysFocus(app, {VK_F9}, edit19));
    EXPECT_TRUE(WaitUntil([&] { return App::Text(app.AnswerField()) == L"3"; }));
}

// The focus comes back to the control that had it: after the explanation
// dialog (closed with Enter, whose release calculates nothing), after Escape
// in the save dialog, and after another window was in front.
TEST(Keyboard, FocusComesBackAfterDialogsAndAnotherWindow)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(BringToFront(app.Main()));
    const int row = 14;
    HWND edit = ComboEdit(app.FormulaBox(row));
    for (int down = 1; down <= row; ++down) ASSERT_TRUE(KeysFocus(app, {VK_CONTROL, VK_DOWN}, ComboEdit(app.FormulaBox(down))));
    const int first = row - ViewOf(app).visible + 1;
    SendMessageW(edit, EM_SETSEL, 2, 5);
    const Texts log = app.LogLines();
    const std::wstring answer = App::Text(app.AnswerField());

    struct DialogCase {
        const char* name;
        int command;
        WORD closingKey;
        int control;  // a control that tells this dialog
    };
    constexpr int SAVE_FILE_NAME = 0x47C;
    const DialogCase DIALOGS[] = {{"explanation", VexiloId::CMD_EXPLAIN, VK_RETURN, VexiloId::EXPLAIN_TEXT},
                                  {"save dialog", VexiloId::CMD_STORE_LOG, VK_ESCAPE, SAVE_FILE_NAME}};
    for (const DialogCase& dialogCase : DIALOGS) {
        SCOPED_TRACE(dialogCase.name);
        PostMessageW(app.Main(), WM_COMMAND, dialogCase.command, 0);  // as the menu sends it
        HWND dialog = app.WaitForWindowOfClass(L"#32770");
        ASSERT_TRUE(dialog && GetDlgItem(dialog, dialogCase.control)) << (dialog ? ::testing::PrintToString(App::Text(dialog)) : "none");
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
        PressKey(dialogCase.closingKey);
        ASSERT_TRUE(WaitGone(dialog));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == edit; })) << "focus on " << FocusOf(app.Main());
        EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit) == std::make_pair<DWORD, DWORD>(2, 5); }));
        ExpectInView(app, row, first);
        app.Settle();
        EXPECT_EQ(app.LogLines(), log);
        EXPECT_EQ(App::Text(app.AnswerField()), answer);
    }

    // On a button, the release of the Enter that closed the dialog presses nothing.
    HWND toggle = app.ModeToggle(row);
    ASSERT_TRUE(KeysFocus(app, {VK_TAB}, toggle));
    const bool integer = App::Checked(toggle);
    PostMessageW(app.Main(), WM_COMMAND, VexiloId::CMD_EXPLAIN, 0);
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
