// The first start in a folder without a settings file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/app/SampleFormulas.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;

std::wstring TwoDigits(int n)
{
    return (n < 10 ? L"0" : L"") + std::to_wstring(n);
}

// One untouched program for the checks that only look.
class FirstStartTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_App = std::make_unique<App>();
        s_Started = s_App->Start();
    }
    static void TearDownTestSuite() { s_App.reset(); }
    void SetUp() override { ASSERT_TRUE(s_Started) << "vexilo.exe did not start"; }

    static std::unique_ptr<App> s_App;
    static bool s_Started;
};

std::unique_ptr<App> FirstStartTest::s_App;
bool FirstStartTest::s_Started = false;

TEST_F(FirstStartTest, WindowOpensAt50_50Sized700x600)
{
    const RECT rect = App::ScreenRect(s_App->Main());
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 700);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_EQ(App::Text(s_App->Main()), L"Vexilo");
}

TEST_F(FirstStartTest, PanelSpeaksEnglish)
{
    struct Expected {
        int id;
        const wchar_t* text;
    };
    constexpr Expected TEXTS[] = {
        {VexiloId::ANSWER, L"Answer"},  {VexiloId::COPY, L"Ans to Clip"},
        {VexiloId::ON_TOP, L"ForceFw"}, {VexiloId::X_LABEL, L"x"},
        {VexiloId::Y_LABEL, L"y"},      {VexiloId::Z_LABEL, L"z"},
        {VexiloId::HELP_BUTTON, L"?"},  {VexiloId::FORMULAS_CAPTION, L"Formulas"},
    };
    for (const Expected& expected : TEXTS) {
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(App::Text(s_App->PanelControl(expected.id)), expected.text);
    }
    EXPECT_EQ(App::Text(s_App->AnswerField()), L"0");
    EXPECT_FALSE(App::Checked(s_App->PanelControl(VexiloId::ON_TOP)));
}

TEST_F(FirstStartTest, RowsShowTheSampleFormulasAndModes)
{
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const SampleRow& sample = SAMPLE_ROWS[row];
        EXPECT_EQ(App::Text(s_App->FormulaBox(row)), sample.formula);
        const auto history = App::ComboItems(s_App->FormulaBox(row));
        ASSERT_EQ(history.size(), 20u);
        EXPECT_EQ(history[0], sample.formula);
        for (size_t entry = 1; entry < history.size(); ++entry) EXPECT_EQ(history[entry], L"") << "entry " << entry;
        EXPECT_EQ(App::Checked(s_App->ModeToggle(row)), sample.integerMode);
        EXPECT_EQ(App::Text(s_App->ModeToggle(row)), sample.integerMode ? L"Int" : L"Dec");
        EXPECT_EQ(App::Text(s_App->CalcButton(row)), L"Calc");
    }
}

TEST_F(FirstStartTest, VariablesShowTheirSamples)
{
    for (int var = 0; var < 3; ++var) {
        SCOPED_TRACE(var);
        EXPECT_EQ(App::Text(s_App->VariableBox(var)), SAMPLE_VARIABLES[var]);
        const auto history = App::ComboItems(s_App->VariableBox(var));
        ASSERT_EQ(history.size(), 20u);
        EXPECT_EQ(history[0], SAMPLE_VARIABLES[var]);
        for (size_t entry = 1; entry < history.size(); ++entry) EXPECT_EQ(history[entry], L"") << "entry " << entry;
    }
}

TEST_F(FirstStartTest, NoSettingsFileWhileNothingWasSaved)
{
    EXPECT_FALSE(s_App->SettingsExist());
}

TEST(FirstStart, RefusedFormulaWritesNoFileButTheFirstSuccessDoes)
{
    App app;
    ASSERT_TRUE(app.Start());
    // Row 4's sample closes one bracket too many.
    EXPECT_TRUE(app.Click(app.CalcButton(4)).empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"Erorr");
    EXPECT_FALSE(app.SettingsExist());

    EXPECT_TRUE(app.Click(app.CalcButton(13)).empty());
    EXPECT_EQ(App::Text(app.AnswerField()), L"212");
    ASSERT_TRUE(app.SettingsExist());
    EXPECT_EQ(app.SettingsValue(L"History13", L"Str00"), L"15*85/6");
    EXPECT_EQ(app.SettingsValue(L"History4", L"Str00"), SAMPLE_ROWS[4].formula);
}

TEST(FirstStart, ClosingWritesTheWholeSampleState)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Close());
    ASSERT_TRUE(app.SettingsExist());

    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"left"), L"50");
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"top"), L"50");
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"width"), L"700");
    EXPECT_EQ(app.SettingsValue(L"WndPos", L"height"), L"600");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        const std::wstring section = L"History" + std::to_wstring(row);
        EXPECT_EQ(app.SettingsValue(section.c_str(), L"Str00"), SAMPLE_ROWS[row].formula);
        // Empty entries are written as keys with nothing after "=".
        for (int entry = 1; entry < 20; ++entry) {
            const std::wstring key = L"Str" + TwoDigits(entry);
            EXPECT_EQ(app.SettingsValue(section.c_str(), key.c_str()), L"") << key;
        }
        const std::wstring modeKey = L"Int" + std::to_wstring(row);
        EXPECT_EQ(app.SettingsValue(L"Switch", modeKey.c_str()), SAMPLE_ROWS[row].integerMode ? L"1" : L"0");
    }
    const wchar_t* const VARIABLE_SECTIONS[] = {L"HistoryX", L"HistoryY", L"HistoryZ"};
    for (int var = 0; var < 3; ++var) {
        SCOPED_TRACE(var);
        EXPECT_EQ(app.SettingsValue(VARIABLE_SECTIONS[var], L"Str00"), SAMPLE_VARIABLES[var]);
        EXPECT_EQ(app.SettingsValue(VARIABLE_SECTIONS[var], L"Str19"), L"");
    }
}

}  // namespace
