#pragma once
#include <windows.h>

// Display scaling. Every pixel measure of the window is written for 96 DPI
// and scaled here to the DPI the window is shown at.

constexpr int BASE_DPI = 96;

// The DPI of the window (GetDpiForWindow, looked up at run time so that the
// program still starts on systems without it), or of the screen (LOGPIXELSY)
// when the system lacks it or no window is given.
int QueryDpi(HWND hWnd);

// The DPI the window program lays itself out for: 96 until set, then set by
// the main window when it is created and when Windows reports a new DPI.
int CurrentDpi();
void SetCurrentDpi(int dpi);

// A 96-DPI measure at the current DPI, rounded as MulDiv rounds.
int Scaled(int value);
