#include <string>

#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "settings/ProfileWriter.h"
#include "util/MessageReport.h"

bool IniFile::Save()
{
    m_SaveError = ERROR_GEN_FAILURE;  // stays so when a failure is caught
    try {
        DWORD error = ERROR_SUCCESS;
        if (m_FileState == FileState::UNREAD) error = MergeUnreadFile();
        if (error == ERROR_SUCCESS && m_FileState == FileState::NOT_UNDERSTOOD) error = BackUpUnreadableFile();
        if (error == ERROR_SUCCESS) error = ReplaceSettingsFile();
        m_SaveError = error;
    }
    CATCH_AND_REPORT
    SetLastError(m_SaveError);
    return m_SaveError == ERROR_SUCCESS;
}

// The settings go into a new file beside the settings file, which then
// replaces it in one step: a crash, a full disk or a refused write leaves
// the previous save whole.
DWORD IniFile::ReplaceSettingsFile()
{
    if (!m_IniPath[0]) return ERROR_INVALID_NAME;
    // The user made the file read-only to keep it; Wine would replace it.
    const DWORD attributes = GetFileAttributesW(m_IniPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;

    // One fixed name beside the settings file, replaced by every save: a
    // save cut short by a crash leaves one file, which the next save reuses.
    const std::wstring newPath = std::wstring(m_IniPath) + L".tmp";
    DWORD error = WriteValues(newPath.c_str());
    if (error == ERROR_SUCCESS
        && !MoveFileExW(newPath.c_str(), m_IniPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) DeleteFileW(newPath.c_str());
    return error;
}

// Every value in the order the key-by-key writes of the profile functions
// would leave them, as one UTF-16 file: a new file starts with the
// byte-order mark, so the profile functions read it back as UTF-16 too.
DWORD IniFile::WriteValues(const wchar_t* path)
{
    ProfileWriter writer(path);
    ForEachValue([this, &writer](const wchar_t* section, const wchar_t* key, const wchar_t* text, const int32_t* number) {
        if (number) FormatText(m_NumBuff, TEXT_CAPACITY, L"%d", *number);
        writer.PutValue(section, key, text ? text : m_NumBuff);
    });
    return writer.Finish();
}
