// Enter and the wheel with the focus in a formula box, given as real key and
// mouse input: Enter calculates that row, the wheel scrolls the rows.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/app/ProgramWindows.h"
#include "tests/app/RealInput.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;
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

void SetIntegerMode(App& app, int row)
{
    if (!App::Checked(app.ModeToggle(row))) app.Click(app.ModeToggle(row));
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
        SCOPED_TRACE(Utf8(enter.formula) + " in row " + std::to_string(enter.row));
        SetIntegerMode(app, enter.row);
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

        EXPECT_EQ(app.LogLinesAfter(before), std::vector<std::wstring>{L"Ans=[" + std::wstring(enter.answer) + L"]"});
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
        const std::vector<std::wstring> log = app.LogLines();
        const std::wstring answer = App::Text(app.AnswerField());

        PressKey(VK_RETURN);
        // A digit typed after Enter arrives after it.
        PressKey('7');
        ASSERT_TRUE(WaitUntil([&] { return App::Text(box) == L"57"; }));

        EXPECT_EQ(app.LogLines(), log);
        EXPECT_EQ(App::Text(app.AnswerField()), answer);
    }
}

// The top of row 0's formula box in the rows window: 0 at the start, -30 per row scrolled.
LONG FirstRowTop(App& app)
{
    return App::RectIn(app.FormulaBox(0), app.Rows()).top;
}

struct WheelStep {
    int distance;  // negative: towards the user
    LONG firstRowTop;
};

// One row per wheel message, whatever its distance.
const WheelStep WHEEL_STEPS[] = {
    {-120, -30}, {-120, -60}, {-360, -90}, {120, -60}, {240, -30}, {120, 0},
};

TEST(RowHooks, WheelOverAFocusedFormulaBoxScrollsTheRowsAndLeavesTheBox)
{
    App app;
    ASSERT_TRUE(app.Start());
    HWND box = app.FormulaBox(2);
    ASSERT_TRUE(FocusByClick(app, box));
    const std::wstring text = App::Text(box);
    const LRESULT item = SendMessageW(box, CB_GETCURSEL, 0, 0);
    ASSERT_EQ(FirstRowTop(app), 0);

    for (const WheelStep& step : WHEEL_STEPS) {
        SCOPED_TRACE(step.distance);
        WheelAt(CenterOf(ComboEdit(box)), step.distance);
        // The rows move one after the other; the focused box moves with them.
        EXPECT_TRUE(WaitUntil([&] {
            return FirstRowTop(app) == step.firstRowTop && App::RectIn(box, app.Rows()).top == step.firstRowTop + 2 * 30;
        })) << "first row at " << FirstRowTop(app) << ", focused box at " << App::RectIn(box, app.Rows()).top;
        EXPECT_EQ(App::Text(box), text);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), item);
        EXPECT_FALSE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(FocusOf(app.Main()), ComboEdit(box));
    }
}

}  // namespace
