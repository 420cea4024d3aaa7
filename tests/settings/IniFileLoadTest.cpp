#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "tests/support/DataFile.h"
#include "tests/settings/support/SampleSettings.h"
#include "tests/util/ScratchFolder.h"
#include "util/Utf8.h"

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

// The files of data/load.txt.
TEST(IniLoad, FilesAreReadKeyByKey)
{
    ForEachDataLine(VEXILO_SETTINGS_DATA_DIR "/load.txt", [](const std::vector<std::string>& w) {
        const std::wstring text = Utf8ToWide(w[0]);
        ScratchFolder folder;
        const std::wstring path = folder.Path(L"vexilo.ini");
        WriteFileBytes(path, text[0] == 0xFEFF ? "\xFF\xFE" + Utf16Bytes(text.substr(1)) : Ansi(text));
        auto ini = IniAt(path);
        FillSample(*ini, 3);
        ini->Load();
        auto expected = IniAt(L"");
        for (size_t i = 1; i < w.size();) {
            const std::string& what = w[i++];
            auto number = [&] { return std::stoi(w.at(i++)); };
            if (what == "japanese") expected->m_Japanese = number();
            else if (what == "left") expected->m_WndLeft = number();
            else if (what == "top") expected->m_WndTop = number();
            else if (what == "width") expected->m_WndWidth = number();
            else if (what == "mode") {
                const int row = number();
                expected->SetIntMode(row, number());
            } else {
                ASSERT_TRUE(what == "row" || what == "var") << what;
                const int list = number(), entry = number();
                const std::wstring value = Utf8ToWide(w.at(i++));
                if (what == "row") expected->SetHistory(list, entry, value.c_str());
                else expected->SetVarHistory(list, entry, value.c_str());
            }
        }
        EXPECT_EQ(Dump(*ini), Dump(*expected));
    });
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
    // The file of the data folder, as UTF-16 with CR LF line ends.
    std::wstring file;
    for (wchar_t c : Utf8ToWide(ReadFileBytes(L"" VEXILO_SETTINGS_DATA_DIR "/sections.ini"))) {
        file += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
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
