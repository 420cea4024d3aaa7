// What one run leaves in the settings file and the next run brings back.
#include "tests/app/AppTest.h"

namespace {

TEST(Restart, BringsBackHistoriesModesLanguageAndRectangle)
{
    constexpr int LONG_ROW = 9;  // Integer mode
    App app;
    ASSERT_TRUE(app.Start());
    SetWindowPos(app.Main(), nullptr, 120, 80, 640, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
    EXPECT_TRUE(app.Click(app.ModeToggle(3)).empty());  // Integer to Decimal
    EXPECT_TRUE(app.Click(app.ModeToggle(4)).empty());  // Decimal to Integer
    app.SetVariables(L"4", L"5", L"6");
    EXPECT_TRUE(app.Calculate(4, L"7/2").empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"3");
    EXPECT_TRUE(app.Calculate(5, L"7%3").empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"1");
    // Only the twenty newest entries of a history are kept.
    Texts newestFirst;
    for (int n = 1; n <= 21; ++n) {
        const std::wstring formula = std::to_wstring(n) + L"*2";
        EXPECT_TRUE(app.Calculate(LONG_ROW, formula).empty());
        newestFirst.insert(newestFirst.begin(), formula);
    }
    EXPECT_EQ(App::ComboItems(app.FormulaBox(LONG_ROW)).size(), 41u);
    newestFirst.resize(20);
    // Typed but never calculated: not kept.
    App::SetText(app.FormulaBox(6), L"x+1");
    App::SetText(app.VariableBox(0), L"99");

    ASSERT_TRUE(app.Restart());

    EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), (Box{120, 80, 640, 560}));
    EXPECT_EQ(App::Text(app.AnswerLabel()), L"答え");
    EXPECT_EQ(App::Text(app.AnswerField()), L"0");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const bool integerMode = row == 3 || row == 4 ? !SAMPLE_ROWS[row].integerMode : SAMPLE_ROWS[row].integerMode;
        EXPECT_EQ(App::Checked(app.ModeToggle(row)), integerMode);
        EXPECT_EQ(App::Text(app.ModeToggle(row)), integerMode ? L"整" : L"小");
        EXPECT_EQ(App::Text(app.CalcButton(row)), L"計算");
        Texts expected = History({SAMPLE_ROWS[row].formula});
        if (row == 4) expected = History({L"7/2", SAMPLE_ROWS[4].formula});
        if (row == 5) expected = History({L"7%3", SAMPLE_ROWS[5].formula});
        if (row == LONG_ROW) expected = newestFirst;
        EXPECT_EQ(App::Text(app.FormulaBox(row)), expected[0]);
        EXPECT_EQ(App::ComboItems(app.FormulaBox(row)), expected);
    }
    const wchar_t* const USED[] = {L"4", L"5", L"6"};
    for (int var = 0; var < 3; ++var) {
        SCOPED_TRACE(var);
        EXPECT_EQ(App::Text(app.VariableBox(var)), USED[var]);
        EXPECT_EQ(App::ComboItems(app.VariableBox(var)), History({USED[var], SAMPLE_VARIABLES[var]}));
    }
}

TEST(Restart, TakesTheSettingsFileAsWritten)
{
    App app;
    const std::wstring percentFormula = L"100%7 %s%d%%";
    app.WriteSettingsText({
        L"[Language]", L"Japanese=2",
        L"[History0]", L"Str00=" + percentFormula, L"Str01=1+1",
        L"[History1]", L"Str00=単価*2",
        L"[HistoryX]", L"Str00=7",
        L"[HistoryY]", L"Str00=8", L"Str01=9",
        L"[Switch]", L"Int0=1",
        L"[WndPos]", L"left=200", L"top=150", L"width=600", L"height=520",
    });
    ASSERT_TRUE(app.Start());

    EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), (Box{200, 150, 600, 520}));
    EXPECT_EQ(App::Text(app.AnswerLabel()), L"答え");
    EXPECT_EQ(App::Text(app.FormulaBox(0)), percentFormula);
    EXPECT_EQ(App::ComboItems(app.FormulaBox(0)), History({percentFormula, L"1+1"}));
    EXPECT_EQ(App::Text(app.FormulaBox(1)), L"単価*2");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        // Keys missing from an existing file read as empty and 0.
        if (row >= 2) {
            EXPECT_EQ(App::ComboItems(app.FormulaBox(row)), History({}));
        }
        EXPECT_EQ(App::Checked(app.ModeToggle(row)), row == 0);
    }
    EXPECT_EQ(App::Text(app.VariableBox(0)), L"7");
    EXPECT_EQ(App::ComboItems(app.VariableBox(1)), History({L"8", L"9"}));
    EXPECT_EQ(App::Text(app.VariableBox(2)), L"");

    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"1");
    EXPECT_EQ(app.SettingsValue(L"History0", L"Str00"), percentFormula);
    EXPECT_EQ(app.SettingsValue(L"History1", L"Str00"), L"単価*2");
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"width"), L"600");
}

}  // namespace
