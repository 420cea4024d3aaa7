#pragma once
#include <windows.h>

// Works out row's formula in the row's mode and shows the outcome: the
// answer field, the log, the variable boxes, the histories and, after a
// success, the settings file.
void CalculateRow(int row);

// Moves text to the top of the box's history list; a text that differs from
// an entry only in letter case takes that entry's place.
void PromoteHistory(HWND box, const wchar_t* text);
