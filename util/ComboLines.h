#pragma once
#include <windows.h>

#include <cstdarg>

// Formats a line with SharedFormat, adds it to the end of the combo box's
// list and widens its horizontal extent when needed (KeepLineExtent).
// Returns the new item's index as the combo box gives it.
int ComboBoxPrintf(HWND hCombo, const wchar_t* format, ...);
int ComboBoxPrintfV(HWND hCombo, const wchar_t* format, va_list args);
