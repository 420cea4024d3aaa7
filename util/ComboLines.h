#pragma once
#include <windows.h>

#include <cstdarg>

// Formats a line with SharedFormat, adds it to the end of the combo box's
// list and widens its horizontal extent when needed (KeepLineExtent).
// Returns the new item's index as the combo box gives it.
int ComboBoxPrintf(HWND hCombo, const wchar_t* format, ...);
int ComboBoxPrintfV(HWND hCombo, const wchar_t* format, va_list args);

// Adds count texts as they are to the end of the combo box's list and widens
// its extent once for all of them, as count ComboBoxPrintf(hCombo, L"%s",
// text) calls would.
void ComboBoxAddLines(HWND hCombo, const wchar_t* const* lines, int count);
