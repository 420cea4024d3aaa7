#pragma once
#include <windows.h>

class IniFile;

// The rectangle to open the main window at: the saved one exactly, unless it
// is smaller than 500 x 510 (96-DPI pixels, scaled to the screen's DPI) or
// lies wholly off every monitor; then it is grown to that size and moved onto
// the nearest monitor's work area. A saved rectangle is in screen pixels;
// without a settings file (fromFile false) the first-start rectangle of the
// settings is in 96-DPI pixels and scaled like the minimum.
RECT PlaceOnScreen(const IniFile& settings, bool fromFile);

// The rule behind PlaceOnScreen, given the nearest monitor's work area,
// whether the saved rectangle touches any monitor, and the smallest size.
RECT FitIntoWorkArea(int left, int top, int width, int height, const RECT& workArea, bool onSomeMonitor,
                     SIZE minimum);

// The window's outer rectangle in screen coordinates; for a minimised or
// maximised window, the rectangle it has when restored.
RECT RestoredWindowRect(HWND hwnd);
