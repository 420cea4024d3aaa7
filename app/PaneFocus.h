#pragma once
#include <windows.h>

// F6 and Ctrl+Tab move the focus from pane to pane: the panel, the formula
// rows, the log, and round again; Shift+F6 and Ctrl+Shift+Tab the other way.
// Each pane gets the focus back on the control of it that had it last.

// Notes the control with the focus as the last one of its pane.
void NotePaneFocus(HWND focus);

// The focus into the next pane (step 1) or the previous one (step -1).
void MoveToPane(int step);
