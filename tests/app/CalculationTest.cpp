// Pressing Calc: answers, errors, the log, the variables and the histories.
#include "tests/app/AppTest.h"

namespace {

std::wstring Caret(int position)
{
    return std::wstring(static_cast<size_t>(position), L'_') + L"^ syntax error";
}

// One program for the file: each test types what it needs and works on rows
// of its own where it looks at whole histories.
class CalculationTest : public SharedApp {};

// The answers worked out by hand from the engine's rules, with x, y and z at
// their samples 32.9, 150.4 and 2.5. Integer mode reads those as 32, 150, 2.
struct SampleAnswer {
    int row;
    const wchar_t* answer;  // or "Erorr"
    int caret;              // where a refused formula's caret stands, or -1
    const wchar_t* z;       // z afterwards
};

constexpr SampleAnswer SAMPLE_ANSWERS[] = {
    {0, L"180\u00B00\u20320.000\u2033", -1, L"2.5"},  // acos(-1) is pi: 180 degrees
    {1, L"0X200000000000", -1, L"2.5"},               // 32 * 2^40 = 2^45
    {2, L"106.076680131563", -1, L"106.076680131563"},  // 32.9 * pi + e, kept in z too
    {3, L"35184372088832", -1, L"35184372088832"},      // 2^45 in decimal, kept in z
    {4, L"Erorr", 62, L"2.5"},                          // the surplus ")" at the end
    {5, L"Erorr", 60, L"2.5"},
    {6, L"5.47129664976713", -1, L"2.5"},    // ln 150.4 / ln 2.5
    {7, L"0X8", -1, L"2.5"},                 // 1010 & 1101 = 1000
    {8, L"277408.389237258", -1, L"2.5"},    // 150.4^2.5
    {9, L"8", -1, L"2.5"},                   // the same without 0X( stays decimal
    {10, L"150.4", -1, L"2.5"},
    {11, L"0X12345678B", -1, L"2.5"},
    {12, L"0.100334672085451", -1, L"2.5"},  // tan 0.1
    {13, L"212", -1, L"2.5"},                // 1275 / 6 truncated
    {14, L"212.5", -1, L"2.5"},
    {15, L"184", -1, L"2.5"},                // 32 + 150 + 2
    {16, L"185.8", -1, L"2.5"},
    {17, L"0", -1, L"2.5"},                  // 2 / 32
    {18, L"0.0759878419452888", -1, L"2.5"},
    {19, L"0XFFFFFFFFFFFFFFFE", -1, L"2.5"},  // 1 + ~2 = -2
};

TEST_F(CalculationTest, EachSampleFormulaGivesItsAnswerOrError)
{
    for (const SampleAnswer& expected : SAMPLE_ANSWERS) {
        SCOPED_TRACE(expected.row);
        const SampleRow& sample = SAMPLE_ROWS[expected.row];
        app().SetVariables(SAMPLE_VARIABLES[0], SAMPLE_VARIABLES[1], SAMPLE_VARIABLES[2]);
        app().SetIntegerMode(expected.row, sample.integerMode);
        const size_t logBefore = app().LogLines().size();
        EXPECT_TRUE(app().Calculate(expected.row, sample.formula).empty());

        EXPECT_EQ(App::Text(app().AnswerField()), expected.answer);
        const Texts added = app().LogLinesAfter(logBefore);
        if (expected.caret < 0) {
            EXPECT_EQ(added, Texts{L"Ans=[" + std::wstring(expected.answer) + L"]"});
        } else {
            EXPECT_EQ(added, (Texts{sample.formula, Caret(expected.caret)}));
        }
        EXPECT_EQ(App::Text(app().VariableBox(0)), SAMPLE_VARIABLES[0]);
        EXPECT_EQ(App::Text(app().VariableBox(1)), SAMPLE_VARIABLES[1]);
        EXPECT_EQ(App::Text(app().VariableBox(2)), expected.z);
    }
}

TEST_F(CalculationTest, RefusedFormulaShowsErorrLogsTwoLinesAndSavesNothing)
{
    struct Refusal {
        int row;
        const wchar_t* formula;
        std::wstring error;
        Texts messages;
        const wchar_t* variables[3];
    };
    const Refusal REFUSALS[] = {
        {2, L"2*(3", Caret(4), {}, {L"1.25", L"2.25", L"3.25"}},  // left open: caret after the end
        {1, L"0x5", Caret(1), {}, {L"11", L"12", L"13"}},         // only upper-case 0X
        {3, L"5%0", L"division by 0 error", {}, {L"21", L"22", L"23"}},
        // The store ran before the division, but z keeps its text.
        {0, L"TOz(5)+1/0", L"division by 0 error", {L"m_StackCnt=2"}, {L"31", L"32", L"33"}},
    };
    // A file to compare with.
    EXPECT_TRUE(app().Calculate(19, L"1+1").empty());
    ASSERT_TRUE(app().SettingsExist());

    for (const Refusal& refusal : REFUSALS) {
        SCOPED_TRACE(refusal.formula);
        app().SetIntegerMode(refusal.row, refusal.row % 2 == 1);
        app().SetVariables(refusal.variables[0], refusal.variables[1], refusal.variables[2]);
        const std::string fileBefore = app().SettingsBytes();
        const size_t logBefore = app().LogLines().size();

        EXPECT_EQ(app().Calculate(refusal.row, refusal.formula), refusal.messages);

        EXPECT_EQ(App::Text(app().AnswerField()), L"Erorr");
        EXPECT_EQ(app().LogLinesAfter(logBefore), (Texts{refusal.formula, refusal.error}));
        EXPECT_EQ(App::ComboItems(app().FormulaBox(refusal.row)).at(0), refusal.formula);
        for (int var = 0; var < 3; ++var) {
            EXPECT_EQ(App::Text(app().VariableBox(var)), refusal.variables[var]) << "variable " << var;
            EXPECT_EQ(App::ComboItems(app().VariableBox(var)).at(0), refusal.variables[var]) << "variable " << var;
        }
        EXPECT_EQ(app().SettingsBytes(), fileBefore);
    }
}

TEST_F(CalculationTest, StoreFunctionRewritesTheVariableAndItsHistory)
{
    struct Store {
        int row;
        const wchar_t* formula;
        int var;
        const wchar_t* answer;
        const wchar_t* stored;
    };
    constexpr Store STORES[] = {
        {1, L"TOx(x*2)", 0, L"64", L"64"},  // Integer mode reads 32.9 as 32
        {0, L"TOy(1/3)", 1, L"0.333333333333333", L"0.333333333333333"},
        {2, L"TOz(3)*2", 2, L"6", L"3"},  // the store's value is its argument
        {2, L"TOx(x)+x", 0, L"65.8", L"32.9"},
    };
    const wchar_t* const SECTIONS[] = {L"HistoryX", L"HistoryY", L"HistoryZ"};
    for (const Store& store : STORES) {
        SCOPED_TRACE(store.formula);
        app().SetIntegerMode(store.row, store.row % 2 == 1);
        app().SetVariables(SAMPLE_VARIABLES[0], SAMPLE_VARIABLES[1], SAMPLE_VARIABLES[2]);

        EXPECT_TRUE(app().Calculate(store.row, store.formula).empty());

        EXPECT_EQ(App::Text(app().AnswerField()), store.answer);
        const Texts history = App::ComboItems(app().VariableBox(store.var));
        ASSERT_GE(history.size(), 2u);
        EXPECT_EQ(history[0], store.stored);
        // The value that went in stays right below, unless it is the same.
        if (std::wstring(store.stored) != SAMPLE_VARIABLES[store.var]) {
            EXPECT_EQ(history[1], SAMPLE_VARIABLES[store.var]);
        }
        EXPECT_EQ(app().SettingsValue(SECTIONS[store.var], L"Str00"), store.stored);
        for (int var = 0; var < 3; ++var) {
            EXPECT_EQ(App::Text(app().VariableBox(var)), var == store.var ? store.stored : SAMPLE_VARIABLES[var]);
        }
    }
}

TEST_F(CalculationTest, HistoryKeepsOneCopyOfEachFormulaUpToLetterCase)
{
    struct Promotion {
        const char* what;
        int row;
        Texts pressed;     // calculated in this order
        Texts head;         // the history's first entries afterwards; then the sample
        bool lastPressChangesNothing;
    };
    const Promotion PROMOTIONS[] = {
        {"the same formula twice stays once", 10, {L"1+2", L"1+2"}, {L"1+2"}, true},
        {"an older copy moves to the top", 12, {L"1+2", L"3+4", L"1+2"}, {L"1+2", L"3+4"}, false},
        {"another letter case replaces the older entry", 14, {L"pi*2", L"x+1", L"PI*2"}, {L"PI*2", L"x+1"}, false},
        // Entry 0 is examined last; the same text changes nothing, a
        // corrected letter case replaces it.
        {"entry 0 takes the corrected letter case", 16, {L"SIN(1)", L"sin(1)"}, {L"sin(1)"}, false},
        {"entry 0 written the same way stays", 16, {L"sin(1)"}, {L"sin(1)"}, true},
    };
    for (const Promotion& promotion : PROMOTIONS) {
        SCOPED_TRACE(promotion.what);
        Texts before;
        for (const std::wstring& formula : promotion.pressed) {
            before = App::ComboItems(app().FormulaBox(promotion.row));
            app().Calculate(promotion.row, formula);
        }
        Texts expected = promotion.head;
        expected.push_back(SAMPLE_ROWS[promotion.row].formula);
        expected.resize(20 + promotion.head.size());  // the empty entries stay below
        EXPECT_EQ(App::ComboItems(app().FormulaBox(promotion.row)), expected);
        if (promotion.lastPressChangesNothing) {
            EXPECT_EQ(App::ComboItems(app().FormulaBox(promotion.row)), before) << "the last press changed the list";
        }
    }
}

TEST_F(CalculationTest, FormulaOf1023CharactersIsCalculatedOneOf1024IsRefused)
{
    constexpr int ROW = 18;
    std::wstring formula = L"1";
    for (int i = 0; i < 511; ++i) formula += L"+1";
    ASSERT_EQ(formula.size(), 1023u);

    EXPECT_TRUE(app().Calculate(ROW, formula).empty());
    EXPECT_EQ(App::Text(app().AnswerField()), L"512");
    EXPECT_EQ(App::ComboItems(app().FormulaBox(ROW)).at(0), formula);
    EXPECT_EQ(app().SettingsValue(L"History18", L"Str00"), formula);

    const std::wstring tooLong = formula + L" ";
    const std::string fileBefore = app().SettingsBytes();
    const size_t logBefore = app().LogLines().size();
    const Texts historyBefore = App::ComboItems(app().FormulaBox(ROW));
    Texts variableHistories[3];
    for (int var = 0; var < 3; ++var) variableHistories[var] = App::ComboItems(app().VariableBox(var));
    app().SetVariables(L"1", L"2", L"3");

    EXPECT_EQ(app().Calculate(ROW, tooLong), Texts{L"式が長過ぎます。"});

    EXPECT_EQ(App::Text(app().AnswerField()), L"512");
    EXPECT_EQ(app().LogLines().size(), logBefore);
    EXPECT_EQ(App::ComboItems(app().FormulaBox(ROW)), historyBefore);
    for (int var = 0; var < 3; ++var) {
        EXPECT_EQ(App::ComboItems(app().VariableBox(var)), variableHistories[var]) << "variable " << var;
    }
    EXPECT_EQ(App::Text(app().FormulaBox(ROW)), tooLong);
    EXPECT_EQ(app().SettingsBytes(), fileBefore);
}

// A toggle changes its label and the next calculation, nothing else; a Calc
// press changes no other row.
TEST_F(CalculationTest, ModeToggleAndCalcTouchOnlyTheirRow)
{
    constexpr int ROW = 6;  // starts in Decimal mode
    struct RowState {
        std::wstring text;
        Texts history;
        bool integerMode;
        bool operator==(const RowState&) const = default;
    };
    auto snapshot = [] {
        std::vector<RowState> rows;
        for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
            rows.push_back({App::Text(app().FormulaBox(row)), App::ComboItems(app().FormulaBox(row)),
                            App::Checked(app().ModeToggle(row))});
        }
        return rows;
    };
    struct Step {
        bool integerMode;
        const wchar_t* label;
        const wchar_t* answer;  // of 7/2 in that mode
    };
    constexpr Step STEPS[] = {{true, L"Int", L"3"}, {false, L"Dec", L"3.5"}};
    App::SetText(app().FormulaBox(ROW), L"7/2");
    for (const Step& step : STEPS) {
        SCOPED_TRACE(step.label);
        std::vector<RowState> expected = snapshot();
        expected[ROW].integerMode = step.integerMode;
        const std::wstring answerBefore = App::Text(app().AnswerField());
        const size_t logBefore = app().LogLines().size();

        EXPECT_TRUE(app().Click(app().ModeToggle(ROW)).empty());
        EXPECT_EQ(App::Text(app().ModeToggle(ROW)), step.label);
        EXPECT_TRUE(snapshot() == expected) << "the toggle changed more than its mode";
        EXPECT_EQ(App::Text(app().AnswerField()), answerBefore);
        EXPECT_EQ(app().LogLines().size(), logBefore);

        EXPECT_TRUE(app().Click(app().CalcButton(ROW)).empty());
        EXPECT_EQ(App::Text(app().AnswerField()), step.answer);
        std::vector<RowState> after = snapshot();
        after[ROW].history = expected[ROW].history;  // its own history may change
        EXPECT_TRUE(after == expected) << "the Calc press changed another row";
    }
}

}  // namespace
