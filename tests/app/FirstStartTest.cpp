// The first start in a folder without a settings file.
#include "tests/app/AppTest.h"

namespace {

TEST(FirstStart, ShowsTheSamplesAndWritesTheFileAtTheFirstSuccess)
{
    App app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(BoxOf(App::ScreenRect(app.Main())), (Box{50, 50, 700, 600}));
    EXPECT_EQ(App::Text(app.AnswerField()), L"0");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(App::Text(app.FormulaBox(row)), SAMPLE_ROWS[row].formula);
        EXPECT_EQ(App::ComboItems(app.FormulaBox(row)), History({SAMPLE_ROWS[row].formula}));
        EXPECT_EQ(App::Checked(app.ModeToggle(row)), SAMPLE_ROWS[row].integerMode);
    }
    for (int var = 0; var < 3; ++var) {
        EXPECT_EQ(App::Text(app.VariableBox(var)), SAMPLE_VARIABLES[var]);
        EXPECT_EQ(App::ComboItems(app.VariableBox(var)), History({SAMPLE_VARIABLES[var]}));
    }
    EXPECT_FALSE(app.SettingsExist());

    // Row 4's sample closes one bracket too many.
    EXPECT_TRUE(app.Click(app.CalcButton(4)).empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"Erorr");
    EXPECT_FALSE(app.SettingsExist());
    EXPECT_TRUE(app.Click(app.CalcButton(13)).empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"212");
    EXPECT_TRUE(app.SettingsExist());

    // Closing writes the whole sample state; empty entries as keys with nothing after "=".
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    const wchar_t* const WINDOW[][2] = {{L"left", L"50"}, {L"top", L"50"}, {L"width", L"700"}, {L"height", L"600"}};
    for (const auto& [key, value] : WINDOW) EXPECT_EQ(app.SettingsValue(L"WndPos", key), value) << key;
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const std::wstring section = L"History" + std::to_wstring(row);
        EXPECT_EQ(app.SettingsValue(section.c_str(), L"Str00"), SAMPLE_ROWS[row].formula);
        EXPECT_EQ(app.SettingsValue(section.c_str(), L"Str19"), L"");
        const std::wstring modeKey = L"Int" + std::to_wstring(row);
        EXPECT_EQ(app.SettingsValue(L"Switch", modeKey.c_str()), SAMPLE_ROWS[row].integerMode ? L"1" : L"0");
    }
    const wchar_t* const VARIABLE_SECTIONS[] = {L"HistoryX", L"HistoryY", L"HistoryZ"};
    for (int var = 0; var < 3; ++var) {
        EXPECT_EQ(app.SettingsValue(VARIABLE_SECTIONS[var], L"Str00"), SAMPLE_VARIABLES[var]);
        EXPECT_EQ(app.SettingsValue(VARIABLE_SECTIONS[var], L"Str19"), L"");
    }
}

}  // namespace
