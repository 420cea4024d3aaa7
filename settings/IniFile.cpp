#include "settings/IniFile.h"

#include <cwchar>
#include <string>

#include "settings/IniLayout.h"
#include "settings/ProfileWriter.h"
#include "settings/SectionReader.h"
#include "util/MessageReport.h"

IniFile::IniFile() : IniFile(L"") {}

IniFile::IniFile(const wchar_t* iniPath)
{
    lstrcpynW(m_IniPath, iniPath, TEXT_CAPACITY);
    SetIniPath();
}

void IniFile::Load()
{
    try {
        m_FileState = FileState::READ;
        // Anything at the path counts as a settings file, even a folder.
        if (GetFileAttributesW(m_IniPath) == INVALID_FILE_ATTRIBUTES) {
            LoadDefaults();
            return;
        }
        // The private-profile functions read a file they cannot open as an
        // empty one; the first save would then replace the user's file.
        if (const DWORD error = UnreadableError(m_IniPath)) {
            LoadUnread(error);
            return;
        }
        LoadFile();
        // Another encoding (UTF-16 without byte-order mark, UTF-32) reads as
        // a file without sections.
        WIN32_FILE_ATTRIBUTE_DATA data;
        wchar_t names[4];
        if (GetFileAttributesExW(m_IniPath, GetFileExInfoStandard, &data) && (data.nFileSizeLow || data.nFileSizeHigh)
            && GetPrivateProfileSectionNamesW(names, 4, m_IniPath) == 0) {
            m_FileState = FileState::NOT_UNDERSTOOD;
        }
    }
    CATCH_AND_REPORT
}

// The texts section by section, the numbers key by key.
void IniFile::LoadFile()
{
    SectionReader reader;
    std::wstring readSection;
    bool whole = false;
    ForEachValue([&](const wchar_t* section, const wchar_t* key, wchar_t* text, int32_t* number) {
        if (number) {
            *number = ReadInt(section, key);
            return;
        }
        if (readSection != section) {
            readSection = section;
            whole = reader.Read(m_IniPath, section);
        }
        if (whole) reader.Value(key, text, TEXT_CAPACITY);
        else lstrcpynW(text, ReadStr(section, key), TEXT_CAPACITY);
    });
}

int IniFile::GetHistoryCnt()
{
    try {
        return HISTORY_CNT;
    }
    CATCH_AND_REPORT
    return 0;
}

wchar_t* IniFile::GetHistory(int row, int entry)
{
    try {
        return m_History[row][entry];
    }
    CATCH_AND_REPORT
    return nullptr;
}

void IniFile::SetHistory(int row, int entry, const wchar_t* text)
{
    try {
        lstrcpynW(m_History[row][entry], text, TEXT_CAPACITY);
    }
    CATCH_AND_REPORT
}

wchar_t* IniFile::GetVarHistory(int var, int entry)
{
    try {
        return m_VarHistory[var][entry];
    }
    CATCH_AND_REPORT
    return nullptr;
}

void IniFile::SetVarHistory(int var, int entry, const wchar_t* text)
{
    try {
        lstrcpynW(m_VarHistory[var][entry], text, TEXT_CAPACITY);
    }
    CATCH_AND_REPORT
}

int32_t IniFile::GetIntMode(int row)
{
    try {
        return m_IntMode[row];
    }
    CATCH_AND_REPORT
    return 0;
}

void IniFile::SetIntMode(int row, int32_t value)
{
    try {
        m_IntMode[row] = value;
    }
    CATCH_AND_REPORT
}

wchar_t* IniFile::ReadStr(const wchar_t* section, const wchar_t* key)
{
    try {
        GetPrivateProfileStringW(section, key, L"", m_ReadBuff, TEXT_CAPACITY, m_IniPath);
    }
    CATCH_AND_REPORT
    return m_ReadBuff;
}

int32_t IniFile::ReadInt(const wchar_t* section, const wchar_t* key)
{
    try {
        // The unsigned result carries a negative value ("-8") in two's complement.
        return static_cast<int32_t>(GetPrivateProfileIntW(section, key, 0, m_IniPath));
    }
    CATCH_AND_REPORT
    return 0;
}

void IniFile::WriteStr(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    try {
        WritePrivateProfileStringW(section, key, OneLineValue(value, m_LineBuff, TEXT_CAPACITY), m_IniPath);
    }
    CATCH_AND_REPORT
}

void IniFile::WriteInt(const wchar_t* section, const wchar_t* key, int32_t value)
{
    try {
        FormatText(m_NumBuff, TEXT_CAPACITY, L"%d", value);
        WriteStr(section, key, m_NumBuff);
    }
    CATCH_AND_REPORT
}
