// The File menu's Japanese item switches every text of the window and the
// menu bar, and back; the on-top toggle keeps the window above others.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/app/InProcessProbe.h"
#include "tests/app/ProgramWindows.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;

struct Texts {
    const wchar_t* english;
    const wchar_t* japanese;
    const wchar_t* In(bool japanese) const { return japanese ? this->japanese : english; }
};

struct PanelText {
    int id;
    Texts texts;
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

const Texts CALC = {L"Calc", L"計算"};
const Texts MODE_INT = {L"Int", L"整"};
const Texts MODE_DEC = {L"Dec", L"小"};

const Texts MENU_TITLES[] = {{L"File(&F)", L"ファイル(&F)"}, {L"Help(&H)", L"ヘルプ(&H)"}};

struct MenuRow {
    UINT id;  // 0: a separator
    Texts texts;
};

const std::vector<MenuRow> FILE_MENU = {
    {106, {L"Clear Log(&C)", L"ログをクリア(&C)"}},
    {129, {L"Store Log in a file(&S)", L"ログをファイルに保存(&S)"}},
    {0, {}},
    {121, {L"Japanese", L"日本語"}},
    {0, {}},
    {107, {L"Exit(&X)", L"アプリケーションの終了(&X)"}},
};
const std::vector<MenuRow> HELP_MENU = {
    {120, {L"Explanation of the format", L"書式の説明"}},
    {0, {}},
    {105, {L"Version information(&A)...", L"バージョン情報(&A)..."}},
};

// Formulas the engine refuses, with the error line in each language.
struct ErrorCase {
    int row;  // 1 is in Integer mode, 0 in Decimal mode
    const wchar_t* formula;
    Texts line;
};

const ErrorCase ERROR_CASES[] = {
    {1, L"(1", {L"__^ syntax error", L"__^ エラー"}},
    {0, L"1+$", {L"__^ syntax error", L"__^ エラー"}},
    {1, L"1/0", {L"division by 0 error", L"0除算\u3000エラー"}},
};

void SetIntegerMode(App& app, int row, bool integerMode)
{
    if (App::Checked(app.ModeToggle(row)) != integerMode) app.Click(app.ModeToggle(row));
}

void ExpectMenu(const std::vector<MenuEntry>& items, const std::vector<MenuRow>& rows, bool japanese)
{
    ASSERT_EQ(items.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        if (rows[i].id == 0) {
            EXPECT_EQ(items[i].kind, L'S');
            continue;
        }
        EXPECT_EQ(items[i].kind, L'I');
        EXPECT_EQ(items[i].id, rows[i].id);
        EXPECT_EQ(Utf8(items[i].text), Utf8(rows[i].texts.In(japanese)));
        // Only the Japanese item carries a check mark, and only in Japanese.
        EXPECT_EQ(items[i].checked, rows[i].id == 121 && japanese);
    }
}

// Every text of the window and the menu bar is in the language, nothing else changed.
void ExpectLanguage(App& app, bool japanese)
{
    SCOPED_TRACE(japanese ? "Japanese" : "English");
    for (const PanelText& control : PANEL_TEXTS) {
        SCOPED_TRACE(control.id);
        EXPECT_EQ(Utf8(App::Text(app.PanelControl(control.id))), Utf8(control.texts.In(japanese)));
    }
    EXPECT_EQ(App::Text(app.Main()), L"Vexilo");
    for (int row = 0; row < VexiloId::ROW_COUNT; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Utf8(App::Text(app.CalcButton(row))), Utf8(CALC.In(japanese)));
        const Texts& mode = App::Checked(app.ModeToggle(row)) ? MODE_INT : MODE_DEC;
        EXPECT_EQ(Utf8(App::Text(app.ModeToggle(row))), Utf8(mode.In(japanese)));
    }

    InProcessProbe probe(app.Main());
    ASSERT_EQ(Utf8(probe.Failure()), "");
    const std::vector<MenuEntry> menu = probe.Menu(app.Main());
    std::vector<MenuEntry> titles;
    for (const MenuEntry& entry : menu) {
        if (entry.depth == 0) titles.push_back(entry);
    }
    ASSERT_EQ(titles.size(), 2u);
    for (size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(titles[i].kind, L'P');
        EXPECT_EQ(Utf8(titles[i].text), Utf8(MENU_TITLES[i].In(japanese)));
    }
    {
        SCOPED_TRACE("File menu");
        ExpectMenu(SubmenuItems(menu, 0), FILE_MENU, japanese);
    }
    {
        SCOPED_TRACE("Help menu");
        ExpectMenu(SubmenuItems(menu, 1), HELP_MENU, japanese);
    }
}

// The engine is told the language at each calculation.
void ExpectErrorLines(App& app, bool japanese)
{
    for (const ErrorCase& error : ERROR_CASES) {
        SCOPED_TRACE(Utf8(error.formula));
        SetIntegerMode(app, error.row, error.row == 1);
        const size_t before = app.LogLines().size();
        EXPECT_TRUE(app.Calculate(error.row, error.formula).empty());
        const std::vector<std::wstring> added = app.LogLinesAfter(before);
        ASSERT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0], error.formula);
        EXPECT_EQ(Utf8(added[1]), Utf8(error.line.In(japanese)));
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
    ExpectErrorLines(app, false);

    const std::vector<bool> modes = ModeStates(app);
    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
    ExpectLanguage(app, true);
    EXPECT_EQ(ModeStates(app), modes);  // only the captions changed
    EXPECT_EQ(App::Text(app.AnswerField()), L"Erorr");
    ExpectErrorLines(app, true);

    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"1");
    ExpectLanguage(app, true);

    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
    ExpectLanguage(app, false);
    ExpectErrorLines(app, false);

    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(app.SettingsValue(L"Language", L"Japanese"), L"0");
    ExpectLanguage(app, false);
}

LONG ExStyle(HWND window)
{
    return GetWindowLongW(window, GWL_EXSTYLE);
}

// True when a comes before b in the z-order of the top-level windows.
bool IsAbove(HWND a, HWND b)
{
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == b) return true;
    }
    return false;
}

// A plain window of the driver's own over the program's, with a thread that
// answers its messages, so that activating it never waits on the driver.
class OtherWindow {
public:
    explicit OtherWindow(HWND over)
    {
        RECT rect;
        GetWindowRect(over, &rect);
        std::promise<std::pair<HWND, DWORD>> created;
        auto window = created.get_future();
        m_Thread = std::thread([&created, rect] {
            HWND w = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, rect.left + 20, rect.top + 20,
                                     200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            created.set_value({w, GetCurrentThreadId()});
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            if (w) DestroyWindow(w);
        });
        std::tie(m_Window, m_ThreadId) = window.get();
    }
    ~OtherWindow()
    {
        PostThreadMessageW(m_ThreadId, WM_QUIT, 0, 0);  // its window gave it a queue
        m_Thread.join();
    }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    HWND Handle() const { return m_Window; }
    void Raise() const { SetWindowPos(m_Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

private:
    std::thread m_Thread;
    DWORD m_ThreadId = 0;
    HWND m_Window = nullptr;
};

TEST(OnTop, ToggleKeepsTheWindowAboveOthersUntilUncheckedAndStartsOffAgain)
{
    App app;
    ASSERT_TRUE(app.Start());
    HWND toggle = app.PanelControl(VexiloId::ON_TOP);
    EXPECT_FALSE(App::Checked(toggle));
    EXPECT_EQ(ExStyle(app.Main()) & WS_EX_TOPMOST, 0);

    OtherWindow other(app.Main());
    ASSERT_NE(other.Handle(), nullptr);
    // Each press flips the toggle; the window is topmost exactly while it is checked.
    for (bool checked : {true, false, true}) {
        SCOPED_TRACE(checked ? "checked" : "unchecked");
        EXPECT_TRUE(app.Click(toggle).empty());
        EXPECT_EQ(App::Checked(toggle), checked);
        EXPECT_EQ((ExStyle(app.Main()) & WS_EX_TOPMOST) != 0, checked);
        other.Raise();
        EXPECT_EQ(IsAbove(app.Main(), other.Handle()), checked);
        EXPECT_EQ(Utf8(App::Text(toggle)), "ForceFw");  // the caption does not follow the state
    }

    ASSERT_TRUE(app.Restart());
    toggle = app.PanelControl(VexiloId::ON_TOP);
    EXPECT_FALSE(App::Checked(toggle));
    EXPECT_EQ(ExStyle(app.Main()) & WS_EX_TOPMOST, 0);
}

}  // namespace
