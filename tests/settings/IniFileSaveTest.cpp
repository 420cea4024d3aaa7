#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "tests/settings/support/KeyByKeySave.h"
#include "tests/settings/support/SampleSettings.h"
#include "tests/util/ScratchFolder.h"

namespace {

class IniSaveTest : public testing::Test {
protected:
    std::wstring Reloaded(const std::wstring& path)
    {
        auto ini = IniAt(path);
        ini->Load();
        return Dump(*ini);
    }

    ScratchFolder m_Folder;
    const std::wstring m_Path = m_Folder.Path(L"vexilo.ini");
    std::unique_ptr<IniFile> m_Ini = IniAt(m_Path);
};

}  // namespace

// An old ANSI file is read, and the first save turns it into UTF-16.
TEST_F(IniSaveTest, UnicodeSurvivesTheRoundTrip)
{
    WriteFileBytes(m_Path, "[Language]\r\nJapanese=1\r\n[History0]\r\nStr01=1+2\r\n");
    m_Ini->Load();
    ASSERT_EQ(std::wstring(m_Ini->GetHistory(0, 1)), L"1+2");
    m_Ini->SetHistory(0, 0, L"１＋２");
    m_Ini->SetHistory(7, 5, L"日本");
    m_Ini->SetHistory(19, 19, L"é");
    m_Ini->SetHistory(4, 4, L"TOx( 2 ) ＊ 日本語 ü %d%%s %1");
    m_Ini->SetVarHistory(1, 0, L"１５０.４");
    ASSERT_TRUE(m_Ini->Save());
    EXPECT_EQ(m_Ini->GetSaveError(), 0u);
    EXPECT_EQ(ReadFileBytes(m_Path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Reloaded(m_Path), Dump(*m_Ini));
    EXPECT_EQ(m_Folder.Entries(), std::vector<std::wstring>{L"vexilo.ini"});
}

// The file a save leaves is the one the 485 single writes of the profile
// functions leave, byte for byte: new, then over the last save with every
// value changed, then with values whose blanks and quotes the profile
// functions drop when reading, which both ways must read back alike.
TEST_F(IniSaveTest, SameFileAsKeyByKeyWrites)
{
    const std::wstring keyByKeyPath = m_Folder.Path(L"keybykey.ini");
    auto keyByKey = IniAt(keyByKeyPath);
    m_Ini->Load();
    keyByKey->Load();  // no files yet: the defaults
    CreateUtf16File(keyByKeyPath);
    const wchar_t* const trimmedWhenRead[] = {L"  1+2", L"1+2  ", L"\"quoted\"", L"a = b", L";x", L"[x]"};
    for (int seed : {-1, 0, 1, 2}) {
        SCOPED_TRACE(seed);
        for (IniFile* ini : {m_Ini.get(), keyByKey.get()}) {
            if (seed >= 0) FillSample(*ini, seed);
            for (int row = 0; seed == 2 && row < 6; ++row) ini->SetHistory(row, 1, trimmedWhenRead[row]);
        }
        SaveKeyByKey(*keyByKey);
        ASSERT_TRUE(m_Ini->Save());
        const std::string saved = ReadFileBytes(m_Path);
        if (seed < 2) {
            EXPECT_EQ(saved, ReadFileBytes(keyByKeyPath));
            EXPECT_EQ(Reloaded(m_Path), Dump(*m_Ini));
        }
        EXPECT_EQ(Reloaded(m_Path), Reloaded(keyByKeyPath));
    }
}

// The new file takes the old one's place: the old one is never written
// into, as a second name (a hard link) for it shows.
TEST_F(IniSaveTest, SaveReplacesInsteadOfRewriting)
{
    FillSample(*m_Ini, 1);
    ASSERT_TRUE(m_Ini->Save());
    const std::string previous = ReadFileBytes(m_Path);
    const std::wstring oldFile = m_Folder.Path(L"previous.ini");
    ASSERT_TRUE(CreateHardLinkW(oldFile.c_str(), m_Path.c_str(), nullptr));
    FillSample(*m_Ini, 2);
    ASSERT_TRUE(m_Ini->Save());
    EXPECT_EQ(ReadFileBytes(oldFile), previous);
    EXPECT_EQ(Reloaded(m_Path), Dump(*m_Ini));
}

// The previous save stays whole, no new file is left beside it, and the
// system's error code is handed on. A save cut short by a crash left its
// new file, which the next save takes over.
TEST_F(IniSaveTest, FailedSaveKeepsThePreviousFile)
{
    WriteFileBytes(m_Path + L".tmp", "left by a crash");
    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only file" : "file held open by another program");
        FillSample(*m_Ini, 1);
        ASSERT_TRUE(m_Ini->Save());
        EXPECT_EQ(m_Folder.Entries(), std::vector<std::wstring>{L"vexilo.ini"});
        const std::string previous = ReadFileBytes(m_Path);
        if (readOnly) SetFileAttributesW(m_Path.c_str(), FILE_ATTRIBUTE_READONLY);
        const HANDLE holder = readOnly ? INVALID_HANDLE_VALUE
                                       : CreateFileW(m_Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr);
        FillSample(*m_Ini, 2);
        const bool saved = m_Ini->Save();
        const DWORD lastError = GetLastError();
        EXPECT_FALSE(saved);
        EXPECT_NE(m_Ini->GetSaveError(), 0u);
        EXPECT_EQ(lastError, m_Ini->GetSaveError());
        EXPECT_TRUE(!readOnly || lastError == ERROR_ACCESS_DENIED) << lastError;
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        SetFileAttributesW(m_Path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(m_Path), previous);
        EXPECT_EQ(m_Folder.Entries(), std::vector<std::wstring>{L"vexilo.ini"});
    }
    auto elsewhere = IniAt(m_Folder.Path(L"missing\\vexilo.ini"));
    EXPECT_FALSE(elsewhere->Save());
    EXPECT_NE(elsewhere->GetSaveError(), 0u);
}
