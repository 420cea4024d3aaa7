// Enter and the wheel with the focus in a formula box, given as real key and
// mouse input: Enter calculates that row, the wheel scrolls the rows.
#include "tests/app/AppTest.h"

#include "tests/app/RealInput.h"

namespace {

using Selection = std::pair<DWORD, DWORD>;

constexpr int SPARE_ROW = 9;  // its mode toggle serves as an input barrier

// Clicks into a box's edit field, as a user does, and waits for the focus.
bool FocusByClick(App& app, HWND combo)
{
    HWND edit = ComboEdit(combo);
    if (!BringToFront(app.Main())) return false;
    ClickAt(CenterOf(edit));
    return WaitUntil([&] { return FocusOf(app.Main()) == edit; });
}

// Real input is handled in order: once a click given after the keys has
// flipped the spare toggle, the keys before it have been handled too. The
// toggle is then put back without input.
bool InputBarrier(App& app)
{
    HWND toggle = app.ModeToggle(SPARE_ROW);
    const bool checked = App::Checked(toggle);
    ClickAt(CenterOf(toggle));
    if (!WaitUntil([&] { return App::Checked(toggle) != checked; })) return false;
    app.Click(toggle);
    return App::Checked(toggle) == checked;
}

struct EnterCase {
    int row;
    const wchar_t* formula;  // each one changes x, so a second calculation would show
    Selection selection;
    const wchar_t* answer;
};

const EnterCase ENTER_CASES[] = {
    {1, L"TOx(x+1)", {2, 6}, L"6"},
    {3, L"TOx(x*3)", {0, 0}, L"15"},
    {5, L"TOx(x-10)", {9, 9}, L"-5"},
    {1, L"TOx(x+1)", {4, 4}, L"6"},  // the same box again
};

TEST(RowHooks, EnterInAFormulaBoxCalculatesThatRowOnceAndKeepsTheSelection)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (const EnterCase& enter : ENTER_CASES) {
        SCOPED_TRACE(::testing::Message() << enter.formula << " in row " << enter.row);
        app.SetIntegerMode(enter.row, true);
        App::SetText(app.VariableBox(0), L"5");
        HWND box = app.FormulaBox(enter.row);
        HWND edit = ComboEdit(box);
        App::SetText(box, enter.formula);
        ASSERT_TRUE(FocusByClick(app, box));
        SendMessageW(edit, EM_SETSEL, enter.selection.first, enter.selection.second);
        const size_t before = app.LogLines().size();

        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return App::Text(app.AnswerField()) == enter.answer; }));
        // The focus comes back to the formula box with the selection as it was.
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.Main()) == edit; }));
        EXPECT_EQ(EditSelection(edit), enter.selection);
        ASSERT_TRUE(InputBarrier(app));

        EXPECT_EQ(app.LogLinesAfter(before), Texts{L"Ans=[" + std::wstring(enter.answer) + L"]"});
        EXPECT_EQ(App::Text(app.VariableBox(0)), enter.answer);
        EXPECT_EQ(App::Text(box), enter.formula);  // nothing inserted
        EXPECT_EQ(EditSelection(edit), enter.selection);
    }
}

TEST(RowHooks, EnterInAVariableBoxCalculatesNothing)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (int var = 0; var < 3; ++var) {
        SCOPED_TRACE(var);
        // From a formula box, whose hooks must go when the focus leaves it.
        ASSERT_TRUE(FocusByClick(app, app.FormulaBox(1)));
        HWND box = app.VariableBox(var);
        App::SetText(box, L"5");
        ASSERT_TRUE(FocusByClick(app, box));
        SendMessageW(ComboEdit(box), EM_SETSEL, 1, 1);
        const Texts log = app.LogLines();
        const std::wstring answer = App::Text(app.AnswerField());

        PressKey(VK_RETURN);
        // A digit typed after Enter arrives after it.
        PressKey('7');
        ASSERT_TRUE(WaitUntil([&] { return App::Text(box) == L"57"; }));

        EXPECT_EQ(app.LogLines(), log);
        EXPECT_EQ(App::Text(app.AnswerField()), answer);
    }
}

TEST(RowHooks, WheelOverAFocusedFormulaBoxScrollsTheRowsAndLeavesTheBox)
{
    // One row per wheel message, whatever its distance; negative: towards
    // the user. Row 0's top in the rows window: 0 at the start, -30 per row.
    const std::pair<int, LONG> STEPS[] = {{-120, -30}, {-120, -60}, {-360, -90}, {120, -60}, {240, -30}, {120, 0}};
    App app;
    ASSERT_TRUE(app.Start());
    HWND box = app.FormulaBox(2);
    ASSERT_TRUE(FocusByClick(app, box));
    const std::wstring text = App::Text(box);
    const LRESULT item = SendMessageW(box, CB_GETCURSEL, 0, 0);
    auto top = [&](HWND control) { return App::RectIn(control, app.Rows()).top; };
    ASSERT_EQ(top(app.FormulaBox(0)), 0);

    for (const auto& [distance, firstRowTop] : STEPS) {
        SCOPED_TRACE(distance);
        WheelAt(CenterOf(ComboEdit(box)), distance);
        // The rows move one after the other; the focused box moves with them.
        EXPECT_TRUE(WaitUntil([&] { return top(app.FormulaBox(0)) == firstRowTop && top(box) == firstRowTop + 60; }))
            << "first row at " << top(app.FormulaBox(0)) << ", focused box at " << top(box);
        EXPECT_EQ(App::Text(box), text);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), item);
        EXPECT_FALSE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(FocusOf(app.Main()), ComboEdit(box));
    }
}

}  // namespace
