#include "settings/IniFile.h"

#include <cwchar>
#include <string>

#include "settings/IniFileShared.h"
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
        const wchar_t* path = ReadPath();
        // Anything at the path counts as a settings file, even a folder.
        if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
            LoadDefaults();
            return;
        }
        // The private-profile functions read a file they cannot open as an
        // empty one; the first save would then replace the user's file.
        if (const DWORD error = UnreadableError(path)) {
            LoadUnread(error);
            return;
        }
        // Another encoding (UTF-16 without byte-order mark, UTF-32) reads as
        // a file without sections; a file whose sections held keys is read.
        // Only the file that the saves replace needs keeping.
        const bool keysFound = LoadFile(path);
        WIN32_FILE_ATTRIBUTE_DATA data;
        wchar_t names[4];
        if (!keysFound && path == m_IniPath && GetFileAttributesExW(path, GetFileExInfoStandard, &data)
            && (data.nFileSizeLow || data.nFileSizeHigh) && GetPrivateProfileSectionNamesW(names, 4, path) == 0) {
            m_FileState = FileState::NOT_UNDERSTOOD;
        }
    }
    CATCH_AND_REPORT
}

// Section by section: one profile call each instead of one a key. A section
// too large for the reader is read key by key. True when some section read
// whole held keys.
bool IniFile::LoadFile(const wchar_t* path)
{
    SectionReader reader;
    std::wstring readSection;
    bool whole = false;
    bool keysFound = false;
    ForEachValue([&](const wchar_t* section, const wchar_t* key, wchar_t* text, int32_t* number) {
        if (readSection != section) {
            readSection = section;
            whole = reader.Read(path, section);
            keysFound = keysFound || (whole && !reader.Empty());
        }
        if (whole && number) *number = reader.IntValue(key);
        else if (whole) reader.Value(key, text, TEXT_CAPACITY);
        // The unsigned result carries a negative value ("-8") in two's complement.
        else if (number) *number = static_cast<int32_t>(GetPrivateProfileIntW(section, key, 0, path));
        else GetPrivateProfileStringW(section, key, L"", text, TEXT_CAPACITY, path);
    });
    return keysFound;
}

// The accessors cannot throw; an index outside the tables is refused instead
// of reading or writing past them.
namespace {

bool InRange(int index, int count)
{
    return index >= 0 && index < count;
}

}  // namespace

int IniFile::GetHistoryCnt()
{
    return HISTORY_CNT;
}

wchar_t* IniFile::GetHistory(int row, int entry)
{
    return InRange(row, ROW_CNT) && InRange(entry, HISTORY_CNT) ? m_History[row][entry] : nullptr;
}

void IniFile::SetHistory(int row, int entry, const wchar_t* text)
{
    if (InRange(row, ROW_CNT) && InRange(entry, HISTORY_CNT)) lstrcpynW(m_History[row][entry], text, TEXT_CAPACITY);
}

wchar_t* IniFile::GetVarHistory(int var, int entry)
{
    return InRange(var, VAR_CNT) && InRange(entry, HISTORY_CNT) ? m_VarHistory[var][entry] : nullptr;
}

void IniFile::SetVarHistory(int var, int entry, const wchar_t* text)
{
    if (InRange(var, VAR_CNT) && InRange(entry, HISTORY_CNT)) lstrcpynW(m_VarHistory[var][entry], text, TEXT_CAPACITY);
}

int32_t IniFile::GetIntMode(int row)
{
    return InRange(row, ROW_CNT) ? m_IntMode[row] : 0;
}

void IniFile::SetIntMode(int row, int32_t value)
{
    if (InRange(row, ROW_CNT)) m_IntMode[row] = value;
}

wchar_t* IniFile::ReadStr(const wchar_t* section, const wchar_t* key)
{
    GetPrivateProfileStringW(section, key, L"", m_ReadBuff, TEXT_CAPACITY, m_IniPath);
    return m_ReadBuff;
}

int32_t IniFile::ReadInt(const wchar_t* section, const wchar_t* key)
{
    // The unsigned result carries a negative value ("-8") in two's complement.
    return static_cast<int32_t>(GetPrivateProfileIntW(section, key, 0, m_IniPath));
}
