#pragma once
#include <windows.h>

// The scrolling window of the twenty formula rows inside the panel.
LRESULT CALLBACK FormulaRowsWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Gives font to the formula box, mode toggle and Calc button of every row.
void SetRowsFont(HFONT font, bool redraw);

// The scroll position: 1 with the first row at the top.
int RowsScrollPosition();
// Places the rows again for the window's size and the current DPI with the
// view at position (kept inside the range), without a log line.
void LayOutRows(int position);
