#pragma once
#include <windows.h>

#include <cstdarg>

// Formats a line with SharedFormat, appends it to the list box, scrolls it
// into view and widens the horizontal extent when needed (KeepLineExtent).
// Returns the new line's index as the list box gives it.
int ListBoxPrintf(HWND hList, const wchar_t* format, va_list args);
