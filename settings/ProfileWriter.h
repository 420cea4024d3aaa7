#pragma once
#include <windows.h>

#include "util/TextFormat.h"

// Copies value into line (capacity units) with every line break and other
// control character turned into a space: a value stays on its own line, so
// nothing in it can start a key or a section. Returns line.
wchar_t* OneLineValue(const wchar_t* value, wchar_t* line, size_t capacity);

// Writes a private-profile file in one pass, laid out as the profile
// functions lay it out: UTF-16LE with a byte-order mark, a "[section]" line
// before each section and "key=value" lines, every line ending in CR LF.
// Buffered, so a whole settings file goes out in a few writes instead of
// one rewrite of the file per key.
class ProfileWriter {
public:
    // Creates the file (or empties it) and starts it with the byte-order mark.
    explicit ProfileWriter(const wchar_t* path);
    ~ProfileWriter();
    // Whether the file could be created.
    bool Opened() const { return m_hFile != INVALID_HANDLE_VALUE; }
    ProfileWriter(const ProfileWriter&) = delete;
    ProfileWriter& operator=(const ProfileWriter&) = delete;

    // Starts a new section whenever section differs from the last value's.
    // The value goes on one line (OneLineValue).
    void PutValue(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    // Writes out the rest, flushes the file to the disk and closes it.
    // Returns the first error met since the file was created, 0 if none.
    DWORD Finish();

private:
    void Put(const wchar_t* text);
    void WriteBuffer();
    void Fail();

    static constexpr size_t BUFF_UNITS = 16384;

    HANDLE m_hFile;
    DWORD m_Error = ERROR_SUCCESS;
    wchar_t m_Section[TEXT_CAPACITY] = L"";
    wchar_t m_Line[TEXT_CAPACITY] = L"";
    size_t m_Len = 0;
    wchar_t m_Buff[BUFF_UNITS];
};
