#include "util/ListFile.h"

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

}  // namespace

int ListBoxSaveToFile(HWND hList, const wchar_t* fileName, unsigned options)
{
    if (!fileName || !fileName[0]) return LIST_FILE_NO_NAME;
    const HANDLE file = CreateFileW(fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LIST_FILE_CANNOT_OPEN;
    if (options & LIST_FILE_APPEND) {
        SetFilePointer(file, 0, nullptr, FILE_END);
    } else {
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }

    const wchar_t* format = (options & LIST_FILE_CRLF) ? L"%s\r\n" : L"%s\n";
    int result = LIST_FILE_OK;
    const auto count = static_cast<int>(SendMessageW(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && result == LIST_FILE_OK; ++i) {
        wchar_t line[TEXT_CAPACITY];
        FetchLine(hList, i, line);
        const int units = FormatText(g_LineBuff, LINE_BUFF_UNITS, format, line);
        const DWORD bytes = static_cast<DWORD>(units) * sizeof(wchar_t);
        DWORD written = 0;
        if (!WriteFile(file, g_LineBuff, bytes, &written, nullptr) || written < bytes) result = LIST_FILE_SHORT_WRITE;
    }
    CloseHandle(file);
    return result;
}
