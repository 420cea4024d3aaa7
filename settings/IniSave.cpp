#include <string>

#include "settings/IniFile.h"
#include "settings/IniFileShared.h"
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

namespace {

// Another copy of the program saving at the same moment holds the temporary
// file, or has the settings file open to read it, for a few milliseconds.
bool HeldByAnotherCopy(DWORD error, const std::wstring& newPath)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    // A file that another copy is just moving or removing refuses access.
    return error == ERROR_ACCESS_DENIED && GetFileAttributesW(newPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// How long a save waits in all for another copy's save to finish, and how
// often it looks again: a save takes milliseconds.
constexpr ULONGLONG SAVE_WAIT_MS = 400;
constexpr DWORD SAVE_RETRY_MS = 20;

}  // namespace

// The settings go into a new file beside the settings file, which then
// replaces it in one step: a crash, a full disk or a refused write leaves
// the previous save whole. Two copies of the program take turns: the one
// that meets the other's temporary file tries again, so the last save
// stands whole and neither fails.
DWORD IniFile::ReplaceSettingsFile()
{
    if (!m_IniPath[0]) return ERROR_INVALID_NAME;
    // The user made the file read-only to keep it; Wine would replace it.
    const DWORD attributes = GetFileAttributesW(m_IniPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;

    // One fixed name beside the settings file, replaced by every save: a
    // save cut short by a crash leaves one file, which the next save reuses.
    const std::wstring newPath = std::wstring(m_IniPath) + L".tmp";
    const ULONGLONG deadline = GetTickCount64() + SAVE_WAIT_MS;
    for (;;) {
        bool created = false;
        DWORD error = WriteValues(newPath.c_str(), created);
        if (error == ERROR_SUCCESS
            && !MoveFileExW(newPath.c_str(), m_IniPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
        if (error == ERROR_SUCCESS) return ERROR_SUCCESS;
        const bool tryAgain = HeldByAnotherCopy(error, newPath) && GetTickCount64() < deadline;
        // Only a file this save made goes: one the other copy holds is its own.
        if (created) DeleteFileW(newPath.c_str());
        if (!tryAgain) return error;
        Sleep(SAVE_RETRY_MS);
    }
}

// Every value in the order the key-by-key writes of the profile functions
// would leave them, as one UTF-16 file: a new file starts with the
// byte-order mark, so the profile functions read it back as UTF-16 too.
// created tells whether the file could be made.
DWORD IniFile::WriteValues(const wchar_t* path, bool& created)
{
    ProfileWriter writer(path);
    created = writer.Opened();
    ForEachValue([this, &writer](const wchar_t* section, const wchar_t* key, const wchar_t* text, const int32_t* number) {
        if (number) FormatText(m_NumBuff, TEXT_CAPACITY, L"%d", *number);
        writer.PutValue(section, key, text ? text : m_NumBuff);
    });
    return writer.Finish();
}
