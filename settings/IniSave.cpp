#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "settings/ProfileWriter.h"
#include "util/MessageReport.h"

namespace {

// The folder part of path ("." when it names none), for a new file beside it.
bool FolderOf(const wchar_t* path, wchar_t (&folder)[MAX_PATH])
{
    const wchar_t* end = nullptr;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/') end = p;
    }
    if (!end) {
        lstrcpynW(folder, L".", MAX_PATH);
        return true;
    }
    const auto len = static_cast<size_t>(end - path);
    // A root folder keeps its separator: "C:\".
    const size_t keep = len == 0 || path[len - 1] == L':' ? len + 1 : len;
    if (keep >= MAX_PATH) return false;
    lstrcpynW(folder, path, static_cast<int>(keep + 1));
    return true;
}

}  // namespace

bool IniFile::Save()
{
    m_SaveError = ERROR_GEN_FAILURE;  // stays so when a failure is caught
    try {
        m_SaveError = ReplaceSettingsFile();
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

    wchar_t folder[MAX_PATH];
    if (!FolderOf(m_IniPath, folder)) return ERROR_FILENAME_EXCED_RANGE;
    // A name of its own, so that two running copies never share one.
    wchar_t newPath[MAX_PATH];
    if (!GetTempFileNameW(folder, L"vex", 0, newPath)) return GetLastError();

    DWORD error = WriteValues(newPath);
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(newPath, m_IniPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) DeleteFileW(newPath);
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
