// The File menu's Japanese item switches every text of the window and the
// menu bar, and back; the on-top toggle keeps the window above others.
#include "tests/app/AppTest.h"

#include "tests/app/InProcessProbe.h"

namespace {

struct Both {
    const wchar_t* english;
    const wchar_t* japanese;
    const wchar_t* In(bool inJapanese) const { return inJapanese ? japanese : english; }
};

struct PanelText {
    int id;
    Both texts;
};

// GetDlgItem finds the answer label before the answer field: it was created first.
const PanelText PANEL_TEXTS[] = {
    {VexiloId::ANSWER, {L"Answer", L"答え"}},
    {VexiloId::COPY, {L"Ans to Clip", L"Clipへコピー"}},
    {VexiloId::ON_TOP, {L"ForceFw", L"最前面に"}},
    {VexiloId::FORMULAS_CAPTION, {L"Formulas", L"式"}},
    // Not switched.
    {VexiloId::X_LABEL, {L"x", L"x"}},
    {VexiloId::Y_LABEL, {L"y", L"y"}},
    {VexiloId::Z_LABEL, {L"z", L"z"}},
    {VexiloId::HELP_BUTTON, {L"?", L"?"}},
};

const Both CALC = {L"Calc", L"計算"};
const Both MODE_INT = {L"Int", L"整"};
const Both MODE_DEC = {L"Dec", L"小"};

// The menu bar, each title followed by its items; id 0 for a title, -1 for a separator.
struct MenuRow {
    int id;
    Both texts;
};

const MenuRow MENU_BAR[] = {
    {0, {L"File(&F)", L"ファイル(&F)"}},
    {106, {L"Clear Log(&C)", L"ログをクリア(&C)"}},
    {129, {L"Store Log in a file(&S)", L"ログをファイルに保存(&S)"}},
    {-1, {L"", L""}},
    {121, {L"Japanese", L"日本語"}},
    {-1, {L"", L""}},
    {107, {L"Exit(&X)", L"アプリケーションの終了(&X)"}},
    {0, {L"Help(&H)", L"ヘルプ(&H)"}},
    {120, {L"Explanation of the format", L"書式の説明"}},
    {-1, {L"", L""}},
    {105, {L"Version information(&A)...", L"バージョン情報(&A)..."}},
};

// Formulas the engine refuses, with the error line in each language.
struct ErrorCase {
    int row;  // 1 is in Integer mode, 0 in Decimal mode
    const wchar_t* formula;
    Both line;
};

const ErrorCase ERROR_CASES[] = {
    {1, L"(1", {L"__^ syntax error", L"__^ エラー"}},
    {0, L"1+$", {L"__^ syntax error", L"__^ エラー"}},
    {1, L"1/0", {L"division by 0 error", L"0除算\u3000エラー"}},
};

// Every text of the window and the menu bar is in the language; the engine
// is told the language at each calculation.
void ExpectLanguage(App& app, bool japanese)
{
    SCOPED_TRACE(japanese ? "Japanese" : "English");
    for (const PanelText& control : PANEL_TEXTS) {
        EXPECT_EQ(App::Text(app.PanelControl(control.id)), control.texts.In(japanese)) << control.id;
    }
    EXPECT_EQ(App::Text(app.Main()), L"Vexilo");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(App::Text(app.CalcButton(row)), CALC.In(japanese));
        const Both& mode = App::Checked(app.ModeToggle(row)) ? MODE_INT : MODE_DEC;
        EXPECT_EQ(App::Text(app.ModeToggle(row)), mode.In(japanese));
    }

    InProcessProbe probe(app.Main());
    ASSERT_EQ(probe.Failure(), L"");
    const std::vector<MenuEntry> menu = probe.Menu(app.Main());
    ASSERT_EQ(menu.size(), std::size(MENU_BAR));
    for (size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(i);
        const MenuRow& row = MENU_BAR[i];
        EXPECT_EQ(menu[i].depth, row.id == 0 ? 0 : 1);
        EXPECT_EQ(menu[i].kind, row.id == 0 ? L'P' : row.id < 0 ? L'S' : L'I');
        if (row.id <= 0) continue;
        EXPECT_EQ(menu[i].id, static_cast<UINT>(row.id));
        EXPECT_EQ(std::wstring(menu[i].text), row.texts.In(japanese));
        // Only the Japanese item carries a check mark, and only in Japanese.
        EXPECT_EQ(menu[i].checked != 0, row.id == VexiloId::CMD_JAPANESE && japanese);
    }
    for (const ErrorCase& error : ERROR_CASES) {
        SCOPED_TRACE(error.formula);
        app.SetIntegerMode(error.row, error.row == 1);
        const size_t before = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(error.row, error.formula).empty());
        EXPECT_EQ(app.LogLinesAfter(before), (Texts{error.formula, error.line.In(japanese)}));
    }
}

std::vector<bool> ModeStates(App& app)
{
    std::vector<bool> states;
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) states.push_back(App::Checked(app.ModeToggle(row)));
    return states;
}

TEST(Language, RoundTripSwitchesEveryTextAndComesBackInTheSavedLanguage)
{
    App app;
    ASSERT_TRUE(app.Start());
    ExpectLanguage(app, false);

    const std::vector<bool> modes = ModeStates(app);
    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
    EXPECT_EQ(ModeStates(app), modes);  // only the captions changed
    EXPECT_EQ(App::Text(app.AnswerField()), L"Erorr");
    ExpectLanguage(app, true);

    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"1");
    ExpectLanguage(app, true);

    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
    ExpectLanguage(app, false);

    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    ExpectLanguage(app, false);
}

bool IsTopmost(HWND window)
{
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// True when a comes before b in the z-order of the top-level windows.
bool IsAbove(HWND a, HWND b)
{
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == b) return true;
    }
    return false;
}

TEST(OnTop, ToggleKeepsTheWindowAboveOthersUntilUncheckedAndStartsOffAgain)
{
    App app;
    App other;  // a second program whose window goes over the first
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(other.Start());
    HWND toggle = app.PanelControl(VexiloId::ON_TOP);
    EXPECT_FALSE(App::Checked(toggle));
    EXPECT_FALSE(IsTopmost(app.Main()));
    // Each press flips the toggle; the window is topmost exactly while it is checked.
    for (bool checked : {true, false, true}) {
        SCOPED_TRACE(checked ? "checked" : "unchecked");
        EXPECT_TRUE(app.Click(toggle).empty());
        EXPECT_EQ(App::Checked(toggle), checked);
        EXPECT_EQ(IsTopmost(app.Main()), checked);
        SetWindowPos(other.Main(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_EQ(IsAbove(app.Main(), other.Main()), checked);
        EXPECT_EQ(App::Text(toggle), L"ForceFw");  // the caption does not follow the state
    }

    ASSERT_TRUE(app.Restart());
    EXPECT_FALSE(App::Checked(app.PanelControl(VexiloId::ON_TOP)));
    EXPECT_FALSE(IsTopmost(app.Main()));
}

}  // namespace
