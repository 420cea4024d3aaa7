#pragma once
#include <windows.h>

// The top-level window: the panel above, the log list below, the menu bar.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Queues CB_SETEDITSEL with start -1 to every formula box and to the x, y
// and z boxes, so that no edit field stays highlighted after a size change.
void ClearComboSelections();
