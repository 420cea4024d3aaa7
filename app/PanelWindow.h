#pragma once
#include <windows.h>

// The upper child of the main window: answer line, x/y/z line, the
// "Formulas" caption and the formula rows.
LRESULT CALLBACK PanelWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Places the panel's controls again for its size and the current DPI.
void LayOutPanel();
// Gives font to every control of the panel but the answer field, the
// formula rows' included.
void SetPanelControlFont(HFONT font, bool redraw);
