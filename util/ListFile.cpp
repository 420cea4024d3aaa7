#include "util/ListFile.h"

#include <string>
#include <vector>

#include "util/TextFormat.h"

wchar_t g_LineBuff[LINE_BUFF_UNITS];

namespace {

// Line index of the list box, at most 1023 characters of it. LB_GETTEXT
// takes no buffer size, so a longer line is fetched whole and then cut.
void FetchLine(HWND hList, int index, wchar_t (&line)[TEXT_CAPACITY])
{
    line[0] = 0;
    const LRESULT len = SendMessageW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return;
    if (len < TEXT_CAPACITY) {
        SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line));
        return;
    }
    std::vector<wchar_t> whole(static_cast<size_t>(len) + 1, 0);
    SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(whole.data()));
    lstrcpynW(line, whole.data(), TEXT_CAPACITY);
}

// Writes the lines into file from its current position. Returns the result
// and sets error to the system's code of a failure (a short write is a full disk).
int WriteLines(HANDLE file, HWND hList, unsigned options, DWORD& error)
{
    const wchar_t* format = (options & LIST_FILE_CRLF) ? L"%s\r\n" : L"%s\n";
    const auto count = static_cast<int>(SendMessageW(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t line[TEXT_CAPACITY];
        FetchLine(hList, i, line);
        const int units = FormatText(g_LineBuff, LINE_BUFF_UNITS, format, line);
        const DWORD bytes = static_cast<DWORD>(units) * sizeof(wchar_t);
        DWORD written = 0;
        if (!WriteFile(file, g_LineBuff, bytes, &written, nullptr)) {
            error = GetLastError();
            if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
            return LIST_FILE_SHORT_WRITE;
        }
        if (written < bytes) {
            error = ERROR_DISK_FULL;
            return LIST_FILE_SHORT_WRITE;
        }
    }
    return LIST_FILE_OK;
}

// A device (NUL, a console, a pipe) cannot be replaced: it is written in place.
int WriteIntoDevice(HANDLE device, HWND hList, unsigned options, DWORD& error)
{
    const int result = WriteLines(device, hList, options, error);
    CloseHandle(device);
    return result;
}

// The new content goes into a temporary file beside the target, which takes
// the target's place only when every line was written: a full disk or a
// failed write leaves the old file whole and no half-written one behind.
// The temporary file's name is the target's with LIST_FILE_TEMP_ENDING: one
// name per target, so that a store cut short by a crash leaves one file,
// which the next store to that target replaces, and no name the user chose
// is taken.
int ReplaceWithLines(const wchar_t* fileName, bool targetExists, HWND hList, unsigned options, DWORD& error)
{
    const std::wstring temp = std::wstring(fileName) + LIST_FILE_TEMP_ENDING;
    if (temp.size() >= MAX_PATH) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return LIST_FILE_CANNOT_OPEN;
    }
    int result = LIST_FILE_CANNOT_OPEN;
    const bool append = (options & LIST_FILE_APPEND) && targetExists;
    if (append && !CopyFileW(fileName, temp.c_str(), FALSE)) {
        error = GetLastError();
    } else {
        const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, append ? OPEN_EXISTING : CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
        } else {
            SetFilePointer(file, 0, nullptr, FILE_END);
            result = WriteLines(file, hList, options, error);
            if (result == LIST_FILE_OK && !FlushFileBuffers(file)) {
                error = GetLastError();
                result = LIST_FILE_SHORT_WRITE;
            }
            CloseHandle(file);
        }
    }
    if (result == LIST_FILE_OK && !MoveFileExW(temp.c_str(), fileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        result = LIST_FILE_CANNOT_REPLACE;
    }
    if (result != LIST_FILE_OK) DeleteFileW(temp.c_str());
    return result;
}

}  // namespace

int ListBoxSaveToFile(HWND hList, const wchar_t* fileName, unsigned options)
{
    if (!fileName || !fileName[0]) return LIST_FILE_NO_NAME;
    // The target first, as it will be written: a file another program holds,
    // a read-only file or a folder are refused before anything is written.
    DWORD error = ERROR_SUCCESS;
    int result = LIST_FILE_CANNOT_OPEN;
    const HANDLE target = CreateFileW(fileName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) result = ReplaceWithLines(fileName, false, hList, options, error);
    } else if (GetFileType(target) != FILE_TYPE_DISK) {
        result = WriteIntoDevice(target, hList, options, error);
    } else {
        CloseHandle(target);
        result = ReplaceWithLines(fileName, true, hList, options, error);
    }
    SetLastError(result == LIST_FILE_OK ? ERROR_SUCCESS : error);
    return result;
}
