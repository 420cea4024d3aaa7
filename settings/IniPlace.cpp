// Where the settings file lives: beside the program, or, when the program's
// folder cannot be written (installed for all users), in the user's own
// application-data folder under the same name.
#include <shlobj.h>

#include <cwchar>
#include <string>

#include "settings/IniFile.h"
#include "util/ModulePath.h"

namespace {

// Whether a new file can be made beside path. The probe has a name of its
// own, never the temporary name of a save, so that probing while another
// copy of the program saves cannot make that save fail; it goes away on its own.
bool FolderWritable(const wchar_t* path)
{
    const std::wstring probe = std::wstring(path) + L".probe";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    // Taken by another copy's probe, or left by a crash: the folder was written.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_SHARING_VIOLATION;
}

// The file name of a path: what follows its last backslash or slash.
const wchar_t* FileNameOf(const wchar_t* path)
{
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/') name = p + 1;
    }
    return name;
}

}  // namespace

void IniFile::SetIniPath()
{
    if (m_IniPath[0]) return;
    const wchar_t* path = ModulePathWithExt(L".ini");
    // A cut path would name some other file; without a path nothing is saved.
    if (std::wcslen(path) >= TEXT_CAPACITY) return;
    lstrcpynW(m_IniPath, path, TEXT_CAPACITY);
    if (FolderWritable(m_IniPath)) return;

    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData))) return;
    const std::wstring folder = std::wstring(appData) + L"\\Vexilo";
    // A program renamed calc2.exe keeps calc2.ini in both places.
    const std::wstring userPath = folder + L"\\" + FileNameOf(m_IniPath);
    if (userPath.size() >= TEXT_CAPACITY) return;
    if (GetFileAttributesW(userPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryW(folder.c_str(), nullptr);
        // The settings file beside the program is taken over. When it cannot
        // be copied (locked, a full disk, refused), this run reads it where it
        // is, so that its histories are not lost, and the next start tries again.
        if (GetFileAttributesW(m_IniPath) != INVALID_FILE_ATTRIBUTES && !CopyFileW(m_IniPath, userPath.c_str(), TRUE)
            && GetLastError() != ERROR_FILE_EXISTS) {
            const DWORD error = GetLastError();
            // A copy cut short would be read as the settings from the next start on.
            DeleteFileW(userPath.c_str());
            AddNote(error,
                    L"The program's folder cannot be written, so the settings go to [%s]; [%s] could not be copied there "
                    L"and is read where it is [%OsErrCd%:%OsErr%]",
                    L"プログラムのフォルダーに書き込めないため、設定ファイルを [%s] に置きます。[%s] をコピーできないため、"
                    L"そのまま読みます [%OsErrCd%:%OsErr%]",
                    userPath.c_str(), m_IniPath);
            lstrcpynW(m_ReadPath, m_IniPath, TEXT_CAPACITY);
        } else {
            AddNote(ERROR_SUCCESS, L"The program's folder cannot be written, so the settings go to [%s]",
                    L"プログラムのフォルダーに書き込めないため、設定ファイルを [%s] に置きます", userPath.c_str());
        }
    }
    lstrcpynW(m_IniPath, userPath.c_str(), TEXT_CAPACITY);
}
