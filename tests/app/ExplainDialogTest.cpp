// The explanation dialog, opened from the Help menu or the "?" button, in the
// interface language, over the top-left corner of the main window's client
// area, closed with Enter or Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "help/ExplainTexts.h"
#include "tests/app/ProgramWindows.h"
#include "tests/app/RealInput.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;

constexpr int CMD_EXPLAIN = 120;
constexpr int IDC_EXPLAIN_TEXT = 320;

enum class Opener { HELP_MENU, HELP_BUTTON };

struct DialogCase {
    bool japanese;
    Opener opener;
    WORD closingKey;
};

const DialogCase DIALOG_CASES[] = {
    {false, Opener::HELP_MENU, VK_RETURN},
    {false, Opener::HELP_BUTTON, VK_ESCAPE},
    {true, Opener::HELP_BUTTON, VK_RETURN},
    {true, Opener::HELP_MENU, VK_ESCAPE},
};

struct Language {
    size_t length;  // line ends included
    const wchar_t* firstLine;
};

const Language ENGLISH = {3472, L"\u25CF List of available numerical formula elements\r\n"};
const Language JAPANESE = {1954, L"\u25CF利用可能な数式要素一覧\r\n"};

std::wstring Explanation(bool japanese)
{
    std::vector<wchar_t> buffer(EXPLAIN_CAPACITY);
    return std::wstring(buffer.data(), BuildExplanation(japanese, buffer.data(), buffer.size()));
}

HWND OpenExplanation(App& app, Opener opener)
{
    if (opener == Opener::HELP_MENU) {
        PostMessageW(app.Main(), WM_COMMAND, CMD_EXPLAIN, 0);
    } else {
        if (!BringToFront(app.Main())) return nullptr;
        ClickAt(CenterOf(app.PanelControl(VexiloId::HELP_BUTTON)));
    }
    HWND dialog = WaitForProcessWindow(ProcessOf(app.Main()), L"#32770");
    return dialog && GetDlgItem(dialog, IDC_EXPLAIN_TEXT) ? dialog : nullptr;
}

TEST(ExplainDialog, ShowsTheTextOfTheLanguageAtTheClientCornerAndClosesWithEnterOrEscape)
{
    App app;
    ASSERT_TRUE(app.Start());
    bool japanese = false;
    for (const DialogCase& shown : DIALOG_CASES) {
        SCOPED_TRACE(std::string(shown.japanese ? "Japanese" : "English")
                     + (shown.opener == Opener::HELP_MENU ? ", Help menu" : ", ? button")
                     + (shown.closingKey == VK_RETURN ? ", Enter" : ", Escape"));
        if (shown.japanese != japanese) {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
            japanese = shown.japanese;
        }
        HWND dialog = OpenExplanation(app, shown.opener);
        ASSERT_NE(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, IDC_EXPLAIN_TEXT);

        const Language& language = japanese ? JAPANESE : ENGLISH;
        const std::wstring text = App::Text(edit);
        EXPECT_EQ(text.size(), language.length);
        EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), static_cast<long>(EXPLAIN_LINE_CNT));
        EXPECT_EQ(Utf8(text.substr(0, std::wstring(language.firstLine).size())), Utf8(language.firstLine));
        EXPECT_TRUE(text.ends_with(L"\r\n"));
        EXPECT_EQ(Utf8(text), Utf8(Explanation(japanese)));

        // From the first line, caret at the start, nothing selected, the text focused.
        EXPECT_TRUE(WaitUntil([&] { return EditSelection(edit) == std::make_pair<DWORD, DWORD>(0, 0); }));
        EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_EQ(FocusOf(dialog), edit);

        const POINT corner = ClientOrigin(dialog);
        const POINT mainCorner = ClientOrigin(app.Main());
        EXPECT_EQ(corner.x, mainCorner.x);
        EXPECT_EQ(corner.y, mainCorner.y);
        EXPECT_FALSE(IsWindowEnabled(app.Main()));  // modal

        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
        PressKey(shown.closingKey);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
    }
}

}  // namespace
