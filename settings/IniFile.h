#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "util/TextFormat.h"

// The user's working state from one run to the next: the formula history of
// each of the twenty rows, the histories of x, y and z, each row's mode, the
// interface language and the main window's rectangle. Kept in the settings
// file beside the executable. Large (460 texts): create it on the heap.
class IniFile {
public:
    static constexpr int ROW_CNT = 20;
    static constexpr int HISTORY_CNT = 20;
    static constexpr int VAR_CNT = 3;

    IniFile();
    // The settings file at iniPath instead of the one beside the executable.
    explicit IniFile(const wchar_t* iniPath);
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // The file beside the executable; when its folder cannot be written,
    // the one of the same name in the user's application-data folder
    // (IniPlace.cpp). When the file beside the program cannot be copied
    // there, this run reads it where it is and saves to the user's folder.
    void SetIniPath();
    // Every field from the file, or the first-start defaults when there is no
    // file (nothing is written then). A file that exists but cannot be read
    // gives empty histories and is read again before the first save.
    void Load();
    // Writes every field into a new file beside the settings file and puts it
    // in the settings file's place in one step, so the file holds either the
    // previous save or this one. Returns whether the file was written; on
    // failure GetSaveError() and GetLastError() give the system's error code.
    // A file unreadable at start is read first and its histories join those
    // of this run (this run's modes, language and window stand); a file that
    // was there but held nothing readable is kept as a backup copy beside it
    // before it is replaced. A temporary file held by another copy of the
    // program that is saving too is waited for a little.
    bool Save();
    DWORD GetSaveError() const { return m_SaveError; }
    const wchar_t* GetIniPath() const { return m_IniPath; }
    // Log lines about the settings file since the last call, in the language
    // of m_Japanese: a file that could not be read, a backup copy kept, the
    // place the file moved to, a copy there that failed.
    std::vector<std::wstring> TakeNotes();
    // True once after the save that joined in a file unreadable at start:
    // the histories then hold more than the windows show.
    bool TakeMerged();

    int GetHistoryCnt();
    wchar_t* GetHistory(int row, int entry);
    void SetHistory(int row, int entry, const wchar_t* text);
    wchar_t* GetVarHistory(int var, int entry);
    void SetVarHistory(int var, int entry, const wchar_t* text);
    int32_t GetIntMode(int row);
    void SetIntMode(int row, int32_t value);

    // Single keys of the settings file through the private-profile functions.
    wchar_t* ReadStr(const wchar_t* section, const wchar_t* key);
    int32_t ReadInt(const wchar_t* section, const wchar_t* key);

private:
    template <typename Visit>
    void ForEachValue(Visit&& visit);
    void LoadDefaults();
    const wchar_t* ReadPath() const { return m_ReadPath[0] ? m_ReadPath : m_IniPath; }
    bool LoadFile(const wchar_t* path);
    void LoadUnread(DWORD error);
    DWORD MergeUnreadFile();
    DWORD BackUpUnreadableFile();
    DWORD ReplaceSettingsFile();
    DWORD WriteValues(const wchar_t* path, bool& created);
    void AddNote(DWORD code, const wchar_t* english, const wchar_t* japanese, const wchar_t* arg1,
                 const wchar_t* arg2 = L"");

    // Empty and zero until Load, so that an early Save writes no garbage.
    wchar_t m_IniPath[TEXT_CAPACITY] = {};
    // The file read at start when it is not m_IniPath: the one beside the
    // program, which could not be copied to the user's folder.
    wchar_t m_ReadPath[TEXT_CAPACITY] = {};
    wchar_t m_ReadBuff[TEXT_CAPACITY] = {};
    wchar_t m_NumBuff[TEXT_CAPACITY] = {};
    wchar_t m_History[ROW_CNT][HISTORY_CNT][TEXT_CAPACITY] = {};
    wchar_t m_VarHistory[VAR_CNT][HISTORY_CNT][TEXT_CAPACITY] = {};
    int32_t m_IntMode[ROW_CNT] = {};

public:
    // Read and written by the shell directly.
    int32_t m_Japanese = 0;   // 0 English, anything else Japanese
    int32_t m_WndLeft = 0;    // the main window's outer rectangle, screen pixels
    int32_t m_WndTop = 0;
    int32_t m_WndWidth = 0;
    int32_t m_WndHeight = 0;

private:
    enum class FileState {
        READ,            // read, or not there
        UNREAD,          // there, but it could not be opened or read
        NOT_UNDERSTOOD,  // read, not empty, yet without any section
    };
    DWORD m_SaveError = ERROR_SUCCESS;
    FileState m_FileState = FileState::READ;
    bool m_Merged = false;
    // A log line kept until TakeNotes, which writes it in the language then used.
    struct Note {
        DWORD code;
        const wchar_t* english;  // templates of OsErrorText::FormatError, up to two %s
        const wchar_t* japanese;
        std::wstring arg1;
        std::wstring arg2;
    };
    std::vector<Note> m_Notes;
};
