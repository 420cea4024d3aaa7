// The log's own context menu, Clear Log, and storing the log in a file
// through the save dialog, from the context menu and from the File menu.
#include "tests/app/AppTest.h"

#include <algorithm>

#include "tests/app/InProcessProbe.h"
#include "tests/app/RealInput.h"
#include "tests/util/ScratchFolder.h"

namespace {

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

// A right click opens the two items at the mouse, in Japanese in either
// language; Escape closes them. Clear Log, from the context menu's first item
// by its mnemonic or from the File menu, empties the log.
TEST(LogMenu, RightClickOffersTheTwoJapaneseItemsInEitherLanguageAndClearEmptiesTheLog)
{
    App app;
    ASSERT_TRUE(app.Start());
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        if (japanese) {
            EXPECT_TRUE(app.Command(IDM_JAPANESE).empty());
        }
        ASSERT_TRUE(app.Calculate(1, L"2+3").empty());
        const size_t lines = app.LogLines().size();
        POINT at = {40, 25};
        HWND popup = OpenContextMenu(app, at);
        ASSERT_NE(popup, nullptr);
        ClientToScreen(app.Log(), &at);
        const RECT rect = App::ScreenRect(popup);
        EXPECT_EQ(std::make_pair(rect.left, rect.top), std::make_pair(at.x, at.y));  // its top-left corner at the mouse
        InProcessProbe probe(app.Main());
        ASSERT_EQ(probe.Failure(), L"");
        const std::vector<MenuEntry> items = probe.Menu(popup);
        ASSERT_EQ(items.size(), 2u);
        const std::pair<int, std::wstring> EXPECTED[] = {{IDM_CLEAR_LOG, L"ログをクリア(&C)"},
                                                         {IDM_STORE_LOG, L"ログをファイルに保存(&S)"}};
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(items[i].kind, L'I');
            EXPECT_EQ(items[i].id, static_cast<UINT>(EXPECTED[i].first));
            EXPECT_EQ(items[i].text, EXPECTED[i].second);
        }
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitGone(popup));
        app.Settle();
        EXPECT_EQ(app.LogLines().size(), lines);

        // Cleared from the context menu in English, from the File menu in Japanese.
        if (japanese) {
            EXPECT_TRUE(app.Command(IDM_CLEAR_LOG).empty());
        } else {
            popup = OpenContextMenu(app, {30, 30});
            ASSERT_NE(popup, nullptr);
            PressKey('C');
            EXPECT_TRUE(WaitGone(popup));
        }
        EXPECT_TRUE(WaitUntil([&] { return app.LogLines().empty(); }));
        EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
        EXPECT_EQ(app.LogLines(), Texts{L"Ans=[2]"});
    }
}

// The save dialog, opened from the context menu's second item or the File
// menu; the name, if one is given, typed in and confirmed.
HWND OpenSaveDialog(App& app, bool fromContextMenu)
{
    if (fromContextMenu) {
        if (!OpenContextMenu(app, {30, 30})) return nullptr;
        PressKey('S');
    } else {
        PostMessageW(app.Main(), WM_COMMAND, IDM_STORE_LOG, 0);
    }
    HWND dialog = app.WaitForWindowOfClass(L"#32770");
    return dialog && GetDlgItem(dialog, SAVE_FILE_NAME) ? dialog : nullptr;
}

void Confirm(HWND dialog, const std::wstring& name = {})
{
    if (!name.empty()) App::SetText(ComboEdit(GetDlgItem(dialog, SAVE_FILE_NAME)), name);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The log names the stored file last, and the file holds every line of the
// log, each ended by one line feed, in UTF-16LE without a byte-order mark.
void ExpectStored(App& app, const std::wstring& path)
{
    const Texts log = app.LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), STORED_LINE + path + L"]");
    std::string bytes;
    for (const std::wstring& line : log) bytes += Utf16Bytes(line + L"\n");
    EXPECT_EQ(ReadFileBytes(path), bytes);
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
        EXPECT_EQ(App::Text(ComboEdit(GetDlgItem(dialog, SAVE_FILE_NAME))), L"vexilo.txt");
        HWND types = GetDlgItem(dialog, SAVE_FILE_TYPES);
        EXPECT_EQ(App::ComboItems(types), (Texts{L"Text files {*.txt}", L"All files {*.*}"}));
        EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        EXPECT_EQ(app.LogLines(), before);
        EXPECT_EQ(GetFileAttributesW(proposed.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // Confirmed as proposed; then, without an extension, the dialog adds .txt;
    // then a shorter log into the same file: asked first, then replaced whole.
    const std::wstring path = app.Folder() + L"\\stored.txt";
    for (int store = 0; store < 3; ++store) {
        if (store == 2) {
            EXPECT_TRUE(app.Command(IDM_CLEAR_LOG).empty());
            EXPECT_TRUE(app.Calculate(1, L"1+1").empty());
        }
        HWND dialog = OpenSaveDialog(app, store == 1);
        ASSERT_NE(dialog, nullptr);
        Confirm(dialog, store == 0 ? L"" : store == 1 ? app.Folder() + L"\\stored" : path);
        std::wstring question;
        if (store == 2) {
            ASSERT_TRUE(app.AnswerMessageBox(IDYES, question));
        }
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        ExpectStored(app, store == 0 ? proposed : path);
    }
    EXPECT_EQ(app.LogLines().size(), 2u);
}

// A file that cannot be written is reported in the interface language,
// naming the file and the system's text for the error; an old file stays
// as it was. (A full disk is the list file's own test.)
TEST(StoreLog, FailureToWriteIsReportedInTheInterfaceLanguage)
{
    App app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Calculate(1, L"2+3").empty());
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese, file in use" : "English, folder missing");
        if (japanese) {
            EXPECT_TRUE(app.Command(IDM_JAPANESE).empty());
        }
        // In Japanese another program holds the file open and shares it with nobody.
        const std::wstring path = app.Folder() + (japanese ? L"\\locked.txt" : L"\\missing\\log.txt");
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (japanese) {
            holder = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
            DWORD written = 0;
            WriteFile(holder, "old", 3, &written, nullptr);
        }
        HWND dialog = OpenSaveDialog(app, false);
        ASSERT_NE(dialog, nullptr);
        Confirm(dialog, path);
        std::wstring message;
        if (japanese) {
            ASSERT_TRUE(app.AnswerMessageBox(IDYES, message));  // it exists
        }
        ASSERT_TRUE(app.AnswerMessageBox(IDOK, message));
        ASSERT_TRUE(WaitGone(dialog));
        app.Settle();
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

        // The message without the file name and the system's text: the program's own words.
        std::wstring own = message;
        for (const std::wstring& part : {path, SystemErrorText(japanese ? ERROR_SHARING_VIOLATION : ERROR_PATH_NOT_FOUND)}) {
            const size_t at = part.empty() ? std::wstring::npos : own.find(part);
            EXPECT_NE(at, std::wstring::npos) << ::testing::PrintToString(message);
            if (at != std::wstring::npos) own.erase(at, part.size());
        }
        const bool allAscii = std::all_of(own.begin(), own.end(), [](wchar_t ch) { return ch < 0x80; });
        const bool anyJapanese = std::any_of(own.begin(), own.end(), [](wchar_t ch) {
            return (ch >= 0x3040 && ch <= 0x30FF) || (ch >= 0x4E00 && ch <= 0x9FFF);
        });
        EXPECT_EQ(anyJapanese, japanese) << ::testing::PrintToString(message);
        EXPECT_EQ(allAscii, !japanese) << ::testing::PrintToString(message);
        // The log names the file all the same, and nothing was written.
        EXPECT_EQ(app.LogLines().back(), STORED_LINE + path + L"]");
        EXPECT_EQ(ReadFileBytes(path), japanese ? "old" : "");
    }
}

}  // namespace
