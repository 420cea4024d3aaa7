#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/SmallDisks.h"
#include "tests/util/ScratchFolder.h"
#include "tests/util/TestControls.h"
#include "util/ListFile.h"

namespace {

class ListFileTest : public testing::Test {
protected:
    void AddLines(std::initializer_list<std::wstring> lines)
    {
        for (const auto& line : lines) {
            SendMessageW(m_List.Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
    }
    int Save(const std::wstring& path, unsigned options)
    {
        return ListBoxSaveToFile(m_List.Handle(), path.c_str(), options);
    }

    TestControl m_List{ControlKind::List};
    ScratchFolder m_Folder;
    const std::wstring m_Path = m_Folder.Path(L"log.txt");
};

}  // namespace

// UTF-16LE without byte-order mark; the old content replaced or kept.
TEST_F(ListFileTest, OptionsChooseLineEndAndAppend)
{
    const std::string oldContent = Utf16Bytes(L"old content, longer than the three new lines\n");
    // An empty list empties the file, unless appending.
    WriteFileBytes(m_Path, "old");
    EXPECT_EQ(Save(m_Path, LIST_FILE_APPEND), LIST_FILE_OK);
    EXPECT_EQ(ReadFileBytes(m_Path), "old");
    EXPECT_EQ(Save(m_Path, 0), LIST_FILE_OK);
    EXPECT_EQ(ReadFileBytes(m_Path), "");
    AddLines({L"Ans=[3]", L"日本 é", L"%d 100%"});
    for (unsigned options : {0u, LIST_FILE_CRLF, LIST_FILE_APPEND, LIST_FILE_CRLF | LIST_FILE_APPEND}) {
        SCOPED_TRACE(options);
        const std::wstring end = options & LIST_FILE_CRLF ? L"\r\n" : L"\n";
        WriteFileBytes(m_Path, oldContent);
        EXPECT_EQ(Save(m_Path, options), LIST_FILE_OK);
        EXPECT_EQ(ReadFileBytes(m_Path), (options & LIST_FILE_APPEND ? oldContent : "")
                                             + Utf16Bytes(L"Ans=[3]" + end + L"日本 é" + end + L"%d 100%" + end));
    }
    DeleteFileW(m_Path.c_str());
    EXPECT_EQ(Save(m_Path, 0), LIST_FILE_OK);
    EXPECT_EQ(ReadFileBytes(m_Path), Utf16Bytes(L"Ans=[3]\n日本 é\n%d 100%\n"));
}

TEST_F(ListFileTest, LongLinesAreCutAt1023)
{
    AddLines({std::wstring(1500, L'x'), L"next"});
    EXPECT_EQ(Save(m_Path, 0), LIST_FILE_OK);
    EXPECT_EQ(ReadFileBytes(m_Path), Utf16Bytes(std::wstring(1023, L'x') + L"\nnext\n"));
}

// Each failure has a code of its own, none of them 0 (success).
TEST_F(ListFileTest, FailuresAreTold)
{
    AddLines({L"one"});
    EXPECT_EQ(ListBoxSaveToFile(m_List.Handle(), nullptr, 0), LIST_FILE_NO_NAME);
    EXPECT_EQ(Save(L"", 0), LIST_FILE_NO_NAME);
    EXPECT_EQ(Save(m_Folder.Path(L"missing\\log.txt"), 0), LIST_FILE_CANNOT_OPEN);
    EXPECT_EQ(Save(m_Folder.Path(L""), 0), LIST_FILE_CANNOT_OPEN);  // a folder
    EXPECT_TRUE(m_Folder.Entries().empty());
}

// Linux's /dev/full, seen through Wine's drive Z:, refuses every write.
TEST_F(ListFileTest, ShortWriteGivesMinusTwo)
{
    const HANDLE full = CreateFileW(L"Z:\\dev\\full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (full == INVALID_HANDLE_VALUE) GTEST_SKIP() << "needs Wine's view of /dev/full";
    CloseHandle(full);
    AddLines({L"one", L"two"});
    EXPECT_EQ(Save(L"Z:\\dev\\full", 0), LIST_FILE_SHORT_WRITE);
}

// Appending on a full disk (replacing is tried from the window's store
// command): the old file stays whole, nothing half-written is left beside
// it, and the error is the disk's, not a stale one.
TEST_F(ListFileTest, FullDiskKeepsTheOldFileWhenAppending)
{
    const std::wstring disk = SmallDisk();
    if (disk.empty()) GTEST_SKIP() << NO_SMALL_DISK;
    const std::wstring target = disk + L"\\log.txt";
    const std::wstring filler = disk + L"\\filler";
    WriteFileBytes(target, "old");
    FillDisk(filler);
    AddLines({std::wstring(1000, L'x'), std::wstring(1000, L'y')});
    SetLastError(ERROR_FILE_EXISTS);
    const int result = Save(target, LIST_FILE_APPEND);
    const DWORD error = GetLastError();
    EXPECT_NE(result, LIST_FILE_OK);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(ReadFileBytes(target), "old");
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(disk)) {
        if (entry.path().filename().wstring()[0] != L'.') names.push_back(entry.path().filename().wstring());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"filler", L"log.txt"}));
    DeleteFileW(filler.c_str());
    DeleteFileW(target.c_str());
}

// A store cut short by a crash leaves its temporary file beside the target;
// the next store to that target replaces it, and touches no file the user
// made, whatever its name.
TEST_F(ListFileTest, AStoreCutShortLeavesNothingBehindTheNextStore)
{
    const std::vector<std::wstring> userFiles = {L"log.txt.tmp", L"vex1A2B.tmp", L"other.txt.vexilo-tmp"};
    for (const std::wstring& name : userFiles) WriteFileBytes(m_Folder.Path(name), "the user's");
    AddLines({L"Ans=[3]"});
    for (unsigned options : {0u, LIST_FILE_APPEND}) {
        SCOPED_TRACE(options);
        WriteFileBytes(m_Path, "old\n");
        WriteFileBytes(m_Path + LIST_FILE_TEMP_ENDING, "left by a crash");
        EXPECT_EQ(Save(m_Path, options), LIST_FILE_OK);
        EXPECT_EQ(ReadFileBytes(m_Path), (options ? "old\n" : "") + Utf16Bytes(L"Ans=[3]\n"));
        std::vector<std::wstring> expected = userFiles;
        expected.push_back(L"log.txt");
        std::sort(expected.begin(), expected.end());
        std::vector<std::wstring> entries = m_Folder.Entries();
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, expected);
        for (const std::wstring& name : userFiles) EXPECT_EQ(ReadFileBytes(m_Folder.Path(name)), "the user's");
    }
}
