#pragma once
#include <windows.h>

// Display scaling. Every pixel measure of the window is written for 96 DPI
// and scaled to the DPI the window is shown at.

constexpr int BASE_DPI = 96;

// The DPI of the window (GetDpiForWindow, looked up at run time so that the
// program still starts on systems without it), or of the screen (LOGPIXELSY)
// when the system lacks it or no window is given.
int QueryDpi(HWND hWnd);

// A 96-DPI measure at dpi, rounded as MulDiv rounds.
inline int ScaleToDpi(int value, int dpi)
{
    return dpi == BASE_DPI ? value : MulDiv(value, dpi, BASE_DPI);
}

// The system's message font (what its dialogs and message boxes use) at dpi:
// asked for at that DPI where the system can (SystemParametersInfoForDpi,
// looked up at run time), otherwise the font of the screen's DPI scaled to
// dpi. Null when the system tells no font; the caller deletes it.
HFONT CreateMessageFont(int dpi);
