// Scenario scripts: each file data/scripts/NAME.txt is one run of the program
// (with restarts where it says so), driven and checked line by line. Blank
// lines and lines starting with # are skipped; a line is a command, its
// words, then the rest of the line as text.
//
// Actions. Each begins a step: the log lines and message boxes that the step
// brings must be exactly its "log" and "message" lines (after start,
// restart, close and place the log only when lines are listed), and
// "unsaved" compares the settings file with the one before the step.
//   setting TEXT          a line of the settings file written before the first start
//   plant NAME            a DLL beside the program named NAME that exports nothing
//   start | restart | close
//   type TARGET TEXT      as WM_SETTEXT | calc ROW TEXT (typed, then Calc) | click TARGET
//   mode ROW int|dec      sets the toggle | command ID (a menu command)
//   scroll lineup|linedown|pageup|pagedown|thumb|track|top|bottom|end N
//   wheel DISTANCE | width CLIENT_WIDTH | place LEFT TOP WIDTH HEIGHT
//   clip                  empties the clipboard (no step)
// Real input, with the program's window in front:
//   front | key KEY[+KEY...] (ctrl shift alt tab return escape space up down f4 f6 f9
//   f10 apps add, or a letter or digit) | clickon TARGET | wheelat TARGET DISTANCE
//   pointer TARGET (the mouse pointer to its centre, out of the way) | select TARGET START END
//   pick ROW ENTRY (selects a history entry) | barrier (once it is through, the input
//   given before it has been handled) | dialog COMMAND CONTROL KEY (the menu command
//   opens a dialog holding the control; the key closes it)
// Checks; they wait a moment for the program to catch up with real input.
//   log TEXT | message TEXT | menu DEPTH KIND ID CHECKED TEXT (the menu bar, every
//                         entry; the id of plain items only)
//   text TARGET TEXT | history ROW ENTRY TEXT | varhistory N ENTRY TEXT (<none> past the end)
//   checked ROW 0|1 | topmost 0|1 | saved SECTION KEY TEXT | unsaved | nofile
//   clipboard TEXT | window LEFT TOP WIDTH HEIGHT
//   focus TARGET | selection TARGET START END | selected ROW ENTRY
//   view FIRST            the row at the top of the view (from 0), the rows on whole-row steps
//   opened CLASS | closed CLASS   a window of the program of this class (#32768 a menu,
//                         #32770 a dialog, ComboLBox a dropped list) is open, or none is
//   menuat TARGET         an open menu's top left corner is at that of TARGET's client area
//   loglines N            the log holds N lines
// TARGET: edit:ROW (the formula box's edit field), mode:ROW, calc:ROW, var:N
// (x, y, z: 0, 1, 2; the box's edit field), answer, log, droplist (the open
// drop-down list), or a panel id (150 is the answer label).
#include "tests/app/AppTest.h"

#include <sstream>

#include "tests/app/InProcessProbe.h"
#include "tests/app/RealInput.h"
#include "util/Utf8.h"

namespace {

// The clipboard's text, or "<none>"; the program may hold it for a moment.
// With empty, the clipboard is emptied instead.
std::wstring Clipboard(bool empty = false)
{
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return L"<not opened>";
    std::wstring text = L"<none>";
    HANDLE data = empty ? nullptr : GetClipboardData(CF_UNICODETEXT);
    if (const auto* memory = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        text.assign(memory, wcsnlen(memory, GlobalSize(data) / sizeof(wchar_t)));
        GlobalUnlock(data);
    }
    if (empty) EmptyClipboard();
    CloseClipboard();
    return text;
}

// The first word of text, which is cut off it (with the blank after it).
std::wstring Take(std::wstring& text)
{
    const size_t blank = text.find(L' ');
    std::wstring word = text.substr(0, blank);
    text.erase(0, blank == std::wstring::npos ? text.size() : blank + 1);
    return word;
}

int TakeInt(std::wstring& text)
{
    return std::stoi(Take(text));
}

WORD KeyCode(const std::wstring& name)
{
    const std::pair<const wchar_t*, WORD> NAMES[] = {{L"ctrl", VK_CONTROL}, {L"shift", VK_SHIFT}, {L"tab", VK_TAB},
                                                     {L"return", VK_RETURN}, {L"escape", VK_ESCAPE}, {L"space", VK_SPACE},
                                                     {L"up", VK_UP}, {L"down", VK_DOWN}, {L"f9", VK_F9}, {L"add", VK_ADD},
                                                     {L"alt", VK_MENU}, {L"f4", VK_F4}, {L"f6", VK_F6},
                                                     {L"f10", VK_F10}, {L"apps", VK_APPS}};
    for (const auto& [known, code] : NAMES) {
        if (name == known) return code;
    }
    return static_cast<WORD>(towupper(name[0]));
}

// The actual value, once it equals the expected one or the time is up.
template <typename Get, typename T>
void ExpectSoon(Get get, const T& expected)
{
    WaitUntil([&] { return get() == expected; }, 5000);
    EXPECT_EQ(get(), expected);
}

std::wstring Describe(const MenuEntry& entry)
{
    std::wostringstream text;
    // A submenu's id is its handle, different at each run.
    text << entry.depth << L' ' << entry.kind << L' ' << (entry.kind == L'I' ? entry.id : 0) << L' ' << entry.checked;
    if (entry.text[0]) text << L' ' << entry.text;
    return text.str();
}

// What a command does to the step under way: nothing, or it begins a new
// step, in which the log must then hold exactly the lines listed (EXACT) or
// is compared only when lines are listed (LOOSE).
enum class Step { NONE, LOOSE, EXACT };

// One line of a script: its command, the words after it (taken one by one
// by the handler) and, untouched, the whole rest of the line.
struct Line {
    std::wstring command;
    std::wstring args;
    std::wstring all;
};

class Script;

struct Command {
    const wchar_t* name;
    Step step;
    void (*run)(Script& script, Line& line);
};

class Script {
public:
    void Run(const std::string& bytes);

private:
    static const Command* Find(const std::wstring& name);
    void Do(const std::wstring& command, std::wstring args);
    void Launch(bool restart);
    void ExpectHistoryEntry(bool variable, std::wstring& args);
    void Begin(bool strict);
    void EndStep();
    HWND Target(const std::wstring& name);
    HWND Opened(const std::wstring& className);

    App m_App;
    Texts m_Settings;
    bool m_Started = false;
    // The step under way.
    bool m_Strict = false;
    size_t m_LogBefore = 0;
    std::string m_FileBefore;
    Texts m_Messages, m_ExpectedLog, m_ExpectedMessages, m_ExpectedMenu;
};

void Script::Run(const std::string& bytes)
{
    std::istringstream lines(bytes);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::wstring text = Utf8ToWide(line);
        SCOPED_TRACE(::testing::Message() << "script line " << number << ": " << line);
        const std::wstring command = Take(text);
        Do(command, text);
        // What follows a failed line would fail after it, each check after a wait.
        if (::testing::Test::HasFailure()) return;
    }
    EndStep();
}

void Script::Begin(bool strict)
{
    EndStep();
    m_Strict = strict;
    m_LogBefore = m_Started ? m_App.LogLines().size() : 0;
    m_FileBefore = m_App.SettingsBytes();
    m_Messages.clear();
}

void Script::EndStep()
{
    if (m_Strict || !m_ExpectedLog.empty()) ExpectSoon([&] { return m_App.LogLinesAfter(m_LogBefore); }, m_ExpectedLog);
    EXPECT_EQ(m_Messages, m_ExpectedMessages);
    if (!m_ExpectedMenu.empty()) {
        InProcessProbe probe(m_App.Main());
        ASSERT_EQ(probe.Failure(), L"");
        Texts menu;
        for (const MenuEntry& entry : probe.Menu(m_App.Main())) menu.push_back(Describe(entry));
        EXPECT_EQ(menu, m_ExpectedMenu);
    }
    m_ExpectedLog.clear();
    m_ExpectedMessages.clear();
    m_ExpectedMenu.clear();
}

HWND Script::Target(const std::wstring& name)
{
    const size_t colon = name.find(L':');
    const std::wstring kind = name.substr(0, colon);
    const int n = colon == std::wstring::npos ? 0 : std::stoi(name.substr(colon + 1));
    if (kind == L"edit") return ComboEdit(m_App.FormulaBox(n));
    if (kind == L"mode") return m_App.ModeToggle(n);
    if (kind == L"calc") return m_App.CalcButton(n);
    if (kind == L"var") return ComboEdit(m_App.VariableBox(n));
    if (kind == L"answer") return m_App.AnswerField();
    if (kind == L"droplist") return Opened(L"ComboLBox");
    return kind == L"log" ? m_App.Log() : m_App.PanelControl(std::stoi(name));
}

HWND Script::Opened(const std::wstring& className)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(m_App.Main(), &processId);
    return App::FindTopLevel(processId, className.c_str());
}

const Command* Script::Find(const std::wstring& name)
{
    static const Command COMMANDS[] = {
        // Actions
        {L"setting", Step::NONE, [](Script& s, Line& l) { s.m_Settings.push_back(l.args); }},
        {L"plant", Step::NONE,
         [](Script& s, Line& l) {
             ASSERT_TRUE(CopyFileW(BesideThisProgram(L"vexilo_planted.dll").c_str(),
                                   (s.m_App.Folder() + L"\\" + l.args).c_str(), FALSE));
         }},
        {L"start", Step::LOOSE, [](Script& s, Line&) { s.Launch(false); }},
        {L"restart", Step::LOOSE, [](Script& s, Line&) { s.Launch(true); }},
        {L"close", Step::LOOSE, [](Script& s, Line&) { ASSERT_TRUE(s.m_App.Close()); s.m_Started = false; }},
        {L"type", Step::EXACT, [](Script& s, Line& l) { App::SetText(s.Target(Take(l.args)), l.args); }},
        {L"calc", Step::EXACT,
         [](Script& s, Line& l) {
             const int row = TakeInt(l.args);
             App::SetText(s.m_App.FormulaBox(row), l.args);
             s.m_Messages = s.m_App.Click(s.m_App.CalcButton(row));
         }},
        {L"click", Step::EXACT, [](Script& s, Line& l) { s.m_Messages = s.m_App.Click(s.Target(l.args)); }},
        {L"mode", Step::EXACT,
         [](Script& s, Line& l) {
             const int row = TakeInt(l.args);
             s.m_App.SetIntegerMode(row, l.args == L"int");
         }},
        {L"command", Step::EXACT, [](Script& s, Line& l) { s.m_Messages = s.m_App.Command(TakeInt(l.args)); }},
        {L"scroll", Step::EXACT,
         [](Script& s, Line& l) {
             const std::wstring REQUESTS = L" lineup linedown pageup pagedown thumb track top bottom end ";
             const size_t at = REQUESTS.find(L" " + Take(l.args) + L" ");
             ASSERT_NE(at, std::wstring::npos) << "no such scroll request";
             // The requests are SB_LINEUP (0) to SB_ENDSCROLL (8) in this order.
             const auto request = static_cast<WORD>(std::count(REQUESTS.begin(), REQUESTS.begin() + at + 1, L' ') - 1);
             s.m_App.Scroll(request, static_cast<WORD>(l.args.empty() ? 0 : std::stoi(l.args)));
         }},
        {L"wheel", Step::EXACT, [](Script& s, Line& l) { s.m_App.Wheel(static_cast<short>(TakeInt(l.args))); }},
        {L"width", Step::EXACT, [](Script& s, Line& l) { s.m_App.SetClientWidth(TakeInt(l.args)); }},
        {L"place", Step::LOOSE,
         [](Script& s, Line& l) {
             int box[4];
             for (int& value : box) value = TakeInt(l.args);
             SetWindowPos(s.m_App.Main(), nullptr, box[0], box[1], box[2], box[3], SWP_NOZORDER | SWP_NOACTIVATE);
             s.m_App.Settle();
         }},
        {L"clip", Step::NONE, [](Script&, Line&) { Clipboard(true); }},
        // Real input
        {L"front", Step::EXACT, [](Script& s, Line&) { ASSERT_TRUE(BringToFront(s.m_App.Main())); }},
        {L"pointer", Step::EXACT,
         [](Script& s, Line& l) {
             const POINT at = CenterOf(s.Target(l.args));
             SetCursorPos(at.x, at.y);
         }},
        {L"key", Step::EXACT,
         [](Script&, Line& l) {
             std::vector<WORD> keys;
             for (size_t plus; (plus = l.args.find(L'+')) != std::wstring::npos; l.args.erase(0, plus + 1)) {
                 keys.push_back(KeyCode(l.args.substr(0, plus)));
             }
             keys.push_back(KeyCode(l.args));
             PressChord(keys);
         }},
        {L"clickon", Step::EXACT,
         [](Script& s, Line& l) {
             ASSERT_TRUE(BringToFront(s.m_App.Main()));
             ClickAt(CenterOf(s.Target(l.args)));
         }},
        {L"wheelat", Step::EXACT,
         [](Script& s, Line& l) {
             ASSERT_TRUE(BringToFront(s.m_App.Main()));
             const POINT at = CenterOf(s.Target(Take(l.args)));
             WheelAt(at, std::stoi(l.args));
         }},
        {L"select", Step::EXACT,
         [](Script& s, Line& l) {
             HWND edit = s.Target(Take(l.args));
             const int start = TakeInt(l.args);
             SendMessageW(edit, EM_SETSEL, start, std::stoi(l.args));
         }},
        {L"pick", Step::EXACT,
         [](Script& s, Line& l) {
             const int row = TakeInt(l.args);
             SendMessageW(s.m_App.FormulaBox(row), CB_SETCURSEL, std::stoi(l.args), 0);
         }},
        {L"barrier", Step::EXACT,
         [](Script& s, Line&) {
             // Real input is handled in order: once a click given after the keys
             // has flipped row 9's toggle, the keys before it have been handled.
             HWND toggle = s.m_App.ModeToggle(9);
             const bool checked = App::Checked(toggle);
             ClickAt(CenterOf(toggle));
             ASSERT_TRUE(WaitUntil([&] { return App::Checked(toggle) != checked; }));
             s.m_App.Click(toggle);
         }},
        {L"dialog", Step::EXACT,
         [](Script& s, Line& l) {
             PostMessageW(s.m_App.Main(), WM_COMMAND, TakeInt(l.args), 0);  // as the menu sends it
             const int control = TakeInt(l.args);
             HWND dialog = s.m_App.WaitForWindowOfClass(L"#32770");
             ASSERT_TRUE(dialog && GetDlgItem(dialog, control)) << "no dialog with control " << control;
             ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
             PressKey(KeyCode(l.args));
             ASSERT_TRUE(WaitGone(dialog));
         }},
        // Checks
        {L"log", Step::NONE, [](Script& s, Line& l) { s.m_ExpectedLog.push_back(l.all); }},
        {L"message", Step::NONE, [](Script& s, Line& l) { s.m_ExpectedMessages.push_back(l.all); }},
        {L"menu", Step::NONE, [](Script& s, Line& l) { s.m_ExpectedMenu.push_back(l.all); }},
        {L"text", Step::NONE,
         [](Script& s, Line& l) {
             HWND window = s.Target(Take(l.args));
             ExpectSoon([&] { return App::Text(window); }, l.args);
         }},
        {L"history", Step::NONE, [](Script& s, Line& l) { s.ExpectHistoryEntry(false, l.args); }},
        {L"varhistory", Step::NONE, [](Script& s, Line& l) { s.ExpectHistoryEntry(true, l.args); }},
        {L"checked", Step::NONE,
         [](Script& s, Line& l) {
             HWND toggle = s.m_App.ModeToggle(TakeInt(l.args));
             ExpectSoon([&] { return App::Checked(toggle); }, l.args == L"1");
         }},
        {L"topmost", Step::NONE,
         [](Script& s, Line& l) {
             ExpectSoon([&] { return (GetWindowLongW(s.m_App.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, l.args == L"1");
         }},
        {L"saved", Step::NONE,
         [](Script& s, Line& l) {
             const std::wstring section = Take(l.args);
             const std::wstring key = Take(l.args);
             EXPECT_EQ(s.m_App.SettingsValue(section.c_str(), key.c_str()), l.args);
         }},
        {L"unsaved", Step::NONE, [](Script& s, Line&) { EXPECT_EQ(s.m_App.SettingsBytes(), s.m_FileBefore); }},
        {L"nofile", Step::NONE, [](Script& s, Line&) { EXPECT_FALSE(s.m_App.SettingsExist()); }},
        {L"clipboard", Step::NONE, [](Script&, Line& l) { EXPECT_EQ(Clipboard(), l.all); }},
        {L"window", Step::NONE,
         [](Script& s, Line& l) {
             Box box;
             for (LONG& value : box) value = TakeInt(l.args);
             EXPECT_EQ(BoxOf(App::ScreenRect(s.m_App.Main())), box);
         }},
        {L"focus", Step::NONE,
         [](Script& s, Line& l) {
             HWND target = s.Target(l.args);
             ExpectSoon([&] { return FocusOf(s.m_App.Main()); }, target);
         }},
        {L"selection", Step::NONE,
         [](Script& s, Line& l) {
             HWND edit = s.Target(Take(l.args));
             const DWORD start = static_cast<DWORD>(TakeInt(l.args));
             ExpectSoon([&] { return EditSelection(edit); }, std::make_pair(start, static_cast<DWORD>(std::stoi(l.args))));
         }},
        {L"selected", Step::NONE,
         [](Script& s, Line& l) {
             HWND box = s.m_App.FormulaBox(TakeInt(l.args));
             ExpectSoon([&] { return SendMessageW(box, CB_GETCURSEL, 0, 0); }, static_cast<LRESULT>(std::stoi(l.args)));
         }},
        {L"opened", Step::NONE, [](Script& s, Line& l) { ExpectSoon([&] { return s.Opened(l.args) != nullptr; }, true); }},
        {L"closed", Step::NONE, [](Script& s, Line& l) { ExpectSoon([&] { return s.Opened(l.args) != nullptr; }, false); }},
        {L"menuat", Step::NONE,
         [](Script& s, Line& l) {
             POINT corner = {0, 0};
             ClientToScreen(s.Target(l.args), &corner);
             ExpectSoon([&] {
                 const RECT menu = App::ScreenRect(s.Opened(L"#32768"));
                 return std::make_pair(menu.left, menu.top);
             }, std::make_pair(corner.x, corner.y));
         }},
        {L"loglines", Step::NONE,
         [](Script& s, Line& l) {
             ExpectSoon([&] { return s.m_App.LogLines().size(); }, static_cast<size_t>(std::stoul(l.args)));
         }},
        {L"view", Step::NONE, [](Script& s, Line& l) { ExpectSoon([&] { return FirstInView(s.m_App); }, std::stoi(l.args)); }},
    };
    for (const Command& command : COMMANDS) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

void Script::Launch(bool restart)
{
    if (!m_Settings.empty()) m_App.WriteSettingsText(m_Settings);
    m_Settings.clear();
    m_Started = restart ? m_App.Restart() : m_App.Start();
    m_LogBefore = 0;
    ASSERT_TRUE(m_Started);
}

// history ROW ENTRY TEXT, varhistory N ENTRY TEXT
void Script::ExpectHistoryEntry(bool variable, std::wstring& args)
{
    const int box = TakeInt(args);
    const auto entry = static_cast<size_t>(TakeInt(args));
    const Texts items = App::ComboItems(variable ? m_App.VariableBox(box) : m_App.FormulaBox(box));
    EXPECT_EQ(entry < items.size() ? items[entry] : L"<none>", args);
}

void Script::Do(const std::wstring& command, std::wstring args)
{
    const Command* found = Find(command);
    ASSERT_TRUE(found) << "unknown command " << ::testing::PrintToString(command);
    if (found->step != Step::NONE) Begin(found->step == Step::EXACT);
    Line line{command, args, args};
    found->run(*this, line);
}

class ScriptTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ScriptTest, RunsAsWritten)
{
    const std::string path = std::string("scripts/") + GetParam() + ".txt";
    const std::string bytes = ReadFileBytes(DataPath(path.c_str()));
    ASSERT_FALSE(bytes.empty()) << "no script " << path;
    Script script;
    script.Run(bytes);
}

std::string ScriptName(const ::testing::TestParamInfo<const char*>& info)
{
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(App, ScriptTest,
                         ::testing::Values("first-start", "calculation", "restart", "settings-as-written", "language", "scroll",
                                           "keys", "row-hooks", "menu-keys"),
                         ScriptName);
// The shipped build where it runs only by emulation: one short run for
// what the others check at length (CTest's app_shipped_build).
INSTANTIATE_TEST_SUITE_P(Shipped, ScriptTest, ::testing::Values("shipped-build"), ScriptName);

}  // namespace
