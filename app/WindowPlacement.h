#pragma once
#include <windows.h>

class IniFile;

constexpr int MIN_WINDOW_WIDTH = 500;
constexpr int MIN_WINDOW_HEIGHT = 510;

// The rectangle to open the main window at: the saved one exactly, unless it
// is smaller than 500 x 510 or lies wholly off every monitor; then it is grown
// to that size and moved onto the nearest monitor's work area.
RECT PlaceOnScreen(const IniFile& settings);

// The rule behind PlaceOnScreen, given the nearest monitor's work area and
// whether the saved rectangle touches any monitor.
RECT FitIntoWorkArea(int left, int top, int width, int height, const RECT& workArea, bool onSomeMonitor);

// The window's outer rectangle in screen coordinates; for a minimised or
// maximised window, the rectangle it has when restored.
RECT RestoredWindowRect(HWND hwnd);
