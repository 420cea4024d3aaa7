#include "tests/settings/support/KeyByKeySave.h"

#include <windows.h>

#include <cstdint>

#include "settings/IniFile.h"
#include "settings/ProfileWriter.h"
#include "util/TextFormat.h"

namespace {

// One key through the private-profile functions, on one line as the save writes it.
void WriteStr(IniFile& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    wchar_t line[TEXT_CAPACITY];
    WritePrivateProfileStringW(section, key, OneLineValue(value, line, TEXT_CAPACITY), ini.GetIniPath());
}

void WriteInt(IniFile& ini, const wchar_t* section, const wchar_t* key, int32_t value)
{
    wchar_t number[16];
    FormatText(number, 16, L"%d", value);
    WriteStr(ini, section, key, number);
}

}  // namespace

// The names are spelled out here on their own, not taken from the settings
// code, so that a wrong name there shows up as a difference.
void SaveKeyByKey(IniFile& ini)
{
    wchar_t section[32];
    wchar_t key[32];
    WriteInt(ini, L"Language", L"Japanese", ini.m_Japanese);
    for (int list = 0; list < 23; ++list) {  // the twenty rows, then x, y and z
        if (list < 20) FormatText(section, 32, L"History%d", list);
        else FormatText(section, 32, L"History%s", list == 20 ? L"X" : list == 21 ? L"Y" : L"Z");
        for (int entry = 0; entry < 20; ++entry) {
            FormatText(key, 32, L"Str%02d", entry);
            WriteStr(ini, section, key, list < 20 ? ini.GetHistory(list, entry) : ini.GetVarHistory(list - 20, entry));
        }
    }
    for (int row = 0; row < 20; ++row) {
        FormatText(key, 32, L"Int%d", row);
        WriteInt(ini, L"Switch", key, ini.GetIntMode(row));
    }
    WriteInt(ini, L"WndPos", L"left", ini.m_WndLeft);
    WriteInt(ini, L"WndPos", L"top", ini.m_WndTop);
    WriteInt(ini, L"WndPos", L"width", ini.m_WndWidth);
    WriteInt(ini, L"WndPos", L"height", ini.m_WndHeight);
}

void CreateUtf16File(const std::wstring& path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, "\xFF\xFE", 2, &written, nullptr);
    CloseHandle(file);
}
