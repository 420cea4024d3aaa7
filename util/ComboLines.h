#pragma once
#include <windows.h>

// Adds count texts as they are to the end of the combo box's list and widens
// its horizontal extent once for all of them (KeepLinesExtent, at the box's
// dpi), as adding them one by one would.
void ComboBoxAddLines(HWND hCombo, const wchar_t* const* lines, int count, int dpi);
