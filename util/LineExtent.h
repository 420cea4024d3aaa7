#pragma once
#include <windows.h>

// Keeps a list's horizontal scroll range as wide as its widest line. The
// window's user data (GWLP_USERDATA) holds the length of the line that last
// widened it; a new window holds 0. A line is measured only when it is longer
// than that length minus 10; the new extent is its width plus 6 pixels, and
// it is set (with the length) only when wider than the current extent.
// getExtent and setExtent are the list's messages (LB_... or CB_...).
void KeepLineExtent(HWND hWnd, const wchar_t* line, int len, UINT getExtent, UINT setExtent);
