#pragma once
#include <windows.h>

// Brings the histories, row modes and language from the settings object
// into the controls; once, at start-up.
void LoadWindowState();

// Adds the settings object's notes (a file that could not be read, a backup
// kept, the place of the file) to the log.
void LogSettingsNotes();

// Copies the histories, row modes, language and window rectangle into the
// settings object and writes the settings file. A failed write adds one log
// line, until a write succeeds again. Returns whether the file was written.
bool SaveWindowState();

// A history list changed: the next SaveWindowState copies it again. Lists
// that did not change since the last copy already stand in the settings
// object as they are.
void NoteHistoryChanged(HWND box);

// Works the horizontal extent of the log and of every history list out again,
// for fonts of a new DPI.
void RemeasureLineExtents();
