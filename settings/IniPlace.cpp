// Where the settings file lives: beside the program, or, when the program's
// folder cannot be written (installed for all users), in the user's own
// application-data folder.
#include <shlobj.h>

#include <cwchar>
#include <string>

#include "settings/IniFile.h"
#include "util/ModulePath.h"

namespace {

// Whether a new file can be made beside path. The probe goes away on its own.
bool FolderWritable(const wchar_t* path)
{
    const std::wstring probe = std::wstring(path) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    // Taken by a save of another copy, or left by a crash: the folder was written.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_SHARING_VIOLATION;
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
    const std::wstring userPath = folder + L"\\vexilo.ini";
    if (userPath.size() >= TEXT_CAPACITY) return;
    if (GetFileAttributesW(userPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryW(folder.c_str(), nullptr);
        // A settings file beside the program is still what this run reads.
        if (GetFileAttributesW(m_IniPath) != INVALID_FILE_ATTRIBUTES) CopyFileW(m_IniPath, userPath.c_str(), TRUE);
        AddNote(ERROR_SUCCESS, L"プログラムのフォルダーに書き込めないため、設定ファイルを [%s] に置きます", userPath.c_str());
    }
    lstrcpynW(m_IniPath, userPath.c_str(), TEXT_CAPACITY);
}
