#pragma once
#include <windows.h>

// The upper child of the main window: answer line, x/y/z line, the
// "Formulas" caption and the formula rows.
LRESULT CALLBACK PanelWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Controls of the panel. The answer field shares its id with its label, so
// it is kept by handle.
HWND AnswerField();
HWND VariableBox(int var);  // 0 x, 1 y, 2 z
HWND PanelControl(int id);  // any other control, by id

// Places the panel's controls again for its size and the current DPI.
void LayOutPanel();
// Gives font to every control of the panel but the answer field, the
// formula rows' included.
void SetPanelControlFont(HFONT font, bool redraw);
