// The log's own context menu, Clear Log, and storing the log in a file
// through the save dialog, from the context menu and from the File menu.
#include "tests/app/AppTest.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "tests/support/SmallDisks.h"

#include "tests/app/InProcessProbe.h"
#include "tests/app/RealInput.h"

namespace {

constexpr int SAVE_FILE_NAME = 0x47C;   // cmb13: the file name box of the save dialog
constexpr int SAVE_FILE_TYPES = 0x470;  // cmb1: the filter list
const std::wstring STORED_LINE = L"保存ファイル名=[";  // the log line that names the stored file

// Right-clicks the log at a point of its client area and returns the popup menu.
HWND OpenContextMenu(App& app, POINT at)
{
    BringToFront(app.Main());
    ClientToScreen(app.Log(), &at);
    ClickAt(at, true);
    return app.WaitForWindowOfClass(L"#32768");
}

// Calculates something, so that the log has lines; true when it has.
bool FillLog(App& app)
{
    return app.Calculate(1, L"2+3").empty() && !app.LogLines().empty();
}

// A right click opens the two items at the mouse, in Japanese in either
// language; Escape closes them. Clear Log, from the context menu's first item
// by its mnemonic or from the File menu, empties the log.
TEST(LogMenu, RightClickOffersTheTwoJapaneseItemsInEitherLanguageAndClearEmptiesTheLog)
{
    App app;
    ASSERT_TRUE(app.Start());
    const POINT at = {40, 25};
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        if (japanese) {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
        }
        ASSERT_TRUE(FillLog(app));
        const size_t lines = app.LogLines().size();

        HWND popup = OpenContextMenu(app, at);
        ASSERT_NE(popup, nullptr);
        // Its top-left corner at the mouse position.
        POINT expected = at;
        ClientToScreen(app.Log(), &expected);
        const RECT rect = App::ScreenRect(popup);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);

        InProcessProbe probe(app.Main());
        ASSERT_EQ(probe.Failure(), L"");
        const std::vector<MenuEntry> items = probe.Menu(popup);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].kind, L'I');
        EXPECT_EQ(items[0].id, static_cast<UINT>(VexiloId::CMD_CLEAR_LOG));
        EXPECT_EQ(std::wstring(items[0].text), L"ログをクリア(&C)");
        EXPECT_EQ(items[1].kind, L'I');
        EXPECT_EQ(items[1].id, static_cast<UINT>(VexiloId::CMD_STORE_LOG));
        EXPECT_EQ(std::wstring(items[1].text), L"ログをファイルに保存(&S)");

        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitGone(popup));
        app.Settle();
        EXPECT_EQ(app.LogLines().size(), lines);
    }
    for (bool fromContextMenu : {true, false}) {
        SCOPED_TRACE(fromContextMenu ? "context menu, first item by its mnemonic" : "File menu");
        ASSERT_TRUE(FillLog(app));
        if (fromContextMenu) {
            HWND popup = OpenContextMenu(app, {30, 30});
            ASSERT_NE(popup, nullptr);
            PressKey('C');
            EXPECT_TRUE(WaitGone(popup));
        } else {
            EXPECT_TRUE(app.Command(VexiloId::CMD_CLEAR_LOG).empty());
        }
        EXPECT_TRUE(WaitUntil([&] { return app.LogLines().empty(); }));
        EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
        EXPECT_EQ(app.LogLines(), Texts{L"Ans=[2]"});
    }
}

// The save dialog, opened from the context menu's second item or the File menu.
HWND OpenSaveDialog(App& app, bool fromContextMenu)
{
    if (fromContextMenu) {
        if (!OpenContextMenu(app, {30, 30})) return nullptr;
        PressKey('S');
    } else {
        PostMessageW(app.Main(), WM_COMMAND, VexiloId::CMD_STORE_LOG, 0);
    }
    HWND dialog = app.WaitForWindowOfClass(L"#32770");
    return dialog && GetDlgItem(dialog, SAVE_FILE_NAME) ? dialog : nullptr;
}

HWND FileNameField(HWND dialog)
{
    return ComboEdit(GetDlgItem(dialog, SAVE_FILE_NAME));
}

// Types the name into the dialog, if one is given, and confirms it.
void Confirm(HWND dialog, const std::wstring& name = {})
{
    if (!name.empty()) App::SetText(FileNameField(dialog), name);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The log names the stored file last, and the file holds every line of the
// log, each ended by one line feed, in UTF-16LE without a byte-order mark.
void ExpectStored(App& app, const std::wstring& path)
{
    const Texts log = app.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), STORED_LINE + path + L"]");
    std::wstring expected;
    for (const std::wstring& line : log) expected += line + L"\n";
    std::string bytes;
    for (wchar_t unit : expected) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    EXPECT_EQ(FileBytes(path), bytes);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The dialog proposes vexilo.txt beside the program; Cancel stores nothing.
TEST(StoreLog, WritesEveryLineWithALineFeedAndReplacesTheFileOnTheNextStore)
{
    App app;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.Calculate(1, L"6*7").empty());
    EXPECT_TRUE(app.Calculate(0, L"1+$").empty());  // an error line, with its caret line
    EXPECT_TRUE(app.Calculate(0, L"dms( acos( 0 - 1 ) )").empty());  // characters outside ASCII
    const std::wstring proposed = app.Folder() + L"\\vexilo.txt";
    for (bool fromContextMenu : {true, false}) {
        SCOPED_TRACE(fromContextMenu ? "context menu" : "File menu");
        const Texts before = app.LogLines();
        HWND dialog = OpenSaveDialog(app, fromContextMenu);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(App::Text(dialog), L"ログを名前を付けて保存");
        EXPECT_EQ(App::Text(FileNameField(dialog)), L"vexilo.txt");
        HWND types = GetDlgItem(dialog, SAVE_FILE_TYPES);
        EXPECT_EQ(App::ComboItems(types), (Texts{L"Text files {*.txt}", L"All files {*.*}"}));
        EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);

        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        EXPECT_EQ(app.LogLines(), before);
        EXPECT_FALSE(Exists(proposed));
    }

    // Confirmed as proposed; then, without an extension, the dialog adds .txt.
    const std::wstring path = app.Folder() + L"\\stored.txt";
    for (const std::wstring& name : {std::wstring(), app.Folder() + L"\\stored"}) {
        HWND dialog = OpenSaveDialog(app, !name.empty());
        ASSERT_NE(dialog, nullptr);
        Confirm(dialog, name);
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        ExpectStored(app, name.empty() ? proposed : path);
    }

    // A shorter log into the same file: asked first, then replaced whole.
    EXPECT_TRUE(app.Command(VexiloId::CMD_CLEAR_LOG).empty());
    EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
    HWND dialog = OpenSaveDialog(app, false);
    ASSERT_NE(dialog, nullptr);
    Confirm(dialog, path);
    std::wstring question;
    ASSERT_TRUE(app.AnswerMessageBox(IDYES, question));
    ASSERT_TRUE(WaitGone(dialog));
    app.Settle();
    EXPECT_EQ(app.LogLines().size(), 2u);
    ExpectStored(app, path);
}

// A file that cannot be written is reported in the interface language,
// naming the file and the system's text for the error; an old file stays
// as it was.
TEST(StoreLog, FailureToWriteIsReportedInTheInterfaceLanguage)
{
    enum class Obstacle { MISSING_FOLDER, HELD_OPEN, FULL_DISK };
    const struct {
        const char* what;
        Obstacle obstacle;
        bool japanese;
        DWORD error;
    } cases[] = {
        {"English, folder missing", Obstacle::MISSING_FOLDER, false, ERROR_PATH_NOT_FOUND},
        // Another program holds the file open and shares it with nobody.
        {"Japanese, file in use", Obstacle::HELD_OPEN, true, ERROR_SHARING_VIOLATION},
        {"Japanese, full disk", Obstacle::FULL_DISK, true, ERROR_DISK_FULL},
    };
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(FillLog(app));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring disk = SmallDisk();
        if (c.obstacle == Obstacle::FULL_DISK && disk.empty()) {
            std::cout << "[  SKIPPED ] the full-disk case: " << NO_SMALL_DISK << "\n";
            continue;
        }
        if (c.japanese && App::Text(app.AnswerLabel()) != L"答え") {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
        }
        const bool oldFile = c.obstacle != Obstacle::MISSING_FOLDER;
        const std::wstring path = c.obstacle == Obstacle::MISSING_FOLDER ? app.Folder() + L"\\missing\\log.txt"
                                  : c.obstacle == Obstacle::HELD_OPEN    ? app.Folder() + L"\\locked.txt"
                                                                         : disk + L"\\log.txt";
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (oldFile) {
            holder = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
            DWORD written = 0;
            WriteFile(holder, "old", 3, &written, nullptr);
        }
        if (c.obstacle == Obstacle::FULL_DISK) {
            CloseHandle(holder);
            holder = INVALID_HANDLE_VALUE;
            FillDisk(disk + L"\\filler");
        }

        HWND dialog = OpenSaveDialog(app, false);
        ASSERT_NE(dialog, nullptr);
        Confirm(dialog, path);
        std::wstring message;
        if (oldFile) {
            ASSERT_TRUE(app.AnswerMessageBox(IDYES, message));  // it exists
        }
        ASSERT_TRUE(app.AnswerMessageBox(IDOK, message));
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

        const std::wstring systemText = SystemErrorText(c.error);
        ASSERT_FALSE(systemText.empty());
        // The message without the file name and the system's text: the program's own words.
        std::wstring own = message;
        for (const std::wstring& part : {path, systemText}) {
            const size_t at = own.find(part);
            EXPECT_NE(at, std::wstring::npos) << ::testing::PrintToString(message);
            if (at != std::wstring::npos) own.erase(at, part.size());
        }
        const bool anyJapanese = std::any_of(own.begin(), own.end(), [](wchar_t ch) {
            return (ch >= 0x3040 && ch <= 0x30FF) || (ch >= 0x4E00 && ch <= 0x9FFF);
        });
        const bool allAscii = std::all_of(own.begin(), own.end(), [](wchar_t ch) { return ch < 0x80; });
        EXPECT_EQ(anyJapanese, c.japanese) << ::testing::PrintToString(message);
        EXPECT_EQ(allAscii, !c.japanese) << ::testing::PrintToString(message);
        // The log names the file all the same, and nothing was written.
        EXPECT_EQ(app.LogLines().back(), STORED_LINE + path + L"]");
        EXPECT_EQ(FileBytes(path), oldFile ? "old" : "");
        EXPECT_EQ(Exists(path), oldFile);
        if (c.obstacle == Obstacle::FULL_DISK) {
            Texts names;
            for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(disk))) {
                names.push_back(entry.path().filename().wstring());
            }
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, (Texts{L"filler", L"log.txt"})) << "a half-written file was left behind";
            DeleteFileW((disk + L"\\filler").c_str());
            DeleteFileW(path.c_str());
        }
    }
}

}  // namespace
