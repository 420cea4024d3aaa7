#pragma once
#include <windows.h>

#include <cstdarg>

// Formats a line with SharedFormat, appends it to the list box, scrolls it
// into view and widens the horizontal extent when needed (KeepLineExtent,
// at the list's dpi). Returns the new line's index as the list box gives it.
int ListBoxPrintf(HWND hList, int dpi, const wchar_t* format, va_list args);
