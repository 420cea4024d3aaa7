#pragma once
#include <windows.h>

// Keeps a list's horizontal scroll range as wide as its widest line. The
// window's user data (GWLP_USERDATA) holds the length of the line that last
// widened it; a new window holds 0. A line is measured only when it is longer
// than that length minus 10; the new extent is its width plus 6 pixels (at
// 96 DPI, scaled to the list's dpi), and it is set (with the length) only
// when wider than the current extent. getExtent and setExtent are the list's
// messages (LB_... or CB_...).
void KeepLineExtent(HWND hWnd, const wchar_t* line, int len, UINT getExtent, UINT setExtent, int dpi);

// The same for count lines added one after another, measured on one device
// context and set once: the result is that of count single calls.
void KeepLinesExtent(HWND hWnd, const wchar_t* const* lines, const int* lengths, int count, UINT getExtent,
                     UINT setExtent, int dpi);

// Works the extent out again from all the list's lines, as if they had been
// added now: after its font changed. comboBox picks the CB_ or LB_ messages.
void RemeasureLineExtent(HWND hWnd, bool comboBox, int dpi);
