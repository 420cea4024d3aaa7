// Keeping what the user has when the settings file cannot be read at start,
// or holds nothing the profile functions understand.
#include <cstdarg>
#include <memory>

#include "settings/IniFile.h"
#include "settings/IniFileShared.h"
#include "util/MessageReport.h"
#include "util/OsErrorText.h"

namespace {

using History = wchar_t[IniFile::HISTORY_CNT][TEXT_CAPACITY];

// The whole file, or false when it cannot be opened or read.
bool ReadWholeFile(const wchar_t* path, std::string& bytes, DWORD& error)
{
    bytes.clear();
    error = ERROR_SUCCESS;
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        if (error == ERROR_SUCCESS) error = ERROR_READ_FAULT;
    } else {
        char chunk[4096];
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file, chunk, sizeof chunk, &read, nullptr)) {
                error = GetLastError();
                break;
            }
            if (read == 0) break;
            bytes.append(chunk, read);
        }
        CloseHandle(file);
    }
    return error == ERROR_SUCCESS;
}

bool SameIgnoringCase(const std::wstring& a, const wchar_t* b)
{
    const int length = lstrlenW(b);
    return static_cast<int>(a.size()) == length
           && CompareStringOrdinal(a.c_str(), length, b, length, TRUE) == CSTR_EQUAL;
}

// ours becomes its own entries, newest first, then those of theirs that it
// lacks (letter case ignored, as the history lists do), up to the list's length.
void MergeHistory(History& ours, const History& theirs)
{
    std::vector<std::wstring> merged;
    auto add = [&merged](const wchar_t* text) {
        if (!text[0] || merged.size() == IniFile::HISTORY_CNT) return;
        for (const std::wstring& kept : merged) {
            if (SameIgnoringCase(kept, text)) return;
        }
        merged.emplace_back(text);
    };
    for (const auto& text : ours) add(text);
    for (const auto& text : theirs) add(text);
    for (size_t entry = 0; entry < IniFile::HISTORY_CNT; ++entry) {
        lstrcpynW(ours[entry], entry < merged.size() ? merged[entry].c_str() : L"", TEXT_CAPACITY);
    }
}

// One note's line: the template with the code, the system's text for it
// and the two texts.
const wchar_t* FormatNote(OsErrorText& errorText, DWORD code, const wchar_t* templ, ...)
{
    va_list args;
    va_start(args, templ);
    const wchar_t* line = errorText.FormatError(code, templ, args);
    va_end(args);
    return line;
}

}  // namespace

DWORD UnreadableError(const wchar_t* path)
{
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    ReadWholeFile(path, bytes, error);
    return error;
}

// The file is there but cannot be read (held open by another program,
// refused): histories start empty, so that everything in them at the first
// save was used in this run.
void IniFile::LoadUnread(DWORD error)
{
    LoadDefaults();
    for (auto& history : m_History) {
        for (auto& text : history) text[0] = 0;
    }
    for (auto& history : m_VarHistory) {
        for (auto& text : history) text[0] = 0;
    }
    m_FileState = FileState::UNREAD;
    AddNote(error, L"The settings file cannot be read; it is kept as it is until it can be [%s] [%OsErrCd%:%OsErr%]",
            L"設定ファイルを読めません。読めるまで上書きしません [%s] [%OsErrCd%:%OsErr%]", ReadPath());
}

// Reads the file that could not be read at start and joins its histories
// with this run's: this run's entries first, then the file's. The modes,
// the language and the window are what the user has now and stay so.
DWORD IniFile::MergeUnreadFile()
{
    if (const DWORD error = UnreadableError(ReadPath())) return error;
    auto file = std::make_unique<IniFile>(ReadPath());
    file->Load();
    if (file->m_FileState == FileState::UNREAD) return ERROR_SHARING_VIOLATION;  // taken again meanwhile
    for (int row = 0; row < ROW_CNT; ++row) MergeHistory(m_History[row], file->m_History[row]);
    for (int var = 0; var < VAR_CNT; ++var) MergeHistory(m_VarHistory[var], file->m_VarHistory[var]);
    // A file beside the program that is not understood is not replaced: the
    // saves go to the user's folder.
    m_FileState = m_ReadPath[0] ? FileState::READ : file->m_FileState;
    m_Merged = true;
    return ERROR_SUCCESS;
}

// A file the profile functions could not understand (another encoding, not
// a settings file at all) is copied to settings.bak before it is replaced.
// A backup that is there already is never overwritten: the same content
// needs no second copy, other content goes to the next free .bak2, .bak3...
DWORD IniFile::BackUpUnreadableFile()
{
    std::string content;
    DWORD error = ERROR_SUCCESS;
    if (!ReadWholeFile(m_IniPath, content, error)) return error;
    constexpr int MAX_BACKUPS = 99;
    for (int n = 1; n <= MAX_BACKUPS; ++n) {
        std::wstring backup = std::wstring(m_IniPath) + L".bak";
        if (n > 1) backup += std::to_wstring(n);
        if (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::string kept;
            DWORD keptError = ERROR_SUCCESS;
            if (!ReadWholeFile(backup.c_str(), kept, keptError) || kept != content) continue;
        } else {
            if (!CopyFileW(m_IniPath, backup.c_str(), TRUE)) return GetLastError();
            AddNote(ERROR_SUCCESS, L"The unreadable settings file was kept as [%s] [%s]",
                    L"読み取れない設定ファイルを [%s] に残しました [%s]", backup.c_str(), m_IniPath);
        }
        m_FileState = FileState::READ;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_EXISTS;
}

void IniFile::AddNote(DWORD code, const wchar_t* english, const wchar_t* japanese, const wchar_t* arg1,
                      const wchar_t* arg2)
{
    m_Notes.push_back({code, english, japanese, arg1, arg2});
}

std::vector<std::wstring> IniFile::TakeNotes()
{
    std::vector<std::wstring> lines;
    try {
        const auto errorText = std::make_unique<OsErrorText>();
        for (const Note& note : m_Notes) {
            lines.emplace_back(FormatNote(*errorText, note.code, m_Japanese ? note.japanese : note.english,
                                          note.arg1.c_str(), note.arg2.c_str()));
        }
    }
    CATCH_AND_REPORT
    m_Notes.clear();
    return lines;
}

bool IniFile::TakeMerged()
{
    const bool merged = m_Merged;
    m_Merged = false;
    return merged;
}
