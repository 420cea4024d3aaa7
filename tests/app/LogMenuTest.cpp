// The log's own context menu, Clear Log, and storing the log in a file
// through the save dialog, from the context menu and from the File menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/InProcessProbe.h"
#include "tests/app/ProgramWindows.h"
#include "tests/app/RealInput.h"
#include "tests/app/VexiloSession.h"

namespace {

using App = VexiloSession;
using Lines = std::vector<std::wstring>;

constexpr UINT CMD_CLEAR_LOG = 106;
constexpr UINT CMD_STORE_LOG = 129;
constexpr int SAVE_FILE_NAME = 0x47C;  // cmb13: the file name box of the save dialog
constexpr int SAVE_FILE_TYPES = 0x470;  // cmb1: the filter list

// Right-clicks the log at a point of its client area and returns the popup menu.
HWND OpenContextMenu(App& app, POINT at)
{
    BringToFront(app.Main());
    ClientToScreen(app.Log(), &at);
    RightClickAt(at);
    return WaitForProcessWindow(ProcessOf(app.Main()), L"#32768");
}

// Lets the program finish what it is doing before the driver looks.
void Settle(App& app)
{
    DWORD_PTR result;
    SendMessageTimeoutW(app.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

void SwitchLanguage(App& app)
{
    EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
}

// Calculates something, so that the log has lines; true when it has.
bool FillLog(App& app)
{
    const bool quiet = app.Calculate(1, L"2+3").empty();
    return quiet && ListCount(app.Log()) > 0;
}

TEST(LogMenu, RightClickOffersTheTwoJapaneseItemsInEitherLanguage)
{
    App app;
    ASSERT_TRUE(app.Start());
    const POINT at = {40, 25};
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        if (japanese) SwitchLanguage(app);
        ASSERT_TRUE(FillLog(app));
        const int lines = ListCount(app.Log());

        HWND popup = OpenContextMenu(app, at);
        ASSERT_NE(popup, nullptr);
        // Its top-left corner at the mouse position.
        POINT expected = at;
        ClientToScreen(app.Log(), &expected);
        RECT rect;
        GetWindowRect(popup, &rect);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);

        InProcessProbe probe(app.Main());
        ASSERT_EQ(Utf8(probe.Failure()), "");
        const std::vector<MenuEntry> items = probe.Menu(popup);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].kind, L'I');
        EXPECT_EQ(items[0].id, CMD_CLEAR_LOG);
        EXPECT_EQ(Utf8(items[0].text), Utf8(L"ログをクリア(&C)"));
        EXPECT_EQ(items[1].kind, L'I');
        EXPECT_EQ(items[1].id, CMD_STORE_LOG);
        EXPECT_EQ(Utf8(items[1].text), Utf8(L"ログをファイルに保存(&S)"));

        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitGone(popup));
        Settle(app);
        EXPECT_EQ(ListCount(app.Log()), lines);
    }
}

struct ClearWay {
    const char* name;
    void (*clear)(App& app);
};

const ClearWay CLEAR_WAYS[] = {
    {"context menu, first item by its mnemonic",
     [](App& app) {
         HWND popup = OpenContextMenu(app, {30, 30});
         ASSERT_NE(popup, nullptr);
         PressKey('C');
         EXPECT_TRUE(WaitGone(popup));
     }},
    {"File menu", [](App& app) { EXPECT_TRUE(app.Command(CMD_CLEAR_LOG).empty()); }},
};

TEST(LogMenu, ClearEmptiesTheLogAndTheNextLineIsItsOnlyLine)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (const ClearWay& way : CLEAR_WAYS) {
        SCOPED_TRACE(way.name);
        ASSERT_TRUE(FillLog(app));
        way.clear(app);
        EXPECT_TRUE(WaitUntil([&] { return ListCount(app.Log()) == 0; }));
        EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
        EXPECT_EQ(app.LogLines(), Lines{L"Ans=[2]"});
    }
}

// The save dialog: opened from the context menu's second item or the File menu.
enum class Trigger { CONTEXT_MENU, FILE_MENU };

HWND OpenSaveDialog(App& app, Trigger trigger)
{
    if (trigger == Trigger::CONTEXT_MENU) {
        HWND popup = OpenContextMenu(app, {30, 30});
        if (!popup) return nullptr;
        PressKey('S');
    } else {
        PostMessageW(app.Main(), WM_COMMAND, CMD_STORE_LOG, 0);
    }
    HWND dialog = WaitForProcessWindow(ProcessOf(app.Main()), L"#32770");
    return dialog && GetDlgItem(dialog, SAVE_FILE_NAME) ? dialog : nullptr;
}

HWND FileNameField(HWND dialog)
{
    return ComboEdit(GetDlgItem(dialog, SAVE_FILE_NAME));
}

// Types the name into the dialog and confirms it.
void Confirm(HWND dialog, const std::wstring& name)
{
    App::SetText(FileNameField(dialog), name);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The stored log: UTF-16LE units read back; false when the byte count is odd.
bool StoredText(const std::wstring& path, std::wstring& text)
{
    const std::string bytes = FileBytes(path);
    text.clear();
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])
                                            | static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return bytes.size() % 2 == 0;
}

// Every line followed by one line feed, nothing else.
std::wstring WithLineFeeds(const Lines& lines)
{
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\n";
    return text;
}

void ExpectStored(App& app, const std::wstring& path)
{
    const Lines log = app.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(Utf8(log.back()), Utf8(L"保存ファイル名=[" + path + L"]"));
    std::wstring text;
    EXPECT_TRUE(StoredText(path, text));
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text[0], L'\uFEFF');  // no byte-order mark
    EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
    EXPECT_EQ(Utf8(text), Utf8(WithLineFeeds(log)));
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(StoreLog, DialogProposesTheNameBesideTheProgramAndCancelStoresNothing)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(FillLog(app));
    const std::wstring proposed = app.Folder() + L"\\vexilo.txt";

    for (Trigger trigger : {Trigger::CONTEXT_MENU, Trigger::FILE_MENU}) {
        SCOPED_TRACE(trigger == Trigger::CONTEXT_MENU ? "context menu" : "File menu");
        const Lines before = app.LogLines();
        HWND dialog = OpenSaveDialog(app, trigger);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Utf8(App::Text(dialog)), Utf8(L"ログを名前を付けて保存"));
        EXPECT_EQ(App::Text(FileNameField(dialog)), L"vexilo.txt");
        HWND types = GetDlgItem(dialog, SAVE_FILE_TYPES);
        EXPECT_EQ(App::ComboItems(types), (Lines{L"Text files {*.txt}", L"All files {*.*}"}));
        EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);

        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitGone(dialog));
        Settle(app);
        EXPECT_EQ(app.LogLines(), before);
        EXPECT_FALSE(Exists(proposed));
    }

    // Confirmed as proposed: the file lies beside the program.
    HWND dialog = OpenSaveDialog(app, Trigger::FILE_MENU);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitGone(dialog));
    Settle(app);
    ExpectStored(app, proposed);
}

TEST(StoreLog, WritesEveryLineWithALineFeedAndReplacesTheFileOnTheNextStore)
{
    App app;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Calculate(1, L"6*7").empty());
    EXPECT_TRUE(app.Calculate(0, L"1+$").empty());  // an error line, with its caret line
    EXPECT_TRUE(app.Calculate(0, L"dms( acos( 0 - 1 ) )").empty());  // characters outside ASCII
    const std::wstring path = app.Folder() + L"\\stored.txt";

    // Without an extension the dialog adds .txt.
    HWND dialog = OpenSaveDialog(app, Trigger::CONTEXT_MENU);
    ASSERT_NE(dialog, nullptr);
    Confirm(dialog, app.Folder() + L"\\stored");
    ASSERT_TRUE(WaitGone(dialog));
    Settle(app);
    ExpectStored(app, path);
    const std::string first = FileBytes(path);

    // A shorter log into the same file: asked first, then replaced whole.
    EXPECT_TRUE(app.Command(CMD_CLEAR_LOG).empty());
    EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
    dialog = OpenSaveDialog(app, Trigger::FILE_MENU);
    ASSERT_NE(dialog, nullptr);
    Confirm(dialog, path);
    std::wstring question;
    ASSERT_TRUE(AnswerMessageBox(ProcessOf(app.Main()), IDYES, question));
    ASSERT_TRUE(WaitGone(dialog));
    Settle(app);
    EXPECT_EQ(app.LogLines().size(), 2u);
    ExpectStored(app, path);
    EXPECT_LT(FileBytes(path).size(), first.size());
}

// A file that cannot be written is reported in the interface language,
// naming the file and the system's text for the error.
enum class Obstacle { MISSING_FOLDER, LOCKED_FILE };

struct FailureCase {
    bool japanese;
    Obstacle obstacle;
};

const FailureCase FAILURE_CASES[] = {
    {false, Obstacle::MISSING_FOLDER},
    {false, Obstacle::LOCKED_FILE},
    {true, Obstacle::MISSING_FOLDER},
    {true, Obstacle::LOCKED_FILE},
};

bool IsJapaneseCharacter(wchar_t c)
{
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF);
}

// The message without the file name and the system's text: the program's own words.
std::wstring OwnWords(std::wstring message, const std::wstring& path, const std::wstring& systemText)
{
    for (const std::wstring& part : {path, systemText}) {
        const size_t at = message.find(part);
        if (at != std::wstring::npos) message.erase(at, part.size());
    }
    return message;
}

TEST(StoreLog, FailureToWriteIsReportedInTheInterfaceLanguage)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(FillLog(app));
    bool japanese = false;
    int index = 0;
    for (const FailureCase& failure : FAILURE_CASES) {
        const bool locked = failure.obstacle == Obstacle::LOCKED_FILE;
        SCOPED_TRACE(std::string(failure.japanese ? "Japanese, " : "English, ")
                     + (locked ? "file in use" : "folder missing"));
        if (failure.japanese != japanese) {
            SwitchLanguage(app);
            japanese = failure.japanese;
        }
        const std::wstring name = L"log" + std::to_wstring(++index) + L".txt";
        const std::wstring path = app.Folder() + (locked ? L"\\" : L"\\missing\\") + name;
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (locked) {
            // Another program holds the file open and shares it with nobody.
            holder = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
            DWORD written = 0;
            WriteFile(holder, "old", 3, &written, nullptr);
        }

        HWND dialog = OpenSaveDialog(app, Trigger::FILE_MENU);
        ASSERT_NE(dialog, nullptr);
        Confirm(dialog, path);
        std::wstring message;
        if (locked) {
            ASSERT_TRUE(AnswerMessageBox(ProcessOf(app.Main()), IDYES, message));  // it exists
        }
        ASSERT_TRUE(AnswerMessageBox(ProcessOf(app.Main()), IDOK, message));
        ASSERT_TRUE(WaitGone(dialog));
        Settle(app);
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

        const std::wstring systemText = SystemErrorText(locked ? ERROR_SHARING_VIOLATION : ERROR_PATH_NOT_FOUND);
        ASSERT_FALSE(systemText.empty());
        EXPECT_NE(message.find(path), std::wstring::npos) << Utf8(message);
        EXPECT_NE(message.find(systemText), std::wstring::npos) << Utf8(message);
        const std::wstring own = OwnWords(message, path, systemText);
        const bool anyJapanese = std::any_of(own.begin(), own.end(), IsJapaneseCharacter);
        const bool allAscii = std::all_of(own.begin(), own.end(), [](wchar_t c) { return c < 0x80; });
        EXPECT_EQ(anyJapanese, japanese) << Utf8(message);
        EXPECT_EQ(allAscii, !japanese) << Utf8(message);
        // The log names the file all the same, and nothing was written.
        EXPECT_EQ(Utf8(app.LogLines().back()), Utf8(L"保存ファイル名=[" + path + L"]"));
        EXPECT_EQ(FileBytes(path), locked ? "old" : "");
        EXPECT_EQ(Exists(path), locked);
    }
}

}  // namespace
