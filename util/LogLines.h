#pragma once
#include <windows.h>

#include <cstdarg>

extern HWND g_hWndLog;  // set by the main window when it creates the log list

// One formatted line into the log list; dropped while there is no log list.
void TracePrintf(const wchar_t* format, ...);

// Formats a line with SharedFormat, appends it to the list box, scrolls it
// into view and widens the horizontal extent when needed (KeepLineExtent).
// Returns the new line's index as the list box gives it.
int ListBoxPrintf(HWND hList, const wchar_t* format, va_list args);
