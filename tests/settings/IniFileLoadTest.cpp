#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "tests/settings/support/SampleSettings.h"
#include "tests/util/ScratchFolder.h"

namespace {

// The bytes of a file in the ANSI code page, as older versions left it.
std::string Ansi(const std::wstring& text)
{
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

}  // namespace

// Keys missing from an existing file are "" and 0, not the defaults.
TEST(IniLoad, FilesAreReadKeyByKey)
{
    const struct {
        const char* name;
        std::string file;
        void (*expect)(IniFile&);
    } cases[] = {
        {"only the language", "[Language]\r\nJapanese=1\r\n", [](IniFile& ini) { ini.m_Japanese = 1; }},
        {"only the language, UTF-16", "\xFF\xFE" + Utf16Bytes(L"[Language]\r\nJapanese=1\r\n"),
         [](IniFile& ini) { ini.m_Japanese = 1; }},
        {"any other number is Japanese too", "[Language]\r\nJapanese=2\r\n", [](IniFile& ini) { ini.m_Japanese = 2; }},
        {"key names",
         "[History7]\r\nStr5=another key\r\nStr05=row 7 entry 5\r\n[HistoryY]\r\nStr19=7.5\r\n"
         "[Switch]\r\nInt012=1\r\nInt12=1\r\n[History19]\r\nStr00=last\r\n",
         [](IniFile& ini) {
             ini.SetHistory(7, 5, L"row 7 entry 5");
             ini.SetVarHistory(1, 19, L"7.5");
             ini.SetIntMode(12, 1);
             ini.SetHistory(19, 0, L"last");
         }},
        {"a 2000-character value", "[History3]\r\nStr02=" + std::string(2000, 'v') + "\r\nStr03=after\r\n",
         [](IniFile& ini) {
             ini.SetHistory(3, 2, std::wstring(1023, L'v').c_str());
             ini.SetHistory(3, 3, L"after");
         }},
        {"negative window positions", "[WndPos]\r\nleft=-8\r\ntop=-1200\r\nwidth=2560\r\n",
         [](IniFile& ini) {
             ini.m_WndLeft = -8;
             ini.m_WndTop = -1200;
             ini.m_WndWidth = 2560;
         }},
        {"percent signs", "[History0]\r\nStr00=50%d%%s %1\r\n", [](IniFile& ini) { ini.SetHistory(0, 0, L"50%d%%s %1"); }},
        {"ANSI code page", "[HistoryX]\r\nStr00=" + Ansi(L"café") + "\r\n", [](IniFile& ini) { ini.SetVarHistory(0, 0, L"café"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::wstring path = folder.Path(L"vexilo.ini");
        WriteFileBytes(path, c.file);
        auto ini = IniAt(path);
        FillSample(*ini, 3);
        ini->Load();
        auto expected = IniAt(L"");
        c.expect(*expected);
        EXPECT_EQ(Dump(*ini), Dump(*expected));
    }
}

// Anything found at the path counts as the file, even a folder: one that
// cannot be read starts with empty histories and the first start's other
// values, says so once, and is not replaced.
TEST(IniLoad, AFolderAtThePathIsAFileThatCannotBeRead)
{
    ScratchFolder folder;
    const std::wstring path = folder.Path(L"vexilo.ini");
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    auto ini = IniAt(path);
    ini->Load();
    auto expected = IniAt(L"");
    for (int row = 0; row < 20; ++row) expected->SetIntMode(row, row % 2);
    expected->m_WndLeft = expected->m_WndTop = 50;
    expected->m_WndWidth = 700;
    expected->m_WndHeight = 600;
    EXPECT_EQ(Dump(*ini), Dump(*expected));
    const std::vector<std::wstring> notes = ini->TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(path), std::wstring::npos);
    EXPECT_TRUE(ini->TakeNotes().empty());
    EXPECT_FALSE(ini->Save());
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// Texts are read a section at a time; what comes back must be what the
// profile functions give key by key, whatever the file holds.
TEST(IniLoad, SectionsReadAsTheProfileFunctionsReadKeys)
{
    const std::wstring file =
        L"[History0]\r\n"
        L"  Str00 =  spaced value  \r\n"
        L"str01=lower-case key\r\n"
        L"Str02=\"quoted\"\r\n"
        L"Str03='single'\r\n"
        L"Str04=\"unbalanced\r\n"
        L"Str05=\"\"\r\n"
        L"Str06\r\n"
        L";Str07=a comment\r\n"
        L"Str07=x=y=z\r\n"
        L"Str00=the first one wins\r\n"
        L"Str08= \"  blanks inside  \" \r\n"
        L"Str09=a\ttab\r\n"
        L"Str10=\"'\r\n"
        L"[history0]\r\n"
        L"Str11=a second section of the same name\r\n"
        L"[HistoryX]\r\n"
        L"Str00=\uFF11\uFF0B\uFF12\r\n"
        L"Str01=" + std::wstring(1500, L'w') + L"\"\r\n"
        L"[HistoryZ]\r\n"
        L"Str19=\"" + std::wstring(1200, L'q') + L"\"\r\n";
    ScratchFolder folder;
    const std::wstring path = folder.Path(L"vexilo.ini");
    WriteFileBytes(path, "\xFF\xFE" + Utf16Bytes(file));
    auto ini = IniAt(path);
    ini->Load();

    auto byKey = IniAt(path);
    wchar_t section[16];
    wchar_t key[16];
    for (int list = 0; list < 23; ++list) {  // the twenty rows, then x, y and z
        swprintf(section, 16, list < 20 ? L"History%d" : L"History%lc", list < 20 ? list : L"XYZ"[list - 20]);
        for (int entry = 0; entry < 20; ++entry) {
            swprintf(key, 16, L"Str%02d", entry);
            const wchar_t* loaded = list < 20 ? ini->GetHistory(list, entry) : ini->GetVarHistory(list - 20, entry);
            EXPECT_EQ(std::wstring(loaded), std::wstring(byKey->ReadStr(section, key))) << section << " " << key;
        }
    }
    // A few of them spelled out, so that a change in both ways shows too.
    EXPECT_EQ(std::wstring(ini->GetHistory(0, 0)), L"spaced value");
    EXPECT_EQ(std::wstring(ini->GetHistory(0, 2)), L"quoted");
    EXPECT_EQ(std::wstring(ini->GetHistory(0, 7)), L"x=y=z");
    EXPECT_EQ(std::wstring(ini->GetVarHistory(0, 0)), L"\uFF11\uFF0B\uFF12");
    EXPECT_EQ(std::wstring(ini->GetVarHistory(2, 19)).size(), 1023u);
}
