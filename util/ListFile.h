#pragma once
#include <windows.h>

constexpr int LINE_BUFF_UNITS = 4096;

// The line ListBoxSaveToFile is writing.
extern wchar_t g_LineBuff[LINE_BUFF_UNITS];

// Options of ListBoxSaveToFile, to be combined.
constexpr unsigned LIST_FILE_CRLF = 1;    // end lines with CR LF instead of LF
constexpr unsigned LIST_FILE_APPEND = 2;  // add to the file instead of replacing it

// Results of ListBoxSaveToFile.
constexpr int LIST_FILE_OK = 0;
constexpr int LIST_FILE_NO_NAME = -1;      // empty file name: no file touched
constexpr int LIST_FILE_SHORT_WRITE = -2;  // a write failed; the file is as it was
constexpr int LIST_FILE_CANNOT_OPEN = -3;  // nothing written
constexpr int LIST_FILE_CANNOT_REPLACE = -4;  // written, but the file could not take the old one's place

// Added to the target's name for the file a store writes first.
constexpr const wchar_t* LIST_FILE_TEMP_ENDING = L".vexilo-tmp";

// Writes every line of the list box (each cut at 1023 characters) to the
// file as UTF-16LE without byte-order mark, each followed by the line end.
// The file is replaced only when every line was written; on failure the old
// file stays as it was and GetLastError() gives the reason (a short write
// is ERROR_DISK_FULL).
int ListBoxSaveToFile(HWND hList, const wchar_t* fileName, unsigned options);
